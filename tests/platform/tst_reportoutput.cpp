// The back ends of the report runtime: a PDF written through the print
// path and read back by an independent tool (poppler's pdftotext and
// pdfinfo), printing that asks for each page once and in order, a print
// system out of reach, a failing printer, a printer's queue that gets
// nothing of a cancelled print, a lookup of the printer that is not waited
// for, and the preview window:
// its print command, page movement and zoom. Needs fonts and a paint
// device, so it runs with a (headless) GUI.
#include "platform/pagedreport.h"
#include "platform/pageview.h"
#include "platform/printsink.h"
#include "platform/reportengine.h"
#include "platform/reportpreview.h"
#include "platform/rowsinmemory.h"
#include "platform/units.h"
#include "support/recordingprogress.h"
#include "support/ui/recordingprinter.h"
#include "support/ui/scriptedmessages.h"

#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <numeric>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::report;

namespace {

ReportLayout listLayout()
{
    ReportLayout r;
    r.name = u"test"_s;
    r.caption = u"单位查询列表"_s;
    r.page.orientation = QPageLayout::Landscape;
    r.reportHeader.height = 675;
    r.reportHeader.items = {label(5280, 120, u"单位查询列表"_s).size(21.75).bolded()};
    r.pageHeader.height = 450;
    r.pageHeader.items = {label(75, 120, u"案件编号"_s), label(1080, 120, u"单位名称"_s), line(30, 15, 6000, 15),
                          line(30, 450, 6000, 450).dotted()};
    r.detail.height = 345;
    r.detail.items = {field(75, 68, 915, u"dabh"_s), field(1080, 68, 2100, u"dwmc"_s).centred(),
                      line(30, 345, 6000, 345)};
    return r;
}

Rows listRows(int count)
{
    Rows rows;
    rows.columns = {u"dabh"_s, u"dwmc"_s};
    for (int i = 1; i <= count; ++i)
        rows.values.push_back({u"2002%1"_s.arg(i, 4, 10, QChar(u'0')), u"城关饭店%1"_s.arg(i)});
    return rows;
}

QString run(const QString &tool, const QStringList &args)
{
    const QString exe = QStandardPaths::findExecutable(tool);
    if (exe.isEmpty())
        return {};
    QProcess p;
    p.start(exe, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The pages of a list made on demand, recording which page is asked for.
class CountingPages : public PageSource {
public:
    explicit CountingPages(int rows)
        : m_rows(std::make_shared<RowsInMemory>(listRows(rows))),
          m_report(listLayout(), m_rows, *paginate(listLayout(), *m_rows))
    {
    }
    QString caption() const override { return m_report.caption(); }
    PageSetup paper() const override { return m_report.paper(); }
    int pageCount() const override { return m_report.pageCount(); }
    Page page(int n) override
    {
        asked.push_back(n);
        return m_report.page(n);
    }
    std::vector<int> asked;

private:
    std::shared_ptr<RowsInMemory> m_rows;
    PagedReport m_report;
};

// Stands in for a printer's queue: keeps the page count of each PDF handed
// to it, as the print system would receive it.
class RecordingQueue : public PrintQueue {
public:
    QString find() override { return notFound; }
    QString submit(const QString &path, const QString &title, const PageSetup &) override
    {
        const QString info = run(u"pdfinfo"_s, {path});
        const QRegularExpressionMatch pages = QRegularExpression(u"Pages:\\s+(\\d+)"_s).match(info);
        handed.append({title, pages.hasMatch() ? pages.captured(1).toInt() : -1});
        return refusal;
    }
    QList<std::pair<QString, int>> handed; // title, pages
    QString notFound;
    QString refusal;
};

// A queue whose lookup blocks, heedless of anything (as a name server that
// does not answer blocks the print system), until the test lets it go or a
// minute has passed; then it finds its printer.
class StuckQueue : public RecordingQueue {
public:
    QString find() override
    {
        std::unique_lock lock(m_mutex);
        m_released.wait_for(lock, std::chrono::minutes(1), [this] { return m_release; });
        m_ended = true;
        return {};
    }
    bool ended()
    {
        const std::lock_guard lock(m_mutex);
        return m_ended;
    }
    void release()
    {
        const std::lock_guard lock(m_mutex);
        m_release = true;
        m_released.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_released;
    bool m_ended = false;
    bool m_release = false;
};

} // namespace

class TestReportOutput : public QObject {
    Q_OBJECT
private slots:
    void init() { setPrintSink(nullptr); }
    void pdfReadBack();
    void pdfToAnUnwritablePlace();
    void printSystemOutOfReach();
    void failingPrinter();
    void printingAsksForEachPageOnce();
    void printingCancelled();
    void cancelledPrintReachesNoPrinter_data();
    void cancelledPrintReachesNoPrinter();
    void lookUpNotWaitedFor_data();
    void lookUpNotWaitedFor();
    void refusedPrint_data();
    void refusedPrint();
    void previewPrintsItsPages();
    void previewMovesBetweenPages();
    void previewPageBoxKeepsToItsPages_data();
    void previewPageBoxKeepsToItsPages();
    void previewZooms();
    void previewKeepsFewPages();
};

void TestReportOutput::pdfReadBack()
{
    if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
        QFAIL("pdftotext (poppler-utils) is needed: scripts/deps.sh installs it");
    auto &messages = test::ScriptedMessages::install();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"list.pdf"_s);
    Rows rows = listRows(40);
    rows.values[2][1] = u"一个名称长得超出了它的格子的单位"_s;
    const PageModel model = layoutReport(listLayout(), rows);
    QCOMPARE(model.pageCount(), 2);

    setPrintSink(std::make_unique<PdfSink>(pdf));
    QVERIFY(printPages(nullptr, model));
    QVERIFY(messages.shown.isEmpty());

    const QString info = run(u"pdfinfo"_s, {pdf});
    QVERIFY2(info.contains(QRegularExpression(u"Pages:\\s+2\\n"_s)), qPrintable(info));
    QVERIFY2(info.contains(QRegularExpression(u"Page size:\\s+842 x 595 pts \\(A4\\)"_s)), qPrintable(info));

    const QString text = run(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s});
    const QStringList pages = text.split(u'\f', Qt::SkipEmptyParts);
    QCOMPARE(pages.size(), 2);
    // Page one: the title, the heads, then the rows in order; the long name
    // whole, smaller in its 2100 twips.
    QStringList expected{u"单位查询列表"_s, u"案件编号"_s, u"单位名称"_s, u"20020001"_s, u"城关饭店1"_s,
                         u"20020002"_s, u"一个名称长得超出了它的格子的单位"_s, u"20020004"_s};
    qsizetype at = 0;
    for (const QString &t : expected) {
        const qsizetype found = pages[0].indexOf(t, at);
        QVERIFY2(found >= 0, qPrintable(t + u" after position "_s + QString::number(at) + u"\n"_s + pages[0]));
        at = found + t.size();
    }
    // Page two repeats the heads, not the title, and goes on with the rows.
    QVERIFY(!pages[1].contains(u"单位查询列表"_s));
    QVERIFY(pages[1].indexOf(u"案件编号"_s) < pages[1].indexOf(u"20020040"_s));
}

void TestReportOutput::pdfToAnUnwritablePlace()
{
    const PageModel model = layoutReport(listLayout(), listRows(1));
    const PrintResult r = writePdf(model, u"/nonexistent-folder/x.pdf"_s);
    QVERIFY(!r.ok());
}

// The default printer, with no print server to ask (its local socket is
// not there): said so, and no page is drawn.
void TestReportOutput::printSystemOutOfReach()
{
    auto &messages = test::ScriptedMessages::install();
    QTemporaryDir dir;
    const QByteArray server = qgetenv("CUPS_SERVER");
    qputenv("CUPS_SERVER", QFile::encodeName(dir.filePath(u"cups.sock"_s)));
    CountingPages pages(3);
    const bool printed = printPages(nullptr, pages);
    qputenv("CUPS_SERVER", server);
    QVERIFY(!printed);
    QVERIFY(pages.asked.empty());
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(messages.shown[0].title, u"错误"_s);
    QCOMPARE(messages.shown[0].text, u"打印失败：无法连接打印服务，打印任务没有送出。"_s);
}

void TestReportOutput::failingPrinter()
{
    auto &messages = test::ScriptedMessages::install();
    auto &printer = test::RecordingPrinter::install();
    printer.failure = u"打印失败：打印机 P 没有接受打印任务。"_s;
    QVERIFY(!printPages(nullptr, layoutReport(listLayout(), listRows(3))));
    QVERIFY(printer.printed.isEmpty());
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(messages.shown[0].title, u"错误"_s);
    QCOMPARE(messages.shown[0].text, printer.failure);
}

// A long list goes to the printer one page at a time, each page once, in
// order, and its progress counts up to the last page.
void TestReportOutput::printingAsksForEachPageOnce()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"list.pdf"_s);
    CountingPages pages(2000);
    QCOMPARE(pages.pageCount(), layoutReport(listLayout(), listRows(2000)).pageCount());
    test::RecordingProgress progress;
    QVERIFY(writePdf(pages, pdf, progress).ok());
    std::vector<int> every(std::size_t(pages.pageCount()));
    std::iota(every.begin(), every.end(), 0);
    QCOMPARE(pages.asked, every);
    QList<qint64> done;
    for (const auto &r : progress.reports) {
        QCOMPARE(r.steps, qint64(pages.pageCount()));
        done << r.done;
    }
    QVERIFY(std::is_sorted(done.begin(), done.end()));
    QCOMPARE(done.last(), qint64(pages.pageCount()));
    if (!QStandardPaths::findExecutable(u"pdfinfo"_s).isEmpty()) {
        const QString info = run(u"pdfinfo"_s, {pdf});
        QVERIFY2(info.contains(QRegularExpression(u"Pages:\\s+%1\\n"_s.arg(pages.pageCount()))), qPrintable(info));
    }
}

