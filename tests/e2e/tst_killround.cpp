// A keystroke saved is a keystroke kept: a typist process types into the
// party box of a case filing report with real keys, and tells each keystroke
// once its field save has returned; it is killed at a random moment, and
// every keystroke it told is in kelm.mdb afterwards, the file sound, and
// the journal it may leave is taken as the file's own. Killed
// between two keys, it leaves kelm.mdb whole by itself: nothing beside it,
// so a copy of the one file holds every key, and another database copied
// over it opens as itself. The test runs itself as the typist, on the same
// virtual display.
#include "cases/documents/filing/labg.h"
#include "cases/engine/description.h"
#include "cases/engine/documentwindow.h"
#include "data/appvalues.h"
#include "data/connection.h"
#include "e2e/support/realinput.h"
#include "e2e/support/screen.h"
#include "e2e/support/userscript.h"
#include "platform/modal.h"
#include "support/testdb.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::test;

namespace {

const char *typistVariable = "KELM_E2E_TYPIST";
// Set: the typist stops after that many characters and waits to be killed.
const char *stopVariable = "KELM_E2E_TYPIST_STOP";
const QString caseNo = u"20020001"_s;
// The party box holds 70 characters: the typist stops well before.
constexpr int mostTyped = 60;

QString party() { return db().scalar(u"SELECT dsr FROM labg WHERE dabh = ?"_s, {caseNo}); }

// Opens the case's filing report on the database at path and types into
// its party box after what it holds, telling the length of each keystroke
// saved.
int runTypist(int argc, char *argv[], const QString &path, int stopAt)
{
    QApplication application(argc, argv);
    setDatabasePath(path);
    app().caseNo = caseNo;
    DocumentWindow window(labgDescription());
    window.show();
    window.activated();
    window.activateWindow();
    QWidget *box = window.findChild<QWidget *>(u"Text1(0)"_s);
    UserScript s;
    s.await(u"the report is active"_s, [] { return isActive(u"frm_labg"_s); })
        .act(u"click into the party box"_s, [box] { real::click(box); })
        .await(u"the party box has the keyboard"_s, [box] { return QApplication::focusWidget() == box; })
        .act(u"to its end"_s, [] { real::key(Qt::Key_End); });
    for (qsizetype n = party().size(); n < stopAt; ++n) {
        auto length = std::make_shared<qsizetype>(0);
        s.act(u"type a letter"_s, [length] {
            *length = party().size() + 1;
            real::type(u"a"_s);
        });
        s.await(u"it is saved"_s, [length] { return party().size() == *length; })
            .act(u"tell it"_s, [length] {
                std::printf("%d\n", int(*length));
                std::fflush(stdout);
            });
    }
    if (s.run())
        return stopAt < mostTyped ? application.exec() : 0;
    std::fprintf(stderr, "%s\n", qPrintable(s.failure()));
    return 1;
}

// Starts the typist on the database at path.
void startTypist(QProcess &typist, const QString &path, int stopAt = mostTyped)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(typistVariable), path);
    env.insert(QString::fromLatin1(stopVariable), QString::number(stopAt));
    typist.setProcessEnvironment(env);
    typist.start(QCoreApplication::applicationFilePath(), {});
}

// Reads what the typist told until it has told `until`; the most it told.
int readTold(QProcess &typist, int told, int until)
{
    while (told < until) {
        if (!typist.waitForReadyRead(20000)) {
            qWarning("the typist told nothing more: %s", typist.readAllStandardError().constData());
            return told;
        }
        while (typist.canReadLine())
            told = std::max(told, typist.readLine().trimmed().toInt());
    }
    return told;
}

} // namespace

class TestKillRound : public QObject {
    Q_OBJECT
private slots:
    void killedTypistKeepsEveryKeystroke();
    void killedBetweenKeysLeavesTheFileWhole();
};

void TestKillRound::killedTypistKeepsEveryKeystroke()
{
    TestDatabase database;
    QVERIFY(db().insertRow(u"labg"_s, {u"dabh"_s}, {caseNo}));
    closeDatabase();
    int told = 0;
    for (int round = 0; round < 2; ++round) {
        QProcess typist;
        startTypist(typist, database.path());
        QVERIFY(typist.waitForStarted());
        const int killAfter = told + 5 + int(QRandomGenerator::global()->bounded(20));
        told = readTold(typist, told, killAfter);
        QVERIFY(told >= killAfter);
        typist.kill();
        QVERIFY(typist.waitForFinished());
        while (typist.canReadLine())
            told = std::max(told, typist.readLine().trimmed().toInt());

        const QString kept = party();
        // The journal the kill left was the file's own: its save undone,
        // nothing set aside.
        QCOMPARE(db().journalNotice(), QString());
        QCOMPARE(QDir(database.dir()).entryList(QDir::Files), QStringList{u"kelm.mdb"_s});
        QVERIFY2(kept.size() >= told, qPrintable(u"%1 keystrokes told, %2 kept"_s.arg(told).arg(kept.size())));
        QCOMPARE(kept, u"a"_s.repeated(kept.size()));
        QCOMPARE(db().scalar(u"PRAGMA integrity_check"_s), u"ok"_s);
        closeDatabase();
        told = int(kept.size());
    }
}

void TestKillRound::killedBetweenKeysLeavesTheFileWhole()
{
    TestDatabase database;
    QVERIFY(db().insertRow(u"labg"_s, {u"dabh"_s}, {caseNo}));
    closeDatabase();
    const int stopAt = 5 + int(QRandomGenerator::global()->bounded(20));
    QProcess typist;
    startTypist(typist, database.path(), stopAt);
    QVERIFY(typist.waitForStarted());
    QCOMPARE(readTold(typist, 0, stopAt), stopAt);
    typist.kill();
    QVERIFY(typist.waitForFinished());

    QCOMPARE(QDir(database.dir()).entryList(QDir::Files), QStringList{u"kelm.mdb"_s});
    QTemporaryDir elsewhere;
    const QString copy = elsewhere.filePath(u"kelm.mdb"_s);
    QVERIFY(QFile::copy(database.path(), copy));
    {
        Database copied(copy, storedSchema());
        QCOMPARE(copied.scalar(u"SELECT dsr FROM labg WHERE dabh = ?"_s, {caseNo}), u"a"_s.repeated(stopAt));
        QCOMPARE(copied.scalar(u"PRAGMA integrity_check"_s), u"ok"_s);
        // Another database of the program's, with rows of its own.
        Transaction tx(copied);
        for (int i = 1; i <= 200; ++i)
            copied.insertRow(u"xzcf"_s, {u"dabh"_s, u"dwmc"_s}, {u"2003%1"_s.arg(i, 4, 10, QChar(u'0')), u"另一份"_s});
        copied.exec(u"UPDATE labg SET dsr = '另一份'"_s);
        tx.commit();
    }
    QVERIFY(QFile::remove(database.path()));
    QVERIFY(QFile::copy(copy, database.path()));
    QCOMPARE(db().scalar(u"SELECT count(*) FROM xzcf WHERE dwmc = '另一份'"_s), u"200"_s);
    QCOMPARE(party(), u"另一份"_s);
    QCOMPARE(db().scalar(u"PRAGMA integrity_check"_s), u"ok"_s);
}

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet(typistVariable))
        return runTypist(argc, argv, qEnvironmentVariable(typistVariable),
                         qEnvironmentVariableIntValue(stopVariable));
    QApplication app(argc, argv);
    setModalMode(ModalMode::Blocking);
    TestKillRound test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_killround.moc"
