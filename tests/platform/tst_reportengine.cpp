// Page model of reports: where sections and items land on the pages, what
// a field prints and in what size, how lines and alignment come through,
// and that a page laid out on its own is that page of the whole layout.
// Pure layout arithmetic, no printer and no display.
#include "platform/reportengine.h"
#include "platform/rowsinmemory.h"
#include "platform/units.h"
#include "support/printedforms.h"
#include "support/recordingprogress.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::report;
using kelm::test::fieldLines;

namespace {

// A small list: title, heads with a dotted rule under them, one row per
// record with a centred number and a name, page numbers in the
// footer's place shown by a fixed label, a closing line.
ReportLayout smallList()
{
    ReportLayout r;
    r.name = u"test"_s;
    r.caption = u"测试列表"_s;
    r.page.topMargin = 1000;
    r.page.bottomMargin = 1000;
    r.reportHeader.height = 600;
    r.reportHeader.items = {label(2000, 100, u"测试列表"_s).size(21.75).bolded()};
    r.pageHeader.height = 400;
    r.pageHeader.items = {label(0, 100, u"编号"_s), label(1200, 100, u"名称"_s), line(0, 390, 6000, 390).dotted()};
    r.detail.height = 300;
    r.detail.items = {field(0, 50, 1000, u"no"_s).centred(), field(1200, 50, 1050, u"name"_s),
                      field(3000, 50, 1000, u"amount"_s).rightAligned(), bar(0, 285, 6000)};
    r.pageFooter.height = 300;
    r.pageFooter.items = {label(0, 0, u"第一页起每页都有"_s)};
    r.reportFooter.height = 500;
    r.reportFooter.items = {label(0, 100, u"以上共计"_s), frame(0, 0, 6000, 500)};
    return r;
}

Rows rowsOf(int count)
{
    Rows rows;
    rows.columns = {u"no"_s, u"name"_s, u"amount"_s};
    for (int i = 1; i <= count; ++i)
        rows.values.push_back({QString::number(i), u"单位%1"_s.arg(i), u"12.5"_s});
    return rows;
}

int countOf(const Page &page, const QString &text)
{
    return int(std::count_if(page.items.begin(), page.items.end(), [&](const PageItem &i) { return i.text == text; }));
}

const PageItem *find(const Page &page, const QString &text)
{
    for (const PageItem &i : page.items)
        if (i.text == text)
            return &i;
    return nullptr;
}


} // namespace

class TestReportEngine : public QObject {
    Q_OBJECT
private slots:
    void rowsPerPage_data();
    void rowsPerPage();
    void pageHeaderOnEveryPage();
    void reportFooterAfterLastRow();
    void fitting_data();
    void fitting();
    void smallestSize_data();
    void smallestSize();
    void fieldKeepsClearOfTheWordAfterIt_data();
    void fieldKeepsClearOfTheWordAfterIt();
    void alignment();
    void linesAndBoxes();
    void labelsNeverClipped();
    void wrappedLabel();
    void labelCutAtItsHeight();
    void growingField_data();
    void growingField();
    void growingFieldContinuesOnTheNextPage();
    void emptyLinesMakeNoSheet_data();
    void emptyLinesMakeNoSheet();
    void blockBelowAGrowingFieldStaysTogether();
    void noPageForAnEmptySection();
    void headerFieldsShowTheFirstRow();
    void paperSizes();
    void pageOnDemand_data();
    void pageOnDemand();
    void pageReadsOnlyItsRows();
    void paginationCancelled();
};

// Body of an A4 portrait page: 16838 - 2000 margins - 300 footer = 14538.
// Page 1: 600 + 400 headers leave 13538, 45 rows of 300; later pages 47.
// The 500-twip report footer needs room of its own after the last row.
void TestReportEngine::rowsPerPage_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<QList<int>>("perPage");
    QTest::newRow("no rows") << 0 << QList<int>{0};
    QTest::newRow("one row") << 1 << QList<int>{1};
    QTest::newRow("first page full, footer moves on") << 45 << QList<int>{45, 0};
    QTest::newRow("one more row") << 46 << QList<int>{45, 1};
    QTest::newRow("three pages") << 45 + 47 + 3 << QList<int>{45, 47, 3};
}