// 取消 in the print's progress stops it: no further page is laid out, and
// the unfinished file is not left behind as if printed.
void TestReportOutput::printingCancelled()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"list.pdf"_s);
    CountingPages pages(2000);
    test::RecordingProgress progress;
    progress.cancelAfter = 5;
    const PrintResult r = writePdf(pages, pdf, progress);
    QVERIFY(r.cancelled);
    QVERIFY(!r.ok());
    QCOMPARE(pages.asked, (std::vector<int>{0, 1, 2, 3, 4}));
    QVERIFY(!QFile::exists(pdf));
}

// 取消 at any moment of a print, from the lookup of the printer to the
// last page and the switch to the hand-off, hands nothing to the printer's
// queue and leaves no spool file; a print left alone goes to the queue
// once, whole. After 取消 the window never says that the print is being
// sent.
void TestReportOutput::cancelledPrintReachesNoPrinter_data()
{
    QTest::addColumn<QString>("inStage");
    QTest::addColumn<int>("cancelAfter");
    QTest::addColumn<int>("drawn"); // -1: every page
    QTest::addColumn<bool>("handed");
    const int count = CountingPages(200).pageCount();
    QTest::newRow("not cancelled") << QString() << 0 << -1 << true;
    QTest::newRow("while the printer is looked up") << u"正在查找打印机"_s << 0 << 0 << false;
    QTest::newRow("first page") << QString() << 1 << 1 << false;
    QTest::newRow("middle") << QString() << count / 2 << count / 2 << false;
    QTest::newRow("last page") << QString() << count << count << false;
    // A 取消 that the window took while the stage changed to the hand-off.
    QTest::newRow("as the hand-off begins") << u"正在送往打印机"_s << 0 << -1 << false;
}

