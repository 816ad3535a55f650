// The penalty statistics over a case table of 1,000,000 cases (100 years
// of 10,000, 1910 to 2009), counting all of them, one decade or one year:
// from 确认 in the period window to the figures stored and drawn, the
// computation alone, and the same figures computed one query a figure as
// the baseline; and the sheet laid out. Before each timed run one case's
// fine changes, so every run stores new figures and writes the copy again
// where it changed.
#include "fixture.h"

#include "cases/statistics/penaltystatistics.h"
#include "cases/statistics/periodwindow.h"
#include "cases/statistics/statisticsentry.h"
#include "cases/statistics/statisticsrun.h"
#include "cases/statistics/statisticssheet.h"
#include "cases/statistics/statisticswindow.h"
#include "data/appvalues.h"
#include "data/connection.h"
#include "data/prepare.h"
#include "platform/database.h"
#include "platform/gridlabel.h"
#include "platform/messages.h"
#include "platform/modal.h"
#include "support/percellstatistics.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <SQLiteCpp/SQLiteCpp.h>
#include <benchmark/benchmark.h>

#include <random>

using namespace Qt::StringLiterals;

namespace {

constexpr int casesPerYear = 10000;
constexpr int firstYear = 2000;

// Cases as the register saves them: every category and sub-category the
// register offers, a few typed ones, random penalties and amounts.
void makeCases(const QString &path, int years)
{
    QFile::remove(path);
    kelm::prepareDatabase(path);
    kelm::Database db(path, kelm::storedSchema());
    SQLite::Database &raw = db.raw();
    raw.exec("PRAGMA synchronous=OFF");
    raw.exec("PRAGMA journal_mode=OFF");
    const std::vector<std::pair<QString, QString>> kinds = {
        {u"食品卫生"_s, u"生产加工"_s}, {u"食品卫生"_s, u"批发零售"_s}, {u"食品卫生"_s, u"饮食"_s},
        {u"食品卫生"_s, u"食堂"_s},     {u"食品卫生"_s, u"食品摊贩"_s}, {u"食品卫生"_s, u"其他"_s},
        {u"食品卫生"_s, QString()},     {u"公共场所"_s, u"旅店"_s},     {u"公共场所"_s, u"文化娱乐"_s},
        {u"公共场所"_s, u"浴室"_s},     {u"公共场所"_s, u"理发、美容"_s}, {u"公共场所"_s, u"商场、商店"_s},
        {u"公共场所"_s, u"其他"_s},     {u"公共场所"_s, u"洗衣店"_s},   {u"其他"_s, QString()},
    };
    std::mt19937 rng(7);
    SQLite::Transaction tx(raw);
    SQLite::Statement st(raw, "INSERT INTO xzcf (dabh, dwlb1, dwlb2, slsj, lasj, sfja, msje, fkje, shsp, xhsp, "
                              "cf1, cf2, cf3, cf4, cf5, cf6, cf7, cf8, cf9, cf10) "
                              "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (int y = 0; y < years; ++y) {
        const QDate yearStart(firstYear - years + 10 + y, 1, 1);
        for (int n = 1; n <= casesPerYear; ++n) {
            const auto &[category, subcategory] = kinds[rng() % kinds.size()];
            const QDate accepted = yearStart.addDays(rng() % 365);
            const std::string values[] = {
                u"%1%2"_s.arg(yearStart.year()).arg(n, 4, 10, QChar(u'0')).toStdString(),
                category.toStdString(),
                subcategory.toStdString(),
                accepted.toString(Qt::ISODate).toStdString(),
                rng() % 3 ? accepted.addDays(3).toString(Qt::ISODate).toStdString() : std::string(),
            };
            int i = 1;
            for (const std::string &v : values)
                st.bind(i++, v);
            st.bind(i++, int(rng() % 2));
            st.bind(i++, rng() % 4 ? std::string("0") : std::to_string(rng() % 5000) + ".5");
            st.bind(i++, std::to_string(100 * (rng() % 50)) + (rng() % 2 ? ".25" : ""));
            st.bind(i++, rng() % 5 ? std::string("0") : std::to_string(rng() % 40) + ".5公斤");
            st.bind(i++, rng() % 5 ? std::string("0") : std::to_string(rng() % 90));
            for (int k = 0; k < 10; ++k)
                st.bind(i++, int(rng() % 4 == 0));
            st.exec();
            st.reset();
        }
    }
    tx.commit();
    raw.exec("PRAGMA journal_mode=DELETE");
}

QString cachedCases(int years)
{
    const QString dir = QCoreApplication::applicationDirPath() + u"/bench-data"_s;
    QDir().mkpath(dir);
    const QString path = dir + u"/statistics-%1.mdb"_s.arg(years * casesPerYear);
    if (!QFile::exists(path)) {
        makeCases(path + u".tmp"_s, years);
        QFile::rename(path + u".tmp"_s, path);
    }
    kelm::fixture::syncFile(path);
    return path;
}

constexpr int tableYears = 100;
constexpr int tableCases = tableYears * casesPerYear;

// The period counting that many cases of the table: all, the last decade
// or the last year.
std::pair<QDate, QDate> periodOf(int counted)
{
    const int years = counted / casesPerYear;
    return {QDate(firstYear + 10 - years, 1, 1), QDate(firstYear + 9, 12, 31)};
}

// Outside the timing: one case's fine changes to an amount no run has
// stored before, so the figures of the next run differ from the stored
// ones and its copy has a case to write again.
void changeOneCase(kelm::Database &db)
{
    static const qint64 runStart = QDateTime::currentMSecsSinceEpoch() % 1000000;
    static int changes = 0;
    ++changes;
    db.exec(u"UPDATE xzcf SET fkje = ? WHERE rowid = ?"_s,
            {QString::number(runStart * 1000 + changes), 1 + (changes * 7919) % tableCases});
}

void setCounters(benchmark::State &state, int counted)
{
    state.counters["file_cases"] = tableCases;
    state.counters["counted"] = counted;
}

class Silent : public kelm::MessageService {
public:
    kelm::Answer show(QWidget *, const kelm::Message &) override { return kelm::Answer::Ok; }
};

class Opener : public kelm::FormWindow { };

template <typename W>
W *openWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *found = qobject_cast<W *>(w); found && found->isVisible())
            return found;
    return nullptr;
}

