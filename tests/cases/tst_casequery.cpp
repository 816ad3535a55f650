// The case query window over a small case table: opening state, the
// column buttons, the filter box typed key by key (Chinese through the
// input method), the count box, the double-click return to the register,
// and the list report previewed from exactly the rows shown. Needs widgets.
#include "cases/register/casequery.h"
#include "cases/register/casequerywindow.h"
#include "data/appvalues.h"
#include "data/connection.h"
#include "data/reportsources.h"
#include "platform/gridlabel.h"
#include "platform/modal.h"
#include "platform/pageview.h"
#include "platform/reportpreview.h"
#include "platform/units.h"
#include "registers/columnbutton.h"
#include "registers/querywindow.h"
#include "support/testdb.h"
#include "support/ui/recordingprinter.h"
#include "support/ui/scriptedmessages.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;

namespace {

struct Case {
    QString no, name, address, person, nature, phone;
};

const std::vector<Case> cases = {
    {u"20020003"_s, u"城关饭店"_s, u"人民路1号"_s, u"张三"_s, u"集体"_s, u"5551001"_s},
    {u"20020001"_s, u"O'Brien餐厅"_s, u"解放路2号"_s, u"李四"_s, u"个体"_s, u"5551002"_s},
    {u"20030001"_s, u"100%纯净水厂"_s, u"人民路3号"_s, u"王五"_s, u"国有"_s, u"5551003"_s},
    {u"20020002"_s, u"城关饭店二部"_s, u"中山路4号"_s, u"赵六"_s, u"个体"_s, u"5551004"_s},
    {u"20030002"_s, u"a_b商行"_s, u"中山路5号"_s, u"孙七"_s, u"集体"_s, u"5551005"_s},
};

void type(QWidget *w, const QString &text)
{
    QInputMethodEvent e;
    e.setCommitString(text);
    QApplication::sendEvent(w, &e);
}

QStringList columnTexts(const QueryWindow &w, int c)
{
    QStringList out;
    for (int r = 0; r < w.model()->rowCount(); ++r)
        out << w.model()->text(r, c);
    return out;
}

template <typename T> T *topLevel()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *t = qobject_cast<T *>(w); t && t->isVisible())
            return t;
    return nullptr;
}

// Cases 20050001 onwards, all of the unit "单位".
void addCases2005(int n)
{
    Transaction tx(db());
    for (int i = 1; i <= n; ++i)
        db().insertRow(u"xzcf"_s, {u"dabh"_s, u"dwmc"_s}, {u"2005%1"_s.arg(i, 4, 10, QChar(u'0')), u"单位"_s});
    tx.commit();
}

void doubleClickRow(QueryWindow &w, int row)
{
    QWidget *vp = w.grid()->viewport();
    const QPoint at = w.grid()->visualRect(w.model()->index(row, 1)).center();
    QTest::mouseClick(vp, Qt::LeftButton, {}, at);
    QTest::mouseDClick(vp, Qt::LeftButton, {}, at);
}

} // namespace

class TestCaseQuery : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void opensOnEveryCase();
    void typingBeforeChoosingChangesNothing();
    void filterKeyByKey_data();
    void filterKeyByKey();
    void anotherColumnClearsTheFilter();
    void doubleClickReturnsTheCase();
    void doubleClickOnEmptyListDoesNothing();
    void closeReturnsNothing();
    void printPreviewsTheRowsShown();
    void listReportFailure();
    void listReportPages();
    void listIsReadABlockAtATime();
    void previewOfALongListGoesToItsLastPage();

private:
    QueryWindow *open();

    std::unique_ptr<test::TestDatabase> m_db;
    std::unique_ptr<FormWindow> m_register;
    int m_after = 0;
};

