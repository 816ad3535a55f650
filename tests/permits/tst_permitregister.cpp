// The permit register window: the number proposal, the save checks, the
// first next-review date, duplicate and failing saves, cancel, the close
// question, deletion and the empty table, the navigator, the return
// protocol, the space key rule and the print buttons. Needs widgets: the
// behaviour lives in the controls' events.
#include "data/appvalues.h"
#include "permitfixture.h"
#include "platform/modal.h"
#include "registers/querywindow.h"
#include "support/testdb.h"
#include "support/ui/scriptedmessages.h"

#include <QClipboard>
#include <QGroupBox>
#include <QTableView>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::test;

namespace {
using State = PermitRegisterWindow::State;
}

class TestPermitRegister : public QObject {
    Q_OBJECT
private slots:
    void init();
    void layoutAndCaption();
    void proposal_data();
    void proposal();
    void addAndCancelInEmptyTable();
    void saveChecks_data();
    void saveChecks();
    void saveNewPermit();
    void pasteLongerThanTheColumn();
    void nextReviewDateOnSave_data();
    void nextReviewDateOnSave();
    void duplicateNumber_data();
    void duplicateNumber();
    void failingSaveStaysInEditing();
    void cancelShowsTheStoredPermit();
    void closeQuestion_data();
    void closeQuestion();
    void deletion_data();
    void deletion();
    void deletingTheOnlyPermit();
    void listBoxesAreEdits();
    void navigatorOnThirdOfFive();
    void returnProtocol();
    void spaceKeyRule();
    void printButtons_data();
    void printButtons();

private:
    ScriptedMessages *m_script = nullptr;
};

void TestPermitRegister::init()
{
    setModalMode(ModalMode::NonBlocking);
    m_script = &ScriptedMessages::install();
}

void TestPermitRegister::layoutAndCaption()
{
    TestDatabase tdb;
    addPermit(tdb.db(), u"20020001"_s);
    PermitRegister r;
    QCOMPARE(r.w->windowTitle(), u"卫生许可证管理"_s);
    QCOMPARE(r.w->size(), QSize(581, 360));
    QCOMPARE(r.named(u"Frame1"_s)->geometry(), QRect(8, 8, 361, 153));
    QCOMPARE(static_cast<QGroupBox *>(r.named(u"Frame4"_s))->title(), u"备注"_s);
    QCOMPARE(r.box(17)->parentWidget(), r.named(u"Frame1"_s));
    QCOMPARE(r.box(17)->geometry(), QRect(264, 120, 81, 18));
    QCOMPARE(r.memo(14)->geometry(), QRect(72, 96, 113, 49));
    QCOMPARE(r.button(8)->text(), u"打印设置"_s);
    QCOMPARE(r.button(6)->geometry(), QRect(504, 304, 65, 25));
    QCOMPARE(r.named(u"Data1"_s)->geometry(), QRect(0, 337, 581, 23));
    QCOMPARE(r.box(6)->toolTip(), u"填写格式为：年度4位+编号。"_s);
    QCOMPARE(r.box(10)->toolTip(), u"填写格式为：2000-01-01"_s);
    QCOMPARE(r.combo(0)->toolTip(), u"必须按列表中内容填写。"_s);
    QCOMPARE(r.combo(0)->itemText(2), u"NO.Y.05-3"_s);
    QCOMPARE(r.combo(1)->itemText(1), u"食证"_s);
    QCOMPARE(r.caption(), u"记录：共1条  第1条"_s);
    QCOMPARE(r.w->state(), State::Browsing);
    QCOMPARE(r.buttons(permitButtons), u"11001111"_s);
    // The unit's boxes, the list boxes, then the permit number.
    QVERIFY(QTest::qWaitForWindowActive(r.w));
    r.box(17)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(r.combo(0)->isAncestorOf(QApplication::focusWidget()) || QApplication::focusWidget() == r.combo(0));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), r.box(6));
}

