// The case register at 100,000 cases: opening the window, and each move and
// find as the user makes them, through the window's controls and rules.
#include "fixture.h"

#include "cases/register/caseregisterwindow.h"
#include "data/connection.h"
#include "platform/boundrecord.h"

#include <QApplication>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

const kelm::fixture::Size large{100000, 1000, 1000};

QString caseNumber(int i) { return u"20%1"_s.arg(1 + (i * 7919) % large.cases, 6, 10, QChar(u'0')); }

void openRegister(benchmark::State &state)
{
    for (auto _ : state) {
        kelm::CaseRegisterWindow w;
        w.activated();
        benchmark::DoNotOptimize(w.record()->recordCount());
    }
}
BENCHMARK(openRegister)->Unit(benchmark::kMillisecond);

void moveNext(benchmark::State &state)
{
    kelm::CaseRegisterWindow w;
    w.record()->findFirst(u"dabh"_s, caseNumber(1));
    for (auto _ : state)
        if (!w.record()->moveNext())
            w.record()->moveFirst();
}
BENCHMARK(moveNext)->Unit(benchmark::kMillisecond);

void movePrevious(benchmark::State &state)
{
    kelm::CaseRegisterWindow w;
    w.record()->moveLast();
    for (auto _ : state)
        if (!w.record()->movePrevious())
            w.record()->moveLast();
}
BENCHMARK(movePrevious)->Unit(benchmark::kMillisecond);

// From the first case to the last, so each step really moves.
void moveLast(benchmark::State &state)
{
    kelm::CaseRegisterWindow w;
    for (auto _ : state) {
        state.PauseTiming();
        w.record()->moveFirst();
        state.ResumeTiming();
        w.record()->moveLast();
    }
}
BENCHMARK(moveLast)->Unit(benchmark::kMillisecond);

void findCase(benchmark::State &state)
{
    kelm::CaseRegisterWindow w;
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(w.record()->findFirst(u"dabh"_s, caseNumber(i++)));
}
BENCHMARK(findCase)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    kelm::setDatabasePath(kelm::fixture::cached(large));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    kelm::closeDatabase();
    return 0;
}
