#include "cases/statistics/penaltystatistics.h"

#include "data/documentcatalogue.h"
#include "platform/database.h"
#include "platform/dates.h"

#include <QStringList>
#include <SQLiteCpp/Database.h>
#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

using namespace Qt::StringLiterals;

namespace kelm::statistics {

namespace {

const QString acceptanceDates = u"SELECT slsj FROM xzcf GROUP BY slsj"_s;
const QString casesAcceptedOn = u"SELECT dabh FROM xzcf WHERE slsj IS ? OR (? = '' AND slsj IS NULL)"_s;
const QString clearCopy = u"DELETE FROM xzcf2"_s;
// xzcf2 has exactly these columns in this order. Every acceptance date is
// a checked yyyy-mm-dd text by now, so comparing texts compares days.
const QString copyPeriod = u"INSERT INTO xzcf2 SELECT dabh, dwlb1, dwlb2, slsj, lasj, sfja, cf1, cf2, cf3, cf4, "
                           "cf5, cf6, cf7, cf8, cf9, cf10, msje, fkje, shsp, xhsp FROM xzcf "
                           "WHERE slsj BETWEEN ? AND ?"_s;
// One row a case: the categories, the filed and closed marks and the ten
// penalty flags as bits 0 to 11 of one number, and the four amounts.
const char *const readCopy =
    "SELECT dwlb1, dwlb2, (ifnull(lasj, '') <> '') + 2 * (sfja IS 1) + 4 * (cf1 IS 1) + 8 * (cf2 IS 1) "
    "+ 16 * (cf3 IS 1) + 32 * (cf4 IS 1) + 64 * (cf5 IS 1) + 128 * (cf6 IS 1) + 256 * (cf7 IS 1) "
    "+ 512 * (cf8 IS 1) + 1024 * (cf9 IS 1) + 2048 * (cf10 IS 1), msje, fkje, shsp, xhsp FROM xzcf2";
const QString resultTable = u"xzcftj"_s;

// Stops the run when a case's acceptance date cannot be read: it could
// belong to the period, so no count without it would be right. Each
// distinct date text is read once.
void requireAcceptanceDates(Database &db)
{
    QStringList lines;
    for (const auto &row : db.select(acceptanceDates).values) {
        if (isDateText(row[0]))
            continue;
        for (const auto &c : db.select(casesAcceptedOn, {row[0], row[0]}).values)
            lines << u"%1  “%2”"_s.arg(c[0], row[0]);
        if (lines.size() > 5)
            break;
    }
    if (lines.isEmpty())
        return;
    if (lines.size() > 5)
        lines = lines.mid(0, 5) << u"……"_s;
    throw DbError(u"下列案件的受理时间不是日期（如 2000-05-26），无法统计。请先在案件登记中改正：\n%1"_s.arg(
        lines.join(u'\n')));
}

using GroupKey = std::pair<std::string, std::string>; // dwlb1, dwlb2 as stored

struct StatementDeleter {
    void operator()(sqlite3_stmt *st) const { sqlite3_finalize(st); }
};

std::string_view textOf(sqlite3_stmt *st, int column)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(st, column));
    return text ? std::string_view(text, std::size_t(sqlite3_column_bytes(st, column))) : std::string_view();
}

// Amounts as val() reads them. The same few amounts recur case after
// case, so each distinct text is read once a run.
class AmountReader {
public:
    double operator()(std::string_view text)
    {
        m_key.assign(text);
        auto known = m_read.find(m_key);
        if (known == m_read.end())
            known = m_read.emplace(m_key, val(QString::fromUtf8(text.data(), qsizetype(text.size())))).first;
        return known->second;
    }

private:
    std::string m_key;
    std::unordered_map<std::string, double> m_read;
};

