// The print layout editor xkzdy: what it shows on opening, the model and
// item choices, editing by typing and with the spin bars, storing and
// abandoning a change, refusing a value that would print garbage or put
// an item off the sheet, the close question, and the register's 打印设置.
// Needs widgets: the editor's behaviour lives in its controls' events.
#include "data/connection.h"
#include "permitfixture.h"
#include "permits/printing/layouteditorwindow.h"
#include "permits/printing/printlayout.h"
#include "platform/busypointer.h"
#include "platform/modal.h"
#include "support/testdb.h"
#include "support/ui/scriptedmessages.h"

#include <QListWidget>
#include <QRadioButton>
#include <QScrollBar>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::test;

namespace {

struct Editor {
    LayoutEditorWindow *w = new LayoutEditorWindow;
    Editor()
    {
        w->show();
        w->activated();
    }
    ~Editor() { delete w; }

    QLineEdit *box(int i) const { return w->findChild<QLineEdit *>(u"Text1_%1"_s.arg(i)); }
    QListWidget *list() const { return w->findChild<QListWidget *>(u"List1"_s); }
    QRadioButton *option(int n) const { return w->findChild<QRadioButton *>(u"Option%1"_s.arg(n)); }
    QScrollBar *bar(int n) const { return w->findChild<QScrollBar *>(u"VScroll%1"_s.arg(n)); }
    QPushButton *confirm() const { return w->findChild<QPushButton *>(u"Command1"_s); }
    QPushButton *cancel() const { return w->findChild<QPushButton *>(u"Command2"_s); }
    // 确认, 取消, the list and the four options: '1' enabled.
    QString enabled() const
    {
        QString s;
        for (QWidget *c : std::initializer_list<QWidget *>{confirm(), cancel(), list(), option(1), option(2),
                                                           option(3), option(4)})
            s += c->isEnabled() ? u'1' : u'0';
        return s;
    }
    QString current(const QString &column) const { return w->record()->storedValue(column); }
    // Six boxes: top, left, size in use, then their reference values.
    QStringList boxes() const
    {
        return {box(0)->text(), box(5)->text(), box(2)->text(), box(3)->text(), box(4)->text(), box(1)->text()};
    }
};

const QString choosing = u"0011111"_s;
const QString editing = u"1100000"_s;

QString dycc(const QString &column, const QString &set, const QString &item)
{
    return db().scalar(u"SELECT %1 FROM dycc WHERE xkzlx = ? AND xmmc = ?"_s.arg(column), {set, item});
}

} // namespace

class TestLayoutEditor : public QObject {
    Q_OBJECT
private slots:
    void init();
    void opening();
    void choosingAModel_data();
    void choosingAModel();
    void choosingAnItem();
    void typingAndCancel();
    void spinBars();
    void spinOnAnEmptyBox();
    void spinOnTextThatIsNoNumber();
    void leavingAnEmptyBox();
    void spaceKey();
    void confirmStoresInUseValuesOnly();
    void confirmRefusesGarbage_data();
    void confirmRefusesGarbage();
    void confirmRefusesOffTheSheet_data();
    void confirmRefusesOffTheSheet();
    void storedValueOffTheSheetIsNamed();
    void shippedLayoutIsAccepted();
    void closeQuestion_data();
    void closeQuestion();
    void missingSet();
    void openedFromTheRegister();

private:
    ScriptedMessages *m_script = nullptr;
};

void TestLayoutEditor::init()
{
    setModalMode(ModalMode::NonBlocking);
    m_script = &ScriptedMessages::install();
}

