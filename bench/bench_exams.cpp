// The examination windows at 1,000,000 examination records, through their
// controls: the register opening, moving, finding and storing; the query
// opening, re-sorting by each column button, narrowing at each filter
// keystroke, and handing a double-clicked record back to a new register.
#include "exams/examquerywindow.h"
#include "fixture.h"

#include "data/appvalues.h"
#include "data/connection.h"
#include "data/prepare.h"
#include "exams/examquery.h"
#include "exams/examregisterwindow.h"
#include "platform/boundrecord.h"
#include "platform/database.h"
#include "platform/modal.h"
#include "registers/querywindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <SQLiteCpp/SQLiteCpp.h>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int examCount = 1000000;

// 100 years of 10,000 examinations, numbered by year and serial and entered
// in that order: 1905xxxx to 2004xxxx.
QString examNumber(int i) { return u"%1%2"_s.arg(1905 + i / 10000).arg(i % 10000, 4, 10, QChar(u'0')); }

const QStringList surnames = {u"张"_s, u"王"_s, u"李"_s, u"赵"_s, u"刘"_s, u"陈"_s, u"杨"_s, u"黄"_s, u"周"_s,
                              u"吴"_s, u"徐"_s, u"孙"_s, u"马"_s, u"朱"_s, u"胡"_s, u"林"_s, u"郭"_s, u"何"_s,
                              u"高"_s, u"罗"_s};
const QStringList givenNames = {u"伟"_s, u"芳"_s, u"娜"_s, u"敏"_s, u"静"_s, u"强"_s, u"磊"_s, u"军"_s,
                                u"洋"_s, u"勇"_s, u"艳"_s, u"杰"_s, u"涛"_s, u"明"_s, u"超"_s, u"秀英"_s};
const QStringList works = {u"厨师"_s, u"服务员"_s, u"保洁"_s, u"理发师"_s, u"营业员"_s, u"配餐员"_s,
                           u"搓澡工"_s, u"仓管员"_s};
const QStringList units = {u"城关饭店"_s, u"新华食品厂"_s, u"东方宾馆"_s, u"红星浴室"_s, u"阳光超市"_s,
                           u"金桥酒家"_s, u"和平理发店"_s, u"明珠歌舞厅"_s};
const QStringList streets = {u"人民路"_s, u"解放路"_s, u"中山路"_s, u"建设路"_s, u"和平街"_s, u"新华街"_s};

// One examination in ten failed, one training in seven; one passed worker
// in twenty transferred.
void make(const QString &path)
{
    kelm::prepareDatabase(path);
    kelm::Database db(path, kelm::storedSchema());
    SQLite::Database &raw = db.raw();
    raw.exec("PRAGMA synchronous=OFF");
    raw.exec("PRAGMA journal_mode=OFF");
    SQLite::Transaction tx(raw);
    SQLite::Statement st(raw, "INSERT INTO jktj (tjbh, tjrq, xm, xb, nl, gz, dwmc, dz, tjjl, pxjl, dlsh, dlsj, jbr, "
                              "jsr, tjhg, pxhg) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (int i = 0; i < examCount; ++i) {
        const int year = 1905 + i / 10000;
        const bool failed = i % 10 == 3;
        const bool transferred = !failed && i % 20 == 7;
        auto date = [](int y, int k) {
            return u"%1-%2-%3"_s.arg(y).arg(1 + k % 12, 2, 10, QChar(u'0')).arg(1 + k % 28, 2, 10, QChar(u'0'));
        };
        const QStringList values = {
            examNumber(i),
            date(year, i * 7),
            surnames[i % surnames.size()] + givenNames[(i / 20) % givenNames.size()],
            i % 2 ? u"男"_s : u"女"_s,
            QString::number(18 + i % 40),
            works[(i / 3) % works.size()],
            units[i % units.size()] + u"%1号店"_s.arg(i % 97),
            streets[i % streets.size()] + u"%1号"_s.arg(1 + i % 300),
            failed ? u"乙肝表面抗原阳性"_s : u"未见异常"_s,
            u"已参加卫生知识培训"_s,
            transferred ? u"调字第%1号"_s.arg(i) : QString(),
            transferred ? date(year, i * 11) : QString(),
            transferred ? u"李明"_s : QString(),
            transferred ? u"王芳"_s : QString(),
            failed ? u"不合格"_s : u"合格"_s,
            i % 7 == 5 ? u"不合格"_s : u"合格"_s,
        };
        for (int c = 0; c < values.size(); ++c)
            st.bind(c + 1, values[c].toStdString());
        st.exec();
        st.reset();
    }
    tx.commit();
    raw.exec("PRAGMA journal_mode=DELETE");
}

// Made on first use and kept beside the benchmark.
QString fixture()
{
    const QString dir = QCoreApplication::applicationDirPath() + u"/bench-data"_s;
    QDir().mkpath(dir);
    const QString path = dir + u"/exams-%1.mdb"_s.arg(examCount);
    if (!QFile::exists(path)) {
        QFile::remove(path + u".tmp"_s);
        make(path + u".tmp"_s);
        QFile::rename(path + u".tmp"_s, path);
    }
    kelm::fixture::syncFile(path);
    return path;
}

