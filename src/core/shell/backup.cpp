#include "shell/backup.h"

#include "data/connection.h"
#include "data/prepare.h"
#include "data/schema.h"
#include "platform/database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <SQLiteCpp/SQLiteCpp.h>
#include <sqlite3.h>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

// A part of the restore's copy: large enough to copy at the disk's speed,
// small enough to report and stop several times a second.
constexpr qint64 chunkSize = 64 << 20;

// Files the engine keeps beside a database while a connection has it open
// (log, shared index) or after a crash (rollback journal).
const QStringList sideFileSuffixes = {u"-wal"_s, u"-shm"_s, u"-journal"_s};

QByteArray nativePath(const QString &path) { return QFile::encodeName(path); }

QString systemError() { return qt_error_string(errno); }

bool sameFile(const QString &a, const QString &b)
{
    const QFileInfo fa(a), fb(b);
    return fa.exists() && fb.exists() && fa.canonicalFilePath() == fb.canonicalFilePath();
}

// A new empty file beside path, named after it, with the permissions a new
// file gets; empty text when the folder takes no new file.
QString newFileBeside(const QString &path)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString name =
            u"%1.%2.part"_s.arg(path).arg(QRandomGenerator::global()->generate(), 8, 16, QChar(u'0'));
        const int fd = ::open(nativePath(name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return name;
        }
        if (errno != EEXIST)
            return {};
    }
    return {};
}

// Removes an unfinished file with whatever the engine left beside it.
void removeWithSideFiles(const QString &path)
{
    if (path.isEmpty())
        return;
    QFile::remove(path);
    for (const QString &suffix : sideFileSuffixes)
        QFile::remove(path + suffix);
}

bool sideFilesBeside(const QString &path)
{
    for (const QString &suffix : sideFileSuffixes)
        if (QFileInfo::exists(path + suffix))
            return true;
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

// Copies source to the existing file target at the speed of a copy (the
// system copies inside itself where it can), reporting bytes, and syncs it.
// False with error set on a failure, false with an empty error when
// cancelled.
bool copyFile(const QString &source, const QString &target, Progress &progress, QString &error)
{
    QFile in(source);
    QFile out(target);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        error = u"无法读取文件 %1：%2"_s.arg(QDir::toNativeSeparators(source), in.errorString());
        return false;
    }
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        error = u"无法写入文件 %1：%2"_s.arg(QDir::toNativeSeparators(target), out.errorString());
        return false;
    }
    auto failed = [&](const QString &path) {
        error = u"无法复制文件 %1：%2"_s.arg(QDir::toNativeSeparators(path), systemError());
        return false;
    };
    progress.stage(u"正在复制备份文件……"_s, in.size(), true);
    bool inKernel = true;
    QByteArray buffer;
    qint64 done = 0;
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
// unknown error. Cancelling stops the integrity check.
RestoreOutcome checkCopy(const QString &copy, Progress &progress)
{
    progress.stage(u"正在检查备份文件……"_s, 0, true);
    try {
        SQLite::Database file(copy.toStdString(), SQLite::OPEN_READWRITE);
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
        return check == "ok" ? RestoreOutcome::Restored : RestoreOutcome::Unknown;
    } catch (const SQLite::Exception &) {
        return progress.cancelled() ? RestoreOutcome::Cancelled : RestoreOutcome::Unknown;
    }
}

RestoreResult unknown(const QString &detail = {}) { return {RestoreOutcome::Unknown, detail}; }

} // namespace

BackupResult backupDatabase(const QString &database, const QString &target, Progress &progress)
{
    if (sameFile(target, database))
        return {BackupOutcome::Failed, u"备份文件不能是数据库文件本身。"_s};
    const QString stage = u"正在备份数据……"_s;
    progress.stage(stage, 0, true);
    const QString temp = newFileBeside(target);
    if (temp.isEmpty())
        return {BackupOutcome::Failed,
                u"无法在 %1 写入文件：%2"_s.arg(QDir::toNativeSeparators(QFileInfo(target).absolutePath()),
                                                systemError())};
    try {
        Database source(database, storedSchema());
        qint64 known = 0;
        const bool finished = source.copyTo(temp, [&](qint64 done, qint64 pages) {
            if (pages != known) {
                progress.stage(stage, pages, true);
                known = pages;
            }
            progress.advance(done);
            return !progress.cancelled();
        });
        if (!finished) {
            removeWithSideFiles(temp);
            return {BackupOutcome::Cancelled, {}};
        }
    } catch (const DbError &e) {
        removeWithSideFiles(temp);
        return {BackupOutcome::Failed, e.message()};
    }
    QString error;
    if (!replaceFile(temp, target, error)) {
        removeWithSideFiles(temp);
        return {BackupOutcome::Failed, u"无法写入文件 %1：%2"_s.arg(QDir::toNativeSeparators(target), error)};
    }
    return {BackupOutcome::Done, {}};
}

RestoreResult restoreDatabase(const QString &source, const QString &live, Progress &progress)
{
    if (sameFile(source, live) || !looksLikeDatabase(source))
        return unknown();
    const QString copy = newFileBeside(live);
    if (copy.isEmpty())
        return unknown(u"无法在 %1 写入文件：%2"_s.arg(QDir::toNativeSeparators(QFileInfo(live).absolutePath()),
                                                       systemError()));
    QString error;
    if (!copyFile(source, copy, progress, error)) {
        removeWithSideFiles(copy);
        return error.isEmpty() ? RestoreResult{RestoreOutcome::Cancelled, {}} : unknown(error);
    }
    const RestoreOutcome checked = checkCopy(copy, progress);
    if (checked != RestoreOutcome::Restored) {
        removeWithSideFiles(copy);
        return {checked, {}};
    }
    progress.stage(u"正在恢复数据……"_s, 0, false);
    // The last connection's close writes its log into the file and removes
    // log and index; were they still there, another program would have the
    // file open, and its log would be read into the restored file.
    if (sideFilesBeside(live)) {
        removeWithSideFiles(copy);
        return unknown(u"数据库文件正被其他程序使用。"_s);
    }
    // The restored file keeps the permissions the database file had.
    if (QFileInfo::exists(live))
        QFile::setPermissions(copy, QFile::permissions(live));
    if (!replaceFile(copy, live, error)) {
        removeWithSideFiles(copy);
        return unknown(u"无法替换数据库文件 %1：%2"_s.arg(QDir::toNativeSeparators(live), error));
    }
    return {RestoreOutcome::Restored, {}};
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
