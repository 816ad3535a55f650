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

Cancelled::Cancelled() : std::runtime_error("statistics cancelled") { }

void AmountSum::add(double value)
{
    // Neumaier's summation: the compensation keeps what each addition lost.
    const double t = m_sum + value;
    if (std::abs(m_sum) >= std::abs(value))
        m_compensation += (m_sum - t) + value;
    else
        m_compensation += (value - t) + m_sum;
    m_sum = t;
}

void AmountSum::add(const AmountSum &other)
{
    add(other.m_sum);
    add(other.m_compensation);
}

void Tally::add(const Tally &other)
{
    rows += other.rows;
    cases += other.cases;
    filed += other.filed;
    closed += other.closed;
    for (std::size_t k = 0; k < penalties.size(); ++k)
        penalties[k] += other.penalties[k];
    confiscated.add(other.confiscated);
    fine.add(other.fine);
    recalled.add(other.recalled);
    destroyed.add(other.destroyed);
}

const std::array<ScreenRow, screenRowCount> &screenRows()
{
    static const QString food = u"食品卫生"_s;
    static const QString publicPlace = u"公共场所"_s;
    // Each group's 其他 row takes the 其他 cases of its own group only, as
    // its 合计 row does.
    static const std::array<ScreenRow, screenRowCount> rows = {{
        {u"生产加工"_s, {}, u"生产加工"_s, 2},
        {u"批发零售"_s, {}, u"批发零售"_s, 3},
        {u"饮食"_s, {}, u"饮食"_s, 4},
        {u"食堂"_s, {}, u"食堂"_s, 5},
        {u"食品摊贩"_s, {}, u"食品摊贩"_s, 6},
        {u"其他"_s, food, u"其他"_s, 0},
        {u"合计"_s, food, {}, 1},
        {u"旅馆业"_s, {}, u"旅店"_s, 0},
        {u"文化娱乐"_s, {}, u"文化娱乐"_s, 0},
        {u"浴室"_s, {}, u"浴室"_s, 0},
        {u"理发、美容"_s, {}, u"理发、美容"_s, 0},
        {u"商场、商店"_s, {}, u"商场、商店"_s, 0},
        {u"其他"_s, publicPlace, u"其他"_s, 0},
        {u"合计"_s, publicPlace, {}, 0},
        {u"其  他"_s, u"其他"_s, {}, 0},
        {u"总  计"_s, {}, {}, 0},
    }};
    return rows;
}

PenaltyStatistics computeStatistics(Database &db, const QDate &start, const QDate &end, const Progress &progress)
{
    if (!start.isValid() || !end.isValid())
        throw DbError(u"没有统计时间。"_s);
    PenaltyStatistics s;
    s.start = start;
    s.end = end;
    FastDelete fastDelete(db);
    Transaction tx(db);
    copyAndCount(db, s, progress);
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
