#include "platform/printsink.h"

#include "platform/database.h"
#include "platform/messages.h"
#include "platform/modelpages.h"
#include "platform/pagepainter.h"
#include "platform/progressonscreen.h"

#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <functional>

using namespace Qt::StringLiterals;

namespace kelm::report {

namespace {

std::unique_ptr<PrintSink> g_sink;

QPageLayout paperLayout(const PageSource &pages)
{
    return QPageLayout(QPageSize(pages.paper().paper), pages.paper().orientation, QMarginsF(0, 0, 0, 0));
}

enum class Painted { Done, Failed, Cancelled };

// Draws every page, one laid out at a time, on a device already set to the
// pages' paper.
Painted paintAll(QPagedPaintDevice &device, PageSource &pages, Progress &progress,
                 const std::function<bool()> &newPage)
{
    const int count = pages.pageCount();
    progress.stage(u"正在打印……"_s, count, true);
    QPainter painter;
    if (!painter.begin(&device))
        return Painted::Failed;
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !newPage()) {
            painter.end();
            return Painted::Failed;
        }
        paintPage(painter, pages.page(i), device.logicalDpiY());
        progress.advance(i + 1);
        if (progress.cancelled() && i + 1 < count) {
            painter.end();
            return Painted::Cancelled;
        }
    }
    return painter.end() ? Painted::Done : Painted::Failed;
}

} // namespace

PrintResult PrinterSink::print(PageSource &pages, Progress &progress)
{
    const QPrinterInfo info = m_printer ? *m_printer : QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return {u"没有默认打印机，无法打印。"_s};
    QPrinter printer(info, QPrinter::HighResolution);
    if (!printer.isValid())
        return {u"打印机 %1 不可用，无法打印。"_s.arg(info.printerName())};
    printer.setFullPage(true);
    printer.setDocName(pages.caption());
    printer.setPageLayout(paperLayout(pages));
    try {
        switch (paintAll(printer, pages, progress, [&] { return printer.newPage(); })) {
        case Painted::Cancelled: printer.abort(); return {{}, true};
        case Painted::Failed: return {u"打印失败：打印机 %1 没有接受打印任务。"_s.arg(info.printerName())};
        case Painted::Done: break;
        }
    } catch (const DbError &e) {
        printer.abort();
        return {e.message()};
    }
    if (printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted)
        return {u"打印失败：打印机 %1 没有接受打印任务。"_s.arg(info.printerName())};
    return {};
}

PrintResult PdfSink::print(PageSource &pages, Progress &progress) { return writePdf(pages, m_path, progress); }

PrintResult writePdf(PageSource &pages, const QString &path, Progress &progress)
{
    PrintResult result;
    {
        QPdfWriter writer(path);
        writer.setResolution(1200);
        writer.setTitle(pages.caption());
        writer.setCreator(u"Kelm"_s);
        writer.setPageLayout(paperLayout(pages));
        try {
            switch (paintAll(writer, pages, progress, [&] { return writer.newPage(); })) {
            case Painted::Cancelled: result.cancelled = true; break;
            case Painted::Failed: result.error = u"无法写入文件 %1。"_s.arg(path); break;
            case Painted::Done: break;
            }
        } catch (const DbError &e) {
            result.error = e.message();
        }
    }
    // An unfinished file is no print.
    if (!result.ok())
        QFile::remove(path);
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
