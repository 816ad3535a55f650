// The case register window: adding, the save checks, renumbering, cancel,
// the close question, the penalty and category rules, the navigator, the
// return protocol, and what a wrong box in the window's own code does.
// Needs widgets: the behaviour lives in the controls' events.
#include "data/appvalues.h"
#include "platform/modal.h"
#include "registerfixture.h"
#include "support/testdb.h"
#include "support/ui/scriptedmessages.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::test;

class TestCaseRegister : public QObject {
    Q_OBJECT
private slots:
    void init();
    void layoutAndCaption();
    void proposal_data();
    void proposal();
    void addInEmptyTable();
    void saveChecks_data();
    void saveChecks();
    void saveNewCase();
    void duplicateNumber();
    void renumberCarriesEveryFiledRow();
    void renumberFailureChangesNothing_data();
    void renumberFailureChangesNothing();
    void cancelAfterAdd();
    void cancelAfterEdit();
    void closeQuestion_data();
    void closeQuestion();
    void closingWhileBrowsingWritesNoDocumentFlag();
    void penaltyRules_data();
    void penaltyRules();
    void showingCasesWritesNothing();
    void categoryLists();
    void typingACategoryIsAnEdit();
    void navigatorOnThirdOfFive();
    void returnProtocol();
    void spaceKeyRule();
    void wrongBoxStopsTheProgram_data();
    void wrongBoxStopsTheProgram();

private:
    test::ScriptedMessages *m_script = nullptr;
};

void TestCaseRegister::init()
{
    setModalMode(ModalMode::NonBlocking);
    m_script = &test::ScriptedMessages::install();
}

void TestCaseRegister::layoutAndCaption()
{
    test::TestDatabase tdb;
    Register r;
    QCOMPARE(r.w->windowTitle(), u"卫生行政处罚信息管理"_s);
    QCOMPARE(r.w->size(), QSize(685, 503));
    QCOMPARE(r.named(u"Frame2"_s)->geometry(), QRect(512, 8, 169, 433));
    QCOMPARE(r.button(3)->text(), u"存盘"_s);
    QCOMPARE(r.button(3)->geometry(), QRect(256, 448, 65, 25));
    QVERIFY(!r.named(u"Command5"_s));
    // Documents from the top of their picture box: 案件受理记录, 立案报告, 案件移送书, ...
    QCOMPARE(r.document(1)->y(), 8);
    QCOMPARE(r.document(2)->y(), 24);
    QCOMPARE(r.document(19)->y(), 8 + 16 * 21);
    QCOMPARE(r.document(19)->text(), u"当场行政处罚决定书"_s);
    QCOMPARE(r.box(0)->toolTip(), u"案件编号为4位年度+4位编号。如：20001111"_s);
}

void TestCaseRegister::proposal_data()
{
    QTest::addColumn<QStringList>("cases");
    QTest::addColumn<QString>("proposed");
    QTest::newRow("last in insertion order, not the highest") << QStringList{u"20009999"_s, u"20001111"_s}
                                                             << u"20001112"_s;
    QTest::newRow("not a number") << QStringList{u"20020001"_s, u"ABCD0001"_s} << u"1"_s;
    QTest::newRow("empty table") << QStringList{} << QDate::currentDate().toString(u"yyyy"_s) + u"0001"_s;
}

void TestCaseRegister::proposal()
{
    QFETCH(QStringList, cases);
    QFETCH(QString, proposed);
    test::TestDatabase tdb;
    for (const QString &c : cases)
        addCase(tdb.db(), c);
    Register r;
    if (!cases.isEmpty())
        r.w->record()->moveFirst();
    r.click(1);
    QCOMPARE(r.box(0)->text(), proposed);
    QCOMPARE(r.w->state(), CaseRegisterWindow::State::Adding);
    QVERIFY(!r.box(0)->isReadOnly());
    QCOMPARE(r.buttons(), u"001100"_s);
    for (int i = 11; i <= 14; ++i)
        QCOMPARE(r.box(i)->text(), u"0"_s);
    QCOMPARE(r.box(2)->text(), QString());
}

