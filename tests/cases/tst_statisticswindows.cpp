// The period window, the statistics window and the way between them, shown
// offscreen (widgets need a GUI): which texts open the statistics, where
// the figures are drawn, the sheet's preview and the return to the window
// that opened the period window.
#include "cases/statistics/periodwindow.h"
#include "cases/statistics/statisticsentry.h"
#include "cases/statistics/statisticsrun.h"
#include "cases/statistics/statisticswindow.h"
#include "data/appvalues.h"
#include "data/connection.h"
#include "platform/busypointer.h"
#include "platform/gridlabel.h"
#include "platform/modal.h"
#include "platform/reportpreview.h"
#include "platform/units.h"
#include "registerfixture.h"
#include "statisticsfixture.h"
#include "support/testdb.h"
#include "support/ui/scriptedmessages.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;

namespace {

const QString periodCaption = u"统计时间"_s;
const QString statisticsCaption = u"卫生行政处罚统计列表"_s;

// Stands in for the case register: counts how often it becomes active.
class Opener : public FormWindow {
public:
    int activations = 0;
    int deactivations = 0;
    void activated() override { ++activations; }
    void deactivated() override { ++deactivations; }
};

StatisticsPeriodWindow *periodWindow()
{
    return qobject_cast<StatisticsPeriodWindow *>(test::openWindow(periodCaption));
}

StatisticsWindow *statisticsWindow()
{
    return qobject_cast<StatisticsWindow *>(test::openWindow(statisticsCaption));
}

// The statistics window once its computation has ended.
StatisticsWindow *computedStatistics()
{
    StatisticsWindow *s = statisticsWindow();
    if (s && !QTest::qWaitFor([s] { return !s->computing(); }, 20000))
        return nullptr;
    return s;
}

void confirmPeriod(const QString &start, const QString &end);

// 统计 from the opener and 2002 confirmed: the statistics window that
// opened, still computing.
StatisticsWindow *confirmYear(Opener &opener)
{
    openStatisticsPeriod(&opener);
    confirmPeriod(u"2002-01-01"_s, u"2002-12-31"_s);
    return statisticsWindow();
}

void confirmPeriod(const QString &start, const QString &end)
{
    StatisticsPeriodWindow *p = periodWindow();
    QVERIFY(p);
    p->startBox()->setText(start);
    p->endBox()->setText(end);
    p->confirmButton()->click();
}

} // namespace

class TestStatisticsWindows : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void periodWindowAsDesigned();
    void confirm_data();
    void confirm();
    void cancelThenOpenAgain();
    void closingStatisticsReturnsToOpener();
    void figuresDrawnInRedAtTheirPlaces();
    void wideFigureDrawnSmallerWithinItsColumn();
    void previewShowsSheetAndRecomputesOnClose();
    void unreadableCaseDateIsToldAndReturns();
    void fromTheCaseRegisterAndBack();
    void progressShownWhileComputing();
    void noSecondRunWhileOneWindsDown();

private:
    test::ScriptedMessages *m_script = nullptr;
};

void TestStatisticsWindows::init()
{
    setModalMode(ModalMode::NonBlocking);
    m_script = &test::ScriptedMessages::install();
}

void TestStatisticsWindows::cleanup()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *f = qobject_cast<FormWindow *>(w); f && f->isVisible())
            f->close();
    showDefaultPointer();
    QTRY_VERIFY(!statistics::StatisticsRun::current());
}

