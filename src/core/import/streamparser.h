// Reads the reader program's stream (import/jetstream.h) as it arrives and
// hands the file to a Receiver. The child is not trusted: the stream must
// open with the magic and version, every record must come in its place and
// be consumed exactly by what its kind says it holds, every value must suit
// its column's type, and a length is never believed beyond what has
// arrived: the buffer grows with the data, not with what a length claims.
#pragma once

#include "import/jetfile.h"
#include "import/jetstream.h"

#include <memory>
#include <vector>

namespace kelm::jet {

class StreamParser {
public:
    explicit StreamParser(Receiver &receiver);

    // Room for at least size more bytes: read into it, then tell received().
    char *space(qsizetype size);
    // Parses every whole record that has arrived, handing it on.
    void received(qsizetype size);

    enum class State {
        Reading,
        Ended,   // the whole file came
        Failed,  // the reader told why it stopped: failure()
        Garbage, // not the stream, or not all of it in order
    };
    State state() const { return m_state; }

    struct ReaderFailure {
        stream::Failure failure = stream::Failure::Damaged;
        int error = 0;
        QString table;
        QString column;
        quint32 row = 0;
    };
    const ReaderFailure &failure() const { return m_failure; }
    const std::vector<Table> &tables() const { return m_tables; }

private:
    class Cursor;
    bool parse(stream::Record kind, Cursor &in);
    bool parseTables(Cursor &in);
    bool parseRow(Cursor &in);
    bool parseFailure(Cursor &in);
    static bool parseValue(Cursor &in, ColumnType type, Value &value);

    enum class Expect { Header, Info, Tables, BeginTable, InTable, End, Nothing };

    Receiver &m_receiver;
    std::unique_ptr<char[]> m_buffer;
    qsizetype m_capacity = 0;
    qsizetype m_begin = 0; // the first byte not parsed
    qsizetype m_end = 0;   // the end of what arrived
    State m_state = State::Reading;
    Expect m_expect = Expect::Header;
    FileInfo m_info;
    std::vector<Table> m_tables;
    int m_table = 0; // the table under way, or the next one
    quint32 m_rows = 0;
    std::vector<Value> m_values;
    ReaderFailure m_failure;
};

} // namespace kelm::jet
