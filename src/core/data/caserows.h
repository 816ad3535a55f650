// The rows filed under a case number outside the case table itself: one row
// per document table (22) and any rows of qtzl. These statements move them
// with a renumbered case, remove them with a deleted case, and file or
// withdraw one document of a case. A document's row and the case's flag
// bg(k+1) change together in one transaction, so whoever reads the case
// afterwards sees whether the document exists.
#pragma once

#include <QString>

namespace kelm {

class Database;

// Moves every document row and qtzl row of case `from` to case `to`.
void renumberCaseRows(Database &db, const QString &from, const QString &to);

// Deletes every document row and qtzl row of the case.
void deleteCaseRows(Database &db, const QString &caseNo);

// Files document k for the case: creates its row when the case has none
// (the case number and, where the document has one, the authority text in
// its authority column) and marks the case's flag yes. True when a row was
// created.
bool fileDocument(Database &db, int registerIndex, const QString &caseNo);

// Deletes document k's row of the case and marks the case's flag no.
void withdrawDocument(Database &db, int registerIndex, const QString &caseNo);

} // namespace kelm