void TestStatisticsWindows::periodWindowAsDesigned()
{
    test::TestDatabase tdb;
    Opener opener;
    showHourglass();
    openStatisticsPeriod(&opener);
    StatisticsPeriodWindow *p = periodWindow();
    QVERIFY(p);
    QVERIFY(!hourglassShown()); // the register's hourglass ends when the window is up
    QCOMPARE(p->objectName(), u"frm_tjsj"_s);
    QCOMPARE(p->size(), QSize(px(2850), px(1635)));
    QVERIFY(p->findChild<QLabel *>()->text() == u"请输入统计时间"_s);
    for (QLineEdit *box : {p->startBox(), p->endBox()}) {
        QVERIFY(box->text().isEmpty());
        QCOMPARE(box->toolTip(), u"请按该格式填写：“2000-01-01”"_s);
    }
    QCOMPARE(p->startBox()->geometry(), pxRect(120, 480, 1095, 270));
    QCOMPARE(p->endBox()->geometry(), pxRect(1560, 480, 1095, 270));
    QCOMPARE(p->confirmButton()->text(), u"确认"_s);
    QCOMPARE(p->cancelButton()->text(), u"取消"_s);
    QVERIFY(!p->confirmButton()->autoDefault() && !p->cancelButton()->autoDefault());
    QCOMPARE(p->startBox()->nextInFocusChain(), p->endBox());
    QCOMPARE(p->endBox()->nextInFocusChain(), p->confirmButton());
    QCOMPARE(p->confirmButton()->nextInFocusChain(), p->cancelButton());
}

void TestStatisticsWindows::confirm_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<bool>("opens");
    QTest::newRow("a period") << u"2002-01-01"_s << u"2002-12-31"_s << true;
    QTest::newRow("start after end") << u"2002-12-31"_s << u"2002-01-01"_s << true;
    QTest::newRow("empty start") << QString() << u"2002-12-31"_s << false;
    QTest::newRow("empty end") << u"2002-01-01"_s << QString() << false;
    QTest::newRow("not a date") << u"2002-01-01"_s << u"年底"_s << false;
    QTest::newRow("slashes") << u"2002/01/01"_s << u"2002-12-31"_s << false;
}

void TestStatisticsWindows::confirm()
{
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(bool, opens);

    test::TestDatabase tdb;
    test::addStatCases(tdb.db(), {test::StatCase{}});
    Opener opener;
    openStatisticsPeriod(&opener);
    confirmPeriod(start, end);

    QVERIFY(m_script->shown.isEmpty()); // silent either way
    StatisticsPeriodWindow *p = periodWindow();
    StatisticsWindow *s = computedStatistics();
    if (opens) {
        QVERIFY(!p);
        QVERIFY(s);
        QCOMPARE(s->figures().front()->text(), start + u" - "_s + end);
        QCOMPARE(s->figures()[1]->text(), start < end ? u" 1"_s : u" 0"_s);
    } else {
        QVERIFY(p);
        QVERIFY(!s);
        QCOMPARE(p->startBox()->text(), start);
        QCOMPARE(p->endBox()->text(), end);
    }
}

void TestStatisticsWindows::cancelThenOpenAgain()
{
    test::TestDatabase tdb;
    Opener opener;
    openStatisticsPeriod(&opener);
    periodWindow()->startBox()->setText(u"2002-01-01"_s);
    periodWindow()->cancelButton()->click();
    QVERIFY(!periodWindow());
    QVERIFY(!statisticsWindow());
    QCOMPARE(opener.activations, 1);

    openStatisticsPeriod(&opener);
    QVERIFY(periodWindow()->startBox()->text().isEmpty());
    QVERIFY(periodWindow()->endBox()->text().isEmpty());
}

void TestStatisticsWindows::closingStatisticsReturnsToOpener()
{
    test::TestDatabase tdb;
    Opener opener;
    opener.show();
    StatisticsWindow *s = confirmYear(opener);
    QVERIFY(s);
    QCOMPARE(s->parentWidget(), &opener);
    const int before = opener.activations;
    s->close();
    QVERIFY(!statisticsWindow());
    QVERIFY(!periodWindow());
    QCOMPARE(opener.activations, before + 1);
}

