// Every function from the keyboard, on the real event path: a document
// prints on Ctrl+P and from its print picture reached by Tab, under the
// space bar or Enter; every preview prints on Ctrl+P; Enter on a focused
// button presses it in any window, while Enter in a box presses none; a
// window opens with the focus where its order begins and the focus frame
// shown; the statistics window holds the focus across its preview.
#include "e2e/support/program.h"
#include "e2e/support/realinput.h"
#include "e2e/support/screen.h"
#include "e2e/support/userscript.h"
#include "platform/database.h"
#include "platform/reportpreview.h"
#include "registers/querywindow.h"
#include "support/ui/recordingprinter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QStyleOption>
#include <QtTest>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::test;

namespace {

const QString caseRegister = u"xzcf_face"_s;

// A case of 2002, a permit of model 1 and an examination.
void seed(Database &db)
{
    db.exec(u"INSERT INTO xzcf (dabh, slsj, dwlb1, dwlb2, dwmc, msje, fkje, shsp, xhsp) "
            "VALUES ('20020001', '2002-03-05', '食品卫生', '饮食', '单位', '0', '0', '0', '0')"_s);
    db.exec(u"INSERT INTO wsxkz (xkzh, dwmc, xh, lb) VALUES ('200200001', '单位', 'NO.Y.05-1', '食证')"_s);
    db.exec(u"INSERT INTO jktj (tjbh, xm, tjhg, pxhg) VALUES ('20020001', '甲', '合格', '合格')"_s);
}

QWidget *focused() { return QApplication::focusWidget(); }

// The widget has the focus and the style draws its focus frame.
bool framed(QWidget *w)
{
    if (!w || w != focused())
        return false;
    QStyleOption option;
    option.initFrom(w);
    return option.state.testFlag(QStyle::State_HasFocus) && option.state.testFlag(QStyle::State_KeyboardFocusChange);
}

bool previewActive() { return qobject_cast<report::ReportPreview *>(QApplication::activeWindow()); }

// Steps: Esc closes the active window, `windows` times, each time the one
// below becomes active, the main window last.
void escapeToMain(UserScript &s, int windows)
{
    for (int i = 0; i < windows; ++i) {
        auto closing = std::make_shared<QPointer<QWidget>>();
        s.act(u"Esc"_s,
              [closing] {
                  *closing = QApplication::activeWindow();
                  real::key(Qt::Key_Escape);
              })
            .await(u"it closed, the window below is active"_s,
                   [closing] { return (!*closing || !(*closing)->isVisible()) && QApplication::activeWindow(); });
    }
    s.await(u"the main window is active"_s, [] { return isActive(u"main"_s); });
}

QWidget *statisticsPrint() { return childOf(u"frm_cftj"_s, u"Command1"_s); }

enum class Way { CtrlP, TabSpace, TabEnter };

using Steps = std::function<void(UserScript &, const Program &)>;
using Finder = std::function<QWidget *()>;

} // namespace

Q_DECLARE_METATYPE(Way)
Q_DECLARE_METATYPE(Steps)
Q_DECLARE_METATYPE(Finder)

class TestKeyboardReach : public QObject {
    Q_OBJECT
private slots:
    void documentPrintsFromTheKeyboard_data();
    void documentPrintsFromTheKeyboard();
    void previewPrintsOnCtrlP_data();
    void previewPrintsOnCtrlP();
    void enterPressesTheFocusedButton_data();
    void enterPressesTheFocusedButton();
    void enterInABoxPressesNoButton_data();
    void enterInABoxPressesNoButton();
    void caseRegisterOpensOnTheCaseNumber();
    void focusFrameFromTheStart_data();
    void focusFrameFromTheStart();
    void statisticsHoldsTheFocus();
};

void TestKeyboardReach::documentPrintsFromTheKeyboard_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("table");
    QTest::addColumn<Way>("way");
    QTest::newRow("filing report, Ctrl+P in its first box") << 2 << u"labg"_s << Way::CtrlP;
    QTest::newRow("filing report, Shift+Tab to the picture, space") << 2 << u"labg"_s << Way::TabSpace;
    QTest::newRow("penalty decision, Shift+Tab to the picture, Enter") << 8 << u"cfjd"_s << Way::TabEnter;
    QTest::newRow("on-site record, Ctrl+P") << 0 << u"xzbl"_s << Way::CtrlP;
}

