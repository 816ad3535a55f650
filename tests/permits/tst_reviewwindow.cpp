// The annual review window: permits in number order, the particulars read
// only, the review save with its checks writing only the review columns,
// cancel, the close question, the empty table and the return protocol.
// Needs widgets: the behaviour lives in the controls' events.
#include "data/appvalues.h"
#include "permitfixture.h"
#include "platform/modal.h"
#include "registers/querywindow.h"
#include "support/testdb.h"
#include "support/ui/scriptedmessages.h"

#include <QGroupBox>
#include <QTableView>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::test;

namespace {
using State = ReviewWindow::State;

// A permit with its particulars and a review.
void addReviewedPermit(Database &db, const QString &permitNo)
{
    addPermit(db, permitNo,
              {{u"fzr"_s, u"张三"_s},
               {u"xh"_s, u"NO.Y.05-2"_s},
               {u"lb"_s, u"食证"_s},
               {u"symj"_s, u"120"_s},
               {u"sqrq"_s, u"2002-01-05"_s},
               {u"nsrq"_s, u"2003-03-01"_s},
               {u"nsjg"_s, u"合格"_s},
               {u"clqk"_s, u"无"_s},
               {u"nsbz"_s, u"按期"_s},
               {u"xcnsrq"_s, u"2004-03-01"_s}});
}
} // namespace

class TestReviewWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void layoutAndCaption();
    void permitsInNumberOrder();
    void particularsAreReadOnly();
    void saveChecks_data();
    void saveChecks();
    void saveWritesOnlyTheReviewColumns();
    void reviewAfterAnIssueOn29February();
    void failingSaveStaysInEditing();
    void cancelShowsTheStoredReview();
    void closeQuestion_data();
    void closeQuestion();
    void closeButton();
    void emptyTable();
    void returnProtocol();

private:
    ScriptedMessages *m_script = nullptr;
};

void TestReviewWindow::init()
{
    setModalMode(ModalMode::NonBlocking);
    m_script = &ScriptedMessages::install();
}

void TestReviewWindow::layoutAndCaption()
{
    TestDatabase tdb;
    addReviewedPermit(tdb.db(), u"20020001"_s);
    Review r;
    QCOMPARE(r.w->windowTitle(), u"卫生许可证年审管理"_s);
    QCOMPARE(r.w->size(), QSize(581, 360));
    QCOMPARE(r.named(u"Frame3"_s)->geometry(), QRect(376, 8, 193, 289));
    QCOMPARE(static_cast<QGroupBox *>(r.named(u"Frame3"_s))->title(), u"年审信息"_s);
    QCOMPARE(r.box(14)->parentWidget(), r.named(u"Frame1"_s));
    QCOMPARE(r.box(14)->text(), u"120"_s);
    QCOMPARE(r.box(11)->geometry(), QRect(104, 256, 81, 18));
    QCOMPARE(r.box(11)->toolTip(), u"填写格式为：2000-01-01"_s);
    QCOMPARE(r.combo(1)->itemText(0), u"公"_s);
    QCOMPARE(r.combo(2)->itemText(1), u"不合格"_s);
    QCOMPARE(r.button(1)->text(), u"关闭"_s);
    QCOMPARE(r.button(1)->geometry(), QRect(488, 304, 81, 25));
    QVERIFY(!r.named(u"Command2"_s) && !r.named(u"Text1_17"_s));
    // 申请日期 and the other approval columns are not shown.
    for (QLineEdit *box : r.w->findChildren<QLineEdit *>())
        QVERIFY(box->text() != u"2002-01-05"_s);
    QCOMPARE(r.box(12)->text(), u"2003-03-01"_s);
    QCOMPARE(r.combo(2)->currentText(), u"合格"_s);
    QCOMPARE(r.memo(13)->toPlainText(), u"无"_s);
    QCOMPARE(r.memo(15)->toPlainText(), u"按期"_s);
    QCOMPARE(r.box(11)->text(), u"2004-03-01"_s);
    QCOMPARE(r.w->state(), State::Browsing);
    QCOMPARE(r.buttons(reviewButtons), u"1001"_s);
    QVERIFY(r.navigatorOn());
    // The review boxes first, then the buttons.
    QVERIFY(QTest::qWaitForWindowActive(r.w));
    QCOMPARE(QApplication::focusWidget(), r.box(12));
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), r.box(11));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), r.button(7));
}