void TestCaseRegister::addInEmptyTable()
{
    test::TestDatabase tdb;
    Register r;
    QCOMPARE(r.w->state(), CaseRegisterWindow::State::Empty);
    QCOMPARE(r.buttons(), u"100000"_s);
    QVERIFY(!r.box(2)->isEnabled());
    QVERIFY(!r.combo(1)->isEnabled());
    r.click(1);
    for (int i = 0; i <= 7; ++i)
        QVERIFY(r.box(i)->isEnabled());
    QVERIFY(r.memo(8)->isEnabled() && r.memo(9)->isEnabled());
    QVERIFY(r.combo(1)->isEnabled() && r.combo(2)->isEnabled());
    QVERIFY(r.named(u"Frame4"_s)->isEnabled());
    QVERIFY(r.penalty(10)->isEnabled());
    QVERIFY(!r.penalty(6)->isEnabled());
    QVERIFY(!r.box(12)->isEnabled());
    QVERIFY(!r.named(u"Frame2"_s)->isEnabled());
    QVERIFY(!r.named(u"Data1"_s)->isEnabled());
}

void TestCaseRegister::saveChecks_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("focus"); // -1: stays on 单位名称
    QTest::newRow("number empty") << 0 << QString() << u"案件编号不能留空！"_s << 0;
    QTest::newRow("number of 7") << 0 << u"2002001"_s << u"案件编号必须为8位！"_s << 0;
    QTest::newRow("confiscated empty") << 11 << QString() << u"没收金额不能为空，请填“0”。"_s << -1;
    QTest::newRow("fine empty") << 12 << QString() << u"罚款金额不能为空，请填“0”。"_s << -1;
    QTest::newRow("recalled empty") << 13 << QString() << u"责令收回食品数量不能为空，请填“0”。"_s << -1;
    QTest::newRow("destroyed empty") << 14 << QString() << u"责令销毁食品数量不能为空，请填“0”。"_s << -1;
    QTest::newRow("accepted empty") << 6 << QString() << u"受理时间不能留空！"_s << 6;
    QTest::newRow("accepted no date") << 6 << u"2002.01.05"_s << u"错误的日期格式"_s << 6;
    QTest::newRow("filed nine characters") << 7 << u"2002-1-05"_s << u"错误的日期格式"_s << 7;
    // The closing date box is disabled while the case is not closed.
    QTest::newRow("closed no date, box disabled") << 10 << u"2002-02-30"_s << u"错误的日期格式"_s << -1;
    QTest::newRow("category empty") << -1 << QString() << u"单位类别不能留空。"_s << -1;
}

void TestCaseRegister::saveChecks()
{
    QFETCH(int, box);
    QFETCH(QString, value);
    QFETCH(QString, message);
    QFETCH(int, focus);
    test::TestDatabase tdb;
    addCase(tdb.db(), u"20020001"_s);
    Register r;
    QVERIFY(QTest::qWaitForWindowActive(r.w));
    r.click(1);
    r.box(6)->setText(u"2002-03-01"_s);
    r.combo(1)->setEditText(u"食品卫生"_s);
    if (box >= 0)
        r.box(box)->setText(value);
    else
        r.combo(1)->setEditText(value);
    r.box(2)->setFocus();
    r.click(3);
    QCOMPARE(m_script->shown.size(), 1);
    QCOMPARE(m_script->lastText(), message);
    QCOMPARE(m_script->shown[0].title, QString());
    QCOMPARE(m_script->shown[0].buttons, Buttons::Ok);
    QCOMPARE(QApplication::focusWidget(), focus >= 0 ? r.box(focus) : r.box(2));
    QCOMPARE(r.w->state(), CaseRegisterWindow::State::Adding);
    QCOMPARE(tdb.db().scalar(u"SELECT count(*) FROM xzcf"_s), u"1"_s);
}

