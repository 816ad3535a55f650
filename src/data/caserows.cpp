#include "data/caserows.h"

#include "data/documentcatalogue.h"
#include "platform/database.h"

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

// The document tables in register order, then qtzl.
QStringList filedTables()
{
    QStringList tables;
    for (const DocumentEntry &e : documentCatalogue())
        tables << e.table;
    tables << u"qtzl"_s;
    return tables;
}

} // namespace

void renumberCaseRows(Database &db, const QString &from, const QString &to)
{
    if (from == to)
        return;
    for (const QString &table : filedTables())
        db.exec(u"UPDATE %1 SET dabh = ? WHERE dabh = ?"_s.arg(table), {to, from});
}

void deleteCaseRows(Database &db, const QString &caseNo)
{
    for (const QString &table : filedTables())
        db.exec(u"DELETE FROM %1 WHERE dabh = ?"_s.arg(table), {caseNo});
}

bool ensureDocumentRow(Database &db, int registerIndex, const QString &caseNo)
{
    const DocumentEntry &doc = documentAt(registerIndex);
    if (doc.authorityColumn.isEmpty())
        return db.insertRow(doc.table, {u"dabh"_s}, {caseNo});
    return db.insertRow(doc.table, {u"dabh"_s, doc.authorityColumn}, {caseNo, authorityText()});
}

} // namespace kelm
