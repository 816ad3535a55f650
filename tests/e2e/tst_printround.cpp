// Printing a long list from its preview on the real event path: a real
// click on 取消 in the print's progress window closes it and hands nothing
// to the printer's queue, while a print left alone reaches it whole; 取消
// while the last page is drawn or the spool file is finished still counts,
// and one once the print is being handed to the print system is refused in
// words, after which the user is told what became of the job; a screen
// reader is answered between two pages while they are drawn; a page number
// typed into the page box and entered with the keyboard goes to that page,
// past the last to the last, 0 to the first.
#include "e2e/support/realinput.h"
#include "e2e/support/screen.h"
#include "e2e/support/screenreaderprobe.h"
#include "e2e/support/userscript.h"
#include "platform/pagedreport.h"
#include "platform/pageview.h"
#include "platform/printsink.h"
#include "platform/progressonscreen.h"
#include "platform/progresswindow.h"
#include "platform/reportpreview.h"
#include "platform/rowsinmemory.h"
#include "registers/listreport.h"

#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QThread>
#include <QtTest>

#include <algorithm>
#include <atomic>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::report;
using namespace kelm::test;

namespace {

// Counts the prints handed to it; takes its time over each, as a print
// server may, and then takes the job or says why not.
class CountingQueue : public PrintQueue {
public:
    explicit CountingQueue(int takesMs = 0, const QString &refusal = {}) : m_takesMs(takesMs), m_refusal(refusal) { }
    QString submit(const QString &, const QString &, const PageSetup &) override
    {
        QThread::msleep(ulong(m_takesMs));
        if (m_refusal.isEmpty())
            ++handed;
        return m_refusal;
    }
    std::atomic<int> handed = 0;

private:
    int m_takesMs;
    QString m_refusal;
};

// A list long enough that its print shows its progress for seconds.
std::unique_ptr<PageSource> longList(int rows)
{
    ListReportDesign design{u"test"_s, u"单位查询列表"_s, u"单位查询列表"_s,
                            {{u"编号"_s, u"no"_s, 75, 915}, {u"单位名称"_s, u"name"_s, 1080, 4395}},
                            {30, 1035, 5520}, {30, 1035, 5520}, {}};
    Rows r;
    r.columns = {u"no"_s, u"name"_s};
    for (int i = 1; i <= rows; ++i)
        r.values.push_back({QString::number(i), u"城关饭店%1"_s.arg(i)});
    auto source = std::make_shared<RowsInMemory>(std::move(r));
    const ReportLayout layout = listReportLayout(design);
    return std::make_unique<PagedReport>(layout, source, *paginate(layout, *source));
}

// A real click on 取消 in the progress window, which has reached the
// program before the print goes on and is taken when the print next looks
// at its events.
void clickCancel() { real::clickQueued(progressWindow()->cancelButton()); }

// The pages of a list, counted as they are asked for, each taking a moment
// where asked; the user clicks 取消 while the last one is drawn where asked.
class WatchedPages : public PageSource {
public:
    WatchedPages(std::unique_ptr<PageSource> pages, int takesMs, bool cancelAtLast)
        : m_pages(std::move(pages)), m_takesMs(takesMs), m_cancelAtLast(cancelAtLast)
    {
    }
    QString caption() const override { return m_pages->caption(); }
    PageSetup paper() const override { return m_pages->paper(); }
    int pageCount() const override { return m_pages->pageCount(); }
    Page page(int n) override
    {
        ++asked;
        QThread::msleep(ulong(m_takesMs));
        if (m_cancelAtLast && n == pageCount() - 1 && progressWindow()) {
            clickedAt = progressWindow()->bar()->value();
            clickCancel();
        }
        return m_pages->page(n);
    }
    std::atomic<quint64> asked = 0;
    int clickedAt = -1;

private:
    std::unique_ptr<PageSource> m_pages;
    int m_takesMs;
    bool m_cancelAtLast;
};

// The print's progress on the screen, through which the user clicks 取消
// once the last page is reported drawn, while the spool file is finished.
class CancelAfterLastPage : public Progress {
public:
    explicit CancelAfterLastPage(ProgressOnScreen &shown) : m_shown(shown) { }
    void stage(const QString &text, qint64 steps, bool cancellable) override
    {
        m_steps = steps;
        m_shown.stage(text, steps, cancellable);
    }
    void advance(qint64 done) override
    {
        m_shown.advance(done);
        if (m_steps > 0 && done == m_steps && progressWindow()) {
            clickedAt = progressWindow()->bar()->value();
            clickCancel();
        }
    }
    bool cancelled() const override { return m_shown.cancelled(); }
    int clickedAt = -1;

private:
    ProgressOnScreen &m_shown;
    qint64 m_steps = 0;
};

// Shows the preview as the active window.
void showActive(ReportPreview &preview)
{
    preview.setObjectName(u"preview"_s);
    preview.show();
    preview.activateWindow();
}

// Steps: 打印 in the preview.
void clickPrint(UserScript &s, ReportPreview &preview)
{
    s.await(u"the preview is active"_s, [] { return isActive(u"preview"_s); })
        .act(u"打印"_s, [&preview] { real::click(preview.printButton()); });
}

// The progress window shows the pages being drawn.
bool drawing() { return progressWindow() && progressWindow()->stageLabel()->text().startsWith(u"正在打印"_s); }

} // namespace

