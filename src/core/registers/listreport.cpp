#include "registers/listreport.h"

#include <algorithm>

namespace kelm {

namespace {
// Section heights and text tops, twips.
constexpr int titleHeight = 675;
constexpr int titleLeft = 5280;
constexpr int titleTop = 120;
constexpr double titleSize = 21.75;
constexpr int headHeight = 450;
constexpr int headTop = 120;
constexpr int rowHeight = 345;
constexpr int rowTop = 68; // one line of the report's 10.5 pt text: 68 to 278
// A row's field box: room for two lines of the smallest printed size
// between the row's rules, its middle where one line of the report's text
// stands, so an unshrunk text prints there as before.
constexpr int fieldHeight = 270;
constexpr int fieldTop = rowTop + (210 - fieldHeight) / 2;
constexpr int ruleTop = 15; // the rule above the heads, inside the section

// Vertical rules at xs from top to the section's foot, and horizontal ones
// across them at each of ys.
void addRules(report::Section &section, const std::vector<int> &xs, int top, std::initializer_list<int> ys)
{
    if (xs.empty())
        return;
    const auto [left, right] = std::minmax_element(xs.begin(), xs.end());
    for (int y : ys)
        section.items.push_back(report::line(*left, y, *right, y));
    for (int x : xs)
        section.items.push_back(report::line(x, top, x, section.height));
}
} // namespace

report::ReportLayout listReportLayout(const ListReportDesign &design)
{
    report::ReportLayout r;
    r.name = design.name;
    r.caption = design.caption;
    r.page = design.page;

    r.reportHeader.height = titleHeight;
    r.reportHeader.items.push_back(report::label(titleLeft, titleTop, design.title).size(titleSize).bolded());

    r.pageHeader.height = headHeight;
    addRules(r.pageHeader, design.headRules, ruleTop, {ruleTop, headHeight});
    r.detail.height = rowHeight;
    addRules(r.detail, design.detailRules, 0, {rowHeight});

    for (const ListReportColumn &c : design.columns) {
        r.pageHeader.items.push_back(report::label(c.left, headTop, c.head, c.width));
        report::Item field = report::field(c.left, fieldTop, c.width, c.column);
        field.height = fieldHeight;
        r.detail.items.push_back(field);
    }
    return r;
}

} // namespace kelm
