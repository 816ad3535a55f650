// The print system's queue of one destination, which takes a finished print
// as a PDF file. The printer engine of the platform sends its job when its
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
    // Finds where the print goes, before any page is drawn. Returns why
    // nothing can be printed there, in words; empty when a print can go.
    // Runs on a thread of its own, so it must not touch the program's
    // windows, and gives up on a server that does not answer. After 取消
    // nobody waits for its answer, and it ends by itself.
    virtual QString find() { return {}; }
    // Hands the finished PDF at path to the destination found as one job
    // with this title, on the paper it was drawn for. Returns why the print
    // system refused it, in words; empty when the job was taken. Runs on a
    // thread of its own, and gives up on a server that does not answer.
    virtual QString submit(const QString &path, const QString &title, const PageSetup &paper) = 0;
};

// A print server that answers nothing is given up after this long.
inline constexpr int handOffLimitMs = 30000;

// What a print that the server left unanswered for limitMs says.
QString serverSilent(int limitMs);

// The queue of the user's default destination of the print system (CUPS),
// found as the print system's own commands find it: LPDEST, then PRINTER,
// then the user's and the system's saved default (lpoptions), then the
// server's; a printer or a printer's instance. A job carries the options
// saved for that destination, with the paper and orientation of the pages
// in place of the saved ones.
std::unique_ptr<PrintQueue> systemQueue(int limitMs = handOffLimitMs);

} // namespace kelm::report