void TestCaseQuery::init()
{
    setModalMode(ModalMode::NonBlocking);
    test::ScriptedMessages::install();
    test::RecordingPrinter::install();
    m_db = std::make_unique<test::TestDatabase>();
    for (const Case &c : cases)
        QVERIFY(db().insertRow(u"xzcf"_s, {u"dabh"_s, u"dwmc"_s, u"dwdz"_s, u"fzr"_s, u"jjxz"_s, u"dh"_s},
                               {c.no, c.name, c.address, c.person, c.nature, c.phone}));
    m_register = std::make_unique<FormWindow>();
    m_register->show();
    m_after = 0;
}

void TestCaseQuery::cleanup()
{
    // Windows left open by a test; a preview goes with its query window.
    QList<QPointer<QWidget>> left;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w != m_register.get() && qobject_cast<FormWindow *>(w))
            left.append(w);
    for (const QPointer<QWidget> &w : left)
        delete w.data();
    m_register.reset();
    m_db.reset();
}

QueryWindow *TestCaseQuery::open()
{
    openCaseQuery(m_register.get(), [this] { ++m_after; });
    return topLevel<QueryWindow>();
}

void TestCaseQuery::opensOnEveryCase()
{
    QueryWindow *w = open();
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), u"卫生行政执法查询"_s);
    QCOMPARE(w->size(), QSize(px(10140), px(7185)));
    QCOMPARE(columnTexts(*w, 0), QStringList({u"20020001"_s, u"20020002"_s, u"20020003"_s, u"20030001"_s, u"20030002"_s}));
    QCOMPARE(columnTexts(*w, 1).at(0), u"O'Brien餐厅"_s);
    QCOMPARE(columnTexts(*w, 5).at(0), u"5551002"_s);
    QStringList heads;
    for (int c = 0; c < w->model()->columnCount(); ++c)
        heads << w->model()->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(heads, QStringList({u"案件编号"_s, u"单位名称"_s, u"单位地址"_s, u"负责人"_s, u"经济性质"_s, u"电话"_s}));
    QCOMPARE(w->countBox()->text(), u"查询总数合计：5"_s);
    QVERIFY(w->countBox()->isReadOnly());
    QCOMPARE(w->promptLabel()->text(), u"编    号："_s);
    QCOMPARE(w->chosenButton(), -1);
    for (int i = 0; i < 6; ++i)
        QVERIFY(!w->columnButton(i)->isChosen());
    QCOMPARE(w->columnButton(3)->text(), u"负 责 人"_s);
    QCOMPARE(w->focusWidget(), w->closeButton());
    QCOMPARE(w->grid()->toolTip(), u"双击所选记录显示详细内容"_s);
    QVERIFY(!w->closeButton()->autoDefault() && !w->printButton()->autoDefault());
    QCOMPARE(app().listQuery, (ListQuery{u"xzcf"_s, u"dabh"_s, {}, {}}));
}

void TestCaseQuery::typingBeforeChoosingChangesNothing()
{
    QueryWindow *w = open();
    type(w->filterBox(), u"城关"_s);
    QCOMPARE(w->model()->rowCount(), 5);
    QCOMPARE(w->countBox()->text(), u"查询总数合计：5"_s);
    QCOMPARE(app().listQuery, (ListQuery{u"xzcf"_s, u"dabh"_s, {}, {}}));
}

void TestCaseQuery::filterKeyByKey_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QStringList>("expected"); // numbers after the last key
    QTest::newRow("year of the case number") << 0 << QStringList{u"2"_s, u"0"_s, u"0"_s, u"3"_s}
                                             << QStringList{u"20030001"_s, u"20030002"_s};
    QTest::newRow("chinese by input method, ordered by name")
        << 1 << QStringList{u"城关"_s} << QStringList{u"20020003"_s, u"20020002"_s};
    QTest::newRow("apostrophe typed") << 1 << QStringList{u"o"_s, u"'"_s, u"B"_s} << QStringList{u"20020001"_s};
    QTest::newRow("percent typed") << 1 << QStringList{u"1"_s, u"0"_s, u"0"_s, u"%"_s} << QStringList{u"20030001"_s};
    QTest::newRow("underscore typed") << 1 << QStringList{u"a"_s, u"_"_s} << QStringList{u"20030002"_s};
    QTest::newRow("wildcard matches nothing") << 1 << QStringList{u"%"_s} << QStringList{};
    QTest::newRow("person in charge") << 3 << QStringList{u"赵"_s} << QStringList{u"20020002"_s};
    QTest::newRow("longer than every value") << 2 << QStringList{u"人民路1号后院"_s} << QStringList{};
}