void TestCaseRegister::saveNewCase()
{
    test::TestDatabase tdb;
    addCase(tdb.db(), u"20020001"_s);
    Register r;
    r.click(1);
    r.box(2)->setText(u"城关饭店"_s);
    r.box(6)->setText(u"2002-03-01"_s);
    r.combo(1)->setEditText(u"公共场所"_s);
    r.click(3);
    QCOMPARE(m_script->shown.size(), 0);
    QCOMPARE(stored(tdb.db(), u"dwmc"_s, u"20020002"_s), u"城关饭店"_s);
    QCOMPARE(stored(tdb.db(), u"fkje"_s, u"20020002"_s), u"0"_s);
    QCOMPARE(r.w->state(), CaseRegisterWindow::State::Browsing);
    QVERIFY(r.box(0)->isReadOnly());
    QCOMPARE(r.caption(), u"记录：共2条  第2条"_s);
    QCOMPARE(r.buttons(), u"110011"_s);
}

void TestCaseRegister::duplicateNumber()
{
    test::TestDatabase tdb;
    addCase(tdb.db(), u"20020001"_s);
    Register r;
    r.click(1);
    r.box(0)->setText(u"20020001"_s);
    r.box(2)->setText(u"重复"_s);
    r.box(6)->setText(u"2002-03-01"_s);
    r.combo(1)->setEditText(u"其他"_s);
    r.click(3);
    QCOMPARE(m_script->lastText(), u"该案件编号已存在。"_s);
    QCOMPARE(m_script->shown.last().title, u"错误"_s);
    QCOMPARE(r.w->state(), CaseRegisterWindow::State::Adding);
    QCOMPARE(r.box(2)->text(), u"重复"_s);
    QCOMPARE(tdb.db().scalar(u"SELECT count(*) FROM xzcf"_s), u"1"_s);
}

void TestCaseRegister::renumberCarriesEveryFiledRow()
{
    test::TestDatabase tdb;
    Database &db = tdb.db();
    for (const QString &caseNo : {u"20020001"_s, u"20020002"_s}) {
        addCase(db, caseNo);
        fileEveryRow(db, caseNo);
    }
    Register r;
    r.w->record()->moveFirst();
    QTest::keyPress(r.box(0), Qt::Key_Space);
    QTest::keyRelease(r.box(0), Qt::Key_Space);
    r.box(0)->selectAll();
    QTest::keyClicks(r.box(0), u"20029999"_s);
    QCOMPARE(r.w->state(), CaseRegisterWindow::State::Editing);
    r.click(3);
    QCOMPARE(m_script->shown.size(), 0);
    QCOMPARE(filedRows(db, u"20029999"_s), 23);
    QCOMPARE(filedRows(db, u"20020001"_s), 0);
    QCOMPARE(filedRows(db, u"20020002"_s), 23);
    QCOMPARE(stored(db, u"dwmc"_s, u"20029999"_s), u"单位20020001"_s);
    QCOMPARE(r.box(0)->text(), u"20029999"_s);
    QVERIFY(r.box(0)->isReadOnly());
}

void TestCaseRegister::renumberFailureChangesNothing_data()
{
    QTest::addColumn<QString>("obstacle");
    QTest::addColumn<QString>("message");
    QTest::newRow("another case's document row in the way")
        << u"INSERT INTO labg (dabh) VALUES ('20029999')"_s << u"该案件编号已存在。"_s;
    QTest::newRow("a table missing") << u"DROP TABLE qtzl"_s << QString();
}

