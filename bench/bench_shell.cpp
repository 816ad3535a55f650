// Backup and restore of a database of 100,000 cases: the byte copy under a
// read lock, and the restore with its read-only checks (schema, integrity,
// marker) and the copy into place.
#include "fixture.h"

#include "data/connection.h"
#include "platform/database.h"
#include "shell/backup.h"

#include <QCoreApplication>
#include <QFile>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

const kelm::fixture::Size large{100000, 1000, 1000};

QString benchFile(const QString &name) { return QCoreApplication::applicationDirPath() + u"/bench-data/"_s + name; }

void backup(benchmark::State &state)
{
    const QString source = kelm::fixture::cached(large);
    const QString target = benchFile(u"bc_kelm"_s);
    for (auto _ : state)
        benchmark::DoNotOptimize(kelm::backupDatabase(source, target).outcome);
    state.counters["MB"] = double(QFile(target).size()) / (1024 * 1024);
    QFile::remove(target);
}
BENCHMARK(backup)->Unit(benchmark::kMillisecond);

void restore(benchmark::State &state)
{
    const QString live = benchFile(u"live.mdb"_s);
    QFile::remove(live);
    QFile::copy(kelm::fixture::cached(large), live);
    kelm::setDatabasePath(live);
    const QString source = kelm::fixture::cached(large);
    for (auto _ : state)
        benchmark::DoNotOptimize(kelm::restoreDatabase(source).outcome);
    kelm::setDatabasePath({});
    QFile::remove(live);
}
BENCHMARK(restore)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