void TestPermitRegister::proposal_data()
{
    QTest::addColumn<QStringList>("permits"); // in table order
    QTest::addColumn<QString>("proposed");
    QTest::newRow("empty table in this year") << QStringList{} << QDate::currentDate().toString(u"yyyy"_s) + u"0001"_s;
    QTest::newRow("last in table order, not the highest") << QStringList{u"20029999"_s, u"20020015"_s}
                                                         << u"20020016"_s;
    QTest::newRow("hyphen ends the leading digits") << QStringList{u"2002-015"_s} << u"2003"_s;
    QTest::newRow("no leading digit") << QStringList{u"20020001"_s, u"ABC12345"_s} << u"1"_s;
}

void TestPermitRegister::proposal()
{
    QFETCH(QStringList, permits);
    QFETCH(QString, proposed);
    TestDatabase tdb;
    for (const QString &p : permits)
        addPermit(tdb.db(), p, {{u"dwmc"_s, u"已有"_s}, {u"xh"_s, u"NO.Y.05-1"_s}});
    PermitRegister r;
    if (!permits.isEmpty())
        r.w->record()->moveFirst();
    r.click(1);
    QCOMPARE(r.box(6)->text(), proposed);
    QCOMPARE(r.box(0)->text(), QString());
    QCOMPARE(r.combo(0)->currentText(), QString());
    QCOMPARE(r.w->state(), State::Editing);
    QCOMPARE(r.buttons(permitButtons), u"00110000"_s);
    QVERIFY(!r.navigatorOn());
    QVERIFY(!r.box(6)->isReadOnly());
}

void TestPermitRegister::addAndCancelInEmptyTable()
{
    TestDatabase tdb;
    PermitRegister r;
    QCOMPARE(r.w->state(), State::Empty);
    QCOMPARE(r.buttons(permitButtons), u"10000001"_s);
    QVERIFY(!r.navigatorOn());
    QVERIFY(!r.box(0)->isEnabled() && !r.memo(15)->isEnabled() && !r.combo(1)->isEnabled());
    r.click(1);
    for (int i = 0; i <= 17; ++i)
        QVERIFY(r.named(u"Text1_%1"_s.arg(i))->isEnabled());
    QVERIFY(r.combo(0)->isEnabled() && r.combo(1)->isEnabled());
    QVERIFY(!r.navigatorOn());
    r.click(4);
    QCOMPARE(r.w->state(), State::Empty);
    QCOMPARE(r.buttons(permitButtons), u"10000001"_s);
    QCOMPARE(r.box(6)->text(), QString());
    QVERIFY(!r.box(0)->isEnabled());
    QCOMPARE(tdb.db().scalar(u"SELECT count(*) FROM wsxkz"_s), u"0"_s);
}

void TestPermitRegister::saveChecks_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("focus"); // -1: stays on 单位名称
    QTest::newRow("number empty") << 6 << QString() << u"许可证号不能留空！"_s << -1;
    QTest::newRow("number of 7") << 6 << u"2002001"_s << u"许可证号不能少于8位！填写规则为年度四位加编号。"_s << 6;
    QTest::newRow("issue date of 8 characters") << 9 << u"2002-2-8"_s << u"错误的日期格式"_s << 9;
    QTest::newRow("end of validity no date") << 10 << u"2005-02-30"_s << u"错误的日期格式"_s << 10;
    QTest::newRow("application date 11 characters") << 11 << u"2002-01-055"_s << u"错误的日期格式"_s << 11;
}