void TestCaseQuery::filterKeyByKey()
{
    QFETCH(int, button);
    QFETCH(QStringList, keys);
    QFETCH(QStringList, expected);
    QueryWindow *w = open();
    w->columnButton(button)->click();
    QCOMPARE(w->chosenButton(), button);
    QCOMPARE(w->focusWidget(), w->filterBox());
    for (const QString &k : keys)
        type(w->filterBox(), k);
    const QString column = caseQueryDesign().buttons[std::size_t(button)].column;
    QCOMPARE(columnTexts(*w, 0), expected);
    QCOMPARE(w->countBox()->text(), u"查询总数合计：%1"_s.arg(expected.size()));
    QCOMPARE(app().listQuery, (ListQuery{u"xzcf"_s, column, column, keys.join(QString())}));

    // Emptying the box lists every case again, by the chosen column.
    while (!w->filterBox()->text().isEmpty())
        QTest::keyClick(w->filterBox(), Qt::Key_Backspace);
    QCOMPARE(w->model()->rowCount(), 5);
    QCOMPARE(w->countBox()->text(), u"查询总数合计：5"_s);
    QCOMPARE(app().listQuery, (ListQuery{u"xzcf"_s, column, {}, {}}));
}

void TestCaseQuery::anotherColumnClearsTheFilter()
{
    QueryWindow *w = open();
    w->columnButton(1)->click();
    QCOMPARE(w->promptLabel()->text(), u"单位名称："_s);
    type(w->filterBox(), u"城关"_s);
    QCOMPARE(w->countBox()->text(), u"查询总数合计：2"_s);

    // A click on the caption label chooses as well as one on the plate.
    QTest::mouseClick(w->columnButton(5)->captionLabel(), Qt::LeftButton);
    QCOMPARE(w->chosenButton(), 5);
    QCOMPARE(w->promptLabel()->text(), u"电    话："_s);
    QCOMPARE(w->filterBox()->text(), QString());
    QCOMPARE(w->countBox()->text(), u"查询总数合计：5"_s);
    QCOMPARE(columnTexts(*w, 5), QStringList({u"5551001"_s, u"5551002"_s, u"5551003"_s, u"5551004"_s, u"5551005"_s}));
    QCOMPARE(app().listQuery, (ListQuery{u"xzcf"_s, u"dh"_s, {}, {}}));
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(w->columnButton(i)->isChosen(), i == 5);
        const GridLabel *label = w->columnButton(i)->captionLabel();
        const QColor caption = label->palette().color(label->foregroundRole());
        QCOMPARE(caption, vbColor(i == 5 ? vbRed : vbBlack));
    }
}

void TestCaseQuery::doubleClickReturnsTheCase()
{
    app().caseNo = u"20020003"_s;
    QueryWindow *w = open();
    w->columnButton(1)->click();
    type(w->filterBox(), u"城关"_s);
    doubleClickRow(*w, 1);
    QCOMPARE(app().caseNo, u"20020002"_s);
    QCOMPARE(app().relocateCase, 1);
    QVERIFY(!w->isVisible());
    QCOMPARE(m_after, 1);
}