// One pass over the copied cases, tallied by their two category texts.
std::map<GroupKey, Tally> tallyByCategory(Database &db)
{
    sqlite3 *handle = db.raw().getHandle();
    sqlite3_stmt *raw = nullptr;
    if (sqlite3_prepare_v2(handle, readCopy, -1, &raw, nullptr) != SQLITE_OK)
        throw engineError(sqlite3_extended_errcode(handle), QString::fromUtf8(sqlite3_errmsg(handle)));
    const std::unique_ptr<sqlite3_stmt, StatementDeleter> st(raw);
    std::map<GroupKey, Tally> groups;
    GroupKey key;
    AmountReader amount;
    int rc;
    while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
        key.first.assign(textOf(raw, 0));
        key.second.assign(textOf(raw, 1));
        auto group = groups.find(key);
        if (group == groups.end())
            group = groups.emplace(key, Tally{}).first;
        Tally &t = group->second;
        const int marks = sqlite3_column_int(raw, 2);
        ++t.cases;
        t.filed += marks & 1;
        t.closed += (marks >> 1) & 1;
        for (int k = 0; k < penaltyKinds; ++k)
            t.penalties[std::size_t(k)] += (marks >> (2 + k)) & 1;
        t.confiscated.add(amount(textOf(raw, 3)));
        t.fine.add(amount(textOf(raw, 4)));
        t.recalled.add(amount(textOf(raw, 5)));
        t.destroyed.add(amount(textOf(raw, 6)));
    }
    if (rc != SQLITE_DONE)
        throw engineError(sqlite3_extended_errcode(handle), QString::fromUtf8(sqlite3_errmsg(handle)));
    return groups;
}

bool matches(const ScreenRow &row, const QString &category, const QString &subcategory)
{
    return (row.category.isEmpty() || row.category == category)
        && (row.subcategory.isEmpty() || row.subcategory == subcategory);
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
    QStringList sets;
    Params params;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        sets << columns[i] + u" = ?"_s;
        params.push_back(Database::fitted(resultTable, columns[i], values[i].toString()));
    }
    if (db.exec(u"UPDATE %1 SET %2"_s.arg(resultTable, sets.join(u", "_s)), params) == 0)
        db.insertRow(resultTable, columns, values);
}

// A page cache large enough for the run: with the connection's default of
// 2 MB, copying 100,000 cases spills to the file before the commit and
// the counting pass reads the pages from the file again.
class LargerCache {
public:
    explicit LargerCache(Database &db) : m_db(db), m_kept(db.scalar(u"PRAGMA cache_size"_s).toInt())
    {
        m_db.exec(u"PRAGMA cache_size = -65536"_s);
    }
    ~LargerCache()
    {
        try {
            m_db.exec(u"PRAGMA cache_size = %1"_s.arg(m_kept));
        } catch (const DbError &) {
            // The larger cache stays; nothing else changes.
        }
    }
    LargerCache(const LargerCache &) = delete;
    LargerCache &operator=(const LargerCache &) = delete;

private:
    Database &m_db;
    int m_kept;
};

} // namespace

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

PenaltyStatistics computeStatistics(Database &db, const QDate &start, const QDate &end)
{
    if (!start.isValid() || !end.isValid())
        throw DbError(u"没有统计时间。"_s);
    PenaltyStatistics s;
    s.start = start;
    s.end = end;
    LargerCache cache(db);
    Transaction tx(db);
    requireAcceptanceDates(db);
    db.exec(clearCopy);
    db.exec(copyPeriod, {start.toString(Qt::ISODate), end.toString(Qt::ISODate)});
    for (const auto &[key, tally] : tallyByCategory(db)) {
        const QString category = QString::fromStdString(key.first);
        const QString subcategory = QString::fromStdString(key.second);
        for (std::size_t i = 0; i < screenRows().size(); ++i)
            if (matches(screenRows()[i], category, subcategory))
                s.rows[i].add(tally);
    }
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
    const int exponent = int(std::floor(std::log10(std::abs(value))));
    QString text = QString::number(value, 'f', std::clamp(14 - exponent, 0, 20));
    if (text.contains(u'.')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    return text == u"-0"_s ? u"0"_s : text;
}

namespace {

QString drawnNumber(const QString &text) { return text.startsWith(u'-') ? text : u' ' + text; }

QString drawnAmount(const Tally &t, const AmountSum &sum)
{
    return t.cases == 0 ? u"0"_s : drawnNumber(decimalText(sum.value()));
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