void TestCaseRegister::renumberFailureChangesNothing()
{
    QFETCH(QString, obstacle);
    QFETCH(QString, message);
    test::TestDatabase tdb;
    Database &db = tdb.db();
    addCase(db, u"20020001"_s);
    fileEveryRow(db, u"20020001"_s);
    Register r;
    db.exec(obstacle);
    QTest::keyPress(r.box(0), Qt::Key_Space);
    QTest::keyRelease(r.box(0), Qt::Key_Space);
    r.box(0)->setText(u"20029999"_s);
    r.box(2)->setText(u"改名"_s);
    r.click(3);
    QCOMPARE(m_script->shown.size(), 1);
    QCOMPARE(m_script->shown[0].title, u"错误"_s);
    if (!message.isEmpty())
        QCOMPARE(m_script->lastText(), message);
    QCOMPARE(stored(db, u"dwmc"_s, u"20020001"_s), u"单位20020001"_s);
    QCOMPARE(db.scalar(u"SELECT count(*) FROM xzcf WHERE dabh = '20029999'"_s), u"0"_s);
    QCOMPARE(db.scalar(u"SELECT count(*) FROM labg WHERE dabh = '20020001'"_s), u"1"_s);
    QCOMPARE(db.scalar(u"SELECT count(*) FROM cfjd WHERE dabh = '20020001'"_s), u"1"_s);
    QCOMPARE(r.w->state(), CaseRegisterWindow::State::Editing);
    QCOMPARE(r.box(0)->text(), u"20029999"_s);
}

void TestCaseRegister::cancelAfterAdd()
{
    test::TestDatabase tdb;
    addCase(tdb.db(), u"20020001"_s);
    addCase(tdb.db(), u"20020002"_s);
    Register r;
    r.w->record()->moveFirst();
    r.click(1);
    r.box(2)->setText(u"不要了"_s);
    r.click(4);
    QCOMPARE(r.box(0)->text(), u"20020002"_s);
    QCOMPARE(r.box(2)->text(), u"单位20020002"_s);
    QCOMPARE(r.w->state(), CaseRegisterWindow::State::Browsing);
    QVERIFY(r.box(0)->isReadOnly());
    r.w->record()->moveFirst();
    QCOMPARE(tdb.db().scalar(u"SELECT count(*) FROM xzcf"_s), u"2"_s);
    QCOMPARE(stored(tdb.db(), u"dwmc"_s, u"20020002"_s), u"单位20020002"_s);
}

void TestCaseRegister::cancelAfterEdit()
{
    test::TestDatabase tdb;
    addCase(tdb.db(), u"20020001"_s);
    addCase(tdb.db(), u"20020002"_s);
    Register r;
    r.box(2)->setText(u"改了"_s);
    QCOMPARE(r.w->state(), CaseRegisterWindow::State::Editing);
    QCOMPARE(r.buttons(), u"001100"_s);
    r.click(4);
    QCOMPARE(r.box(2)->text(), u"单位20020002"_s);
    QCOMPARE(r.buttons(), u"110011"_s);
    r.w->record()->moveFirst();
    QCOMPARE(stored(tdb.db(), u"dwmc"_s, u"20020002"_s), u"单位20020002"_s);
}

void TestCaseRegister::closeQuestion_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("accepted"); // acceptance date typed
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QString>("storedName");
    QTest::newRow("no: changes lost") << Answer::No << u"2002-01-05"_s << true << u"单位20020001"_s;
    QTest::newRow("yes: saved") << Answer::Yes << u"2002-01-05"_s << true << u"改了"_s;
    QTest::newRow("yes, check fails: stays") << Answer::Yes << QString() << false << u"单位20020001"_s;
    QTest::newRow("cancel: stays") << Answer::Cancel << u"2002-01-05"_s << false << u"单位20020001"_s;
}