void TestCaseQuery::doubleClickOnEmptyListDoesNothing()
{
    app().caseNo = u"20020003"_s;
    QueryWindow *w = open();
    w->columnButton(1)->click();
    type(w->filterBox(), u"无此单位"_s);
    QCOMPARE(w->model()->rowCount(), 0);
    QTest::mouseDClick(w->grid()->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    QVERIFY(w->isVisible());
    QCOMPARE(app().caseNo, u"20020003"_s);
    QCOMPARE(app().relocateCase, 0);
    QCOMPARE(m_after, 0);
}

void TestCaseQuery::closeReturnsNothing()
{
    app().caseNo = u"20020003"_s;
    QueryWindow *w = open();
    w->columnButton(2)->click();
    type(w->filterBox(), u"人民"_s);
    w->closeButton()->click();
    QVERIFY(!w->isVisible());
    QCOMPARE(m_after, 1);
    QCOMPARE(app().caseNo, u"20020003"_s);
    QCOMPARE(app().relocateCase, 0);
    QCOMPARE(app().listQuery, (ListQuery{u"xzcf"_s, u"dwdz"_s, u"dwdz"_s, u"人民"_s}));
    // Closed, it holds no statement open, so the connection can close
    // before the window is gone.
    QCOMPARE(w->model()->rowCount(), 0);
    closeDatabase();
    // Opened again, it starts afresh.
    QApplication::processEvents();
    w = open();
    QCOMPARE(w->chosenButton(), -1);
    QCOMPARE(w->promptLabel()->text(), u"编    号："_s);
    QCOMPARE(w->model()->rowCount(), 5);
}

void TestCaseQuery::printPreviewsTheRowsShown()
{
    auto &printer = test::RecordingPrinter::install();
    QueryWindow *w = open();
    w->columnButton(1)->click();
    type(w->filterBox(), u"城关"_s);
    w->printButton()->click();
    auto *preview = topLevel<report::ReportPreview>();
    QVERIFY(preview);
    QCOMPARE(preview->windowTitle(), u"行政处罚查询列表打印预演"_s);
    const QStringList texts = report::pageTexts(preview->pages().page(0));
    QCOMPARE(texts.mid(texts.indexOf(u"20020003"_s)),
             QStringList({u"20020003"_s, u"城关饭店"_s, u"人民路1号"_s, u"张三"_s, u"集体"_s, u"5551001"_s,
                          u"20020002"_s, u"城关饭店二部"_s, u"中山路4号"_s, u"赵六"_s, u"个体"_s, u"5551004"_s}));
    preview->printButton()->click();
    QCOMPARE(printer.printed.size(), 1);
    preview->close();
    QVERIFY(w->isVisible());
    QCOMPARE(columnTexts(*w, 0), QStringList({u"20020003"_s, u"20020002"_s}));

    // A changed filter prints the new rows.
    QTest::keyClick(w->filterBox(), Qt::Key_Backspace);
    type(w->filterBox(), u"关饭店二"_s);
    w->printButton()->click();
    preview = topLevel<report::ReportPreview>();
    QVERIFY(preview);
    QVERIFY(report::pageTexts(preview->pages().page(0)).contains(u"20020002"_s));
    QVERIFY(!report::pageTexts(preview->pages().page(0)).contains(u"20020003"_s));
}

void TestCaseQuery::listReportFailure()
{
    auto &messages = test::ScriptedMessages::install();
    for (bool quiet : {false, true}) {
        messages.clear();
        QueryDesign d = caseQueryDesign();
        d.listReport.name = u"rep_nosuch"_s;
        d.quietReportFailure = quiet;
        QueryWindow w(d);
        w.show();
        w.printButton()->click();
        QCOMPARE(topLevel<report::ReportPreview>(), nullptr);
        QCOMPARE(messages.shown.size(), quiet ? 0 : 1);
        if (!quiet)
            QCOMPARE(messages.shown[0].title, u"错误"_s);
        QVERIFY(w.isVisible());
    }
}

void TestCaseQuery::listReportPages()
{
    {
        Transaction tx(db());
        for (int i = 1; i <= 60; ++i)
            db().insertRow(u"xzcf"_s, {u"dabh"_s, u"dwmc"_s},
                           {u"2004%1"_s.arg(i, 4, 10, QChar(u'0')), u"一个名称长得超出了它的格子的单位，还要更长一些才行"_s});
        tx.commit();
    }
    app().listQuery = {u"xzcf"_s, u"dabh"_s, {}, {}};
    const report::PageModel m = buildReport(listReportLayout(caseQueryDesign().listReport));
    QCOMPARE(m.page.orientation, QPageLayout::Landscape);
    QCOMPARE(m.caption, u"行政处罚查询列表"_s);
    // 65 rows: 25 under the title on page one, 27 on a full page.
    QCOMPARE(m.pageCount(), 3);
    const int perPage[] = {25, 27, 13};
    for (int p = 0; p < 3; ++p) {
        const report::Page &page = m.pages[std::size_t(p)];
        int rows = 0, heads = 0, rules = 0;
        for (const report::PageItem &i : page.items) {
            rows += i.column == u"dabh"_s;
            heads += i.text == u"        单   位  地   址"_s;
            rules += i.kind == report::ItemKind::Line && i.left == 1000 + 10320 && i.width == 0;
        }
        QCOMPARE(rows, perPage[p]);
        QCOMPARE(heads, 1);
        QCOMPARE(rules, 1 + perPage[p]);
        QCOMPARE(m.texts(p).contains(u"行政处罚查询列表"_s), p == 0);
    }
    // A unit name of 50 half-width units prints whole in its 4395-twip box,
    // at 8.75 pt instead of 10.5.
    for (const report::PageItem &i : m.pages[1].items) {
        if (i.column == u"dwmc"_s) {
            QCOMPARE(i.text, u"一个名称长得超出了它的格子的单位，还要更长一些才行"_s);
            QCOMPARE(i.pointSize, 8.75);
            QVERIFY(i.width <= 4395);
        }
    }
}

void TestCaseQuery::listIsReadABlockAtATime()
{
    const int n = 1000;
    addCases2005(n);
    QueryWindow *w = open();
    QCOMPARE(w->model()->rowCount(), int(QueryTableModel::blockSize));
    QCOMPARE(w->countBox()->text(), u"查询总数合计：%1"_s.arg(n + 5));
    while (w->model()->canFetchMore({}))
        w->model()->fetchMore({});
    QCOMPARE(w->model()->rowCount(), n + 5);
    QCOMPARE(w->model()->text(n + 4, 0), u"20051000"_s);
}

// The preview of a long list opens on its first page, goes to its last,
// and prints every page of the list it shows.
void TestCaseQuery::previewOfALongListGoesToItsLastPage()
{
    const int n = 1000;
    addCases2005(n);
    auto &printer = test::RecordingPrinter::install();
    QueryWindow *w = open();
    w->printButton()->click();
    auto *preview = topLevel<report::ReportPreview>();
    QVERIFY(preview);
    // 1005 rows: 25 under the title, then 27 a page.
    const int pages = 1 + (n + 5 - 25 + 26) / 27;
    QCOMPARE(preview->pages().pageCount(), pages);
    QVERIFY(report::pageTexts(preview->pages().page(0)).contains(u"20020001"_s));
    preview->lastButton()->click();
    const QStringList last = report::pageTexts(preview->pages().page(preview->view()->currentPage()));
    QCOMPARE(last.last(), u"单位"_s);
    QCOMPARE(last.at(last.size() - 2), u"20051000"_s);
    preview->printButton()->click();
    QCOMPARE(printer.printed.size(), 1);
    QCOMPARE(printer.printed[0].pageCount(), pages);
    QCOMPARE(printer.printed[0].texts(pages - 1), last);
}

QTEST_MAIN(TestCaseQuery)
#include "tst_casequery.moc"
