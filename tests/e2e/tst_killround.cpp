// A keystroke saved is a keystroke kept: a typist process types into the
// party box of a case filing report with real keys, and tells each keystroke
// once its field save has returned; it is killed at a random moment, and
// every keystroke it told is in kelm.mdb afterwards, the file sound. The
// test runs itself as the typist, on the same virtual display.
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
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

#include <cstdio>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::test;

namespace {

const char *typistVariable = "KELM_E2E_TYPIST";
const QString caseNo = u"20020001"_s;
// The party box holds 70 characters: the typist stops well before.
constexpr int mostTyped = 60;

QString party() { return db().scalar(u"SELECT dsr FROM labg WHERE dabh = ?"_s, {caseNo}); }

// Opens the case's filing report on the database at path and types into
// its party box after what it holds, telling the length of each keystroke
// saved.
int runTypist(int argc, char *argv[], const QString &path)
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
    for (qsizetype n = party().size(); n < mostTyped; ++n) {
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
        return 0;
    std::fprintf(stderr, "%s\n", qPrintable(s.failure()));
    return 1;
}

} // namespace

class TestKillRound : public QObject {
    Q_OBJECT
private slots:
    void killedTypistKeepsEveryKeystroke();
};

void TestKillRound::killedTypistKeepsEveryKeystroke()
{
    TestDatabase database;
    QVERIFY(db().insertRow(u"labg"_s, {u"dabh"_s}, {caseNo}));
    closeDatabase();
    int told = 0;
    for (int round = 0; round < 2; ++round) {
        QProcess typist;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(typistVariable), database.path());
        typist.setProcessEnvironment(env);
        typist.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(typist.waitForStarted());
        const int killAfter = told + 5 + int(QRandomGenerator::global()->bounded(20));
        while (told < killAfter) {
            QVERIFY2(typist.waitForReadyRead(20000),
                     qPrintable(u"the typist told nothing more: "_s + QString::fromUtf8(typist.readAllStandardError())));
            while (typist.canReadLine())
                told = std::max(told, typist.readLine().trimmed().toInt());
        }
        typist.kill();
        QVERIFY(typist.waitForFinished());
        while (typist.canReadLine())
            told = std::max(told, typist.readLine().trimmed().toInt());

        const QString kept = party();
        QVERIFY2(kept.size() >= told, qPrintable(u"%1 keystrokes told, %2 kept"_s.arg(told).arg(kept.size())));
        QCOMPARE(kept, u"a"_s.repeated(kept.size()));
        QCOMPARE(db().scalar(u"PRAGMA integrity_check"_s), u"ok"_s);
        closeDatabase();
        told = int(kept.size());
    }
}

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet(typistVariable))
        return runTypist(argc, argv, qEnvironmentVariable(typistVariable));
    QApplication app(argc, argv);
    setModalMode(ModalMode::Blocking);
    TestKillRound test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_killround.moc"
