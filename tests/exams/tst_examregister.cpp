// The examination register window: its layout, adding without a proposed
// number, the number checks, duplicate and failing stores, cancel, the
// option pairs and the transfer section, deletion down to the empty table,
// the close question and the return protocol. Needs widgets: the behaviour
// lives in the controls' events.
#include "data/appvalues.h"
#include "examfixture.h"
#include "platform/busypointer.h"
#include "platform/modal.h"
#include "support/testdb.h"
#include "support/ui/scriptedmessages.h"

#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::test;

namespace {
using State = ExamRegisterWindow::State;

// 体检编号 and 姓名 of three records in table order.
const QStringList three = {u"20020003"_s, u"20020001"_s, u"20020002"_s};
} // namespace

class TestExamRegister : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void layout();
    void tabOrder();
    void emptyTable();
    void addWithoutProposal_data();
    void addWithoutProposal();
    void saveChecks_data();
    void saveChecks();
    void numberTypingStopsAtEight();
    void saveNewRecord();
    void pasteLongerThanTheColumn();
    void duplicateNumber_data();
    void duplicateNumber();
    void changedNumberOfStoredRecord();
    void failingSaveStaysInEditing();
    void cancelShowsTheStoredRecord();
    void transferSection();
    void movingToFailedRecord();
    void anyEditStartsEditing_data();
    void anyEditStartsEditing();
    void deletion_data();
    void deletion();
    void deletingTheLastRecord();
    void deletionThatFails();
    void navigatorOnThirdOfFive();
    void closeQuestion_data();
    void closeQuestion();
    void returnProtocol();

private:
    ScriptedMessages *m_script = nullptr;
};

void TestExamRegister::init()
{
    setModalMode(ModalMode::NonBlocking);
    resetAppValues();
    m_script = &ScriptedMessages::install();
}

void TestExamRegister::cleanup() { deleteWorkWindows(); }

void TestExamRegister::layout()
{
    TestDatabase tdb;
    addExam(tdb.db(), u"20020001"_s);
    ExamRegister r;
    QCOMPARE(r.w->objectName(), u"frm_jktj"_s);
    QCOMPARE(r.w->windowTitle(), u"健康检查及卫生知识培训信息管理"_s);
    QCOMPARE(r.w->size(), QSize(px(5325), px(6690)));
    QCOMPARE(r.named(u"Frame1"_s)->geometry(), pxRect(120, 120, 5055, 2175));
    QCOMPARE(static_cast<QGroupBox *>(r.named(u"Frame2"_s))->title(), u"体检结论"_s);
    QCOMPARE(static_cast<QGroupBox *>(r.named(u"Frame3"_s))->title(), u"卫生知识培训"_s);
    QCOMPARE(static_cast<QGroupBox *>(r.named(u"Frame4"_s))->title(), u"调离情况"_s);
    QCOMPARE(r.box(7)->geometry(), pxRect(1080, 1800, 3855, 270));
    QCOMPARE(r.box(8)->geometry(), pxRect(240, 840, 2055, 855));
    QCOMPARE(r.box(11)->parentWidget(), r.named(u"Frame4"_s));
    QCOMPARE(r.box(11)->geometry(), pxRect(3600, 360, 1335, 270));
    QCOMPARE(r.option(2, 1)->geometry(), pxRect(1320, 360, 855, 375));
    QCOMPARE(static_cast<QLabel *>(r.named(u"Label12"_s))->text(), u"调离时间"_s);
    QCOMPARE(static_cast<QLabel *>(r.named(u"Label9"_s))->text(), u"调离文书编号"_s);
    QCOMPARE(r.button(6)->text(), u"查询"_s);
    QCOMPARE(r.button(3)->text(), u"确认"_s);
    QCOMPARE(r.button(4)->geometry(), pxRect(4200, 5880, 975, 375));
    QCOMPARE(r.named(u"Data1"_s)->geometry(), pxRect(0, 6315, 5325, 375));
    QCOMPARE(r.box(0)->toolTip(), u"体检编号为8位"_s);
    QCOMPARE(r.box(1)->toolTip(), u"必须按该格式填写：“2000-05-09”"_s);
    QVERIFY(r.box(14)->isHidden() && r.box(15)->isHidden());
    QVERIFY(r.option(1, 0)->isChecked() && r.option(2, 0)->isChecked());
    QCOMPARE(r.caption(), u"记录：共1条  第1条"_s);
    QCOMPARE(r.w->state(), State::Browsing);
    QCOMPARE(r.buttons(examButtons), u"11001"_s);
    QVERIFY(r.navigatorOn());
}

