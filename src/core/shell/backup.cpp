#include "shell/backup.h"

#include "data/connection.h"
#include "data/prepare.h"
#include "data/schema.h"
#include "platform/database.h"
#include "platform/systemerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <SQLiteCpp/SQLiteCpp.h>
#include <sqlite3.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

// A part of the restore's copy: large enough to copy at the disk's speed,
// small enough to report and stop several times a second.
constexpr qint64 chunkSize = 64 << 20;

// Files the engine keeps beside a database: the rollback journal while a
// commit is under way or after a crash, the log and its index in the
// write-ahead mode an earlier version of the program used.
const QStringList sideFileSuffixes = {u"-journal"_s, u"-wal"_s, u"-shm"_s};

// An unfinished copy is named after the file it becomes, marked as
// unfinished, so that a user who finds one after a crash knows what it is.
// Earlier versions left the same name without the mark.
const QString unfinishedMark = u"未完成"_s;

QByteArray nativePath(const QString &path) { return QFile::encodeName(path); }

QString systemError() { return systemErrorText(errno); }

QString shown(const QString &path) { return QDir::toNativeSeparators(path); }

bool sameFile(const QString &a, const QString &b)
{
    const QFileInfo fa(a), fb(b);
    return fa.exists() && fb.exists() && fa.canonicalFilePath() == fb.canonicalFilePath();
}

// The path of target as the system resolves it, also for a file that does
// not exist yet: its folder resolved, its name as it is.
QString resolvedPath(const QString &target)
{
    const QFileInfo info(target);
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? info.absoluteFilePath() : folder + u'/' + info.fileName();
}

