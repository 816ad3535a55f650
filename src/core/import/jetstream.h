// The stream that the reader program (kelm-jetread) writes to its standard
// output and readJetFile() reads: the only thing the two share, so it uses
// no Qt and the reader builds without the core.
//
// All numbers are little-endian. The stream opens with the magic and the
// version, then records: a kind byte, a 32-bit payload length, the payload.
// Info, then Tables, then for each table in order BeginTable, its Rows and
// EndTable, then End. Alive may stand between any two records; Failure ends
// the stream in place of what would have come next. A string is a 16-bit
// length and that many bytes of UTF-8.
#pragma once

#include <cstdint>

namespace kelm::jet::stream {

inline constexpr char magic[8] = {'K', 'e', 'l', 'm', 'J', 'e', 't', '\x1a'};
inline constexpr std::uint32_t version = 1;
inline constexpr int headerSize = sizeof(magic) + sizeof(version);
inline constexpr int recordHeaderSize = 5;

// No record is longer: the reader refuses a value that would make one so
// (ReadFailure::NotWhole), and the parent takes a longer length for garbage
// rather than wait for, or allocate, that much.
inline constexpr std::uint32_t maxPayload = 256u << 20;

enum class Record : std::uint8_t {
    // u8 Jet version (3 or 4), u16 code page of the header (0 for Jet 4),
    // string: the encoding Jet 3 text was decoded by (empty for Jet 4).
    Info = 'I',
    // u32 table count; for each: string name, u32 recorded rows, u16 column
    // count; for each column: string name, u8 Jet column type.
    Tables = 'D',
    BeginTable = 'B', // u32 table index
    Row = 'R',        // one value for each column of the table
    EndTable = 'E',   // u32 table index, u32 rows sent
    Alive = 'H',      // nothing: the reader is still at work
    // u8 Failure, i32 errno (Unreadable), string table, string column,
    // u32 row (1-based; for RowsShort the rows read), string note (for a
    // developer).
    Failure = 'F',
    End = 'Z',
};

// A value: a tag byte and what the tag says follows.
enum class Tag : std::uint8_t {
    Null = 0,
    False = 1,
    True = 2,
    Integer = 3,         // i32 (byte, integer, long)
    Currency = 4,        // i64, ten-thousandths
    Single = 5,          // f32
    Double = 6,          // f64 (double; date/time as days since 1899-12-30)
    Text = 7,            // u32 count of UTF-16 units, then the units
    UndecodableText = 8, // as Text; some stored bytes stand as U+FFFD
    Bytes = 9,           // u32 count, then the bytes (binary)
    Numeric = 10,        // u8 scale, u8 negative, 16 bytes magnitude (u128)
    Guid = 11,           // 16 bytes as stored
    NotRead = 12,        // present but not read (OLE objects)
};

enum class Failure : std::uint8_t {
    NotJet = 1,
    Unreadable = 2,
    Damaged = 3,   // named by table where one is known
    RowsShort = 4, // a table holds fewer rows than its definition records
    NotWhole = 5,  // a value that cannot be read whole
    TooLong = 6,   // a value longer than the stream carries
};

// Jet's own column type codes, as the table definitions store them.
enum class JetType : std::uint8_t {
    Bool = 0x01,
    Byte = 0x02,
    Int = 0x03,
    Long = 0x04,
    Money = 0x05,
    Float = 0x06,
    Double = 0x07,
    DateTime = 0x08,
    Binary = 0x09,
    Text = 0x0a,
    Ole = 0x0b,
    Memo = 0x0c,
    RepId = 0x0f,
    Numeric = 0x10,
};

} // namespace kelm::jet::stream