void TestExamRegister::tabOrder()
{
    TestDatabase tdb;
    addExam(tdb.db(), u"20020001"_s);
    ExamRegister r;
    QVERIFY(QTest::qWaitForWindowActive(r.w));
    QCOMPARE(QApplication::focusWidget(), r.box(0));
    QList<QWidget *> seen;
    for (int i = 0; i < 17; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen << QApplication::focusWidget();
    }
    // The checked option of each pair takes the focus for its pair.
    const QList<QWidget *> expected = {r.box(1),  r.box(2),       r.box(3),       r.box(4),  r.box(5),
                                       r.box(6),  r.box(7),       r.option(1, 0), r.box(8),  r.option(2, 0),
                                       r.box(9),  r.box(10),      r.box(11),      r.box(12), r.box(13),
                                       r.button(1), r.button(2)};
    QCOMPARE(seen, expected);
}

// Only 添加 is usable; 添加 opens every box, 取消 closes them again.
void TestExamRegister::emptyTable()
{
    TestDatabase tdb;
    ExamRegister r;
    auto entryOn = [&] {
        QString s;
        for (int i = 0; i <= 15; ++i)
            s += r.box(i)->isEnabled() ? u'1' : u'0';
        for (int pair : {1, 2})
            for (int i : {0, 1})
                s += r.option(pair, i)->isEnabled() ? u'1' : u'0';
        return s;
    };
    QCOMPARE(r.w->state(), State::Empty);
    QCOMPARE(r.buttons(examButtons), u"10000"_s);
    QVERIFY(!r.navigatorOn());
    QCOMPARE(entryOn(), QString(20, u'0'));
    r.click(1);
    QCOMPARE(entryOn(), QString(20, u'1'));
    QCOMPARE(r.w->state(), State::Editing);
    QCOMPARE(r.buttons(examButtons), u"00110"_s);
    QVERIFY(r.option(1, 0)->isChecked() && r.option(2, 0)->isChecked());
    QVERIFY(r.named(u"Frame4"_s)->isEnabled());
    QCOMPARE(r.box(0)->text(), QString());
    r.click(4);
    QCOMPARE(r.w->state(), State::Empty);
    QCOMPARE(r.buttons(examButtons), u"10000"_s);
    QCOMPARE(entryOn(), QString(20, u'0'));
    QCOMPARE(examCount(tdb.db()), 0);
}

void TestExamRegister::addWithoutProposal_data()
{
    QTest::addColumn<QString>("lastResult"); // of the last record in table order
    QTest::newRow("last record passed") << u"合格"_s;
    QTest::newRow("last record failed") << u"不合格"_s;
}

// 添加 goes to the last record first and proposes no number; 取消 then
// shows that last record.
void TestExamRegister::addWithoutProposal()
{
    QFETCH(QString, lastResult);
    TestDatabase tdb;
    addExam(tdb.db(), u"20020009"_s);
    addExam(tdb.db(), u"20020001"_s, {{u"tjhg"_s, lastResult}, {u"pxhg"_s, u"不合格"_s}});
    ExamRegister r;
    r.w->record()->moveFirst();
    r.box(3)->setFocus();
    r.click(1);
    QCOMPARE(r.box(0)->text(), QString());
    QCOMPARE(r.box(2)->text(), QString());
    QCOMPARE(r.box(14)->text(), u"合格"_s);
    QCOMPARE(r.box(15)->text(), u"合格"_s);
    QVERIFY(r.option(1, 0)->isChecked() && r.option(2, 0)->isChecked());
    QVERIFY(r.box(10)->isEnabled() && r.named(u"Frame4"_s)->isEnabled());
    QCOMPARE(r.w->focusWidget(), r.box(3));
    QCOMPARE(r.buttons(examButtons), u"00110"_s);
    QVERIFY(!r.navigatorOn());
    r.click(4);
    QCOMPARE(r.box(0)->text(), u"20020001"_s);
    QCOMPARE(r.box(14)->text(), lastResult);
    QVERIFY(r.option(2, 1)->isChecked());
    QCOMPARE(r.caption(), u"记录：共2条  第2条"_s);
    QCOMPARE(r.w->state(), State::Browsing);
    QCOMPARE(r.buttons(examButtons), u"11001"_s);
    QCOMPARE(examCount(tdb.db()), 2);
}

