#include "shell/backup.h"

#include "data/connection.h"
#include "data/prepare.h"
#include "data/schema.h"
#include "platform/database.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <SQLiteCpp/SQLiteCpp.h>
#include <sqlite3.h>

#include <vector>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

constexpr qint64 chunkSize = 1 << 20;

bool sameFile(const QString &a, const QString &b)
{
    const QFileInfo fa(a), fb(b);
    return fa.exists() && fb.exists() && fa.canonicalFilePath() == fb.canonicalFilePath();
}

// A deferred transaction that has read a page holds the shared lock: no
// writer can commit until it ends.
class ReadTransaction {
public:
    explicit ReadTransaction(Database &db) : m_db(db)
    {
        m_db.exec(u"BEGIN"_s);
        try {
            m_db.scalar(u"SELECT count(*) FROM sqlite_master"_s);
        } catch (const DbError &) {
            m_db.rollback();
            throw;
        }
    }
    ~ReadTransaction()
    {
        try {
            m_db.rollback();
        } catch (const DbError &) {
            // The lock ends with the connection at the latest.
        }
    }
    ReadTransaction(const ReadTransaction &) = delete;
    ReadTransaction &operator=(const ReadTransaction &) = delete;

private:
    Database &m_db;
};

// Reads the database file through the connection's own file handle: a
// second descriptor on the file would drop the connection's lock when it
// is closed.
bool copyOpenDatabase(Database &db, QSaveFile &out)
{
    sqlite3_file *file = nullptr;
    if (sqlite3_file_control(db.raw().getHandle(), "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK
        || !file || !file->pMethods)
        return false;
    sqlite3_int64 size = 0;
    if (file->pMethods->xFileSize(file, &size) != SQLITE_OK)
        return false;
    std::vector<char> buffer(static_cast<std::size_t>(chunkSize));
    for (sqlite3_int64 offset = 0; offset < size;) {
        const int amount = int(std::min<sqlite3_int64>(chunkSize, size - offset));
        if (file->pMethods->xRead(file, buffer.data(), amount, offset) != SQLITE_OK)
            return false;
        if (out.write(buffer.data(), amount) != amount)
            return false;
        offset += amount;
    }
    return true;
}

bool copyFile(const QString &source, QSaveFile &out)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(chunkSize);
        if (chunk.isEmpty() && in.error() != QFileDevice::NoError)
            return false;
        if (out.write(chunk) != chunk.size())
            return false;
    }
    return in.error() == QFileDevice::NoError;
}

// Every table of this program's schema with its columns in their order.
bool hasOurSchema(Database &file)
{
    for (const schema::Table &t : schema::tables()) {
        const Rows columns = file.select(u"SELECT name FROM pragma_table_info(?) ORDER BY cid"_s,
                                         {QString::fromUtf8(t.name.data(), qsizetype(t.name.size()))});
        if (columns.size() != t.columns.size())
            return false;
        for (std::size_t i = 0; i < t.columns.size(); ++i) {
            const QString expected = QString::fromUtf8(t.columns[i].name.data(), qsizetype(t.columns[i].name.size()));
            if (columns.values[i][0].compare(expected, Qt::CaseInsensitive) != 0)
                return false;
        }
    }
    return true;
}

RestoreOutcome checkBackup(const QString &source)
{
    try {
        Database file(source, Database::Mode::ReadOnly);
        if (!hasOurSchema(file))
            return RestoreOutcome::NotABackup;
        const Rows check = file.select(u"PRAGMA integrity_check"_s);
        if (check.size() != 1 || check.values[0][0] != u"ok"_s)
            return RestoreOutcome::NotABackup;
        // The marker is found by position: the second column of the first row.
        const Rows wslo = file.select(u"SELECT * FROM wslo"_s);
        if (wslo.empty() || wslo.columns.size() < 2)
            return RestoreOutcome::Failed;
        return wslo.values[0][1] == backupMarker ? RestoreOutcome::Restored : RestoreOutcome::NotABackup;
    } catch (const DbError &) {
        return RestoreOutcome::NotABackup;
    }
}

} // namespace

bool backupDatabase(Database &db, const QString &target)
{
    if (sameFile(target, db.path()))
        return false;
    try {
        QSaveFile out(target);
        if (!out.open(QIODevice::WriteOnly))
            return false;
        {
            ReadTransaction lock(db);
            if (!copyOpenDatabase(db, out))
                return false; // the unfinished temporary file is discarded
        }
        return out.commit();
    } catch (const DbError &) {
        return false;
    }
}

RestoreOutcome restoreDatabase(const QString &source)
{
    const QString live = databasePath();
    if (sameFile(source, live))
        return RestoreOutcome::Failed;
    const RestoreOutcome checked = checkBackup(source);
    if (checked != RestoreOutcome::Restored)
        return checked;

    closeDatabase();
    QSaveFile out(live);
    if (!out.open(QIODevice::WriteOnly) || !copyFile(source, out) || !out.commit())
        return RestoreOutcome::Failed;
    try {
        db();
    } catch (const DbError &) {
        return RestoreOutcome::Failed;
    }
    return RestoreOutcome::Restored;
}

} // namespace kelm