void TestLayoutEditor::opening()
{
    TestDatabase tdb;
    tdb.db().exec(u"UPDATE dycc SET xmu = '1.5', xml = '-2' WHERE xkzlx = '2' AND xmmc = '整体'"_s);
    Editor e;
    QCOMPARE(e.w->windowTitle(), u"卫生许可证打印设置"_s);
    QCOMPARE(e.w->size(), QSize(427, 299));
    QCOMPARE(e.w->findChild<QWidget *>(u"Frame3"_s)->geometry(), QRect(184, 136, 233, 113));
    QCOMPARE(e.box(0)->geometry(), QRect(136, 40, 81, 18));
    QCOMPARE(e.bar(1)->geometry(), QRect(200, 40, 17, 17));
    QCOMPARE(e.option(4)->text(), u"副     本"_s);
    QVERIFY(e.option(2)->isChecked());
    QCOMPARE(e.w->currentSet(), u"2"_s);
    QCOMPARE(e.list()->count(), 19);
    QCOMPARE(e.list()->currentRow(), 0);
    QCOMPARE(e.list()->item(0)->text(), u"整体"_s);
    QCOMPARE(e.current(u"xkzlx"_s), u"2"_s);
    QCOMPARE(e.current(u"xmmc"_s), u"整体"_s);
    QCOMPARE(e.boxes(), (QStringList{u"1.5"_s, u"-2"_s, u"10"_s, u"0"_s, u"0"_s, u"10"_s}));
    QCOMPARE(e.enabled(), choosing);
    for (int i : {1, 3, 4})
        QVERIFY(!e.box(i)->isEnabled());
    QCOMPARE(e.bar(2)->value(), 500);
    QCOMPARE(e.bar(2)->maximum(), 1000);
}

void TestLayoutEditor::choosingAModel_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<int>("names");
    QTest::newRow("NO.Y.05-1") << 1 << 19;
    QTest::newRow("NO.Y.05-3") << 3 << 19;
    QTest::newRow("副本") << 4 << 20;
}

void TestLayoutEditor::choosingAModel()
{
    QFETCH(int, option);
    QFETCH(int, names);
    TestDatabase tdb;
    tdb.db().exec(u"INSERT INTO dycc (xkzlx, xmmc, xml, xmu, xmzh) VALUES (?, '多余', '1', '1', '1')"_s,
                  {QString::number(option)});
    Editor e;
    e.option(option)->click();
    QCOMPARE(e.w->currentSet(), QString::number(option));
    QCOMPARE(e.list()->count(), names); // rows beyond the set's count are not listed
    QCOMPARE(e.list()->currentRow(), 0);
    QCOMPARE(e.current(u"xkzlx"_s), QString::number(option));
    QCOMPARE(e.current(u"xmmc"_s), u"整体"_s);
    QCOMPARE(e.enabled(), choosing);
}