void TestExamRegister::saveChecks_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("message"); // empty: stored
    QTest::newRow("empty") << QString() << u"体检编号不能留空。"_s;
    QTest::newRow("seven digits") << u"2002001"_s << u"体检编号为8位数字。"_s;
    QTest::newRow("nine set by the program") << u"200200011"_s << u"体检编号为8位数字。"_s;
    QTest::newRow("letters and blanks, eight") << u"AB 12 CD"_s << QString();
    QTest::newRow("eight Chinese characters") << u"体检编号体检编号"_s << QString();
}

// Neither message moves the focus; a refused record stays as typed.
void TestExamRegister::saveChecks()
{
    QFETCH(QString, number);
    QFETCH(QString, message);
    TestDatabase tdb;
    addExam(tdb.db(), u"20020001"_s);
    ExamRegister r;
    QVERIFY(QTest::qWaitForWindowActive(r.w));
    r.click(1);
    r.box(0)->setText(number);
    type(r.box(2), u"张三"_s);
    r.box(5)->setFocus();
    r.click(3);
    if (message.isEmpty()) {
        QCOMPARE(m_script->shown.size(), 0);
        QCOMPARE(storedExam(tdb.db(), u"xm"_s, number), u"张三"_s);
        QCOMPARE(r.w->state(), State::Browsing);
        return;
    }
    QCOMPARE(m_script->shown.size(), 1);
    QCOMPARE(m_script->lastText(), message);
    QCOMPARE(m_script->shown[0].title, QString());
    QCOMPARE(m_script->shown[0].buttons, Buttons::Ok);
    QCOMPARE(QApplication::focusWidget(), r.box(5));
    QCOMPARE(r.w->state(), State::Editing);
    QCOMPARE(r.box(0)->text(), number);
    QCOMPARE(r.box(2)->text(), u"张三"_s);
    QCOMPARE(examCount(tdb.db()), 1);
}

void TestExamRegister::numberTypingStopsAtEight()
{
    TestDatabase tdb;
    addExam(tdb.db(), u"20020001"_s);
    ExamRegister r;
    r.box(0)->clear();
    QTest::keyClicks(r.box(0), u"123456789"_s);
    QCOMPARE(r.box(0)->text(), u"12345678"_s);
}

// Every box reaches its column as typed: dates in any form, apostrophes,
// the two results from their options.
void TestExamRegister::saveNewRecord()
{
    TestDatabase tdb;
    addExam(tdb.db(), u"20020001"_s);
    ExamRegister r;
    r.click(1);
    const QStringList typed = {u"20020002"_s, u"2000/5/9"_s, u"O'Neil"_s, u"男"_s, u"35"_s, u"厨师"_s,
                               u"城关饭店"_s, u"人民路1号"_s, u"肝功能正常"_s, u"100% 通过"_s,
                               u"调字第1号"_s, u"2003年05月09日上午"_s, u"李四"_s, u"王五"_s};
    for (int i = 0; i < typed.size(); ++i)
        type(r.box(i), typed[i]);
    r.option(2, 1)->click();
    r.click(3);
    QCOMPARE(m_script->shown.size(), 0);
    const QStringList columns = {u"tjbh"_s, u"tjrq"_s, u"xm"_s,   u"xb"_s,   u"nl"_s,   u"gz"_s,  u"dwmc"_s,
                                 u"dz"_s,   u"tjjl"_s, u"pxjl"_s, u"dlsh"_s, u"dlsj"_s, u"jbr"_s, u"jsr"_s};
    for (int i = 0; i < columns.size(); ++i)
        QCOMPARE(storedExam(tdb.db(), columns[i], u"20020002"_s), typed[i]);
    QCOMPARE(storedExam(tdb.db(), u"tjhg"_s, u"20020002"_s), u"合格"_s);
    QCOMPARE(storedExam(tdb.db(), u"pxhg"_s, u"20020002"_s), u"不合格"_s);
    QCOMPARE(r.w->state(), State::Browsing);
    QCOMPARE(r.box(0)->text(), u"20020002"_s);
    QCOMPARE(r.caption(), u"记录：共2条  第2条"_s);
    QCOMPARE(r.buttons(examButtons), u"11001"_s);
    QVERIFY(r.navigatorOn());
}