// From the first box, where the document opens: one print each time, of
// the document's own report.
void TestKeyboardReach::documentPrintsFromTheKeyboard()
{
    QFETCH(int, k);
    QFETCH(QString, table);
    QFETCH(Way, way);
    Program p;
    seed(p.db());
    RecordingPrinter &printer = RecordingPrinter::install();
    const QString window = u"frm_"_s + table;
    auto picture = [window] { return childOf(window, u"Image1"_s); };
    UserScript s;
    p.chooseMenu(s, u"xzxf"_s);
    s.await(u"the register is active"_s, [] { return isActive(caseRegister); })
        .act(u"click the document's box"_s,
             [k] {
                 QWidget *box = childOf(caseRegister, u"Check1_%1"_s.arg(k));
                 real::click(box, QPoint(6, box->height() / 2));
             })
        .await(window + u" is active, its first box focused"_s,
               [window] { return isActive(window) && focused() == childOf(window, u"Text1(0)"_s); });
    if (way == Way::CtrlP) {
        s.act(u"Ctrl+P"_s, [] { real::key(Qt::Key_P, Qt::ControlModifier); });
    } else {
        s.act(u"Shift+Tab"_s, [] { real::key(Qt::Key_Tab, Qt::ShiftModifier); })
            .await(u"the print picture has the focus, framed"_s, [picture] { return framed(picture()); })
            .holds(u"nothing printed yet"_s, [&printer] { return printer.printed.isEmpty(); }, 300)
            .act(way == Way::TabSpace ? u"space"_s : u"Enter"_s,
                 [way] { real::key(way == Way::TabSpace ? Qt::Key_Space : Qt::Key_Return); });
    }
    s.await(u"the document printed"_s, [&printer] { return printer.printed.size() == 1; })
        .holds(u"once, the document still open"_s,
               [&printer, window] { return printer.printed.size() == 1 && isActive(window); });
    escapeToMain(s, 2);
    QVERIFY2(s.run(), qPrintable(s.failure()));
    QCOMPARE(printer.printed.size(), 1);
    QVERIFY(printer.printed.front().pageCount() >= 1);
    report::setPrintSink(nullptr);
}

void TestKeyboardReach::previewPrintsOnCtrlP_data()
{
    QTest::addColumn<Steps>("open");
    QTest::addColumn<int>("windows"); // open over the main window, the preview included
    QTest::newRow("case list") << Steps([](UserScript &s, const Program &p) {
        p.chooseMenu(s, u"xzxf"_s);
        s.await(u"the register is active"_s, [] { return isActive(caseRegister); })
            .act(u"click 查询"_s, [] { real::click(childOf(caseRegister, u"Command6"_s)); })
            .await(u"the query is active"_s, [] { return isActive(u"frm_cfcx"_s); })
            .act(u"click its print button"_s,
                 [] { real::click(qobject_cast<QueryWindow *>(shownWindow(u"frm_cfcx"_s))->printButton()); })
            .await(u"the list's preview is active"_s, previewActive);
    }) << 3;
    QTest::newRow("permit certificate") << Steps([](UserScript &s, const Program &p) {
        p.chooseMenu(s, u"wsxkz"_s, u"xkzff"_s);
        s.await(u"the register is active"_s, [] { return isActive(u"xkz"_s); })
            .act(u"click 打印正本"_s, [] { real::click(childOf(u"xkz"_s, u"Command5"_s)); })
            .await(u"the certificate's preview is active"_s, [] { return isActive(u"frm_dyyy"_s); });
    }) << 2;
    QTest::newRow("permit copy") << Steps([](UserScript &s, const Program &p) {
        p.chooseMenu(s, u"wsxkz"_s, u"xkzff"_s);
        s.await(u"the register is active"_s, [] { return isActive(u"xkz"_s); })
            .act(u"click 打印副本"_s, [] { real::click(childOf(u"xkz"_s, u"Command6"_s)); })
            .await(u"the copy's preview is active"_s, [] { return isActive(u"frm_dyfb"_s); });
    }) << 2;
    QTest::newRow("statistics sheet") << Steps([](UserScript &s, const Program &p) {
        p.chooseMenu(s, u"xzxf"_s);
        askForTheYear(s);
        s.await(u"the statistics window is active"_s, [] { return isActive(u"frm_cftj"_s); })
            .await(u"the figures are counted"_s, [] { return statisticsPrint()->isEnabled(); })
            .act(u"click 打印食监报表"_s, [] { real::click(statisticsPrint()); })
            .await(u"the sheet's preview is active"_s, previewActive);
    }) << 3;
}