void TestPermitRegister::saveChecks()
{
    QFETCH(int, box);
    QFETCH(QString, value);
    QFETCH(QString, message);
    QFETCH(int, focus);
    TestDatabase tdb;
    addPermit(tdb.db(), u"20020001"_s);
    PermitRegister r;
    QVERIFY(QTest::qWaitForWindowActive(r.w));
    r.click(1);
    r.box(9)->setText(u"2002-03-01"_s);
    r.box(box)->setText(value);
    r.box(0)->setFocus();
    r.click(3);
    QCOMPARE(m_script->shown.size(), 1);
    QCOMPARE(m_script->lastText(), message);
    QCOMPARE(m_script->shown[0].title, QString());
    QCOMPARE(m_script->shown[0].buttons, Buttons::Ok);
    QCOMPARE(QApplication::focusWidget(), focus >= 0 ? r.box(focus) : r.box(0));
    QCOMPARE(r.w->state(), State::Editing);
    QCOMPARE(r.box(box)->text(), value);
    QCOMPARE(tdb.db().scalar(u"SELECT count(*) FROM wsxkz"_s), u"1"_s);
}

void TestPermitRegister::saveNewPermit()
{
    TestDatabase tdb;
    addPermit(tdb.db(), u"20020001"_s);
    PermitRegister r;
    r.click(1);
    type(r.box(0), u"城关饭店"_s);
    r.combo(0)->setEditText(u"NO.Y.05-4"_s); // stored as typed
    type(r.combo(1)->lineEdit(), u"食证"_s);
    r.box(9)->setText(u"2004-02-29"_s);
    type(r.memo(15), u"O'Brien 100% a_b"_s);
    r.click(3);
    QCOMPARE(m_script->shown.size(), 0);
    QCOMPARE(stored(tdb.db(), u"dwmc"_s, u"20020002"_s), u"城关饭店"_s);
    QCOMPARE(stored(tdb.db(), u"xh"_s, u"20020002"_s), u"NO.Y.05-4"_s);
    QCOMPARE(stored(tdb.db(), u"lb"_s, u"20020002"_s), u"食证"_s);
    QCOMPARE(stored(tdb.db(), u"bz"_s, u"20020002"_s), u"O'Brien 100% a_b"_s);
    QCOMPARE(stored(tdb.db(), u"xcnsrq"_s, u"20020002"_s), u"2005-02-28"_s);
    QCOMPARE(r.w->state(), State::Browsing);
    QCOMPARE(r.box(6)->text(), u"20020002"_s);
    QCOMPARE(r.caption(), u"记录：共2条  第2条"_s);
    QCOMPARE(r.buttons(permitButtons), u"11001111"_s);
    QVERIFY(r.navigatorOn());
}

// The box shows what a save stores: a paste keeps what the column holds.
void TestPermitRegister::pasteLongerThanTheColumn()
{
    TestDatabase tdb;
    addPermit(tdb.db(), u"20020001"_s);
    PermitRegister r;
    r.click(1);
    QApplication::clipboard()->setText(QString(10000, u'卫'));
    r.box(0)->paste();
    const QString shown = r.box(0)->text();
    QCOMPARE(displayUnits(shown), tdb.db().capacity(u"wsxkz"_s, u"dwmc"_s));
    r.click(3);
    QCOMPARE(m_script->shown.size(), 0);
    QCOMPARE(stored(tdb.db(), u"dwmc"_s, u"20020002"_s), shown);
}

void TestPermitRegister::nextReviewDateOnSave_data()
{
    QTest::addColumn<QString>("storedNext"); // xcnsrq before the save
    QTest::addColumn<QString>("issued");     // typed into 发证日期
    QTest::addColumn<QString>("expected");
    QTest::newRow("ordinary date") << QString() << u"2002-02-28"_s << u"2003-02-28"_s;
    QTest::newRow("29 February, next year without one") << QString() << u"2004-02-29"_s << u"2005-02-28"_s;
    QTest::newRow("29 February, next year with one") << QString() << u"2003-02-28"_s << u"2004-02-28"_s;
    QTest::newRow("empty issue date leaves it empty") << QString() << QString() << QString();
    QTest::newRow("a held date stays, issue date changed") << u"2003-06-01"_s << u"2010-01-01"_s
                                                           << u"2003-06-01"_s;
}