// Numbers compare as text, so 20020099 sorts after 200200100.
void TestReviewWindow::permitsInNumberOrder()
{
    TestDatabase tdb;
    for (const QString &p : {u"20020099"_s, u"200200100"_s, u"20020001"_s})
        addPermit(tdb.db(), p);
    Review r;
    QCOMPARE(r.box(6)->text(), u"20020099"_s);
    QCOMPARE(r.caption(), u"记录：共3条  第3条"_s);
    r.w->record()->moveFirst();
    QCOMPARE(r.box(6)->text(), u"20020001"_s);
    r.w->record()->moveNext();
    QCOMPARE(r.box(6)->text(), u"200200100"_s);
}

void TestReviewWindow::particularsAreReadOnly()
{
    TestDatabase tdb;
    addReviewedPermit(tdb.db(), u"20020001"_s);
    Review r;
    QVERIFY(QTest::qWaitForWindowActive(r.w));
    for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 14, 16})
        QVERIFY2(r.box(i)->isReadOnly() && r.box(i)->isEnabled(), qPrintable(QString::number(i)));
    for (int i : {11, 12})
        QVERIFY(!r.box(i)->isReadOnly());
    QTest::keyClicks(r.box(0), u"x"_s);
    QCOMPARE(r.box(0)->text(), u"单位20020001"_s);
    for (int i : {0, 1}) {
        QComboBox *c = r.combo(i);
        const QString shown = c->currentText();
        c->setFocus();
        QTest::keyClick(c, Qt::Key_Down);
        QTest::keyClicks(c->lineEdit(), u"x"_s);
        QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(c->width() - 4, c->height() / 2));
        QWheelEvent wheel(QPointF(5, 5), c->mapToGlobal(QPointF(5, 5)), {}, QPoint(0, -120), Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(c, &wheel);
        QCOMPARE(c->currentText(), shown);
    }
    QCOMPARE(r.w->state(), State::Browsing);
    QCOMPARE(m_script->shown.size(), 0);
}

void TestReviewWindow::saveChecks_data()
{
    QTest::addColumn<QString>("nextReview");
    QTest::addColumn<QString>("reviewed");
    QTest::addColumn<int>("focus");
    QTest::newRow("next review first, although it comes last") << u"2004-3-1"_s << u"去年"_s << 11;
    QTest::newRow("review date no date") << u"2004-03-01"_s << u"2003-02-29"_s << 12;
    QTest::newRow("next review of 11 characters") << u"2004-03-011"_s << QString() << 11;
}

void TestReviewWindow::saveChecks()
{
    QFETCH(QString, nextReview);
    QFETCH(QString, reviewed);
    QFETCH(int, focus);
    TestDatabase tdb;
    addReviewedPermit(tdb.db(), u"20020001"_s);
    Review r;
    QVERIFY(QTest::qWaitForWindowActive(r.w));
    r.box(11)->setText(nextReview);
    r.box(12)->setText(reviewed);
    r.memo(13)->setFocus();
    r.click(3);
    QCOMPARE(m_script->shown.size(), 1);
    QCOMPARE(m_script->lastText(), u"错误的日期格式"_s);
    QCOMPARE(m_script->shown[0].title, QString());
    QCOMPARE(QApplication::focusWidget(), r.box(focus));
    QCOMPARE(r.w->state(), State::Editing);
    QCOMPARE(stored(tdb.db(), u"nsrq"_s, u"20020001"_s), u"2003-03-01"_s);
}

