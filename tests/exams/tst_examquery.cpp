// The examination query over a small examination table: its opening
// state, the list of every column button, the filter typed key by key and
// emptied, the list report previewed from exactly the rows shown, and the
// hand-over with the register: the register closes before the query opens
// and a double-click opens it again on the chosen record. Needs widgets.
#include "data/listquery.h"
#include "data/reportsources.h"
#include "examfixture.h"
#include "exams/examquery.h"
#include "exams/examquerywindow.h"
#include "platform/busypointer.h"
#include "platform/gridlabel.h"
#include "platform/modal.h"
#include "platform/reportpreview.h"
#include "registers/columnbutton.h"
#include "registers/querywindow.h"
#include "shell/mainwindow.h"
#include "support/testdb.h"
#include "support/ui/recordingprinter.h"
#include "support/ui/scriptedmessages.h"

#include <QAction>
#include <QHeaderView>
#include <QMenuBar>
#include <QTableView>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::test;

namespace {

struct Exam {
    QString no, date, name, sex, work, unit, address, exam, training, transfer;
};

const std::vector<Exam> exams = {
    {u"20020003"_s, u"2002-05-01"_s, u"张三"_s, u"男"_s, u"厨师"_s, u"城关饭店"_s, u"人民路1号"_s, u"合格"_s,
     u"合格"_s, QString()},
    {u"20020001"_s, u"2002/1/15"_s, u"O'Neil"_s, u"女"_s, u"服务员"_s, u"东方宾馆"_s, u"解放路2号"_s,
     u"不合格"_s, u"合格"_s, QString()},
    {u"20030001"_s, u"2003-03-10"_s, u"李四"_s, u"男"_s, u"厨师"_s, u"城关饭店二部"_s, u"人民路3号"_s,
     u"合格"_s, u"不合格"_s, u"2004-01-02"_s},
    {u"20030002"_s, QString(), u"王五"_s, u"女"_s, u"100%保洁"_s, u"红星浴室"_s, u"中山路4号"_s, u"不合格"_s,
     u"不合格"_s, QString()},
    {u"20010009"_s, u"2001-12-31"_s, u"赵六"_s, u"男"_s, u"理发师"_s, u"和平理发店"_s, QString(), u"合格"_s,
     u"合格"_s, u"2003-06-01"_s},
};
const QStringList byNumber = {u"20010009"_s, u"20020001"_s, u"20020003"_s, u"20030001"_s, u"20030002"_s};

template <typename T> T *topLevel()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *t = qobject_cast<T *>(w); t && t->isVisible())
            return t;
    return nullptr;
}

QStringList numbers(const QueryWindow &w)
{
    QStringList out;
    for (int r = 0; r < w.model()->rowCount(); ++r)
        out << w.model()->text(r, 0);
    return out;
}

void doubleClickRow(QueryWindow *w, int row)
{
    QTableView *grid = w->grid();
    const QPoint at = grid->visualRect(w->model()->index(row, 1)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
}

QStringList visibleWorkWindows()
{
    QStringList out;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<FormWindow *>(w) && w->isVisible())
            out << w->windowTitle();
    return out;
}

const QString registerCaption = u"健康检查及卫生知识培训信息管理"_s;
const QString queryCaption = u"健康体检及卫生知识培训信息查询"_s;

} // namespace

class TestExamQuery : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void opening();
    void typingBeforeAnyButton();
    void columnButtons();
    void buttonEmptiesTheFilter();
    void filter_data();
    void filter();
    void previewShowsTheRowsShown();
    void listReportLayouts();
    void doubleClickReopensTheRegister();
    void closingLeadsToTheMainWindow();
    void doubleClickOnEmptyList();
    void fromTheMenuAndBack();

private:
    QueryWindow *open();

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<QWidget> m_main; // stands for the main window
};

