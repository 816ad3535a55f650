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

bool fileDocument(Database &db, int registerIndex, const QString &caseNo)
{
    const DocumentEntry &doc = documentAt(registerIndex);
    // A window opening on its filed row writes nothing, not even a lock:
    // a database that cannot be written still shows its documents.
    if (db.scalar(u"SELECT EXISTS (SELECT 1 FROM %1 WHERE dabh = ?)"
                  u" AND NOT EXISTS (SELECT 1 FROM xzcf WHERE dabh = ? AND %2 IS NOT 1)"_s.arg(doc.table,
                                                                                            doc.flagColumn()),
                  {caseNo, caseNo})
        == u"1"_s)
        return false;
    Transaction tx(db);
    const bool created = doc.authorityColumn.isEmpty()
                             ? db.insertRow(doc.table, {u"dabh"_s}, {caseNo})
                             : db.insertRow(doc.table, {u"dabh"_s, doc.authorityColumn}, {caseNo, authorityText()});
    // Only a flag that is not yet set is written.
    db.exec(u"UPDATE xzcf SET %1 = 1 WHERE dabh = ? AND %1 IS NOT 1"_s.arg(doc.flagColumn()), {caseNo});
    tx.commit();
    return created;
}

void withdrawDocument(Database &db, int registerIndex, const QString &caseNo)
{
    const DocumentEntry &doc = documentAt(registerIndex);
    Transaction tx(db);
    db.exec(u"DELETE FROM %1 WHERE dabh = ?"_s.arg(doc.table), {caseNo});
    db.exec(u"UPDATE xzcf SET %1 = 0 WHERE dabh = ?"_s.arg(doc.flagColumn()), {caseNo});
    tx.commit();
}

} // namespace kelm