void TestReportEngine::rowsPerPage()
{
    QFETCH(int, rows);
    QFETCH(QList<int>, perPage);
    const PageModel m = layoutReport(smallList(), rowsOf(rows));
    QCOMPARE(m.pageCount(), perPage.size());
    int first = 1;
    for (int p = 0; p < m.pageCount(); ++p) {
        const auto numbers = fieldLines(m.pages[std::size_t(p)], u"no"_s);
        QCOMPARE(int(numbers.size()), perPage[p]);
        if (!numbers.empty())
            QCOMPARE(numbers.front()->text, QString::number(first));
        for (std::size_t k = 1; k < numbers.size(); ++k)
            QCOMPARE(numbers[k]->top - numbers[k - 1]->top, 300);
        first += perPage[p];
    }
}

void TestReportEngine::pageHeaderOnEveryPage()
{
    const PageModel m = layoutReport(smallList(), rowsOf(100));
    QCOMPARE(m.pageCount(), 3);
    // Report header once, at the top margin; page header below it on page
    // one and at the top margin on the others.
    QCOMPARE(find(m.pages[0], u"测试列表"_s)->top, 1000 + 100);
    QCOMPARE(find(m.pages[0], u"测试列表"_s)->left, 1000 + 2000);
    QCOMPARE(find(m.pages[0], u"测试列表"_s)->pointSize, 21.75);
    QVERIFY(find(m.pages[0], u"测试列表"_s)->bold);
    QCOMPARE(find(m.pages[0], u"编号"_s)->top, 1000 + 600 + 100);
    for (int p = 1; p < 3; ++p) {
        const Page &page = m.pages[std::size_t(p)];
        QCOMPARE(countOf(page, u"测试列表"_s), 0);
        QCOMPARE(countOf(page, u"编号"_s), 1);
        QCOMPARE(find(page, u"编号"_s)->top, 1000 + 100);
        QCOMPARE(fieldLines(page, u"no"_s).front()->top, 1000 + 400 + 50);
    }
    for (const Page &page : m.pages)
        QCOMPARE(find(page, u"第一页起每页都有"_s)->top, 16838 - 1000 - 300);
}

void TestReportEngine::reportFooterAfterLastRow()
{
    // 3 rows: the footer follows the last row on page one.
    PageModel m = layoutReport(smallList(), rowsOf(3));
    QCOMPARE(m.pageCount(), 1);
    const int lastRowTop = fieldLines(m.pages[0], u"no"_s).back()->top - 50;
    QCOMPARE(find(m.pages[0], u"以上共计"_s)->top, lastRowTop + 300 + 100);
    // 44 rows leave 300 twips on page one: the 500-twip footer moves on.
    m = layoutReport(smallList(), rowsOf(44));
    QCOMPARE(m.pageCount(), 2);
    QCOMPARE(find(m.pages[1], u"以上共计"_s)->top, 1000 + 400 + 100);
    QCOMPARE(fieldLines(m.pages[1], u"no"_s).size(), std::size_t(0));
}

// The name field is 1050 twips wide at 10.5 pt: 10 half-width units, one
// 10.5 pt line (210 twips) high. A wider text prints in the largest
// quarter point size that fits, down to the smallest printed size, in the
// middle of the box's height; beyond that it is cut, and the cut shows.
void TestReportEngine::fitting_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("printed");
    QTest::addColumn<double>("size");
    QTest::addColumn<int>("width");
    QTest::newRow("fits") << u"城关饭店"_s << u"城关饭店"_s << 10.5 << 840;
    QTest::newRow("exactly full") << u"城关饭店好"_s << u"城关饭店好"_s << 10.5 << 1050;
    QTest::newRow("one character over") << u"城关饭店好吃"_s << u"城关饭店好吃"_s << 8.75 << 1050;
    QTest::newRow("a half-width character over") << u"A城关饭店好"_s << u"A城关饭店好"_s << 9.5 << 1045;
    QTest::newRow("a number whole") << u"200200100012345"_s << u"200200100012345"_s << 7.0 << 1050;
    QTest::newRow("its lines on one line") << u"第一行\n第二行"_s << u"第一行 第二行"_s << 8.0 << 1040;
    QTest::newRow("down to the smallest size") << u"20020010001234567"_s << u"20020010001234567"_s << 6.0 << 1020;
    // Two lines of 6 pt would not stand in 210 twips: the mark takes a
    // full-width cell at the end of the one line.
    QTest::newRow("too long even so: cut, the cut shown")
        << u"20020010001234567890123456"_s << u"200200100012345…"_s << 6.0 << 1020;
    QTest::newRow("empty") << QString() << QString() << 10.5 << 0;
}

