#include "cases/statistics/penaltystatistics.h"

#include "data/documentcatalogue.h"
#include "data/schema.h"
#include "platform/database.h"
#include "platform/dates.h"

#include <QScopeGuard>
#include <QStringList>
#include <SQLiteCpp/Database.h>
#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <chrono>
#include <functional>
#include <future>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace kelm::statistics {

namespace {

const QString acceptanceDates = u"SELECT slsj FROM xzcf GROUP BY slsj"_s;
const QString casesAcceptedOn = u"SELECT dabh FROM xzcf WHERE slsj IS ? OR (? = '' AND slsj IS NULL)"_s;
const QString lastCase = u"SELECT max(rowid) FROM xzcf"_s;
const QString casesInPeriodUpTo = u"SELECT count(*) FROM (SELECT 1 FROM xzcf WHERE slsj BETWEEN ? AND ? LIMIT ?)"_s;
// What a pass reads of a case, from xzcf and from its copy alike.
const QString readColumns = u"rowid, slsj, dabh, dwlb1, dwlb2, lasj, sfja, cf1, cf2, cf3, cf4, cf5, cf6, cf7, cf8, "
                            "cf9, cf10, msje, fkje, shsp, xhsp"_s;
// Each row read is handed to a function of the pass: its values arrive
// without the per-call locking of the column interface.
const char *const passFunction = "kelm_pass_row";
const QString readRows = u"SELECT count(*) FROM xzcf NOT INDEXED WHERE rowid BETWEEN ? AND ? AND kelm_pass_row(%1)"_s.arg(
    readColumns);
const QString readPeriod = u"SELECT count(*) FROM xzcf WHERE slsj BETWEEN ? AND ? AND kelm_pass_row(%1)"_s.arg(
    readColumns);
const QString readCopy = u"SELECT count(*) FROM xzcf2 WHERE kelm_pass_row(%1)"_s.arg(readColumns);
// xzcf2 has exactly these columns in this order. A case keeps its row
// number in the copy, so a block of row numbers can be copied again alone.
const QString copiedColumns = u"dabh, dwlb1, dwlb2, slsj, lasj, sfja, cf1, cf2, cf3, cf4, cf5, cf6, cf7, cf8, cf9, "
                              "cf10, msje, fkje, shsp, xhsp"_s;
const QString clearBlock = u"DELETE FROM xzcf2 WHERE rowid BETWEEN ? AND ?"_s;
const QString clearCopy = u"DELETE FROM xzcf2"_s;
const QString copyPeriod = u"INSERT INTO xzcf2 (rowid, %1) SELECT rowid, %1 FROM xzcf WHERE slsj BETWEEN ? AND ?"_s.arg(
    copiedColumns);
const QString copyBlock = u"INSERT INTO xzcf2 (rowid, %1) SELECT rowid, %1 FROM xzcf "
                          "WHERE rowid BETWEEN ? AND ? AND slsj BETWEEN ? AND ?"_s.arg(copiedColumns);
const QString resultTable = u"xzcftj"_s;

// The columns of readColumns in order.
enum Column { RowId, Accepted, CaseNo, Category, Subcategory, Filed, Closed, FirstPenalty,
              Confiscated = FirstPenalty + penaltyKinds, Fine, Recalled, Destroyed, ColumnCount };

constexpr int listedCases = 5;

DbError unreadableDates(QStringList lines)
{
    if (lines.size() > listedCases)
        lines = lines.mid(0, listedCases) << u"……"_s;
    return DbError(u"下列案件的受理时间不是日期（如 2000-05-26），无法统计。请先在案件登记中改正：\n%1"_s.arg(
        lines.join(u'\n')));
}

QString caseLine(const QString &caseNo, const QString &accepted) { return u"%1  “%2”"_s.arg(caseNo, accepted); }

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
            lines << caseLine(c[0], row[0]);
        if (lines.size() > listedCases)
            break;
    }
    if (!lines.isEmpty())
        throw unreadableDates(lines);
}

std::string_view textOf(sqlite3_value *v)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(v));
    return text ? std::string_view(text, std::size_t(sqlite3_value_bytes(v))) : std::string_view();
}