void TestExamQuery::init()
{
    setModalMode(ModalMode::NonBlocking);
    resetAppValues();
    ScriptedMessages::install();
    RecordingPrinter::install();
    m_db = std::make_unique<TestDatabase>();
    for (const Exam &e : exams)
        addExam(m_db->db(), e.no,
                {{u"tjrq"_s, e.date}, {u"xm"_s, e.name}, {u"xb"_s, e.sex}, {u"gz"_s, e.work}, {u"dwmc"_s, e.unit},
                 {u"dz"_s, e.address}, {u"tjhg"_s, e.exam}, {u"pxhg"_s, e.training}, {u"dlsj"_s, e.transfer}});
    m_main = std::make_unique<QWidget>();
    m_main->show();
}

void TestExamQuery::cleanup()
{
    deleteWorkWindows();
    m_main.reset();
    m_db.reset();
}

QueryWindow *TestExamQuery::open()
{
    openExamQuery(m_main.get());
    return topLevel<QueryWindow>();
}

void TestExamQuery::opening()
{
    QueryWindow *w = open();
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), queryCaption);
    QCOMPARE(w->size(), QSize(px(11370), px(6990)));
    QVERIFY(w->minimumSize() != w->maximumSize()); // a sizable border
    QCOMPARE(w->grid()->geometry(), pxRect(0, 0, 11295, 5775));
    QCOMPARE(w->grid()->toolTip(), u"双击所选记录显示详细信息。"_s);
    QCOMPARE(w->countBox()->width(), px(2535));
    QCOMPARE(w->printButton()->text(), u"打印查询"_s);
    QCOMPARE(w->closeButton()->text(), u"关闭"_s);
    QStringList heads;
    for (int c = 0; c < w->model()->columnCount(); ++c)
        heads << w->model()->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(heads, QStringList({u"体检编号"_s, u"体检日期"_s, u"姓名"_s, u"性别"_s, u"工种"_s, u"单位名称"_s,
                                 u"地址"_s, u"体检结果"_s, u"培训结果"_s, u"调离时间"_s}));
    QCOMPARE(numbers(*w), byNumber);
    QCOMPARE(w->countBox()->text(), u"查询总数合计：5"_s);
    QCOMPARE(w->promptLabel()->text(), u"体检编号："_s);
    QCOMPARE(w->chosenButton(), -1);
    for (int i = 0; i < 8; ++i)
        QVERIFY(!w->columnButton(i)->isChosen());
    QCOMPARE(w->focusWidget(), w->closeButton());
    QCOMPARE(app().listQuery, (ListQuery{u"jktj"_s, u"tjbh"_s, {}, {}}));
    const QFontMetrics heading(w->grid()->horizontalHeader()->font());
    for (int c = 0; c < w->model()->columnCount(); ++c)
        QVERIFY(w->grid()->columnWidth(c) > heading.horizontalAdvance(heads[c]) + 8);
}

// With no column chosen the filter changes no list, only writes the count
// again.
void TestExamQuery::typingBeforeAnyButton()
{
    QueryWindow *w = open();
    type(w->filterBox(), u"2003"_s);
    QCOMPARE(numbers(*w), byNumber);
    QCOMPARE(w->countBox()->text(), u"查询总数合计：5"_s);
    QCOMPARE(app().listQuery, (ListQuery{u"jktj"_s, u"tjbh"_s, {}, {}}));
}

// Each button sorts by its column: the list, the prompt, the look.
void TestExamQuery::columnButtons()
{
    const QueryDesign d = examQueryDesign();
    const QStringList captions = {u"体检编号"_s, u"体检时间"_s, u"  姓 名"_s, u"  工 种"_s,
                                  u"单位名称"_s, u"单位地址"_s, u"体检结果"_s, u"调离时间"_s};
    const QStringList prompts = {u"体检编号："_s, u"体检日期："_s, u"姓    名："_s, u"工    种："_s,
                                 u"单位名称："_s, u"地    址："_s, u"体检结果："_s, u"调离日期："_s};
    const QStringList columns = {u"tjbh"_s, u"tjrq"_s, u"xm"_s, u"gz"_s, u"dwmc"_s, u"dz"_s, u"tjhg"_s, u"dlsj"_s};
    QCOMPARE(d.buttons.size(), std::size_t(8));
    QueryWindow *w = open();
    for (int i = 0; i < 8; ++i) {
        QTest::mouseClick(w->columnButton(i)->captionLabel(), Qt::LeftButton);
        QCOMPARE(w->chosenButton(), i);
        QCOMPARE(app().listQuery, (ListQuery{u"jktj"_s, columns[i], {}, {}}));
        QCOMPARE(w->promptLabel()->text(), prompts[i]);
        QCOMPARE(w->columnButton(i)->text(), captions[i]);
        QCOMPARE(w->columnButton(i)->pos(), QPoint(px(360 + 960 * i), px(600)));
        QCOMPARE(w->columnButton(i)->width(), px(975));
        QCOMPARE(w->countBox()->text(), u"查询总数合计：5"_s);
        const auto at = std::find_if(d.gridColumns.begin(), d.gridColumns.end(),
                                     [&](const GridColumn &g) { return g.column == columns[i]; });
        QVERIFY(at != d.gridColumns.end());
        QStringList shown;
        for (int r = 0; r < w->model()->rowCount(); ++r)
            shown << w->model()->text(r, int(at - d.gridColumns.begin()));
        QStringList sorted = shown;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(shown, sorted);
    }
}