void TestReportEngine::fitting()
{
    QFETCH(QString, value);
    QFETCH(QString, printed);
    QFETCH(double, size);
    QFETCH(int, width);
    Rows rows = rowsOf(1);
    rows.values[0][1] = value;
    const PageModel m = layoutReport(smallList(), rows);
    const std::vector<const PageItem *> name = fieldLines(m.pages[0], u"name"_s);
    QCOMPARE(name.size(), std::size_t(1));
    QCOMPARE(name[0]->text, printed);
    QCOMPARE(name[0]->pointSize, size);
    QCOMPARE(name[0]->width, width);
    QCOMPARE(name[0]->left, 1000 + 1200);
    // In the middle of the box, give or take a twip of rounding.
    const int above = name[0]->top - (1000 + 600 + 400 + 50);
    const int below = 1000 + 600 + 400 + 50 + 210 - (name[0]->top + name[0]->height);
    QVERIFY(above >= 0 && below >= 0 && std::abs(above - below) <= 1);
}

// A one-line field of a 12 pt form, 600 twips wide, one 12 pt line (240
// twips) high: room for two lines of the smallest printed size. A text
// too wide for it shrinks, then wraps at the smallest size, its lines in
// the middle of the box; what even two lines cannot hold is cut, a name
// or a number alike, and ends in the mark.
void TestReportEngine::smallestSize_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<double>("size");
    QTest::newRow("fits") << u"卫生"_s << QStringList{u"卫生"_s} << 12.0;
    QTest::newRow("smaller, in the middle of the box") << u"卫生监"_s << QStringList{u"卫生监"_s} << 10.0;
    QTest::newRow("wrapped at the smallest size")
        << u"卫生监督所卫生"_s << QStringList{u"卫生监督所"_s, u"卫生"_s} << 6.0;
    QTest::newRow("cut where even that cannot hold it")
        << u"卫生监督所卫生监督所卫生"_s << QStringList{u"卫生监督所"_s, u"卫生监督…"_s} << 6.0;
    QTest::newRow("a number is cut visibly")
        << u"1234567890123456789012"_s << QStringList{u"1234567890"_s, u"12345678…"_s} << 6.0;
}

void TestReportEngine::smallestSize()
{
    QFETCH(QString, value);
    QFETCH(QStringList, lines);
    QFETCH(double, size);
    ReportLayout r;
    r.page.leftMargin = r.page.topMargin = 1000;
    r.detail.height = 400;
    r.detail.items = {field(1000, 100, 600, u"v"_s).size(12)};
    Rows rows;
    rows.columns = {u"v"_s};
    rows.values = {{value}};
    const PageModel m = layoutReport(r, rows);
    const std::vector<const PageItem *> printed = fieldLines(m.pages[0], u"v"_s);
    QStringList texts;
    for (const PageItem *p : printed) {
        texts << p->text;
        QCOMPARE(p->pointSize, size);
        QVERIFY(p->left >= 2000 && p->left + p->width <= 2600);
    }
    QCOMPARE(texts, lines);
    const int top = printed.front()->top - 1100;
    const int bottom = 1100 + 240 - (printed.back()->top + printed.back()->height);
    QVERIFY(top >= 0 && bottom >= 0);
    QVERIFY(std::abs(top - bottom) <= 1);
}

// A box that reaches into the word after its blank: a text as wide as the
// box prints smaller, ending where the word begins (give or take a quarter
// of a half-width character); one that fits the blank prints as it is.
void TestReportEngine::fieldKeepsClearOfTheWordAfterIt_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<double>("size");
    QTest::newRow("fits the blank") << u"12"_s << 12.0;
    QTest::newRow("as wide as the box") << u"1212"_s << 7.25;
}

