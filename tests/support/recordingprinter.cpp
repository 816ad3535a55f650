#include "support/recordingprinter.h"

namespace kelm::test {

RecordingPrinter &RecordingPrinter::install()
{
    auto sink = std::make_unique<RecordingPrinter>();
    RecordingPrinter &ref = *sink;
    report::setPrintSink(std::move(sink));
    return ref;
}

report::PrintResult RecordingPrinter::print(const report::PageModel &model)
{
    if (!failure.isEmpty())
        return {failure};
    printed.append(model);
    return {};
}

} // namespace kelm::test
