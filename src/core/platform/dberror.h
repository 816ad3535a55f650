// A failure of the database that the user is told about. Every failure of
// the engine is told by its kind in Chinese (the file in use, read-only,
// the disk full, damaged, not this program's database ...), so that "in
// use" is never taken for "damaged" and a user never restores an old backup
// over good data. The engine's own texts are English and name no cause the
// user can act on: they are never shown.
#pragma once

#include <QString>
#include <stdexcept>

namespace SQLite {
class Exception;
}

namespace kelm {

enum class DbFailure {
    Other,       // a statement the engine refused for any other reason
    InUse,       // another program holds the file locked
    ReadOnly,    // the file or its folder may not be written
    Replaced,    // the file was renamed over, or removed, while it was open
    DiskFull,
    Damaged,     // the file's pages are malformed
    NotOurs,     // not a database at all, or not this program's
    CannotOpen,
    NoAccess,    // the system refuses access to the file
    DiskError,   // reading or writing the disk failed
    OutOfMemory,
};

// A failure the user is told about; what() is a Chinese message.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString &message, DbFailure kind = DbFailure::Other);
    QString message() const;
    DbFailure kind() const { return m_kind; }

private:
    DbFailure m_kind;
};

// The kind of an SQLite result code, primary or extended.
DbFailure failureKind(int resultCode);
// The same, where the system's error number behind a failing disk or a file
// that could not be opened is known (the engine's sqlite3_system_errno()).
DbFailure failureKind(int resultCode, int systemError);

// The sentence that tells a failure of that kind; file names the database
// file where it is known, cause says why where the kind alone does not.
QString failureText(DbFailure kind, const QString &file = {}, const QString &cause = {});

// Why the engine failed, as a short clause like those of systemErrorText()
// ("磁盘已满"), for messages about a file that is not the database.
QString failureCause(int resultCode, int systemError = 0);

// Why the database file at path cannot be written, its folder first (the
// engine puts its journal beside the file), or empty text when it can.
QString writeRefusal(const QString &path);

// A failure of the engine on the database file, told by its kind.
DbError engineError(int resultCode, const QString &file = {}, int systemError = 0);
DbError engineError(const SQLite::Exception &e, const QString &file = {});

} // namespace kelm