void TestPermitRegister::nextReviewDateOnSave()
{
    QFETCH(QString, storedNext);
    QFETCH(QString, issued);
    QFETCH(QString, expected);
    TestDatabase tdb;
    addPermit(tdb.db(), u"20020001"_s, {{u"fzrq"_s, u"2002-06-01"_s}, {u"xcnsrq"_s, storedNext}});
    PermitRegister r;
    r.box(9)->setText(issued);
    r.click(3);
    QCOMPARE(m_script->shown.size(), 0);
    QCOMPARE(stored(tdb.db(), u"fzrq"_s, u"20020001"_s), issued);
    QCOMPARE(stored(tdb.db(), u"xcnsrq"_s, u"20020001"_s), expected);
}

void TestPermitRegister::duplicateNumber_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("same number") << u"ABC12345"_s;
    QTest::newRow("same number in other letter case") << u"abc12345"_s;
}

void TestPermitRegister::duplicateNumber()
{
    QFETCH(QString, typed);
    TestDatabase tdb;
    addPermit(tdb.db(), u"ABC12345"_s);
    PermitRegister r;
    r.click(1);
    r.box(6)->setText(typed);
    type(r.box(0), u"重复"_s);
    r.click(3);
    QCOMPARE(m_script->shown.size(), 1);
    QCOMPARE(m_script->lastText(), u"该卫生许可证编号已存在。"_s);
    QCOMPARE(m_script->shown[0].title, u"错误"_s);
    QCOMPARE(r.w->state(), State::Editing);
    QCOMPARE(r.box(0)->text(), u"重复"_s);
    QCOMPARE(r.box(6)->text(), typed);
    QCOMPARE(tdb.db().scalar(u"SELECT count(*) FROM wsxkz"_s), u"1"_s);
}

// A write the database refuses for another reason than the number: told as
// an error, nothing stored, the window still editing with the typed values.
void TestPermitRegister::failingSaveStaysInEditing()
{
    TestDatabase tdb;
    addPermit(tdb.db(), u"20020001"_s);
    PermitRegister r;
    tdb.db().exec(u"ALTER TABLE wsxkz RENAME COLUMN xcnsrq TO xcnsrq0"_s);
    type(r.box(0), u"改名"_s);
    r.box(9)->setText(u"2002-02-28"_s);
    r.click(3);
    QCOMPARE(m_script->shown.size(), 1);
    QCOMPARE(m_script->shown[0].title, u"错误"_s);
    QCOMPARE(r.w->state(), State::Editing);
    QCOMPARE(r.box(9)->text(), u"2002-02-28"_s);
    QCOMPARE(stored(tdb.db(), u"dwmc"_s, u"20020001"_s), u"单位20020001"_s);
    QCOMPARE(stored(tdb.db(), u"fzrq"_s, u"20020001"_s), QString());
    // Yes in the close question then keeps the window open.
    m_script->clear();
    m_script->answer(Answer::Yes);
    r.w->close();
    QVERIFY(r.w->isVisible());
    QCOMPARE(m_script->shown.size(), 2);
}

