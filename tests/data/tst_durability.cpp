// kelm.mdb is the whole database by itself whenever no commit is under
// way, also while the program runs: nothing stands beside it, so a copy of
// that one file holds every save. A file an earlier version kept in the
// write-ahead log takes its log in when it is opened and is whole by itself
// from then on. (That a save survives a kill is tested end to end, with
// real keystrokes.)
#include "data/connection.h"
#include "platform/database.h"
#include "support/testdb.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <SQLiteCpp/SQLiteCpp.h>

using namespace Qt::StringLiterals;
using namespace kelm;

namespace {

const QString caseNo = u"20020001"_s;

QStringList filesIn(const QString &dir) { return QDir(dir).entryList(QDir::Files); }

// Bytes 18 and 19 of the header: 1 for the rollback journal, 2 for the log.
QByteArray journalBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.read(20).mid(18, 2) : QByteArray();
}

} // namespace

class TestDurability : public QObject {
    Q_OBJECT
private slots:
    void fileIsWholeWhileTheProgramRuns();
    void fileInTheLogModeIsConverted_data();
    void fileInTheLogModeIsConverted();
};

void TestDurability::fileIsWholeWhileTheProgramRuns()
{
    test::TestDatabase database;
    db().insertRow(u"xzcf"_s, {u"dabh"_s, u"dwmc"_s}, {caseNo, u"城关饭店"_s});
    QCOMPARE(filesIn(database.dir()), QStringList{u"kelm.mdb"_s});
    QCOMPARE(journalBytes(database.path()), QByteArray("\x01\x01", 2));
    QTemporaryDir elsewhere;
    const QString copy = elsewhere.path() + u"/kelm.mdb"_s;
    QVERIFY(QFile::copy(database.path(), copy));
    Database copied(copy, storedSchema());
    QCOMPARE(copied.scalar(u"SELECT dwmc FROM xzcf WHERE dabh = ?"_s, {caseNo}), u"城关饭店"_s);
    QCOMPARE(copied.scalar(u"PRAGMA integrity_check"_s), u"ok"_s);
}

// Left by a crash of an earlier version (rows only in the log beside the
// file), or copied when that version had ended (no log): either way the
// file opens with every row and nothing stays beside it.
void TestDurability::fileInTheLogModeIsConverted_data()
{
    QTest::addColumn<bool>("withLog");
    QTest::newRow("crashed, rows in the log beside it") << true;
    QTest::newRow("closed, no log") << false;
}

void TestDurability::fileInTheLogModeIsConverted()
{
    QFETCH(bool, withLog);
    QTemporaryDir earlier;
    const QString old = earlier.path() + u"/kelm.mdb"_s;
    QVERIFY(QFile::copy(test::preparedTemplate(), old));
    QVERIFY(QFile::setPermissions(old, QFile::ReadOwner | QFile::WriteOwner));
    test::TestDatabase database;
    closeDatabase();
    {
        SQLite::Database writer(old.toStdString(), SQLite::OPEN_READWRITE);
        writer.exec("PRAGMA journal_mode=WAL");
        writer.exec("PRAGMA wal_autocheckpoint=0");
        writer.exec("INSERT INTO xzcf (dabh, dwmc) VALUES ('" + caseNo.toStdString() + "', '只在日志里')");
        // What a kill leaves: the file and its log, as they stand now.
        QVERIFY(QFile::remove(database.path()));
        QVERIFY(QFile::copy(old, database.path()));
        if (withLog)
            QVERIFY(QFile::copy(old + u"-wal"_s, database.path() + u"-wal"_s));
    }
    if (!withLog) {
        QVERIFY(QFile::remove(database.path()));
        QVERIFY(QFile::copy(old, database.path()));
    }
    QCOMPARE(journalBytes(database.path()), QByteArray("\x02\x02", 2));

    QCOMPARE(db().scalar(u"SELECT dwmc FROM xzcf WHERE dabh = ?"_s, {caseNo}), u"只在日志里"_s);
    QCOMPARE(db().scalar(u"PRAGMA journal_mode"_s), u"delete"_s);
    QCOMPARE(filesIn(database.dir()), QStringList{u"kelm.mdb"_s});
    QCOMPARE(journalBytes(database.path()), QByteArray("\x01\x01", 2));
    QCOMPARE(db().scalar(u"PRAGMA integrity_check"_s), u"ok"_s);
}

QTEST_GUILESS_MAIN(TestDurability)
#include "tst_durability.moc"