// The particulars shown read-only are never written back: a change made to
// them after the window read the permit survives the review's save.
void TestReviewWindow::saveWritesOnlyTheReviewColumns()
{
    TestDatabase tdb;
    addReviewedPermit(tdb.db(), u"20020001"_s);
    addReviewedPermit(tdb.db(), u"20020002"_s);
    Review r;
    r.w->record()->moveFirst();
    tdb.db().exec(u"UPDATE wsxkz SET dwmc = '后改', fzr = '李四' WHERE xkzh = '20020001'"_s);
    r.box(12)->setText(u"2004-03-02"_s);
    r.combo(2)->setCurrentIndex(1);
    emit r.combo(2)->activated(1);
    QCOMPARE(r.w->state(), State::Editing);
    QCOMPARE(r.buttons(reviewButtons), u"0110"_s);
    QVERIFY(!r.navigatorOn());
    r.memo(13)->moveCursor(QTextCursor::End);
    type(r.memo(13), u"，限期整改"_s);
    r.memo(15)->setPlainText(QString(30, u'长'));
    r.box(11)->setText(u"2005-03-02"_s);
    r.click(3);
    QCOMPARE(m_script->shown.size(), 0);
    const Rows rows = tdb.db().select(u"SELECT * FROM wsxkz ORDER BY xkzh"_s);
    QCOMPARE(rows.value(0, u"nsrq"_s), u"2004-03-02"_s);
    QCOMPARE(rows.value(0, u"nsjg"_s), u"不合格"_s);
    QCOMPARE(rows.value(0, u"clqk"_s), u"无，限期整改"_s);
    QCOMPARE(rows.value(0, u"nsbz"_s), QString(30, u'长'));
    QCOMPARE(rows.value(0, u"xcnsrq"_s), u"2005-03-02"_s);
    QCOMPARE(rows.value(0, u"dwmc"_s), u"后改"_s);
    QCOMPARE(rows.value(0, u"fzr"_s), u"李四"_s);
    QCOMPARE(rows.value(0, u"lb"_s), u"食证"_s);
    QCOMPARE(rows.value(1, u"nsrq"_s), u"2003-03-01"_s);
    // The window shows the permit as stored, and browses again.
    QCOMPARE(r.box(0)->text(), u"后改"_s);
    QCOMPARE(r.box(6)->text(), u"20020001"_s);
    QCOMPARE(r.w->state(), State::Browsing);
    QCOMPARE(r.buttons(reviewButtons), u"1001"_s);
    QVERIFY(r.navigatorOn());
    QCOMPARE(r.caption(), u"记录：共2条  第1条"_s);
}

// The register's first next-review date of a permit issued on 29 February
// is a real date, so the permit's review can be saved.
void TestReviewWindow::reviewAfterAnIssueOn29February()
{
    TestDatabase tdb;
    {
        PermitRegister p;
        p.click(1);
        p.box(9)->setText(u"2004-02-29"_s);
        p.click(3);
        p.w->close();
    }
    QCOMPARE(m_script->shown.size(), 0);
    Review r;
    QCOMPARE(r.box(11)->text(), u"2005-02-28"_s);
    r.box(12)->setText(u"2005-02-20"_s);
    r.click(3);
    QCOMPARE(m_script->shown.size(), 0);
    QCOMPARE(r.w->state(), State::Browsing);
    QCOMPARE(tdb.db().scalar(u"SELECT nsrq FROM wsxkz"_s), u"2005-02-20"_s);
}

void TestReviewWindow::failingSaveStaysInEditing()
{
    TestDatabase tdb;
    addReviewedPermit(tdb.db(), u"20020001"_s);
    Review r;
    tdb.db().exec(u"ALTER TABLE wsxkz RENAME COLUMN clqk TO clqk0"_s);
    r.box(12)->setText(u"2004-03-02"_s);
    r.click(3);
    QCOMPARE(m_script->shown.size(), 1);
    QCOMPARE(m_script->shown[0].title, u"错误"_s);
    QCOMPARE(r.w->state(), State::Editing);
    QCOMPARE(r.box(12)->text(), u"2004-03-02"_s);
    QCOMPARE(stored(tdb.db(), u"nsrq"_s, u"20020001"_s), u"2003-03-01"_s);
}

void TestReviewWindow::cancelShowsTheStoredReview()
{
    TestDatabase tdb;
    addReviewedPermit(tdb.db(), u"20020001"_s);
    Review r;
    r.box(12)->clear();
    r.combo(2)->setEditText(u"待定"_s);
    r.memo(15)->clear();
    QCOMPARE(r.w->state(), State::Editing);
    r.click(4);
    QCOMPARE(r.box(12)->text(), u"2003-03-01"_s);
    QCOMPARE(r.combo(2)->currentText(), u"合格"_s);
    QCOMPARE(r.memo(15)->toPlainText(), u"按期"_s);
    QCOMPARE(r.w->state(), State::Browsing);
    QCOMPARE(r.buttons(reviewButtons), u"1001"_s);
    QCOMPARE(stored(tdb.db(), u"nsjg"_s, u"20020001"_s), u"合格"_s);
}

void TestReviewWindow::closeQuestion_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("reviewed");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QString>("storedResult");
    QTest::newRow("no: changes lost") << Answer::No << u"2004-03-02"_s << true << u"合格"_s;
    QTest::newRow("yes: saved") << Answer::Yes << u"2004-03-02"_s << true << u"不合格"_s;
    QTest::newRow("yes, check fails: stays") << Answer::Yes << u"2004-3-2"_s << false << u"合格"_s;
    QTest::newRow("cancel: stays") << Answer::Cancel << u"2004-03-02"_s << false << u"合格"_s;
}