void TestLayoutEditor::choosingAnItem()
{
    TestDatabase tdb;
    Editor e;
    e.option(4)->click();
    const auto found = e.list()->findItems(u"经济性质"_s, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    e.list()->setCurrentItem(found[0]);
    QCOMPARE(e.current(u"xmmc"_s), u"经济性质"_s);
    QCOMPARE(e.current(u"xkzlx"_s), u"4"_s);
    QCOMPARE(e.boxes(), (QStringList{u"96"_s, u"45"_s, u"10"_s, u"96"_s, u"45"_s, u"10"_s}));
    QCOMPARE(e.enabled(), choosing);
}

void TestLayoutEditor::typingAndCancel()
{
    TestDatabase tdb;
    Editor e;
    e.list()->setCurrentRow(5); // 单位名称 of set 2
    const QStringList stored = e.boxes();
    e.box(2)->setFocus();
    e.box(2)->end(false);
    QTest::keyClicks(e.box(2), u"5"_s);
    QCOMPARE(e.box(2)->text(), stored[2] + u"5"_s);
    QCOMPARE(e.enabled(), editing);
    e.cancel()->click();
    QCOMPARE(e.boxes(), stored);
    QCOMPARE(e.enabled(), choosing);
    QCOMPARE(dycc(u"xmzh"_s, u"2"_s, u"单位名称"_s), stored[2]);
}

// The lower arrow raises the bar's value and steps the box up by one, the
// upper arrow steps it down, however far the bar moved.
void TestLayoutEditor::spinBars()
{
    TestDatabase tdb;
    Editor e;
    e.box(0)->setText(u"12"_s);
    for (int i = 0; i < 3; ++i)
        e.bar(1)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(e.box(0)->text(), u"15"_s);
    e.bar(1)->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(e.box(0)->text(), u"14"_s);
    e.bar(1)->setValue(900);
    QCOMPARE(e.box(0)->text(), u"15"_s);
    e.box(5)->setText(u"0.5"_s);
    e.bar(2)->triggerAction(QAbstractSlider::SliderSingleStepSub);
    e.bar(2)->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(e.box(5)->text(), u"-1.5"_s);
    e.box(2)->setText(u"12.5"_s);
    e.bar(3)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(e.box(2)->text(), u"13.5"_s);
    QCOMPARE(e.enabled(), editing);
}

void TestLayoutEditor::spinOnAnEmptyBox()
{
    TestDatabase tdb;
    Editor e;
    e.box(0)->clear();
    e.bar(1)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(e.box(0)->text(), u"0"_s);
    e.bar(1)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(e.box(0)->text(), u"1"_s);
}

void TestLayoutEditor::spinOnTextThatIsNoNumber()
{
    TestDatabase tdb;
    Editor e;
    e.box(0)->setText(u"abc"_s);
    e.bar(1)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(e.box(0)->text(), u"abc"_s);
    e.box(0)->setText(u"7"_s);
    e.bar(1)->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(e.box(0)->text(), u"6"_s);
}

void TestLayoutEditor::leavingAnEmptyBox()
{
    TestDatabase tdb;
    Editor e;
    QVERIFY(QTest::qWaitForWindowActive(e.w));
    for (const QString &left : {QString(), u" "_s}) {
        e.box(5)->setFocus();
        e.box(5)->setText(left);
        e.box(0)->setFocus();
        QCOMPARE(e.box(5)->text(), u"0"_s);
        QCOMPARE(e.enabled(), editing);
    }
}

void TestLayoutEditor::spaceKey()
{
    TestDatabase tdb;
    Editor e;
    e.box(0)->setText(u"12"_s);
    QTest::keyPress(e.box(0), Qt::Key_Space);
    QCOMPARE(e.box(0)->text(), u"12"_s);
    QVERIFY(e.box(0)->isReadOnly());
    QTest::keyRelease(e.box(0), Qt::Key_Space);
    QVERIFY(!e.box(0)->isReadOnly());
    QTest::keyClicks(e.box(0), u"3"_s);
    QCOMPARE(e.box(0)->text(), u"123"_s);
}

// 确认 stores the three values in use of the shown row, which stays current;
// the reference values never change; the next print reads the new values.
void TestLayoutEditor::confirmStoresInUseValuesOnly()
{
    TestDatabase tdb;
    Editor e;
    e.option(3)->click();
    e.list()->setCurrentRow(6); // 负责人
    e.box(0)->setText(u"99.5"_s);
    e.box(5)->setText(u"4"_s);
    e.box(2)->setText(u"11"_s);
    e.confirm()->click();
    QCOMPARE(m_script->shown.size(), 0);
    QCOMPARE(e.enabled(), choosing);
    QCOMPARE(e.current(u"xmmc"_s), u"负责人"_s);
    QCOMPARE(e.boxes(), (QStringList{u"99.5"_s, u"4"_s, u"11"_s, u"105"_s, u"35"_s, u"12"_s}));
    QCOMPARE(dycc(u"xmu"_s, u"3"_s, u"负责人"_s), u"99.5"_s);
    QCOMPARE(dycc(u"de_xmu"_s, u"3"_s, u"负责人"_s), u"105"_s);
    QCOMPARE(dycc(u"xml"_s, u"1"_s, u"负责人"_s), u"97"_s); // the same item of another set
    const PrintLayout layout = readPrintLayout(tdb.db(), PermitForm::Model3);
    QCOMPARE(layout[5].topMm, 99.5);
    QCOMPARE(layout[5].leftMm, 4.0);
    QCOMPARE(layout[5].pointSize, 11.0);
}

void TestLayoutEditor::confirmRefusesGarbage_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("top is letters") << 0 << u"abc"_s << u"上边距“abc”不是数字，不能存盘。"_s;
    QTest::newRow("left with a unit") << 5 << u"12mm"_s << u"左边距“12mm”不是数字，不能存盘。"_s;
    QTest::newRow("font size zero") << 2 << u"0"_s << u"打印字号“0”不是有效的字号，不能存盘。"_s;
    QTest::newRow("longer than the column") << 0 << u"1234567890.1234567890"_s
                                            << u"上边距“1234567890.1234567890”太长，不能存盘。"_s;
}

