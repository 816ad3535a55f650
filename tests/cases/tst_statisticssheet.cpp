// The printed statistics sheet rep_tj read from its page model: every cell
// of xzcftj in the box of its report row and column, the form's texts, and
// figures that print whole. No display needed.
#include "cases/statistics/penaltystatistics.h"
#include "cases/statistics/statisticssheet.h"
#include "platform/reportengine.h"
#include "data/connection.h"
#include "statisticsfixture.h"
#include "support/testdb.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::statistics;
using kelm::report::PageItem;

namespace {

// The band of each report column and row on the paper (the page's left
// margin is 0; the top margin shifts every top).
constexpr int columnRules[] = {3519, 4209, 4920, 5679, 6459, 7269, 8109, 8859,
                               9489, 10269, 11049, 11814, 12594, 13524, 14985};
constexpr int rowRules[] = {4719, 5394, 5949, 6519, 7104, 7674, 8214};

const PageItem *fieldOf(const report::PageModel &m, const QString &column)
{
    for (const PageItem &i : m.pages.at(0).items)
        if (i.kind == report::ItemKind::Field && i.column == column)
            return &i;
    return nullptr;
}

const PageItem *textAt(const report::PageModel &m, const QString &text)
{
    for (const PageItem &i : m.pages.at(0).items)
        if (i.isText() && i.text == text)
            return &i;
    return nullptr;
}

} // namespace

class TestStatisticsSheet : public QObject {
    Q_OBJECT
private slots:
    void everyCellInItsBox();
    void formTexts_data();
    void formTexts();
    void emptyPeriodPrintsZeroInEveryCell();
    void wideFigurePrintsWhole();
    void longestFigurePrintsWholeAndLegible();
    void oneLandscapePage();
};

void TestStatisticsSheet::everyCellInItsBox()
{
    test::TestDatabase tdb;
    // Each cell holds its own name, so a box showing another cell shows.
    for (int r = 1; r <= reportRowCount; ++r)
        for (int c = 1; c <= reportColumnCount; ++c)
            tdb.db().exec(u"UPDATE xzcftj SET %1 = ?"_s.arg(cellName(r, c)), {cellName(r, c)});
    const report::PageModel m = statisticsSheet();
    const int top = statisticsSheetLayout().page.topMargin;
    int fields = 0;
    for (const PageItem &i : m.pages.at(0).items)
        fields += i.kind == report::ItemKind::Field ? 1 : 0;
    QCOMPARE(fields, 86);
    for (int r = 1; r <= reportRowCount; ++r) {
        for (int c = 1; c <= reportColumnCount; ++c) {
            const QString name = cellName(r, c);
            const PageItem *f = fieldOf(m, name);
            QVERIFY2(f, qPrintable(name));
            QCOMPARE(f->text, name);
            QVERIFY2(f->left > columnRules[c - 1] && f->left + f->width < columnRules[c], qPrintable(name));
            QVERIFY2(f->top > top + rowRules[r - 1] && f->top + f->height < top + rowRules[r], qPrintable(name));
        }
    }
    QCOMPARE(fieldOf(m, u"a10"_s)->left, fieldOf(m, u"a60"_s)->left); // column 10 is stored as 0
}

void TestStatisticsSheet::formTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<double>("points");
    QTest::newRow("title") << u"食品卫生监督监测情况报表"_s << 6435 << 1365 << 21.75;
    QTest::newRow("form number") << u"表    号：卫统12表-3"_s << 12984 << 1209 << 10.5;
    QTest::newRow("made by") << u"制表机关：卫生部"_s << 12984 << 1584 << 10.5;
    QTest::newRow("approved by") << u"批准机关：国家统计局"_s << 12999 << 1914 << 10.5;
    QTest::newRow("approval") << u"批准文号：(96)国统字第52号"_s << 13014 << 2304 << 10.5;
    QTest::newRow("reporting unit") << u"填报单位："_s << 1314 << 2424 << 10.5;
    QTest::newRow("part") << u"（三）行政处罚情况"_s << 4959 << 2364 << 10.5;
    QTest::newRow("reporting unit's name") << u"Quessa区卫生局"_s << 2445 << 2400 << 10.5;
    QTest::newRow("date of reporting") << u"实际报出日期"_s << 1515 << 8355 << 10.5;
    QTest::newRow("head of unit") << u"单位负责人(签章)："_s << 6600 << 8310 << 10.5;
    QTest::newRow("filled in by") << u"填表人(签章)："_s << 10845 << 8340 << 10.5;
}

