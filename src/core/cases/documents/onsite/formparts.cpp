#include "cases/documents/onsite/formparts.h"

using namespace Qt::StringLiterals;

namespace kelm::onsite {

namespace {

const QString header = u"卫  生  行  政  执  法  处  罚  文  书"_s;
const QString footer = u"中华人民共和国卫生部制定"_s;
constexpr double body = 12;
// A 12 pt character on the grid, and a half-width one.
constexpr int em = 240;
constexpr int half = 120;
// Where a printed underline stands under a 12 pt line of text.
constexpr int underlineDrop = 285;

report::Item underline(int left, int top, int width)
{
    return report::line(left, top + underlineDrop, left + width, top + underlineDrop);
}

} // namespace

std::vector<Row> windowHeading(const QString &title)
{
    return {
        {120, RowAlign::Centre, {text(header, autoPlace, 12)}, true},
        {600, RowAlign::Centre, {text(title, autoPlace, 18, true)}},
    };
}

std::vector<Row> windowFooter()
{
    return {
        {autoPlace, RowAlign::Left, {}, true},
        {autoPlace, RowAlign::Right, {text(footer)}},
    };
}

Row windowTimeLine(const QString &label, int first)
{
    return {autoPlace,
            RowAlign::Left,
            {text(label), box(first), textWithBoxes(u"年    月    日"_s, {first + 1, first + 2}),
             textWithBoxes(u"      时    分至"_s, {first + 3, first + 4}),
             textWithBoxes(u"      时    分"_s, {first + 5, first + 6})}};
}

std::vector<Piece> windowDate(int first, int left)
{
    return {box(first, left), textWithBoxes(u"年    月    日"_s, {first + 1, first + 2})};
}

BoxSpec memoBox(const QString &column, BoxSave save)
{
    BoxSpec b = dataBox(column, 0);
    b.memo = true;
    b.height = 3000;
    b.save = save;
    return b;
}

Row windowDates(int first, int left, int second, int secondLeft)
{
    Row row{autoPlace, RowAlign::Left, windowDate(first, left)};
    const std::vector<Piece> more = windowDate(second, secondLeft);
    row.pieces.insert(row.pieces.end(), more.begin(), more.end());
    return row;
}

void addRows(std::vector<Row> &rows, const std::vector<Row> &more)
{
    rows.insert(rows.end(), more.begin(), more.end());
}

Row windowSeam(int hyphens) { return {autoPlace, RowAlign::Left, {text(u"请盖骑缝章"_s + QString(hyphens, u'-'))}}; }

report::Item printedTitle(const QString &title, int top)
{
    const int width = gridWidthTwips(title, 21.75);
    return report::label((printedWidth - width) / 2, top, title, width).size(21.75).bolded();
}

report::Section printedHeading(const QString &title, bool pageLine)
{
    using namespace report;
    Section s{2040,
              {label(1830, 360, header, 6000).size(15.75), bar(0, 735, printedWidth), printedTitle(title, 1290)}};
    if (pageLine) {
        const QString pages = u"第   页共   页"_s;
        const int left = printedWidth - gridWidthTwips(pages, body);
        s.items.push_back(label(left, 885, pages, gridWidthTwips(pages, body)));
        s.items.push_back(underline(left + em, 885, 3 * half));
        s.items.push_back(underline(left + 3 * em + 3 * half, 885, 3 * half));
    }
    return s;
}

std::vector<report::Item> printedTimeLine(int top, const QString &label, const QStringList &columns)
{
    using namespace report;
    int x = gridWidthTwips(label, body);
    std::vector<Item> items{report::label(0, top, label, x)};
    auto part = [&](int left, int width, const QString &column) {
        items.push_back(field(left, top, width, column));
        items.push_back(underline(left, top, width));
    };
    part(x, 4 * half, columns[0]);
    x += 4 * half;
    const QString date = u"年   月   日"_s;
    items.push_back(report::label(x, top, date, gridWidthTwips(date, body)));
    part(x + em, 3 * half, columns[1]);
    part(x + 2 * em + 3 * half, 3 * half, columns[2]);
    x += gridWidthTwips(date, body);
    for (const QString &words : {u"     时   分至"_s, u"     时   分"_s}) {
        const int k = words.endsWith(u"至"_s) ? 3 : 5;
        items.push_back(report::label(x, top, words, gridWidthTwips(words, body)));
        part(x, 5 * half, columns[k]);
        part(x + 5 * half + em, 3 * half, columns[k + 1]);
        x += gridWidthTwips(words, body);
    }
    return items;
}

std::vector<report::Item> printedDate(int left, int top, const QStringList &columns, const QString &words,
                                      bool underlined)
{
    using namespace report;
    std::vector<Item> items;
    const int parts[][2] = {
        {left, 4 * half}, {left + 4 * half + em, 3 * half}, {left + 4 * half + 2 * em + 3 * half, 3 * half}};
    items.push_back(label(left + 4 * half, top, words, gridWidthTwips(words, body)));
    for (int k = 0; k < 3; ++k) {
        items.push_back(field(parts[k][0], top, parts[k][1], columns[k]));
        if (underlined)
            items.push_back(underline(parts[k][0], top, parts[k][1]));
    }
    return items;
}

std::vector<report::Item> printedRecordFoot(const QStringList &leftDate, const QStringList &rightDate)
{
    const QString words = u"年   月   日"_s;
    report::Section foot;
    addItems(foot, printedDate(1200, 12000, leftDate, words, false));
    addItems(foot, printedDate(6600, 12000, rightDate, words, false));
    addItems(foot, printedFooter(12480));
    return foot.items;
}

std::vector<report::Item> printedFooter(int ruleTop)
{
    using namespace report;
    const int width = gridWidthTwips(footer, body);
    return {bar(0, ruleTop, printedWidth), label(printedWidth - width, ruleTop + 120, footer, width)};
}

std::vector<report::Item> printedSeam(int top)
{
    using namespace report;
    return {label(0, top, u"请骑缝盖章"_s, 5 * em), line(5 * em + 60, top + em / 2, printedWidth, top + em / 2)};
}

std::vector<report::Item> printedLine(int left, int top, const QString &label, const QString &column,
                                      int fieldWidth)
{
    const int width = gridWidthTwips(label, body);
    const report::Item f =
        report::field(left + width, top, fieldWidth > 0 ? fieldWidth : printedWidth - left - width, column);
    if (label.isEmpty())
        return {f};
    return {report::label(left, top, label, width), f};
}

void addItems(report::Section &section, const std::vector<report::Item> &items)
{
    section.items.insert(section.items.end(), items.begin(), items.end());
}

} // namespace kelm::onsite
