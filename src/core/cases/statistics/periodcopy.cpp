#include "cases/statistics/periodcopy.h"

#include "data/connection.h"
#include "platform/database.h"
#include "platform/dates.h"

#include <QScopeGuard>
#include <QStringList>
#include <SQLiteCpp/Database.h>
#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
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
    Database db(path, storedSchema(), Database::Mode::ReadOnly);
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
    Database db(path, storedSchema(), Database::Mode::ReadOnly);
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

// Row numbers of share i of n of a table whose last row is numbered all;
// the first and last shares reach past the ends, so no row is missed.
std::pair<qint64, qint64> share(qint64 all, int i, int n)
{
    const qint64 first = i == 0 ? std::numeric_limits<qint64>::min() : all * i / n + 1;
    const qint64 last = i == n - 1 ? std::numeric_limits<qint64>::max() : all * (i + 1) / n;
    return {first, last};
}

} // namespace

void copyAndCount(Database &db, PenaltyStatistics &s, bool samePeriod, const Progress &progress)
{
    const QString start = s.start.toString(Qt::ISODate);
    const QString end = s.end.toString(Qt::ISODate);
    const qint64 all = db.scalar(lastCase).toLongLong();
    const qint64 quarter = all / 4 + 1;
    const qint64 inPeriod = db.scalar(casesInPeriodUpTo, {start, end, quarter}).toLongLong();
    const bool scan = inPeriod >= quarter;
    if (!scan)
        requireAcceptanceDates(db);
    // The copy of another period is rewritten whole. The copy is written
    // once the readers are done: in the rollback journal a writer whose
    // pages outgrow its cache needs the file to itself, and would wait for
    // the readers while new readers waited for it.

    std::atomic<bool> stop = false;
    std::atomic<qint64> seen = 0;
    std::future<BlockSums> copy;
    if (samePeriod)
        copy = std::async(std::launch::async, readCopyOf, db.path(), std::cref(stop));
    std::vector<std::future<CasePass>> parts;
    const auto read = [&](const QString &sql, const Params &params) {
        parts.push_back(std::async(std::launch::async, readCases, db.path(), sql, params, s.start, s.end,
                                   std::ref(seen), std::cref(stop)));
    };
    if (scan) {
        const int readers = readerCount(all);
        for (int i = 0; i < readers; ++i) {
            const auto [first, last] = share(all, i, readers);
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
    const BlockSums held = samePeriod ? copy.get() : BlockSums();
    tell(50);
    if (!pass->unreadable().isEmpty())
        throw unreadableDates(pass->unreadable());

    const auto written = [&](std::size_t done, std::size_t steps) {
        tell(50 + int(49 * done / std::max<std::size_t>(steps, 1)));
        if (cancelled)
            throw Cancelled();
    };
    // In parts of the table, for the progress and to stop between them.
    const auto rewriteWhole = [&] {
        db.exec(clearCopy);
        if (!scan) {
            db.exec(copyPeriod, {start, end});
            return;
        }
        constexpr int writeParts = 25;
        for (int i = 0; i < writeParts; ++i) {
            const auto [first, last] = share(all, i, writeParts);
            db.exec(copyBlock, {first, last, start, end});
            written(std::size_t(i + 1), writeParts);
        }
    };
    written(0, 1);
    if (!samePeriod) {
        rewriteWhole();
    } else {
        const std::vector<sqlite3_int64> changed = BlockSums::differing(pass->blocks(), held);
        if (changed.size() > pass->blocks().blockCount() / 2) {
            rewriteWhole();
        } else {
            for (std::size_t i = 0; i < changed.size(); ++i) {
                const qint64 first = changed[i] << BlockSums::blockShift;
                const qint64 last = first + (1 << BlockSums::blockShift) - 1;
                db.exec(clearBlock, {first, last});
                db.exec(copyBlock, {first, last, start, end});
                written(i + 1, changed.size());
            }
        }
    }
    written(1, 1);
    pass->addTo(s);
}

} // namespace kelm::statistics
