// Long work on a thread of its own: short work shows no window, longer work
// its progress window after half a second with the stage and the bar, 取消
// stops work that allows it and only that, and a failure of the work comes
// back to the caller; and the same window for work that stays on the GUI
// thread (printing). Needs widgets: the progress window is one.
#include "platform/longwork.h"
#include "platform/progressonscreen.h"
#include "platform/progresswindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <atomic>
#include <memory>
#include <stdexcept>

using namespace Qt::StringLiterals;
using namespace kelm;

namespace {

constexpr int halfASecond = 500;

ProgressWindow *shownWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *p = qobject_cast<ProgressWindow *>(w); p && p->isVisible())
            return p;
    return nullptr;
}

// Work of 100 steps of 20 ms, stopping when cancelled; done counts the
// steps reported, also while the work runs on a thread of its own.
void steps(Progress &progress, bool cancellable, std::atomic<int> &done)
{
    progress.stage(u"正在处理……"_s, 100, cancellable);
    for (done = 0; done < 100 && !progress.cancelled(); ++done) {
        QThread::msleep(20);
        progress.advance(done + 1);
    }
}

// When each report of the work was made, on a clock started with it.
class TimedReports : public Progress {
public:
    TimedReports(Progress &shown, const QElapsedTimer &clock) : m_shown(shown), m_clock(clock) { }
    void stage(const QString &text, qint64 steps, bool cancellable) override
    {
        m_shown.stage(text, steps, cancellable);
    }
    void advance(qint64 done) override
    {
        madeAt.append(m_clock.elapsed());
        m_shown.advance(done);
    }
    bool cancelled() const override { return m_shown.cancelled(); }
    // How many reports were made before ms had gone by.
    qsizetype madeBefore(qint64 ms) const
    {
        return std::count_if(madeAt.cbegin(), madeAt.cend(), [ms](qint64 at) { return at < ms; });
    }
    QList<qint64> madeAt;

private:
    Progress &m_shown;
    const QElapsedTimer &m_clock;
};

} // namespace

class TestLongWork : public QObject {
    Q_OBJECT
private slots:
    void shortWorkShowsNoWindow();
    void longWorkShowsItsProgress();
    void cancelStopsWorkThatAllowsIt_data();
    void cancelStopsWorkThatAllowsIt();
    void failureComesBack();
    void progressOnTheGuiThread();
};

void TestLongWork::shortWorkShowsNoWindow()
{
    bool seen = false;
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] { seen = seen || shownWindow(); });
    watch.start(5);
    int ran = 0;
    runLongWork(nullptr, u"短"_s, [&](Progress &) {
        QThread::msleep(50);
        ++ran;
    });
    QCOMPARE(ran, 1);
    QVERIFY(!seen);
}

// The window shows once half a second has gone by: not before, nor later
// than a timer of half a second started with the work fires plus what
// showing the window takes, measured first in the same test. A loaded
// machine stretches both alike, where it would exceed a fixed time.
void TestLongWork::longWorkShowsItsProgress()
{
    QElapsedTimer clock;
    clock.start();
    {
        // The first window also loads the fonts and the style.
        ProgressWindow first(u"数据备份"_s);
        first.showStage(u"正在处理……"_s, 100, 0, true);
        first.show();
        QCoreApplication::sendPostedEvents();
    }
    const qint64 showing = clock.elapsed();
    qint64 firstSeen = -1;
    QString stage, title;
    int bar = -1;
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        if (ProgressWindow *w = shownWindow()) {
            if (firstSeen < 0)
                firstSeen = clock.elapsed();
            stage = w->stageLabel()->text();
            title = w->windowTitle();
            bar = w->bar()->value();
        }
    });
    watch.start(10);
    clock.restart();
    qint64 halfASecondAt = -1;
    QTimer::singleShot(halfASecond, this, [&] { halfASecondAt = clock.elapsed(); });
    std::atomic<int> done = 0;
    runLongWork(nullptr, u"数据备份"_s, [&](Progress &p) { steps(p, true, done); });
    QCOMPARE(done.load(), 100);
    const QString when = u"seen after %1 ms, half a second after %2 ms, showing a window takes %3 ms"_s
                             .arg(firstSeen)
                             .arg(halfASecondAt)
                             .arg(showing);
    QVERIFY2(firstSeen >= 450, qPrintable(when));
    QVERIFY2(halfASecondAt > 0 && firstSeen <= halfASecondAt + 2 * showing, qPrintable(when));
    QCOMPARE(title, u"数据备份"_s);
    QCOMPARE(stage, u"正在处理……"_s);
    QVERIFY2(bar > 500, qPrintable(QString::number(bar)));
    QCOMPARE(shownWindow(), nullptr);
}

