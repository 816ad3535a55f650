// One document field save (UPDATE with read-back) at 100,000 cases, with a
// fresh connection per statement as the forms once did and with the kept
// connection; and preparing and opening a whole database.
#include "fixture.h"

#include "data/prepare.h"
#include "platform/database.h"

#include <QCoreApplication>
#include <QFile>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

const kelm::fixture::Size large{100000, 1000, 1000};

void fieldSaveKeptConnection(benchmark::State &state)
{
    kelm::Database db(kelm::fixture::cached(large));
    int i = 0;
    for (auto _ : state) {
        const QString key = u"20%1"_s.arg(1 + (i * 7919) % large.cases, 6, 10, QChar(u'0'));
        benchmark::DoNotOptimize(db.writeColumn(u"labg"_s, u"dsr"_s, u"dabh"_s, key, u"城关饭店%1"_s.arg(i)));
        ++i;
    }
}
BENCHMARK(fieldSaveKeptConnection)->Unit(benchmark::kMillisecond);

void fieldSaveFreshConnection(benchmark::State &state)
{
    const QString path = kelm::fixture::cached(large);
    int i = 0;
    for (auto _ : state) {
        kelm::Database db(path);
        const QString key = u"20%1"_s.arg(1 + (i * 7919) % large.cases, 6, 10, QChar(u'0'));
        benchmark::DoNotOptimize(db.writeColumn(u"labg"_s, u"dsr"_s, u"dabh"_s, key, u"城关饭店%1"_s.arg(i)));
        ++i;
    }
}
BENCHMARK(fieldSaveFreshConnection)->Unit(benchmark::kMillisecond);

void prepareAndOpen(benchmark::State &state)
{
    const QString path = QCoreApplication::applicationDirPath() + u"/bench-data/prepare.mdb"_s;
    for (auto _ : state) {
        QFile::remove(path);
        kelm::prepareDatabase(path);
        kelm::Database db(path);
        benchmark::DoNotOptimize(db.scalar(u"SELECT abcd FROM wslo"_s));
    }
    QFile::remove(path);
}
BENCHMARK(prepareAndOpen)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