void TestPermitRegister::cancelShowsTheStoredPermit()
{
    TestDatabase tdb;
    addPermit(tdb.db(), u"20020001"_s);
    addPermit(tdb.db(), u"20020002"_s, {{u"lb"_s, u"公证"_s}, {u"bz"_s, u"备注"_s}});
    PermitRegister r;
    type(r.box(0), u"改了"_s);
    r.combo(1)->setEditText(u"消证"_s);
    r.memo(15)->clear();
    QCOMPARE(r.w->state(), State::Editing);
    r.click(4);
    QCOMPARE(r.box(0)->text(), u"单位20020002"_s);
    QCOMPARE(r.combo(1)->currentText(), u"公证"_s);
    QCOMPARE(r.memo(15)->toPlainText(), u"备注"_s);
    QCOMPARE(r.w->state(), State::Browsing);
    QCOMPARE(r.buttons(permitButtons), u"11001111"_s);

    r.w->record()->moveFirst();
    r.click(1);
    r.box(0)->setText(u"不要了"_s);
    r.click(4);
    QCOMPARE(r.box(6)->text(), u"20020002"_s);
    QCOMPARE(r.box(0)->text(), u"单位20020002"_s);
    r.w->record()->moveFirst();
    QCOMPARE(tdb.db().scalar(u"SELECT count(*) FROM wsxkz"_s), u"2"_s);
    QCOMPARE(stored(tdb.db(), u"dwmc"_s, u"20020002"_s), u"单位20020002"_s);
    QCOMPARE(stored(tdb.db(), u"lb"_s, u"20020002"_s), u"公证"_s);
}

void TestPermitRegister::closeQuestion_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("number"); // in the number box when closing
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QString>("storedName");
    QTest::newRow("no: changes lost") << Answer::No << u"20020001"_s << true << u"单位20020001"_s;
    QTest::newRow("yes: saved") << Answer::Yes << u"20020001"_s << true << u"改了"_s;
    QTest::newRow("yes, check fails: stays") << Answer::Yes << QString() << false << u"单位20020001"_s;
    QTest::newRow("cancel: stays") << Answer::Cancel << u"20020001"_s << false << u"单位20020001"_s;
}

// A refused close stays on the permit shown, with the edits pending.
void TestPermitRegister::closeQuestion()
{
    QFETCH(Answer, answer);
    QFETCH(QString, number);
    QFETCH(bool, closes);
    QFETCH(QString, storedName);
    TestDatabase tdb;
    addPermit(tdb.db(), u"20020001"_s);
    addPermit(tdb.db(), u"20020002"_s);
    PermitRegister r;
    r.w->record()->moveFirst();
    r.box(0)->setText(u"改了"_s);
    r.box(6)->setText(number);
    m_script->answer(answer);
    r.w->close();
    QCOMPARE(m_script->shown[0].text, u"记录已更改，是否存盘？"_s);
    QCOMPARE(m_script->shown[0].title, u"提示"_s);
    QCOMPARE(m_script->shown[0].buttons, Buttons::YesNoCancel);
    QCOMPARE(r.w->isVisible(), !closes);
    QCOMPARE(stored(tdb.db(), u"dwmc"_s, u"20020001"_s), storedName);
    if (closes) {
        QCOMPARE(app().permitReturn, 0);
        return;
    }
    QCOMPARE(r.box(0)->text(), u"改了"_s);
    QCOMPARE(r.box(6)->text(), number);
    QCOMPARE(r.caption(), u"记录：共2条  第1条"_s);
    QCOMPARE(r.w->state(), State::Editing);
    m_script->clear();
    m_script->answer(Answer::No);
    r.w->close();
    QCOMPARE(m_script->shown.size(), 1);
    QVERIFY(!r.w->isVisible());
    QCOMPARE(stored(tdb.db(), u"dwmc"_s, u"20020001"_s), u"单位20020001"_s);
}

void TestPermitRegister::deletion_data()
{
    QTest::addColumn<int>("position"); // of the permit deleted, 0-based
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("left");
    QTest::newRow("middle: the next one") << 1 << Answer::Yes << u"20020003"_s << 2;
    QTest::newRow("last in table order: the one before") << 2 << Answer::Yes << u"20020002"_s << 2;
    QTest::newRow("answered no") << 1 << Answer::No << u"20020002"_s << 3;
}