// A value that would print garbage is refused with a message; nothing is
// stored and the change stays for the user to mend.
void TestLayoutEditor::confirmRefusesGarbage()
{
    QFETCH(int, box);
    QFETCH(QString, text);
    QFETCH(QString, message);
    TestDatabase tdb;
    Editor e;
    e.box(box)->setText(text);
    e.confirm()->click();
    QCOMPARE(m_script->shown.size(), 1);
    QCOMPARE(m_script->shown[0].title, u"错误"_s);
    QCOMPARE(m_script->lastText(), message);
    QCOMPARE(e.enabled(), editing);
    QCOMPARE(e.box(box)->text(), text);
    QCOMPARE(dycc(u"xmu"_s, u"2"_s, u"整体"_s), u"0"_s);
    QCOMPARE(dycc(u"xml"_s, u"2"_s, u"整体"_s), u"0"_s);
    QCOMPARE(dycc(u"xmzh"_s, u"2"_s, u"整体"_s), u"10"_s);
}

// A font size or a position that takes an item's text off its sheet is
// refused, naming the value the user changed and the range that keeps the
// text on: the item's widest text (a fixed text, the widest its column can
// hold, or a text cut at its form's width limit, one em past it at most,
// with its second line lower) must stand on the sheet, the set's 整体
// offset added; 整体 itself must keep every item of its set on the sheet.
// Model 1 prints on A3 landscape (420 x 297 mm), model 2 on A4 landscape
// (297 x 210 mm), the copy on A5 portrait (148 x 210 mm).
void TestLayoutEditor::confirmRefusesOffTheSheet_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<int>("row"); // in the item list: 0 is 整体
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message"); // empty: stored
    // "Yarv" (two ems) at 250 mm ends at the right edge at 240.9 pt.
    QTest::newRow("地区简称 at 300 pt")
        << 1 << 1 << 2 << u"300"_s << u"打印字号“300”太大，纸上印不下（至多 240.9），不能存盘。"_s;
    QTest::newRow("地区简称 at 800 pt names the size, not the top")
        << 1 << 1 << 2 << u"800"_s << u"打印字号“800”太大，纸上印不下（至多 240.9），不能存盘。"_s;
    QTest::newRow("地区简称 at its largest size") << 1 << 1 << 2 << u"240.9"_s << QString();
    QTest::newRow("地区简称 just past it")
        << 1 << 1 << 2 << u"241"_s << u"打印字号“241”太大，纸上印不下（至多 240.9），不能存盘。"_s;
    // A unit name of 25 full-width characters at 97 mm, cut past 310 mm:
    // its first line ends one em past the limit at most.
    QTest::newRow("单位名称 at 300 pt")
        << 1 << 5 << 2 << u"300"_s << u"打印字号“300”太大，纸上印不下（至多 36.8），不能存盘。"_s;
    QTest::newRow("单位名称 at its largest size") << 1 << 5 << 2 << u"36.8"_s << QString();
    QTest::newRow("单位名称 moved right past its text's end")
        << 1 << 5 << 5 << u"278.9"_s << u"左边距“278.9”超出纸张（可用 0 至 278.8），不能存盘。"_s;
    QTest::newRow("单位名称 moved right to its text's end") << 1 << 5 << 5 << u"278.8"_s << QString();
    // On the copy the cut at 65 mm leaves a second line of the rest.
    QTest::newRow("the copy's 单位名称 at its largest size") << 4 << 9 << 2 << u"19"_s << QString();
    QTest::newRow("the copy's 单位名称 just past it")
        << 4 << 9 << 2 << u"19.1"_s << u"打印字号“19.1”太大，纸上印不下（至多 19），不能存盘。"_s;
    // The serial: a permit number of 30 display units less the year's 4.
    QTest::newRow("许可证编号 at 99999 pt")
        << 2 << 4 << 2 << u"99999"_s << u"打印字号“99999”太大，纸上印不下（至多 14.8），不能存盘。"_s;
    QTest::newRow("a top of -5") << 2 << 4 << 0 << u"-5"_s << u"上边距“-5”超出纸张（可用 0 至 206.2），不能存盘。"_s;
    QTest::newRow("a 20-digit left")
        << 2 << 4 << 5 << u"12345678901234567890"_s
        << u"左边距“12345678901234567890”超出纸张（可用 0 至 248.8），不能存盘。"_s;
    QTest::newRow("a unit name's second line below the copy")
        << 4 << 9 << 0 << u"200"_s << u"上边距“200”超出纸张（可用 0 至 198.4），不能存盘。"_s;
    QTest::newRow("整体 moving items off the sheet")
        << 2 << 0 << 0 << u"-60"_s << u"上边距“-60”超出纸张（可用 -52.5 至 14.5），不能存盘。"_s;
    QTest::newRow("整体 moving the category's text past the right edge")
        << 1 << 0 << 5 << u"31"_s << u"左边距“31”超出纸张（可用 -97 至 30.5），不能存盘。"_s;
    QTest::newRow("整体 moving every item up") << 2 << 0 << 0 << u"-10"_s << QString();
    QTest::newRow("an item at the foot of the sheet") << 2 << 4 << 0 << u"206"_s << QString();
    QTest::newRow("a large size that still fits") << 2 << 1 << 2 << u"40"_s << QString();
}

