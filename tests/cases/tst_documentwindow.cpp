// The document window on a real database: the case filing report's boxes,
// line flow, keys, closing and failures, and a small document of the test's
// own for what the filing report does not use (a hidden box, memo boxes,
// its own tab order and bounds). Needs widgets: focus, keys and input-method
// commits reach real boxes.
#include "cases/documents/filing/labg.h"
#include "cases/engine/documentwindow.h"
#include "cases/engine/registerlink.h"
#include "data/appvalues.h"
#include "data/connection.h"
#include "platform/gridlabel.h"
#include "support/testdb.h"
#include "support/ui/documenttesting.h"
#include "support/ui/scriptedmessages.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;

namespace {

using test::commit;
using test::focusedBox;
using test::press;
using test::RecordingRegister;

const QString caseNo = u"20020007"_s;
const QString otherCase = u"20020008"_s;

QString stored(const QString &column, const QString &dabh = caseNo)
{
    return db().scalar(u"SELECT %1 FROM labg WHERE dabh = ?"_s.arg(column), {dabh});
}

void seed(const QString &column, const QString &value, const QString &dabh = caseNo)
{
    db().insertRow(u"labg"_s, {u"dabh"_s}, {dabh});
    db().exec(u"UPDATE labg SET %1 = ? WHERE dabh = ?"_s.arg(column), {value, dabh});
}

QString repeated(const QString &s, int n) { return s.repeated(n); }

// 46 characters: 40 on the first line of a label 7215 twips wide.
const QString wrappingSentence =
    u"逾期不申请行政复议或者不向人民法院起诉又不履行处罚决定的，本机关将依法申请人民法院强制执行。"_s;

// A document of the test's own over the first columns of hyjl.
DocumentDescription ownDocument()
{
    DocumentDescription d;
    d.document = documentAt(4);
    BoxSpec hidden = dataBox(u"hyjly"_s, 1215);
    hidden.visible = false;
    hidden.save = BoxSave::Never;
    BoxSpec memoAsTyped = dataBox(u"hyjg"_s, 6375);
    memoAsTyped.memo = true;
    memoAsTyped.height = 720;
    memoAsTyped.save = BoxSave::NoReadBack;
    BoxSpec memoReadBack = memoAsTyped;
    memoReadBack.column = u"hyzcy"_s;
    memoReadBack.save = BoxSave::ReadBack;
    d.boxes = {hidden, dataBox(u"ay"_s, 6375), dataBox(u"bzfdu"_s, 6375), memoAsTyped, memoReadBack,
               dataBox(u"hyyy"_s, 6015)};
    d.groups = {{1, 2}};
    d.upBound = 1;
    d.enterDownBound = 4;
    d.window.width = 8100;
    d.window.height = 4000;
    d.window.underlineBoxes = true;
    d.window.tabOrder = {5, 1, 2, 3, 4, deleteBoxTab};
    d.window.rows = {
        {autoPlace, RowAlign::Centre, {text(u"合  议  记  录"_s, autoPlace, 18, true), box(0, 6000)}},
        {autoPlace, RowAlign::Left, {text(u"案    由："_s), box(1)}},
        {autoPlace, RowAlign::Left, {box(2, 1380)}},
        {autoPlace, RowAlign::Left, {box(3)}},
        {autoPlace, RowAlign::Left, {box(4)}},
        {autoPlace, RowAlign::Left, {text(u"参加合议人员："_s), box(5)}},
        {autoPlace, RowAlign::Left, {wrappedText(wrappingSentence, 480, 7215)}},
    };
    return d;
}

} // namespace

class TestDocumentWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void showsAndWritesOnlyTheCurrentCase();
    void createsAMissingRowAsTheRegisterWould();
    void fieldSave_data();
    void fieldSave();
    void typingByKeys();
    void flow_data();
    void flow();
    void flowWaitsForTheKeyRelease();
    void deletingPullsTextUp();
    void flowFromAMiddleLineLeavesTheLinesAbove();
    void keys_data();
    void keys();
    void movingIntoAFullLineNeverBounces();
    void rightButtonReleaseFlows();
    void closing_data();
    void closing();
    void pendingLineFlowsBeforeClosingAndPrinting();
    void pendingLineFlowsOnLeavingAndAfterAPaste();
    void databaseFailure();
    void hiddenMemoTabOrderAndBounds();
    void groundAndTabFromAMemo_data();
    void groundAndTabFromAMemo();
    void wrappedLabel();
    void lockedBoxRefusesAnInputMethodCommit_data();
    void lockedBoxRefusesAnInputMethodCommit();