void TestPermitRegister::deletion()
{
    QFETCH(int, position);
    QFETCH(Answer, answer);
    QFETCH(QString, shown);
    QFETCH(int, left);
    TestDatabase tdb;
    for (int i = 1; i <= 3; ++i)
        addPermit(tdb.db(), u"2002000%1"_s.arg(i));
    PermitRegister r;
    r.w->record()->moveFirst();
    for (int i = 0; i < position; ++i)
        r.w->record()->moveNext();
    m_script->answer(answer);
    r.click(2);
    QCOMPARE(m_script->shown[0].text, u"确认删除该项记录吗？"_s);
    QCOMPARE(m_script->shown[0].title, u"提示"_s);
    QCOMPARE(m_script->shown[0].buttons, Buttons::YesNo);
    QCOMPARE(r.box(6)->text(), shown);
    QCOMPARE(tdb.db().scalar(u"SELECT count(*) FROM wsxkz"_s).toInt(), left);
    QCOMPARE(r.w->state(), State::Browsing);
    QCOMPARE(r.buttons(permitButtons), u"11001111"_s);
}

void TestPermitRegister::deletingTheOnlyPermit()
{
    TestDatabase tdb;
    addPermit(tdb.db(), u"20020001"_s);
    PermitRegister r;
    m_script->answer(Answer::Yes);
    r.click(2);
    QCOMPARE(tdb.db().scalar(u"SELECT count(*) FROM wsxkz"_s), u"0"_s);
    QCOMPARE(r.w->state(), State::Empty);
    QCOMPARE(r.buttons(permitButtons), u"10000000"_s);
    QVERIFY(!r.navigatorOn());
    QCOMPARE(r.box(0)->text(), QString());
    QCOMPARE(r.box(6)->text(), QString());
    for (int i = 0; i <= 17; ++i)
        QVERIFY(!r.named(u"Text1_%1"_s.arg(i))->isEnabled());
    QVERIFY(!r.combo(0)->isEnabled() && !r.combo(1)->isEnabled());
    r.click(1);
    QCOMPARE(r.box(6)->text(), QDate::currentDate().toString(u"yyyy"_s) + u"0001"_s);
    QVERIFY(r.box(0)->isEnabled());
}

void TestPermitRegister::listBoxesAreEdits()
{
    TestDatabase tdb;
    addPermit(tdb.db(), u"20020001"_s, {{u"xh"_s, u"NO.Y.05-1"_s}});
    PermitRegister r;
    r.combo(0)->setCurrentIndex(1);
    emit r.combo(0)->activated(1);
    QCOMPARE(r.w->state(), State::Editing);
    r.click(4);
    QCOMPARE(r.combo(0)->currentText(), u"NO.Y.05-1"_s);
    QTest::keyClicks(r.combo(1)->lineEdit(), u"x"_s);
    QCOMPARE(r.w->state(), State::Editing);
}

void TestPermitRegister::navigatorOnThirdOfFive()
{
    TestDatabase tdb;
    for (int i = 1; i <= 5; ++i)
        addPermit(tdb.db(), u"2002000%1"_s.arg(i));
    PermitRegister r;
    QCOMPARE(r.caption(), u"记录：共5条  第5条"_s);
    r.w->record()->moveFirst();
    r.w->record()->moveNext();
    r.w->record()->moveNext();
    QCOMPARE(r.caption(), u"记录：共5条  第3条"_s);
    QCOMPARE(r.box(6)->text(), u"20020003"_s);
}