class TestPrintRound : public QObject {
    Q_OBJECT
private slots:
    void cancelledPrintReachesNoPrinter();
    void cancelAtTheLastPageSendsNothing_data();
    void cancelAtTheLastPageSendsNothing();
    void cancelDuringHandOffIsRefusedInWords_data();
    void cancelDuringHandOffIsRefusedInWords();
    void screenReaderAnsweredWhilePrinting();
    void pageBoxTakesAnyNumber();
};

void TestPrintRound::cancelledPrintReachesNoPrinter()
{
    auto queue = std::make_shared<CountingQueue>();
    setPrintSink(std::make_unique<PrinterSink>(queue));
    ReportPreview preview(longList(30000));
    showActive(preview);
    UserScript s;
    clickPrint(s, preview);
    s.await(u"the progress window is printing"_s, drawing, 15000)
        .act(u"取消"_s, [] { real::click(progressWindow()->cancelButton()); })
        .await(u"the progress window has closed"_s, [] { return !progressWindow(); }, 15000)
        .holds(u"no message, nothing printed"_s, [&] { return !anyMessage() && queue->handed == 0; });
    QVERIFY2(s.run(), qPrintable(s.failure()));
    QCOMPARE(queue->handed, 0);
    setPrintSink(nullptr);
}

// 取消 clicked in the moments before the print is handed over still stops
// it: while the last page is drawn, and once it is reported drawn, while
// the spool file is finished and before the window has turned to the
// hand-off.
void TestPrintRound::cancelAtTheLastPageSendsNothing_data()
{
    QTest::addColumn<bool>("afterLastPage");
    QTest::newRow("while the last page is drawn") << false;
    QTest::newRow("while the spool file is finished") << true;
}

void TestPrintRound::cancelAtTheLastPageSendsNothing()
{
    QFETCH(bool, afterLastPage);
    auto queue = std::make_shared<CountingQueue>();
    setPrintSink(std::make_unique<PrinterSink>(queue));
    auto owned = std::make_unique<WatchedPages>(longList(6000), 10, !afterLastPage);
    WatchedPages &pages = *owned;
    ReportPreview preview(std::move(owned));
    showActive(preview);
    PrintResult direct;
    int clickedAt = -1;
    UserScript s;
    if (afterLastPage) {
        // Only the progress given to the print learns when the last page is
        // reported drawn, so this row starts the print itself with its own.
        s.await(u"the preview is active"_s, [] { return isActive(u"preview"_s); })
            .act(u"a print of a long list"_s, [&] {
                ProgressOnScreen shown(&preview, pages.caption() + u"打印"_s, u"正在送往打印机，不能取消"_s);
                CancelAfterLastPage clicking(shown);
                direct = printSink().print(pages, clicking);
                clickedAt = clicking.clickedAt;
            });
    } else {
        clickPrint(s, preview);
        s.await(u"the progress window is printing"_s, drawing, 15000);
    }
    s.await(u"the print has ended"_s, [] { return !progressWindow(); }, 60000)
        .holds(u"no message, nothing printed"_s, [&] { return !anyMessage() && queue->handed == 0; });
    QVERIFY2(s.run(), qPrintable(s.failure()));
    if (!afterLastPage)
        clickedAt = pages.clickedAt;
    // The window still showed the drawing, not yet the hand-off.
    QVERIFY2(clickedAt > 900, qPrintable(QString::number(clickedAt)));
    if (afterLastPage)
        QVERIFY(direct.cancelled && direct.error.isEmpty());
    QCOMPARE(queue->handed, 0);
    setPrintSink(nullptr);
}

// 取消 while the print is being handed over cannot stop it and says so in
// the window; once the hand-off has ended one message tells what became of
// the job: that it went out, or that it did not and why.
void TestPrintRound::cancelDuringHandOffIsRefusedInWords_data()
{
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<QString>("told");
    QTest::addColumn<int>("handed");
    QTest::newRow("the job goes out") << QString() << u"打印任务已送往打印机，不能再取消。"_s << 1;
    QTest::newRow("the server never answers") << serverSilent(handOffLimitMs) << serverSilent(handOffLimitMs) << 0;
}

