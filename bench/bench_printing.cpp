// Printing a filing document at 100,000 cases, from the print picture's
// click: the case's row read by its number and laid out into the page that
// goes to the printer (a sink that keeps nothing), and the same page drawn
// through the printer back end into a PDF file.
#include "fixture.h"

#include "cases/documents/descriptions.h"
#include "cases/engine/description.h"
#include "cases/engine/documentwindow.h"
#include "data/appvalues.h"
#include "data/connection.h"
#include "platform/printsink.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

const kelm::fixture::Size large{100000, 1000, 1000};
const QString benchCase = u"20050000"_s;

// Takes every page as a printer does, and draws nothing.
class NullPrinter : public kelm::report::PrintSink {
public:
    kelm::report::PrintResult print(kelm::report::PageSource &pages, kelm::Progress &) override
    {
        for (int n = 0; n < pages.pageCount(); ++n)
            benchmark::DoNotOptimize(pages.page(n));
        return {};
    }
};

void click(QWidget *w)
{
    const QPointF at(1, 1);
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

void printFrom(benchmark::State &state, int k, std::unique_ptr<kelm::report::PrintSink> sink)
{
    kelm::setDatabasePath(kelm::fixture::cached(large));
    kelm::app().caseNo = benchCase;
    kelm::report::setPrintSink(std::move(sink));
    kelm::DocumentWindow w(*kelm::documentDescription(k));
    w.show();
    w.activated();
    for (auto _ : state)
        click(w.printPicture());
    kelm::report::setPrintSink(nullptr);
    kelm::closeDatabase();
}

void printLaidOut(benchmark::State &state)
{
    printFrom(state, int(state.range(0)), std::make_unique<NullPrinter>());
}
BENCHMARK(printLaidOut)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void printToPdf(benchmark::State &state)
{
    QTemporaryDir dir;
    printFrom(state, int(state.range(0)), std::make_unique<kelm::report::PdfSink>(dir.filePath(u"form.pdf"_s)));
}
BENCHMARK(printToPdf)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
