// A forward cursor over a query's rows, kept open between reads, so a list
// of a million rows is read a screenful at a time instead of at once.
#pragma once

#include "platform/database.h"

#include <memory>

namespace kelm {

class QueryCursor {
public:
    // Prepares and binds the statement; throws DbError. The cursor must not
    // outlive the connection.
    QueryCursor(Database &db, const QString &sql, const Params &params);
    ~QueryCursor();
    QueryCursor(const QueryCursor &) = delete;
    QueryCursor &operator=(const QueryCursor &) = delete;

    const std::vector<QString> &columns() const { return m_columns; }
    int columnIndex(const QString &name) const; // -1 when absent

    // Appends up to count further rows, each holding the wanted columns as
    // text (NULL as empty text). Throws DbError.
    void fetch(std::size_t count, const std::vector<int> &wanted, std::vector<std::vector<QString>> &out);
    // Appends up to count further values of the first column as whole
    // numbers (row ids). Throws DbError.
    void fetchIds(std::size_t count, std::vector<qint64> &out);
    bool atEnd() const { return m_atEnd; }

private:
    std::unique_ptr<SQLite::Statement> m_statement;
    std::vector<QString> m_columns;
    bool m_atEnd = false;
};

} // namespace kelm
