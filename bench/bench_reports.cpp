// The case query at 1,000,000 cases, through the window offscreen: its
// first screen and count, a re-sort by each column button, each filter
// keystroke; the preview of the whole list (its row ids read, the first
// page laid out and drawn, the memory it holds and gives back) and its
// last page; and every page of one year's list of 10,000 rows laid out.
#include "cases/register/casequery.h"
#include "data/connection.h"
#include "data/prepare.h"
#include "data/reportsources.h"
#include "platform/modal.h"
#include "platform/pageview.h"
#include "platform/reportengine.h"
#include "platform/reportpreview.h"
#include "registers/querywindow.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <SQLiteCpp/SQLiteCpp.h>
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

using namespace Qt::StringLiterals;

namespace {

constexpr int caseCount = 1000000;

// Cases only, numbered year + serial: 100 years of 10,000 cases each, so a
// year's list is 10,000 rows. Names, addresses, people and telephone
// numbers are spread so that no column's order follows the numbers.
QString caseFixture()
{
    const QString dir = QCoreApplication::applicationDirPath() + u"/bench-data"_s;
    QDir().mkpath(dir);
    const QString path = dir + u"/cases-%1.mdb"_s.arg(caseCount);
    if (QFile::exists(path))
        return path;
    const QString temp = path + u".tmp"_s;
    QFile::remove(temp);
    kelm::prepareDatabase(temp);
    {
        kelm::Database db(temp, kelm::storedSchema());
        db.raw().exec("PRAGMA journal_mode=OFF");
        db.raw().exec("PRAGMA synchronous=OFF");
        db.exec(u"WITH RECURSIVE n(x) AS (SELECT 0 UNION ALL SELECT x + 1 FROM n WHERE x < ?) "
                "INSERT INTO xzcf (dabh, dwmc, dwdz, fzr, jjxz, dh, slsj) SELECT "
                "printf('%04d%04d', 2000 + x / 10000, x % 10000), "
                "CASE x % 8 WHEN 0 THEN '城关饭店' WHEN 1 THEN '新华食品厂' WHEN 2 THEN '东方宾馆' "
                "WHEN 3 THEN '红星浴室' WHEN 4 THEN '阳光超市' WHEN 5 THEN '金桥酒家' "
                "WHEN 6 THEN '和平理发店' ELSE '明珠歌舞厅' END || ((x * 7919) % 1000003), "
                "CASE x % 5 WHEN 0 THEN '人民路' WHEN 1 THEN '解放路' WHEN 2 THEN '中山路' "
                "WHEN 3 THEN '建设路' ELSE '和平街' END || ((x * 104729) % 2003) || '号', "
                "substr('张王李赵刘陈杨黄吴周', 1 + x % 10, 1) || substr('伟芳娜敏静丽强磊军洋', 1 + (x / 10) % 10, 1), "
                "CASE x % 4 WHEN 0 THEN '国有' WHEN 1 THEN '集体' WHEN 2 THEN '个体' ELSE '私营' END, "
                "printf('0571-%07d', (x * 31337) % 10000000), "
                "printf('%04d-%02d-%02d', 2000 + x / 10000, 1 + x % 12, 1 + x % 28) "
                "FROM n"_s,
                {caseCount - 1});
        db.raw().exec("PRAGMA journal_mode=DELETE");
    }
    QFile::rename(temp, path);
    return path;
}

void typeKey(QLineEdit *box, const QString &text)
{
    QInputMethodEvent e;
    e.setCommitString(text);
    QApplication::sendEvent(box, &e);
}

// Opening the window: the list by case number, its first block, the count.
void firstScreen(benchmark::State &state)
{
    for (auto _ : state) {
        kelm::QueryWindow w(kelm::caseQueryDesign());
        w.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(w.countBox()->text());
    }
}
BENCHMARK(firstScreen)->Unit(benchmark::kMillisecond);

// A column button: the whole list in the button's order, and its count.
void reSort(benchmark::State &state)
{
    kelm::QueryWindow w(kelm::caseQueryDesign());
    w.show();
    const int button = int(state.range(0));
    const int other = button == 0 ? 1 : 0;
    for (auto _ : state) {
        state.PauseTiming();
        w.chooseColumn(other);
        state.ResumeTiming();
        w.chooseColumn(button);
        QApplication::processEvents();
    }
    state.SetLabel(kelm::caseQueryDesign().buttons[std::size_t(button)].column.toStdString());
}
BENCHMARK(reSort)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

// One keystroke in the filter box: the narrowed list and its count. The
// case number's first digit keeps all million rows, the worst count.
void filterKeystroke(benchmark::State &state, int button, QString before, QString key)
{
    kelm::QueryWindow w(kelm::caseQueryDesign());
    w.show();
    w.chooseColumn(button);
    for (auto _ : state) {
        state.PauseTiming();
        w.filterBox()->setText(before);
        state.ResumeTiming();
        typeKey(w.filterBox(), key);
        QApplication::processEvents();
    }
    state.SetLabel(w.countBox()->text().toStdString());
}
BENCHMARK_CAPTURE(filterKeystroke, number_2, 0, u""_s, u"2"_s)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filterKeystroke, number_2005, 0, u"200"_s, u"5"_s)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filterKeystroke, number_20050, 0, u"2005"_s, u"0"_s)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filterKeystroke, name_城, 1, u""_s, u"城"_s)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filterKeystroke, name_城关饭店1, 1, u"城关饭店"_s, u"1"_s)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filterKeystroke, phone_0571_9, 5, u"0571-"_s, u"9"_s)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filterKeystroke, nothing_matches, 1, u"无此"_s, u"单"_s)->Unit(benchmark::kMillisecond);

