#include "platform/dberror.h"

#include "platform/systemerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <SQLiteCpp/Exception.h>
#include <sqlite3.h>

#include <cerrno>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace kelm {

DbError::DbError(const QString &message, DbFailure kind) : std::runtime_error(message.toStdString()), m_kind(kind)
{
}

QString DbError::message() const { return QString::fromUtf8(what()); }

DbFailure failureKind(int resultCode)
{
    // The engine refuses to write a file whose name now leads elsewhere:
    // writes would go into the file that is gone.
    if (resultCode == SQLITE_READONLY_DBMOVED)
        return DbFailure::Replaced;
    switch (resultCode & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return DbFailure::InUse;
    case SQLITE_READONLY: return DbFailure::ReadOnly;
    case SQLITE_FULL: return DbFailure::DiskFull;
    case SQLITE_CORRUPT: return DbFailure::Damaged;
    case SQLITE_NOTADB: return DbFailure::NotOurs;
    case SQLITE_CANTOPEN: return DbFailure::CannotOpen;
    case SQLITE_PERM:
    case SQLITE_AUTH: return DbFailure::NoAccess;
    case SQLITE_IOERR: return DbFailure::DiskError;
    case SQLITE_NOMEM: return DbFailure::OutOfMemory;
    default: return DbFailure::Other;
    }
}

namespace {

// The engine keeps the system's error number only for a failing disk and a
// file it could not open; elsewhere what it holds is of an earlier failure.
int systemErrorOf(int resultCode, int systemError)
{
    const int primary = resultCode & 0xff;
    return primary == SQLITE_IOERR || primary == SQLITE_CANTOPEN ? systemError : 0;
}

} // namespace

DbFailure failureKind(int resultCode, int systemError)
{
    switch (systemErrorOf(resultCode, systemError)) {
    case ENOSPC:
    case EDQUOT: return DbFailure::DiskFull;
    case EROFS: return DbFailure::ReadOnly;
    case EACCES:
    case EPERM: return DbFailure::NoAccess;
    default: return failureKind(resultCode);
    }
}

QString failureText(DbFailure kind, const QString &file, const QString &cause)
{
    // The file's name stands between blanks where it is known.
    const QString f = file.isEmpty() ? QString() : u' ' + file + u' ';
    const QString because = cause.isEmpty() ? QString() : u"："_s + cause;
    switch (kind) {
    case DbFailure::InUse: return u"数据库文件%1正被其他程序使用，请稍后再试。"_s.arg(f);
    case DbFailure::ReadOnly: return u"数据库文件%1是只读的，不能写入。"_s.arg(f);
    case DbFailure::Replaced:
        return u"数据库文件%1在程序打开它以后被替换或删除了（例如另一个文件被复制或改名到了它的位置），"
               "修改没有保存。请关闭程序后重新启动，再做这次修改。"_s.arg(f);
    case DbFailure::DiskFull: return u"数据库文件%1所在的磁盘已满，不能写入。"_s.arg(f);
    case DbFailure::Damaged: return u"数据库文件%1已损坏。"_s.arg(f);
    case DbFailure::NotOurs: return u"文件%1不是本程序的数据库。"_s.arg(f);
    case DbFailure::CannotOpen: return u"无法打开数据库文件%1%2。"_s.arg(f, because);
    case DbFailure::NoAccess: return u"没有使用数据库文件%1的权限。"_s.arg(f);
    case DbFailure::DiskError: return u"读写数据库文件%1时磁盘出错%2。"_s.arg(f, because);
    case DbFailure::OutOfMemory: return u"内存不足，数据库操作未能完成。"_s;
    case DbFailure::Other: break;
    }
    return u"数据库操作失败%1。"_s.arg(because);
}

QString failureCause(int resultCode, int systemError)
{
    if (const int error = systemErrorOf(resultCode, systemError))
        return systemErrorText(error);
    switch (failureKind(resultCode)) {
    case DbFailure::InUse: return systemErrorText(EBUSY);
    case DbFailure::ReadOnly: return systemErrorText(EROFS);
    case DbFailure::Replaced: return u"文件已被替换"_s;
    case DbFailure::DiskFull: return systemErrorText(ENOSPC);
    case DbFailure::NoAccess: return systemErrorText(EACCES);
    case DbFailure::DiskError: return systemErrorText(EIO);
    case DbFailure::OutOfMemory: return systemErrorText(ENOMEM);
    case DbFailure::Damaged: return u"文件已损坏"_s;
    case DbFailure::NotOurs: return u"这不是数据库文件"_s;
    case DbFailure::CannotOpen: return u"无法打开文件"_s;
    case DbFailure::Other: break;
    }
    return u"错误代码 %1"_s.arg(resultCode);
}

QString writeRefusal(const QString &path)
{
    const QFileInfo file(path);
    const QString folder = file.absolutePath();
    if (::access(QFile::encodeName(folder).constData(), W_OK) != 0)
        return u"数据库文件所在的文件夹 %1 不能写入：数据只能查看，修改不能保存。"_s.arg(
            QDir::toNativeSeparators(folder));
    if (file.exists() && ::access(QFile::encodeName(path).constData(), W_OK) != 0)
        return failureText(DbFailure::ReadOnly, path);
    return {};
}

DbError engineError(int resultCode, const QString &file, int systemError)
{
    const DbFailure kind = failureKind(resultCode, systemError);
    QString cause;
    if (kind == DbFailure::CannotOpen || kind == DbFailure::DiskError) {
        if (const int error = systemErrorOf(resultCode, systemError))
            cause = systemErrorText(error);
    } else if (kind == DbFailure::Other) {
        cause = failureCause(resultCode);
    }
    return DbError(failureText(kind, file, cause), kind);
}

DbError engineError(const SQLite::Exception &e, const QString &file)
{
    return engineError(e.getErrorCode(), file);
}

} // namespace kelm
