#include "import/streamparser.h"

#include "import/jetvalues.h"

#include <bit>
#include <cstring>

namespace kelm::jet {

static_assert(std::endian::native == std::endian::little, "the stream is read as the host stores numbers");

using stream::Record;
using stream::Tag;

// Reads a record's payload, never past its end; once something was
// missing, ok() stays false.
class StreamParser::Cursor {
public:
    Cursor(const char *at, qsizetype size)
        : m_at(at)
        , m_end(at + size)
    {
    }

    template <typename Number>
    Number get()
    {
        Number value{};
        if (const char *bytes = take(sizeof value))
            std::memcpy(&value, bytes, sizeof value);
        return value;
    }
    // count items of size bytes each, or nullptr.
    const char *take(qint64 count, qint64 size = 1)
    {
        if (!m_ok || count < 0 || count > (m_end - m_at) / size) {
            m_ok = false;
            return nullptr;
        }
        const char *at = m_at;
        m_at += count * size;
        return at;
    }
    QString string()
    {
        const quint16 size = get<quint16>();
        const char *bytes = take(size);
        return bytes ? QString::fromUtf8(bytes, size) : QString();
    }
    bool ok() const { return m_ok; }
    // Everything read, and nothing left over.
    bool done() const { return m_ok && m_at == m_end; }
    qsizetype left() const { return m_end - m_at; }

private:
    const char *m_at;
    const char *m_end;
    bool m_ok = true;
};

namespace {

ColumnType columnType(quint8 jetType)
{
    switch (stream::JetType(jetType)) {
    case stream::JetType::Bool: return ColumnType::YesNo;
    case stream::JetType::Byte: return ColumnType::Byte;
    case stream::JetType::Int: return ColumnType::Integer;
    case stream::JetType::Long: return ColumnType::Long;
    case stream::JetType::Money: return ColumnType::Currency;
    case stream::JetType::Float: return ColumnType::Single;
    case stream::JetType::Double: return ColumnType::Double;
    case stream::JetType::DateTime: return ColumnType::DateTime;
    case stream::JetType::Binary: return ColumnType::Binary;
    case stream::JetType::Text: return ColumnType::Text;
    case stream::JetType::Ole: return ColumnType::Ole;
    case stream::JetType::Memo: return ColumnType::Memo;
    case stream::JetType::RepId: return ColumnType::ReplicationId;
    case stream::JetType::Numeric: return ColumnType::Numeric;
    }
    return ColumnType::Other;
}

// The value tag each column type is sent with (besides Null).
Tag tagOf(ColumnType type)
{
    switch (type) {
    case ColumnType::YesNo: return Tag::False; // or True; never Null
    case ColumnType::Byte:
    case ColumnType::Integer:
    case ColumnType::Long: return Tag::Integer;
    case ColumnType::Currency: return Tag::Currency;
    case ColumnType::Single: return Tag::Single;
    case ColumnType::Double:
    case ColumnType::DateTime: return Tag::Double;
    case ColumnType::Text:
    case ColumnType::Memo: return Tag::Text; // or UndecodableText
    case ColumnType::Binary: return Tag::Bytes;
    case ColumnType::ReplicationId: return Tag::Guid;
    case ColumnType::Numeric: return Tag::Numeric;
    case ColumnType::Ole:
    case ColumnType::Other: return Tag::NotRead;
    }
    return Tag::NotRead;
}

} // namespace

StreamParser::StreamParser(Receiver &receiver)
    : m_receiver(receiver)
{
}

char *StreamParser::space(qsizetype size)
{
    if (m_capacity - m_end < size && m_begin > 0) {
        std::memmove(m_buffer.get(), m_buffer.get() + m_begin, size_t(m_end - m_begin));
        m_end -= m_begin;
        m_begin = 0;
    }
    if (m_capacity - m_end < size) {
        const qsizetype capacity = std::max(m_capacity * 2, m_end + size);
        auto buffer = std::make_unique<char[]>(size_t(capacity));
        std::memcpy(buffer.get(), m_buffer.get(), size_t(m_end));
        m_buffer = std::move(buffer);
        m_capacity = capacity;
    }
    return m_buffer.get() + m_end;
}

void StreamParser::received(qsizetype size)
{
    m_end += size;
    while (m_state == State::Reading) {
        const char *at = m_buffer.get() + m_begin;
        const qsizetype arrived = m_end - m_begin;
        if (m_expect == Expect::Header) {
            if (arrived < stream::headerSize)
                return;
            quint32 version;
            std::memcpy(&version, at + sizeof stream::magic, sizeof version);
            if (std::memcmp(at, stream::magic, sizeof stream::magic) != 0 || version != stream::version) {
                m_state = State::Garbage;
                return;
            }
            m_begin += stream::headerSize;
            m_expect = Expect::Info;
            continue;
        }
        if (arrived < stream::recordHeaderSize)
            return;
        quint32 length;
        std::memcpy(&length, at + 1, sizeof length);
        if (length > stream::maxPayload) {
            m_state = State::Garbage;
            return;
        }
        if (arrived < stream::recordHeaderSize + qsizetype(length))
            return;
        Cursor in(at + stream::recordHeaderSize, length);
        m_begin += stream::recordHeaderSize + length;
        if (!parse(Record(quint8(at[0])), in) || !in.done())
            m_state = State::Garbage;
    }
    // Nothing may follow the stream's end.
    if (m_state != State::Reading && m_state != State::Garbage && m_end > m_begin)
        m_state = State::Garbage;
}

bool StreamParser::parse(Record kind, Cursor &in)
{
    switch (kind) {
    case Record::Alive:
        return true;
    case Record::Failure:
        return parseFailure(in);
    case Record::Info:
        if (m_expect != Expect::Info)
            return false;
        m_info.jetVersion = in.get<quint8>();
        m_info.codePage = in.get<quint16>();
        m_info.textEncoding = in.string();
        m_expect = Expect::Tables;
        return m_info.jetVersion == 3 || m_info.jetVersion == 4;
    case Record::Tables:
        if (m_expect != Expect::Tables || !parseTables(in))
            return false;
        m_receiver.begin(m_info, m_tables);
        m_expect = m_tables.empty() ? Expect::End : Expect::BeginTable;
        return true;
    case Record::BeginTable:
        if (m_expect != Expect::BeginTable || in.get<quint32>() != quint32(m_table) || !in.done())
            return false;
        m_rows = 0;
        m_values.assign(m_tables[size_t(m_table)].columns.size(), Value{});
        m_expect = Expect::InTable;
        m_receiver.beginTable(m_table);
        return true;
    case Record::Row:
        return m_expect == Expect::InTable && parseRow(in);
    case Record::EndTable: {
        const quint32 table = in.get<quint32>();
        const quint32 rows = in.get<quint32>();
        if (m_expect != Expect::InTable || table != quint32(m_table) || rows != m_rows || !in.done())
            return false;
        m_receiver.endTable(m_table);
        ++m_table;
        m_expect = size_t(m_table) < m_tables.size() ? Expect::BeginTable : Expect::End;
        return true;
    }
    case Record::End:
        if (m_expect != Expect::End)
            return false;
        m_expect = Expect::Nothing;
        m_state = State::Ended;
        return true;
    }
    return false;
}

bool StreamParser::parseTables(Cursor &in)
{
    const quint32 count = in.get<quint32>();
    // Each table takes at least eight bytes: no count beyond what came.
    if (count > quint32(in.left() / 8))
        return false;
    m_tables.resize(count);
    for (Table &table : m_tables) {
        table.name = in.string();
        table.recordedRows = in.get<quint32>();
        const quint16 columns = in.get<quint16>();
        if (columns > in.left() / 3)
            return false;
        table.columns.resize(columns);
        for (Column &column : table.columns) {
            column.name = in.string();
            column.type = columnType(in.get<quint8>());
        }
    }
    return in.ok();
}

bool StreamParser::parseRow(Cursor &in)
{
    const Table &table = m_tables[size_t(m_table)];
    for (size_t c = 0; c < m_values.size(); ++c) {
        if (!parseValue(in, table.columns[c].type, m_values[c]))
            return false;
    }
    if (!in.done() || m_rows == std::numeric_limits<quint32>::max())
        return false;
    ++m_rows;
    m_receiver.row(m_values);
    return true;
}

bool StreamParser::parseValue(Cursor &in, ColumnType type, Value &value)
{
    const Tag tag = Tag(in.get<quint8>());
    value.undecodable = false;
    if (tag == Tag::Null && type != ColumnType::YesNo) {
        value.null = true;
        value.text.clear();
        return in.ok();
    }
    const Tag expected = tagOf(type);
    const bool suits = tag == expected || (expected == Tag::False && tag == Tag::True)
                       || (expected == Tag::Text && tag == Tag::UndecodableText);
    if (!suits)
        return false;
    value.null = false;
    switch (tag) {
    case Tag::False:
    case Tag::True:
        value.text = yesNoText(tag == Tag::True);
        break;
    case Tag::Integer:
        value.text = integerText(in.get<qint32>());
        break;
    case Tag::Currency:
        value.text = currencyText(in.get<qint64>());
        break;
    case Tag::Single:
        value.text = singleText(in.get<float>());
        break;
    case Tag::Double:
        value.text = type == ColumnType::DateTime ? dateTimeText(in.get<double>()) : doubleText(in.get<double>());
        break;
    case Tag::Text:
    case Tag::UndecodableText: {
        const quint32 units = in.get<quint32>();
        const char *text = in.take(units, 2);
        if (!text)
            return false;
        value.text.resize(units);
        std::memcpy(value.text.data(), text, size_t(units) * 2);
        value.undecodable = tag == Tag::UndecodableText;
        break;
    }
    case Tag::Bytes: {
        const quint32 size = in.get<quint32>();
        const char *bytes = in.take(size);
        if (!bytes)
            return false;
        value.text = binaryText(reinterpret_cast<const unsigned char *>(bytes), size);
        break;
    }
    case Tag::Guid: {
        const char *bytes = in.take(16);
        if (!bytes)
            return false;
        value.text = guidText(reinterpret_cast<const unsigned char *>(bytes));
        break;
    }
    case Tag::Numeric: {
        const quint8 scale = in.get<quint8>();
        const quint8 negative = in.get<quint8>();
        const char *magnitude = in.take(16);
        if (!magnitude || scale > 38 || negative > 1)
            return false;
        value.text = numericText(reinterpret_cast<const unsigned char *>(magnitude), scale, negative);
        break;
    }
    case Tag::NotRead:
    case Tag::Null:
        value.text.clear();
        break;
    }
    return in.ok();
}

bool StreamParser::parseFailure(Cursor &in)
{
    const quint8 failure = in.get<quint8>();
    m_failure.failure = stream::Failure(failure);
    m_failure.error = in.get<qint32>();
    m_failure.table = in.string();
    m_failure.column = in.string();
    m_failure.row = in.get<quint32>();
    in.string(); // the note: for a developer reading the stream
    if (failure < quint8(stream::Failure::NotJet) || failure > quint8(stream::Failure::TooLong))
        return false;
    m_state = State::Failed;
    return true;
}

} // namespace kelm::jet