void TestReportEngine::fieldKeepsClearOfTheWordAfterIt()
{
    QFETCH(QString, value);
    QFETCH(double, size);
    ReportLayout r = smallList();
    // "年" at 480, the blank 720 to 960, "月" from 960; the box 700 to 1180.
    r.detail.items = {label(0, 50, u"    年  月"_s, 1200).size(12), field(700, 50, 480, u"name"_s).size(12)};
    Rows rows = rowsOf(1);
    rows.values[0][1] = value;
    const PageModel m = layoutReport(r, rows);
    const PageItem *f = fieldLines(m.pages[0], u"name"_s).front();
    QCOMPARE(f->pointSize, size);
    QCOMPARE(f->left, 1000 + 700);
    QVERIFY(f->left + f->width <= 1000 + 960 + 30);
}

void TestReportEngine::alignment()
{
    Rows rows = rowsOf(1);
    rows.values[0][0] = u"20020001"_s; // 8 half-width units: 840 twips
    rows.values[0][2] = u"12.5"_s;     // 420 twips
    const PageModel m = layoutReport(smallList(), rows);
    const PageItem *no = fieldLines(m.pages[0], u"no"_s).front();
    QCOMPARE(no->left, 1000 + (1000 - 840) / 2);
    QCOMPARE(no->width, 840);
    const PageItem *amount = fieldLines(m.pages[0], u"amount"_s).front();
    QCOMPARE(amount->left, 1000 + 3000 + 1000 - 420);
    QCOMPARE(fieldLines(m.pages[0], u"name"_s).front()->left, 1000 + 1200);
}

void TestReportEngine::linesAndBoxes()
{
    const PageModel m = layoutReport(smallList(), rowsOf(1));
    std::vector<PageItem> lines, boxes;
    for (const PageItem &i : m.pages[0].items) {
        if (i.kind == ItemKind::Line)
            lines.push_back(i);
        if (i.kind == ItemKind::Box)
            boxes.push_back(i);
    }
    QCOMPARE(lines.size(), std::size_t(1));
    QCOMPARE(lines[0].style, LineStyle::Dotted);
    QCOMPARE(lines[0].left, 1000);
    QCOMPARE(lines[0].top, 1000 + 600 + 390);
    QCOMPARE(lines[0].width, 6000);
    QCOMPARE(lines[0].height, 0);
    QCOMPARE(boxes.size(), std::size_t(2));
    QVERIFY(boxes[0].filled); // the rule under the row
    QCOMPARE(boxes[0].height, 15);
    QCOMPARE(boxes[0].top, 1000 + 600 + 400 + 285);
    QVERIFY(!boxes[1].filled); // the report footer's frame
    QCOMPARE(boxes[1].height, 500);
}

void TestReportEngine::labelsNeverClipped()
{
    ReportLayout r = smallList();
    r.detail.items = {label(0, 0, u"一段比它的宽度长得多的说明文字"_s, 500)};
    const PageModel m = layoutReport(r, rowsOf(1));
    const PageItem *l = find(m.pages[0], u"一段比它的宽度长得多的说明文字"_s);
    QVERIFY(l);
    QCOMPARE(l->width, 15 * 210);
}

void TestReportEngine::wrappedLabel()
{
    ReportLayout r = smallList();
    // Two characters a line at 12 pt (240 twips each), and a vertical one.
    r.detail.height = 2000;
    r.detail.items = {label(0, 0, u"责令改正"_s, 500).size(12).wrapped(),
                      label(1000, 0, u"处罚户次数"_s, 240).size(12).wrapped()};
    const PageModel m = layoutReport(r, rowsOf(1));
    QCOMPARE(m.texts(0).mid(m.texts(0).indexOf(u"责令"_s)),
             QStringList({u"责令"_s, u"改正"_s, u"处"_s, u"罚"_s, u"户"_s, u"次"_s, u"数"_s, u"以上共计"_s,
                          u"第一页起每页都有"_s}));
    const PageItem *second = find(m.pages[0], u"改正"_s);
    QCOMPARE(second->top - find(m.pages[0], u"责令"_s)->top, 240);
    QCOMPARE(find(m.pages[0], u"数"_s)->top - find(m.pages[0], u"处"_s)->top, 4 * 240);
}