// The box shows what a save stores: a paste keeps what the column holds.
void TestExamRegister::pasteLongerThanTheColumn()
{
    TestDatabase tdb;
    ExamRegister r;
    r.click(1);
    type(r.box(0), u"20020002"_s);
    QApplication::clipboard()->setText(QString(10000, u'卫'));
    r.box(6)->paste();
    const QString shown = r.box(6)->text();
    QCOMPARE(displayUnits(shown), tdb.db().capacity(u"jktj"_s, u"dwmc"_s));
    r.click(3);
    QCOMPARE(m_script->shown.size(), 0);
    QCOMPARE(storedExam(tdb.db(), u"dwmc"_s, u"20020002"_s), shown);
}

void TestExamRegister::duplicateNumber_data()
{
    QTest::addColumn<bool>("adding");
    QTest::addColumn<QString>("typed");
    QTest::newRow("new record, same number") << true << u"AB123456"_s;
    QTest::newRow("new record, other letter case") << true << u"ab123456"_s;
    QTest::newRow("stored record renumbered to another's") << false << u"AB123456"_s;
}

void TestExamRegister::duplicateNumber()
{
    QFETCH(bool, adding);
    QFETCH(QString, typed);
    TestDatabase tdb;
    addExam(tdb.db(), u"AB123456"_s);
    addExam(tdb.db(), u"20020002"_s);
    ExamRegister r;
    if (adding)
        r.click(1);
    r.box(0)->setText(typed);
    r.box(2)->setText(u"重复"_s);
    r.click(3);
    QCOMPARE(m_script->shown.size(), 1);
    QCOMPARE(m_script->lastText(), u"体检编号重复"_s);
    QCOMPARE(m_script->shown[0].title, QString());
    QCOMPARE(m_script->shown[0].buttons, Buttons::Ok);
    QCOMPARE(r.w->state(), State::Editing);
    QCOMPARE(r.box(0)->text(), typed);
    QCOMPARE(r.box(2)->text(), u"重复"_s);
    QCOMPARE(examCount(tdb.db()), 2);
    QCOMPARE(storedExam(tdb.db(), u"xm"_s, u"20020002"_s), u"姓名20020002"_s);
    // Corrected, the same pending record is stored.
    r.box(0)->setText(u"20020003"_s);
    r.click(3);
    QCOMPARE(m_script->shown.size(), 1);
    QCOMPARE(storedExam(tdb.db(), u"xm"_s, u"20020003"_s), u"重复"_s);
    QCOMPARE(examCount(tdb.db()), adding ? 3 : 2);
}

void TestExamRegister::changedNumberOfStoredRecord()
{
    TestDatabase tdb;
    for (const QString &n : three)
        addExam(tdb.db(), n);
    ExamRegister r;
    r.w->record()->moveFirst();
    QVERIFY(!r.box(0)->isReadOnly());
    r.box(0)->setText(u"20029999"_s);
    r.click(3);
    QCOMPARE(m_script->shown.size(), 0);
    QCOMPARE(storedExam(tdb.db(), u"xm"_s, u"20029999"_s), u"姓名20020003"_s);
    QCOMPARE(storedExam(tdb.db(), u"xm"_s, u"20020003"_s), QString());
    QCOMPARE(r.caption(), u"记录：共3条  第1条"_s);
}