void TestLongWork::cancelStopsWorkThatAllowsIt_data()
{
    QTest::addColumn<bool>("cancellable");
    QTest::addColumn<bool>("byCloseBox");
    QTest::newRow("取消") << true << false;
    QTest::newRow("close box") << true << true;
    QTest::newRow("not safe to stop: 取消 off") << false << false;
    QTest::newRow("not safe to stop: close box does nothing") << false << true;
}

void TestLongWork::cancelStopsWorkThatAllowsIt()
{
    QFETCH(bool, cancellable);
    QFETCH(bool, byCloseBox);
    bool asked = false, buttonOn = false;
    std::atomic<int> done = 0;
    int askedAtStep = -1;
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        ProgressWindow *w = shownWindow();
        if (!w || asked)
            return;
        asked = true;
        askedAtStep = done;
        buttonOn = w->cancelButton()->isEnabled();
        if (byCloseBox)
            w->close();
        else
            w->cancelButton()->click();
    });
    watch.start(10);
    runLongWork(nullptr, u"数据恢复"_s, [&](Progress &p) { steps(p, cancellable, done); });
    QVERIFY(asked);
    QCOMPARE(buttonOn, cancellable);
    // The work ends with the step it is in, or one more where it had just
    // gone on when it was asked.
    if (cancellable)
        QVERIFY2(done <= askedAtStep + 2,
                 qPrintable(u"asked at step %1, ended after %2"_s.arg(askedAtStep).arg(done.load())));
    else
        QCOMPARE(done.load(), 100);
}

void TestLongWork::failureComesBack()
{
    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                             runLongWork(nullptr, u"失败"_s, [](Progress &) { throw std::runtime_error("nein"); }));
    QCOMPARE(shownWindow(), nullptr);
}

// Work on the GUI thread: its window shows at the first report made once
// half a second has gone by, the windows repaint at each report, and 取消
// is heard at once.
void TestLongWork::progressOnTheGuiThread()
{
    QElapsedTimer clock;
    std::unique_ptr<TimedReports> timed;
    qsizetype seenAtReport = -1;
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        if (ProgressWindow *w = shownWindow(); w && seenAtReport < 0) {
            seenAtReport = timed->madeAt.size() - 1;
            w->cancelButton()->click();
        }
    });
    watch.start(10);
    clock.start();
    std::atomic<int> done = 0;
    {
        ProgressOnScreen progress(nullptr, u"打印"_s, u"不能取消"_s);
        timed = std::make_unique<TimedReports>(progress, clock);
        steps(*timed, true, done);
    }
    // The window's clock starts a moment after the test's, so it may count
    // half a second one report later.
    const qsizetype first = timed->madeBefore(halfASecond);
    QVERIFY2(seenAtReport >= first && seenAtReport <= first + 1,
             qPrintable(u"seen at report %1, the first after half a second %2 (made at %3 ms)"_s.arg(seenAtReport)
                            .arg(first)
                            .arg(timed->madeAt.value(first))));
    // 取消 is heard as soon as the report in which it came returns.
    QCOMPARE(qsizetype(done.load()), seenAtReport + 1);
    QCOMPARE(shownWindow(), nullptr);
}

QTEST_MAIN(TestLongWork)
#include "tst_longwork.moc"