// Ctrl+P prints the preview's pages once, wherever the focus stands in it.
void TestKeyboardReach::previewPrintsOnCtrlP()
{
    QFETCH(Steps, open);
    QFETCH(int, windows);
    Program p;
    seed(p.db());
    RecordingPrinter &printer = RecordingPrinter::install();
    QPointer<QWidget> preview;
    UserScript s;
    open(s, p);
    s.act(u"Ctrl+P"_s,
          [&preview] {
              preview = QApplication::activeWindow();
              real::key(Qt::Key_P, Qt::ControlModifier);
          })
        .await(u"printed"_s, [&printer] { return printer.printed.size() == 1; })
        .holds(u"once, the preview still open"_s,
               [&printer, &preview] { return printer.printed.size() == 1 && preview && preview->isActiveWindow(); });
    escapeToMain(s, windows);
    QVERIFY2(s.run(), qPrintable(s.failure()));
    QCOMPARE(printer.printed.size(), 1);
    QVERIFY(printer.printed.front().pageCount() >= 1);
    report::setPrintSink(nullptr);
}

void TestKeyboardReach::enterPressesTheFocusedButton_data()
{
    QTest::addColumn<QString>("bar");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("button");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QString>("opens");
    QTest::addColumn<int>("windows"); // open over the main window once it opened
    QTest::newRow("case register, 查询") << u"xzxf"_s << QString() << caseRegister << u"Command6"_s
                                         << Qt::Key_Return << u"frm_cfcx"_s << 2;
    QTest::newRow("case register, 统计, keypad Enter") << u"xzxf"_s << QString() << caseRegister << u"Command7"_s
                                                       << Qt::Key_Enter << u"frm_tjsj"_s << 2;
    QTest::newRow("permit register, 打印设置") << u"wsxkz"_s << u"xkzff"_s << u"xkz"_s << u"Command8"_s
                                               << Qt::Key_Return << u"xkzdy"_s << 2;
    QTest::newRow("annual review, 查询") << u"wsxkz"_s << u"xkzns"_s << u"ns"_s << u"Command7"_s << Qt::Key_Return
                                         << u"nscx"_s << 2;
    // The examination register closes itself before its query opens.
    QTest::newRow("examination register, 查询") << u"tjb"_s << QString() << u"frm_jktj"_s << u"Command6"_s
                                                << Qt::Key_Return << u"tjcx"_s << 1;
}

// The button given the focus, Enter opens its window, once.
void TestKeyboardReach::enterPressesTheFocusedButton()
{
    QFETCH(QString, bar);
    QFETCH(QString, item);
    QFETCH(QString, window);
    QFETCH(QString, button);
    QFETCH(Qt::Key, key);
    QFETCH(QString, opens);
    QFETCH(int, windows);
    Program p;
    seed(p.db());
    UserScript s;
    p.chooseMenu(s, bar, item);
    s.await(u"the window is active"_s, [window] { return isActive(window); })
        .act(u"focus "_s + button, [window, button] { childOf(window, button)->setFocus(Qt::TabFocusReason); })
        .await(u"the button has the focus"_s, [window, button] { return focused() == childOf(window, button); })
        .act(u"Enter"_s, [key] { real::key(key); })
        .await(opens + u" is active"_s, [opens] { return isActive(opens); })
        .holds(u"it opened once"_s, [opens] { return isActive(opens) && shownCount(opens) == 1; }, 300);
    escapeToMain(s, windows);
    QVERIFY2(s.run(), qPrintable(s.failure()));
}

void TestKeyboardReach::enterInABoxPressesNoButton_data()
{
    QTest::addColumn<QString>("bar");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("box");
    QTest::newRow("case register, 单位名称") << u"xzxf"_s << QString() << caseRegister << u"Text1_2"_s;
    QTest::newRow("permit register, 单位名称") << u"wsxkz"_s << u"xkzff"_s << u"xkz"_s << u"Text1_0"_s;
}