void TestStatisticsSheet::formTexts()
{
    QFETCH(QString, text);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(double, points);

    test::TestDatabase tdb;
    computeStatistics(tdb.db(), QDate(2002, 1, 1), QDate(2002, 12, 31));
    const report::PageModel m = statisticsSheet();
    const PageItem *i = textAt(m, text);
    QVERIFY(i);
    QCOMPARE(i->left, left);
    QCOMPARE(i->top, statisticsSheetLayout().page.topMargin + top);
    QCOMPARE(i->pointSize, points);
    QCOMPARE(i->bold, points > 20);

    const QStringList texts = m.texts(0);
    QVERIFY(texts.contains(u"2002年1月1日 - 2002年12月31日"_s));
    for (const QString &t : {u"受处罚情况"_s, u"(甲)"_s, u"(1)"_s, u"(14)"_s, u"合    计"_s, u"生产加工业"_s,
                             u"批发零售业"_s, u"饮食行业"_s, u"职工食堂"_s, u"食品摊贩"_s, u"责令销毁食品"_s,
                             u"没收违法所得"_s, u"罚款"_s, u"户次数"_s, u"警告"_s})
        QVERIFY2(texts.contains(t), qPrintable(t));
}

void TestStatisticsSheet::emptyPeriodPrintsZeroInEveryCell()
{
    test::TestDatabase tdb;
    test::addStatCases(tdb.db(), {test::StatCase{}});
    computeStatistics(tdb.db(), QDate(2003, 1, 1), QDate(2003, 12, 31));
    const report::PageModel m = statisticsSheet();
    for (int r = 1; r <= reportRowCount; ++r)
        for (int c = 1; c <= reportColumnCount; ++c)
            QCOMPARE(fieldOf(m, cellName(r, c))->text, u"0"_s);
}

void TestStatisticsSheet::wideFigurePrintsWhole()
{
    test::TestDatabase tdb;
    test::StatCase big;
    big.fine = u"12345678.55"_s;
    test::addStatCases(tdb.db(), {big});
    computeStatistics(tdb.db(), QDate(2002, 1, 1), QDate(2002, 12, 31));
    const report::PageModel m = statisticsSheet();
    const PageItem *fine = fieldOf(m, u"a112"_s);
    QCOMPARE(fine->text, u"12345678.55"_s);
    QVERIFY(fine->pointSize < 10.5);
    QVERIFY(fine->left > columnRules[11] && fine->left + fine->width < columnRules[12]);
    QCOMPARE(fieldOf(m, u"a111"_s)->pointSize, 10.5);
}

// The longest figure a cell holds prints whole, on more lines of its cell
// rather than below the smallest printed size, inside the cell's rules.
void TestStatisticsSheet::longestFigurePrintsWholeAndLegible()
{
    test::TestDatabase tdb;
    const QString figure = u"12345678901234567.55"_s;
    tdb.db().exec(u"UPDATE xzcftj SET a112 = ?, a18 = ?"_s, {figure, figure});
    const report::PageModel m = statisticsSheet();
    const int top = statisticsSheetLayout().page.topMargin;
    for (const auto &[name, column] : {std::pair{u"a112"_s, 12}, std::pair{u"a18"_s, 8}}) {
        QString printed;
        for (const PageItem &i : m.pages[0].items) {
            if (i.kind != report::ItemKind::Field || i.column != name)
                continue;
            printed += i.text;
            QCOMPARE(i.pointSize, report::smallestPrintedSize);
            QVERIFY(i.left > columnRules[column - 1] && i.left + i.width < columnRules[column]);
            QVERIFY(i.top > top + rowRules[0] && i.top + i.height < top + rowRules[1]);
        }
        QCOMPARE(printed, figure);
    }
}

void TestStatisticsSheet::oneLandscapePage()
{
    test::TestDatabase tdb;
    const report::PageModel m = statisticsSheet();
    QCOMPARE(m.pageCount(), 1);
    QCOMPARE(m.caption, u"食品卫生监督监测情况报表"_s);
    const int width = report::paperWidth(m.page);
    const int height = report::paperHeight(m.page);
    QVERIFY(width > height);
    for (const PageItem &i : m.pages[0].items) {
        QVERIFY(i.left >= 0 && i.left + i.width <= width);
        QVERIFY(i.top >= 0 && i.top + i.height <= height);
    }
}

QTEST_GUILESS_MAIN(TestStatisticsSheet)
#include "tst_statisticssheet.moc"
