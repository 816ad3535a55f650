// The print system's queue of one printer, which takes a finished print as
// a PDF file. The printer engine of the platform sends its job when its
// painter ends and has no way to take it back (aborting it does nothing),
// so a print is drawn whole into a file first and only a finished one is
// handed to the queue: 取消 or a failure on the way sends nothing.
#pragma once

#include "platform/reportlayout.h"

#include <QPrinterInfo>
#include <QString>
#include <memory>

namespace kelm::report {

class PrintQueue {
public:
    virtual ~PrintQueue() = default;
    virtual QString printerName() const = 0;
    // Hands the finished PDF at path to the printer as one job with this
    // title, on the paper it was drawn for. Returns why the print system
    // refused it; empty when the job was taken.
    virtual QString submit(const QString &path, const QString &title, const PageSetup &paper) = 0;
};

// The queue of a printer of the print system (CUPS).
std::unique_ptr<PrintQueue> systemQueue(const QPrinterInfo &printer);

} // namespace kelm::report
