#include "platform/database.h"

#include "platform/journalcheck.h"
#include "platform/lockwait.h"
#include "platform/systemerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <SQLiteCpp/Backup.h>
#include <SQLiteCpp/SQLiteCpp.h>
#include <sqlite3.h>

#include <cerrno>
#include <charconv>
#include <chrono>
#include <cmath>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

bool isWide(char32_t c)
{
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E)
        || (c >= 0x3041 && c <= 0x33FF) || (c >= 0x3400 && c <= 0x4DBF)
        || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF)
        || (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF)
        || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60)
        || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1F64F)
        || (c >= 0x1F900 && c <= 0x1F9FF) || (c >= 0x20000 && c <= 0x3FFFD);
}

void sqlVal(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
    sqlite3_result_double(ctx, text ? val(std::string_view(text, std::size_t(sqlite3_value_bytes(argv[0])))) : 0.0);
}

} // namespace

void bindParams(SQLite::Statement &st, const Params &params)
{
    int i = 1;
    for (const QVariant &v : params) {
        if (v.isNull())
            st.bind(i, nullptr);
        else if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong
                 || v.typeId() == QMetaType::Bool)
            st.bind(i, static_cast<int64_t>(v.toLongLong()));
        else if (v.typeId() == QMetaType::Double)
            st.bind(i, v.toDouble());
        else
            st.bind(i, v.toString().toStdString());
        ++i;
    }
}

namespace {

// Table and column names come from fixed lists in the code; every value
// is a bound parameter.
const QString insertSql = u"INSERT INTO %1 (%2) VALUES (%3)"_s;
const QString insertOrSkipSql = u"INSERT OR IGNORE INTO %1 (%2) VALUES (%3)"_s;
const QString updateSql = u"UPDATE %1 SET %2"_s;
const QString updateWhereSql = u"UPDATE %1 SET %2 WHERE %3"_s;
const QString writeColumnSql = u"UPDATE %1 SET %2 = ? WHERE %3 = ?"_s;
const QString readColumnSql = u"SELECT %2 FROM %1 WHERE %3 = ?"_s;

QString names(const std::vector<QString> &columns)
{
    QStringList list(columns.begin(), columns.end());
    return list.join(u", "_s);
}

QString marks(std::size_t count) { return QStringList(qsizetype(count), u"?"_s).join(u", "_s); }

// Whether a failing step of the online backup failed in writing its
// target; reading the database fails otherwise.
bool writesTheCopy(int resultCode)
{
    switch (resultCode) {
    case SQLITE_IOERR_WRITE:
    case SQLITE_IOERR_FSYNC:
    case SQLITE_IOERR_TRUNCATE:
    case SQLITE_IOERR_DIR_FSYNC: return true;
    default: break;
    }
    switch (resultCode & 0xff) {
    case SQLITE_FULL:
    case SQLITE_READONLY:
    case SQLITE_CANTOPEN:
    case SQLITE_PERM: return true;
    default: return false;
    }
}

bool isConstraint(const SQLite::Exception &e)
{
    return (e.getErrorCode() & 0xff) == SQLITE_CONSTRAINT;
}

// Connections of this process open their file one at a time. A journal
// check holds the file's lock bytes while it looks; a second check meeting
// them would take them for a save under way and let its journal be.
std::mutex &openingLock()
{
    static std::mutex lock;
    return lock;
}

QString columnText(SQLite::Statement &st, int i)
{
    SQLite::Column c = st.getColumn(i);
    if (c.isNull())
        return {};
    return QString::fromUtf8(c.getText());
}

} // namespace

DuplicateKey::DuplicateKey() : DbError(u"记录的编号已存在。"_s) { }

