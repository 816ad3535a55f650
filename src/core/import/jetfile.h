// What reading an office's Jet file hands on: the file's tables with their
// columns as the file defines them, then each table's rows in stored order,
// every value already turned into the text this program stores. The Jet
// library runs only in the reader program (kelm-jetread), a child process
// with a time limit, so that a damaged file can end the child, never the
// program; readJetFile() starts it and passes on what it sends.
#pragma once

#include "platform/progress.h"

#include <QString>

#include <vector>

namespace kelm::jet {

enum class ColumnType {
    YesNo,
    Byte,
    Integer,
    Long,
    Currency,
    Single,
    Double,
    DateTime,
    Text,
    Memo,
    Binary,
    Ole,
    ReplicationId,
    Numeric,
    Other,
};

struct Column {
    QString name;
    ColumnType type = ColumnType::Other;
};

struct Table {
    QString name;
    // In the table's own column order: ordinal 0, 1, ...
    std::vector<Column> columns;
    // The row count the table's definition records.
    qint64 recordedRows = 0;
};

struct FileInfo {
    int jetVersion = 0; // 3 or 4
    // The code page the file's header names (Jet 3); 0 where text is
    // stored as Unicode (Jet 4).
    int codePage = 0;
    // The encoding Jet 3 text was decoded by ("GB18030", "windows-1252");
    // empty for Jet 4.
    QString textEncoding;
};

// One value as this program stores it. Text and memo: the text as decoded,
// whole; yes/no: "0" or "1"; byte, integer, long, currency, single, double
// and date/time: their text by the rules of jetvalues.h.
struct Value {
    bool null = true;
    QString text;
    // Bytes of the stored text that did not decode; each run of them stands
    // as U+FFFD in text.
    bool undecodable = false;
};

// Takes a file's contents, in this order: begin() once, then for each table
// beginTable(), its rows, endTable().
class Receiver {
public:
    virtual ~Receiver() = default;
    // Every user table of the file, in the order of its catalogue.
    virtual void begin(const FileInfo &file, const std::vector<Table> &tables) = 0;
    // index into the tables handed to begin().
    virtual void beginTable(int table) = 0;
    // One value for each column of the table, in its column order.
    virtual void row(const std::vector<Value> &values) = 0;
    virtual void endTable(int table) = 0;
};

enum class ReadFailure {
    None,
    Cancelled,
    NotJet,     // the file is not a Jet database
    Unreadable, // the system refused to read it (told by its cause)
    Damaged,    // the reader crashed, hung, sent garbage, or a table holds
                // fewer rows than its definition records (a file cut short)
    NotWhole,   // a value that cannot be read whole (named by table, column
                // and row)
};

struct ReadOutcome {
    ReadFailure failure = ReadFailure::None;
    QString detail; // for the user, in Chinese; empty for None and Cancelled
    bool ok() const { return failure == ReadFailure::None; }
};

// Whether the file at path begins as a Jet database does (its first page);
// reads a few bytes, starts no reader.
bool isJetFile(const QString &path);

// Reads the Jet file at path through the reader program, handing everything
// to receiver on the calling thread as it arrives. Stops and kills the
// reader when progress is cancelled; progress is asked only whether it is
// cancelled (the receiver, which knows the work, reports it). On a failure
// the receiver may have been handed part of the file: what it made of it
// must be thrown away. The file is only read.
ReadOutcome readJetFile(const QString &path, Receiver &receiver, Progress &progress = noProgress());

} // namespace kelm::jet