void TestLayoutEditor::confirmRefusesOffTheSheet()
{
    QFETCH(int, option);
    QFETCH(int, row);
    QFETCH(int, box);
    QFETCH(QString, text);
    QFETCH(QString, message);
    TestDatabase tdb;
    Editor e;
    e.option(option)->click();
    e.list()->setCurrentRow(row);
    const QString set = QString::number(option);
    const QString item = e.current(u"xmmc"_s);
    const QString column = box == 0 ? u"xmu"_s : box == 5 ? u"xml"_s : u"xmzh"_s;
    const QString before = dycc(column, set, item);
    e.box(box)->setText(text);
    e.confirm()->click();
    if (message.isEmpty()) {
        QCOMPARE(m_script->shown.size(), 0);
        QCOMPARE(dycc(column, set, item), text);
        return;
    }
    QCOMPARE(m_script->shown.size(), 1);
    QCOMPARE(m_script->shown[0].title, u"错误"_s);
    QCOMPARE(m_script->lastText(), message);
    QCOMPARE(e.enabled(), editing);
    QCOMPARE(dycc(column, set, item), before);
}

// A row stored off the sheet before (an older program took any size) is
// refused when another of its values changes, naming the value at fault.
void TestLayoutEditor::storedValueOffTheSheetIsNamed()
{
    TestDatabase tdb;
    tdb.db().exec(u"UPDATE dycc SET xmzh = '300' WHERE xkzlx = '1' AND xmmc = '地区简称'"_s);
    Editor e;
    e.option(1)->click();
    e.list()->setCurrentRow(1);
    e.box(0)->setText(u"71"_s);
    e.confirm()->click();
    QCOMPARE(m_script->lastText(), u"打印字号“300”太大，纸上印不下（至多 240.9），不能存盘。"_s);
    QCOMPARE(dycc(u"xmu"_s, u"1"_s, u"地区简称"_s), u"70"_s);
    e.box(2)->setText(u"14"_s);
    e.confirm()->click();
    QCOMPARE(m_script->shown.size(), 1);
    QCOMPARE(dycc(u"xmu"_s, u"1"_s, u"地区简称"_s), u"71"_s);
}