// Enter in a register's box opens nothing and starts no edit.
void TestKeyboardReach::enterInABoxPressesNoButton()
{
    QFETCH(QString, bar);
    QFETCH(QString, item);
    QFETCH(QString, window);
    QFETCH(QString, box);
    Program p;
    seed(p.db());
    UserScript s;
    p.chooseMenu(s, bar, item);
    s.await(u"the window is active"_s, [window] { return isActive(window); })
        .act(u"click into "_s + box, [window, box] { real::click(childOf(window, box)); })
        .await(u"the box has the focus"_s, [window, box] { return focused() == childOf(window, box); })
        .act(u"Enter"_s, [] { real::key(Qt::Key_Return); })
        .holds(u"the window stays active, browsing"_s, [window] {
            return isActive(window) && !childOf(window, u"Command3"_s)->isEnabled();
        });
    escapeToMain(s, 1);
    QVERIFY2(s.run(), qPrintable(s.failure()));
}

// Its focus order begins with the case number, read-only as it is.
void TestKeyboardReach::caseRegisterOpensOnTheCaseNumber()
{
    Program p;
    seed(p.db());
    UserScript s;
    p.chooseMenu(s, u"xzxf"_s);
    s.await(u"the register is active"_s, [] { return isActive(caseRegister); })
        .await(u"案件编号 has the focus"_s, [] { return focused() == childOf(caseRegister, u"Text1_0"_s); })
        .holds(u"and keeps it"_s, [] { return focused() == childOf(caseRegister, u"Text1_0"_s); }, 300);
    escapeToMain(s, 1);
    QVERIFY2(s.run(), qPrintable(s.failure()));
}

void TestKeyboardReach::focusFrameFromTheStart_data()
{
    QTest::addColumn<Steps>("open");
    QTest::addColumn<Finder>("button"); // that has the focus once it opened
    QTest::addColumn<int>("windows");
    QTest::newRow("case query, its close button") << Steps([](UserScript &s, const Program &p) {
        p.chooseMenu(s, u"xzxf"_s);
        s.await(u"the register is active"_s, [] { return isActive(caseRegister); })
            .act(u"click 查询"_s, [] { real::click(childOf(caseRegister, u"Command6"_s)); })
            .await(u"the query is active"_s, [] { return isActive(u"frm_cfcx"_s); });
    }) << Finder([] { return static_cast<QWidget *>(qobject_cast<QueryWindow *>(shownWindow(u"frm_cfcx"_s))->closeButton()); })
       << 2;
    QTest::newRow("permit copy preview, 打印") << Steps([](UserScript &s, const Program &p) {
        p.chooseMenu(s, u"wsxkz"_s, u"xkzff"_s);
        s.await(u"the register is active"_s, [] { return isActive(u"xkz"_s); })
            .act(u"click 打印副本"_s, [] { real::click(childOf(u"xkz"_s, u"Command6"_s)); })
            .await(u"the copy's preview is active"_s, [] { return isActive(u"frm_dyfb"_s); });
    }) << Finder([] { return childOf(u"frm_dyfb"_s, u"Command1"_s); }) << 2;
}

// A window opened with the mouse shows the frame of its focused button
// before any key is pressed.
void TestKeyboardReach::focusFrameFromTheStart()
{
    QFETCH(Steps, open);
    QFETCH(Finder, button);
    QFETCH(int, windows);
    Program p;
    seed(p.db());
    UserScript s;
    open(s, p);
    s.await(u"the button has the focus, framed"_s, [button] { return framed(button()); });
    escapeToMain(s, windows);
    QVERIFY2(s.run(), qPrintable(s.failure()));
}

// The statistics window has the focus on 打印食监报表 once counted, Enter
// opens the sheet's preview, and when the preview closes the focus is back
// on the button after the new count.
void TestKeyboardReach::statisticsHoldsTheFocus()
{
    Program p;
    seed(p.db());
    UserScript s;
    p.chooseMenu(s, u"xzxf"_s);
    askForTheYear(s);
    s.await(u"the statistics window is active"_s, [] { return isActive(u"frm_cftj"_s); })
        .await(u"打印食监报表 has the focus, framed"_s, [] { return framed(statisticsPrint()); })
        .act(u"Enter"_s, [] { real::key(Qt::Key_Return); })
        .await(u"the sheet's preview is active"_s, previewActive)
        .act(u"Esc"_s, [] { real::key(Qt::Key_Escape); })
        .await(u"the statistics window is active again"_s, [] { return isActive(u"frm_cftj"_s); })
        .await(u"打印食监报表 has the focus again"_s, [] { return framed(statisticsPrint()); });
    escapeToMain(s, 2);
    QVERIFY2(s.run(), qPrintable(s.failure()));
}

QTEST_MAIN(TestKeyboardReach)
#include "tst_keyboardreach.moc"
