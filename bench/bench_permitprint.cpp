// Permit printing, through the windows offscreen: 打印正本 and 打印副本 from
// the permit register (layout read, three texts cut, print window opened
// and its preview drawn over the picture, closed again), a print button
// click laid out into the sheet handed to the printer (a sink that keeps
// nothing) and drawn into a PDF file, the line split alone, and the layout
// editor opening and storing a change.
#include "fixture.h"

#include "data/connection.h"
#include "permits/permitregisterwindow.h"
#include "permits/printing/layouteditorwindow.h"
#include "permits/printing/linesplit.h"
#include "permits/printing/previewwindow.h"
#include "platform/modal.h"
#include "platform/printsink.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

const kelm::fixture::Size permits{0, 1000, 0};

// Takes every page as a printer does, and draws nothing.
class NullPrinter : public kelm::report::PrintSink {
public:
    kelm::report::PrintResult print(kelm::report::PageSource &pages, kelm::Progress &) override
    {
        for (int n = 0; n < pages.pageCount(); ++n)
            benchmark::DoNotOptimize(pages.page(n));
        return {};
    }
};

kelm::PermitPreviewWindow *openPreview(kelm::PermitRegisterWindow &r, const QString &button)
{
    r.findChild<QPushButton *>(button)->click();
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *p = qobject_cast<kelm::PermitPreviewWindow *>(w); p && p->isVisible())
            return p;
    return nullptr;
}

// The shown permit gets a model and texts long enough to be cut.
void showLongPermit(kelm::PermitRegisterWindow &r, const QString &model)
{
    kelm::db().exec(u"UPDATE wsxkz SET xh = ?, dwmc = ?, dwdz = ?, xkxm = ?, fzrq = '2002-10-05'"_s,
                    {model, u"Quessa区人民路一百二十三号食品有限责任公司第一分店附属餐厅"_s,
                     u"Quessa区人民路一百二十三号（市场东门对面）二楼"_s,
                     u"熟食卤味、凉菜、冷饮、预包装食品、散装食品、餐饮服务"_s});
    r.record()->requery();
    r.record()->moveLast();
}

// The previews read their pictures from the program folder: the build
// folder, one above the benchmark.
void providePictures()
{
    const QString bench = QCoreApplication::applicationDirPath();
    QDir().mkpath(bench + u"/picture"_s);
    for (const QString &f : {u"z1.jpg"_s, u"z2.jpg"_s, u"z3.jpg"_s, u"fb.jpg"_s})
        QFile::copy(bench + u"/../picture/"_s + f, bench + u"/picture/"_s + f);
}

void preparePreview(benchmark::State &state)
{
    providePictures();
    kelm::setDatabasePath(kelm::fixture::cached(permits));
    kelm::setModalMode(kelm::ModalMode::NonBlocking);
    {
        kelm::PermitRegisterWindow r;
        showLongPermit(r, u"NO.Y.05-1"_s);
        const QString button = state.range(0) ? u"Command6"_s : u"Command5"_s;
        for (auto _ : state) {
            kelm::PermitPreviewWindow *w = openPreview(r, button);
            w->close();
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
    kelm::closeDatabase();
}
BENCHMARK(preparePreview)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void printSheet(benchmark::State &state, std::unique_ptr<kelm::report::PrintSink> sink)
{
    kelm::setDatabasePath(kelm::fixture::cached(permits));
    kelm::setModalMode(kelm::ModalMode::NonBlocking);
    kelm::report::setPrintSink(std::move(sink));
    {
        kelm::PermitRegisterWindow r;
        showLongPermit(r, u"NO.Y.05-1"_s);
        kelm::PermitPreviewWindow *w = openPreview(r, state.range(0) ? u"Command6"_s : u"Command5"_s);
        QPushButton *print = w->findChild<QPushButton *>(u"Command1"_s);
        for (auto _ : state)
            print->click();
        w->close();
    }
    kelm::report::setPrintSink(nullptr);
    kelm::closeDatabase();
}

void printLaidOut(benchmark::State &state) { printSheet(state, std::make_unique<NullPrinter>()); }
BENCHMARK(printLaidOut)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void printToPdf(benchmark::State &state)
{
    QTemporaryDir dir;
    printSheet(state, std::make_unique<kelm::report::PdfSink>(dir.filePath(u"permit.pdf"_s)));
}
BENCHMARK(printToPdf)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void splitLongText(benchmark::State &state)
{
    const QString text = u"熟食卤味、凉菜、冷饮、预包装食品、散装食品、餐饮服务"_s.repeated(4);
    for (auto _ : state)
        benchmark::DoNotOptimize(kelm::splitOnGrid(text, 65, 10));
}
BENCHMARK(splitLongText)->Unit(benchmark::kMicrosecond);

void layoutEditor(benchmark::State &state)
{
    kelm::setDatabasePath(kelm::fixture::cached(permits));
    if (state.range(0) == 0) {
        for (auto _ : state) {
            kelm::LayoutEditorWindow e;
            e.activated();
        }
    } else {
        kelm::LayoutEditorWindow e;
        e.activated();
        auto *top = e.findChild<QLineEdit *>(u"Text1_0"_s);
        QPushButton *confirm = e.findChild<QPushButton *>(u"Command1"_s);
        int i = 0;
        for (auto _ : state) {
            top->setText(QString::number(++i % 10));
            confirm->click();
        }
    }
    kelm::closeDatabase();
}
BENCHMARK(layoutEditor)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

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
