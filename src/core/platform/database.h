// The one way the program reaches kelm.mdb. Applies the rules the stored
// files rely on: text fitted to its column's capacity on every write, NULL
// read as the empty text, duplicate rows of direct statements skipped,
// every value a bound parameter.
#pragma once

#include "platform/dberror.h"

#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace SQLite {
class Database;
class Statement;
}

namespace kelm {

class LockWait;

// A write refused because the row's key already exists.
class DuplicateKey : public DbError {
public:
    DuplicateKey();
};

using Params = std::vector<QVariant>;

// What a connection must know of the files it opens, handed in by the
// layer that owns their schema: the version such a file carries and the
// capacity of each text column, which every write fits its text to.
struct StoredSchema {
    int version = 0;
    // Capacity of table.column in display units; -1 for a column that
    // takes any text.
    int (*capacity)(const QString &table, const QString &column) = nullptr;
};

// Binds params to the statement's parameters 1, 2, ... (for statements
// that code keeps open itself, such as a cursor).
void bindParams(SQLite::Statement &statement, const Params &params);

// Rows of a query; every value is read as text (NULL as empty text).
struct Rows {
    std::vector<QString> columns;
    std::vector<std::vector<QString>> values;

    bool empty() const { return values.empty(); }
    std::size_t size() const { return values.size(); }
    int columnIndex(const QString &name) const; // -1 when absent
    QString value(std::size_t row, const QString &column) const;
};

class Database {
public:
    enum class Mode { ReadWrite, ReadOnly };

    // Opens an existing prepared file of schema. Throws DbError when it is
    // missing, unreadable, in use by another program, damaged, not a
    // database or of another schema version, each told apart.
    Database(const QString &path, const StoredSchema &schema, Mode mode = Mode::ReadWrite);
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    // Creates an empty database file; refuses an existing one, except an
    // empty file that the caller made (and holds) for it.
    static std::unique_ptr<Database> createNew(const QString &path, const StoredSchema &schema);

    QString path() const { return m_path; }
    // What the user is to be told of opening the file: where a journal that
    // belonged to another file was moved aside. Empty text otherwise.
    QString journalNotice() const { return m_journalNotice; }
    // The engine's connection, for reading: every write goes through the
    // functions below, which begin each transaction by writing the first
    // page (markFirstPage).
    SQLite::Database &raw();

    // Runs one statement; returns the number of changed rows. Outside a
    // transaction it runs in a write transaction of its own. Throws
    // DuplicateKey on a key conflict, DbError on any other failure. Text
    // bound here is stored as it is: writes of text go through the
    // functions below, which fit it to its column.
    int exec(const QString &sql, const Params &params = {});
    Rows select(const QString &sql, const Params &params = {});
    // First column of the first row, empty text when there is none.
    QString scalar(const QString &sql, const Params &params = {});

    // The writes below name their table and columns (from fixed lists in
    // the code, never from typing) and store each text value fitted to its
    // column; other values go in as they are.

    // Direct-statement insert: a row whose key exists already is skipped
    // without an error. True when stored.
    bool insertRow(const QString &table, const std::vector<QString> &columns, const Params &values);
    // Inserts a row as a record save does: a row whose key exists throws
    // DuplicateKey. Returns the new row's rowid.
    qint64 addRow(const QString &table, const std::vector<QString> &columns, const Params &values);
    // Writes values into columns of the rows that condition selects (an
    // expression over the table with ? binds for conditionParams; empty for
    // every row). Returns the number of changed rows. Throws DuplicateKey
    // on a key conflict.
    int updateRows(const QString &table, const std::vector<QString> &columns, const Params &values,
                   const QString &condition = {}, const Params &conditionParams = {});
    // Writes one text column of the rows whose key equals keyValue and
    // returns what the column now holds for that key; a value the column
    // refuses leaves the rows as they were.
    QString writeColumn(const QString &table, const QString &column, const QString &keyColumn,
                        const QString &keyValue, const QString &text);

    // Capacity of table.column in display units; -1 for memo, yes/no and
    // unknown columns, which take any text.
    int capacity(const QString &table, const QString &column) const;

    // Begins a write transaction; its first write is markFirstPage().
    void begin();
    void commit();
    void rollback();

    // Writes the whole database into a new file at path, page by page
    // through the engine's online backup, and syncs it. Every page is read
    // in one read transaction, so the copy is the database of the moment it
    // began; a writer meanwhile waits for it. The copy is one whole file,
    // with nothing beside it.
    // step(pages done, pages) runs after each part; false stops the copy
    // and the function returns false, leaving the unfinished file for the
    // caller to remove. Throws DbError.
    bool copyTo(const QString &path, const std::function<bool(qint64, qint64)> &step);

private:
    explicit Database(const StoredSchema &schema);
    void open(Mode mode);
    void configure();
    // Runs a statement that begins or ends a transaction.
    void control(const char *sql);
    // Sets the file's version to itself, as the first write of a
    // transaction: the first page, which the engine otherwise journals only
    // at the commit, is then the journal's first record, and after a crash
    // the journal shows which file it was written for. Then writes the
    // journal's seed into the page (journalSeed).
    void markFirstPage();
    // A failure of the engine on this file, a refused write told by why the
    // file cannot be written.
    DbError failure(const SQLite::Exception &e) const;
    Params fittedValues(const QString &table, const std::vector<QString> &columns, const Params &values) const;
    QString m_path;
    StoredSchema m_schema;
    // Outlives the connection, which calls it while it waits.
    std::unique_ptr<LockWait> m_lockWait;
    QString m_journalNotice;
    std::unique_ptr<SQLite::Database> m_db;
};

// Commits on commit(), rolls back when left without it.
class Transaction {
public:
    explicit Transaction(Database &db);
    ~Transaction();
    void commit();

private:
    Database &m_db;
    bool m_done = false;
};

// Leading number of a text ("12.5元" -> 12.5, "1e3" -> 1000, "abc" -> 0),
// as the old engine's val() read amounts; also registered as SQL function
// val(). A number beyond the range of a double reads as 0.
double val(const QString &text);
// The same of a text as the database stores it (UTF-8).
double val(std::string_view utf8);

// Display units of a text: a full-width character counts 2, any other 1.
int displayUnits(const QString &text);
// Longest prefix of whole characters that fits into capacity units; the
// whole text for a negative capacity (a column that takes any text).
QString fitToUnits(const QString &text, int capacity);

} // namespace kelm