void TestReportOutput::cancelledPrintReachesNoPrinter()
{
    QFETCH(QString, inStage);
    QFETCH(int, cancelAfter);
    QFETCH(int, drawn);
    QFETCH(bool, handed);
    if (QStandardPaths::findExecutable(u"pdfinfo"_s).isEmpty())
        QFAIL("pdfinfo (poppler-utils) is needed: scripts/deps.sh installs it");
    QTemporaryDir spool;
    const QByteArray tmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(spool.path()));
    auto queue = std::make_shared<RecordingQueue>();
    CountingPages pages(200);
    test::RecordingProgress progress;
    progress.cancelInStage = inStage;
    progress.cancelAfter = cancelAfter;
    const PrintResult r = PrinterSink(queue).print(pages, progress);
    qputenv("TMPDIR", tmp);

    QCOMPARE(r.ok(), handed);
    QCOMPARE(r.cancelled, !handed);
    QVERIFY(r.error.isEmpty());
    if (handed)
        QCOMPARE(queue->handed, (QList<std::pair<QString, int>>{{pages.caption(), pages.pageCount()}}));
    else
        QVERIFY(queue->handed.isEmpty());
    QCOMPARE(int(pages.asked.size()), drawn < 0 ? pages.pageCount() : drawn);
    QVERIFY(QDir(spool.path()).isEmpty());
    const bool sending = std::any_of(progress.reports.cbegin(), progress.reports.cend(),
                                     [](const auto &report) { return report.stage.startsWith(u"正在送往"_s); });
    QCOMPARE(sending, handed || inStage.startsWith(u"正在送往"_s));
}

