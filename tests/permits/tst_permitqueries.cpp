// The permit query and the annual review query over a small permit table:
// their opening state, the statement of every column button, the filter
// typed key by key and emptied, the list reports previewed from exactly
// the rows shown, and their layout. Needs widgets.
#include "data/appvalues.h"
#include "data/connection.h"
#include "data/reportsources.h"
#include "permitfixture.h"
#include "permits/permitqueries.h"
#include "permits/permitquerywindows.h"
#include "platform/gridlabel.h"
#include "platform/modal.h"
#include "platform/reportpreview.h"
#include "platform/units.h"
#include "registers/columnbutton.h"
#include "registers/querywindow.h"
#include "support/testdb.h"
#include "support/ui/recordingprinter.h"
#include "support/ui/scriptedmessages.h"

#include <QHeaderView>
#include <QPointer>
#include <QTableView>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;

namespace {

enum class Which { Permits, Reviews };

struct Permit {
    QString no, category, model, name, address, nature, issued, items, person, phone, reviewed, result, next;
};

const std::vector<Permit> permits = {
    {u"20020003"_s, u"食证"_s, u"NO.Y.05-1"_s, u"城关饭店"_s, u"人民路1号"_s, u"集体"_s, u"2002-05-01"_s,
     u"热菜"_s, u"张三"_s, u"5551001"_s, u"2003-05-02"_s, u"合格"_s, u"2004-05-01"_s},
    {u"20020001"_s, u"公证"_s, u"NO.Y.05-2"_s, u"O'Brien浴室"_s, u"解放路2号"_s, u"个体"_s, u"2002-01-15"_s,
     u"洗浴"_s, u"李四"_s, u"5551002"_s, u"2003-01-20"_s, u"不合格"_s, u"2003-03-01"_s},
    {u"20030001"_s, u"食证"_s, u"NO.Y.05-3"_s, u"100%纯净水厂"_s, u"人民路3号"_s, u"国有"_s, u"2003-03-10"_s,
     u"饮用水"_s, u"王五"_s, u"5551003"_s, QString(), QString(), u"2004-03-10"_s},
    {u"20030002"_s, u"消证"_s, u"NO.Y.05-1"_s, u"城关饭店二部"_s, u"中山路4号"_s, u"个体"_s, u"2003-08-08"_s,
     u"冷菜"_s, u"赵六"_s, u"5551004"_s, u"2004-08-01"_s, u"不合格"_s, u"2004-03-20"_s},
};

QueryDesign designOf(Which which) { return which == Which::Permits ? permitQueryDesign() : reviewQueryDesign(); }

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

} // namespace

class TestPermitQueries : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void opening_data();
    void opening();
    void columnButtons_data();
    void columnButtons();
    void filterAndEmpty_data();
    void filterAndEmpty();
    void eachPreviewShowsItsOwnRows();
    void listReportFailureIsQuiet_data();
    void listReportFailureIsQuiet();
    void listReportLayouts();

private:
    QueryWindow *open(Which which);

    std::unique_ptr<test::TestDatabase> m_db;
    std::unique_ptr<FormWindow> m_register;
};

void TestPermitQueries::init()
{
    setModalMode(ModalMode::NonBlocking);
    test::ScriptedMessages::install();
    test::RecordingPrinter::install();
    m_db = std::make_unique<test::TestDatabase>();
    for (const Permit &p : permits)
        test::addPermit(db(), p.no,
                        {{u"lb"_s, p.category}, {u"xh"_s, p.model}, {u"dwmc"_s, p.name}, {u"dwdz"_s, p.address},
                         {u"jjxz"_s, p.nature}, {u"fzrq"_s, p.issued}, {u"xkxm"_s, p.items}, {u"fzr"_s, p.person},
                         {u"dhhm"_s, p.phone}, {u"nsrq"_s, p.reviewed}, {u"nsjg"_s, p.result},
                         {u"xcnsrq"_s, p.next}});
    m_register = std::make_unique<FormWindow>();
    m_register->show();
}

