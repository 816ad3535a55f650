#include "support/printedforms.h"

#include <algorithm>
#include <cstdlib>

namespace kelm::test {

using report::ItemKind;
using report::Page;
using report::PageItem;

bool near(int a, int b) { return std::abs(a - b) <= tolerance; }

const PageItem *findPrinted(const Page &page, What what, const QString &text, int left, int top, int originLeft,
                            int originTop, LabelAt labelAt)
{
    for (const PageItem &i : page.items) {
        const bool atTop = near(i.top - originTop, top);
        const bool atLeft = near(i.left - originLeft, left);
        switch (what) {
        case What::Label:
            if (i.kind == ItemKind::Label && i.text == text && (labelAt == LabelAt::Anywhere || atTop)
                && (labelAt != LabelAt::TopAndLeft || atLeft))
                return &i;
            break;
        case What::Field:
            if (i.kind == ItemKind::Field && i.column == text)
                return &i;
            break;
        case What::Rule:
            if (i.kind == ItemKind::Box && atTop)
                return &i;
            break;
        case What::Underline:
            if (i.kind == ItemKind::Line && atTop && atLeft)
                return &i;
            break;
        }
    }
    return nullptr;
}

std::vector<const PageItem *> itemsOf(const Page &page, ItemKind kind)
{
    std::vector<const PageItem *> out;
    for (const PageItem &i : page.items)
        if (i.kind == kind)
            out.push_back(&i);
    return out;
}

int count(const Page &page, ItemKind kind)
{
    return int(std::count_if(page.items.begin(), page.items.end(), [kind](const PageItem &i) { return i.kind == kind; }));
}

} // namespace kelm::test