void TestCaseRegister::closeQuestion()
{
    QFETCH(Answer, answer);
    QFETCH(QString, accepted);
    QFETCH(bool, closes);
    QFETCH(QString, storedName);
    test::TestDatabase tdb;
    addCase(tdb.db(), u"20020001"_s);
    Register r;
    r.box(2)->setText(u"改了"_s);
    r.box(6)->setText(accepted);
    m_script->answer(answer);
    r.w->close();
    QCOMPARE(m_script->shown[0].text, u"记录已更改，是否存盘？"_s);
    QCOMPARE(m_script->shown[0].title, u"提示"_s);
    QCOMPARE(m_script->shown[0].buttons, Buttons::YesNoCancel);
    QCOMPARE(r.w->isVisible(), !closes);
    QCOMPARE(stored(tdb.db(), u"dwmc"_s, u"20020001"_s), storedName);
    if (closes)
        return;
    QCOMPARE(r.box(2)->text(), u"改了"_s);
    QCOMPARE(r.w->state(), CaseRegisterWindow::State::Editing);
    if (answer == Answer::Yes)
        QCOMPARE(m_script->shown[1].text, u"受理时间不能留空！"_s);
    m_script->clear();
    m_script->answer(Answer::No);
    r.w->close();
    QCOMPARE(m_script->shown.size(), 1);
    QVERIFY(!r.w->isVisible());
}

// A document's flag is stored with its row, never by the record: a box
// the program changes leaves the flag as it is, and closing asks nothing.
void TestCaseRegister::closingWhileBrowsingWritesNoDocumentFlag()
{
    test::TestDatabase tdb;
    addCase(tdb.db(), u"20020001"_s, {{u"bg5"_s, 1}});
    Register r;
    r.document(2)->setChecked(true);
    r.document(4)->setChecked(false);
    QCOMPARE(r.w->state(), CaseRegisterWindow::State::Browsing);
    r.w->close();
    QCOMPARE(m_script->shown.size(), 0);
    QVERIFY(!r.w->isVisible());
    QCOMPARE(stored(tdb.db(), u"bg3"_s, u"20020001"_s), u"0"_s);
    QCOMPARE(stored(tdb.db(), u"bg5"_s, u"20020001"_s), u"1"_s);
}

void TestCaseRegister::penaltyRules_data()
{
    // Every case holds the closing date 2002-03-01 and the amounts 11, 12,
    // 13, 14 (msje, fkje, shsp, xhsp).
    QTest::addColumn<QStringList>("ticked");     // columns of the case
    QTest::addColumn<QList<int>>("clicks");      // Check2 boxes clicked in turn
    QTest::addColumn<QStringList>("values");     // Text1(10)..Text1(14) afterwards
    QTest::addColumn<QStringList>("enabled");    // closure controls enabled afterwards
    const QStringList kept = {u"2002-03-01"_s, u"11"_s, u"12"_s, u"13"_s, u"14"_s};
    const QStringList allPenalties = {u"Check2_0"_s, u"Check2_1"_s, u"Check2_2"_s, u"Check2_3"_s, u"Check2_4"_s,
                                      u"Check2_5"_s, u"Check2_6"_s, u"Check2_7"_s, u"Check2_8"_s, u"Check2_9"_s};
    // A ticked closure box enables the two sums of money whatever their own boxes.
    const QStringList closureTicked =
        allPenalties + QStringList{u"Label9"_s, u"Label11"_s, u"Text1_10"_s, u"Text1_11"_s, u"Text1_12"_s};
    QStringList fineOff = closureTicked;
    fineOff.removeOne(u"Text1_12"_s);
    QTest::newRow("open case shown: all disabled") << QStringList{} << QList<int>{} << kept << QStringList{};
    QTest::newRow("tick closure: amounts' labels and quantities stay off")
        << QStringList{} << QList<int>{10} << kept << closureTicked;
    QTest::newRow("untick fine: 0 and off")
        << QStringList{u"sfja"_s, u"cf7"_s} << QList<int>{6}
        << QStringList{u"2002-03-01"_s, u"11"_s, u"0"_s, u"13"_s, u"14"_s} << fineOff;
    QTest::newRow("untick and tick fine: on, keeps 0")
        << QStringList{u"sfja"_s, u"cf7"_s} << QList<int>{6, 6}
        << QStringList{u"2002-03-01"_s, u"11"_s, u"0"_s, u"13"_s, u"14"_s}
        << closureTicked + QStringList{u"Label16"_s, u"Label17"_s};
    QTest::newRow("tick recall: quantity and 公斤 on")
        << QStringList{u"sfja"_s} << QList<int>{2} << kept
        << closureTicked + QStringList{u"Text1_13"_s, u"Label18"_s};
    QTest::newRow("untick closure: everything cleared and off")
        << QStringList{u"sfja"_s, u"cf3"_s, u"cf6"_s, u"cf7"_s, u"cf1"_s} << QList<int>{10}
        << QStringList{QString(), u"0"_s, u"0"_s, u"0"_s, u"0"_s} << QStringList{};
    QTest::newRow("warning changes nothing else")
        << QStringList{u"sfja"_s} << QList<int>{0} << kept << closureTicked;
}