void TestPermitQueries::cleanup()
{
    QList<QPointer<QWidget>> left;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w != m_register.get() && qobject_cast<FormWindow *>(w))
            left.append(w);
    for (const QPointer<QWidget> &w : left)
        delete w.data();
    m_register.reset();
    m_db.reset();
}

QueryWindow *TestPermitQueries::open(Which which)
{
    if (which == Which::Permits)
        openPermitQuery(m_register.get(), {});
    else
        openReviewQuery(m_register.get(), {});
    return topLevel<QueryWindow>();
}

void TestPermitQueries::opening_data()
{
    QTest::addColumn<Which>("which");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("heads");
    QTest::addColumn<int>("buttons");
    QTest::newRow("permit query") << Which::Permits << u"卫生许可证查询"_s
                                  << QStringList{u"编号"_s,     u"类别"_s,     u"型号"_s,     u"单位名称"_s,
                                                 u"单位地址"_s, u"经济性质"_s, u"发证日期"_s, u"许可项目"_s}
                                  << 8;
    QTest::newRow("annual review query")
        << Which::Reviews << u"卫生许可证年审查询"_s
        << QStringList{u"编号"_s,     u"单位名称"_s, u"单位地址"_s,      u"发证日期"_s,
                       u"年审日期"_s, u"年审结果"_s, u"下次应年审日期"_s}
        << 7;
}

void TestPermitQueries::opening()
{
    QFETCH(Which, which);
    QFETCH(QString, caption);
    QFETCH(QStringList, heads);
    QFETCH(int, buttons);
    QueryWindow *w = open(which);
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), caption);
    QCOMPARE(w->size(), QSize(px(11325), px(7215)));
    QCOMPARE(w->grid()->geometry(), pxRect(0, 0, 11295, 5775));
    QCOMPARE(w->printButton()->geometry(), pxRect(8760, 6600, 1455, 375));
    QStringList shownHeads;
    for (int c = 0; c < w->model()->columnCount(); ++c)
        shownHeads << w->model()->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(shownHeads, heads);
    QCOMPARE(numbers(*w), QStringList({u"20020001"_s, u"20020003"_s, u"20030001"_s, u"20030002"_s}));
    QCOMPARE(w->countBox()->text(), u"查询总数合计：4"_s);
    QCOMPARE(w->promptLabel()->text(), u"编    号："_s);
    QCOMPARE(w->chosenButton(), -1);
    QCOMPARE(w->focusWidget(), w->grid());
    QCOMPARE(app().listQuery, (ListQuery{u"wsxkz"_s, u"xkzh"_s, {}, {}}));
    QCOMPARE(designOf(which).buttons.size(), std::size_t(buttons));
    // Every column heading fits on its one line.
    const QFontMetrics heading(w->grid()->horizontalHeader()->font());
    for (int c = 0; c < w->model()->columnCount(); ++c)
        QVERIFY(w->grid()->columnWidth(c) > heading.horizontalAdvance(heads[c]) + 8);
}

void TestPermitQueries::columnButtons_data()
{
    QTest::addColumn<Which>("which");
    QTest::newRow("permit query") << Which::Permits;
    QTest::newRow("annual review query") << Which::Reviews;
}

// Each button sorts by its column: the statement, the prompt, the look.
void TestPermitQueries::columnButtons()
{
    QFETCH(Which, which);
    const QueryDesign d = designOf(which);
    QueryWindow *w = open(which);
    for (std::size_t i = 0; i < d.buttons.size(); ++i) {
        const QueryButton &b = d.buttons[i];
        QTest::mouseClick(w->columnButton(int(i))->captionLabel(), Qt::LeftButton);
        QCOMPARE(app().listQuery, (ListQuery{u"wsxkz"_s, b.column, {}, {}}));
        QCOMPARE(w->promptLabel()->text(), b.prompt);
        QCOMPARE(w->columnButton(int(i))->text(), b.caption);
        QCOMPARE(w->columnButton(int(i))->width(), px(b.plateWidth));
        QCOMPARE(w->countBox()->text(), u"查询总数合计：4"_s);
        QStringList column;
        const auto at = std::find_if(d.gridColumns.begin(), d.gridColumns.end(),
                                     [&](const GridColumn &g) { return g.column == b.column; });
        QVERIFY(at != d.gridColumns.end());
        for (int r = 0; r < w->model()->rowCount(); ++r)
            column << w->model()->text(r, int(at - d.gridColumns.begin()));
        QStringList sorted = column;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(column, sorted);
    }
    QCOMPARE(designOf(Which::Reviews).buttons.back().plateWidth, 1575);
}

