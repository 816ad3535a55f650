#include "streamwriter.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <unistd.h>

namespace kelm::jetread {

namespace {

constexpr std::size_t sendAt = 256 * 1024;
// Well below the parent's silence limit, and rare enough to cost nothing.
constexpr std::int64_t quietNanoseconds = 200'000'000;

std::int64_t now()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &t);
    return std::int64_t(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

} // namespace

StreamWriter::StreamWriter(int fd)
    : m_fd(fd)
    , m_lastSent(now())
{
    m_buffer.reserve(sendAt * 2);
}

void StreamWriter::header()
{
    put(jet::stream::magic, sizeof jet::stream::magic);
    u32(jet::stream::version);
    m_recordStart = m_buffer.size();
    flush();
}

void StreamWriter::begin(jet::stream::Record kind)
{
    m_recordStart = m_buffer.size();
    u8(static_cast<std::uint8_t>(kind));
    u32(0);
}

void StreamWriter::end()
{
    const std::uint32_t length = std::uint32_t(m_buffer.size() - m_recordStart - jet::stream::recordHeaderSize);
    std::memcpy(m_buffer.data() + m_recordStart + 1, &length, sizeof length);
    m_recordStart = m_buffer.size();
    if (m_buffer.size() >= sendAt)
        flush();
}

void StreamWriter::put(const void *data, std::size_t size)
{
    const char *bytes = static_cast<const char *>(data);
    m_buffer.insert(m_buffer.end(), bytes, bytes + size);
}

void StreamWriter::string(std::string_view text)
{
    const std::size_t size = text.size() > 0xffff ? 0xffff : text.size();
    u16(std::uint16_t(size));
    put(text.data(), size);
}

char16_t *StreamWriter::reserveText(std::size_t units)
{
    m_textStart = m_buffer.size();
    m_buffer.resize(m_textStart + 5 + units * sizeof(char16_t));
    return reinterpret_cast<char16_t *>(m_buffer.data() + m_textStart + 5);
}

void StreamWriter::commitText(std::size_t units, bool undecodable)
{
    char *at = m_buffer.data() + m_textStart;
    at[0] = char(undecodable ? jet::stream::Tag::UndecodableText : jet::stream::Tag::Text);
    const std::uint32_t count = std::uint32_t(units);
    std::memcpy(at + 1, &count, sizeof count);
    m_buffer.resize(m_textStart + 5 + units * sizeof(char16_t));
}

void StreamWriter::keepAlive()
{
    if (now() - m_lastSent < quietNanoseconds)
        return;
    begin(jet::stream::Record::Alive);
    end();
    flush();
}

void StreamWriter::flush()
{
    // Only whole records leave: a record under way stays for the next write.
    const std::size_t whole = m_recordStart;
    std::size_t done = 0;
    while (done < whole) {
        const ssize_t n = ::write(m_fd, m_buffer.data() + done, whole - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            _exit(3); // the parent has gone or closed the pipe: nobody to tell
        done += std::size_t(n);
    }
    m_buffer.erase(m_buffer.begin(), m_buffer.begin() + std::ptrdiff_t(whole));
    m_recordStart = 0;
    m_lastSent = now();
}

} // namespace kelm::jetread
