#include "support/testdb.h"

#include "data/appvalues.h"
#include "data/connection.h"
#include "data/prepare.h"

#include <QFile>

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

} // namespace kelm::test
