// A keystroke in a line box of the case filing report at 100,000 cases,
// from the key's press to the end of its release handling: a field save
// (UPDATE fitted to capacity, durable commit, read-back) and a line flow
// that rewrites all four lines of the case summary in one transaction.
// Percentiles per keystroke are reported as counters, in milliseconds; the
// same flow with one commit per line is there for comparison. Beside the
// field save: the bare commit of the same change to the same row in the
// same journal, taken in turns with it, and one write and sync of a page on
// the same disk (`pageSync`), the least a durable commit costs.
#include "fixture.h"

#include "cases/documents/filing/labg.h"
#include "cases/engine/description.h"
#include "cases/engine/documentrow.h"
#include "cases/engine/documentwindow.h"
#include "data/appvalues.h"
#include "data/connection.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <benchmark/benchmark.h>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <algorithm>
#include <chrono>
#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const kelm::fixture::Size large{100000, 1000, 1000};
const QString benchCase = u"20050000"_s;
constexpr int keystrokes = 2000;

void prepareCase()
{
    kelm::setDatabasePath(kelm::fixture::cached(large));
    kelm::fixture::syncFile(kelm::fixture::cached(large));
    kelm::app().caseNo = benchCase;
    // The summary: three full lines and half a fourth.
    const QString full = u"案"_s.repeated(40);
    kelm::db().exec(u"UPDATE labg SET aqzy1 = ?, aqzy2 = ?, aqzy3 = ?, aqzy4 = ?, dsr = ? WHERE dabh = ?"_s,
                    {full.left(38), full, full, full.left(20), u"城关饭店"_s, benchCase});
}

void key(QWidget *box, Qt::Key k, const QString &text)
{
    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, text);
    QApplication::sendEvent(box, &press);
    QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier, text);
    QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : box, &release);
}

double percentile(std::vector<double> &ms, double p)
{
    std::sort(ms.begin(), ms.end());
    return ms[std::min(ms.size() - 1, std::size_t(p * double(ms.size())))];
}

void report(benchmark::State &state, std::vector<double> &ms, const std::string &prefix = {})
{
    state.counters[prefix + "p50_ms"] = percentile(ms, 0.50);
    state.counters[prefix + "p99_ms"] = percentile(ms, 0.99);
    state.counters[prefix + "max_ms"] = ms.back();
}

// Alternately types a character at caret and takes it back with Backspace.
void typeAndErase(benchmark::State &state, int boxIndex, int caret)
{
    prepareCase();
    kelm::DocumentWindow w(kelm::labgDescription());
    w.show();
    w.activated();
    auto *box = qobject_cast<QLineEdit *>(w.box(boxIndex));
    std::vector<double> ms;
    ms.reserve(keystrokes);
    bool typing = true;
    for (auto _ : state) {
        box->setFocus();
        box->setCursorPosition(typing ? caret : caret + 1);
        const auto start = std::chrono::steady_clock::now();
        if (typing)
            key(box, Qt::Key_A, u"a"_s);
        else
            key(box, Qt::Key_Backspace, {});
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        typing = !typing;
    }
    report(state, ms);
    kelm::closeDatabase();
}

// Keystrokes in the party box, each followed by the bare commit of a change
// of the same size to the same row in the same journal: one UPDATE
// committed on its own through the program's connection, without keys,
// fitting or read-back. Taken in turns, so that both meet the same disk.
void keystrokeFieldSave(benchmark::State &state)
{
    prepareCase();
    const std::string bareTexts[] = {u"城关b饭店"_s.toStdString(), u"城关c饭店"_s.toStdString()};
    std::vector<double> keys, bare;
    keys.reserve(keystrokes);
    bare.reserve(keystrokes);
    {
        kelm::DocumentWindow w(kelm::labgDescription());
        w.show();
        w.activated();
        auto *box = qobject_cast<QLineEdit *>(w.box(0));
        SQLite::Statement update(kelm::db().raw(), "UPDATE labg SET dsr = ? WHERE dabh = ?");
        bool typing = true;
        for (auto _ : state) {
            box->setFocus();
            box->setCursorPosition(typing ? 2 : 3);
            auto start = std::chrono::steady_clock::now();
            if (typing)
                key(box, Qt::Key_A, u"a"_s);
            else
                key(box, Qt::Key_Backspace, {});
            keys.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());

            start = std::chrono::steady_clock::now();
            update.bind(1, bareTexts[typing ? 0 : 1]);
            update.bind(2, benchCase.toStdString());
            update.exec();
            update.reset();
            bare.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
            typing = !typing;
        }
    }
    report(state, keys);
    report(state, bare, "bare_");
    state.counters["p50_ratio"] = percentile(keys, 0.5) / percentile(bare, 0.5);
    kelm::closeDatabase();
}
BENCHMARK(keystrokeFieldSave)->Iterations(keystrokes)->Unit(benchmark::kMillisecond);

// One page written over the same place of a file beside the fixture and
// synced to disk.
void pageSync(benchmark::State &state)
{
    const QString path = kelm::fixture::cached(large) + u".sync"_s;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT, 0644);
    std::vector<char> page(4096);
    std::vector<double> ms;
    ms.reserve(keystrokes);
    int n = 0;
    for (auto _ : state) {
        std::fill(page.begin(), page.end(), char(++n));
        const auto start = std::chrono::steady_clock::now();
        if (::pwrite(fd, page.data(), page.size(), 0) != ssize_t(page.size()) || ::fdatasync(fd) != 0)
            state.SkipWithError("write failed");
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    ::close(fd);
    QFile::remove(path);
    report(state, ms);
}
BENCHMARK(pageSync)->Iterations(keystrokes)->Unit(benchmark::kMillisecond);

void keystrokeFlowFourLines(benchmark::State &state) { typeAndErase(state, 5, 0); }
BENCHMARK(keystrokeFlowFourLines)->Iterations(keystrokes)->Unit(benchmark::kMillisecond);

// The same four-line flow without the window, one commit per line.
void flowFourLinesCommitEach(benchmark::State &state)
{
    prepareCase();
    kelm::DocumentRow row(kelm::labgDescription());
    std::vector<QString> lines = row.open(benchCase);
    std::vector<double> ms;
    ms.reserve(keystrokes);
    bool typing = true;
    for (auto _ : state) {
        kelm::FlowRequest r;
        r.first = 5;
        r.stored = {lines.begin() + 5, lines.begin() + 9};
        r.texts = r.stored;
        r.texts[0] = typing ? u"a"_s + r.texts[0] : r.texts[0].mid(1);
        const auto start = std::chrono::steady_clock::now();
        const kelm::FlowOutcome o = kelm::flowLineGroup(r, row);
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        std::copy(o.lines.begin(), o.lines.end(), lines.begin() + 5);
        typing = !typing;
    }
    report(state, ms);
    kelm::closeDatabase();
}
BENCHMARK(flowFourLinesCommitEach)->Iterations(keystrokes)->Unit(benchmark::kMillisecond);

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
