// The permit windows at 1,000,000 permits, through their controls: the
// permit register and the annual review window opening, moving and finding;
// saving; the permit query and the annual review query opening, re-sorting
// by each column button and narrowing at each filter keystroke.
#include "fixture.h"

#include "data/connection.h"
#include "permits/permitqueries.h"
#include "permits/permitregisterwindow.h"
#include "permits/reviewwindow.h"
#include "platform/boundrecord.h"
#include "registers/querywindow.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

const kelm::fixture::Size large{0, 1000000, 0};

// The fixture numbers its permits 2002 followed by a six-digit serial.
QString permitNumber(int i) { return u"2002%1"_s.arg(1 + (i * 7919) % large.permits, 6, 10, QChar(u'0')); }

template <typename Window>
void openWindow(benchmark::State &state)
{
    for (auto _ : state) {
        Window w;
        w.activated();
        benchmark::DoNotOptimize(w.record()->recordCount());
    }
}
BENCHMARK_TEMPLATE(openWindow, kelm::PermitRegisterWindow)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(openWindow, kelm::ReviewWindow)->Unit(benchmark::kMillisecond);

template <typename Window>
void moveNext(benchmark::State &state)
{
    Window w;
    w.record()->findFirst(u"xkzh"_s, permitNumber(1));
    for (auto _ : state)
        if (!w.record()->moveNext())
            w.record()->moveFirst();
}
BENCHMARK_TEMPLATE(moveNext, kelm::PermitRegisterWindow)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(moveNext, kelm::ReviewWindow)->Unit(benchmark::kMillisecond);

template <typename Window>
void movePrevious(benchmark::State &state)
{
    Window w;
    w.record()->moveLast();
    for (auto _ : state)
        if (!w.record()->movePrevious())
            w.record()->moveLast();
}
BENCHMARK_TEMPLATE(movePrevious, kelm::PermitRegisterWindow)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(movePrevious, kelm::ReviewWindow)->Unit(benchmark::kMillisecond);

// From the first permit to the last, so each step really moves.
template <typename Window>
void moveLast(benchmark::State &state)
{
    Window w;
    for (auto _ : state) {
        state.PauseTiming();
        w.record()->moveFirst();
        state.ResumeTiming();
        w.record()->moveLast();
    }
}
BENCHMARK_TEMPLATE(moveLast, kelm::PermitRegisterWindow)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(moveLast, kelm::ReviewWindow)->Unit(benchmark::kMillisecond);

// What becoming active after a query does: finding a permit by its number.
template <typename Window>
void findPermit(benchmark::State &state)
{
    Window w;
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(w.record()->findFirst(u"xkzh"_s, permitNumber(i++)));
}
BENCHMARK_TEMPLATE(findPermit, kelm::PermitRegisterWindow)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(findPermit, kelm::ReviewWindow)->Unit(benchmark::kMillisecond);

// A save of the permit shown after one box changed: the checks, the durable
// write, and showing the stored permit again.
void savePermit(benchmark::State &state)
{
    kelm::PermitRegisterWindow w;
    w.record()->findFirst(u"xkzh"_s, permitNumber(1));
    // The fixture's dates are bare years, which the checks refuse.
    for (int date : {9, 10, 11})
        w.findChild<QLineEdit *>(u"Text1_%1"_s.arg(date))->clear();
    auto *box = w.findChild<QLineEdit *>(u"Text1_4"_s);
    int i = 0;
    for (auto _ : state) {
        box->setText(QString::number(i++));
        QMetaObject::invokeMethod(w.findChild<QPushButton *>(u"Command3"_s), "click");
    }
    state.SetLabel(w.state() == kelm::PermitWindow::State::Browsing ? "saved" : "not saved");
}
BENCHMARK(savePermit)->Unit(benchmark::kMillisecond);

void saveReview(benchmark::State &state)
{
    kelm::ReviewWindow w;
    w.record()->findFirst(u"xkzh"_s, permitNumber(1));
    w.findChild<QLineEdit *>(u"Text1_11"_s)->setText(u"2004-01-01"_s);
    auto *box = w.findChild<QLineEdit *>(u"Text1_12"_s);
    int i = 0;
    for (auto _ : state) {
        box->setText(u"2003-01-%1"_s.arg(1 + i++ % 28, 2, 10, QChar(u'0')));
        QMetaObject::invokeMethod(w.findChild<QPushButton *>(u"Command3"_s), "click");
    }
    state.SetLabel(w.state() == kelm::PermitWindow::State::Browsing ? "saved" : "not saved");
}
BENCHMARK(saveReview)->Unit(benchmark::kMillisecond);

enum Query { Permits, Reviews };

kelm::QueryDesign designOf(Query q) { return q == Permits ? kelm::permitQueryDesign() : kelm::reviewQueryDesign(); }

void typeKey(QLineEdit *box, const QString &text)
{
    QInputMethodEvent e;
    e.setCommitString(text);
    QApplication::sendEvent(box, &e);
}

// Opening the window: the list by permit number, its first block, the count.
void firstScreen(benchmark::State &state, Query q)
{
    for (auto _ : state) {
        kelm::QueryWindow w(designOf(q));
        w.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(w.countBox()->text());
    }
}
BENCHMARK_CAPTURE(firstScreen, xkzcx, Permits)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(firstScreen, nscx, Reviews)->Unit(benchmark::kMillisecond);

// A column button: the whole list in the button's order, and its count.
void reSort(benchmark::State &state, Query q)
{
    const kelm::QueryDesign design = designOf(q);
    kelm::QueryWindow w(design);
    w.show();
    const int button = int(state.range(0));
    if (button >= int(design.buttons.size())) {
        state.SkipWithError("no such button");
        return;
    }
    const int other = button == 0 ? 1 : 0;
    for (auto _ : state) {
        state.PauseTiming();
        w.chooseColumn(other);
        state.ResumeTiming();
        w.chooseColumn(button);
        QApplication::processEvents();
    }
    state.SetLabel(design.buttons[std::size_t(button)].column.toStdString());
}
BENCHMARK_CAPTURE(reSort, xkzcx, Permits)->DenseRange(0, 7)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(reSort, nscx, Reviews)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);

// One keystroke in the filter box: the narrowed list and its count. The
// number's first digit keeps all million rows, the worst count.
void filterKeystroke(benchmark::State &state, Query q, int button, QString before, QString key)
{
    kelm::QueryWindow w(designOf(q));
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
BENCHMARK_CAPTURE(filterKeystroke, xkzcx_number_2, Permits, 0, u""_s, u"2"_s)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filterKeystroke, xkzcx_number_20021, Permits, 0, u"2002"_s, u"1"_s)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filterKeystroke, xkzcx_name_城, Permits, 3, u""_s, u"城"_s)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filterKeystroke, xkzcx_issued_2003, Permits, 6, u"200"_s, u"3"_s)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filterKeystroke, xkzcx_nothing, Permits, 7, u"无此"_s, u"项"_s)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filterKeystroke, nscx_number_2, Reviews, 0, u""_s, u"2"_s)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filterKeystroke, nscx_result_城, Reviews, 5, u""_s, u"城"_s)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filterKeystroke, nscx_due_2004, Reviews, 6, u"200"_s, u"4"_s)->Unit(benchmark::kMillisecond);

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
