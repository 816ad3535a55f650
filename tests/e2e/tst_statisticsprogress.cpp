// The statistics of half a million cases on the real event path: while the
// run counts off the window's thread, the statistics window shows its
// progress moving and answers the user; closing it stops the run at once,
// and the next run draws the figures, the window answering a screen reader
// while it counts as it does when the program is idle.
#include "cases/statistics/statisticsrun.h"
#include "e2e/support/program.h"
#include "e2e/support/realinput.h"
#include "e2e/support/screen.h"
#include "e2e/support/screenreaderprobe.h"
#include "e2e/support/userscript.h"
#include "platform/database.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::test;

namespace {

constexpr int caseCount = 500000;

// Cases of 2002 in one statement: numbers 20020000.., a day of the year
// each, every tenth one fined.
void seedCases(Database &db)
{
    db.exec(u"WITH RECURSIVE n(x) AS (SELECT 0 UNION ALL SELECT x + 1 FROM n WHERE x < ?) "
            "INSERT INTO xzcf (dabh, slsj, dwlb1, dwlb2, msje, fkje, shsp, xhsp, cf7) "
            "SELECT printf('2%07d', x), date('2002-01-01', '+' || (x % 365) || ' days'), '食品卫生', '饮食', "
            "'0', CASE WHEN x % 10 = 0 THEN '100' ELSE '0' END, '0', '0', x % 10 = 0 FROM n"_s,
            {caseCount - 1});
}

QProgressBar *progress()
{
    return qobject_cast<QProgressBar *>(childNamed(u"frm_cftj"_s, u"统计进度"_s));
}

bool computing()
{
    QProgressBar *bar = progress();
    return bar && bar->isVisible();
}

// The run has reported its first cases counted.
bool counting() { return computing() && progress()->value() > 0; }

} // namespace

class TestStatisticsProgress : public QObject {
    Q_OBJECT
private slots:
    void progressMovesAndTheWindowAnswers();
};

void TestStatisticsProgress::progressMovesAndTheWindowAnswers()
{
    Program p;
    seedCases(p.db());
    UserScript s;
    ScreenReaderProbe idle;
    listenWhileIdle(s, idle);
    p.chooseMenu(s, u"xzxf"_s);
    askForTheYear(s);
    int firstSeen = 0;
    QElapsedTimer closing;
    qint64 closedAfter = -1;
    s.await(u"the statistics window shows its progress"_s,
            [&firstSeen] {
                if (!counting())
                    return false;
                firstSeen = progress()->value();
                return true;
            })
        .await(u"the bar moves on while the cases are counted"_s,
               [&firstSeen] { return computing() && progress()->value() > firstSeen; })
        .act(u"the close box while it counts"_s, [&closing] {
            closing.start();
            real::closeBox(shownWindow(u"frm_cftj"_s));
        })
        .await(u"the window closes, back to the register"_s,
               [&] {
                   if (shownWindow(u"frm_cftj"_s) || !isActive(u"xzcf_face"_s))
                       return false;
                   closedAfter = closing.elapsed();
                   return true;
               })
        .await(u"the stopped run has ended"_s, [] { return !statistics::StatisticsRun::current(); });
    askForTheYear(s);
    QElapsedTimer running;
    qint64 ranFor = -1;
    ScreenReaderProbe busy;
    s.act(u"the run starts"_s, [&running] { running.start(); })
        .await(u"the statistics window shows its progress"_s, counting)
        .act(u"a screen reader asks while the cases are counted"_s, [&busy] { busy.start(); })
        .await(u"the figures are drawn"_s,
               [&] {
                   auto *w = shownWindow(u"frm_cftj"_s);
                   if (!w || computing())
                       return false;
                   for (QLabel *l : w->findChildren<QLabel *>())
                       if (l->text() == u" %1"_s.arg(caseCount)) {
                           ranFor = running.elapsed();
                           return true;
                       }
                   return false;
               },
               120000)
        .act(u"the close box"_s, [&busy] {
            busy.stop();
            real::closeBox(shownWindow(u"frm_cftj"_s));
        })
        .await(u"the register is active again"_s, [] { return isActive(u"xzcf_face"_s); })
        .act(u"Esc closes the register"_s, [] { real::key(Qt::Key_Escape); })
        .await(u"the main window is active"_s, [] { return isActive(u"main"_s); });
    QVERIFY2(s.run(), qPrintable(s.failure()));
    // At once: long before the run could have ended, timed by a whole run
    // in this test rather than by a fixed time.
    QVERIFY2(closedAfter < ranFor / 4,
             qPrintable(u"closed after %1 ms; a whole run takes %2 ms"_s.arg(closedAfter).arg(ranFor)));
    QVERIFY2(answeredAsWhenIdle(idle, busy), qPrintable(idle.summary() + u"\n"_s + busy.summary()));
    QCOMPARE(p.db().scalar(u"SELECT a11 FROM xzcftj"_s), QString::number(caseCount));
    QCOMPARE(p.db().scalar(u"SELECT a112 FROM xzcftj"_s), QString::number(caseCount / 10 * 100));
}

QTEST_MAIN(TestStatisticsProgress)
#include "tst_statisticsprogress.moc"