// A button clicked while the filter holds text empties it and lists the
// whole table in its own column's order.
void TestExamQuery::buttonEmptiesTheFilter()
{
    QueryWindow *w = open();
    w->columnButton(6)->click();
    type(w->filterBox(), u"不"_s);
    QCOMPARE(w->countBox()->text(), u"查询总数合计：2"_s);
    w->columnButton(2)->click();
    QCOMPARE(w->filterBox()->text(), QString());
    QCOMPARE(w->model()->rowCount(), 5);
    QCOMPARE(w->countBox()->text(), u"查询总数合计：5"_s);
    QCOMPARE(app().listQuery, (ListQuery{u"jktj"_s, u"xm"_s, {}, {}}));
    QCOMPARE(w->promptLabel()->text(), u"姓    名："_s);
}

void TestExamQuery::filter_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QStringList>("expected"); // numbers after the last key, in the list's order
    QTest::newRow("passed examinations") << 6 << QStringList{u"合"_s}
                                         << QStringList{u"20020003"_s, u"20030001"_s, u"20010009"_s};
    QTest::newRow("failed examinations") << 6 << QStringList{u"不"_s}
                                         << QStringList{u"20020001"_s, u"20030002"_s};
    QTest::newRow("examined in 2002, dates as typed")
        << 1 << QStringList{u"2"_s, u"0"_s, u"0"_s, u"2"_s} << QStringList{u"20020003"_s, u"20020001"_s};
    QTest::newRow("two Chinese characters") << 4 << QStringList{u"城关"_s}
                                            << QStringList{u"20020003"_s, u"20030001"_s};
    QTest::newRow("apostrophe is data") << 2 << QStringList{u"O"_s, u"'"_s} << QStringList{u"20020001"_s};
    QTest::newRow("percent is data") << 3 << QStringList{u"100%"_s} << QStringList{u"20030002"_s};
    QTest::newRow("empty transfer dates never match")
        << 7 << QStringList{u"2"_s} << QStringList{u"20010009"_s, u"20030001"_s};
    QTest::newRow("number, in number order") << 0 << QStringList{u"2003"_s}
                                             << QStringList{u"20030001"_s, u"20030002"_s};
    QTest::newRow("matches nothing") << 5 << QStringList{u"无此"_s} << QStringList{};
}

// The typed text reaches the statement only as a bound value; taking the
// text away key by key ends on the whole table in the column's order.
void TestExamQuery::filter()
{
    QFETCH(int, button);
    QFETCH(QStringList, keys);
    QFETCH(QStringList, expected);
    QueryWindow *w = open();
    w->columnButton(button)->click();
    QCOMPARE(w->focusWidget(), w->filterBox());
    for (const QString &k : keys)
        type(w->filterBox(), k);
    const QString column = examQueryDesign().buttons[std::size_t(button)].column;
    const QString text = keys.join(QString());
    QCOMPARE(numbers(*w), expected);
    QCOMPARE(w->countBox()->text(), u"查询总数合计：%1"_s.arg(expected.size()));
    QCOMPARE(app().listQuery, (ListQuery{u"jktj"_s, column, column, text}));
    const ListStatement s = listStatement(app().listQuery);
    QCOMPARE(s.params, Params{text});
    QVERIFY(!s.sql.contains(text));

    while (!w->filterBox()->text().isEmpty())
        QTest::keyClick(w->filterBox(), Qt::Key_Backspace);
    QCOMPARE(w->model()->rowCount(), 5);
    QCOMPARE(w->countBox()->text(), u"查询总数合计：5"_s);
    QCOMPARE(app().listQuery, (ListQuery{u"jktj"_s, column, {}, {}}));
}