// Runs a reading statement that hands each row to take(values), which
// returns false to stop. True when every row was taken; a failing
// statement throws DbError.
template <typename Take>
bool eachRow(Database &db, const QString &sql, const Params &params, Take &take)
{
    struct Call {
        Take &take;
        bool stopped = false;
    } state{take};
    sqlite3 *handle = db.raw().getHandle();
    const auto call = [](sqlite3_context *context, int, sqlite3_value **values) {
        auto *c = static_cast<Call *>(sqlite3_user_data(context));
        if (c->take(values)) {
            sqlite3_result_int(context, 1);
        } else {
            c->stopped = true;
            sqlite3_result_error(context, "stopped", -1);
        }
    };
    sqlite3_create_function_v2(handle, passFunction, ColumnCount, SQLITE_UTF8 | SQLITE_DIRECTONLY, &state, call,
                               nullptr, nullptr, nullptr);
    const auto unregister = qScopeGuard([handle] {
        sqlite3_create_function_v2(handle, passFunction, ColumnCount, SQLITE_UTF8, nullptr, nullptr, nullptr,
                                   nullptr, nullptr);
    });
    try {
        db.scalar(sql, params);
    } catch (const DbError &) {
        if (!state.stopped)
            throw;
    }
    return !state.stopped;
}

// Sums of row fingerprints by blocks of 1024 row numbers. A sum does not
// depend on the order the rows come in, so the period read through the
// date index and the copy read in its own order give equal sums where
// their rows are equal.
class BlockSums {
public:
    static constexpr int blockShift = 10;

    void add(sqlite3_value **values)
    {
        m_bytes.clear();
        for (int c = 0; c < ColumnCount; ++c) {
            const int type = sqlite3_value_type(values[c]);
            m_bytes += char(type);
            if (type == SQLITE_INTEGER) {
                const sqlite3_int64 v = sqlite3_value_int64(values[c]);
                m_bytes.append(reinterpret_cast<const char *>(&v), sizeof v);
            } else if (type != SQLITE_NULL) {
                const std::string_view text = textOf(values[c]);
                const auto size = std::uint32_t(text.size());
                m_bytes.append(reinterpret_cast<const char *>(&size), sizeof size).append(text);
            }
        }
        // Rows mostly come in the order of their numbers, block after block.
        const sqlite3_int64 block = sqlite3_value_int64(values[RowId]) >> blockShift;
        if (!m_last || block != m_lastBlock) {
            m_last = &m_sums[block];
            m_lastBlock = block;
        }
        *m_last += std::hash<std::string_view>{}(m_bytes);
    }

    std::size_t blockCount() const { return m_sums.size(); }

    void merge(const BlockSums &other)
    {
        for (const auto &[block, sum] : other.m_sums)
            m_sums[block] += sum;
    }

    // The blocks in which two readings differ.
    static std::vector<sqlite3_int64> differing(const BlockSums &a, const BlockSums &b)
    {
        std::vector<sqlite3_int64> blocks;
        for (const auto &[block, sum] : a.m_sums)
            if (auto other = b.m_sums.find(block); other == b.m_sums.end() || other->second != sum)
                blocks.push_back(block);
        for (const auto &[block, sum] : b.m_sums)
            if (!a.m_sums.contains(block))
                blocks.push_back(block);
        return blocks;
    }

private:
    std::string m_bytes;
    std::unordered_map<sqlite3_int64, std::size_t> m_sums;
    std::size_t *m_last = nullptr;
    sqlite3_int64 m_lastBlock = 0;
};

// Reads what xzcf2 holds, on a connection of its own, while the period's
// cases are read and counted: only the blocks in which the two differ are
// copied again. Stops early when told.
BlockSums readCopyOf(const QString &path, const std::atomic<bool> &stop)
{
    Database db(path, Database::Mode::ReadOnly);
    BlockSums sums;
    int rows = 0;
    auto take = [&](sqlite3_value **values) {
        sums.add(values);
        return ++rows % 4096 != 0 || !stop;
    };
    eachRow(db, readCopy, {}, take);
    return sums;
}

