// Where printed pages go. The program prints on the default printer
// through one replaceable sink, so tests read what was printed; a PDF sink
// writes the same drawing to a file. A sink asks for one page at a time and
// draws it before it asks for the next, so no report is ever held whole.
#pragma once

#include "platform/pagemodel.h"
#include "platform/pagesource.h"
#include "platform/printqueue.h"
#include "platform/progress.h"

#include <QPrinterInfo>
#include <QString>
#include <memory>
#include <optional>

class QWidget;

namespace kelm::report {

// Empty error and not cancelled: printed.
struct PrintResult {
    QString error;
    bool cancelled = false;
    bool ok() const { return error.isEmpty() && !cancelled; }
};

class PrintSink {
public:
    virtual ~PrintSink() = default;
    // Prints every page in order, reporting each; a cancel, up to the
    // last page drawn, stops it and nothing is printed.
    virtual PrintResult print(PageSource &pages, Progress &progress) = 0;
};

// A printer at high resolution, full page, every page, no dialog: the
// default printer as it is at each print, or a given one. A null printer
// (no default printer) prints nothing and says so. The pages are drawn
// into a spool file, which goes to the printer's queue only when every
// page is drawn and nobody cancelled.
class PrinterSink : public PrintSink {
public:
    PrinterSink() = default;
    explicit PrinterSink(const QPrinterInfo &printer) : m_printer(printer) { }
    // Hands finished prints to this queue in place of a printer's (tests).
    explicit PrinterSink(std::shared_ptr<PrintQueue> queue) : m_queue(std::move(queue)) { }
    PrintResult print(PageSource &pages, Progress &progress) override;

private:
    std::optional<QPrinterInfo> m_printer;
    std::shared_ptr<PrintQueue> m_queue;
};

// Writes each print to one PDF file (replacing it).
class PdfSink : public PrintSink {
public:
    explicit PdfSink(const QString &path) : m_path(path) { }
    PrintResult print(PageSource &pages, Progress &progress) override;

private:
    QString m_path;
};

PrintResult writePdf(PageSource &pages, const QString &path, Progress &progress = noProgress());
PrintResult writePdf(const PageModel &model, const QString &path);

// The sink in use; by default the default printer, looked up at each print.
PrintSink &printSink();
// Replaces the sink (tests); nullptr returns to the default printer.
void setPrintSink(std::unique_ptr<PrintSink> sink);

// Prints every page through the sink, with a progress window and 取消
// when it takes longer than a moment. A failure, no default printer
// included, shows "错误" with the reason; returns whether it printed.
bool printPages(QWidget *parent, PageSource &pages);
bool printPages(QWidget *parent, const PageModel &model);

} // namespace kelm::report
