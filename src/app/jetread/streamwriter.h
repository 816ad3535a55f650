// Writes the reader's stream (import/jetstream.h) to a file descriptor. A
// record is built whole in memory, so that its length can be written in
// front of it; the buffer goes out in large writes, and also whenever the
// reader has been quiet for a while, so that the parent sees it at work.
#pragma once

#include "import/jetstream.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace kelm::jetread {

class StreamWriter {
public:
    explicit StreamWriter(int fd);

    void header();
    void begin(jet::stream::Record kind);
    void end();
    // Drops the record under way, as when reading its values failed.
    void discard() { m_buffer.resize(m_recordStart); }
    // Bytes of the record begun so far, its header included.
    std::size_t recordSize() const { return m_buffer.size() - m_recordStart; }

    void u8(std::uint8_t value) { m_buffer.push_back(static_cast<char>(value)); }
    void u16(std::uint16_t value) { put(&value, sizeof value); }
    void u32(std::uint32_t value) { put(&value, sizeof value); }
    void i32(std::int32_t value) { put(&value, sizeof value); }
    void i64(std::int64_t value) { put(&value, sizeof value); }
    void f32(float value) { put(&value, sizeof value); }
    void f64(double value) { put(&value, sizeof value); }
    void put(const void *data, std::size_t size);
    // A string of at most 65535 bytes (longer ones are cut: names only).
    void string(std::string_view text);
    void tag(jet::stream::Tag tag) { u8(static_cast<std::uint8_t>(tag)); }

    // Room for up to units UTF-16 units of a text value; commitText() then
    // writes its tag and length in front of the units actually written.
    char16_t *reserveText(std::size_t units);
    void commitText(std::size_t units, bool undecodable);

    // Sends what is buffered, with an Alive record, when nothing has gone
    // out for a while; cheap enough to call for every row.
    void keepAlive();
    void flush();

private:
    std::vector<char> m_buffer;
    std::size_t m_recordStart = 0;
    std::size_t m_textStart = 0;
    int m_fd;
    std::int64_t m_lastSent = 0;
};

} // namespace kelm::jetread
