#include "cases/statistics/statisticssheet.h"

#include "cases/statistics/penaltystatistics.h"
#include "cases/statistics/statisticsdrawing.h"
#include "data/reportsources.h"
#include "platform/reportengine.h"

#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace kelm::statistics {

namespace {

constexpr double fontSize = 10.5;
constexpr int lineHeight = 210; // one line of 10.5 pt

// The table, twips. It is open at both sides, as statistical forms are.
constexpr int tableLeft = 1314;
constexpr int tableRight = 14985;
constexpr int captionRule = 2949; // after the row captions
// Left rule of report columns 1 to 14, then the table's right edge.
constexpr int columnRules[reportColumnCount + 1] = {3519, 4209, 4920, 5679, 6459, 7269, 8109, 8859,
                                                     9489, 10269, 11049, 11814, 12594, 13524, tableRight};
constexpr int headTop = 2694;
constexpr int subheadTop = 3009; // under "受处罚情况"
constexpr int headBottom = 4179;
constexpr int numbersBottom = 4719;
constexpr int rowRules[reportRowCount] = {5394, 5949, 6519, 7104, 7674, 8214};
constexpr int rowTops[reportRowCount] = {4935, 5535, 6120, 6705, 7290, 7860};
constexpr int cellPadding = 30;
constexpr int cellHeight = 2 * lineHeight; // three lines of 6 pt, inside every row's rules

int columnLeft(int c) { return columnRules[c - 1]; }
int columnRight(int c) { return columnRules[c]; }

// Lines of text centred in a box of the table.
report::Item centredIn(int left, int right, int top, int bottom, const QString &text)
{
    const int lines = int(text.count(u'\n')) + 1;
    return report::label(left, top + (bottom - top - lines * lineHeight) / 2, text, right - left).centred();
}

report::Item overColumns(int first, int last, int top, int bottom, const QString &text)
{
    return centredIn(columnLeft(first), columnRight(last), top, bottom, text);
}

void addHeadings(report::Section &d)
{
    // Column (1) spans the whole height of the headings, set one character
    // a line.
    d.items.push_back(overColumns(1, 1, headTop, headBottom, u"处\n罚\n户\n次\n数"_s));
    d.items.push_back(overColumns(2, 14, headTop, subheadTop, u"受处罚情况"_s));
    // Under a heading over two columns the rule drops to where its two
    // sub-headings begin.
    const int recallRule = 3594;
    const int pairRule = 3519;
    const std::vector<report::Item> heads = {
        overColumns(2, 2, subheadTop, headBottom, u"警告"_s),
        overColumns(3, 3, subheadTop, headBottom, u"责令\n改正"_s),
        overColumns(4, 5, subheadTop, recallRule, u"责令公告收回\n已售出的食品"_s),
        overColumns(4, 4, recallRule, headBottom, u"户次数"_s),
        overColumns(5, 5, recallRule, headBottom, u"重量\n(公斤)"_s),
        overColumns(6, 6, subheadTop, headBottom, u"责令停\n止生产\n经  营"_s),
        overColumns(7, 8, subheadTop, pairRule, u"责令销毁食品"_s),
        overColumns(7, 7, pairRule, headBottom, u"户次数"_s),
        overColumns(8, 8, pairRule, headBottom, u"重量\n(公斤)"_s),
        overColumns(9, 10, subheadTop, pairRule, u"没收违法所得"_s),
        overColumns(9, 9, pairRule, headBottom, u"户次数"_s),
        overColumns(10, 10, pairRule, headBottom, u"金额\n(元)"_s),
        overColumns(11, 12, subheadTop, pairRule, u"罚款"_s),
        overColumns(11, 11, pairRule, headBottom, u"户次数"_s),
        overColumns(12, 12, pairRule, headBottom, u"金额\n(元)"_s),
        overColumns(13, 13, subheadTop, headBottom, u"吊销卫\n生\n许可证"_s),
        overColumns(14, 14, subheadTop, headBottom, u"取缔非法\n经营活动"_s),
    };
    d.items.insert(d.items.end(), heads.begin(), heads.end());

    // Rules: across the table, under the part headings, between columns.
    for (int y : {headTop, headBottom, numbersBottom})
        d.items.push_back(report::line(tableLeft, y, tableRight, y));
    for (int y : rowRules)
        d.items.push_back(report::line(tableLeft, y, tableRight, y));
    d.items.push_back(report::line(columnLeft(2), subheadTop, tableRight, subheadTop));
    d.items.push_back(report::line(columnLeft(4), recallRule, columnRight(5), recallRule));
    d.items.push_back(report::line(columnLeft(7), pairRule, columnRight(12), pairRule));
    const int last = rowRules[reportRowCount - 1];
    for (int x : {captionRule, columnLeft(1), columnLeft(2)})
        d.items.push_back(report::line(x, headTop, x, last));
    for (int c : {3, 4, 6, 7, 9, 11, 13, 14})
        d.items.push_back(report::line(columnLeft(c), subheadTop, columnLeft(c), last));
    d.items.push_back(report::line(columnLeft(5), recallRule, columnLeft(5), last));
    for (int c : {8, 10, 12})
        d.items.push_back(report::line(columnLeft(c), pairRule, columnLeft(c), last));
}

void addRows(report::Section &d)
{
    d.items.push_back(centredIn(tableLeft, captionRule, headBottom, numbersBottom, u"(甲)"_s));
    for (int c = 1; c <= reportColumnCount; ++c)
        d.items.push_back(overColumns(c, c, headBottom, numbersBottom, u"(%1)"_s.arg(c)));

    const QString captions[reportRowCount] = {u"合    计"_s, u"生产加工业"_s, u"批发零售业"_s,
                                              u"饮食行业"_s, u"职工食堂"_s,   u"食品摊贩"_s};
    for (int r = 1; r <= reportRowCount; ++r) {
        const int top = rowTops[r - 1];
        d.items.push_back(report::label(tableLeft, top, captions[r - 1], captionRule - tableLeft).centred());
        d.items.push_back(report::label(captionRule, top, u"(%1)"_s.arg(r), columnLeft(1) - captionRule).centred());
        for (int c = 1; c <= reportColumnCount; ++c) {
            const int left = columnLeft(c) + cellPadding;
            const int width = columnRight(c) - columnLeft(c) - 2 * cellPadding;
            // The cell's box has room for a figure as long as its column
            // holds on lines of the smallest printed size; one line of the
            // sheet's text stands where it always did.
            report::Item cell = report::field(left, top - (cellHeight - lineHeight) / 2, width, cellName(r, c));
            cell.height = cellHeight;
            d.items.push_back(cell.centred());
        }
    }
}

void addFooter(report::Section &d)
{
    d.items.push_back(report::label(1515, 8355, u"实际报出日期"_s));
    d.items.push_back(report::line(2775, 8625, 5190, 8625));
    d.items.push_back(report::label(6600, 8310, u"单位负责人(签章)："_s));
    d.items.push_back(report::line(8490, 8610, 9810, 8610));
    d.items.push_back(report::label(10845, 8340, u"填表人(签章)："_s));
    d.items.push_back(report::line(12315, 8565, 13860, 8565));
}

// The size in which every value of the field's column fits its width,
// but never below the smallest printed size: a longer figure goes on
// over more lines of its cell.
double fieldSize(const report::Item &field, const Rows &rows, double size)
{
    const int column = rows.columnIndex(field.text);
    int units = 0;
    for (const auto &row : rows.values)
        if (column >= 0)
            units = std::max(units, displayUnits(row[std::size_t(column)]));
    return std::max(fittingSize(units, field.width, size), std::min(size, report::smallestPrintedSize));
}

} // namespace

