// What the on-site record forms share: the window's heading and footer
// rows, the record time line and signature dates of the window, and their
// printed counterparts in 宋体 12 pt.
#pragma once

#include "cases/engine/description.h"

namespace kelm::onsite {

constexpr int textLeft = 480;   // the window's left margin
constexpr int textRight = 7680; // and its right margin
// The printed body, from rule end to rule end.
constexpr int printedWidth = 9645;

// "卫  生  行  政  执  法  处  罚  文  书" (12 pt) centred over a rule,
// then the title (18 pt bold) centred.
std::vector<Row> windowHeading(const QString &title);
// A rule, then "中华人民共和国卫生部制定" at the right.
std::vector<Row> windowFooter();
// "label" [year] "年    月    日" [month] [day] "      时    分至" [hour]
// [minute] "      时    分" [hour] [minute]: the boxes first..first + 6.
Row windowTimeLine(const QString &label, int first);
// [year] "年    月    日" with month and day in its blanks, from left: the
// boxes first..first + 2.
std::vector<Piece> windowDate(int first, int left);
// Two such dates on one line.
Row windowDates(int first, int left, int second, int secondLeft);
// Adds rows at the end of a window's rows.
void addRows(std::vector<Row> &rows, const std::vector<Row> &more);
// A record's memo box: several lines across the window, written at every
// change, read back or left as typed.
BoxSpec memoBox(const QString &column, BoxSave save);
// The seam between the two parts of a form: "请盖骑缝章" and hyphens.
Row windowSeam(int hyphens);

// The printed heading as report header: the header line over a rule, with
// the hand-written "第   页共   页" at the right where the form has it, and
// the title centred.
report::Section printedHeading(const QString &title, bool pageLine);
// A printed title: centred in 宋体 21.75 pt bold.
report::Item printedTitle(const QString &title, int top);
// "label" and the seven time parts as the window's time line has them,
// with labels "年   月   日", "     时   分至", "     时   分" and an
// underline under each part.
std::vector<report::Item> printedTimeLine(int top, const QString &label, const QStringList &columns);
// [year] "年   月   日" with month and day in its blanks, the year's field
// starting at left; underlined when the form has it.
std::vector<report::Item> printedDate(int left, int top, const QStringList &columns, const QString &words,
                                      bool underlined);
// The foot of a printed record: the two signature dates on one line, year
// month and day columns each, then the rule and the footer.
std::vector<report::Item> printedRecordFoot(const QStringList &leftDate, const QStringList &rightDate);
// A rule, then "中华人民共和国卫生部制定" at the right under it.
std::vector<report::Item> printedFooter(int ruleTop);
// "请骑缝盖章" followed by a line to the right edge.
std::vector<report::Item> printedSeam(int top);
// A label (if any) with its field after it on the same line, the field
// reaching the right edge unless a width is given.
std::vector<report::Item> printedLine(int left, int top, const QString &label, const QString &column,
                                      int fieldWidth = 0);
// Adds items at the end of a section.
void addItems(report::Section &section, const std::vector<report::Item> &items);

} // namespace kelm::onsite