void openRegister(benchmark::State &state)
{
    for (auto _ : state) {
        kelm::ExamRegisterWindow w;
        w.activated();
        benchmark::DoNotOptimize(w.record()->recordCount());
    }
}
BENCHMARK(openRegister)->Unit(benchmark::kMillisecond);

void moveNext(benchmark::State &state)
{
    kelm::ExamRegisterWindow w;
    for (auto _ : state)
        if (!w.record()->moveNext())
            w.record()->moveFirst();
}
BENCHMARK(moveNext)->Unit(benchmark::kMillisecond);

void movePrevious(benchmark::State &state)
{
    kelm::ExamRegisterWindow w;
    w.record()->moveLast();
    for (auto _ : state)
        if (!w.record()->movePrevious())
            w.record()->moveLast();
}
BENCHMARK(movePrevious)->Unit(benchmark::kMillisecond);

// From the first record to the last, so each step really moves.
void moveLast(benchmark::State &state)
{
    kelm::ExamRegisterWindow w;
    for (auto _ : state) {
        state.PauseTiming();
        w.record()->moveFirst();
        state.ResumeTiming();
        w.record()->moveLast();
    }
}
BENCHMARK(moveLast)->Unit(benchmark::kMillisecond);

// What becoming active after a double-click in the query does.
void findRecord(benchmark::State &state)
{
    kelm::ExamRegisterWindow w;
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(w.record()->findFirst(u"tjbh"_s, examNumber((i++ * 7919) % examCount)));
}
BENCHMARK(findRecord)->Unit(benchmark::kMillisecond);

// 确认 after one changed box: the check, the durable write, the record shown
// again.
void saveRecord(benchmark::State &state)
{
    kelm::ExamRegisterWindow w;
    w.record()->findFirst(u"tjbh"_s, examNumber(4321));
    auto *box = w.findChild<QLineEdit *>(u"Text1_4"_s);
    auto *save = w.findChild<QPushButton *>(u"Command3"_s);
    int i = 0;
    for (auto _ : state) {
        box->setText(QString::number(i++));
        save->click();
    }
    state.SetLabel(w.state() == kelm::ExamRegisterWindow::State::Browsing ? "saved" : "not saved");
}
BENCHMARK(saveRecord)->Unit(benchmark::kMillisecond);

void typeKey(QLineEdit *box, const QString &text)
{
    QInputMethodEvent e;
    e.setCommitString(text);
    QApplication::sendEvent(box, &e);
}

// Opening the query: the list by examination number, its first block, the
// count.
void firstScreen(benchmark::State &state)
{
    for (auto _ : state) {
        kelm::QueryWindow w(kelm::examQueryDesign());
        w.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(w.countBox()->text());
    }
}
BENCHMARK(firstScreen)->Unit(benchmark::kMillisecond);

// A column button: the whole list in the button's order, and its count.
void reSort(benchmark::State &state)
{
    const kelm::QueryDesign design = kelm::examQueryDesign();
    kelm::QueryWindow w(design);
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
    state.SetLabel(design.buttons[std::size_t(button)].column.toStdString());
}
BENCHMARK(reSort)->DenseRange(0, 7)->Unit(benchmark::kMillisecond);

// One keystroke in the filter box: the narrowed list and its count.
void filterKeystroke(benchmark::State &state, int button, QString before, QString key)
{
    kelm::QueryWindow w(kelm::examQueryDesign());
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
BENCHMARK_CAPTURE(filterKeystroke, number_1, 0, u""_s, u"1"_s)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filterKeystroke, number_2004, 0, u"200"_s, u"4"_s)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filterKeystroke, date_2002, 1, u"200"_s, u"2"_s)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filterKeystroke, name_张, 2, u""_s, u"张"_s)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filterKeystroke, work_厨师, 3, u""_s, u"厨师"_s)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filterKeystroke, unit_城, 4, u""_s, u"城"_s)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filterKeystroke, result_合, 6, u""_s, u"合"_s)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filterKeystroke, result_不, 6, u""_s, u"不"_s)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filterKeystroke, transfer_1950, 7, u"195"_s, u"0"_s)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filterKeystroke, nothing, 5, u"无此"_s, u"路"_s)->Unit(benchmark::kMillisecond);

// A double-click in the query: the query closes and a new register opens
// on the chosen record (all its row ids read, the record found).
void doubleClickToRegister(benchmark::State &state)
{
    kelm::setModalMode(kelm::ModalMode::NonBlocking);
    QWidget main;
    for (auto _ : state) {
        state.PauseTiming();
        kelm::openExamQuery(&main);
        auto *query = main.findChild<kelm::QueryWindow *>();
        query->chooseColumn(0);
        typeKey(query->filterBox(), u"1950"_s);
        query->grid()->setCurrentIndex(query->model()->index(3, 0));
        state.ResumeTiming();
        query->chooseRow();
        state.PauseTiming();
        auto *reg = main.findChild<kelm::ExamRegisterWindow *>();
        state.SetLabel(reg ? kelm::app().examNo.toStdString() : "no register");
        if (reg)
            reg->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(doubleClickToRegister)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    kelm::setDatabasePath(fixture());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    kelm::closeDatabase();
    return 0;
}
