#include "shell/backup.h"

#include "data/connection.h"
#include "data/prepare.h"
#include "data/schema.h"
#include "import/jetconversion.h"
#include "platform/database.h"
#include "platform/enginelock.h"
#include "platform/fileusers.h"
#include "platform/integritycheck.h"
#include "platform/journalcheck.h"
#include "platform/systemerror.h"
#include "shell/wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <SQLiteCpp/SQLiteCpp.h>
#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

QByteArray nativePath(const QString &path) { return QFile::encodeName(path); }

QString systemError() { return systemErrorText(errno); }

QString shown(const QString &path) { return QDir::toNativeSeparators(path); }

QString shownFolder(const QString &path) { return shown(QFileInfo(path).absolutePath()); }

// The path of target as the system resolves it, also for a file that does
// not exist yet: its folder resolved, its name as it is.
QString resolvedPath(const QString &target)
{
    const QFileInfo info(target);
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? info.absoluteFilePath() : folder + u'/' + info.fileName();
}

// Whether the file begins as every database file of the engine does;
// anything else is refused before it is copied. A file that cannot be read
// sets error.
bool looksLikeDatabase(const QString &path, QString &error)
{
    const int fd = ::open(nativePath(path).constData(), O_RDONLY | O_CLOEXEC);
    char header[16] = {};
    const ssize_t n = fd >= 0 ? ::read(fd, header, sizeof header) : -1;
    const int cause = errno;
    if (fd >= 0)
        ::close(fd);
    if (n < 0)
        error = u"无法读取文件 %1：%2"_s.arg(shown(path), systemErrorText(cause));
    return n == sizeof header && QByteArray(header, n) == QByteArrayLiteral("SQLite format 3\0");
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

RestoreResult unknown() { return {RestoreOutcome::Unknown, {}}; }

RestoreResult refused(const QString &detail) { return {RestoreOutcome::Refused, detail}; }

// A copy the engine could not work on: where the system refused the work,
// its cause is told; any other failure (a file too damaged to read) is an
// unknown error.
RestoreResult checkFailed(const QString &copy, int errorCode, int systemError)
{
    switch (failureKind(errorCode, systemError)) {
    case DbFailure::ReadOnly:
    case DbFailure::DiskFull:
    case DbFailure::NoAccess:
    case DbFailure::DiskError:
    case DbFailure::CannotOpen:
    case DbFailure::OutOfMemory:
        return refused(u"在 %1 检查备份文件的副本时出错：%2"_s.arg(shownFolder(copy), failureCause(errorCode, systemError)));
    default: return unknown();
    }
}

// The checks of a copy, in the order of the refusals: a file the engine
// cannot read or without a wslo row of two columns is an unknown error, a
// wrong marker or another schema is not a backup, a damaged file again an
// unknown error; where the system refused the work, its cause is told.
// Cancelling stops the integrity check. The engine opens the copy with the
// side files copied beside it, so a log's rows are taken in and a crashed
// commit is rolled back; the copy is then made a file whole by itself in
// the rollback journal's mode, and that file is checked.
RestoreResult checkCopy(const QString &copy, Progress &progress)
{
    const QString stage = u"正在检查备份文件……"_s;
    progress.stage(stage, 0, true);
    std::optional<SQLite::Database> file;
    try {
        file.emplace(copy.toStdString(), SQLite::OPEN_READWRITE);
        file->exec("PRAGMA synchronous=FULL");
        // The marker is found by position: the second column of the first row.
        SQLite::Statement wslo(*file, "SELECT * FROM wslo");
        if (!wslo.executeStep() || wslo.getColumnCount() < 2)
            return unknown();
        const SQLite::Column marker = wslo.getColumn(1);
        if (marker.isNull() || QString::fromUtf8(marker.getText()) != backupMarker)
            return {RestoreOutcome::NotABackup, {}};
        wslo.reset();
        if (!hasOurSchema(*file))
            return {RestoreOutcome::NotABackup, {}};
        file->exec("PRAGMA journal_mode=DELETE");
    } catch (const SQLite::Exception &e) {
        return checkFailed(copy, e.getErrorCode(), file ? sqlite3_system_errno(file->getHandle()) : 0);
    }
    file.reset();
    const IntegrityResult checked = checkIntegrity(copy, progress, stage);
    switch (checked.outcome) {
    case Integrity::Whole: return {RestoreOutcome::Restored, {}};
    case Integrity::Cancelled: return {RestoreOutcome::Cancelled, {}};
    case Integrity::Damaged: return unknown();
    case Integrity::Failed: return checkFailed(copy, checked.errorCode, checked.systemError);
    }
    return unknown();
}

QString heldText(const FileHolder &holder, const QString &live)
{
    if (holder.thisProcess)
        return u"本程序仍有一项工作在使用数据库文件 %1，请稍后再试。"_s.arg(shown(live));
    return u"数据库文件 %1 正被程序“%2”（进程号 %3）使用。请先关闭该程序，再恢复数据。"_s.arg(
        shown(live), holder.program, QString::number(holder.pid));
}

// What a journal or log beside the live file means for a restore: one that
// holds a save's pages stops it.
QString sideFileRefusal(const QString &live)
{
    // The program's connection, opened again after the refusal, settles
    // the file: it undoes the save or sets another file's journal aside.
    const QString restart = u"本程序重新打开数据库时会先处理这个文件，之后请再恢复一次。"_s;
    if (journalState(live) == JournalState::Hot)
        return u"数据库文件 %1 旁有一次未完成的保存留下的日志文件 %2。"_s.arg(shown(live),
                                                                                QFileInfo(journalPath(live)).fileName())
            + restart;
    const QFileInfo log(live + u"-wal"_s);
    if (log.exists() && log.size() > 0)
        return u"数据库文件 %1 旁有日志文件 %2，其中的修改还没有写入数据库文件。"_s.arg(shown(live), log.fileName())
            + restart;
    return {};
}

// Whose the hot journal beside the chosen file is, judged as the
// database's own is before the engine opens it: another file's journal
// rolled into the copy would put that file's pages into this one. A
// journal that was never written holds nothing: it is another's here too.
JournalVerdict chosenJournal(const QString &source)
{
    if (journalState(source) != JournalState::Hot)
        return {JournalOwner::OtherFile, {}};
    const int fd = ::open(nativePath(source).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {JournalOwner::Unknown, u"备份文件无法读取：%1"_s.arg(systemError())};
    const JournalVerdict verdict = judgeJournal(fd, journalPath(source));
    ::close(fd);
    return verdict;
}

} // namespace

LiveFileCheck checkLiveFile(const QString &live)
{
    LiveFileCheck check;
    const FileUse use = fileUse(live);
    if (use.holder) {
        check.refusal = heldText(*use.holder, live);
        return check;
    }
    switch (use.unseen) {
    case UnseenUsers::None: break;
    case UnseenUsers::NoProcessList:
        check.unseen = u"系统没有提供正在运行的程序的列表，无法确认数据库文件 %1 是否正被其他程序使用。"_s.arg(shown(live));
        break;
    case UnseenUsers::OtherUsers:
        check.unseen = u"其他用户的程序也能写入数据库文件 %1，本程序无权查看它们是否正在使用该文件。"_s.arg(shown(live));
        break;
    }
    check.refusal = sideFileRefusal(live);
    return check;
}

BackupResult backupDatabase(const QString &database, const QString &target, Progress &progress)
{
    // The database file and every file the engine keeps beside it: a backup
    // written there would be taken for the database's own journal or log.
    const QString live = resolvedPath(database);
    const QString chosen = resolvedPath(target);
    if (chosen == live)
        return {BackupOutcome::Failed, u"备份文件不能是数据库文件本身。"_s};
    for (const QString &suffix : sideFileSuffixes())
        if (chosen == live + suffix)
            return {BackupOutcome::Failed,
                    u"%1 是数据库文件的日志文件，不能用作备份文件。"_s.arg(QFileInfo(chosen).fileName())};
    const QString stage = u"正在备份数据……"_s;
    progress.stage(stage, 0, true);
    removeLeftovers(target);
    UnfinishedFile temp(target);
    if (temp.path().isEmpty())
        return {BackupOutcome::Failed, temp.error()};
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

RestoreResult restoreDatabase(const QString &source, const QString &live, Progress &progress, UnseenProcesses unseen)
{
    if (sameFile(source, live))
        return refused(u"选择的文件 %1 就是本程序正在使用的数据库文件。请选择一个备份文件。"_s.arg(shown(source)));
    const bool jet = jet::isJetFile(source);
    QString error;
    if (!jet && !looksLikeDatabase(source, error))
        return error.isEmpty() ? unknown() : refused(error);
    UnfinishedFile copy(live);
    if (copy.path().isEmpty())
        return refused(copy.error());
    QString converted;
    if (jet) {
        // A backup of the earlier Jet format: converted into the copy,
        // which is then checked as any other.
        const jet::Conversion made = jet::convertJetFile(source, copy.path(), progress);
        switch (made.failure) {
        case jet::ConversionFailure::None: converted = made.summary.text(); break;
        case jet::ConversionFailure::Cancelled: return {RestoreOutcome::Cancelled, {}};
        case jet::ConversionFailure::NotABackup: return {RestoreOutcome::NotABackup, {}};
        case jet::ConversionFailure::Refused: return refused(made.reason);
        }
    } else {
        // The chosen file comes with the journal or log the engine may have
        // left beside it, so that what they hold is restored too; the chosen
        // files themselves are only read.
        QStringList parts{QString()};
        qint64 bytes = QFileInfo(source).size();
        const JournalVerdict journal = chosenJournal(source);
        if (journal.owner == JournalOwner::Unknown)
            return refused(u"选择的文件 %1 旁有一次未完成的保存留下的日志文件 %2，无法判断它是否属于这个文件（%3）。"
                           "请把这两个文件一起交给能检查数据库的人处理，或选择另一个备份文件。"_s.arg(
                               shown(source), QFileInfo(journalPath(source)).fileName(), journal.reason));
        for (const QString &suffix : {u"-journal"_s, u"-wal"_s}) {
            if (QFileInfo::exists(source + suffix)
                && (suffix != u"-journal"_s || journal.owner == JournalOwner::ThisFile)) {
                parts << suffix;
                bytes += QFileInfo(source + suffix).size();
            }
        }
        progress.stage(u"正在复制备份文件……"_s, bytes, true);
        qint64 done = 0;
        for (const QString &suffix : parts) {
            if (!copyFile(source + suffix, copy.path() + suffix, progress, done, error))
                return error.isEmpty() ? RestoreResult{RestoreOutcome::Cancelled, {}} : refused(error);
        }
    }
    const RestoreResult checked = checkCopy(copy.path(), progress);
    if (checked.outcome != RestoreOutcome::Restored)
        return checked;
    // The engine has taken in or rolled back what stood beside the copy;
    // what is left there (a journal never written) holds nothing.
    removeSideFiles(copy.path());
    // The engine's locks on the live file are held from here to the rename,
    // so that no save begins meanwhile: its journal would be removed, or
    // stand beside the new file.
    std::optional<EngineLock> lock;
    if (QFileInfo::exists(live)) {
        lock.emplace(live);
        if (lock->state() == EngineLock::State::Unknown)
            return refused(u"无法确认是否有其他程序正在写入数据库文件 %1：%2"_s.arg(shown(live),
                                                                                  systemErrorText(lock->error())));
    }
    // A program that holds the live file open would write on into the
    // replaced file, and a journal or log beside it holds a save's pages.
    const LiveFileCheck check = checkLiveFile(live);
    if (!check.refusal.isEmpty())
        return refused(check.refusal);
    if (lock && lock->state() == EngineLock::State::Busy)
        return refused(u"数据库文件 %1 正在被读写，有一项保存或读取还没有结束。请稍后再试；如果是其他程序在使用它，"
                       "请先关闭该程序，再恢复数据。"_s.arg(shown(live)));
    if (!check.unseen.isEmpty() && unseen == UnseenProcesses::Refuse)
        return refused(check.unseen);
    progress.stage(u"正在恢复数据……"_s, 0, false);
    // Nobody holds the file: a journal beside it that was never written,
    // or an empty log, belongs to nobody and would stand beside the new file.
    removeSideFiles(live);
    // The restored file keeps the permissions the database file had.
    if (QFileInfo::exists(live))
        QFile::setPermissions(copy.path(), QFile::permissions(live));
    if (!replaceFile(copy.path(), live, error))
        return refused(u"无法替换数据库文件 %1：%2"_s.arg(shown(live), error));
    copy.keep();
    return {RestoreOutcome::Restored, {}, converted};
}

RestoreResult restoreProgramDatabase(const QString &source, Progress &progress)
{
    closeDatabase();
    RestoreResult result = restoreDatabase(source, databasePath(), progress);
    try {
        db();
    } catch (const DbError &e) {
        return refused(e.message());
    }
    return result;
}

} // namespace kelm