void TestStatisticsWindows::figuresDrawnInRedAtTheirPlaces()
{
    test::TestDatabase tdb;
    test::StatCase fined;
    fined.penalties = {7};
    fined.fine = u"1500.5"_s;
    fined.filed = u"2002-06-02"_s;
    test::addStatCases(tdb.db(), {fined, test::StatCase{}});
    Opener opener;
    openStatisticsPeriod(&opener);
    showHourglass();
    confirmPeriod(u"2002-01-01"_s, u"2002-12-31"_s);
    StatisticsWindow *s = computedStatistics();
    QVERIFY(s);
    QVERIFY(!hourglassShown());
    QCOMPARE(s->objectName(), u"frm_cftj"_s);
    QCOMPARE(s->size(), QSize(px(11280), px(7110)));
    QCOMPARE(s->printButton()->text(), u"打印食监报表"_s);

    const auto &f = s->figures();
    QCOMPARE(f.size(), std::size_t(4 + 16 * 13));
    struct Place {
        std::size_t index;
        int x;
        int y;
        QString text;
        QString name; // read with its row and column
    };
    const int row1 = 4;             // the first screen row's first figure
    const int food = 4 + 6 * 13;    // the food group's 合计
    const int all = 4 + 15 * 13;    // 总  计
    for (const Place &p :
         {Place{0, 1000, 100, u"2002-01-01 - 2002-12-31"_s, u"统计时间：2002-01-01 - 2002-12-31"_s},
          Place{1, 4050, 100, u" 2"_s, u"案件总数：2"_s}, Place{2, 6200, 100, u" 1"_s, u"立案总数：1"_s},
          Place{3, 8350, 100, u" 0"_s, u"结案总数：0"_s},
          Place{row1 + 7, 6840, 1100, u" 1"_s, u"食品卫生 生产加工 罚款：1"_s},
          Place{row1 + 8, 7640, 1100, u" 1500.5"_s, u"食品卫生 生产加工 罚款金额：1500.5"_s},
          Place{row1 + 12, 10440, 1100, u" 2"_s, u"食品卫生 生产加工 处罚户次：2"_s},
          Place{row1 + 13 + 8, 7640, 1460, u"0"_s, u"食品卫生 批发零售 罚款金额：0"_s},
          Place{food + 6, 6200, 3260, u" 0"_s, u"食品卫生 合计 没收金额：0"_s},
          Place{all + 12, 10440, 6680, u" 2"_s, u"总计 处罚户次：2"_s}}) {
        const GridLabel *l = f[p.index];
        QCOMPARE(l->text(), p.text);
        QCOMPARE(l->accessibleName(), p.name);
        QCOMPARE(l->pos(), QPoint(px(p.x), px(p.y)));
        QCOMPARE(l->palette().color(QPalette::WindowText), QColor(Qt::red));
        QVERIFY(l->isVisible());
    }
    QCOMPARE(f[4 + 7 * 13]->accessibleName(), u"公共场所 旅馆业 警告：0"_s);
    QCOMPARE(f[4 + 14 * 13 + 1]->accessibleName(), u"其他 责令改正：0"_s);
}

void TestStatisticsWindows::wideFigureDrawnSmallerWithinItsColumn()
{
    test::TestDatabase tdb;
    test::StatCase big;
    big.fine = u"12345678.55"_s;
    test::addStatCases(tdb.db(), {big});
    Opener opener;
    confirmYear(opener);
    StatisticsWindow *s = computedStatistics();
    QVERIFY(s);
    const GridLabel *fine = s->figures()[4 + 8]; // 罚款金额 of the first row
    QCOMPARE(fine->text(), u" 12345678.55"_s);
    QVERIFY(fine->font().pointSizeF() < 9);
    QVERIFY(fine->x() + fine->sizeHint().width() <= px(8280)); // the column's right-hand rule
    QCOMPARE(s->figures()[4 + 7]->font().pointSizeF(), 9.0);
}

