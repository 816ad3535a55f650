#include "support/ui/recordingprinter.h"

namespace kelm::test {

RecordingPrinter &RecordingPrinter::install()
{
    auto sink = std::make_unique<RecordingPrinter>();
    RecordingPrinter &ref = *sink;
    report::setPrintSink(std::move(sink));
    return ref;
}

report::PrintResult RecordingPrinter::print(report::PageSource &pages, Progress &progress)
{
    if (!failure.isEmpty())
        return {failure};
    report::PageModel model;
    model.caption = pages.caption();
    model.page = pages.paper();
    progress.stage(QString(), pages.pageCount(), true);
    for (int n = 0; n < pages.pageCount(); ++n) {
        model.pages.push_back(pages.page(n));
        progress.advance(n + 1);
    }
    printed.append(model);
    return {};
}

} // namespace kelm::test