// A new file beside path, named after it and marked unfinished, held locked
// by this process for as long as the object lives, so that the clean-up of
// leftovers never takes a copy that is still being made. Removed with what
// the engine left beside it unless kept.
class UnfinishedFile {
public:
    explicit UnfinishedFile(const QString &path)
    {
        for (int attempt = 0; attempt < 100; ++attempt) {
            const QString name = u"%1.%2.%3.part"_s.arg(path, unfinishedMark)
                                     .arg(QRandomGenerator::global()->generate(), 8, 16, QChar(u'0'));
            m_fd = ::open(nativePath(name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (m_fd >= 0) {
                ::flock(m_fd, LOCK_EX);
                m_path = name;
                return;
            }
            if (errno != EEXIST)
                return;
        }
    }
    ~UnfinishedFile()
    {
        if (!m_kept && !m_path.isEmpty()) {
            for (const QString &suffix : sideFileSuffixes)
                QFile::remove(m_path + suffix);
            QFile::remove(m_path);
        }
        if (m_fd >= 0)
            ::close(m_fd);
    }
    UnfinishedFile(const UnfinishedFile &) = delete;
    UnfinishedFile &operator=(const UnfinishedFile &) = delete;

    // Empty when the folder takes no new file.
    QString path() const { return m_path; }
    void keep() { m_kept = true; }

private:
    QString m_path;
    int m_fd = -1;
    bool m_kept = false;
};

bool sideFilesBeside(const QString &path)
{
    for (const QString &suffix : sideFileSuffixes)
        if (QFileInfo::exists(path + suffix))
            return true;
    return false;
}

// Whether a process (this one included) holds the file open. In the
// rollback journal an idle connection leaves nothing beside the file; were
// the file replaced under it, it would go on writing into the old one and
// its user's work would be lost. Processes of other users are not seen.
bool heldOpen(const QString &path)
{
    struct stat file {};
    if (::stat(nativePath(path).constData(), &file) != 0)
        return false;
    const QDir proc(u"/proc"_s);
    const QStringList processes = proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &pid : processes) {
        if (pid.isEmpty() || !pid.front().isDigit())
            continue;
        const QDir fds(proc.filePath(pid + u"/fd"_s));
        for (const QString &fd : fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
            struct stat held {};
            if (::stat(nativePath(fds.filePath(fd)).constData(), &held) == 0 && held.st_dev == file.st_dev
                && held.st_ino == file.st_ino)
                return true;
        }
    }
    return false;
}

// Renames from over to, replacing it in one step, and syncs the folder so
// that the new name survives a power cut.
bool replaceFile(const QString &from, const QString &to, QString &error)
{
    if (::rename(nativePath(from).constData(), nativePath(to).constData()) != 0) {
        error = systemError();
        return false;
    }
    const int dir = ::open(nativePath(QFileInfo(to).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

// Copies source to the file target (made anew) at the speed of a copy (the
// system copies inside itself where it can), reporting bytes from done on,
// and syncs it. False with error set on a failure, false with an empty
// error when cancelled.
bool copyFile(const QString &source, const QString &target, Progress &progress, qint64 &done, QString &error)
{
    QFile in(source);
    QFile out(target);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        error = u"无法读取文件 %1：%2"_s.arg(shown(source), systemError());
        return false;
    }
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        error = u"无法写入文件 %1：%2"_s.arg(shown(target), systemError());
        return false;
    }
    auto failed = [&](const QString &path) {
        error = u"无法复制文件 %1：%2"_s.arg(shown(path), systemError());
        return false;
    };
    bool inKernel = true;
    QByteArray buffer;
    for (;;) {
        ssize_t n = -1;
        if (inKernel) {
            n = ::copy_file_range(in.handle(), nullptr, out.handle(), nullptr, std::size_t(chunkSize), 0);
            // Not between these two files: through a buffer instead.
            if (n < 0 && (errno == EXDEV || errno == ENOSYS || errno == EOPNOTSUPP || errno == EINVAL)) {
                inKernel = false;
                buffer.resize(chunkSize);
                continue;
            }
            if (n < 0)
                return failed(target);
        } else {
            n = ::read(in.handle(), buffer.data(), std::size_t(chunkSize));
            if (n < 0)
                return failed(source);
            if (n > 0 && ::write(out.handle(), buffer.constData(), std::size_t(n)) != n)
                return failed(target);
        }
        if (n == 0)
            break;
        done += n;
        progress.advance(done);
        if (progress.cancelled())
            return false;
    }
    if (::fsync(out.handle()) != 0)
        return failed(target);
    return true;
}

// The first bytes of every database file of the engine; anything else is
// refused before it is copied.
bool looksLikeDatabase(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && f.read(16) == QByteArrayLiteral("SQLite format 3\0");
}

QString str(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

// Every table of this program's schema with its columns in their order, and
// the schema's version.
bool hasOurSchema(SQLite::Database &file)
{
    if (file.execAndGet("PRAGMA user_version").getInt() != schema::version)
        return false;
    SQLite::Statement columns(file, "SELECT name FROM pragma_table_info(?) ORDER BY cid");
    for (const schema::Table &t : schema::tables()) {
        columns.reset();
        columns.bind(1, std::string(t.name));
        std::size_t i = 0;
        while (columns.executeStep()) {
            if (i >= t.columns.size()
                || QString::fromUtf8(columns.getColumn(0).getText()).compare(str(t.columns[i].name), Qt::CaseInsensitive)
                    != 0)
                return false;
            ++i;
        }
        if (i != t.columns.size())
            return false;
    }
    return true;
}

// The checks of a copy, in the order of the refusals: a file the engine
// cannot read or without a wslo row of two columns is an unknown error, a
// wrong marker or another schema is not a backup, a damaged file again an
// unknown error. Cancelling stops the integrity check. The engine opens the
// copy with the side files copied beside it, so a log's rows are taken in
// and a crashed commit is rolled back; a sound copy is left a file whole by
// itself in the rollback journal's mode.
RestoreOutcome checkCopy(const QString &copy, Progress &progress)
{
    progress.stage(u"正在检查备份文件……"_s, 0, true);
    try {
        SQLite::Database file(copy.toStdString(), SQLite::OPEN_READWRITE);
        file.exec("PRAGMA synchronous=FULL");
        // The marker is found by position: the second column of the first row.
        SQLite::Statement wslo(file, "SELECT * FROM wslo");
        if (!wslo.executeStep() || wslo.getColumnCount() < 2)
            return RestoreOutcome::Unknown;
        const SQLite::Column marker = wslo.getColumn(1);
        if (marker.isNull() || QString::fromUtf8(marker.getText()) != backupMarker)
            return RestoreOutcome::NotABackup;
        wslo.reset();
        if (!hasOurSchema(file))
            return RestoreOutcome::NotABackup;
        sqlite3_progress_handler(
            file.getHandle(), 100000,
            [](void *p) { return static_cast<Progress *>(p)->cancelled() ? 1 : 0; }, &progress);
        const std::string check = file.execAndGet("PRAGMA integrity_check").getString();
        sqlite3_progress_handler(file.getHandle(), 0, nullptr, nullptr);
        if (progress.cancelled())
            return RestoreOutcome::Cancelled;
        if (check != "ok")
            return RestoreOutcome::Unknown;
        file.exec("PRAGMA journal_mode=DELETE");
        return RestoreOutcome::Restored;
    } catch (const SQLite::Exception &) {
        return progress.cancelled() ? RestoreOutcome::Cancelled : RestoreOutcome::Unknown;
    }
}

RestoreResult unknown(const QString &detail = {}) { return {RestoreOutcome::Unknown, detail}; }

} // namespace

BackupResult backupDatabase(const QString &database, const QString &target, Progress &progress)
{
    // The database file and every file the engine keeps beside it: a backup
    // written there would be taken for the database's own journal or log.
    const QString live = resolvedPath(database);
    const QString chosen = resolvedPath(target);
    if (chosen == live)
        return {BackupOutcome::Failed, u"备份文件不能是数据库文件本身。"_s};
    for (const QString &suffix : sideFileSuffixes)
        if (chosen == live + suffix)
            return {BackupOutcome::Failed,
                    u"%1 是数据库文件的日志文件，不能用作备份文件。"_s.arg(QFileInfo(chosen).fileName())};
    const QString stage = u"正在备份数据……"_s;
    progress.stage(stage, 0, true);
    removeLeftovers(target);
    UnfinishedFile temp(target);
    if (temp.path().isEmpty())
        return {BackupOutcome::Failed,
                u"无法在 %1 写入文件：%2"_s.arg(shown(QFileInfo(target).absolutePath()), systemError())};
    try {
        Database source(database, storedSchema());
        qint64 known = 0;
        const bool finished = source.copyTo(temp.path(), [&](qint64 done, qint64 pages) {
            if (pages != known) {
                progress.stage(stage, pages, true);
                known = pages;
            }
            progress.advance(done);
            return !progress.cancelled();
        });
        if (!finished)
            return {BackupOutcome::Cancelled, {}};
    } catch (const DbError &e) {
        return {BackupOutcome::Failed, e.message()};
    }
    QString error;
    if (!replaceFile(temp.path(), target, error))
        return {BackupOutcome::Failed, u"无法写入文件 %1：%2"_s.arg(shown(target), error)};
    temp.keep();
    return {BackupOutcome::Done, {}};
}

RestoreResult restoreDatabase(const QString &source, const QString &live, Progress &progress)
{
    if (sameFile(source, live) || !looksLikeDatabase(source))
        return unknown();
    UnfinishedFile copy(live);
    if (copy.path().isEmpty())
        return unknown(u"无法在 %1 写入文件：%2"_s.arg(shown(QFileInfo(live).absolutePath()), systemError()));
    // The chosen file comes with the journal or log the engine may have
    // left beside it, so that what they hold is restored too; the chosen
    // files themselves are only read.
    QStringList parts{QString()};
    qint64 bytes = QFileInfo(source).size();
    for (const QString &suffix : {u"-journal"_s, u"-wal"_s}) {
        if (QFileInfo::exists(source + suffix)) {
            parts << suffix;
            bytes += QFileInfo(source + suffix).size();
        }
    }
    progress.stage(u"正在复制备份文件……"_s, bytes, true);
    qint64 done = 0;
    QString error;
    for (const QString &suffix : parts) {
        if (!copyFile(source + suffix, copy.path() + suffix, progress, done, error))
            return error.isEmpty() ? RestoreResult{RestoreOutcome::Cancelled, {}} : unknown(error);
    }
    const RestoreOutcome checked = checkCopy(copy.path(), progress);
    if (checked != RestoreOutcome::Restored)
        return {checked, {}};
    progress.stage(u"正在恢复数据……"_s, 0, false);
    // A journal beside the live file belongs to a commit under way or a
    // crashed one, and an open handle to a program that would write on
    // into the replaced file: either way the file is in use.
    if (sideFilesBeside(live) || heldOpen(live))
        return unknown(u"数据库文件正被其他程序使用。"_s);
    // The restored file keeps the permissions the database file had.
    if (QFileInfo::exists(live))
        QFile::setPermissions(copy.path(), QFile::permissions(live));
    if (!replaceFile(copy.path(), live, error))
        return unknown(u"无法替换数据库文件 %1：%2"_s.arg(shown(live), error));
    copy.keep();
    return {RestoreOutcome::Restored, {}};
}

void removeLeftovers(const QString &path)
{
    const QFileInfo info(path);
    const QRegularExpression unfinished(u"^%1\\.(%2\\.)?[0-9a-f]{8}\\.part$"_s.arg(
        QRegularExpression::escape(info.fileName()), unfinishedMark));
    const QDir folder = info.absoluteDir();
    for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden)) {
        if (!unfinished.match(name).hasMatch())
            continue;
        const QString leftover = folder.filePath(name);
        // A copy still being made is held locked by the process making it.
        const int fd = ::open(nativePath(leftover).constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            for (const QString &suffix : sideFileSuffixes)
                QFile::remove(leftover + suffix);
            QFile::remove(leftover);
        }
        ::close(fd);
    }
}

RestoreResult restoreProgramDatabase(const QString &source, Progress &progress)
{
    closeDatabase();
    RestoreResult result = restoreDatabase(source, databasePath(), progress);
    try {
        db();
    } catch (const DbError &e) {
        return unknown(e.message());
    }
    return result;
}

} // namespace kelm
