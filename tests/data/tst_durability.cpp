// The database file when the program is not running: once the program's
// connection has closed, the write-ahead log is written into kelm.mdb and
// gone, so a copy of that one file holds every save. (That a save survives
// a kill is tested end to end, with real keystrokes.)
#include "data/connection.h"
#include "platform/database.h"
#include "support/testdb.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;

class TestDurability : public QObject {
    Q_OBJECT
private slots:
    void closedFileIsTheWholeDatabase();
};

void TestDurability::closedFileIsTheWholeDatabase()
{
    const QString caseNo = u"20020001"_s;
    test::TestDatabase database;
    db().insertRow(u"xzcf"_s, {u"dabh"_s, u"dwmc"_s}, {caseNo, u"城关饭店"_s});
    QVERIFY(QFile::exists(database.path() + u"-wal"_s));
    closeDatabase();
    QCOMPARE(QDir(database.dir()).entryList(QDir::Files), QStringList{u"kelm.mdb"_s});
    QTemporaryDir elsewhere;
    const QString copy = elsewhere.path() + u"/kelm.mdb"_s;
    QVERIFY(QFile::copy(database.path(), copy));
    Database copied(copy, storedSchema());
    QCOMPARE(copied.scalar(u"SELECT dwmc FROM xzcf WHERE dabh = ?"_s, {caseNo}), u"城关饭店"_s);
}

QTEST_GUILESS_MAIN(TestDurability)
#include "tst_durability.moc"
