// Where printed pages go. The program prints on the default printer
// through one replaceable sink, so tests read what was printed; a PDF sink
// writes the same drawing to a file. A sink asks for one page at a time and
// draws it before it asks for the next, so no report is ever held whole.
#pragma once

#include "platform/pagemodel.h"
#include "platform/pagesource.h"
#include "platform/printqueue.h"
#include "platform/progress.h"

#include <QString>
#include <memory>

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
// user's default destination as the print system finds it at each print,
// or a given queue. The destination is looked up before any page is drawn;
// the pages are drawn into a spool file, which goes to the queue only when
// every page is drawn and nobody cancelled. Both talks with the print
// system run on threads of their own while the windows go on answering.
class PrinterSink : public PrintSink {
public:
    PrinterSink() = default;
    // Hands finished prints to this queue (tests); a lookup that has not
    // ended after lookUpLimitMs is given up.
    explicit PrinterSink(std::shared_ptr<PrintQueue> queue, int lookUpLimitMs = handOffLimitMs)
        : m_queue(std::move(queue)), m_lookUpLimitMs(lookUpLimitMs)
    {
    }
    PrintResult print(PageSource &pages, Progress &progress) override;

private:
    std::shared_ptr<PrintQueue> m_queue;
    int m_lookUpLimitMs = handOffLimitMs;
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
// 取消 once the print is being handed over is answered in words, and once
// it has gone out the user is told so.
bool printPages(QWidget *parent, PageSource &pages);
bool printPages(QWidget *parent, const PageModel &model);

} // namespace kelm::report
