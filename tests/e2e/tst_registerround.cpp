// The registers' windows and back, on the real event path: each register
// opens a window modally, blocking, and finds its record again when it
// becomes active on the window's return. Nothing reopens by itself, and
// the register stands where the user left it or where the query sent it.
#include "e2e/support/program.h"
#include "e2e/support/realinput.h"
#include "e2e/support/screen.h"
#include "e2e/support/userscript.h"
#include "platform/database.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::test;

namespace {

void seedCases(Database &db)
{
    for (const QString &n : {u"20020001"_s, u"20020002"_s, u"20020003"_s})
        db.exec(u"INSERT INTO xzcf (dabh, slsj, dwlb1, dwlb2, dwmc, msje, fkje, shsp, xhsp) "
                "VALUES (?, '2002-03-05', '食品卫生', '饮食', ?, '0', '0', '0', '0')"_s,
                {n, u"单位"_s + n});
}

void seedPermits(Database &db)
{
    for (const QString &n : {u"200200001"_s, u"200200002"_s, u"200200003"_s})
        db.exec(u"INSERT INTO wsxkz (xkzh, dwmc, xh) VALUES (?, ?, 'NO.Y.05-1')"_s, {n, u"单位"_s + n});
}

void seedExams(Database &db)
{
    for (const QString &n : {u"20020001"_s, u"20020002"_s, u"20020003"_s})
        db.exec(u"INSERT INTO jktj (tjbh, xm, tjhg, pxhg) VALUES (?, ?, '合格', '合格')"_s, {n, u"姓名"_s + n});
}

QString boxText(const QString &window, const QString &box)
{
    auto *line = qobject_cast<QLineEdit *>(childOf(window, box));
    return line ? line->text() : QString();
}

// Steps: click a button of the active window, by its object name.
void clickButton(UserScript &s, const QString &window, const QString &button)
{
    s.act(u"click "_s + button, [window, button] { real::click(childOf(window, button)); });
}

// Steps: a window opened from `from` is closed by the close box, `from` is
// active again on `number` and nothing reopens.
void closeBackTo(UserScript &s, const QString &window, const QString &from, const QString &numberBox,
                 const QString &number)
{
    s.await(window + u" is active"_s, [window] { return isActive(window); })
        .act(u"the close box of "_s + window, [window] { real::closeBox(shownWindow(window)); })
        .await(from + u" is active again"_s, [from] { return isActive(from); })
        .holds(u"on its record, and nothing reopens"_s, [=] {
            return isActive(from) && !shownWindow(window) && boxText(from, numberBox) == number;
        });
}

} // namespace

class TestRegisterRound : public QObject {
    Q_OBJECT
private slots:
    void queryDoubleClick_data();
    void queryDoubleClick();
    void statistics();
    void permitPrintWindows();
    void messageGivesTheKeyboardBack();
};

void TestRegisterRound::queryDoubleClick_data()
{
    QTest::addColumn<QString>("bar");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("registerName");
    QTest::addColumn<QString>("queryButton");
    QTest::addColumn<QString>("queryName");
    QTest::addColumn<QString>("numberBox");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::newRow("cases") << u"xzxf"_s << QString() << u"xzcf_face"_s << u"Command6"_s << u"frm_cfcx"_s
                           << u"Text1_0"_s << u"20020001"_s << u"20020003"_s;
    QTest::newRow("permits") << u"wsxkz"_s << u"xkzff"_s << u"xkz"_s << u"Command7"_s << u"xkzcx"_s
                             << u"Text1_6"_s << u"200200001"_s << u"200200003"_s;
    QTest::newRow("reviews") << u"wsxkz"_s << u"xkzns"_s << u"ns"_s << u"Command7"_s << u"nscx"_s << u"Text1_6"_s
                             << u"200200001"_s << u"200200003"_s;
    // The examination register closes itself before its query, and the
    // double-click opens it again.
    QTest::newRow("examinations") << u"tjb"_s << QString() << u"frm_jktj"_s << u"Command6"_s << u"tjcx"_s
                                  << u"Text1_0"_s << u"20020001"_s << u"20020003"_s;
}

// 查询, then a double-click on the first row: the register stands on it.
void TestRegisterRound::queryDoubleClick()
{
    QFETCH(QString, bar);
    QFETCH(QString, item);
    QFETCH(QString, registerName);
    QFETCH(QString, queryButton);
    QFETCH(QString, queryName);
    QFETCH(QString, numberBox);
    QFETCH(QString, first);
    QFETCH(QString, last);
    Program p;
    seedCases(p.db());
    seedPermits(p.db());
    seedExams(p.db());
    UserScript s;
    p.chooseMenu(s, bar, item);
    s.await(u"the register is active on its last record"_s,
            [=] { return isActive(registerName) && boxText(registerName, numberBox) == last; });
    clickButton(s, registerName, queryButton);
    s.await(u"the query is active"_s, [=] { return isActive(queryName); })
        .act(u"double-click the first row"_s, [=] {
            auto *grid = shownWindow(queryName)->findChild<QTableView *>();
            real::doubleClick(grid->viewport(), grid->visualRect(grid->model()->index(0, 0)).center());
        })
        .await(u"the register is active again"_s, [=] { return isActive(registerName); })
        .holds(u"on the chosen record, the query gone for good"_s, [=] {
            return isActive(registerName) && !shownWindow(queryName) && boxText(registerName, numberBox) == first;
        })
        .act(u"Esc closes the register"_s, [] { real::key(Qt::Key_Escape); })
        .await(u"the main window is active"_s, [] { return isActive(u"main"_s); });
    QVERIFY2(s.run(), qPrintable(s.failure()));
}

