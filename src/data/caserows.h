// The rows filed under a case number outside the case table itself: one row
// per document table (22) and any rows of qtzl. These statements move them
// with a renumbered case, remove them with a deleted case, and create a
// document's row the way the register's first tick does.
#pragma once

#include <QString>

namespace kelm {

class Database;

// Moves every document row and qtzl row of case `from` to case `to`.
void renumberCaseRows(Database &db, const QString &from, const QString &to);

// Deletes every document row and qtzl row of the case.
void deleteCaseRows(Database &db, const QString &caseNo);

// Creates document k's row for the case when it has none: the case number
// and, where the document has one, the authority text in its authority
// column. True when a row was created.
bool ensureDocumentRow(Database &db, int registerIndex, const QString &caseNo);

} // namespace kelm