int Rows::columnIndex(const QString &name) const
{
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (columns[i].compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

QString Rows::value(std::size_t row, const QString &column) const
{
    const int c = columnIndex(column);
    if (row >= values.size() || c < 0)
        return {};
    return values[row][std::size_t(c)];
}

Database::Database(const QString &path, const StoredSchema &schema, Mode mode) : m_path(path), m_schema(schema)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw DbError(u"找不到数据库文件 %1。"_s.arg(path), DbFailure::CannotOpen);
    if (!info.isFile() || !info.isReadable())
        throw DbError(u"无法读取数据库文件 %1。"_s.arg(path), DbFailure::NoAccess);
    // A file that cannot be written is still shown: opened for reading only,
    // every write is then refused with the reason instead of half-failing
    // when the engine tries to put its journal beside the file.
    if (mode == Mode::ReadWrite && !writeRefusal(path).isEmpty())
        mode = Mode::ReadOnly;
    try {
        open(mode);
    } catch (const DbError &e) {
        // A journal set aside stays told when the file then fails.
        if (m_journalNotice.isEmpty())
            throw;
        throw DbError(e.message() + u"\n\n"_s + m_journalNotice, e.kind());
    }
}

void Database::open(Mode mode)
{
    int version = 0;
    try {
        SettledJournal settled;
        {
            const std::lock_guard opening(openingLock());
            settled = settleJournal(m_path);
            m_journalNotice = settled.notice;
            m_db = std::make_unique<SQLite::Database>(
                m_path.toStdString(), mode == Mode::ReadOnly ? SQLite::OPEN_READONLY : SQLite::OPEN_READWRITE);
        }
        configure();
        checkSettledFile(m_db->getHandle(), m_path, settled);
        SQLite::Statement st(*m_db, "PRAGMA user_version");
        st.executeStep();
        version = st.getColumn(0).getInt();
    } catch (const SQLite::Exception &e) {
        throw failure(e);
    }
    // Any other SQLite file, an empty one included, has version 0.
    if (version == 0)
        throw DbError(failureText(DbFailure::NotOurs, m_path), DbFailure::NotOurs);
    if (version != m_schema.version)
        throw DbError(u"数据库文件 %1 不是本程序所用的版本。"_s.arg(m_path), DbFailure::NotOurs);
}

std::unique_ptr<Database> Database::createNew(const QString &path, const StoredSchema &schema)
{
    if (const QFileInfo info(path); info.exists() && info.size() > 0)
        throw DbError(u"文件 %1 已存在，不能覆盖。"_s.arg(path));
    std::unique_ptr<Database> db(new Database(schema));
    db->m_path = path;
    try {
        db->m_db = std::make_unique<SQLite::Database>(path.toStdString(),
                                                      SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        db->configure();
    } catch (const SQLite::Exception &e) {
        throw db->failure(e);
    }
    return db;
}

Database::Database(const StoredSchema &schema) : m_schema(schema) { }

Database::~Database() = default;

void Database::configure()
{
    m_lockWait = std::make_unique<LockWait>(m_db->getHandle(), m_path);
    m_db->exec("PRAGMA synchronous=FULL");
    // The rollback journal: outside a commit kelm.mdb alone is the whole
    // database, so a copy of the file is always a sound database. A file
    // once kept in the write-ahead log takes its log in here and is whole
    // by itself again from then on.
    if (sqlite3_db_readonly(m_db->getHandle(), "main") != 1)
        m_db->exec("PRAGMA journal_mode=DELETE");
    m_db->exec("PRAGMA foreign_keys=OFF");
    sqlite3_create_function_v2(m_db->getHandle(), "val", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                               nullptr, sqlVal, nullptr, nullptr, nullptr);
}

DbError Database::failure(const SQLite::Exception &e) const
{
    const int systemError = m_db ? sqlite3_system_errno(m_db->getHandle()) : 0;
    if (e.getExtendedErrorCode() == SQLITE_READONLY_DBMOVED)
        return engineError(SQLITE_READONLY_DBMOVED, m_path);
    const DbFailure kind = failureKind(e.getErrorCode(), systemError);
    if (kind == DbFailure::ReadOnly || kind == DbFailure::CannotOpen) {
        const QString refusal = writeRefusal(m_path);
        if (!refusal.isEmpty())
            return DbError(refusal, DbFailure::ReadOnly);
    }
    return engineError(e.getErrorCode(), m_path, systemError);
}

SQLite::Database &Database::raw() { return *m_db; }

int Database::exec(const QString &sql, const Params &params)
{
    if (sqlite3_get_autocommit(m_db->getHandle())) {
        Transaction tx(*this);
        const int changed = exec(sql, params);
        tx.commit();
        return changed;
    }
    try {
        SQLite::Statement st(*m_db, sql.toStdString());
        bindParams(st, params);
        return st.exec();
    } catch (const SQLite::Exception &e) {
        if (isConstraint(e))
            throw DuplicateKey();
        throw failure(e);
    }
}

Rows Database::select(const QString &sql, const Params &params)
{
    Rows rows;
    try {
        SQLite::Statement st(*m_db, sql.toStdString());
        bindParams(st, params);
        const int n = st.getColumnCount();
        rows.columns.reserve(std::size_t(n));
        for (int i = 0; i < n; ++i)
            rows.columns.push_back(QString::fromUtf8(st.getColumnName(i)));
        while (st.executeStep()) {
            std::vector<QString> row;
            row.reserve(std::size_t(n));
            for (int i = 0; i < n; ++i)
                row.push_back(columnText(st, i));
            rows.values.push_back(std::move(row));
        }
    } catch (const SQLite::Exception &e) {
        throw failure(e);
    }
    return rows;
}

QString Database::scalar(const QString &sql, const Params &params)
{
    try {
        SQLite::Statement st(*m_db, sql.toStdString());
        bindParams(st, params);
        if (!st.executeStep())
            return {};
        return columnText(st, 0);
    } catch (const SQLite::Exception &e) {
        throw failure(e);
    }
}

int Database::capacity(const QString &table, const QString &column) const
{
    return m_schema.capacity(table, column);
}

Params Database::fittedValues(const QString &table, const std::vector<QString> &columns, const Params &values) const
{
    Params params;
    params.reserve(columns.size());
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const QVariant &v = i < values.size() ? values[i] : QVariant();
        if (v.typeId() == QMetaType::QString)
            params.emplace_back(fitToUnits(v.toString(), capacity(table, columns[i])));
        else
            params.push_back(v);
    }
    return params;
}

bool Database::insertRow(const QString &table, const std::vector<QString> &columns, const Params &values)
{
    return exec(insertOrSkipSql.arg(table, names(columns), marks(columns.size())),
                fittedValues(table, columns, values))
        > 0;
}

qint64 Database::addRow(const QString &table, const std::vector<QString> &columns, const Params &values)
{
    exec(insertSql.arg(table, names(columns), marks(columns.size())), fittedValues(table, columns, values));
    return m_db->getLastInsertRowid();
}

int Database::updateRows(const QString &table, const std::vector<QString> &columns, const Params &values,
                         const QString &condition, const Params &conditionParams)
{
    QStringList sets;
    for (const QString &c : columns)
        sets << c + u" = ?"_s;
    Params params = fittedValues(table, columns, values);
    params.insert(params.end(), conditionParams.begin(), conditionParams.end());
    const QString sql = condition.isEmpty() ? updateSql.arg(table, sets.join(u", "_s))
                                            : updateWhereSql.arg(table, sets.join(u", "_s), condition);
    return exec(sql, params);
}

QString Database::writeColumn(const QString &table, const QString &column, const QString &keyColumn,
                              const QString &keyValue, const QString &text)
{
    const QString value = fitToUnits(text, capacity(table, column));
    try {
        exec(writeColumnSql.arg(table, column, keyColumn), {value, keyValue});
    } catch (const DuplicateKey &) {
        // A value the column refuses leaves the row as it was.
    }
    return scalar(readColumnSql.arg(table, column, keyColumn), {keyValue});
}

void Database::control(const char *sql)
{
    try {
        m_db->exec(sql);
    } catch (const SQLite::Exception &e) {
        throw failure(e);
    }
}

void Database::begin()
{
    control("BEGIN IMMEDIATE");
    try {
        markFirstPage();
    } catch (const DbError &) {
        rollback();
        throw;
    }
}

void Database::markFirstPage()
{
    try {
        // A pragma takes no bound value; the numbers are the file's own and
        // the journal's.
        const int version = m_db->execAndGet("PRAGMA user_version").getInt();
        m_db->exec("PRAGMA user_version = " + std::to_string(version));
        // The page is in the journal now, and the journal's header holds the
        // save's random seed: in the page, it shows after a crash in the
        // commit that the page was written by this save, not copied over.
        const std::optional<quint32> seed = journalSeed(m_path);
        if (!seed)
            throw DbError(u"无法读取数据库文件 %1 的日志文件，修改没有保存。"_s.arg(m_path), DbFailure::DiskError);
        m_db->exec("PRAGMA application_id = " + std::to_string(qint32(*seed)));
    } catch (const SQLite::Exception &e) {
        throw failure(e);
    }
}

void Database::commit() { control("COMMIT"); }
void Database::rollback()
{
    if (!sqlite3_get_autocommit(m_db->getHandle()))
        control("ROLLBACK");
}

bool Database::copyTo(const QString &path, const std::function<bool(qint64, qint64)> &step)
{
    // About 16 MB a part at the usual page size: a report every moment.
    constexpr int pagesPerStep = 4096;
    // A failure of writing the copy is told by the folder it goes to, so that
    // a full disk is named as the copy's disk, not the database's.
    const auto notWritten = [&path](const QString &cause) {
        return DbError(u"无法在 %1 写入文件：%2"_s.arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath()), cause),
                       DbFailure::DiskError);
    };
    bool finished = false;
    std::optional<SQLite::Database> target;
    try {
        target.emplace(path.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        // An unfinished copy is thrown away, so it needs neither a journal
        // nor a sync of each part: the copy runs at the speed of the disk,
        // and the whole file is synced once below.
        target->exec("PRAGMA journal_mode=OFF");
        target->exec("PRAGMA synchronous=OFF");
        control("BEGIN");
        struct EndRead {
            Database &db;
            ~EndRead()
            {
                try {
                    db.rollback();
                } catch (const DbError &) {
                    // The read ends with the connection at the latest.
                }
            }
        } endRead{*this};
        scalar(u"SELECT count(*) FROM sqlite_master"_s);
        SQLite::Backup backup(*target, *m_db);
        for (;;) {
            const int rc = backup.executeStep(pagesPerStep);
            const qint64 pages = backup.getTotalPageCount();
            if (!step(pages - backup.getRemainingPageCount(), pages))
                break;
            if (rc == SQLITE_DONE) {
                finished = true;
                break;
            }
            if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    } catch (const SQLite::Exception &e) {
        if (writesTheCopy(e.getErrorCode()))
            throw notWritten(failureCause(e.getErrorCode(), target ? sqlite3_system_errno(target->getHandle()) : 0));
        throw failure(e);
    }
    target.reset();
    if (finished) {
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
        const int error = fd >= 0 && ::fsync(fd) == 0 ? 0 : errno;
        if (fd >= 0)
            ::close(fd);
        if (error != 0)
            throw notWritten(systemErrorText(error));
    }
    return finished;
}

Transaction::Transaction(Database &db) : m_db(db) { m_db.begin(); }

Transaction::~Transaction()
{
    if (!m_done) {
        try {
            m_db.rollback();
        } catch (const DbError &) {
            // Nothing more can be done; the engine rolls back on close.
        }
    }
}

void Transaction::commit()
{
    m_db.commit();
    m_done = true;
}

double val(std::string_view text)
{
    // Leading blanks are skipped, then an optional sign, digits with one
    // decimal point and an exponent (e or E, a sign, digits) where digits
    // follow it; anything else ends the number.
    const auto digit = [&text](std::size_t i) { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    const std::size_t start = i;
    bool dot = false, digits = false;
    for (; i < text.size(); ++i) {
        if (digit(i))
            digits = true;
        else if (text[i] == '.' && !dot)
            dot = true;
        else
            break;
    }
    if (!digits)
        return 0.0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t e = i + 1;
        if (e < text.size() && (text[e] == '-' || text[e] == '+'))
            ++e;
        if (digit(e)) {
            while (digit(e))
                ++e;
            i = e;
        }
    }
    double v = 0;
    const auto [end, error] = std::from_chars(text.data() + start, text.data() + i, v);
    if (error != std::errc() || !std::isfinite(v))
        return 0.0;
    return negative ? -v : v;
}

double val(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    return val(std::string_view(utf8.constData(), std::size_t(utf8.size())));
}

int displayUnits(const QString &text)
{
    int units = 0;
    for (char32_t c : text.toUcs4())
        units += isWide(c) ? 2 : 1;
    return units;
}

QString fitToUnits(const QString &text, int capacity)
{
    if (capacity < 0)
        return text;
    int units = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const char32_t c = pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode();
        const int w = isWide(c) ? 2 : 1;
        if (units + w > capacity)
            break;
        units += w;
        i += pair ? 2 : 1;
    }
    return i == text.size() ? text : text.left(i);
}

} // namespace kelm