// 统计 → the period window → the statistics window (the period window has
// closed itself) → back to the register on its case.
void TestRegisterRound::statistics()
{
    Program p;
    seedCases(p.db());
    UserScript s;
    p.chooseMenu(s, u"xzxf"_s);
    s.await(u"the register is active"_s, [] { return isActive(u"xzcf_face"_s); })
        .act(u"the navigator's 上一条"_s, [] { real::click(childNamed(u"xzcf_face"_s, u"上一条"_s)); })
        .await(u"the register stands on the second case"_s,
               [] { return isActive(u"xzcf_face"_s) && boxText(u"xzcf_face"_s, u"Text1_0"_s) == u"20020002"_s; });
    clickButton(s, u"xzcf_face"_s, u"Command7"_s);
    s.await(u"the period window is active"_s, [] { return isActive(u"frm_tjsj"_s); })
        .act(u"type the period"_s, [] {
            real::click(childOf(u"frm_tjsj"_s, u"Text1"_s));
            real::type(u"2002-01-01"_s);
            real::key(Qt::Key_Tab);
            real::type(u"2002-12-31"_s);
        })
        .await(u"the end date is typed"_s,
               [] { return boxText(u"frm_tjsj"_s, u"Text2"_s) == u"2002-12-31"_s; });
    clickButton(s, u"frm_tjsj"_s, u"Command1"_s);
    s.await(u"the statistics have counted the period's cases"_s, [&p] {
        return !shownWindow(u"frm_tjsj"_s) && p.db().scalar(u"SELECT count(*) FROM xzcf2"_s) == u"3"_s;
    });
    closeBackTo(s, u"frm_cftj"_s, u"xzcf_face"_s, u"Text1_0"_s, u"20020002"_s);
    s.act(u"Esc closes the register"_s, [] { real::key(Qt::Key_Escape); })
        .await(u"the main window is active"_s, [] { return isActive(u"main"_s); });
    QVERIFY2(s.run(), qPrintable(s.failure()));
}

// The permit register's print previews and layout editor, each closed and
// back, with the register still on the permit it showed.
void TestRegisterRound::permitPrintWindows()
{
    Program p;
    seedPermits(p.db());
    UserScript s;
    p.chooseMenu(s, u"wsxkz"_s, u"xkzff"_s);
    s.await(u"the register is active"_s, [] { return isActive(u"xkz"_s); })
        .act(u"the navigator's 上一条"_s, [] { real::click(childNamed(u"xkz"_s, u"上一条"_s)); })
        .await(u"the second permit is shown"_s,
               [] { return boxText(u"xkz"_s, u"Text1_6"_s) == u"200200002"_s; });
    for (const auto &[button, window] : {std::pair{u"Command5"_s, u"frm_dyyy"_s}, std::pair{u"Command6"_s, u"frm_dyfb"_s},
                                         std::pair{u"Command8"_s, u"xkzdy"_s}}) {
        clickButton(s, u"xkz"_s, button);
        closeBackTo(s, window, u"xkz"_s, u"Text1_6"_s, u"200200002"_s);
    }
    s.act(u"Esc closes the register"_s, [] { real::key(Qt::Key_Escape); })
        .await(u"the main window is active"_s, [] { return isActive(u"main"_s); });
    QVERIFY2(s.run(), qPrintable(s.failure()));
}

// A check's message answered with 确定: the register has the keyboard
// again, in the box the message named, and typing goes there.
void TestRegisterRound::messageGivesTheKeyboardBack()
{
    Program p;
    const QString message = u"受理时间不能留空！"_s;
    UserScript s;
    p.chooseMenu(s, u"xzxf"_s);
    s.await(u"the empty register is active"_s, [] { return isActive(u"xzcf_face"_s); });
    clickButton(s, u"xzcf_face"_s, u"Command1"_s);
    clickButton(s, u"xzcf_face"_s, u"Command3"_s);
    s.await(u"the check's message"_s, [message] { return shownMessage(message) != nullptr; })
        .act(u"确定"_s, [message] { real::click(messageButton(shownMessage(message), u"确定"_s)); })
        .await(u"the register is active, the date box focused"_s,
               [] { return isActive(u"xzcf_face"_s) && QApplication::focusWidget() == childOf(u"xzcf_face"_s, u"Text1_6"_s); })
        .act(u"type a date"_s, [] { real::type(u"2002-01-05"_s); })
        .await(u"the date is in its box"_s, [] { return boxText(u"xzcf_face"_s, u"Text1_6"_s) == u"2002-01-05"_s; })
        .act(u"Esc"_s, [] { real::key(Qt::Key_Escape); })
        .await(u"the close question"_s, [] { return shownMessage(u"记录已更改，是否存盘？"_s) != nullptr; })
        .act(u"否"_s, [] { real::click(messageButton(shownMessage(u"记录已更改，是否存盘？"_s), u"否"_s)); })
        .await(u"the main window is active"_s, [] { return isActive(u"main"_s); });
    QVERIFY2(s.run(), qPrintable(s.failure()));
    QCOMPARE(p.db().scalar(u"SELECT count(*) FROM xzcf"_s), u"0"_s);
}

QTEST_MAIN(TestRegisterRound)
#include "tst_registerround.moc"