private:
    DocumentWindow *open(const DocumentDescription &d = labgDescription());
    QLineEdit *line(int box) { return qobject_cast<QLineEdit *>(m_window->box(box)); }

    std::unique_ptr<test::TestDatabase> m_db;
    std::unique_ptr<DocumentWindow> m_window;
    RecordingRegister m_register;
    test::ScriptedMessages *m_messages = nullptr;
};

void TestDocumentWindow::init()
{
    m_db = std::make_unique<test::TestDatabase>();
    m_messages = &test::ScriptedMessages::install();
    m_register.calls.clear();
    setCaseRegister(&m_register);
    app().caseNo = caseNo;
}

void TestDocumentWindow::cleanup()
{
    m_window.reset();
    setCaseRegister(nullptr);
    m_db.reset();
}

DocumentWindow *TestDocumentWindow::open(const DocumentDescription &d)
{
    m_window = std::make_unique<DocumentWindow>(d);
    m_window->show();
    m_window->activated();
    if (!QTest::qWaitForWindowActive(m_window.get()))
        qWarning("the document window did not become active");
    return m_window.get();
}

void TestDocumentWindow::showsAndWritesOnlyTheCurrentCase()
{
    seed(u"dsr"_s, u"甲"_s, otherCase);
    seed(u"dsr"_s, u"乙"_s);
    open();
    QCOMPARE(line(0)->text(), u"乙"_s);
    // Filling the boxes writes nothing: a column without a value keeps none.
    QCOMPARE(db().scalar(u"SELECT spyj IS NULL FROM labg WHERE dabh = ?"_s, {caseNo}), u"1"_s);
    line(0)->setCursorPosition(1);
    commit(line(0), u"丙"_s);
    QCOMPARE(stored(u"dsr"_s), u"乙丙"_s);
    QCOMPARE(stored(u"dsr"_s, otherCase), u"甲"_s);
    QCOMPARE(m_window->windowTitle(), u"立案报告"_s);
    QCOMPARE(m_window->pos(), QPoint(0, 0));
    QCOMPARE(focusedBox(*m_window), 0);
}

void TestDocumentWindow::createsAMissingRowAsTheRegisterWould()
{
    open();
    QCOMPARE(db().scalar(u"SELECT COUNT(*) FROM labg WHERE dabh = ?"_s, {caseNo}), u"1"_s);
    QCOMPARE(stored(u"pbjg"_s), authorityText());
    QCOMPARE(db().scalar(u"SELECT dsr IS NULL FROM labg WHERE dabh = ?"_s, {caseNo}), u"1"_s);
    QCOMPARE(line(19)->text(), authorityText());
    QVERIFY(line(19)->isReadOnly());
    QCOMPARE(line(19)->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
}

void TestDocumentWindow::fieldSave_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("caretAfter");
    // lasj_y holds 8 display units: 8 digits or 4 Chinese characters.
    QTest::newRow("ascii fits") << 13 << QString() << 0 << u"2002"_s << u"2002"_s << 4;
    QTest::newRow("ascii typed at the end of a full box") << 13 << u"12345678"_s << 8 << u"9"_s << u"12345678"_s
                                                         << 8;
    QTest::newRow("chinese fills the box") << 13 << u"二〇〇"_s << 3 << u"二"_s << u"二〇〇二"_s << 4;
    QTest::newRow("chinese into one free unit") << 13 << u"1234567"_s << 7 << u"年"_s << u"1234567"_s << 7;
    QTest::newRow("insertion pushing stored text off is refused")
        << 13 << u"12345678"_s << 2 << u"x"_s << u"12345678"_s << 2;
    QTest::newRow("apostrophes") << 0 << QString() << 0 << u"O'Brien's '"_s << u"O'Brien's '"_s << 11;
    // cbr2 holds 15 Chinese characters; the last line of a group keeps what fits.
    QTest::newRow("last line of a group cut at once")
        << 17 << repeated(u"丙"_s, 14) << 14 << u"乙乙"_s << repeated(u"丙"_s, 14) + u"乙"_s << 15;
}

