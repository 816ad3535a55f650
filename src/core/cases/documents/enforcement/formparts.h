// What the enforcement, transfer, service and closure forms share: the
// window's text margins, the printed heading of the national forms and the
// seam between a stub and its document.
#pragma once

#include "cases/engine/description.h"

namespace kelm::enforcement {

constexpr int textLeft = 480; // the window's left margin
constexpr int indent = 840;   // a paragraph's first line
// Where a box that fills its line ends: a full line from the margin does.
constexpr int lineEnd = 7695;
// The printed body, from rule end to rule end.
constexpr int printedWidth = 9645;

// A printed title: centred in 宋体 21.75 pt bold.
report::Item printedTitle(const QString &title, int top);
// "卫  生  行  政  执  法  处  罚  文  书" over a rule, then the title:
// the report header of a form.
report::Section printedHeading(const QString &title);
// A rule, then "中华人民共和国卫生部制定" at the right under it.
std::vector<report::Item> printedFooter(int ruleTop);
// "    年  月  日" from left with the year, month and day in its blanks.
std::vector<report::Item> printedDate(int left, int top, const QString &year, const QString &month,
                                      const QString &day);
// Adds items at the end of a section.
void addItems(report::Section &section, const std::vector<report::Item> &items);
// The window's row of a seam: "请盖骑缝章" followed by 70 hyphens.
Row windowSeam(int top);
// The printed seam: "请骑缝盖章" followed by a line to the right edge.
std::vector<report::Item> printedSeam(int top);

} // namespace kelm::enforcement