// A store the database refuses for another reason than the number: told
// as an error, nothing stored, the window still editing as typed.
void TestExamRegister::failingSaveStaysInEditing()
{
    TestDatabase tdb;
    addExam(tdb.db(), u"20020001"_s);
    ExamRegister r;
    tdb.db().exec(u"ALTER TABLE jktj RENAME COLUMN jsr TO jsr0"_s);
    r.box(2)->setText(u"改名"_s);
    r.click(3);
    QCOMPARE(m_script->shown.size(), 1);
    QCOMPARE(m_script->shown[0].title, u"错误"_s);
    QCOMPARE(r.w->state(), State::Editing);
    QCOMPARE(r.box(2)->text(), u"改名"_s);
    QCOMPARE(storedExam(tdb.db(), u"xm"_s, u"20020001"_s), u"姓名20020001"_s);
    // Yes in the close question then keeps the window open.
    m_script->clear();
    m_script->answer(Answer::Yes);
    r.w->close();
    QVERIFY(r.w->isVisible());
    QCOMPARE(m_script->shown.size(), 2);
    QCOMPARE(m_script->shown[1].title, u"错误"_s);
}

// 取消 shows the record as stored, the boxes the failed result emptied too.
void TestExamRegister::cancelShowsTheStoredRecord()
{
    TestDatabase tdb;
    addExam(tdb.db(), u"20020001"_s);
    addExam(tdb.db(), u"20020002"_s, {{u"dlsh"_s, u"调字第2号"_s}, {u"jbr"_s, u"李四"_s}, {u"pxhg"_s, u"不合格"_s}});
    ExamRegister r;
    type(r.box(2), u"改了"_s);
    r.box(0)->setText(u"20020009"_s);
    r.option(1, 1)->click();
    r.option(2, 0)->click();
    QCOMPARE(r.box(10)->text(), QString());
    r.click(4);
    QCOMPARE(r.box(0)->text(), u"20020002"_s);
    QCOMPARE(r.box(2)->text(), u"姓名20020002"_s);
    QCOMPARE(r.box(10)->text(), u"调字第2号"_s);
    QCOMPARE(r.box(12)->text(), u"李四"_s);
    QVERIFY(r.box(10)->isEnabled());
    QVERIFY(r.option(1, 0)->isChecked() && r.option(2, 1)->isChecked());
    QCOMPARE(r.w->state(), State::Browsing);
    QCOMPARE(r.buttons(examButtons), u"11001"_s);
    QCOMPARE(storedExam(tdb.db(), u"tjhg"_s, u"20020002"_s), u"合格"_s);
    QCOMPARE(examCount(tdb.db()), 2);
}

// 不合格 in 体检结论 empties the transfer section and locks it; 合格 opens it
// again, still empty. The training options leave it alone.
void TestExamRegister::transferSection()
{
    TestDatabase tdb;
    addExam(tdb.db(), u"20020001"_s,
            {{u"dlsh"_s, u"调字第1号"_s}, {u"dlsj"_s, u"2003-01-02"_s}, {u"jbr"_s, u"李四"_s}, {u"jsr"_s, u"王五"_s}});
    ExamRegister r;
    auto section = [&] {
        QString s;
        for (int i = 10; i <= 13; ++i)
            s += r.box(i)->text() + (r.box(i)->isEnabled() ? u"+"_s : u"-"_s);
        for (int i = 9; i <= 12; ++i)
            s += r.named(u"Label%1"_s.arg(i))->isEnabled() ? u'+' : u'-';
        return s + (r.named(u"Frame4"_s)->isEnabled() ? u'+' : u'-');
    };
    QCOMPARE(section(), u"调字第1号+2003-01-02+李四+王五++++++"_s);
    r.option(2, 1)->click();
    QCOMPARE(r.box(15)->text(), u"不合格"_s);
    QCOMPARE(section(), u"调字第1号+2003-01-02+李四+王五++++++"_s);
    r.option(1, 1)->click();
    QCOMPARE(r.box(14)->text(), u"不合格"_s);
    QCOMPARE(section(), u"---------"_s);
    r.option(1, 0)->click();
    QCOMPARE(r.box(14)->text(), u"合格"_s);
    QCOMPARE(section(), u"+++++++++"_s);
    r.option(1, 1)->click();
    r.click(3);
    QCOMPARE(storedExam(tdb.db(), u"tjhg"_s, u"20020001"_s), u"不合格"_s);
    QCOMPARE(storedExam(tdb.db(), u"dlsh"_s, u"20020001"_s), QString());
    QCOMPARE(storedExam(tdb.db(), u"pxhg"_s, u"20020001"_s), u"不合格"_s);
}