// A lookup of the printer that does not end is not waited for: 取消 ends
// the print at once, and without it the print is given up in time; either
// way no page is drawn and nothing reaches the queue once the lookup ends.
// (The lookup here ends by itself after a few seconds, so a print that
// waited for it would go out.)
void TestReportOutput::lookUpNotWaitedFor_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<int>("limitMs");
    QTest::addColumn<QString>("error");
    QTest::newRow("取消") << true << handOffLimitMs << QString();
    QTest::newRow("no answer in time") << false << 1000
                                       << u"打印失败：打印服务在 1 秒内没有回答，打印任务没有送出。"_s;
}

void TestReportOutput::lookUpNotWaitedFor()
{
    QFETCH(bool, cancel);
    QFETCH(int, limitMs);
    QFETCH(QString, error);
    auto queue = std::make_shared<StuckQueue>();
    CountingPages pages(20);
    test::RecordingProgress progress;
    if (cancel)
        progress.cancelInStage = u"正在查找打印机"_s;
    const PrintResult r = PrinterSink(queue, limitMs).print(pages, progress);
    const bool lookUpEnded = queue->ended();
    queue->release();
    QVERIFY(!lookUpEnded);
    QCOMPARE(r.cancelled, cancel);
    QCOMPARE(r.error, error);
    QVERIFY(pages.asked.empty());
    QVERIFY(queue->handed.isEmpty());
}

// A print system that finds no printer, or refuses the job: the reason is
// shown and nothing counts as printed; a printer not found gets no page
// drawn.
void TestReportOutput::refusedPrint_data()
{
    QTest::addColumn<QString>("notFound");
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<int>("drawn");
    QTest::newRow("printer not found") << u"打印失败：没有设置默认打印机，打印任务没有送出。"_s << QString() << 0;
    QTest::newRow("job refused") << QString()
                                 << u"打印失败：打印机 P 已停用，不接受打印任务，打印任务没有送出。"_s << 1;
}

void TestReportOutput::refusedPrint()
{
    QFETCH(QString, notFound);
    QFETCH(QString, refusal);
    QFETCH(int, drawn);
    auto &messages = test::ScriptedMessages::install();
    auto queue = std::make_shared<RecordingQueue>();
    queue->notFound = notFound;
    queue->refusal = refusal;
    setPrintSink(std::make_unique<PrinterSink>(queue));
    CountingPages pages(3);
    QVERIFY(!printPages(nullptr, pages));
    QCOMPARE(int(pages.asked.size()), drawn);
    QCOMPARE(queue->handed.size(), drawn);
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(messages.shown[0].title, u"错误"_s);
    QCOMPARE(messages.shown[0].text, notFound + refusal);
}

