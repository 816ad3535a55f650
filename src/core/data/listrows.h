// The rows of a list report read by position: the row ids of the list in
// its order are read once, and the printed columns of a row only when a
// page shows or prints it. A million-row list then costs its row ids (8
// bytes a row) and the rows of the pages in view.
#pragma once

#include "data/appvalues.h"
#include "platform/database.h"
#include "platform/mappedallocator.h"
#include "platform/progress.h"
#include "platform/rowsource.h"

#include <memory>
#include <optional>

namespace kelm {

using RowIdVector = std::vector<qint64, MappedAllocator<qint64>>;
using RowIds = std::shared_ptr<const RowIdVector>;

// The row ids of the query's list in its order, read on db. expected is
// the number of rows the list is known to hold (0 when not known), for the
// progress; nothing when cancelled. Throws DbError.
std::optional<RowIds> readRowIds(Database &db, const ListQuery &query, qint64 expected, Progress &progress);

class ListRows : public report::RowSource {
public:
    // The given columns of table's rows with these ids, read on db, which
    // must outlive this. Throws DbError for an unknown table.
    ListRows(Database &db, const QString &table, const std::vector<QString> &columns, RowIds ids);

    std::size_t size() const override { return m_ids->size(); }
    const std::vector<QString> &columns() const override { return m_columns; }
    // A row deleted since its id was read shows empty values.
    const std::vector<QString> &row(std::size_t i) override;

private:
    Database &m_db;
    QString m_table;
    std::vector<QString> m_columns;
    RowIds m_ids;
    // The rows of one block of ids, read in one statement.
    std::size_t m_blockStart = 0;
    std::vector<std::vector<QString>> m_block;
};

} // namespace kelm
