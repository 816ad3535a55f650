// The full check of a database file made in parts side by side: what it
// finds in a restore's copy is tested with the restore (tst_backup); here,
// that a cancel stops it also inside the engine's walk over a file's trees,
// where the engine asks nobody whether to go on.
#include "platform/integritycheck.h"
#include "support/recordingprogress.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>
#include <SQLiteCpp/SQLiteCpp.h>

using namespace Qt::StringLiterals;
using namespace kelm;

class TestIntegrityCheck : public QObject {
    Q_OBJECT
private slots:
    void cancelStopsTheWalkOverTheFile_data();
    void cancelStopsTheWalkOverTheFile();
};

void TestIntegrityCheck::cancelStopsTheWalkOverTheFile_data()
{
    QTest::addColumn<int>("connections");
    QTest::newRow("the full check, on one core") << 1;
    QTest::newRow("in parts side by side") << 2;
}

// One table of many rows (about 140 MB): each part is the engine's walk
// over its tree, a quarter of a second or more.
void TestIntegrityCheck::cancelStopsTheWalkOverTheFile()
{
    QFETCH(int, connections);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"large.db"_s);
    {
        SQLite::Database file(path.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        file.exec("PRAGMA journal_mode = OFF");
        file.exec("CREATE TABLE t (a INTEGER PRIMARY KEY, b TEXT)");
        file.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1500000) "
                  "INSERT INTO t (b) SELECT hex(randomblob(40)) FROM n");
    }
    // Idle: the whole check.
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(checkIntegrity(path, noProgress(), u"检查"_s, connections).outcome, Integrity::Whole);
    const qint64 whole = clock.elapsed();

    test::RecordingProgress progress;
    progress.cancelAtOnce = true;
    clock.restart();
    QCOMPARE(checkIntegrity(path, progress, u"检查"_s, connections).outcome, Integrity::Cancelled);
    const qint64 cancelled = clock.elapsed();
    // Not waiting for the walks over the file to end: uninterrupted, they
    // take the whole time.
    QVERIFY2(cancelled * 2 < whole, qPrintable(u"%1 ms cancelled, %2 ms whole"_s.arg(cancelled).arg(whole)));
}

QTEST_GUILESS_MAIN(TestIntegrityCheck)
#include "tst_integritycheck.moc"