void TestReportOutput::previewPrintsItsPages()
{
    auto &messages = test::ScriptedMessages::install();
    auto &printer = test::RecordingPrinter::install();
    ReportPreview preview(layoutReport(listLayout(), listRows(40)));
    preview.show();
    QCOMPARE(preview.windowTitle(), u"单位查询列表打印预演"_s);

    printer.failure = u"打印失败"_s;
    preview.printButton()->click();
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(messages.shown[0].title, u"错误"_s);
    QVERIFY(preview.isVisible());

    printer.failure.clear();
    preview.printButton()->click();
    QCOMPARE(printer.printed.size(), 1);
    QCOMPARE(printer.printed[0].pageCount(), 2);
    QCOMPARE(printer.printed[0].texts(0), pageTexts(preview.pages().page(0)));
    QCOMPARE(messages.shown.size(), 1);
    QVERIFY(preview.isVisible());
}

// First, previous, next and last page, and a page number typed into its
// box; the buttons that would lead nowhere are off.
void TestReportOutput::previewMovesBetweenPages()
{
    ReportPreview preview(std::make_unique<CountingPages>(200));
    preview.resize(900, 700);
    preview.show();
    const int last = preview.pages().pageCount() - 1;
    QVERIFY(last >= 5);
    auto at = [&] { return preview.view()->currentPage(); };
    auto buttonsOn = [&] {
        return QList<bool>{preview.firstButton()->isEnabled(), preview.previousButton()->isEnabled(),
                           preview.nextButton()->isEnabled(), preview.lastButton()->isEnabled()};
    };
    QCOMPARE(at(), 0);
    QCOMPARE(preview.pageBox()->value(), 1);
    QCOMPARE(buttonsOn(), (QList<bool>{false, false, true, true}));
    preview.nextButton()->click();
    preview.nextButton()->click();
    QCOMPARE(at(), 2);
    QCOMPARE(preview.pageBox()->value(), 3);
    preview.previousButton()->click();
    QCOMPARE(at(), 1);
    preview.lastButton()->click();
    QCOMPARE(at(), last);
    QCOMPARE(preview.pageBox()->value(), last + 1);
    QCOMPARE(buttonsOn(), (QList<bool>{true, true, false, false}));
    preview.firstButton()->click();
    QCOMPARE(at(), 0);
    preview.pageBox()->setValue(6);
    QCOMPARE(at(), 5);
    QCOMPARE(buttonsOn(), (QList<bool>{true, true, true, true}));
    // Scrolling moves the current page too.
    preview.view()->verticalScrollBar()->setValue(0);
    QCOMPARE(at(), 0);
    QCOMPARE(preview.pageBox()->value(), 1);
    QCOMPARE(preview.pageBox()->accessibleName(), u"页码"_s);
    QCOMPARE(preview.zoomBox()->accessibleName(), u"显示比例"_s);
}

// A page number typed and entered: one past the last page goes to the
// last page, 0 or less to the first.
void TestReportOutput::previewPageBoxKeepsToItsPages_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("page"); // -1: the last
    QTest::newRow("a page") << u"4"_s << 3;
    QTest::newRow("the last page") << u"%1"_s.arg(CountingPages(200).pageCount()) << -1;
    QTest::newRow("one past the last") << u"%1"_s.arg(CountingPages(200).pageCount() + 1) << -1;
    QTest::newRow("far past the last") << u"236"_s << -1;
    QTest::newRow("longer than any number") << u"99999999999999999999"_s << -1;
    QTest::newRow("zero") << u"0"_s << 0;
    QTest::newRow("below zero") << u"-3"_s << 0;
}

