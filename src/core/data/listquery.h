// The statement of a list: a query window's grid and its list report turn
// the current list query into the same statement, so the report prints
// exactly the rows, in exactly the order, that the grid shows.
#pragma once

#include "data/appvalues.h"
#include "platform/database.h"

namespace kelm {

struct ListStatement {
    QString sql;
    Params params;
};

// Every column of the rows whose filter column begins with the prefix (all
// rows for an empty prefix), in the order of the sort column, ties in
// stored order. The prefix is data: an apostrophe, "%" or "_" matches
// itself, and letters compare as the column does, regardless of case.
// Throws DbError for a table or column that the schema does not have.
ListStatement listStatement(const ListQuery &query);
// The number of those rows.
ListStatement countStatement(const ListQuery &query);
// The row ids of those rows in the same order: what a list report pages
// over without holding the rows.
ListStatement keyStatement(const ListQuery &query);

// Those of the columns that the table has. Throws DbError for a table that
// the schema does not have.
std::vector<QString> existingColumns(const QString &table, const std::vector<QString> &columns);
// The row id and the columns of the table's rows with the given row ids,
// in no particular order. Throws DbError for a table or column that the
// schema does not have.
ListStatement rowsByIdStatement(const QString &table, const std::vector<QString> &columns,
                                const std::vector<qint64> &ids);

Rows listRows(const ListQuery &query);
qint64 listCount(const ListQuery &query);

} // namespace kelm
