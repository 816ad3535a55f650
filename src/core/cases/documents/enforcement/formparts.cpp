#include "cases/documents/enforcement/formparts.h"

using namespace Qt::StringLiterals;

namespace kelm::enforcement {

report::Item printedTitle(const QString &title, int top)
{
    const int width = gridWidthTwips(title, 21.75);
    return report::label((printedWidth - width) / 2, top, title, width).size(21.75).bolded();
}

report::Section printedHeading(const QString &title)
{
    using namespace report;
    return {3135,
            {
                label(1830, 1095, u"卫  生  行  政  执  法  处  罚  文  书"_s, 6000).size(15.75),
                bar(0, 1470, printedWidth),
                printedTitle(title, 2025),
            }};
}

std::vector<report::Item> printedFooter(int ruleTop)
{
    using namespace report;
    return {bar(0, ruleTop, printedWidth), label(6765, ruleTop + 120, u"中华人民共和国卫生部制定"_s, 2880)};
}

std::vector<report::Item> printedDate(int left, int top, const QString &year, const QString &month,
                                      const QString &day)
{
    using namespace report;
    return {
        label(left, top, u"    年  月  日"_s, 1680),
        field(left, top, 480, year),
        field(left + 720, top, 240, month),
        field(left + 1200, top, 240, day),
    };
}

void addItems(report::Section &section, const std::vector<report::Item> &items)
{
    section.items.insert(section.items.end(), items.begin(), items.end());
}

Row windowSeam(int top) { return {top, RowAlign::Left, {text(u"请盖骑缝章"_s + QString(70, u'-'), textLeft)}}; }

std::vector<report::Item> printedSeam(int top)
{
    using namespace report;
    return {label(0, top, u"请骑缝盖章"_s, 1200), line(1260, top + 120, printedWidth, top + 120)};
}

} // namespace kelm::enforcement
