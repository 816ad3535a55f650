// A key typed while another program holds the database's write lock: the
// save waits at most two seconds, then the key is refused in words and the
// box shows what is stored; the window then takes keys as before and saves
// them once the other program is done. Real keys on the real event path.
#include "cases/documents/filing/labg.h"
#include "cases/engine/documentwindow.h"
#include "data/appvalues.h"
#include "data/connection.h"
#include "e2e/support/realinput.h"
#include "e2e/support/screen.h"
#include "e2e/support/userscript.h"
#include "platform/modal.h"
#include "support/otherprogram.h"
#include "support/testdb.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QAbstractButton>
#include <QLineEdit>
#include <QMessageBox>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::test;

namespace {

const QString caseNo = u"20020001"_s;
const QString window = u"frm_labg"_s;

QString party() { return db().scalar(u"SELECT dsr FROM labg WHERE dabh = ?"_s, {caseNo}); }

} // namespace

class TestLockRound : public QObject {
    Q_OBJECT
private slots:
    void keyRefusedWithinTwoSeconds();
};

void TestLockRound::keyRefusedWithinTwoSeconds()
{
    TestDatabase database;
    QVERIFY(db().insertRow(u"labg"_s, {u"dabh"_s, u"dsr"_s}, {caseNo, u"甲"_s}));
    app().caseNo = caseNo;
    DocumentWindow document(labgDescription());
    document.show();
    document.activated();
    document.activateWindow();
    auto *box = document.findChild<QLineEdit *>(u"Text1(0)"_s);
    QVERIFY(box);
    OtherProgram other(database.path(), OtherProgram::Hold::Write);
    QVERIFY(other.holding());
    const QString refusal = failureText(DbFailure::InUse, database.path());

    // What showing a message box takes here and now; the first one also
    // loads its fonts and icons.
    QElapsedTimer showing;
    showing.start();
    {
        QMessageBox shown(QMessageBox::Warning, u"Kelm"_s, refusal, QMessageBox::Ok, &document);
        shown.show();
        QCoreApplication::sendPostedEvents();
    }
    const qint64 boxShown = showing.elapsed();

    QElapsedTimer typed;
    qint64 refusedAfter = 0;
    qint64 savedAfter = 0;
    UserScript s;
    s.await(u"the report is active"_s, [] { return isActive(window); })
        .act(u"click into the party box"_s, [box] { real::click(box); })
        .await(u"the party box has the keyboard"_s, [box] { return QApplication::focusWidget() == box; })
        .act(u"to its end, then a key"_s,
             [&typed] {
                 real::key(Qt::Key_End);
                 typed.start();
                 real::type(u"a"_s);
             })
        .await(u"the key is refused in words"_s,
               [&] {
                   if (!shownMessage(refusal))
                       return false;
                   refusedAfter = typed.elapsed();
                   return true;
               })
        .act(u"确定"_s, [&] { real::click(messageButton(shownMessage(refusal), u"确定"_s)); })
        .await(u"the report is active again, showing what is stored"_s,
               [box] { return !anyMessage() && isActive(window) && box->text() == u"甲"_s; })
        .act(u"the other program ends its save; another key"_s,
             [&] {
                 other.stop();
                 typed.restart();
                 real::type(u"b"_s);
             })
        .await(u"the key is saved"_s, [&] {
            if (party() != u"甲b"_s)
                return false;
            savedAfter = typed.elapsed();
            return true;
        });
    QVERIFY2(s.run(), qPrintable(s.failure()));
    // Two seconds, then the refusal. It is seen after them by what a key
    // saved with nobody else on the file and a message box shown take,
    // measured in this test, not by a fixed time that a loaded machine
    // exceeds.
    QVERIFY2(refusedAfter >= 1800 && refusedAfter <= 2000 + 4 * (savedAfter + boxShown),
             qPrintable(u"refused after %1 ms; alone a key is saved in %2 ms, a message box shown in %3 ms"_s
                            .arg(refusedAfter)
                            .arg(savedAfter)
                            .arg(boxShown)));
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    setModalMode(ModalMode::Blocking);
    TestLockRound test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_lockround.moc"
