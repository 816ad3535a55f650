// A save that has returned is on disk: a writer process is killed at a
// random moment while it saves keystroke after keystroke, and every save it
// had reported done is found afterwards. The test runs itself as the
// writer, so the kill hits a real process with the real connection.
#include "data/connection.h"
#include "data/prepare.h"
#include "platform/database.h"
#include "support/testdb.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>

using namespace Qt::StringLiterals;
using namespace kelm;

namespace {

const char *writerVariable = "KELM_TEST_WRITER";
const QString caseNo = u"20020001"_s;

// Types one character after another onto the stored case summary, one
// durable save each, and tells the length of each finished save on stdout.
int runWriter(const QString &path)
{
    Database db(path);
    QString text = db.scalar(u"SELECT aqjj FROM xzcf WHERE dabh = ?"_s, {caseNo});
    for (;;) {
        text += QChar(char16_t(u'a' + text.size() % 26));
        if (db.writeColumn(u"xzcf"_s, u"aqjj"_s, u"dabh"_s, caseNo, text) != text)
            return 2;
        std::printf("%d\n", int(text.size()));
        std::fflush(stdout);
    }
}

} // namespace

class TestDurability : public QObject {
    Q_OBJECT
private slots:
    void killedWriterKeepsEverySave();
    void closedFileIsTheWholeDatabase();
};

void TestDurability::killedWriterKeepsEverySave()
{
    QTemporaryDir dir;
    const QString path = dir.path() + u"/kelm.mdb"_s;
    QVERIFY(QFile::copy(test::preparedTemplate(), path));
    QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    {
        Database db(path);
        QVERIFY(db.insertRow(u"xzcf"_s, {u"dabh"_s}, {caseNo}));
    }
    int reported = 0;
    for (int round = 0; round < 5; ++round) {
        QProcess writer;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(writerVariable), path);
        writer.setProcessEnvironment(env);
        writer.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(writer.waitForStarted());
        // A kill after a random number of saves, at whatever point of the
        // next save the writer has reached.
        const int killAfter = reported + 20 + int(QRandomGenerator::global()->bounded(200));
        while (reported < killAfter) {
            QVERIFY2(writer.waitForReadyRead(10000), qPrintable(QString::fromUtf8(writer.readAllStandardError())));
            while (writer.canReadLine())
                reported = std::max(reported, writer.readLine().trimmed().toInt());
        }
        writer.kill();
        QVERIFY(writer.waitForFinished());
        while (writer.canReadLine())
            reported = std::max(reported, writer.readLine().trimmed().toInt());

        Database db(path);
        const QString kept = db.scalar(u"SELECT aqjj FROM xzcf WHERE dabh = ?"_s, {caseNo});
        QVERIFY2(kept.size() >= reported, qPrintable(u"%1 saves reported, %2 kept"_s.arg(reported).arg(kept.size())));
        QCOMPARE(db.scalar(u"PRAGMA integrity_check"_s), u"ok"_s);
        // The next writer goes on from what is kept.
        reported = int(kept.size());
    }
}

// Once the program has closed its connection, the log is written into
// kelm.mdb and gone: a copy of that one file holds every save.
void TestDurability::closedFileIsTheWholeDatabase()
{
    test::TestDatabase database;
    db().insertRow(u"xzcf"_s, {u"dabh"_s, u"dwmc"_s}, {caseNo, u"城关饭店"_s});
    QVERIFY(QFile::exists(database.path() + u"-wal"_s));
    closeDatabase();
    QCOMPARE(QDir(database.dir()).entryList(QDir::Files), QStringList{u"kelm.mdb"_s});
    QTemporaryDir elsewhere;
    const QString copy = elsewhere.path() + u"/kelm.mdb"_s;
    QVERIFY(QFile::copy(database.path(), copy));
    Database copied(copy);
    QCOMPARE(copied.scalar(u"SELECT dwmc FROM xzcf WHERE dabh = ?"_s, {caseNo}), u"城关饭店"_s);
}

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet(writerVariable))
        return runWriter(qEnvironmentVariable(writerVariable));
    QCoreApplication app(argc, argv);
    TestDurability test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_durability.moc"
