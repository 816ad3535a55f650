// The print system's queue of one printer, which takes a finished print as
// a PDF file. The printer engine of the platform sends its job when its
// painter ends and has no way to take it back (aborting it does nothing),
// so a print is drawn whole into a file first and only a finished one is
// handed to the queue: 取消 or a failure on the way sends nothing.
#pragma once

#include "platform/reportlayout.h"

#include <QString>
#include <memory>

namespace kelm::report {

class PrintQueue {
public:
    virtual ~PrintQueue() = default;
    virtual QString printerName() const = 0;
    // Hands the finished PDF at path to the printer as one job with this
    // title, on the paper it was drawn for. Returns why the print system
    // refused it, in words; empty when the job was taken. Runs on a thread
    // of its own, so it must not touch the program's windows, and gives up
    // on a server that does not answer.
    virtual QString submit(const QString &path, const QString &title, const PageSetup &paper) = 0;
};

// A print server that answers nothing is given up after this long.
inline constexpr int handOffLimitMs = 30000;

// The queue of a destination of the print system (CUPS), "printer" or
// "printer/instance". A job carries the options the user saved for that
// destination, as the print system's own commands send them, with the
// paper and orientation of the pages in place of the saved ones.
std::unique_ptr<PrintQueue> systemQueue(const QString &destination, int limitMs = handOffLimitMs);

} // namespace kelm::report