void waitUntil(const std::function<bool()> &done)
{
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

// 统计 in the register, the period typed, then timed from the click on 确认
// until the statistics window has drawn the stored figures. /0: the same
// period was counted before (as when the sheet's preview closes, or the
// year is counted again after an edit): only the changed case's block of
// the copy is written again. /1: another period was counted before (the
// earliest year), so the copy is written anew.
void confirmToFigures(benchmark::State &state)
{
    const int counted = int(state.range(0));
    const bool afterAnother = state.range(1) == 1;
    const auto [start, end] = periodOf(counted);
    const QDate earliestYear(firstYear - tableYears + 10, 1, 1);
    kelm::setDatabasePath(cachedCases(tableYears));
    kelm::setMessageService(std::make_unique<Silent>());
    kelm::setModalMode(kelm::ModalMode::NonBlocking);
    Opener opener;
    int drawn = 0;
    for (auto _ : state) {
        state.PauseTiming();
        changeOneCase(kelm::db());
        if (afterAnother)
            kelm::statistics::computeStatistics(kelm::db(), earliestYear, earliestYear.addYears(1).addDays(-1));
        kelm::openStatisticsPeriod(&opener);
        auto *period = openWindow<kelm::StatisticsPeriodWindow>();
        period->startBox()->setText(start.toString(Qt::ISODate));
        period->endBox()->setText(end.toString(Qt::ISODate));
        state.ResumeTiming();

        period->confirmButton()->click();
        auto *statistics = openWindow<kelm::StatisticsWindow>();
        waitUntil([statistics] { return !statistics->computing(); });

        state.PauseTiming();
        drawn = statistics->figures()[1]->text().trimmed().toInt();
        statistics->close();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    if (drawn != counted)
        state.SkipWithError("not every case of the period drawn");
    setCounters(state, counted);
    kelm::setModalMode(kelm::ModalMode::Blocking);
    kelm::setMessageService(nullptr);
    kelm::setDatabasePath({});
}
BENCHMARK(confirmToFigures)
    ->ArgsProduct({{tableCases, 100000, 10000}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The computation on a connection of its own, as the run does it.
void computation(benchmark::State &state)
{
    const int counted = int(state.range(0));
    const auto [start, end] = periodOf(counted);
    const QString path = cachedCases(tableYears);
    kelm::Database db(path, kelm::storedSchema());
    kelm::statistics::PenaltyStatistics s;
    for (auto _ : state) {
        state.PauseTiming();
        changeOneCase(db);
        state.ResumeTiming();
        s = kelm::statistics::computeStatistics(db, start, end);
    }
    if (s.total().cases != counted)
        state.SkipWithError("not every case of the period counted");
    setCounters(state, counted);
}
BENCHMARK(computation)->Arg(tableCases)->Arg(100000)->Arg(10000)->Unit(benchmark::kMillisecond)
    ->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true);

// The baseline: the copy by date comparison, 223 queries with val() inside
// sum() and 86 updates of xzcftj, in one transaction.
void perCell(benchmark::State &state)
{
    const int counted = int(state.range(0));
    const auto [start, end] = periodOf(counted);
    kelm::Database db(cachedCases(tableYears), kelm::storedSchema());
    QStringList drawn;
    for (auto _ : state) {
        state.PauseTiming();
        changeOneCase(db);
        state.ResumeTiming();
        drawn = kelm::test::perCellStatistics(db, start, end);
    }
    if (drawn.value(1).trimmed().toInt() != counted)
        state.SkipWithError("not every case of the period counted");
    setCounters(state, counted);
}
BENCHMARK(perCell)->Arg(tableCases)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

void sheetLaidOut(benchmark::State &state)
{
    kelm::setDatabasePath(cachedCases(tableYears));
    kelm::statistics::computeStatistics(kelm::db(), periodOf(100000).first, periodOf(100000).second);
    for (auto _ : state)
        benchmark::DoNotOptimize(kelm::statistics::statisticsSheet());
    kelm::setDatabasePath({});
}
BENCHMARK(sheetLaidOut)->Unit(benchmark::kMillisecond);

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