void TestCaseRegister::penaltyRules()
{
    QFETCH(QStringList, ticked);
    QFETCH(QList<int>, clicks);
    QFETCH(QStringList, values);
    QFETCH(QStringList, enabled);
    test::TestDatabase tdb;
    QHash<QString, QVariant> row = {{u"jasj"_s, u"2002-03-01"_s}, {u"msje"_s, u"11"_s}, {u"fkje"_s, u"12"_s},
                                    {u"shsp"_s, u"13"_s},         {u"xhsp"_s, u"14"_s}};
    for (const QString &column : ticked)
        row.insert(column, 1);
    addCase(tdb.db(), u"20020001"_s, row);
    Register r;
    for (int box : clicks) {
        QTest::mouseClick(r.penalty(box), Qt::LeftButton, {}, QPoint(6, r.penalty(box)->height() / 2));
        QCOMPARE(r.w->state(), CaseRegisterWindow::State::Editing);
    }
    for (int i = 10; i <= 14; ++i)
        QCOMPARE(r.box(i)->text(), values[i - 10]);
    QStringList closureControls = {u"Label9"_s, u"Label11"_s};
    for (int i = 0; i < 10; ++i)
        closureControls << u"Check2_%1"_s.arg(i);
    for (int i = 10; i <= 14; ++i)
        closureControls << u"Text1_%1"_s.arg(i);
    for (int i = 14; i <= 19; ++i)
        closureControls << u"Label%1"_s.arg(i);
    for (const QString &name : closureControls)
        QVERIFY2(r.named(name)->isEnabled() == enabled.contains(name), qPrintable(name));
    if (clicks.contains(10) && ticked.contains(u"sfja"_s))
        for (int i = 0; i < 10; ++i)
            QVERIFY(!r.penalty(i)->isChecked());
}

void TestCaseRegister::showingCasesWritesNothing()
{
    test::TestDatabase tdb;
    // A closed case, and an open one whose stored amounts disagree with its boxes.
    addCase(tdb.db(), u"20020001"_s,
            {{u"sfja"_s, 1}, {u"cf6"_s, 1}, {u"cf7"_s, 1}, {u"msje"_s, u"300"_s}, {u"fkje"_s, u"500"_s},
             {u"jasj"_s, u"2002-03-01"_s}});
    addCase(tdb.db(), u"20020002"_s, {{u"cf6"_s, 1}, {u"msje"_s, u"7"_s}, {u"jasj"_s, u"2002-04-01"_s}});
    Register r;
    for (int i = 0; i < 3; ++i) {
        r.w->record()->moveFirst();
        QCOMPARE(r.box(12)->text(), u"500"_s);
        r.w->record()->moveLast();
        QCOMPARE(r.box(11)->text(), u"7"_s);
        QCOMPARE(r.box(10)->text(), u"2002-04-01"_s);
        QCOMPARE(r.w->state(), CaseRegisterWindow::State::Browsing);
    }
    r.w->close();
    QCOMPARE(m_script->shown.size(), 0);
    QCOMPARE(stored(tdb.db(), u"fkje"_s, u"20020001"_s), u"500"_s);
    QCOMPARE(stored(tdb.db(), u"msje"_s, u"20020002"_s), u"7"_s);
    QCOMPARE(stored(tdb.db(), u"jasj"_s, u"20020002"_s), u"2002-04-01"_s);
    QCOMPARE(stored(tdb.db(), u"cf6"_s, u"20020002"_s), u"1"_s);
}