// A one-line box over a longer label: only what the line holds prints.
void TestReportEngine::labelCutAtItsHeight()
{
    ReportLayout r = smallList();
    r.detail.items = {label(0, 0, u"受理时间：    年  月  日"_s, 1260).size(12).cutAt(255),
                      label(2000, 0, u"责令改正"_s, 500).size(12).cutAt(500)};
    const PageModel m = layoutReport(r, rowsOf(1));
    QVERIFY(find(m.pages[0], u"受理时间："_s));
    QVERIFY(!m.texts(0).join(QString()).contains(u"年"_s));
    QVERIFY(find(m.pages[0], u"责令"_s));
    QVERIFY(find(m.pages[0], u"改正"_s));
}

namespace {

// A record: a heading, a free text in a box of two 12 pt lines of two
// characters each, a signature label and a rule under it.
ReportLayout record()
{
    ReportLayout r = smallList();
    r.detail.height = 1200;
    r.detail.items = {label(0, 0, u"记录："_s).size(12), field(0, 300, 480, u"name"_s).size(12).grows(480),
                      label(0, 900, u"签名："_s).size(12), bar(0, 1100, 6000)};
    return r;
}

Rows recordRow(const QString &text)
{
    Rows rows;
    rows.columns = {u"name"_s};
    rows.values.push_back({text});
    return rows;
}

QStringList linesOf(const PageModel &m, const QString &column)
{
    QStringList out;
    for (const Page &p : m.pages)
        for (const PageItem &i : p.items)
            if (i.kind == ItemKind::Field && i.column == column)
                out << i.text;
    return out;
}

} // namespace

void TestReportEngine::growingField_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("moved"); // how far the label and rule below move down
    QTest::newRow("empty") << QString() << QStringList{QString()} << 0;
    QTest::newRow("two lines fill the box") << u"一二三四"_s << QStringList{u"一二"_s, u"三四"_s} << 0;
    QTest::newRow("its own line breaks") << u"一\r\n二三"_s << QStringList{u"一"_s, u"二三"_s} << 0;
    QTest::newRow("a third line moves what is below")
        << u"一二三四五"_s << QStringList{u"一二"_s, u"三四"_s, u"五"_s} << 240;
    QTest::newRow("an empty line counts") << u"一二三四\n\n五"_s
                                          << QStringList{u"一二"_s, u"三四"_s, QString(), u"五"_s} << 480;
    QTest::newRow("empty lines at its end take no room") << u"一二三四\n\n\n\n"_s
                                                         << QStringList{u"一二"_s, u"三四"_s} << 0;
    QTest::newRow("nor do blanks at its end") << u"一二三四五\n  \n\t\n　"_s
                                              << QStringList{u"一二"_s, u"三四"_s, u"五"_s} << 240;
}

void TestReportEngine::growingField()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QFETCH(int, moved);
    const PageModel m = layoutReport(record(), recordRow(text));
    QCOMPARE(m.pageCount(), 1);
    QCOMPARE(linesOf(m, u"name"_s), lines);
    const auto fields = fieldLines(m.pages[0], u"name"_s);
    const int detailTop = 1000 + 600 + 400;
    for (std::size_t k = 0; k < fields.size(); ++k)
        QCOMPARE(fields[k]->top, detailTop + 300 + int(k) * 240);
    QCOMPARE(find(m.pages[0], u"记录："_s)->top, detailTop);
    QCOMPARE(find(m.pages[0], u"签名："_s)->top, detailTop + 900 + moved);
    // The report footer follows the grown detail.
    QCOMPARE(find(m.pages[0], u"以上共计"_s)->top, detailTop + 1200 + moved + 100);
}