void TestReportOutput::previewPageBoxKeepsToItsPages()
{
    QFETCH(QString, typed);
    QFETCH(int, page);
    ReportPreview preview(std::make_unique<CountingPages>(200));
    preview.resize(900, 700);
    preview.show();
    const int last = preview.pages().pageCount() - 1;
    QVERIFY(last > 5 && last < 235);
    preview.pageBox()->setValue(3);
    QCOMPARE(preview.view()->currentPage(), 2);
    preview.pageBox()->setFocus();
    preview.pageBox()->selectAll();
    QTest::keyClicks(preview.pageBox(), typed);
    QTest::keyClick(preview.pageBox(), Qt::Key_Return);
    const int expected = page < 0 ? last : page;
    QCOMPARE(preview.view()->currentPage(), expected);
    QCOMPARE(preview.pageBox()->value(), expected + 1);
    QCOMPARE(preview.pageBox()->text(), QString::number(expected + 1));
}

// 整页 shows a whole page in the window, 页宽 its width, a percentage that
// share of its size; the page shown stays the page shown.
void TestReportOutput::previewZooms()
{
    ReportPreview preview(std::make_unique<CountingPages>(200));
    preview.resize(900, 700);
    preview.show();
    PageView *view = preview.view();
    const QSize page(px(paperWidth(preview.pages().paper())), px(paperHeight(preview.pages().paper())));
    QCOMPARE(view->zoom(), 1.0);
    preview.pageBox()->setValue(4);

    preview.zoomBox()->textActivated(u"整页"_s);
    QCOMPARE(view->fit(), PageView::Fit::WholePage);
    QVERIFY(page.width() * view->zoom() <= view->viewport()->width());
    QVERIFY(page.height() * view->zoom() <= view->viewport()->height());
    QVERIFY(page.height() * view->zoom() > view->viewport()->height() - 30
            || page.width() * view->zoom() > view->viewport()->width() - 30);
    QCOMPARE(view->currentPage(), 3);

    preview.zoomBox()->textActivated(u"页宽"_s);
    QVERIFY(std::abs(page.width() * view->zoom() - (view->viewport()->width() - 24)) < 2);
    QCOMPARE(view->currentPage(), 3);

    preview.zoomBox()->setCurrentText(u"150"_s);
    emit preview.zoomBox()->lineEdit()->returnPressed();
    QCOMPARE(view->zoom(), 1.5);
    QCOMPARE(preview.zoomBox()->currentText(), u"150%"_s);
    QCOMPARE(view->fit(), PageView::Fit::None);
    QCOMPARE(view->currentPage(), 3);

    preview.zoomBox()->setCurrentText(u"不是数字"_s);
    emit preview.zoomBox()->lineEdit()->returnPressed();
    QCOMPARE(view->zoom(), 1.5);
    QCOMPARE(preview.zoomBox()->currentText(), u"150%"_s);

    // The arrow keys go through the list from the zoom shown.
    QTest::keyClick(preview.zoomBox(), Qt::Key_Down);
    QCOMPARE(view->zoom(), 2.0);
    QTest::keyClick(preview.zoomBox(), Qt::Key_Up);
    QTest::keyClick(preview.zoomBox(), Qt::Key_Up);
    QCOMPARE(view->zoom(), 1.0);
    preview.zoomBox()->setCurrentText(u"120%"_s);
    emit preview.zoomBox()->lineEdit()->returnPressed();
    QCOMPARE(view->zoom(), 1.2);
}

// Paging through a long list keeps only the last few pages laid out.
void TestReportOutput::previewKeepsFewPages()
{
    auto owned = std::make_unique<CountingPages>(2000);
    CountingPages &pages = *owned;
    ReportPreview preview(std::move(owned));
    preview.resize(900, 700);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    for (int n = 0; n < pages.pageCount(); n += 3) {
        preview.pageBox()->setValue(n + 1);
        preview.view()->viewport()->repaint();
    }
    QVERIFY(preview.view()->keptPageCount() <= PageView::keptPages);
    QVERIFY2(pages.asked.size() >= std::size_t(pages.pageCount() / 3), qPrintable(u"%1 of %2"_s.arg(pages.asked.size()).arg(pages.pageCount())));
}

QTEST_MAIN(TestReportOutput)
#include "tst_reportoutput.moc"