QString qtext(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// The category texts the screen rows name, each a small number; any other
// text takes the number after them. A case is tallied in the cell of its
// two numbers, and each row adds up the cells it takes in.
class CategoryCodes {
public:
    CategoryCodes()
    {
        for (const ScreenRow &row : screenRows()) {
            m_rowCodes.push_back({codeOf(m_categories, row.category), codeOf(m_subcategories, row.subcategory)});
        }
    }
    std::size_t cellCount() const { return (m_categories.size() + 1) * (m_subcategories.size() + 1); }
    std::size_t cellOf(std::string_view category, std::string_view subcategory) const
    {
        return find(m_categories, category) * (m_subcategories.size() + 1) + find(m_subcategories, subcategory);
    }
    // Whether screen row r takes in the cases of a cell.
    bool takes(std::size_t r, std::size_t cell) const
    {
        const auto [category, subcategory] = m_rowCodes[r];
        return (category < 0 || std::size_t(category) == cell / (m_subcategories.size() + 1))
            && (subcategory < 0 || std::size_t(subcategory) == cell % (m_subcategories.size() + 1));
    }

private:
    // -1 for a row without that condition.
    static int codeOf(std::vector<std::string> &texts, const QString &text)
    {
        if (text.isEmpty())
            return -1;
        const std::string utf8 = text.toStdString();
        const auto at = std::find(texts.begin(), texts.end(), utf8);
        if (at != texts.end())
            return int(at - texts.begin());
        texts.push_back(utf8);
        return int(texts.size()) - 1;
    }
    static std::size_t find(const std::vector<std::string> &texts, std::string_view text)
    {
        std::size_t i = 0;
        while (i < texts.size() && texts[i] != text)
            ++i;
        return i;
    }

    std::vector<std::string> m_categories;    // dwlb1
    std::vector<std::string> m_subcategories; // dwlb2
    std::vector<std::pair<int, int>> m_rowCodes;
};

// Reads the period's cases once: checks each acceptance date, counts the
// cases into cells of their category numbers and sums their rows by
// blocks.
class CasePass {
public:
    // Adds the rows it reads to seen now and then, and stops when told.
    CasePass(const QDate &start, const QDate &end, std::atomic<qint64> &seen, const std::atomic<bool> &stop)
        : m_start(start.toString(Qt::ISODate).toStdString()), m_end(end.toString(Qt::ISODate).toStdString()),
          m_cells(m_codes.cellCount()), m_seen(&seen), m_stop(&stop)
    {
    }

    // False stops the pass: told to stop, or enough unreadable dates to
    // tell.
    bool operator()(sqlite3_value **a)
    {
        if (!advance())
            return false;
        const std::string_view accepted = textOf(a[Accepted]);
        if (!parseDate(accepted)) {
            m_unreadable << caseLine(qtext(textOf(a[CaseNo])), qtext(accepted));
            return m_unreadable.size() <= listedCases;
        }
        // Date texts in this one form compare as their days do.
        if (accepted < m_start || accepted > m_end)
            return true;
        Tally &t = m_cells[m_codes.cellOf(textOf(a[Category]), textOf(a[Subcategory]))];
        ++t.rows;
        // The counts count case numbers, as count(dabh) does.
        if (sqlite3_value_type(a[CaseNo]) != SQLITE_NULL) {
            ++t.cases;
            t.filed += !textOf(a[Filed]).empty();
            t.closed += ticked(a[Closed]);
            for (int k = 0; k < penaltyKinds; ++k)
                t.penalties[std::size_t(k)] += ticked(a[FirstPenalty + k]);
        }
        t.confiscated.add(val(textOf(a[Confiscated])));
        t.fine.add(val(textOf(a[Fine])));
        t.recalled.add(val(textOf(a[Recalled])));
        t.destroyed.add(val(textOf(a[Destroyed])));
        m_blocks.add(a);
        return true;
    }

    const QStringList &unreadable() const { return m_unreadable; }
    const BlockSums &blocks() const { return m_blocks; }

    // Takes in what another pass over other rows has read.
    void merge(const CasePass &other)
    {
        for (std::size_t cell = 0; cell < m_cells.size(); ++cell)
            m_cells[cell].add(other.m_cells[cell]);
        m_unreadable << other.m_unreadable;
        m_blocks.merge(other.m_blocks);
    }

    void addTo(PenaltyStatistics &s) const
    {
        for (std::size_t cell = 0; cell < m_cells.size(); ++cell)
            for (std::size_t r = 0; r < s.rows.size(); ++r)
                if (m_cells[cell].rows > 0 && m_codes.takes(r, cell))
                    s.rows[r].add(m_cells[cell]);
    }

private:
    // Counts the row read; false when told to stop.
    bool advance()
    {
        constexpr int batch = 1024;
        if (++m_unreported < batch)
            return true;
        *m_seen += m_unreported;
        m_unreported = 0;
        return !*m_stop;
    }

    static int ticked(sqlite3_value *v) { return sqlite3_value_int(v) == 1 ? 1 : 0; }

    const std::string m_start;
    const std::string m_end;
    const CategoryCodes m_codes;
    std::vector<Tally> m_cells;
    BlockSums m_blocks;
    QStringList m_unreadable;
    std::atomic<qint64> *m_seen;
    const std::atomic<bool> *m_stop;
    int m_unreported = 0;
};

// One reader's share of the period, on a connection of its own.
CasePass readCases(const QString &path, const QString &sql, const Params &params, const QDate &start,
                   const QDate &end, std::atomic<qint64> &seen, const std::atomic<bool> &stop)
{
    Database db(path, Database::Mode::ReadOnly);
    CasePass pass(start, end, seen, stop);
    eachRow(db, sql, params, pass);
    return pass;
}

// How many readers share a whole table: one a pair of cores, up to four,
// and one for a small table.
int readerCount(qint64 rows)
{
    if (rows < 4096)
        return 1;
    return std::clamp(int(std::thread::hardware_concurrency()) / 2, 1, 4);
}

// Counts the period's cases and brings xzcf2 to hold exactly them. The
// cases are read once, in the table's own order when the period holds
// more than about a quarter of them (faster than following the date index
// to each, and every acceptance date is read on the way), shared among
// readers by ranges of row numbers; otherwise through the index, the dates
// being read apart. Meanwhile one more reader reads the copy; the blocks
// of row numbers in which copy and period differ are copied again, so a
// period counted again rewrites only what changed. The readers start
// after the run's write transaction, so they read the cases as it sees
// them, and the calling thread tells the progress.
void copyAndCount(Database &db, PenaltyStatistics &s, const Progress &progress)
{
    const QString start = s.start.toString(Qt::ISODate);
    const QString end = s.end.toString(Qt::ISODate);
    const qint64 all = db.scalar(lastCase).toLongLong();
    const qint64 quarter = all / 4 + 1;
    const qint64 inPeriod = db.scalar(casesInPeriodUpTo, {start, end, quarter}).toLongLong();
    const bool scan = inPeriod >= quarter;
    if (!scan)
        requireAcceptanceDates(db);

    std::atomic<bool> stop = false;
    std::atomic<qint64> seen = 0;
    auto copy = std::async(std::launch::async, readCopyOf, db.path(), std::cref(stop));
    std::vector<std::future<CasePass>> parts;
    const auto read = [&](const QString &sql, const Params &params) {
        parts.push_back(std::async(std::launch::async, readCases, db.path(), sql, params, s.start, s.end,
                                   std::ref(seen), std::cref(stop)));
    };
    if (scan) {
        const int readers = readerCount(all);
        for (int i = 0; i < readers; ++i) {
            const qint64 first = i == 0 ? std::numeric_limits<qint64>::min() : all * i / readers + 1;
            const qint64 last = i == readers - 1 ? std::numeric_limits<qint64>::max() : all * (i + 1) / readers;
            read(readRows, {first, last});
        }
    } else {
        read(readPeriod, {start, end});
    }

    bool cancelled = false;
    int percent = -1;
    const auto tell = [&](int now) {
        if (now <= percent || cancelled)
            return;
        percent = now;
        cancelled = progress && !progress(now);
        if (cancelled)
            stop = true;
    };
    // Reading is the first half of the bar, writing the second.
    tell(0);
    const qint64 expected = std::max<qint64>(1, scan ? all : inPeriod);
    for (auto &part : parts)
        while (part.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready)
            tell(int(std::min<qint64>(49, seen * 50 / expected)));
    std::optional<CasePass> pass;
    try {
        for (auto &part : parts) {
            if (pass)
                pass->merge(part.get());
            else
                pass.emplace(part.get());
        }
    } catch (...) {
        stop = true;
        throw;
    }
    if (!pass->unreadable().isEmpty())
        stop = true;
    const BlockSums held = copy.get();
    tell(50);
    if (!pass->unreadable().isEmpty())
        throw unreadableDates(pass->unreadable());

    const auto written = [&](std::size_t done, std::size_t steps) {
        tell(50 + int(49 * done / std::max<std::size_t>(steps, 1)));
        if (cancelled)
            throw Cancelled();
    };
    written(0, 1);
    const std::vector<sqlite3_int64> changed = BlockSums::differing(pass->blocks(), held);
    if (changed.size() > pass->blocks().blockCount() / 2 && !scan) {
        db.exec(clearCopy);
        db.exec(copyPeriod, {start, end});
    } else if (changed.size() > pass->blocks().blockCount() / 2) {
        // A copy of another period is replaced whole, in parts of the
        // table for the progress.
        db.exec(clearCopy);
        constexpr int parts = 25;
        for (int i = 0; i < parts; ++i) {
            const qint64 first = i == 0 ? std::numeric_limits<qint64>::min() : all * i / parts + 1;
            const qint64 last = i == parts - 1 ? std::numeric_limits<qint64>::max() : all * (i + 1) / parts;
            db.exec(copyBlock, {first, last, start, end});
            written(std::size_t(i + 1), parts);
        }
    } else {
        for (std::size_t i = 0; i < changed.size(); ++i) {
            const qint64 first = changed[i] << BlockSums::blockShift;
            const qint64 last = first + (1 << BlockSums::blockShift) - 1;
            db.exec(clearBlock, {first, last});
            db.exec(copyBlock, {first, last, start, end});
            written(i + 1, changed.size());
        }
    }
    written(1, 1);
    pass->addTo(s);
}

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
    QStringList sets;
    Params params;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        sets << columns[i] + u" = ?"_s;
        params.push_back(Database::fitted(resultTable, columns[i], values[i].toString()));
    }
    if (db.exec(u"UPDATE %1 SET %2"_s.arg(resultTable, sets.join(u", "_s)), params) == 0)
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