// Every row a prepared database delivers can be stored as it stands.
void TestLayoutEditor::shippedLayoutIsAccepted()
{
    TestDatabase tdb;
    Editor e;
    for (int option = 1; option <= 4; ++option) {
        e.option(option)->click();
        for (int row = 0; row < e.list()->count(); ++row) {
            e.list()->setCurrentRow(row);
            const QString size = e.box(2)->text();
            e.box(2)->clear();
            e.box(2)->setText(size);
            e.confirm()->click();
            QVERIFY2(m_script->shown.isEmpty(), qPrintable(e.current(u"xmmc"_s) + u": "_s + m_script->lastText()));
            QCOMPARE(e.enabled(), choosing);
        }
    }
}

void TestLayoutEditor::closeQuestion_data()
{
    QTest::addColumn<bool>("edit");
    QTest::addColumn<int>("answer"); // -1: no question
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("choosing: no question") << false << -1 << true << u"0"_s;
    QTest::newRow("editing, Yes: stored and closed") << true << int(Answer::Yes) << true << u"8"_s;
    QTest::newRow("editing, No: closed, not stored") << true << int(Answer::No) << true << u"0"_s;
    QTest::newRow("editing, Cancel: stays open editing") << true << int(Answer::Cancel) << false << u"0"_s;
}

void TestLayoutEditor::closeQuestion()
{
    QFETCH(bool, edit);
    QFETCH(int, answer);
    QFETCH(bool, closed);
    QFETCH(QString, stored);
    TestDatabase tdb;
    Editor e;
    if (edit)
        e.box(0)->setText(u"8"_s);
    if (answer >= 0)
        m_script->answer(Answer(answer));
    e.w->close();
    QCOMPARE(m_script->shown.size(), answer >= 0 ? 1 : 0);
    if (answer >= 0) {
        QCOMPARE(m_script->lastText(), u"记录已更改，是否存盘？"_s);
        QCOMPARE(m_script->shown[0].title, u"提示"_s);
        QCOMPARE(m_script->shown[0].buttons, Buttons::YesNoCancel);
    }
    QCOMPARE(e.w->isVisible(), !closed);
    QCOMPARE(dycc(u"xmu"_s, u"2"_s, u"整体"_s), stored);
    if (!closed) {
        QCOMPARE(e.enabled(), editing);
        QCOMPARE(e.box(0)->text(), u"8"_s);
    }
}

// A set without rows shows empty, closed boxes rather than leaving another
// set's row to be edited in its place.
void TestLayoutEditor::missingSet()
{
    TestDatabase tdb;
    tdb.db().exec(u"DELETE FROM dycc WHERE xkzlx = '4'"_s);
    Editor e;
    e.option(4)->click();
    QCOMPARE(e.list()->count(), 0);
    QCOMPARE(e.boxes(), QStringList(6, QString()));
    QVERIFY(!e.box(0)->isEnabled() && !e.box(5)->isEnabled() && !e.box(2)->isEnabled());
    QVERIFY(!e.bar(1)->isEnabled());
    QCOMPARE(e.enabled(), choosing);
    QCOMPARE(m_script->shown.size(), 0);
    e.option(1)->click();
    QVERIFY(e.box(0)->isEnabled());
    QCOMPARE(e.current(u"xkzlx"_s), u"1"_s);
    e.w->close();
    QVERIFY(!e.w->isVisible());
    QCOMPARE(tdb.db().scalar(u"SELECT count(*) FROM dycc WHERE xkzlx = '2' AND xmu = ''"_s), u"0"_s);
}

void TestLayoutEditor::openedFromTheRegister()
{
    TestDatabase tdb;
    addPermit(tdb.db(), u"20020001"_s);
    PermitRegister r;
    r.click(8);
    QVERIFY(!hourglassShown());
    auto *editor = qobject_cast<LayoutEditorWindow *>(openWindow(u"卫生许可证打印设置"_s));
    QVERIFY(editor);
    QCOMPARE(editor->objectName(), u"xkzdy"_s);
    editor->close();
    QVERIFY(!openWindow(u"卫生许可证打印设置"_s));
    QCOMPARE(r.w->state(), PermitRegisterWindow::State::Browsing);
}

QTEST_MAIN(TestLayoutEditor)
#include "tst_layouteditor.moc"
