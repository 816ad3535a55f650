#include "cases/engine/documentrow.h"

#include "cases/engine/description.h"
#include "data/caserows.h"
#include "data/connection.h"

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

// Table and column names come from the description, never from typing.
const QString selectRow = u"SELECT %2 FROM %1 WHERE dabh = ?"_s;
const QString keyColumn = u"dabh"_s;

} // namespace

DocumentRow::DocumentRow(const DocumentDescription &d)
    : m_table(d.document.table), m_registerIndex(d.document.index)
{
    for (const BoxSpec &b : d.boxes)
        m_columns << b.column;
}

std::vector<QString> DocumentRow::open(const QString &caseNo)
{
    m_caseNo = caseNo;
    fileDocument(db(), m_registerIndex, caseNo);
    return read();
}

std::vector<QString> DocumentRow::read()
{
    const Rows rows = db().select(selectRow.arg(m_table, m_columns.join(u", "_s)), {m_caseNo});
    if (rows.empty())
        return std::vector<QString>(std::size_t(m_columns.size()));
    return rows.values.front();
}

QString DocumentRow::fit(int box, const QString &text) const
{
    return fitToUnits(text, db().capacity(m_table, m_columns.at(box)));
}

QString DocumentRow::write(int box, const QString &text)
{
    return db().writeColumn(m_table, m_columns.at(box), keyColumn, m_caseNo, text);
}

void DocumentRow::remove() { withdrawDocument(db(), m_registerIndex, m_caseNo); }

} // namespace kelm
