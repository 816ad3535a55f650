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

#include <stdexcept>

using namespace Qt::StringLiterals;
using namespace kelm;

namespace {

ProgressWindow *shownWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *p = qobject_cast<ProgressWindow *>(w); p && p->isVisible())
            return p;
    return nullptr;
}

// Work of 100 steps of 20 ms, stopping when cancelled.
void steps(Progress &progress, bool cancellable, int &done)
{
    progress.stage(u"正在处理……"_s, 100, cancellable);
    for (done = 0; done < 100 && !progress.cancelled(); ++done) {
        QThread::msleep(20);
        progress.advance(done + 1);
    }
}

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

void TestLongWork::longWorkShowsItsProgress()
{
    QElapsedTimer clock;
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
    clock.start();
    int done = 0;
    runLongWork(nullptr, u"数据备份"_s, [&](Progress &p) { steps(p, true, done); });
    QCOMPARE(done, 100);
    QVERIFY2(firstSeen >= 450 && firstSeen < 1500, qPrintable(QString::number(firstSeen)));
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
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        ProgressWindow *w = shownWindow();
        if (!w || asked)
            return;
        asked = true;
        buttonOn = w->cancelButton()->isEnabled();
        if (byCloseBox)
            w->close();
        else
            w->cancelButton()->click();
    });
    watch.start(10);
    int done = 0;
    runLongWork(nullptr, u"数据恢复"_s, [&](Progress &p) { steps(p, cancellable, done); });
    QVERIFY(asked);
    QCOMPARE(buttonOn, cancellable);
    if (cancellable)
        QVERIFY2(done < 60, qPrintable(QString::number(done)));
    else
        QCOMPARE(done, 100);
}

void TestLongWork::failureComesBack()
{
    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                             runLongWork(nullptr, u"失败"_s, [](Progress &) { throw std::runtime_error("nein"); }));
    QCOMPARE(shownWindow(), nullptr);
}

// Work on the GUI thread: its window shows after half a second, the
// windows repaint at each report, and 取消 is heard.
void TestLongWork::progressOnTheGuiThread()
{
    qint64 seenAt = -1;
    QElapsedTimer clock;
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        if (ProgressWindow *w = shownWindow(); w && seenAt < 0) {
            seenAt = clock.elapsed();
            w->cancelButton()->click();
        }
    });
    watch.start(10);
    clock.start();
    int done = 0;
    {
        ProgressOnScreen progress(nullptr, u"打印"_s, u"不能取消"_s);
        steps(progress, true, done);
    }
    QVERIFY2(seenAt >= 450 && seenAt < 1500, qPrintable(QString::number(seenAt)));
    QVERIFY2(done < 60, qPrintable(QString::number(done)));
    QCOMPARE(shownWindow(), nullptr);
}

QTEST_MAIN(TestLongWork)
#include "tst_longwork.moc"