void TestPermitQueries::filterAndEmpty_data()
{
    QTest::addColumn<Which>("which");
    QTest::addColumn<int>("button");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QStringList>("expected"); // numbers after the last key, in the list's order
    QTest::newRow("permits issued in a year, by issue date")
        << Which::Permits << 6 << QStringList{u"2"_s, u"0"_s, u"0"_s, u"3"_s}
        << QStringList{u"20030001"_s, u"20030002"_s};
    QTest::newRow("unit name by input method")
        << Which::Permits << 3 << QStringList{u"城关"_s} << QStringList{u"20020003"_s, u"20030002"_s};
    QTest::newRow("apostrophe is data") << Which::Permits << 3 << QStringList{u"O"_s, u"'"_s}
                                        << QStringList{u"20020001"_s};
    QTest::newRow("category") << Which::Permits << 1 << QStringList{u"食"_s}
                              << QStringList{u"20020003"_s, u"20030001"_s};
    QTest::newRow("model") << Which::Permits << 2 << QStringList{u"N"_s, u"O"_s, u".Y.05-1"_s}
                           << QStringList{u"20020003"_s, u"20030002"_s};
    QTest::newRow("failed reviews") << Which::Reviews << 5 << QStringList{u"不"_s}
                                    << QStringList{u"20020001"_s, u"20030002"_s};
    QTest::newRow("due in a month, by due date")
        << Which::Reviews << 6 << QStringList{u"2004-03"_s} << QStringList{u"20030001"_s, u"20030002"_s};
    QTest::newRow("percent is data") << Which::Reviews << 1 << QStringList{u"100%"_s} << QStringList{u"20030001"_s};
    QTest::newRow("matches nothing") << Which::Reviews << 0 << QStringList{u"1999"_s} << QStringList{};
}

void TestPermitQueries::filterAndEmpty()
{
    QFETCH(Which, which);
    QFETCH(int, button);
    QFETCH(QStringList, keys);
    QFETCH(QStringList, expected);
    QueryWindow *w = open(which);
    w->columnButton(button)->click();
    QCOMPARE(w->focusWidget(), w->filterBox());
    for (const QString &k : keys)
        test::type(w->filterBox(), k);
    const QString column = designOf(which).buttons[std::size_t(button)].column;
    QCOMPARE(numbers(*w), expected);
    QCOMPARE(w->countBox()->text(), u"查询总数合计：%1"_s.arg(expected.size()));
    QCOMPARE(app().listQuery, (ListQuery{u"wsxkz"_s, column, column, keys.join(QString())}));

    w->filterBox()->selectAll();
    QTest::keyClick(w->filterBox(), Qt::Key_Delete);
    QCOMPARE(w->model()->rowCount(), 4);
    QCOMPARE(w->countBox()->text(), u"查询总数合计：4"_s);
    QCOMPARE(app().listQuery, (ListQuery{u"wsxkz"_s, column, {}, {}}));
}

