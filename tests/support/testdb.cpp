#include "support/testdb.h"

#include "data/appvalues.h"
#include "data/connection.h"
#include "data/prepare.h"

#include <QFile>
#include <SQLiteCpp/SQLiteCpp.h>

using namespace Qt::StringLiterals;

namespace kelm::test {

QString preparedTemplate()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.path() + u"/template.mdb"_s;
        prepareDatabase(p);
        return p;
    }();
    return path;
}

TestDatabase::TestDatabase()
{
    QFile::copy(preparedTemplate(), path());
    QFile(path()).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    setDatabasePath(path());
    resetAppValues();
}

TestDatabase::~TestDatabase() { setDatabasePath({}); }

QString TestDatabase::path() const { return m_dir.path() + u"/kelm.mdb"_s; }

Database &TestDatabase::db() { return kelm::db(); }

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void damageTable(const QString &path, const QString &table)
{
    qint64 page = 0;
    qint64 pageSize = 0;
    {
        SQLite::Database raw(path.toStdString(), SQLite::OPEN_READONLY);
        SQLite::Statement root(raw, "SELECT rootpage FROM sqlite_master WHERE name = ?");
        root.bind(1, table.toStdString());
        if (root.executeStep())
            page = root.getColumn(0).getInt64();
        pageSize = raw.execAndGet("PRAGMA page_size").getInt64();
    }
    QFile f(path);
    if (page < 2 || !f.open(QIODevice::ReadWrite) || !f.seek((page - 1) * pageSize))
        qFatal("cannot damage table %s", qPrintable(table));
    f.write(QByteArray(pageSize, '\xff'));
}

} // namespace kelm::test