// A failed record shows its transfer section locked and empty, also when
// the record before had failed too and the result box does not change.
void TestExamRegister::movingToFailedRecord()
{
    TestDatabase tdb;
    addExam(tdb.db(), u"20020001"_s, {{u"tjhg"_s, u"不合格"_s}});
    addExam(tdb.db(), u"20020002"_s, {{u"tjhg"_s, u"不合格"_s}, {u"dlsh"_s, u"旧值"_s}});
    addExam(tdb.db(), u"20020003"_s, {{u"dlsh"_s, u"调字第3号"_s}});
    ExamRegister r;
    r.w->record()->moveFirst();
    QVERIFY(!r.box(10)->isEnabled() && !r.named(u"Frame4"_s)->isEnabled());
    QVERIFY(r.option(1, 1)->isChecked());
    r.w->record()->moveNext();
    QCOMPARE(r.box(10)->text(), QString());
    QVERIFY(!r.box(10)->isEnabled());
    QCOMPARE(r.w->state(), State::Browsing);
    r.w->record()->moveNext();
    QCOMPARE(r.box(10)->text(), u"调字第3号"_s);
    QVERIFY(r.box(10)->isEnabled() && r.option(1, 0)->isChecked());
    QCOMPARE(r.w->state(), State::Browsing);
    QCOMPARE(storedExam(tdb.db(), u"dlsh"_s, u"20020002"_s), u"旧值"_s);
}

void TestExamRegister::anyEditStartsEditing_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<bool>("edits");
    for (int i = 0; i <= 13; ++i)
        QTest::addRow("box %d", i) << u"box %1"_s.arg(i) << true;
    QTest::newRow("不合格 of 体检结论") << u"Option1_1"_s << true;
    QTest::newRow("不合格 of 卫生知识培训") << u"Option2_1"_s << true;
    QTest::newRow("合格 already chosen") << u"Option1_0"_s << false;
}

void TestExamRegister::anyEditStartsEditing()
{
    QFETCH(QString, what);
    QFETCH(bool, edits);
    TestDatabase tdb;
    addExam(tdb.db(), u"20020001"_s);
    ExamRegister r;
    if (what.startsWith(u"box "_s))
        type(r.box(what.mid(4).toInt()), u"字"_s);
    else
        r.w->findChild<QRadioButton *>(what)->click();
    QCOMPARE(r.w->state(), edits ? State::Editing : State::Browsing);
    QCOMPARE(r.buttons(examButtons), edits ? u"00110"_s : u"11001"_s);
    QCOMPARE(r.navigatorOn(), !edits);
}

void TestExamRegister::deletion_data()
{
    QTest::addColumn<int>("position"); // of the record deleted, 0-based
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("left");
    QTest::newRow("middle: the next one") << 1 << Answer::Yes << u"20020002"_s << 2;
    QTest::newRow("last in table order: the one before") << 2 << Answer::Yes << u"20020001"_s << 2;
    QTest::newRow("first: the next one") << 0 << Answer::Yes << u"20020001"_s << 2;
    QTest::newRow("answered no") << 1 << Answer::No << u"20020001"_s << 3;
    QTest::newRow("answered cancel") << 1 << Answer::Cancel << u"20020001"_s << 3;
}

void TestExamRegister::deletion()
{
    QFETCH(int, position);
    QFETCH(Answer, answer);
    QFETCH(QString, shown);
    QFETCH(int, left);
    TestDatabase tdb;
    for (const QString &n : three)
        addExam(tdb.db(), n);
    ExamRegister r;
    r.w->record()->moveFirst();
    for (int i = 0; i < position; ++i)
        r.w->record()->moveNext();
    m_script->answer(answer);
    r.click(2);
    QCOMPARE(m_script->shown[0].text, u"确认删除该记录吗？"_s);
    QCOMPARE(m_script->shown[0].title, u"提示"_s);
    QCOMPARE(m_script->shown[0].buttons, Buttons::YesNoCancel);
    QCOMPARE(r.box(0)->text(), shown);
    QCOMPARE(examCount(tdb.db()), left);
    QCOMPARE(r.w->state(), State::Browsing);
    QCOMPARE(r.buttons(examButtons), u"11001"_s);
}