void TestPrintRound::cancelDuringHandOffIsRefusedInWords()
{
    QFETCH(QString, refusal);
    QFETCH(QString, told);
    QFETCH(int, handed);
    const QString refused = u"正在送往打印机，不能取消"_s;
    auto queue = std::make_shared<CountingQueue>(2500, refusal);
    setPrintSink(std::make_unique<PrinterSink>(queue));
    ReportPreview preview(longList(300));
    showActive(preview);
    UserScript s;
    clickPrint(s, preview);
    s.await(u"the progress window shows the hand-off, 取消 on"_s,
               [] {
                   return progressWindow() && progressWindow()->stageLabel()->text() == u"正在送往打印机……"_s
                       && progressWindow()->cancelButton()->isEnabled();
               },
               15000)
        .act(u"取消"_s, [] { real::click(progressWindow()->cancelButton()); })
        .await(u"the window says it cannot be cancelled"_s,
               [&] { return progressWindow() && progressWindow()->stageLabel()->text() == refused; })
        .await(u"once the hand-off has ended, a message tells what became of the job"_s,
               [&] { return !progressWindow() && shownMessage(told); })
        .holds(u"the print went out as told"_s, [&] { return queue->handed == handed; }, 100)
        .act(u"确定"_s, [&] { real::click(messageButton(shownMessage(told), u"确定"_s)); })
        .await(u"no other message; the preview is active again"_s,
               [] { return isActive(u"preview"_s) && !anyMessage(); });
    QVERIFY2(s.run(), qPrintable(s.failure()));
    QCOMPARE(queue->handed, handed);
    setPrintSink(nullptr);
}

// Between two pages of a long print the program takes the events waiting
// for it, so a screen reader's call waits at most for the page being drawn
// (before, it waited for each refresh of the progress window). Counted in
// pages, not in milliseconds, which a loaded machine stretches.
void TestPrintRound::screenReaderAnsweredWhilePrinting()
{
    auto queue = std::make_shared<CountingQueue>();
    setPrintSink(std::make_unique<PrinterSink>(queue));
    auto owned = std::make_unique<WatchedPages>(longList(100000), 0, false);
    WatchedPages &pages = *owned;
    ReportPreview preview(std::move(owned));
    showActive(preview);
    ScreenReaderProbe probe;
    UserScript s;
    clickPrint(s, preview);
    s.await(u"the progress window is printing"_s, drawing, 15000)
        .act(u"a screen reader asks"_s, [&] { probe.start([&pages] { return pages.asked.load(); }); })
        .holds(u"the print goes on"_s, [] { return progressWindow() != nullptr; }, 2000)
        .act(u"取消"_s, [&] {
            probe.stop();
            real::click(progressWindow()->cancelButton());
        })
        .await(u"the progress window has closed"_s, [] { return !progressWindow(); }, 15000);
    QVERIFY2(s.run(), qPrintable(s.failure()));
    QList<quint64> waited = probe.stepsWaited();
    QVERIFY2(waited.size() > 10, qPrintable(probe.summary()));
    std::sort(waited.begin(), waited.end());
    QVERIFY2(waited[waited.size() * 9 / 10] <= 1, qPrintable(probe.summary()));
    QCOMPARE(queue->handed, 0);
    setPrintSink(nullptr);
}

void TestPrintRound::pageBoxTakesAnyNumber()
{
    ReportPreview preview(longList(3000));
    preview.setObjectName(u"preview"_s);
    preview.resize(900, 700);
    preview.show();
    preview.activateWindow();
    const int last = preview.pages().pageCount() - 1;
    QVERIFY(last > 5 && last < 235);
    QSpinBox *box = preview.pageBox();
    auto enter = [box](const QString &typed) {
        real::click(box);
        real::key(Qt::Key_A, Qt::ControlModifier);
        real::type(typed);
        real::key(Qt::Key_Return);
    };
    auto at = [&preview](int page) { return preview.view()->currentPage() == page; };
    UserScript s;
    s.await(u"the preview is active"_s, [] { return isActive(u"preview"_s); })
        .act(u"4 and Enter"_s, [&] { enter(u"4"_s); })
        .await(u"page 4"_s, [&] { return at(3); })
        .act(u"236 and Enter"_s, [&] { enter(u"236"_s); })
        .await(u"the last page"_s, [&] { return at(last) && box->text() == QString::number(last + 1); })
        .act(u"0 and Enter"_s, [&] { enter(u"0"_s); })
        .await(u"the first page"_s, [&] { return at(0) && box->text() == u"1"_s; });
    QVERIFY2(s.run(), qPrintable(s.failure()));
}

QTEST_MAIN(TestPrintRound)
#include "tst_printround.moc"
