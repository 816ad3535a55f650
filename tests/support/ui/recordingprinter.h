// Stands in for the default printer: keeps every page printed, as a page
// model per print, or refuses like a printer that fails.
#pragma once

#include "platform/printsink.h"

#include <QList>

namespace kelm::test {

class RecordingPrinter : public report::PrintSink {
public:
    // Installs a fresh recorder as the program's print sink.
    static RecordingPrinter &install();

    QList<report::PageModel> printed;
    // When set, every print fails with this reason.
    QString failure;

    report::PrintResult print(report::PageSource &pages, Progress &progress) override;
};

} // namespace kelm::test