void TestExamQuery::previewShowsTheRowsShown()
{
    QueryWindow *w = open();
    w->columnButton(1)->click();
    type(w->filterBox(), u"200"_s);
    w->printButton()->click();
    auto *preview = topLevel<report::ReportPreview>();
    QVERIFY(preview);
    QCOMPARE(preview->windowTitle(), u"健康体检及卫生知识培训查询列表打印预演"_s);
    const QStringList texts = report::pageTexts(preview->pages().page(0));
    QVERIFY(texts.contains(u"健 康 体 检 及 卫 生 知 识 培 训 查 询 列 表"_s));
    QCOMPARE(texts.mid(texts.indexOf(u"20010009"_s)),
             QStringList({u"20010009"_s, u"2001-12-31"_s, u"赵六"_s,    u"男"_s,          u"理发师"_s,
                          u"和平理发店"_s, u"合格"_s,     u"合格"_s,    u"2003-06-01"_s,  u"20020003"_s,
                          u"2002-05-01"_s, u"张三"_s,     u"男"_s,      u"厨师"_s,        u"城关饭店"_s,
                          u"人民路1号"_s,  u"合格"_s,     u"合格"_s,    u"20020001"_s,    u"2002/1/15"_s,
                          u"O'Neil"_s,     u"女"_s,       u"服务员"_s,  u"东方宾馆"_s,    u"解放路2号"_s,
                          u"不合格"_s,     u"合格"_s,     u"20030001"_s, u"2003-03-10"_s, u"李四"_s,
                          u"男"_s,         u"厨师"_s,     u"城关饭店二部"_s, u"人民路3号"_s, u"合格"_s,
                          u"不合格"_s,     u"2004-01-02"_s}));
    preview->close();
    QVERIFY(w->isVisible());
}

void TestExamQuery::listReportLayouts()
{
    app().listQuery = {u"jktj"_s, u"tjbh"_s, {}, {}};
    const report::PageModel list = buildReport(listReportLayout(examQueryDesign().listReport));
    QCOMPARE(list.caption, u"健康体检及卫生知识培训查询列表"_s);
    QCOMPARE(list.page.paper, QPageSize::A3);
    QCOMPARE(list.page.orientation, QPageLayout::Landscape);
    QVERIFY(report::paperWidth(list.page) >= list.page.leftMargin + 19035);
    const QStringList texts = list.texts(0);
    const QStringList heads = {u"体检编号"_s, u"体检日期"_s, u"姓  名"_s, u"性别"_s, u"工  种"_s,
                               u"       单   位   名   称"_s, u"        单   位  地   址"_s,
                               u"体检结果"_s, u"培训结果"_s, u"调离时间"_s};
    QCOMPARE(texts.mid(texts.indexOf(heads[0]), heads.size()), heads);
    // A vertical rule at each column bound through the heads and every row.
    const int margin = list.page.leftMargin;
    for (int x : {30, 1140, 2520, 3690, 4440, 5700, 10410, 15510, 16590, 17700, 19035}) {
        int rules = 0;
        for (const report::PageItem &i : list.pages[0].items)
            rules += i.kind == report::ItemKind::Line && i.width == 0 && i.left == margin + x;
        QCOMPARE(rules, 1 + int(exams.size()));
    }
}

