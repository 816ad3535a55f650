#include "support/documentrows.h"

#include "cases/engine/description.h"
#include "data/connection.h"
#include "platform/database.h"

using namespace Qt::StringLiterals;

namespace kelm::test {

void writeRow(const DocumentDescription &d, const QString &caseNo,
              const std::function<QString(const BoxSpec &)> &value)
{
    Transaction tx(db());
    db().insertRow(d.document.table, {u"dabh"_s}, {caseNo});
    for (const BoxSpec &b : d.boxes)
        db().writeColumn(d.document.table, b.column, u"dabh"_s, caseNo, value(b));
    tx.commit();
}

bool isDatePart(const QString &column)
{
    return column.endsWith(u"_y"_s) || column.endsWith(u"_m"_s) || column.endsWith(u"_d"_s);
}

QString datePartValue(const QString &column)
{
    return column.endsWith(u"_y"_s) ? u"2002"_s : column.endsWith(u"_m"_s) ? u"05"_s : u"26"_s;
}

QString storedValue(const QString &table, const QString &column, const QString &caseNo)
{
    return db().scalar(u"SELECT %1 FROM %2 WHERE dabh = ?"_s.arg(column, table), {caseNo});
}

} // namespace kelm::test