// The two list reports read the same source, each from the list its own
// query window showed last.
void TestPermitQueries::eachPreviewShowsItsOwnRows()
{
    QueryWindow *w = open(Which::Permits);
    w->columnButton(3)->click();
    test::type(w->filterBox(), u"城关"_s);
    w->printButton()->click();
    auto *preview = topLevel<report::ReportPreview>();
    QVERIFY(preview);
    QCOMPARE(preview->windowTitle(), u"卫生许可证查询列表打印预演"_s);
    // The category's box is 345 twips wide: its name prints whole, smaller.
    QStringList texts = report::pageTexts(preview->pages().page(0));
    QCOMPARE(texts.mid(texts.indexOf(u"20020003"_s)),
             QStringList({u"20020003"_s, u"食证"_s, u"NO.Y.05-1"_s, u"城关饭店"_s, u"人民路1号"_s, u"集体"_s,
                          u"2002-05-01"_s, u"热菜"_s, u"张三"_s, u"5551001"_s, u"20030002"_s, u"消证"_s,
                          u"NO.Y.05-1"_s, u"城关饭店二部"_s, u"中山路4号"_s, u"个体"_s, u"2003-08-08"_s,
                          u"冷菜"_s, u"赵六"_s, u"5551004"_s}));
    preview->close();
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    w = open(Which::Reviews);
    w->columnButton(5)->click();
    test::type(w->filterBox(), u"不"_s);
    w->printButton()->click();
    preview = topLevel<report::ReportPreview>();
    QVERIFY(preview);
    QCOMPARE(preview->windowTitle(), u"卫生许可证年审查询列表打印预演"_s);
    texts = report::pageTexts(preview->pages().page(0));
    QVERIFY(texts.contains(u"年审情况"_s));
    QCOMPARE(texts.mid(texts.indexOf(u"20020001"_s)),
             QStringList({u"20020001"_s, u"O'Brien浴室"_s, u"解放路2号"_s, u"2002-01-15"_s, u"李四"_s,
                          u"5551002"_s, u"2003-01-20"_s, u"不合格"_s, u"2003-03-01"_s, u"20030002"_s,
                          u"城关饭店二部"_s, u"中山路4号"_s, u"2003-08-08"_s, u"赵六"_s, u"5551004"_s,
                          u"2004-08-01"_s, u"不合格"_s, u"2004-03-20"_s}));
}

void TestPermitQueries::listReportFailureIsQuiet_data() { columnButtons_data(); }

void TestPermitQueries::listReportFailureIsQuiet()
{
    QFETCH(Which, which);
    auto &messages = test::ScriptedMessages::install();
    QueryDesign d = designOf(which);
    QVERIFY(d.quietReportFailure);
    d.listReport.name = u"rep_nosuch"_s;
    QueryWindow w(d);
    w.show();
    w.printButton()->click();
    QCOMPARE(topLevel<report::ReportPreview>(), nullptr);
    QCOMPARE(messages.shown.size(), 0);
    QVERIFY(w.isVisible());
}

void TestPermitQueries::listReportLayouts()
{
    app().listQuery = {u"wsxkz"_s, u"xkzh"_s, {}, {}};
    const report::PageModel permitList = buildReport(listReportLayout(permitQueryDesign().listReport));
    QCOMPARE(permitList.page.paper, QPageSize::A3);
    QCOMPARE(permitList.page.orientation, QPageLayout::Landscape);
    QVERIFY(report::paperWidth(permitList.page) >= permitList.page.leftMargin + 19035);
    const QStringList texts = permitList.texts(0);
    QVERIFY(texts.contains(u"《卫  生  许  可  证》  查  询  列  表"_s));
    QVERIFY(texts.contains(u"     许   可   项   目"_s));
    // The rule at 11220 among the heads stands at 11235 in each row.
    int headRule = 0, rowRules = 0;
    for (const report::PageItem &i : permitList.pages[0].items) {
        if (i.kind != report::ItemKind::Line || i.width != 0)
            continue;
        headRule += i.left == 1000 + 11220;
        rowRules += i.left == 1000 + 11235;
    }
    QCOMPARE(headRule, 1);
    QCOMPARE(rowRules, 4);

    const report::PageModel reviewList = buildReport(listReportLayout(reviewQueryDesign().listReport));
    QCOMPARE(reviewList.caption, u"卫生许可证年审查询列表"_s);
    QVERIFY(reviewList.texts(0).contains(u"《卫  生  许  可  证》  年  审  查  询  列  表"_s));
    QVERIFY(reviewList.texts(0).contains(u"下次应年审日期"_s));
}

QTEST_MAIN(TestPermitQueries)
#include "tst_permitqueries.moc"