void TestDocumentWindow::fieldSave()
{
    QFETCH(int, box);
    QFETCH(QString, before);
    QFETCH(int, caret);
    QFETCH(QString, typed);
    QFETCH(QString, after);
    QFETCH(int, caretAfter);
    const QString column = labgDescription().boxes[std::size_t(box)].column;
    seed(column, before);
    open();
    line(box)->setFocus();
    line(box)->setCursorPosition(caret);
    commit(line(box), typed);
    QCOMPARE(line(box)->text(), after);
    QCOMPARE(stored(column), after);
    QCOMPARE(line(box)->cursorPosition(), caretAfter);
}

void TestDocumentWindow::typingByKeys()
{
    open();
    QTest::keyClicks(line(13), u"200212"_s);
    QCOMPARE(stored(u"lasj_y"_s), u"200212"_s);
    // The approval year takes four characters from the keyboard.
    QTest::keyClicks(line(20), u"20021"_s);
    QCOMPARE(line(20)->text(), u"2002"_s);
    QCOMPARE(stored(u"pbsj_y"_s), u"2002"_s);
    QTest::keyClicks(line(21), u"123"_s);
    QCOMPARE(stored(u"pbsj_m"_s), u"12"_s);
}

void TestDocumentWindow::flow_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("firstAfter");
    QTest::addColumn<QString>("secondAfter");
    QTest::addColumn<int>("focus");
    QTest::addColumn<int>("caretAfter");
    // cbr1 (box 16) holds 22 Chinese characters, cbr2 (box 17) 15.
    const QString full = repeated(u"甲"_s, 22);
    QTest::newRow("fits") << u"甲甲"_s << QString() << 2 << u"乙"_s << u"甲甲乙"_s << QString() << 16 << 3;
    QTest::newRow("carry, next line empty") << full << QString() << 22 << u"乙"_s << full << u"乙"_s << 17 << 1;
    QTest::newRow("carry, next line holding text")
        << full << u"丙丙"_s << 22 << u"乙"_s << full << u"乙丙丙"_s << 17 << 1;
    QTest::newRow("typing in the middle of a full line") << full << QString() << 3 << u"乙"_s
                                                         << u"甲甲甲乙"_s + repeated(u"甲"_s, 18) << u"甲"_s
                                                         << 16 << 4;
    QTest::newRow("edit that would drop stored text is refused")
        << full << repeated(u"丙"_s, 15) << 0 << u"乙"_s << full << repeated(u"丙"_s, 15) << 16 << 0;
    QTest::newRow("apostrophes") << repeated(u"甲"_s, 21) + u"'"_s << QString() << 22 << u"x'"_s
                                 << repeated(u"甲"_s, 21) + u"'x"_s << u"'"_s << 17 << 1;
}

// Typed as input-method commits: the flow runs without any key release.
void TestDocumentWindow::flow()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(int, caret);
    QFETCH(QString, typed);
    QFETCH(QString, firstAfter);
    QFETCH(QString, secondAfter);
    QFETCH(int, focus);
    QFETCH(int, caretAfter);
    seed(u"cbr1"_s, first);
    seed(u"cbr2"_s, second);
    open();
    line(16)->setFocus();
    line(16)->setCursorPosition(caret);
    commit(line(16), typed);
    QCOMPARE(line(16)->text(), firstAfter);
    QCOMPARE(line(17)->text(), secondAfter);
    QCOMPARE(stored(u"cbr1"_s), firstAfter);
    QCOMPARE(stored(u"cbr2"_s), secondAfter);
    QCOMPARE(focusedBox(*m_window), focus);
    QCOMPARE(line(focus)->cursorPosition(), caretAfter);
}

void TestDocumentWindow::flowWaitsForTheKeyRelease()
{
    seed(u"cbr1"_s, repeated(u"a"_s, 44));
    open();
    line(16)->setFocus();
    line(16)->end(false);
    QTest::keyPress(line(16), Qt::Key_B);
    // A line with a following line is written by the flow only.
    QCOMPARE(stored(u"cbr1"_s), repeated(u"a"_s, 44));
    QCOMPARE(line(16)->text(), repeated(u"a"_s, 44) + u"b"_s);
    QTest::keyRelease(line(16), Qt::Key_B);
    QCOMPARE(stored(u"cbr1"_s), repeated(u"a"_s, 44));
    QCOMPARE(stored(u"cbr2"_s), u"b"_s);
    QCOMPARE(focusedBox(*m_window), 17);
    QCOMPARE(line(17)->cursorPosition(), 1);
    // Typing goes on after the carried character.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C);
    QCOMPARE(stored(u"cbr2"_s), u"bc"_s);
}

