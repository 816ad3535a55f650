// A document from the case register and back, on the real event path: the
// click on a document box opens the document in a blocking modal window;
// closing it (close box, or Esc and the delete-on-close question) returns
// to the register, which becomes active and shows the case again. Nothing
// opens by itself afterwards, and the box, the case's flag and the
// document's row agree.
#include "e2e/support/program.h"
#include "e2e/support/realinput.h"
#include "e2e/support/screen.h"
#include "e2e/support/userscript.h"
#include "platform/database.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::test;

namespace {

const QString registerName = u"xzcf_face"_s;

void addCase(Database &db, const QString &caseNo)
{
    db.exec(u"INSERT INTO xzcf (dabh, slsj, dwlb1, dwmc, msje, fkje, shsp, xhsp) "
            "VALUES (?, '2002-01-05', '食品卫生', ?, '0', '0', '0', '0')"_s,
            {caseNo, u"单位"_s + caseNo});
}

QCheckBox *documentBox(int k) { return qobject_cast<QCheckBox *>(childOf(registerName, u"Check1_%1"_s.arg(k))); }

QString shownCase()
{
    auto *number = qobject_cast<QLineEdit *>(childOf(registerName, u"Text1_0"_s));
    return number ? number->text() : QString();
}

enum class Close { Box, Escape, DeleteYes, DeleteNo };

// Steps: click document box k, wait for its window, close it as `how` says.
void openAndClose(UserScript &s, int k, const QString &table, Close how)
{
    const QString window = u"frm_"_s + table;
    s.act(u"click document box %1"_s.arg(k),
          [k] { real::click(documentBox(k), QPoint(6, documentBox(k)->height() / 2)); })
        .await(window + u" is active"_s, [window] { return isActive(window); });
    if (how == Close::DeleteYes || how == Close::DeleteNo) {
        s.act(u"tick 销  档"_s, [window] { real::click(childOf(window, u"Check1"_s)); })
            .await(u"销  档 is ticked"_s,
                   [window] { return qobject_cast<QCheckBox *>(childOf(window, u"Check1"_s))->isChecked(); });
    }
    if (how == Close::Box) {
        s.act(u"the close box"_s, [window] { real::closeBox(shownWindow(window)); });
    } else {
        s.act(u"Esc"_s, [] { real::key(Qt::Key_Escape); });
    }
    if (how == Close::DeleteYes || how == Close::DeleteNo) {
        const QString answer = how == Close::DeleteYes ? u"是"_s : u"否"_s;
        const QString question = u"确认销除该案件资料吗？"_s;
        s.await(u"the question is asked"_s, [question] { return shownMessage(question) != nullptr; })
            .act(u"answer "_s + answer,
                 [question, answer] { real::click(messageButton(shownMessage(question), answer)); });
    }
    s.await(u"the register is active again"_s, [] { return isActive(registerName); })
        .holds(u"no window opens by itself"_s,
               [window] { return isActive(registerName) && shownCount(window) == 0; });
}

} // namespace

class TestDocumentRound : public QObject {
    Q_OBJECT
private slots:
    void firstDocument_data();
    void firstDocument();
    void laterDocumentAndNavigatorMove();
};

void TestDocumentRound::firstDocument_data()
{
    QTest::addColumn<Close>("how");
    QTest::addColumn<bool>("kept");
    QTest::newRow("close box") << Close::Box << true;
    QTest::newRow("Esc") << Close::Escape << true;
    QTest::newRow("Esc, 销档, yes") << Close::DeleteYes << false;
    QTest::newRow("Esc, 销档, no") << Close::DeleteNo << true;
}

// The first document clicked after the register has shown its case.
void TestDocumentRound::firstDocument()
{
    QFETCH(Close, how);
    QFETCH(bool, kept);
    Program p;
    addCase(p.db(), u"20020001"_s);
    UserScript s;
    bool tickedAfter = !kept;
    p.chooseMenu(s, u"xzxf"_s);
    s.await(u"the register is active"_s, [] { return isActive(registerName); });
    openAndClose(s, 2, u"labg"_s, how);
    s.act(u"look at the box"_s, [&] { tickedAfter = documentBox(2)->isChecked(); })
        .act(u"Esc closes the register"_s, [] { real::key(Qt::Key_Escape); })
        .await(u"the main window is active"_s, [] { return isActive(u"main"_s) && !shownWindow(registerName); });
    QVERIFY2(s.run(), qPrintable(s.failure()));

    QCOMPARE(tickedAfter, kept);
    QCOMPARE(p.db().scalar(u"SELECT bg3 FROM xzcf WHERE dabh = '20020001'"_s), kept ? u"1"_s : u"0"_s);
    QCOMPARE(p.db().scalar(u"SELECT count(*) FROM labg WHERE dabh = '20020001'"_s), kept ? u"1"_s : u"0"_s);
    if (kept)
        QCOMPARE(p.db().scalar(u"SELECT pbjg FROM labg"_s), u"Quessa区卫生局（盖章）"_s);
}

// A second document on the same case, then a document after the navigator
// has moved to another case: each is filed once on its own case.
void TestDocumentRound::laterDocumentAndNavigatorMove()
{
    Program p;
    addCase(p.db(), u"20020001"_s);
    addCase(p.db(), u"20020002"_s);
    UserScript s;
    p.chooseMenu(s, u"xzxf"_s);
    s.await(u"the register is active on the last case"_s,
            [] { return isActive(registerName) && shownCase() == u"20020002"_s; });
    openAndClose(s, 2, u"labg"_s, Close::Escape);
    openAndClose(s, 0, u"xzbl"_s, Close::Box);
    s.await(u"both boxes stay ticked"_s, [] { return documentBox(2)->isChecked() && documentBox(0)->isChecked(); })
        .act(u"the navigator's 上一条"_s, [] { real::click(childNamed(registerName, u"上一条"_s)); })
        .await(u"the first case is shown"_s, [] { return shownCase() == u"20020001"_s; })
        .await(u"its boxes are clear"_s, [] { return !documentBox(2)->isChecked() && !documentBox(0)->isChecked(); });
    openAndClose(s, 8, u"cfjd"_s, Close::Box);
    s.await(u"the register still shows the first case, its box ticked"_s,
            [] { return shownCase() == u"20020001"_s && documentBox(8)->isChecked(); })
        .act(u"Esc closes the register"_s, [] { real::key(Qt::Key_Escape); })
        .await(u"the main window is active"_s, [] { return isActive(u"main"_s); });
    QVERIFY2(s.run(), qPrintable(s.failure()));

    const Rows flags = p.db().select(u"SELECT dabh, bg1, bg3, bg9 FROM xzcf ORDER BY dabh"_s);
    QCOMPARE(flags.values, (std::vector<std::vector<QString>>{{u"20020001"_s, u"0"_s, u"0"_s, u"1"_s},
                                                              {u"20020002"_s, u"1"_s, u"1"_s, u"0"_s}}));
    QCOMPARE(p.db().scalar(u"SELECT group_concat(dabh) FROM labg"_s), u"20020002"_s);
    QCOMPARE(p.db().scalar(u"SELECT group_concat(dabh) FROM xzbl"_s), u"20020002"_s);
    QCOMPARE(p.db().scalar(u"SELECT group_concat(dabh) FROM cfjd"_s), u"20020001"_s);
}

QTEST_MAIN(TestDocumentRound)
#include "tst_documentround.moc"
