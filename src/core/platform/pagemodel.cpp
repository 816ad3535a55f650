#include "platform/pagemodel.h"

#include "platform/units.h"

#include <cmath>

namespace kelm::report {

PageItem textItem(int left, int top, const QString &text, double pointSize, bool bold)
{
    PageItem p;
    p.kind = ItemKind::Label;
    p.left = left;
    p.top = top;
    p.width = gridWidthTwips(text, pointSize);
    p.height = int(std::lround(pointSize * 20));
    p.text = text;
    p.pointSize = pointSize;
    p.bold = bold;
    return p;
}

QStringList PageModel::texts(int page) const
{
    if (page < 0 || page >= pageCount())
        return {};
    return pageTexts(pages[std::size_t(page)]);
}

QStringList pageTexts(const Page &page)
{
    QStringList out;
    for (const PageItem &i : page.items)
        if (i.isText() && !i.text.isEmpty())
            out << i.text;
    return out;
}

} // namespace kelm::report
