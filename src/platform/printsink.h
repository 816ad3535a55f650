// Where printed pages go. The program prints on the default printer
// through one replaceable sink, so tests read what was printed; a PDF sink
// writes the same drawing to a file.
#pragma once

#include "platform/pagemodel.h"

#include <QPrinterInfo>
#include <QString>
#include <memory>
#include <optional>

class QWidget;

namespace kelm::report {

// Empty error: printed.
struct PrintResult {
    QString error;
    bool ok() const { return error.isEmpty(); }
};

class PrintSink {
public:
    virtual ~PrintSink() = default;
    virtual PrintResult print(const PageModel &model) = 0;
};

// A printer at high resolution, full page, every page, no dialog: the
// default printer as it is at each print, or a given one. A null printer
// (no default printer) prints nothing and says so.
class PrinterSink : public PrintSink {
public:
    PrinterSink() = default;
    explicit PrinterSink(const QPrinterInfo &printer) : m_printer(printer) { }
    PrintResult print(const PageModel &model) override;

private:
    std::optional<QPrinterInfo> m_printer;
};

// Writes each print to one PDF file (replacing it).
class PdfSink : public PrintSink {
public:
    explicit PdfSink(const QString &path) : m_path(path) { }
    PrintResult print(const PageModel &model) override;

private:
    QString m_path;
};

PrintResult writePdf(const PageModel &model, const QString &path);

// The sink in use; by default the default printer, looked up at each print.
PrintSink &printSink();
// Replaces the sink (tests); nullptr returns to the default printer.
void setPrintSink(std::unique_ptr<PrintSink> sink);

// Prints every page through the sink. A failure, no default printer
// included, shows "错误" with the reason; returns whether it printed.
bool printPages(QWidget *parent, const PageModel &model);

} // namespace kelm::report