void TestDocumentWindow::deletingPullsTextUp()
{
    seed(u"cbr1"_s, repeated(u"甲"_s, 22));
    seed(u"cbr2"_s, u"丙丁"_s);
    open();
    line(16)->setFocus();
    line(16)->end(false);
    press(line(16), Qt::Key_Backspace);
    QCOMPARE(stored(u"cbr1"_s), repeated(u"甲"_s, 21) + u"丙"_s);
    QCOMPARE(stored(u"cbr2"_s), u"丁"_s);
    QCOMPARE(line(17)->text(), u"丁"_s);
    press(line(16), Qt::Key_Backspace);
    press(line(16), Qt::Key_Backspace);
    QCOMPARE(stored(u"cbr1"_s), repeated(u"甲"_s, 19) + u"丙丁"_s);
    QCOMPARE(stored(u"cbr2"_s), QString());
    QCOMPARE(line(17)->text(), QString());
    QCOMPARE(focusedBox(*m_window), 16);
}

void TestDocumentWindow::flowFromAMiddleLineLeavesTheLinesAbove()
{
    seed(u"aqzy1"_s, u"第一行"_s);
    seed(u"aqzy2"_s, u"第二行"_s);
    open();
    db().exec(u"UPDATE labg SET aqzy1 = '另外' WHERE dabh = ?"_s, {caseNo});
    line(6)->setFocus();
    line(6)->end(false);
    commit(line(6), u"续"_s);
    QCOMPARE(stored(u"aqzy2"_s), u"第二行续"_s);
    QCOMPARE(stored(u"aqzy1"_s), u"另外"_s);
}

void TestDocumentWindow::keys_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("caret"); // -1: at the end
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("caretAfter"); // -1: not looked at
    QTest::newRow("Backspace at the start of box 6") << 6 << 0 << int(Qt::Key_Backspace) << 5 << 2;
    QTest::newRow("Left at the start of box 6") << 6 << 0 << int(Qt::Key_Left) << 5 << 2;
    QTest::newRow("Backspace at the start of box 5 stays") << 5 << 0 << int(Qt::Key_Backspace) << 5 << 0;
    QTest::newRow("Backspace at the start of box 9 stays") << 9 << 0 << int(Qt::Key_Backspace) << 9 << 0;
    QTest::newRow("Left inside box 6 stays") << 6 << 1 << int(Qt::Key_Left) << 6 << 0;
    QTest::newRow("Right at the end of box 16") << 16 << -1 << int(Qt::Key_Right) << 17 << -1;
    QTest::newRow("Right at the end of box 17 stays") << 17 << -1 << int(Qt::Key_Right) << 17 << 1;
    QTest::newRow("Right at the end of box 8 stays") << 8 << -1 << int(Qt::Key_Right) << 8 << -1;
    QTest::newRow("Enter 18 to the locked box 19") << 18 << 0 << int(Qt::Key_Return) << 19 << -1;
    QTest::newRow("Enter 19 to 20") << 19 << 0 << int(Qt::Key_Return) << 20 << -1;
    QTest::newRow("Down 21 to 22") << 21 << 0 << int(Qt::Key_Down) << 22 << -1;
    QTest::newRow("Enter in box 22 stays") << 22 << 0 << int(Qt::Key_Return) << 22 << -1;
    QTest::newRow("Down in box 22 stays") << 22 << 0 << int(Qt::Key_Down) << 22 << -1;
    QTest::newRow("Up in box 0 stays") << 0 << 0 << int(Qt::Key_Up) << 0 << -1;
    QTest::newRow("Up in box 1") << 1 << 0 << int(Qt::Key_Up) << 0 << -1;
    QTest::newRow("Enter from the last summary line to the provisions") << 8 << 0 << int(Qt::Key_Enter) << 9
                                                                        << -1;
}