// Deleting the records one by one ends in the empty-table state, from
// which 添加 leads out again.
void TestExamRegister::deletingTheLastRecord()
{
    TestDatabase tdb;
    addExam(tdb.db(), u"20020001"_s);
    addExam(tdb.db(), u"20020002"_s, {{u"tjhg"_s, u"不合格"_s}});
    ExamRegister r;
    for (int i = 0; i < 2; ++i) {
        m_script->answer(Answer::Yes);
        r.click(2);
    }
    QCOMPARE(examCount(tdb.db()), 0);
    QCOMPARE(r.w->state(), State::Empty);
    QCOMPARE(r.buttons(examButtons), u"10000"_s);
    QVERIFY(!r.navigatorOn());
    for (int i = 0; i <= 15; ++i) {
        QCOMPARE(r.box(i)->text(), QString());
        QVERIFY(!r.box(i)->isEnabled());
    }
    QVERIFY(!r.option(1, 0)->isEnabled() && !r.option(2, 1)->isEnabled());
    r.click(1);
    QVERIFY(r.box(0)->isEnabled() && r.box(13)->isEnabled() && r.option(2, 1)->isEnabled());
    r.box(0)->setText(u"20030001"_s);
    r.click(3);
    QCOMPARE(r.caption(), u"记录：共1条  第1条"_s);
    QCOMPARE(r.buttons(examButtons), u"11001"_s);
}

// A deletion the database refuses: told as an error, the record stays.
void TestExamRegister::deletionThatFails()
{
    TestDatabase tdb;
    for (const QString &n : three)
        addExam(tdb.db(), n);
    tdb.db().exec(u"CREATE TRIGGER keep BEFORE DELETE ON jktj BEGIN SELECT RAISE(ABORT, 'kept'); END"_s);
    ExamRegister r;
    m_script->answer(Answer::Yes);
    r.click(2);
    QCOMPARE(m_script->shown.size(), 2);
    QCOMPARE(m_script->shown[1].title, u"错误"_s);
    QCOMPARE(examCount(tdb.db()), 3);
    QCOMPARE(r.box(0)->text(), u"20020002"_s);
    QCOMPARE(r.caption(), u"记录：共3条  第3条"_s);
    QCOMPARE(r.w->state(), State::Browsing);
    r.w->record()->moveFirst();
    QCOMPARE(r.box(0)->text(), u"20020003"_s);
}

void TestExamRegister::navigatorOnThirdOfFive()
{
    TestDatabase tdb;
    for (int i = 1; i <= 5; ++i)
        addExam(tdb.db(), u"2002000%1"_s.arg(i));
    ExamRegister r;
    QCOMPARE(r.caption(), u"记录：共5条  第5条"_s);
    r.w->record()->moveFirst();
    r.w->record()->moveNext();
    r.w->record()->moveNext();
    QCOMPARE(r.caption(), u"记录：共5条  第3条"_s);
    QCOMPARE(r.box(0)->text(), u"20020003"_s);
}

void TestExamRegister::closeQuestion_data()
{
    QTest::addColumn<bool>("edit");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("number"); // in the number box when closing
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QString>("storedName");
    QTest::addColumn<QString>("message"); // after the question
    QTest::newRow("browsing: no question") << false << Answer::Yes << u"20020001"_s << true << u"姓名20020001"_s
                                           << QString();
    QTest::newRow("no: change lost") << true << Answer::No << u"20020001"_s << true << u"姓名20020001"_s
                                     << QString();
    QTest::newRow("yes: stored") << true << Answer::Yes << u"20020001"_s << true << u"改了"_s << QString();
    QTest::newRow("yes, number empty: stays") << true << Answer::Yes << QString() << false << u"姓名20020001"_s
                                              << u"体检编号不能留空。"_s;
    QTest::newRow("yes, duplicate: stays") << true << Answer::Yes << u"20020002"_s << false << u"姓名20020001"_s
                                           << u"体检编号重复"_s;
    QTest::newRow("cancel: stays") << true << Answer::Cancel << u"20020001"_s << false << u"姓名20020001"_s
                                   << QString();
}