// What the process holds in memory now, in megabytes: its own memory
// (RssAnon), without the files it maps (the fonts, the libraries).
double residentMB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("RssAnon:", 0) == 0)
            return std::stod(line.substr(8)) / 1024;
    return 0;
}

kelm::report::ReportPreview *openPreview(kelm::QueryWindow &w)
{
    w.printButton()->click();
    for (QWidget *top : QApplication::topLevelWidgets())
        if (auto *p = qobject_cast<kelm::report::ReportPreview *>(top); p && p->isVisible())
            return p;
    return nullptr;
}

// Draws what the preview's page view shows, as the screen would.
void draw(kelm::report::ReportPreview *p)
{
    QImage screen(p->view()->viewport()->size(), QImage::Format_RGB32);
    p->view()->viewport()->render(&screen);
}

void closePreview(kelm::report::ReportPreview *p)
{
    p->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// 打印查询列表 over all 1,000,000 cases (`/0` in case number order, `/1` in
// unit name order): the row ids read, the preview opened on the first
// page, that page laid out and drawn. Counters: the process's own memory
// before (after one preview has loaded the fonts), the most with the
// preview open, and after it has closed.
void listPreview(benchmark::State &state)
{
    kelm::QueryWindow w(kelm::caseQueryDesign());
    w.show();
    if (state.range(0) == 1)
        w.chooseColumn(1);
    QApplication::processEvents();
    // Once untimed: what the first preview loads for good (the fonts and
    // their glyphs) is then in the figure before.
    kelm::report::ReportPreview *first = openPreview(w);
    draw(first);
    closePreview(first);
    const double before = residentMB();
    double open = 0, closed = 0;
    int pages = 0;
    for (auto _ : state) {
        kelm::report::ReportPreview *p = openPreview(w);
        draw(p);
        state.PauseTiming();
        open = std::max(open, residentMB());
        pages = p->pages().pageCount();
        closePreview(p);
        closed = residentMB();
        state.ResumeTiming();
    }
    state.counters["MB_before"] = before;
    state.counters["MB_open"] = open;
    state.counters["MB_closed"] = closed;
    state.SetLabel(w.countBox()->text().toStdString() + ", " + std::to_string(pages) + " pages");
}
BENCHMARK(listPreview)->Arg(0)->Arg(1)->Iterations(5)->Unit(benchmark::kMillisecond);

// 末页 in the preview of all 1,000,000 cases: the last page's rows read by
// their ids, laid out and drawn.
void listPreviewLastPage(benchmark::State &state)
{
    kelm::QueryWindow w(kelm::caseQueryDesign());
    w.show();
    QApplication::processEvents();
    for (auto _ : state) {
        state.PauseTiming();
        kelm::report::ReportPreview *p = openPreview(w);
        draw(p);
        state.ResumeTiming();
        p->lastButton()->click();
        draw(p);
        state.PauseTiming();
        closePreview(p);
        state.ResumeTiming();
    }
}
BENCHMARK(listPreviewLastPage)->Iterations(5)->Unit(benchmark::kMillisecond);

// The case list report of one year's 10,000 cases, every page laid out in
// order as printing does (`buildReport` keeps them, the printer does not).
void listReport10000(benchmark::State &state)
{
    kelm::app().listQuery = {u"xzcf"_s, u"dabh"_s, u"dabh"_s, u"2005"_s};
    const kelm::report::ReportLayout layout = kelm::listReportLayout(kelm::caseQueryDesign().listReport);
    int pages = 0;
    for (auto _ : state)
        pages = kelm::buildReport(layout).pageCount();
    state.SetLabel(std::to_string(pages) + " pages");
}
BENCHMARK(listReport10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    kelm::setModalMode(kelm::ModalMode::NonBlocking);
    kelm::setDatabasePath(caseFixture());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    kelm::closeDatabase();
    return 0;
}