void TestDocumentWindow::keys()
{
    QFETCH(int, from);
    QFETCH(int, caret);
    QFETCH(int, key);
    QFETCH(int, to);
    QFETCH(int, caretAfter);
    seed(u"aqzy1"_s, u"甲乙"_s);
    seed(u"aqzy2"_s, u"丙"_s);
    seed(u"cbr1"_s, u"丁"_s);
    seed(u"cbr2"_s, u"戊"_s);
    open();
    // Lines whose column differs from their box: a flow would write them.
    const QStringList lines = {u"aqzy1"_s, u"aqzy2"_s, u"aqzy3"_s, u"aqzy4"_s, u"wfxw1"_s, u"wfxw2"_s,
                               u"cbr1"_s, u"cbr2"_s};
    for (const QString &c : lines)
        db().exec(u"UPDATE labg SET %1 = '外' WHERE dabh = ?"_s.arg(c), {caseNo});
    line(from)->setFocus();
    line(from)->setCursorPosition(caret < 0 ? int(line(from)->text().size()) : caret);
    press(line(from), Qt::Key(key));
    QCOMPARE(focusedBox(*m_window), to);
    if (caretAfter >= 0)
        QCOMPARE(line(to)->cursorPosition(), caretAfter);
    for (const QString &c : lines)
        QCOMPARE(stored(c), u"外"_s);
}

// Up, Enter or a click into a full line whose paragraph goes on below it
// leave the focus where it was put.
void TestDocumentWindow::movingIntoAFullLineNeverBounces()
{
    seed(u"cbr1"_s, repeated(u"甲"_s, 22));
    seed(u"cbr2"_s, u"丙"_s);
    open();
    line(16)->end(false);
    line(17)->setFocus();
    press(line(17), Qt::Key_Up);
    QCOMPARE(focusedBox(*m_window), 16);
    line(15)->setFocus();
    press(line(15), Qt::Key_Return);
    QCOMPARE(focusedBox(*m_window), 16);
    line(16)->end(false);
    QTest::mouseClick(line(16), Qt::LeftButton, {}, QPoint(line(16)->width() - 2, 5));
    QCOMPARE(focusedBox(*m_window), 16);
    QCOMPARE(stored(u"cbr2"_s), u"丙"_s);
}

void TestDocumentWindow::rightButtonReleaseFlows()
{
    seed(u"cbr1"_s, u"甲"_s);
    open();
    db().exec(u"UPDATE labg SET cbr2 = '外' WHERE dabh = ?"_s, {caseNo});
    // The box's menu would take the release; close it as soon as it shows.
    QTimer::singleShot(0, [] {
        if (QWidget *menu = QApplication::activePopupWidget())
            menu->close();
    });
    QTest::mouseClick(line(16), Qt::RightButton);
    QCOMPARE(stored(u"cbr1"_s), u"甲"_s);
    QCOMPARE(stored(u"cbr2"_s), QString());
}

void TestDocumentWindow::closing_data()
{
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("byEsc");
    QTest::addColumn<bool>("rowKept");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("not ticked: nothing asked") << false << false << false << true << QStringList();
    QTest::newRow("ticked, 否") << true << false << false << true << QStringList();
    QTest::newRow("ticked, 是") << true << true << false << false
                               << QStringList{u"Check1(2)=0"_s};
    QTest::newRow("ticked, Esc, 是") << true << true << true << false
                                    << QStringList{u"Check1(2)=0"_s};
    QTest::newRow("ticked, Esc, 否") << true << false << true << true << QStringList();
}

void TestDocumentWindow::closing()
{
    QFETCH(bool, ticked);
    QFETCH(bool, yes);
    QFETCH(bool, byEsc);
    QFETCH(bool, rowKept);
    QFETCH(QStringList, calls);
    seed(u"dsr"_s, u"甲"_s, otherCase);
    open();
    QVERIFY(!m_window->deleteBox()->isChecked());
    m_window->deleteBox()->setChecked(ticked);
    m_messages->answer(yes ? Answer::Yes : Answer::No);
    if (byEsc)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    else
        m_window->close();
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_messages->shown.size(), ticked ? 1 : 0);
    if (ticked) {
        QCOMPARE(m_messages->lastText(), u"确认销除该案件资料吗？"_s);
        QCOMPARE(m_messages->shown.last().title, u"提示"_s);
        QCOMPARE(m_messages->shown.last().buttons, Buttons::YesNo);
    }
    QCOMPARE(db().scalar(u"SELECT COUNT(*) FROM labg WHERE dabh = ?"_s, {caseNo}), rowKept ? u"1"_s : u"0"_s);
    QCOMPARE(stored(u"dsr"_s, otherCase), u"甲"_s);
    QCOMPARE(m_register.calls, calls);
}