void TestCaseRegister::categoryLists()
{
    test::TestDatabase tdb;
    addCase(tdb.db(), u"20020001"_s, {{u"dwlb1"_s, u"公共场所"_s}, {u"dwlb2"_s, u"浴室"_s}});
    addCase(tdb.db(), u"20020002"_s, {{u"dwlb1"_s, u"其他"_s}, {u"dwlb2"_s, u"旧分类"_s}});
    Register r;
    QComboBox *second = r.combo(2);
    QCOMPARE(second->count(), 0);
    QCOMPARE(second->currentText(), u"旧分类"_s);
    r.w->record()->moveFirst();
    QCOMPARE(second->count(), 6);
    QCOMPARE(second->itemText(0), u"旅店"_s);
    QCOMPARE(second->itemText(5), u"其他"_s);
    QCOMPARE(second->currentText(), u"浴室"_s);
    QCOMPARE(r.w->state(), CaseRegisterWindow::State::Browsing);

    r.choose(1, u"其他"_s);
    QCOMPARE(second->count(), 0);
    QCOMPARE(r.w->state(), CaseRegisterWindow::State::Editing);
    r.choose(1, u"食品卫生"_s);
    QCOMPARE(second->itemText(0), u"生产加工"_s);
    QCOMPARE(second->count(), 6);
    r.click(4);
    QCOMPARE(r.combo(1)->currentText(), u"公共场所"_s);
    QCOMPARE(second->itemText(0), u"旅店"_s);
    QCOMPARE(stored(tdb.db(), u"dwlb2"_s, u"20020001"_s), u"浴室"_s);
}

void TestCaseRegister::typingACategoryIsAnEdit()
{
    test::TestDatabase tdb;
    addCase(tdb.db(), u"20020001"_s);
    Register r;
    QTest::keyClicks(r.combo(2)->lineEdit(), u"x"_s);
    QCOMPARE(r.w->state(), CaseRegisterWindow::State::Editing);
    QVERIFY(r.button(3)->isEnabled());
    r.combo(1)->lineEdit()->clear();
    r.click(3);
    QCOMPARE(m_script->lastText(), u"单位类别不能留空。"_s);
}

void TestCaseRegister::navigatorOnThirdOfFive()
{
    test::TestDatabase tdb;
    for (int i = 1; i <= 5; ++i)
        addCase(tdb.db(), u"2002000%1"_s.arg(i));
    Register r;
    QCOMPARE(r.caption(), u"记录：共5条  第5条"_s);
    r.w->record()->moveFirst();
    r.w->record()->moveNext();
    r.w->record()->moveNext();
    QCOMPARE(r.caption(), u"记录：共5条  第3条"_s);
    QCOMPARE(r.box(0)->text(), u"20020003"_s);
}

