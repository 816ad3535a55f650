#include "platform/printsink.h"

#include "platform/database.h"
#include "platform/messages.h"
#include "platform/modelpages.h"
#include "platform/pagepainter.h"
#include "platform/progressonscreen.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryFile>

using namespace Qt::StringLiterals;

namespace kelm::report {

namespace {

std::unique_ptr<PrintSink> g_sink;

QPageLayout paperLayout(const PageSource &pages)
{
    return QPageLayout(QPageSize(pages.paper().paper), pages.paper().orientation, QMarginsF(0, 0, 0, 0));
}

// Draws every page, one laid out at a time, as a PDF at the printer's
// resolution into an open device. 取消 is heeded after each page, the last
// one included, so a cancel at any moment leaves no finished document.
PrintResult drawPdf(QFileDevice &out, PageSource &pages, Progress &progress, const QString &failure)
{
    QPdfWriter writer(&out);
    writer.setResolution(1200);
    writer.setTitle(pages.caption());
    writer.setCreator(u"Kelm"_s);
    writer.setPageLayout(paperLayout(pages));
    const int count = pages.pageCount();
    progress.stage(u"正在打印……"_s, count, true);
    QPainter painter;
    if (!painter.begin(&writer))
        return {failure};
    try {
        for (int i = 0; i < count; ++i) {
            if (i > 0 && !writer.newPage())
                return {failure};
            paintPage(painter, pages.page(i), writer.logicalDpiY());
            progress.advance(i + 1);
            if (progress.cancelled())
                return {{}, true};
        }
    } catch (const DbError &e) {
        return {e.message()};
    }
    if (!painter.end() || out.error() != QFileDevice::NoError)
        return {failure};
    return {};
}

} // namespace

PrintResult PrinterSink::print(PageSource &pages, Progress &progress)
{
    std::shared_ptr<PrintQueue> queue = m_queue;
    if (!queue) {
        const QPrinterInfo info = m_printer ? *m_printer : QPrinterInfo::defaultPrinter();
        if (info.isNull())
            return {u"没有默认打印机，无法打印。"_s};
        if (!QPrinter(info, QPrinter::HighResolution).isValid())
            return {u"打印机 %1 不可用，无法打印。"_s.arg(info.printerName())};
        queue = systemQueue(info);
    }
    QTemporaryFile spool(QDir::tempPath() + u"/kelm-XXXXXX.pdf"_s);
    const QString failure = u"打印失败：无法写入临时文件 %1。"_s.arg(spool.fileTemplate());
    if (!spool.open())
        return {failure};
    const PrintResult drawn = drawPdf(spool, pages, progress, failure);
    if (!drawn.ok())
        return drawn;
    if (!spool.flush())
        return {failure};
    progress.stage(u"正在送往打印机……"_s, 0, false);
    return {queue->submit(spool.fileName(), pages.caption(), pages.paper())};
}

PrintResult PdfSink::print(PageSource &pages, Progress &progress) { return writePdf(pages, m_path, progress); }

PrintResult writePdf(PageSource &pages, const QString &path, Progress &progress)
{
    const QString failure = u"无法写入文件 %1。"_s.arg(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {failure};
    const PrintResult result = drawPdf(file, pages, progress, failure);
    file.close();
    // An unfinished file is no print.
    if (!result.ok())
        file.remove();
    return result;
}

PrintResult writePdf(const PageModel &model, const QString &path)
{
    ModelPages pages(model);
    return writePdf(pages, path);
}

PrintSink &printSink()
{
    if (!g_sink)
        g_sink = std::make_unique<PrinterSink>();
    return *g_sink;
}

void setPrintSink(std::unique_ptr<PrintSink> sink) { g_sink = std::move(sink); }

bool printPages(QWidget *parent, PageSource &pages)
{
    PrintResult result;
    {
        ProgressOnScreen progress(parent, pages.caption() + u"打印"_s);
        result = printSink().print(pages, progress);
    }
    if (!result.error.isEmpty())
        showError(parent, result.error);
    return result.ok();
}

bool printPages(QWidget *parent, const PageModel &model)
{
    ModelPages pages(model);
    return printPages(parent, pages);
}

} // namespace kelm::report