// The query's double-click opens the register on the chosen record after
// the query has gone; closing that register leads back to the main window.
void TestExamQuery::doubleClickReopensTheRegister()
{
    openModal(m_main.get(), new ExamRegisterWindow(m_main.get()));
    auto *first = qobject_cast<ExamRegisterWindow *>(openWindow(registerCaption));
    QVERIFY(first);
    first->record()->moveFirst();
    first->findChild<QPushButton *>(u"Command6"_s)->click();
    QCOMPARE(visibleWorkWindows(), QStringList{queryCaption});
    QCOMPARE(app().examReturn, 0);
    auto *query = topLevel<QueryWindow>();
    query->columnButton(4)->click();
    type(query->filterBox(), u"城关"_s);
    doubleClickRow(query, 1);
    QCOMPARE(visibleWorkWindows(), QStringList{registerCaption});
    auto *again = qobject_cast<ExamRegisterWindow *>(openWindow(registerCaption));
    QVERIFY(again && again != first);
    QCOMPARE(again->findChild<QLineEdit *>(u"Text1_0"_s)->text(), u"20030001"_s);
    QCOMPARE(again->findChild<QLineEdit *>(u"Text1_6"_s)->text(), u"城关饭店二部"_s);
    QCOMPARE(again->findChild<RecordNavigator *>()->caption(), u"记录：共5条  第3条"_s);
    QCOMPARE(again->state(), ExamRegisterWindow::State::Browsing);
    QCOMPARE(app().examNo, u"20030001"_s);
    QCOMPARE(app().examReturn, 1);
    QVERIFY(!hourglassShown());

    // From the reopened register the query opens again the same way.
    again->findChild<QPushButton *>(u"Command6"_s)->click();
    query = topLevel<QueryWindow>();
    QVERIFY(query);
    QCOMPARE(query->chosenButton(), -1);
    doubleClickRow(query, 0);
    again = qobject_cast<ExamRegisterWindow *>(openWindow(registerCaption));
    QCOMPARE(again->findChild<QLineEdit *>(u"Text1_0"_s)->text(), u"20010009"_s);
    again->close();
    QCOMPARE(app().examReturn, 0);
    QCOMPARE(visibleWorkWindows(), QStringList());
}

void TestExamQuery::closingLeadsToTheMainWindow()
{
    openModal(m_main.get(), new ExamRegisterWindow(m_main.get()));
    openWindow(registerCaption)->findChild<QPushButton *>(u"Command6"_s)->click();
    auto *query = topLevel<QueryWindow>();
    QVERIFY(query);
    query->closeButton()->click();
    QCOMPARE(visibleWorkWindows(), QStringList());
    QCOMPARE(app().examReturn, 0);
}

// With no row to choose the double-click does nothing: the query stays.
void TestExamQuery::doubleClickOnEmptyList()
{
    QueryWindow *w = open();
    w->columnButton(0)->click();
    type(w->filterBox(), u"1999"_s);
    QCOMPARE(w->model()->rowCount(), 0);
    QTest::mouseDClick(w->grid()->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(visibleWorkWindows(), QStringList{queryCaption});
    QCOMPARE(app().examReturn, 0);
}

// The menu item opens the register with the hourglass until it is active;
// after the round trip through the query the pointer is the default one.
void TestExamQuery::fromTheMenuAndBack()
{
    MainWindow main;
    main.show();
    QAction *item = main.findChild<QAction *>(u"tjb"_s);
    QVERIFY(item);
    item->trigger();
    auto *reg = qobject_cast<ExamRegisterWindow *>(openWindow(registerCaption));
    QVERIFY(reg);
    QCOMPARE(reg->windowModality(), Qt::ApplicationModal);
    QVERIFY(!hourglassShown());
    QCOMPARE(reg->findChild<QLineEdit *>(u"Text1_0"_s)->text(), u"20010009"_s); // the last in table order
    reg->findChild<QPushButton *>(u"Command6"_s)->click();
    auto *query = topLevel<QueryWindow>();
    QVERIFY(query);
    QCOMPARE(query->parentWidget(), &main);
    QVERIFY(!hourglassShown());
    doubleClickRow(query, 2);
    reg = qobject_cast<ExamRegisterWindow *>(openWindow(registerCaption));
    QVERIFY(reg);
    QCOMPARE(reg->findChild<QLineEdit *>(u"Text1_0"_s)->text(), u"20020003"_s);
    reg->close();
    QCOMPARE(visibleWorkWindows(), QStringList());
    QVERIFY(!hourglassShown());
}

QTEST_MAIN(TestExamQuery)
#include "tst_examquery.moc"
