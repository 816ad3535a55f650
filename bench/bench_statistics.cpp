// The penalty statistics over 100,000 counted cases: the computation
// alone (date check, copy into xzcf2, one counting pass, the sheet's row
// stored, one durable commit), the statistics window becoming active
// (computation and the 212 figures drawn), and the sheet laid out. Tables
// of 10 years (all counted) and of 100 years (one decade counted) of
// 10,000 cases a year.
#include "cases/statistics/penaltystatistics.h"
#include "cases/statistics/statisticssheet.h"
#include "cases/statistics/statisticswindow.h"
#include "data/appvalues.h"
#include "data/connection.h"
#include "data/prepare.h"
#include "platform/database.h"
#include "platform/messages.h"

#include <QApplication>
#include <QDir>
#include <QFile>
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
    kelm::Database db(path);
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
    return path;
}

// The decade 2000 to 2009: in both tables, 100,000 cases.
const QDate periodStart(firstYear, 1, 1);
const QDate periodEnd(firstYear + 9, 12, 31);

void computation(benchmark::State &state)
{
    kelm::setDatabasePath(cachedCases(int(state.range(0))));
    kelm::statistics::PenaltyStatistics s;
    for (auto _ : state)
        s = kelm::statistics::computeStatistics(kelm::db(), periodStart, periodEnd);
    if (s.total().cases != 10 * casesPerYear)
        state.SkipWithError("not every case of the decade counted");
    state.counters["cases"] = s.total().cases;
    kelm::setDatabasePath({});
}
BENCHMARK(computation)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

class Silent : public kelm::MessageService {
public:
    kelm::Answer show(QWidget *, const kelm::Message &) override { return kelm::Answer::Ok; }
};

void windowActivation(benchmark::State &state)
{
    kelm::setDatabasePath(cachedCases(10));
    kelm::setMessageService(std::make_unique<Silent>());
    kelm::app().statsStart = periodStart;
    kelm::app().statsEnd = periodEnd;
    kelm::StatisticsWindow w;
    w.show();
    for (auto _ : state) {
        w.activated();
        QCoreApplication::processEvents();
    }
    kelm::setMessageService(nullptr);
    kelm::setDatabasePath({});
}
BENCHMARK(windowActivation)->Unit(benchmark::kMillisecond);

void sheetLaidOut(benchmark::State &state)
{
    kelm::setDatabasePath(cachedCases(10));
    kelm::statistics::computeStatistics(kelm::db(), periodStart, periodEnd);
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