void TestReviewWindow::closeQuestion()
{
    QFETCH(Answer, answer);
    QFETCH(QString, reviewed);
    QFETCH(bool, closes);
    QFETCH(QString, storedResult);
    TestDatabase tdb;
    addReviewedPermit(tdb.db(), u"20020001"_s);
    addReviewedPermit(tdb.db(), u"20020002"_s);
    Review r;
    r.w->record()->moveFirst();
    r.combo(2)->setEditText(u"不合格"_s);
    r.box(12)->setText(reviewed);
    QVERIFY(!r.button(1)->isEnabled());
    m_script->answer(answer);
    r.w->close();
    QCOMPARE(m_script->shown[0].text, u"记录已更改，是否存盘？"_s);
    QCOMPARE(m_script->shown[0].buttons, Buttons::YesNoCancel);
    QCOMPARE(r.w->isVisible(), !closes);
    QCOMPARE(stored(tdb.db(), u"nsjg"_s, u"20020001"_s), storedResult);
    QCOMPARE(stored(tdb.db(), u"nsjg"_s, u"20020002"_s), u"合格"_s);
    if (closes)
        return;
    QCOMPARE(r.box(6)->text(), u"20020001"_s);
    QCOMPARE(r.box(12)->text(), reviewed);
    QCOMPARE(r.combo(2)->currentText(), u"不合格"_s);
    QCOMPARE(r.w->state(), State::Editing);
}

void TestReviewWindow::closeButton()
{
    TestDatabase tdb;
    addReviewedPermit(tdb.db(), u"20020001"_s);
    Review r;
    r.click(1);
    QVERIFY(!r.w->isVisible());
    QCOMPARE(m_script->shown.size(), 0);
}

void TestReviewWindow::emptyTable()
{
    TestDatabase tdb;
    Review r;
    QCOMPARE(r.w->state(), State::Empty);
    QCOMPARE(r.buttons(reviewButtons), u"1001"_s);
    QVERIFY(!r.navigatorOn());
    for (int i = 0; i <= 16; ++i)
        QVERIFY(!r.named(u"Text1_%1"_s.arg(i))->isEnabled());
    for (int i = 0; i <= 2; ++i)
        QVERIFY(!r.combo(i)->isEnabled());
    r.click(7);
    auto *query = qobject_cast<QueryWindow *>(openWindow(u"卫生许可证年审查询"_s));
    QVERIFY(query);
    QCOMPARE(query->model()->rowCount(), 0);
    query->close();
    QCOMPARE(r.w->state(), State::Empty);
    QCOMPARE(r.buttons(reviewButtons), u"1001"_s);
}

void TestReviewWindow::returnProtocol()
{
    TestDatabase tdb;
    for (const QString &p : {u"20020003"_s, u"20020001"_s, u"20020002"_s})
        addPermit(tdb.db(), p);
    {
        Review r;
        QCOMPARE(r.box(6)->text(), u"20020003"_s); // the last by number
        r.w->record()->moveFirst();
        r.click(7);
        auto *query = qobject_cast<QueryWindow *>(openWindow(u"卫生许可证年审查询"_s));
        QVERIFY(query);
        QCOMPARE(app().permitNo, u"20020001"_s);
        QCOMPARE(app().reviewReturn, 1);
        QCOMPARE(app().permitReturn, 0);
        QTableView *grid = query->grid();
        const QPoint at = grid->visualRect(query->model()->index(1, 1)).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(!query->isVisible());
        QCOMPARE(r.box(6)->text(), u"20020002"_s);
        QCOMPARE(r.caption(), u"记录：共3条  第2条"_s);
        r.w->close();
        QCOMPARE(app().reviewReturn, 0);
    }
    // The permit register shares the number, not the flag.
    QCOMPARE(app().permitNo, u"20020002"_s);
    {
        PermitRegister p;
        QCOMPARE(p.box(6)->text(), u"20020002"_s); // its last in table order
        p.w->record()->moveFirst();
        p.w->close();
    }
    Review again;
    QCOMPARE(again.box(6)->text(), u"20020003"_s);
}

QTEST_MAIN(TestReviewWindow)
#include "tst_reviewwindow.moc"
