// Printing a long list from its preview on the real event path: a real
// click on 取消 in the print's progress window closes it and hands nothing
// to the printer's queue, while a print left alone reaches it whole; 取消
// in the moment the last page is drawn still counts, and one once the
// print is being handed to the print system is refused in words; a screen
// reader is answered at once while the pages are drawn; a page number
// typed into the page box and entered with the keyboard goes to that page,
// past the last to the last, 0 to the first.
#include "e2e/support/realinput.h"
#include "e2e/support/screen.h"
#include "e2e/support/screenreaderprobe.h"
#include "e2e/support/userscript.h"
#include "platform/pagedreport.h"
#include "platform/pageview.h"
#include "platform/printsink.h"
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

#include <atomic>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::report;
using namespace kelm::test;

namespace {

// Counts the prints handed to it; takes its time over each, as a print
// server may.
class CountingQueue : public PrintQueue {
public:
    explicit CountingQueue(int takesMs = 0) : m_takesMs(takesMs) { }
    QString printerName() const override { return u"P"_s; }
    QString submit(const QString &, const QString &, const PageSetup &) override
    {
        QThread::msleep(ulong(m_takesMs));
        ++handed;
        return {};
    }
    std::atomic<int> handed = 0;

private:
    int m_takesMs;
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

// The pages of a long list, each taking a moment; while the last one is
// drawn the user clicks 取消, and the click has reached the program before
// the page is done.
class CancelAtLastPage : public PageSource {
public:
    explicit CancelAtLastPage(std::unique_ptr<PageSource> pages) : m_pages(std::move(pages)) { }
    QString caption() const override { return m_pages->caption(); }
    PageSetup paper() const override { return m_pages->paper(); }
    int pageCount() const override { return m_pages->pageCount(); }
    Page page(int n) override
    {
        QThread::msleep(10);
        if (n == pageCount() - 1 && progressWindow()) {
            clickedAt = progressWindow()->bar()->value();
            real::click(progressWindow()->cancelButton());
            QThread::msleep(300);
        }
        return m_pages->page(n);
    }
    int clickedAt = -1;

private:
    std::unique_ptr<PageSource> m_pages;
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
    void cancelAtTheLastPageSendsNothing();
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

void TestPrintRound::cancelAtTheLastPageSendsNothing()
{
    auto queue = std::make_shared<CountingQueue>();
    setPrintSink(std::make_unique<PrinterSink>(queue));
    auto owned = std::make_unique<CancelAtLastPage>(longList(6000));
    CancelAtLastPage &pages = *owned;
    ReportPreview preview(std::move(owned));
    showActive(preview);
    UserScript s;
    clickPrint(s, preview);
    s.await(u"the progress window is printing"_s, [] { return progressWindow() != nullptr; }, 15000)
        .await(u"the print has ended"_s, [] { return !progressWindow(); }, 60000)
        .holds(u"no message, nothing printed"_s, [&] { return !anyMessage() && queue->handed == 0; });
    QVERIFY2(s.run(), qPrintable(s.failure()));
    // The window still showed the drawing, not yet the hand-off.
    QVERIFY2(pages.clickedAt > 900, qPrintable(QString::number(pages.clickedAt)));
    QCOMPARE(queue->handed, 0);
    setPrintSink(nullptr);
}

void TestPrintRound::cancelDuringHandOffIsRefusedInWords()
{
    const QString refused = u"已送往打印机，不能取消"_s;
    auto queue = std::make_shared<CountingQueue>(2500);
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
        .await(u"once handed over, a message says it again"_s,
               [&] { return !progressWindow() && shownMessage(refused + u"。"_s); })
        .holds(u"the print went out once"_s, [&] { return queue->handed == 1; }, 100)
        .act(u"确定"_s, [&] { real::click(messageButton(shownMessage(refused + u"。"_s), u"确定"_s)); })
        .await(u"the preview is active again"_s, [] { return isActive(u"preview"_s) && !anyMessage(); });
    QVERIFY2(s.run(), qPrintable(s.failure()));
    QCOMPARE(queue->handed, 1);
    setPrintSink(nullptr);
}

// Between two pages of a long print the program takes the events waiting
// for it, so a screen reader waits no longer than a page takes to draw
// (before, it waited for each refresh of the progress window).
void TestPrintRound::screenReaderAnsweredWhilePrinting()
{
    auto queue = std::make_shared<CountingQueue>();
    setPrintSink(std::make_unique<PrinterSink>(queue));
    ReportPreview preview(longList(100000));
    showActive(preview);
    ScreenReaderProbe probe;
    UserScript s;
    clickPrint(s, preview);
    s.await(u"the progress window is printing"_s, drawing, 15000)
        .act(u"a screen reader asks"_s, [&] { probe.start(); })
        .holds(u"the print goes on"_s, [] { return progressWindow() != nullptr; }, 2000)
        .act(u"取消"_s, [&] {
            probe.stop();
            real::click(progressWindow()->cancelButton());
        })
        .await(u"the progress window has closed"_s, [] { return !progressWindow(); }, 15000);
    QVERIFY2(s.run(), qPrintable(s.failure()));
    QVERIFY2(probe.waits().size() > 30, qPrintable(probe.summary()));
    QVERIFY2(probe.within(0.9) < 50, qPrintable(probe.summary()));
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
