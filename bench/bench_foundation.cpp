// One document field save (UPDATE with read-back) at 100,000 cases, with a
// fresh connection per statement as the forms once did and with the kept
// connection; and preparing and opening a whole database. Every save writes
// a text no run has written before: a row that already holds the text is
// left alone by SQLite and its commit writes nothing.
#include "fixture.h"

#include "data/connection.h"
#include "data/prepare.h"
#include "platform/database.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

const kelm::fixture::Size large{100000, 1000, 1000};

// The next save of this run of the benchmark, across its repetitions: a
// case and a text that no save has written before.
struct Save {
    QString caseNo;
    QString text;
};
Save nextSave()
{
    static const QString run = QString::number(QDateTime::currentMSecsSinceEpoch(), 36);
    static int i = 0;
    ++i;
    return {u"20%1"_s.arg(1 + (i * 7919) % large.cases, 6, 10, QChar(u'0')), u"城关饭店%1-%2"_s.arg(run).arg(i)};
}

// What the file holds and what one save touches.
void setCounters(benchmark::State &state)
{
    state.counters["file_cases"] = large.cases;
    state.counters["rows_written"] = 1;
}

void fieldSaveKeptConnection(benchmark::State &state)
{
    kelm::Database db(kelm::fixture::cached(large), kelm::storedSchema());
    for (auto _ : state) {
        const Save save = nextSave();
        if (db.writeColumn(u"labg"_s, u"dsr"_s, u"dabh"_s, save.caseNo, save.text) != save.text)
            state.SkipWithError("the save did not store its text");
    }
    setCounters(state);
}
BENCHMARK(fieldSaveKeptConnection)->Unit(benchmark::kMillisecond);

void fieldSaveFreshConnection(benchmark::State &state)
{
    const QString path = kelm::fixture::cached(large);
    for (auto _ : state) {
        kelm::Database db(path, kelm::storedSchema());
        const Save save = nextSave();
        if (db.writeColumn(u"labg"_s, u"dsr"_s, u"dabh"_s, save.caseNo, save.text) != save.text)
            state.SkipWithError("the save did not store its text");
    }
    setCounters(state);
}
BENCHMARK(fieldSaveFreshConnection)->Unit(benchmark::kMillisecond);

void prepareAndOpen(benchmark::State &state)
{
    const QString path = QCoreApplication::applicationDirPath() + u"/bench-data/prepare.mdb"_s;
    for (auto _ : state) {
        QFile::remove(path);
        kelm::prepareDatabase(path);
        kelm::Database db(path, kelm::storedSchema());
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
