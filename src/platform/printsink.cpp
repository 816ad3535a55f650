#include "platform/printsink.h"

#include "platform/messages.h"
#include "platform/pagepainter.h"

#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <functional>

using namespace Qt::StringLiterals;

namespace kelm::report {

namespace {

std::unique_ptr<PrintSink> g_sink;

QPageLayout paperLayout(const PageModel &model)
{
    return QPageLayout(QPageSize(model.page.paper), model.page.orientation, QMarginsF(0, 0, 0, 0));
}

// Draws every page on a device already set to the model's paper.
bool paintAll(QPagedPaintDevice &device, const PageModel &model, const std::function<bool()> &newPage)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (int i = 0; i < model.pageCount(); ++i) {
        if (i > 0 && !newPage()) {
            painter.end();
            return false;
        }
        paintPage(painter, model.pages[std::size_t(i)], device.logicalDpiY());
    }
    return painter.end();
}

} // namespace

PrintResult PrinterSink::print(const PageModel &model)
{
    const QPrinterInfo info = m_printer ? *m_printer : QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return {u"没有默认打印机，无法打印。"_s};
    QPrinter printer(info, QPrinter::HighResolution);
    if (!printer.isValid())
        return {u"打印机 %1 不可用，无法打印。"_s.arg(info.printerName())};
    printer.setFullPage(true);
    printer.setDocName(model.caption);
    printer.setPageLayout(paperLayout(model));
    const bool painted = paintAll(printer, model, [&] { return printer.newPage(); });
    if (!painted || printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted)
        return {u"打印失败：打印机 %1 没有接受打印任务。"_s.arg(info.printerName())};
    return {};
}

PrintResult PdfSink::print(const PageModel &model) { return writePdf(model, m_path); }

PrintResult writePdf(const PageModel &model, const QString &path)
{
    QPdfWriter writer(path);
    writer.setResolution(1200);
    writer.setTitle(model.caption);
    writer.setCreator(u"Kelm"_s);
    writer.setPageLayout(paperLayout(model));
    if (!paintAll(writer, model, [&] { return writer.newPage(); }))
        return {u"无法写入文件 %1。"_s.arg(path)};
    return {};
}

PrintSink &printSink()
{
    if (!g_sink)
        g_sink = std::make_unique<PrinterSink>();
    return *g_sink;
}

void setPrintSink(std::unique_ptr<PrintSink> sink) { g_sink = std::move(sink); }

bool printPages(QWidget *parent, const PageModel &model)
{
    const PrintResult result = printSink().print(model);
    if (!result.ok())
        showError(parent, result.error);
    return result.ok();
}

} // namespace kelm::report