void TestPermitRegister::returnProtocol()
{
    TestDatabase tdb;
    for (const QString &p : {u"20020003"_s, u"20020001"_s, u"20020002"_s})
        addPermit(tdb.db(), p);
    {
        PermitRegister r;
        QCOMPARE(r.box(6)->text(), u"20020002"_s); // the last in table order
        r.w->record()->moveFirst();
        r.click(7);
        auto *query = qobject_cast<QueryWindow *>(openWindow(u"卫生许可证查询"_s));
        QVERIFY(query);
        QCOMPARE(app().permitNo, u"20020003"_s);
        QCOMPARE(app().permitReturn, 1);
        QCOMPARE(app().reviewReturn, 0);
        // The list is by number: the second row is 20020002.
        QTableView *grid = query->grid();
        const QPoint at = grid->visualRect(query->model()->index(1, 1)).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(!query->isVisible());
        QCOMPARE(r.box(6)->text(), u"20020002"_s);
        QCOMPARE(r.caption(), u"记录：共3条  第3条"_s);

        r.w->record()->moveFirst();
        r.click(7);
        openWindow(u"卫生许可证查询"_s)->close(); // closed without a choice
        QCOMPARE(r.box(6)->text(), u"20020003"_s);
        r.w->close();
        QCOMPARE(app().permitReturn, 0);
    }
    PermitRegister again; // opened again: the last permit, not the one left
    QCOMPARE(again.box(6)->text(), u"20020002"_s);
}

void TestPermitRegister::spaceKeyRule()
{
    TestDatabase tdb;
    addPermit(tdb.db(), u"20020001"_s);
    PermitRegister r;
    QLineEdit *number = r.box(6);
    QVERIFY(!number->isReadOnly());
    number->setCursorPosition(8);
    QTest::keyPress(number, Qt::Key_Space);
    QVERIFY(number->isReadOnly());
    QTest::keyRelease(number, Qt::Key_Space);
    QVERIFY(!number->isReadOnly());
    QCOMPARE(number->text(), u"20020001"_s);
    QCOMPARE(r.w->state(), State::Browsing);
    QTest::keyClicks(number, u"ABCDEFGHIJ"_s); // fifteen characters at most
    QCOMPARE(number->text(), u"20020001ABCDEFG"_s);
    QCOMPARE(r.w->state(), State::Editing);
    r.click(3);
    QCOMPARE(stored(tdb.db(), u"dwmc"_s, u"20020001ABCDEFG"_s), u"单位20020001"_s);
}

void TestPermitRegister::printButtons_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("message");
    QTest::addColumn<QString>("window");
    const QString certificate = u"卫生许可证打印预演"_s;
    QTest::newRow("打印正本, model 1") << u"NO.Y.05-1"_s << 5 << false << certificate;
    QTest::newRow("打印正本, model 3") << u"NO.Y.05-3"_s << 5 << false << certificate;
    QTest::newRow("打印正本, model typed otherwise") << u"NO.Y.05-4"_s << 5 << true << certificate;
    QTest::newRow("打印正本, letter case differs") << u"no.y.05-1"_s << 5 << true << certificate;
    QTest::newRow("打印正本, trailing blank") << u"NO.Y.05-2 "_s << 5 << true << certificate;
    QTest::newRow("打印副本 looks at no model") << u"NO.Y.05-4"_s << 6 << false << u"卫生许可证副本打印预演"_s;
    QTest::newRow("打印设置") << QString() << 8 << false << u"卫生许可证打印设置"_s;
}

void TestPermitRegister::printButtons()
{
    QFETCH(QString, model);
    QFETCH(int, button);
    QFETCH(bool, message);
    QFETCH(QString, window);
    TestDatabase tdb;
    addPermit(tdb.db(), u"20020001"_s, {{u"xh"_s, model}});
    PermitRegister r;
    r.click(button);
    QCOMPARE(m_script->shown.size(), message ? 1 : 0);
    if (message) {
        QCOMPARE(m_script->lastText(), u"请按表中所列项目填写“许可证型号”！"_s);
        QCOMPARE(m_script->shown[0].title, QString());
        QCOMPARE(m_script->shown[0].buttons, Buttons::Ok);
    }
    FormWindow *opened = openWindow(window);
    QVERIFY(opened);
    opened->close();
    QCOMPARE(r.w->state(), State::Browsing);
    QCOMPARE(r.combo(0)->currentText(), model);
    QCOMPARE(r.w->printLines().dwmc11, QString());
}

QTEST_MAIN(TestPermitRegister)
#include "tst_permitregister.moc"
