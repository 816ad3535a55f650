// Backup and restore of a database of 100,000 cases with all their
// documents (a file of about 1.9 GB): the backup through the engine's
// online backup into a temporary file renamed into place; the restore's
// copy beside the database, its checks (marker, schema, integrity) and the
// rename into place, each stage timed; and a plain copy of the same file
// for comparison. The restore's check of a copy alone, on a file of
// 60,000 cases (1.1 GB), against the ways of checking it weighed.
// Every figure touches the whole file.
#include "fixture.h"

#include "data/connection.h"
#include "platform/database.h"
#include "platform/integritycheck.h"
#include "shell/backup.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <SQLiteCpp/SQLiteCpp.h>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const kelm::fixture::Size large{100000, 1000, 1000};
// The size of file whose restore the check held up most (1.1 GB).
const kelm::fixture::Size checked{60000, 1000, 1000};

QString benchFile(const QString &name) { return QCoreApplication::applicationDirPath() + u"/bench-data/"_s + name; }

double megabytes(const QString &path) { return double(QFile(path).size()) / (1024 * 1024); }

// Brings a file to disk, so that no timed step pays for writing back what
// an earlier one left in memory.
void syncFile(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

void backup(benchmark::State &state)
{
    const QString source = kelm::fixture::cached(large);
    const QString target = benchFile(u"bc_kelm"_s);
    syncFile(source);
    for (auto _ : state) {
        if (kelm::backupDatabase(source, target).outcome != kelm::BackupOutcome::Done)
            state.SkipWithError("backup failed");
        state.PauseTiming();
        syncFile(target);
        state.ResumeTiming();
    }
    state.counters["MB"] = megabytes(target);
    QFile::remove(target);
}
BENCHMARK(backup)->Unit(benchmark::kMillisecond);

// Times the stages of the work it watches.
class StageClock : public kelm::Progress {
public:
    void stage(const QString &text, qint64, bool) override
    {
        lap();
        m_stage = text;
    }
    void advance(qint64) override { }
    bool cancelled() const override { return false; }
    void lap()
    {
        if (!m_stage.isEmpty())
            ms[m_stage] += double(m_clock.nsecsElapsed()) / 1e6;
        m_clock.restart();
    }
    std::map<QString, double> ms;

private:
    QString m_stage;
    QElapsedTimer m_clock;
};

// The whole restore, with the time of each stage: the copy beside the
// database, its checks, putting it in place (a rename, and the old file's
// space given back). The argument is the number of cases.
void restore(benchmark::State &state)
{
    const kelm::fixture::Size size{int(state.range(0)), large.permits, large.exams};
    const QString live = benchFile(u"live.mdb"_s);
    QFile::remove(live);
    QFile::copy(kelm::fixture::cached(size), live);
    kelm::setDatabasePath(live);
    const QString source = kelm::fixture::cached(size);
    syncFile(source);
    syncFile(live);
    StageClock clock;
    for (auto _ : state) {
        if (kelm::restoreProgramDatabase(source, clock).outcome != kelm::RestoreOutcome::Restored)
            state.SkipWithError("restore failed");
        clock.lap();
    }
    for (const auto &[stage, ms] : clock.ms)
        state.counters[(stage.left(4) + u"_ms"_s).toStdString()] = ms / double(state.iterations());
    state.counters["MB"] = megabytes(source);
    kelm::setDatabasePath({});
    QFile::remove(live);
}
BENCHMARK(restore)->Arg(large.cases)->Arg(checked.cases)->Unit(benchmark::kMillisecond);

// The check of a restore's copy alone, on the file of 60,000 cases: as it
// was, the engine's full check on one connection; the part of it that sees
// the whole file (every tree, the freelist, each page's owner) alone; and
// the check in parts on that many connections side by side, the whole-file
// part and each table's full check.
void pragmaCheck(benchmark::State &state, const char *pragma)
{
    const QString file = kelm::fixture::cached(checked);
    for (auto _ : state) {
        SQLite::Database db(file.toStdString(), SQLite::OPEN_READONLY);
        if (db.execAndGet(pragma).getString() != "ok")
            state.SkipWithError("damaged");
    }
    state.counters["MB"] = megabytes(file);
}
BENCHMARK_CAPTURE(pragmaCheck, fullCheck, "PRAGMA integrity_check")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(pragmaCheck, wholeFilePart, "PRAGMA quick_check")->Unit(benchmark::kMillisecond);

void checkInParts(benchmark::State &state)
{
    const QString file = kelm::fixture::cached(checked);
    for (auto _ : state) {
        if (kelm::checkIntegrity(file, kelm::noProgress(), u"检查"_s, int(state.range(0))).outcome
            != kelm::Integrity::Whole)
            state.SkipWithError("damaged");
    }
    state.counters["MB"] = megabytes(file);
}
BENCHMARK(checkInParts)->Arg(1)->Arg(2)->Arg(3)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime();

// A plain copy of the same file, synced, for comparison with the restore's
// copy. The argument is the number of cases.
void plainCopy(benchmark::State &state)
{
    const QString source = kelm::fixture::cached({int(state.range(0)), large.permits, large.exams});
    const QString target = benchFile(u"copy.mdb"_s);
    syncFile(source);
    for (auto _ : state) {
        std::filesystem::copy_file(source.toStdString(), target.toStdString(),
                                   std::filesystem::copy_options::overwrite_existing);
        syncFile(target);
    }
    state.counters["MB"] = megabytes(target);
    QFile::remove(target);
}
BENCHMARK(plainCopy)->Arg(large.cases)->Arg(checked.cases)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