void TestCaseRegister::returnProtocol()
{
    test::TestDatabase tdb;
    for (int i = 1; i <= 3; ++i)
        addCase(tdb.db(), u"2002000%1"_s.arg(i));
    {
        Register r;
        QCOMPARE(r.box(0)->text(), u"20020003"_s); // a fresh run: the last case
        r.w->record()->moveFirst();
        r.click(7);
        FormWindow *period = openWindow(u"统计时间"_s);
        QVERIFY(period);
        QCOMPARE(app().caseNo, u"20020001"_s);
        QCOMPARE(app().relocateCase, 1);
        period->close();
        QCOMPARE(r.box(0)->text(), u"20020001"_s);

        r.click(6); // the query returns another case
        FormWindow *query = openWindow(u"卫生行政执法查询"_s);
        QVERIFY(query);
        app().caseNo = u"20020002"_s;
        query->close();
        QCOMPARE(r.box(0)->text(), u"20020002"_s);
        r.w->close();
    }
    Register again; // opened again in the same run: the last published case
    QCOMPARE(again.box(0)->text(), u"20020002"_s);
}

void TestCaseRegister::spaceKeyRule()
{
    test::TestDatabase tdb;
    addCase(tdb.db(), u"20020001"_s);
    Register r;
    QLineEdit *number = r.box(0);
    QVERIFY(number->isReadOnly());
    number->setCursorPosition(8);
    QTest::keyPress(number, Qt::Key_Space);
    QVERIFY(number->isReadOnly());
    QTest::keyRelease(number, Qt::Key_Space);
    QVERIFY(!number->isReadOnly());
    QCOMPARE(number->text(), u"20020001"_s);
    QCOMPARE(r.w->state(), CaseRegisterWindow::State::Browsing);
    QTest::keyClick(number, Qt::Key_Backspace);
    QCOMPARE(number->text(), u"2002000"_s);
    QCOMPARE(r.w->state(), CaseRegisterWindow::State::Editing);
    QTest::keyClicks(number, u"99"_s); // eight characters at most
    QCOMPARE(number->text(), u"20020009"_s);
}

namespace {

// The register's box helpers, open to the test.
struct OpenRegister : CaseRegisterWindow {
    using CaseRegisterWindow::lineBox;
    using CaseRegisterWindow::text;
};

// Set in the child copy of this test that makes the wrong call.
constexpr char wrongCallRuns[] = "KELM_TEST_WRONG_BOX";

} // namespace

void TestCaseRegister::wrongBoxStopsTheProgram_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("asLineBox"); // else its text
    QTest::addColumn<QString>("said");
    QTest::newRow("line box of a multi-line box")
        << 8 << true << u"xzcf_face: Text1(8) is a multi-line box, not a line box"_s;
    QTest::newRow("text past the last box") << 15 << false << u"xzcf_face: no text box Text1(15) is bound"_s;
    QTest::newRow("negative index") << -1 << true << u"xzcf_face: no text box Text1(-1) is bound"_s;
}

// A box asked for by the wrong index or as the wrong kind is a fault of the
// window's code: the program stops at once and names the box, in a release
// build too, rather than crash later on a null pointer. The call runs in a
// child copy of this test, whose end is the point.
void TestCaseRegister::wrongBoxStopsTheProgram()
{
    QFETCH(int, index);
    QFETCH(bool, asLineBox);
    QFETCH(QString, said);
    if (qEnvironmentVariableIsSet(wrongCallRuns)) {
        test::TestDatabase tdb;
        OpenRegister w;
        if (asLineBox)
            w.lineBox(index);
        else
            w.text(index);
        return;
    }
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(wrongCallRuns), u"1"_s);
    env.insert(u"QTEST_DISABLE_CORE_DUMP"_s, u"1"_s);
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {u"-nocrashhandler"_s, u"wrongBoxStopsTheProgram:"_s + QString::fromUtf8(QTest::currentDataTag())});
    QVERIFY(child.waitForFinished(60000));
    const QString output = QString::fromUtf8(child.readAll());
    QVERIFY2(child.exitStatus() == QProcess::CrashExit, qPrintable(output));
    QVERIFY2(output.contains(said), qPrintable(output));
}

QTEST_MAIN(TestCaseRegister)
#include "tst_caseregister.moc"
