#include "cases/statistics/penaltystatistics.h"

#include "cases/statistics/periodcopy.h"
#include "data/documentcatalogue.h"
#include "data/schema.h"
#include "platform/database.h"

#include <QStringList>

#include <cmath>
#include <vector>

using namespace Qt::StringLiterals;

namespace kelm::statistics {

namespace {

const QString resultTable = u"xzcftj"_s;
// The period the stored figures, and so the copy in xzcf2, were counted for.
const QString storedPeriod = u"SELECT tjsj FROM xzcftj"_s;

// An amount read with an exponent can make a sum beyond any number.
void requireFiniteSums(const PenaltyStatistics &s)
{
    for (const Tally &t : s.rows) {
        for (const AmountSum *sum : {&t.confiscated, &t.fine, &t.recalled, &t.destroyed}) {
            if (!std::isfinite(sum->value()))
                throw DbError(u"金额或重量的合计超出了可以计算的范围，无法统计。请检查案件中的金额和重量。"_s);
        }
    }
}

int cellCapacity()
{
    for (const schema::Column &c : schema::find("xzcftj")->columns)
        if (c.name == "a11")
            return c.capacity;
    return 20;
}

// The row of xzcftj: one UPDATE of every column; a file that has lost the
// row gets it back, since the sheet prints nothing without it.
void storeSheet(Database &db, const PenaltyStatistics &s)
{
    std::vector<QString> columns = {u"tbdw"_s, u"tjsj"_s};
    std::vector<QVariant> values = {issuingAuthority, sheetPeriodText(s.start, s.end)};
    for (std::size_t i = 0; i < screenRows().size(); ++i) {
        const int reportRow = screenRows()[i].reportRow;
        for (int c = 1; reportRow > 0 && c <= reportColumnCount; ++c) {
            columns.push_back(cellName(reportRow, c));
            values.push_back(cellText(s.rows[i], c));
        }
    }
    if (db.updateRows(resultTable, columns, values) == 0)
        db.insertRow(resultTable, columns, values);
}

// Freed pages of the copy are left as they are instead of being
// overwritten with zeros (which the system's SQLite does by default): the
// copy holds nothing that xzcf does not, and its new rows take the pages at
// once. The connection's setting is given back afterwards.
class FastDelete {
public:
    explicit FastDelete(Database &db) : m_db(db), m_kept(db.scalar(u"PRAGMA secure_delete"_s).toInt())
    {
        m_db.scalar(u"PRAGMA secure_delete = FAST"_s);
    }
    ~FastDelete()
    {
        try {
            m_db.scalar(u"PRAGMA secure_delete = %1"_s.arg(m_kept));
        } catch (const DbError &) {
            // The setting stays; nothing else changes.
        }
    }
    FastDelete(const FastDelete &) = delete;
    FastDelete &operator=(const FastDelete &) = delete;

private:
    Database &m_db;
    int m_kept;
};

} // namespace

PenaltyStatistics computeStatistics(Database &db, const QDate &start, const QDate &end, const Progress &progress)
{
    if (!start.isValid() || !end.isValid())
        throw DbError(u"没有统计时间。"_s);
    PenaltyStatistics s;
    s.start = start;
    s.end = end;
    FastDelete fastDelete(db);
    Transaction tx(db);
    copyAndCount(db, s, db.scalar(storedPeriod) == sheetPeriodText(start, end), progress);
    requireFiniteSums(s);
    storeSheet(db, s);
    tx.commit();
    return s;
}

QString screenPeriodText(const QDate &start, const QDate &end)
{
    return start.toString(u"yyyy-MM-dd"_s) + u" - "_s + end.toString(u"yyyy-MM-dd"_s);
}

QString sheetPeriodText(const QDate &start, const QDate &end)
{
    const QString longDate = u"yyyy年M月d日"_s;
    return start.toString(longDate) + u" - "_s + end.toString(longDate);
}

QString decimalText(double value)
{
    if (!std::isfinite(value) || value == 0)
        return u"0"_s;
    // Fewer digits where fifteen would not fit the cell: rounded, never cut.
    static const int room = cellCapacity();
    for (int digits = 15;; --digits) {
        const QString text = QString::number(value, 'G', digits);
        if (text.size() <= room || digits == 1)
            return text;
    }
}

namespace {

QString drawnNumber(const QString &text) { return text.startsWith(u'-') ? text : u' ' + text; }

QString drawnAmount(const Tally &t, const AmountSum &sum)
{
    return t.rows == 0 ? u"0"_s : drawnNumber(decimalText(sum.value()));
}

} // namespace

QString drawnText(const Tally &t, ScreenColumn column)
{
    const auto count = [&t](int kind) { return drawnNumber(QString::number(t.penalties[std::size_t(kind)])); };
    switch (column) {
    case ScreenColumn::Warning: return count(0);
    case ScreenColumn::Correction: return count(1);
    case ScreenColumn::Recall: return count(2);
    case ScreenColumn::Suspension: return count(3);
    case ScreenColumn::Destruction: return count(4);
    case ScreenColumn::Confiscation: return count(5);
    case ScreenColumn::ConfiscatedAmount: return drawnAmount(t, t.confiscated);
    case ScreenColumn::Fine: return count(6);
    case ScreenColumn::FineAmount: return drawnAmount(t, t.fine);
    case ScreenColumn::Revocation: return count(7);
    case ScreenColumn::Ban: return count(8);
    case ScreenColumn::Exemption: return count(9);
    case ScreenColumn::Cases: break;
    }
    return drawnNumber(QString::number(t.cases));
}

QString cellName(int reportRow, int reportColumn)
{
    return u"a%1%2"_s.arg(reportRow).arg(reportColumn == 10 ? 0 : reportColumn);
}

QString cellText(const Tally &t, int reportColumn)
{
    const auto count = [&t](int kind) { return QString::number(t.penalties[std::size_t(kind)]); };
    switch (reportColumn) {
    case 1: return QString::number(t.cases);
    case 2: return count(0);
    case 3: return count(1);
    case 4: return count(2);
    case 5: return decimalText(t.recalled.value());
    case 6: return count(3);
    case 7: return count(4);
    case 8: return decimalText(t.destroyed.value());
    case 9: return count(5);
    case 10: return decimalText(t.confiscated.value());
    case 11: return count(6);
    case 12: return decimalText(t.fine.value());
    case 13: return count(7);
    case 14: return count(8);
    default: return {};
    }
}

} // namespace kelm::statistics