void TestDocumentWindow::pendingLineFlowsBeforeClosingAndPrinting()
{
    seed(u"cbr1"_s, repeated(u"a"_s, 44));
    seed(u"aqzy1"_s, repeated(u"a"_s, 76));
    open();
    line(16)->setFocus();
    line(16)->end(false);
    QTest::keyPress(line(16), Qt::Key_B);
    app().caseNo = otherCase;
    QTest::mouseClick(m_window->printPicture(), Qt::LeftButton);
    QCOMPARE(stored(u"cbr2"_s), u"b"_s);
    QCOMPARE(app().caseNo, caseNo);
    line(5)->setFocus();
    line(5)->end(false);
    QTest::keyPress(line(5), Qt::Key_C);
    m_window->close();
    QCOMPARE(stored(u"aqzy2"_s), u"c"_s);
}

void TestDocumentWindow::pendingLineFlowsOnLeavingAndAfterAPaste()
{
    seed(u"cbr1"_s, repeated(u"a"_s, 44));
    open();
    line(16)->setFocus();
    line(16)->end(false);
    QTest::keyPress(line(16), Qt::Key_B);
    line(0)->setFocus();
    QCOMPARE(stored(u"cbr2"_s), u"b"_s);
    QCOMPARE(focusedBox(*m_window), 0);
    QApplication::clipboard()->setText(u"贴"_s);
    line(16)->setFocus();
    line(16)->home(false);
    QTest::keyClick(line(16), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(stored(u"cbr1"_s), u"贴"_s + repeated(u"a"_s, 42));
    QCOMPARE(stored(u"cbr2"_s), u"aab"_s);
}

void TestDocumentWindow::databaseFailure()
{
    seed(u"dsr"_s, u"甲"_s);
    seed(u"cbr1"_s, u"丁"_s);
    open();
    db().exec(u"CREATE TRIGGER labg_fails BEFORE UPDATE ON labg BEGIN SELECT abs(1, 2); END"_s);
    line(0)->end(false);
    commit(line(0), u"乙"_s);
    QCOMPARE(m_messages->shown.size(), 1);
    QCOMPARE(m_messages->shown.last().title, u"错误"_s);
    QCOMPARE(line(0)->text(), u"甲"_s);
    line(16)->setFocus();
    line(16)->end(false);
    commit(line(16), u"戊"_s);
    QCOMPARE(m_messages->shown.size(), 2);
    QCOMPARE(line(16)->text(), u"丁"_s);
    QCOMPARE(stored(u"cbr1"_s), u"丁"_s);
}

void TestDocumentWindow::hiddenMemoTabOrderAndBounds()
{
    db().insertRow(u"hyjl"_s, {u"dabh"_s, u"hyjly"_s}, {caseNo, u"内部"_s});
    open(ownDocument());
    auto *hidden = qobject_cast<QLineEdit *>(m_window->box(0));
    QVERIFY(!hidden->isVisible());
    QCOMPARE(hidden->text(), u"内部"_s);
    // The tab order's first box has the focus on opening.
    QCOMPARE(focusedBox(*m_window), 5);
    line(1)->setFocus();
    press(line(1), Qt::Key_Up);
    QCOMPARE(focusedBox(*m_window), 1);

    auto *asTyped = qobject_cast<QPlainTextEdit *>(m_window->box(3));
    auto *readBack = qobject_cast<QPlainTextEdit *>(m_window->box(4));
    asTyped->setFocus();
    commit(asTyped, repeated(u"a"_s, 80));
    QCOMPARE(asTyped->toPlainText(), repeated(u"a"_s, 80));
    QCOMPARE(db().scalar(u"SELECT hyjg FROM hyjl WHERE dabh = ?"_s, {caseNo}), repeated(u"a"_s, 70));
    readBack->setFocus();
    commit(readBack, repeated(u"a"_s, 80));
    QCOMPARE(readBack->toPlainText(), repeated(u"a"_s, 68));

    // Enter in a memo moves on, and the memo takes its line break too.
    asTyped->setFocus();
    asTyped->moveCursor(QTextCursor::Start);
    press(asTyped, Qt::Key_Return);
    QCOMPARE(focusedBox(*m_window), 4);
    QCOMPARE(asTyped->toPlainText(), u"\n"_s + repeated(u"a"_s, 80));
    // Enter and Down stop at their bound, before the last box.
    press(readBack, Qt::Key_Return);
    QCOMPARE(focusedBox(*m_window), 4);
    QCOMPARE(db().scalar(u"SELECT hyjly FROM hyjl WHERE dabh = ?"_s, {caseNo}), u"内部"_s);
}

void TestDocumentWindow::groundAndTabFromAMemo_data()
{
    QTest::addColumn<bool>("system");
    QTest::newRow("white like the paper form") << false;
    QTest::newRow("dialog frame on the system's window colour") << true;
}

// The window and its line boxes share the ground the design gives; a memo
// stays white inside its black border, and Tab leaves it for the next box
// without typing a tab into it.
void TestDocumentWindow::groundAndTabFromAMemo()
{
    QFETCH(bool, system);
    DocumentDescription d = ownDocument();
    d.window.background = system ? WindowBackground::System : WindowBackground::White;
    open(d);
    const QColor ground = system ? QApplication::palette().color(QPalette::Base) : QColor(Qt::white);
    QCOMPARE(m_window->palette().color(QPalette::Window), ground);
    QCOMPARE(line(1)->palette().color(QPalette::Base), ground);
    auto *memo = qobject_cast<QPlainTextEdit *>(m_window->box(3));
    QCOMPARE(memo->palette().color(QPalette::Base), QColor(Qt::white));
    QCOMPARE(memo->palette().color(QPalette::Text), QColor(0, 0, 255));
    QCOMPARE(memo->palette().color(QPalette::WindowText), QColor(0, 0, 0)); // its border
    memo->setFocus();
    commit(memo, u"甲"_s);
    QTest::keyClick(memo, Qt::Key_Tab);
    QCOMPARE(focusedBox(*m_window), 4);
    QCOMPARE(memo->toPlainText(), u"甲"_s);
    QCOMPARE(db().scalar(u"SELECT hyjg FROM hyjl WHERE dabh = ?"_s, {caseNo}), u"甲"_s);
}

// A label of a fixed width is one label whose text breaks onto a second
// line one em (180 twips) below the first.
void TestDocumentWindow::wrappedLabel()
{
    open(ownDocument());
    GridLabel *found = nullptr;
    for (auto *label : m_window->findChildren<GridLabel *>())
        if (label->text() == wrappingSentence)
            found = label;
    QVERIFY(found);
    QCOMPARE(found->lines(), (QStringList{wrappingSentence.left(40), wrappingSentence.mid(40)}));
    QCOMPARE(found->width(), px(7215));
    QCOMPARE(found->height(), found->fontMetrics().height() + px(180));
}

void TestDocumentWindow::lockedBoxRefusesAnInputMethodCommit_data()
{
    QTest::addColumn<bool>("memo");
    QTest::newRow("the authority box") << false;
    QTest::newRow("a locked memo") << true;
}

// Chinese typed into a locked box reached it as a commit and was stored.
void TestDocumentWindow::lockedBoxRefusesAnInputMethodCommit()
{
    QFETCH(bool, memo);
    DocumentDescription d = memo ? ownDocument() : labgDescription();
    const int box = memo ? 3 : 19;
    const QString column = memo ? u"hyjg"_s : u"pbjg"_s;
    d.boxes[std::size_t(box)].locked = true;
    open(d);
    QWidget *w = m_window->box(box);
    const QString shown = memo ? qobject_cast<QPlainTextEdit *>(w)->toPlainText() : line(box)->text();
    w->setFocus();
    commit(w, u"甲"_s);
    QCOMPARE(memo ? qobject_cast<QPlainTextEdit *>(w)->toPlainText() : line(box)->text(), shown);
    QCOMPARE(db().scalar(u"SELECT %1 FROM %2 WHERE dabh = ?"_s.arg(column, d.document.table), {caseNo}), shown);
    QVERIFY(memo || shown == authorityText());
}

QTEST_MAIN(TestDocumentWindow)
#include "tst_documentwindow.moc"
