#include "textdecoder.h"

#include <bit>
#include <cerrno>
#include <cstring>

namespace kelm::jetread {

static_assert(std::endian::native == std::endian::little, "the stream carries UTF-16LE as the host stores it");

namespace {

constexpr char16_t replacement = u'\uFFFD';

bool isHigh(char16_t unit) { return unit >= 0xd800 && unit < 0xdc00; }
bool isLow(char16_t unit) { return unit >= 0xdc00 && unit < 0xe000; }

// A surrogate without its partner stands for nothing: it becomes U+FFFD.
void replaceLoneSurrogates(char16_t *text, std::size_t units, bool &undecodable)
{
    for (std::size_t i = 0; i < units; ++i) {
        if (isHigh(text[i]) && i + 1 < units && isLow(text[i + 1])) {
            ++i;
        } else if (isHigh(text[i]) || isLow(text[i])) {
            text[i] = replacement;
            undecodable = true;
        }
    }
}

} // namespace

TextDecoder::TextDecoder(const std::string &encoding)
    : m_jet4(false)
    , m_iconv(iconv_open("UTF-16LE", encoding.c_str()))
{
}

TextDecoder::~TextDecoder()
{
    if (m_iconv != iconv_t(-1))
        iconv_close(m_iconv);
}

std::size_t TextDecoder::decode(const unsigned char *data, std::size_t size, char16_t *out, bool &undecodable)
{
    undecodable = false;
    return m_jet4 ? decodeJet4(data, size, out, undecodable) : decodeCodePage(data, size, out, undecodable);
}

// Jet 4 stores UTF-16LE, or, after the marker FF FE, "compressed" text: runs
// of one-byte characters (U+0001..U+00FF) and runs of UTF-16LE units, each
// 00 byte switching from one kind of run to the other, starting with the
// one-byte kind.
std::size_t TextDecoder::decodeJet4(const unsigned char *data, std::size_t size, char16_t *out, bool &undecodable)
{
    std::size_t units = 0;
    if (size >= 2 && data[0] == 0xff && data[1] == 0xfe) {
        bool oneByte = true;
        std::size_t i = 2;
        while (i < size) {
            if (data[i] == 0) {
                oneByte = !oneByte;
                ++i;
            } else if (oneByte) {
                out[units++] = data[i++];
            } else if (i + 1 < size) {
                out[units++] = char16_t(data[i] | data[i + 1] << 8);
                i += 2;
            } else {
                out[units++] = replacement; // half a unit at the end
                undecodable = true;
                ++i;
            }
        }
    } else {
        units = size / 2;
        std::memcpy(out, data, units * 2);
        if (size % 2) {
            out[units++] = replacement;
            undecodable = true;
        }
    }
    replaceLoneSurrogates(out, units, undecodable);
    return units;
}

std::size_t TextDecoder::decodeCodePage(const unsigned char *data, std::size_t size, char16_t *out, bool &undecodable)
{
    std::size_t ascii = 0;
    while (ascii < size && data[ascii] < 0x80)
        ++ascii;
    for (std::size_t i = 0; i < ascii; ++i)
        out[i] = data[i];
    if (ascii == size)
        return size;

    char *in = reinterpret_cast<char *>(const_cast<unsigned char *>(data + ascii));
    std::size_t inLeft = size - ascii;
    char *to = reinterpret_cast<char *>(out + ascii);
    std::size_t toLeft = (maxUnits(size) - ascii) * sizeof(char16_t);
    iconv(m_iconv, nullptr, nullptr, nullptr, nullptr);
    bool inRun = false; // the last unit written is U+FFFD for bytes that did not decode
    while (inLeft > 0) {
        char *before = to;
        const std::size_t done = iconv(m_iconv, &in, &inLeft, &to, &toLeft);
        if (to != before)
            inRun = false;
        if (done != std::size_t(-1))
            break;
        if (errno == E2BIG) {
            undecodable = true; // no byte decodes to more than one unit: never seen
            break;
        }
        // EILSEQ: a byte that begins nothing valid here; EINVAL: a sequence
        // cut off at the end. Either way one byte is passed over, and a run of
        // such bytes stands as one U+FFFD.
        undecodable = true;
        if (!inRun) {
            std::memcpy(to, &replacement, sizeof replacement);
            to += sizeof replacement;
            toLeft -= sizeof replacement;
            inRun = true;
        }
        ++in;
        --inLeft;
        iconv(m_iconv, nullptr, nullptr, nullptr, nullptr);
    }
    return std::size_t(reinterpret_cast<char16_t *>(to) - out);
}

} // namespace kelm::jetread