// A refused close keeps the record shown with its change pending; the
// next close asks again.
void TestExamRegister::closeQuestion()
{
    QFETCH(bool, edit);
    QFETCH(Answer, answer);
    QFETCH(QString, number);
    QFETCH(bool, closes);
    QFETCH(QString, storedName);
    QFETCH(QString, message);
    TestDatabase tdb;
    addExam(tdb.db(), u"20020001"_s);
    addExam(tdb.db(), u"20020002"_s);
    ExamRegister r;
    r.w->record()->moveFirst();
    app().examReturn = 1;
    if (edit) {
        r.box(2)->setText(u"改了"_s);
        r.box(0)->setText(number);
    }
    m_script->answer(answer);
    r.w->close();
    if (!edit) {
        QCOMPARE(m_script->shown.size(), 0);
    } else {
        QCOMPARE(m_script->shown[0].text, u"记录已更改，是否存盘？"_s);
        QCOMPARE(m_script->shown[0].title, u"提示"_s);
        QCOMPARE(m_script->shown[0].buttons, Buttons::YesNoCancel);
        QCOMPARE(m_script->shown.size(), message.isEmpty() ? 1 : 2);
        QCOMPARE(m_script->lastText(), message.isEmpty() ? m_script->shown[0].text : message);
    }
    QCOMPARE(r.w->isVisible(), !closes);
    QCOMPARE(storedExam(tdb.db(), u"xm"_s, u"20020001"_s), storedName);
    QCOMPARE(examCount(tdb.db()), 2);
    if (closes) {
        QCOMPARE(app().examReturn, 0);
        return;
    }
    QCOMPARE(app().examReturn, 1);
    QCOMPARE(r.box(2)->text(), u"改了"_s);
    QCOMPARE(r.box(0)->text(), number);
    QCOMPARE(r.caption(), u"记录：共2条  第1条"_s);
    QCOMPARE(r.w->state(), State::Editing);
    m_script->clear();
    m_script->answer(Answer::No);
    r.w->close();
    QCOMPARE(m_script->shown.size(), 1);
    QVERIFY(!r.w->isVisible());
    QCOMPARE(storedExam(tdb.db(), u"xm"_s, u"20020001"_s), u"姓名20020001"_s);
}

// Losing the focus leaves the number box (stored or not) with the flag
// set; becoming active finds it; closing clears the flag, so the next
// opening starts on the last record.
void TestExamRegister::returnProtocol()
{
    TestDatabase tdb;
    addExam(tdb.db(), u"AB'12345"_s);
    for (const QString &n : three)
        addExam(tdb.db(), n);
    {
        ExamRegister r;
        QCOMPARE(r.box(0)->text(), u"20020002"_s); // the last in table order
        r.w->record()->moveFirst();
        r.w->record()->moveNext();
        showHourglass();
        r.w->deactivated();
        QCOMPARE(app().examNo, u"20020003"_s);
        QCOMPARE(app().examReturn, 1);
        r.w->record()->moveLast();
        r.w->activated();
        QVERIFY(!hourglassShown());
        QCOMPARE(r.box(0)->text(), u"20020003"_s);
        QCOMPARE(r.caption(), u"记录：共4条  第2条"_s);

        // The number is data: an apostrophe finds its record.
        app().examNo = u"AB'12345"_s;
        r.w->activated();
        QCOMPARE(r.caption(), u"记录：共4条  第1条"_s);

        // A number no record holds: the last record, as from the menu.
        app().examNo = u"19990000"_s;
        r.w->record()->moveFirst();
        r.w->activated();
        QCOMPARE(r.box(0)->text(), u"20020002"_s);

        app().examNo = u"20020001"_s;
        r.w->activated();
        QCOMPARE(r.box(0)->text(), u"20020001"_s);
        r.w->close();
        QCOMPARE(app().examReturn, 0);
        QCOMPARE(app().examNo, u"20020001"_s);
    }
    ExamRegister again;
    QCOMPARE(again.box(0)->text(), u"20020002"_s);
}

QTEST_MAIN(TestExamRegister)
#include "tst_examregister.moc"
