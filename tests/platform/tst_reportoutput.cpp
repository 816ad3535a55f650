// The back ends of the report runtime: a PDF written through the print
// path and read back by an independent tool (poppler's pdftotext and
// pdfinfo), the path without a default printer, a failing printer, and the
// preview window's print command. Needs fonts and a paint device, so it
// runs with a (headless) GUI.
#include "platform/printsink.h"
#include "platform/reportengine.h"
#include "platform/reportpreview.h"
#include "support/recordingprinter.h"
#include "support/scriptedmessages.h"

#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

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

} // namespace

class TestReportOutput : public QObject {
    Q_OBJECT
private slots:
    void init() { setPrintSink(nullptr); }
    void pdfReadBack();
    void pdfToAnUnwritablePlace();
    void noDefaultPrinter();
    void failingPrinter();
    void previewPrintsItsPages();
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

void TestReportOutput::noDefaultPrinter()
{
    auto &messages = test::ScriptedMessages::install();
    setPrintSink(std::make_unique<PrinterSink>(QPrinterInfo()));
    QVERIFY(!printPages(nullptr, layoutReport(listLayout(), listRows(3))));
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(messages.shown[0].title, u"错误"_s);
    QCOMPARE(messages.shown[0].text, u"没有默认打印机，无法打印。"_s);
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
    QCOMPARE(printer.printed[0].texts(0), preview.model().texts(0));
    QCOMPARE(messages.shown.size(), 1);
    QVERIFY(preview.isVisible());
}

QTEST_MAIN(TestReportOutput)
#include "tst_reportoutput.moc"
