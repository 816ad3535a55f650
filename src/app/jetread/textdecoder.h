// Turns stored Jet text into UTF-16, never through the library's own
// conversion: that one reads Jet 4 text as UCS-2 (a character beyond the
// BMP becomes "?") and turns Jet 3 bytes it cannot decode into "?" without
// a word. Here Jet 4 text is UTF-16LE, "compressed" or not, and Jet 3 text
// goes through the code page named; anything that does not decode stands
// as U+FFFD and is told.
#pragma once

#include <cstddef>
#include <iconv.h>
#include <string>

namespace kelm::jetread {

class TextDecoder {
public:
    // Jet 4 text.
    TextDecoder() = default;
    // Jet 3 text in the encoding named as iconv knows it ("GB18030",
    // "CP1252"); valid() is false when iconv does not know it.
    explicit TextDecoder(const std::string &encoding);
    ~TextDecoder();
    TextDecoder(const TextDecoder &) = delete;
    TextDecoder &operator=(const TextDecoder &) = delete;

    bool valid() const { return m_jet4 || m_iconv != iconv_t(-1); }

    // The most UTF-16 units that size stored bytes decode to.
    static std::size_t maxUnits(std::size_t size) { return size; }
    // Decodes into out, which has room for maxUnits(size); returns the units
    // written. undecodable tells whether some bytes stand as U+FFFD.
    std::size_t decode(const unsigned char *data, std::size_t size, char16_t *out, bool &undecodable);

private:
    std::size_t decodeJet4(const unsigned char *data, std::size_t size, char16_t *out, bool &undecodable);
    std::size_t decodeCodePage(const unsigned char *data, std::size_t size, char16_t *out, bool &undecodable);

    bool m_jet4 = true;
    iconv_t m_iconv = iconv_t(-1);
};

} // namespace kelm::jetread