// A text longer than the page goes on below the next page's header; what
// stood below it follows its last line, and every page has its footer.
void TestReportEngine::growingFieldContinuesOnTheNextPage()
{
    const QString text = u"字"_s.repeated(200);
    const PageModel m = layoutReport(record(), recordRow(text));
    QCOMPARE(m.pageCount(), 2);
    QCOMPARE(linesOf(m, u"name"_s).join(QString()), text);
    // Page 1: lines from 2300 while one more still ends above the footer at 15538.
    const auto first = fieldLines(m.pages[0], u"name"_s);
    QCOMPARE(int(first.size()), 55);
    QCOMPARE(first.back()->top, 2300 + 54 * 240);
    const auto second = fieldLines(m.pages[1], u"name"_s);
    QCOMPARE(int(second.size()), 45);
    QCOMPARE(find(m.pages[1], u"编号"_s)->top, 1000 + 100);
    QCOMPARE(second.front()->top, 1000 + 400);
    QCOMPARE(second.back()->top, 1400 + 44 * 240);
    QCOMPARE(find(m.pages[1], u"签名："_s)->top, second.back()->top + 240 + 120);
    QVERIFY(!find(m.pages[1], u"记录："_s));
    QCOMPARE(countOf(m.pages[0], u"第一页起每页都有"_s), 1);
    QCOMPARE(countOf(m.pages[1], u"第一页起每页都有"_s), 1);
    QCOMPARE(countOf(m.pages[1], u"以上共计"_s), 1);
}

// Empty lines of a growing field make no sheet: those at its end take no
// room, and those that would begin a page are left out, so every page
// goes on with text. Page 1 holds 55 lines of the field, later pages 59.
void TestReportEngine::emptyLinesMakeNoSheet_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pages");
    const QString fifty = u"字"_s.repeated(100);
    QTest::newRow("at its end") << fifty + u"\n"_s.repeated(300) << 1;
    QTest::newRow("across a page break") << fifty + u"\n"_s.repeated(100) + u"页"_s << 2;
    QTest::newRow("across two page breaks") << fifty + u"\n"_s.repeated(200) + u"页"_s << 2;
    QTest::newRow("at its start") << u"\n"_s.repeated(200) + u"页"_s << 2;
    QTest::newRow("between text on one page") << u"字\n\n\n页"_s << 1;
}

void TestReportEngine::emptyLinesMakeNoSheet()
{
    QFETCH(QString, text);
    QFETCH(int, pages);
    const PageModel m = layoutReport(record(), recordRow(text));
    QCOMPARE(m.pageCount(), pages);
    RowsInMemory rows(recordRow(text));
    QCOMPARE(paginate(record(), rows)->pageCount(), pages);
    for (int n = 1; n < m.pageCount(); ++n) {
        const auto lines = fieldLines(m.pages[std::size_t(n)], u"name"_s);
        QVERIFY(!lines.empty());
        QVERIFY(!lines.front()->text.isEmpty());
        QCOMPARE(lines.front()->top, 1000 + 400);
    }
    QStringList written = text.split(u'\n', Qt::SkipEmptyParts);
    QStringList printed = linesOf(m, u"name"_s);
    printed.removeAll(QString());
    QCOMPARE(printed.join(QString()), written.join(QString()));
    QVERIFY(find(m.pages.back(), u"签名："_s));
}

// What stands below a growing field (a signature, a rule, a date) moves as
// one block: when it does not fit under the text's last line it starts the
// next page whole; the text itself fills the first page.
void TestReportEngine::blockBelowAGrowingFieldStaysTogether()
{
    ReportLayout r = record();
    r.detail.height = 1600;
    r.detail.items.push_back(label(0, 1300, u"日期："_s).size(12));
    // 53 lines: the last ends at 15020 and 签名 would too (15380), but 日期
    // would end at 15780, below the footer's top at 15538.
    const PageModel m = layoutReport(r, recordRow(u"字"_s.repeated(106)));
    QCOMPARE(m.pageCount(), 2);
    QCOMPARE(int(fieldLines(m.pages[0], u"name"_s).size()), 53);
    QVERIFY(fieldLines(m.pages[1], u"name"_s).empty());
    const PageItem *signature = find(m.pages[1], u"签名："_s);
    QVERIFY(signature);
    QCOMPARE(signature->top, 1000 + 400);
    QCOMPARE(find(m.pages[1], u"日期："_s)->top, 1000 + 400 + 400);
    QVERIFY(!find(m.pages[0], u"签名："_s));
    QCOMPARE(int(std::count_if(m.pages[1].items.begin(), m.pages[1].items.end(),
                               [](const PageItem &i) { return i.kind == ItemKind::Box && i.height == 15; })),
             1);
}