void TestStatisticsWindows::previewShowsSheetAndRecomputesOnClose()
{
    test::TestDatabase tdb;
    test::addStatCases(tdb.db(), {test::StatCase{}});
    Opener opener;
    confirmYear(opener);
    StatisticsWindow *s = computedStatistics();
    QVERIFY(s);
    const QString drawn = s->figures()[1]->text();

    s->printButton()->click();
    auto *preview = qobject_cast<report::ReportPreview *>(test::openWindow(u"食品卫生监督监测情况报表打印预演"_s));
    QVERIFY(preview);
    const QStringList texts = report::pageTexts(preview->pages().page(0));
    QVERIFY(texts.contains(u"Quessa区卫生局"_s));
    QVERIFY(texts.contains(u"2002年1月1日 - 2002年12月31日"_s));

    tdb.db().exec(u"UPDATE xzcftj SET a11 = 'x'"_s);
    preview->close();
    QVERIFY(s->computing());
    QVERIFY(computedStatistics());
    QCOMPARE(tdb.db().scalar(u"SELECT a11 FROM xzcftj"_s), u"1"_s); // computed again
    QCOMPARE(s->figures()[1]->text(), drawn);
    QVERIFY(s->isVisible());
    QVERIFY(m_script->shown.isEmpty());
}

void TestStatisticsWindows::unreadableCaseDateIsToldAndReturns()
{
    test::TestDatabase tdb;
    test::StatCase bad;
    bad.accepted = u"2002-02-30"_s;
    test::addStatCases(tdb.db(), {test::StatCase{}, bad});
    Opener opener;
    openStatisticsPeriod(&opener);
    const int before = opener.activations;
    confirmPeriod(u"2002-01-01"_s, u"2002-12-31"_s);
    QTRY_COMPARE(m_script->shown.size(), 1);
    QCOMPARE(m_script->shown[0].title, u"错误"_s);
    QVERIFY(m_script->lastText().contains(u"20020002"_s));
    QVERIFY(!statisticsWindow());
    QVERIFY(opener.activations > before);
}

void TestStatisticsWindows::fromTheCaseRegisterAndBack()
{
    test::TestDatabase tdb;
    test::addStatCases(tdb.db(), {test::StatCase{}, test::StatCase{}, test::StatCase{}});
    test::Register r;
    r.w->record()->moveFirst();
    r.click(7);
    confirmPeriod(u"2002-01-01"_s, u"2002-12-31"_s);
    StatisticsWindow *s = computedStatistics();
    QVERIFY(s);
    QCOMPARE(s->figures()[1]->text(), u" 3"_s);
    s->close();
    QVERIFY(!statisticsWindow());
    QVERIFY(!periodWindow());
    QCOMPARE(r.box(0)->text(), u"20020001"_s); // the register stands on its case again
    QVERIFY(r.w->isVisible());
}

void TestStatisticsWindows::progressShownWhileComputing()
{
    test::TestDatabase tdb;
    test::addStatCases(tdb.db(), {test::StatCase{}});
    Opener opener;
    StatisticsWindow *s = confirmYear(opener);
    QVERIFY(s);
    QVERIFY(s->computing());
    QVERIFY(s->progressBar()->isVisible());
    QVERIFY(!s->printButton()->isEnabled()); // the sheet would still show the last figures
    QVERIFY(s->figures().empty());

    QVERIFY(computedStatistics());
    QVERIFY(!s->progressBar()->isVisible());
    QVERIFY(s->printButton()->isEnabled());
    QCOMPARE(s->figures()[1]->text(), u" 1"_s);
}

void TestStatisticsWindows::noSecondRunWhileOneWindsDown()
{
    test::TestDatabase tdb;
    test::addStatCases(tdb.db(), {test::StatCase{}});
    Opener opener;
    confirmYear(opener)->close(); // at once: the run is told to stop
    QVERIFY(statistics::StatisticsRun::current());

    openStatisticsPeriod(&opener);
    StatisticsPeriodWindow *p = periodWindow();
    QVERIFY(p);
    QVERIFY(!p->confirmButton()->isEnabled());
    QTRY_VERIFY(p->confirmButton()->isEnabled());
    QVERIFY(!statistics::StatisticsRun::current());
    QVERIFY(m_script->shown.isEmpty());
    QVERIFY(!statisticsWindow()); // nothing drawn or told by the stopped run
}

QTEST_MAIN(TestStatisticsWindows)
#include "tst_statisticswindows.moc"