report::ReportLayout statisticsSheetLayout()
{
    report::ReportLayout r;
    r.name = u"rep_tj"_s;
    r.caption = u"食品卫生监督监测情况报表"_s;
    r.fontSize = fontSize;
    // Wider than a portrait page: landscape A4, the form's positions
    // measured from the paper's left edge.
    r.page.orientation = QPageLayout::Landscape;
    r.page.leftMargin = 0;
    r.page.rightMargin = 0;
    r.page.topMargin = 900;
    r.page.bottomMargin = 720;

    report::Section &d = r.detail;
    d.height = 8900;
    d.items = {
        report::label(6435, 1365, u"食品卫生监督监测情况报表"_s).size(21.75).bolded(),
        report::field(6570, 1920, 5310, u"tjsj"_s).centred(),
        report::label(12984, 1209, u"表    号：卫统12表-3"_s),
        report::label(12984, 1584, u"制表机关：卫生部"_s),
        report::label(12999, 1914, u"批准机关：国家统计局"_s),
        report::label(13014, 2304, u"批准文号：(96)国统字第52号"_s),
        report::label(1314, 2424, u"填报单位："_s),
        report::field(2445, 2400, 2450, u"tbdw"_s),
        report::label(4959, 2364, u"（三）行政处罚情况"_s),
    };
    addHeadings(d);
    addRows(d);
    addFooter(d);
    return r;
}

report::PageModel statisticsSheet()
{
    report::ReportLayout layout = statisticsSheetLayout();
    const Rows rows = reportRows(*reportSource(layout.name));
    for (report::Item &item : layout.detail.items)
        if (item.kind == report::ItemKind::Field)
            item.pointSize = fieldSize(item, rows, layout.fontSize);
    return report::layoutReport(layout, rows);
}

} // namespace kelm::statistics