// A section with nothing in it makes no page of its own, though the space
// left under a grown detail reaches past the page's end.
void TestReportEngine::noPageForAnEmptySection()
{
    ReportLayout r = record();
    r.detail.height = 1600;
    r.reportFooter = {};
    for (int lines : {52, 53}) {
        const PageModel m = layoutReport(r, recordRow(u"字"_s.repeated(2 * lines)));
        QCOMPARE(m.pageCount(), 1);
        QVERIFY(find(m.pages[0], u"签名："_s));
    }
}

void TestReportEngine::headerFieldsShowTheFirstRow()
{
    ReportLayout r = smallList();
    r.reportHeader.items.push_back(field(0, 0, 3000, u"name"_s));
    r.reportHeader.items.push_back(field(0, 0, 3000, u"nosuchcolumn"_s));
    const PageModel m = layoutReport(r, rowsOf(2));
    const auto names = fieldLines(m.pages[0], u"name"_s);
    QCOMPARE(names.front()->text, u"单位1"_s);
    QCOMPARE(fieldLines(m.pages[0], u"nosuchcolumn"_s).front()->text, QString());
}

void TestReportEngine::paperSizes()
{
    PageSetup a4;
    QCOMPARE(paperWidth(a4), 11906);
    QCOMPARE(paperHeight(a4), 16838);
    a4.orientation = QPageLayout::Landscape;
    QCOMPARE(paperWidth(a4), 16838);
    QCOMPARE(paperHeight(a4), 11906);
}

namespace {

// Everything a page prints, one line an item.
QStringList described(const Page &page)
{
    QStringList out;
    for (const PageItem &i : page.items)
        out << u"%1 %2,%3 %4x%5 %6 [%7] %8%9 %10%11"_s.arg(int(i.kind))
                   .arg(i.left)
                   .arg(i.top)
                   .arg(i.width)
                   .arg(i.height)
                   .arg(i.text, i.column)
                   .arg(i.pointSize)
                   .arg(i.bold ? u" bold"_s : QString())
                   .arg(int(i.style))
                   .arg(i.filled ? u" filled"_s : QString());
    return out;
}

// The record layout of several rows with texts of these lengths, and a
// report footer that grows with the last row's text.
Rows recordRows(std::initializer_list<int> lengths)
{
    Rows rows;
    rows.columns = {u"name"_s};
    int n = 0;
    for (int length : lengths)
        rows.values.push_back({QString(QChar(u'甲' + n++ % 10)).repeated(length)});
    return rows;
}

// Two notes one under the other, each moving down what stands below it:
// the second note's lines stand among what the first moved.
ReportLayout twoNotes()
{
    ReportLayout r = smallList();
    r.detail.height = 2100;
    r.detail.items = {label(0, 0, u"询问记录："_s).size(12), field(0, 300, 480, u"name"_s).size(12).grows(480),
                      label(0, 900, u"补充："_s).size(12), field(0, 1200, 2400, u"no"_s).size(12).grows(480),
                      label(0, 1800, u"签名："_s).size(12), bar(0, 2000, 6000)};
    return r;
}

Rows twoNoteRows(std::initializer_list<std::pair<int, int>> lengths)
{
    Rows rows;
    rows.columns = {u"name"_s, u"no"_s};
    for (const auto &[a, b] : lengths)
        rows.values.push_back({u"记"_s.repeated(a), u"补"_s.repeated(b)});
    return rows;
}

ReportLayout recordWithGrowingFooter()
{
    ReportLayout r = record();
    r.reportFooter.height = 800;
    r.reportFooter.items = {label(0, 100, u"以上共计"_s), field(0, 400, 2400, u"name"_s).size(12).grows(240),
                            label(0, 700, u"完"_s)};
    return r;
}

// Rows made up as they are asked for, counting what is read.
class CountingRows : public RowSource {
public:
    explicit CountingRows(std::size_t count) : m_count(count) { }
    std::size_t size() const override { return m_count; }
    const std::vector<QString> &columns() const override { return m_columns; }
    const std::vector<QString> &row(std::size_t i) override
    {
        read.push_back(i);
        m_row = {QString::number(i + 1), u"单位%1"_s.arg(i + 1), u"12.5"_s};
        return m_row;
    }
    std::vector<std::size_t> read;

private:
    std::size_t m_count;
    std::vector<QString> m_columns{u"no"_s, u"name"_s, u"amount"_s};
    std::vector<QString> m_row;
};

} // namespace

// Rows of fixed height: page n is counted from its number; rows that grow
// with their text: from where the pages before it ended. Either way page n
// made alone, in any order, is page n of the whole layout.
void TestReportEngine::pageOnDemand_data()
{
    QTest::addColumn<ReportLayout>("layout");
    QTest::addColumn<Rows>("rows");
    ReportLayout tall = smallList();
    tall.detail.height = 20000;
    QTest::newRow("empty list") << smallList() << rowsOf(0);
    QTest::newRow("short list") << smallList() << rowsOf(3);
    QTest::newRow("first page exactly full") << smallList() << rowsOf(45);
    QTest::newRow("one row over") << smallList() << rowsOf(46);
    QTest::newRow("second page exactly full") << smallList() << rowsOf(45 + 47);
    QTest::newRow("footer room left on the last page") << smallList() << rowsOf(45 + 47 + 44);
    QTest::newRow("long list") << smallList() << rowsOf(10000);
    QTest::newRow("rows taller than a page") << tall << rowsOf(5);
    QTest::newRow("growing fields, none outgrown") << record() << recordRows({0, 3, 4, 1, 4, 2, 0, 4, 4, 4, 1, 2, 3});
    QTest::newRow("growing fields over pages")
        << record() << recordRows({4, 30, 0, 200, 7, 90, 90, 90, 1, 400, 5, 60, 60, 60, 60, 3});
    QTest::newRow("one row longer than two pages") << record() << recordRows({500});
    QTest::newRow("growing report footer")
        << recordWithGrowingFooter() << recordRows({50, 20, 120, 80, 600});
    QTest::newRow("growing report footer, no rows") << recordWithGrowingFooter() << recordRows({});
    QTest::newRow("two notes, blocks kept together")
        << twoNotes() << twoNoteRows({{10, 10}, {300, 5}, {2, 900}, {40, 40}, {700, 700}, {0, 0}, {5, 1400}});
}

void TestReportEngine::pageOnDemand()
{
    QFETCH(ReportLayout, layout);
    QFETCH(Rows, rows);
    const PageModel whole = layoutReport(layout, rows);
    RowsInMemory source(rows);
    const std::optional<PageIndex> index = paginate(layout, source);
    QVERIFY(index);
    QCOMPARE(index->pageCount(), whole.pageCount());
    for (int n = whole.pageCount() - 1; n >= 0; --n)
        QCOMPARE(described(layoutPage(layout, source, *index, n)), described(whole.pages[std::size_t(n)]));
}

// A million rows of one height: the pages are counted, the last page's
// rows alone are read to find the report footer's page, and any page then
// reads its own rows and no others.
void TestReportEngine::pageReadsOnlyItsRows()
{
    CountingRows rows(1000000);
    const std::optional<PageIndex> index = paginate(smallList(), rows);
    QVERIFY(index);
    // 45 rows on the first page, 47 on every other.
    QCOMPARE(index->pageCount(), 1 + int((1000000 - 45 + 46) / 47));
    QVERIFY(rows.read.size() <= 47);
    QVERIFY(*std::min_element(rows.read.begin(), rows.read.end()) >= 1000000 - 47);
    for (int n : {index->pageCount() - 1, 0, 12345}) {
        rows.read.clear();
        const Page page = layoutPage(smallList(), rows, *index, n);
        const std::size_t first = n == 0 ? 0 : 45 + std::size_t(n - 1) * 47;
        QCOMPARE(fieldLines(page, u"no"_s).front()->text, QString::number(first + 1));
        QVERIFY(!rows.read.empty());
        for (std::size_t r : rows.read)
            QVERIFY2(r >= first && r < first + 47, qPrintable(QString::number(r)));
    }
}

// Growing rows are laid out once in order to find the pages; that pass
// stops when the user cancels.
void TestReportEngine::paginationCancelled()
{
    Rows rows = recordRows({});
    for (int i = 0; i < 500; ++i)
        rows.values.push_back({u"字"_s.repeated(100)});
    RowsInMemory source(rows);
    test::RecordingProgress cancel;
    cancel.cancelAtOnce = true;
    QVERIFY(!paginate(record(), source, cancel));
    QVERIFY(paginate(record(), source));
}

QTEST_GUILESS_MAIN(TestReportEngine)
#include "tst_reportengine.moc"
