#include "platform/reportlayout.h"

#include <QSizeF>

#include <cmath>

namespace kelm::report {

Item label(int left, int top, const QString &text, int width)
{
    Item i;
    i.kind = ItemKind::Label;
    i.left = left;
    i.top = top;
    i.width = width;
    i.text = text;
    return i;
}

Item field(int left, int top, int width, const QString &column)
{
    Item i;
    i.kind = ItemKind::Field;
    i.left = left;
    i.top = top;
    i.width = width;
    i.text = column;
    return i;
}

Item line(int x1, int y1, int x2, int y2)
{
    Item i;
    i.kind = ItemKind::Line;
    i.left = x1;
    i.top = y1;
    i.width = x2 - x1;
    i.height = y2 - y1;
    return i;
}

Item bar(int left, int top, int width, int height)
{
    Item i;
    i.kind = ItemKind::Box;
    i.left = left;
    i.top = top;
    i.width = width;
    i.height = height;
    return i;
}

Item frame(int left, int top, int width, int height)
{
    Item i = bar(left, top, width, height);
    i.filled = false;
    return i;
}

namespace {
// Millimetres, in which the ISO papers are defined exactly.
QSizeF paperMillimetres(const PageSetup &page)
{
    const QSizeF s = QPageSize(page.paper).size(QPageSize::Millimeter);
    return page.orientation == QPageLayout::Landscape ? s.transposed() : s;
}
int twipsOf(double mm) { return int(std::lround(mm * 1440 / 25.4)); }
} // namespace

int paperWidth(const PageSetup &page) { return twipsOf(paperMillimetres(page).width()); }
int paperHeight(const PageSetup &page) { return twipsOf(paperMillimetres(page).height()); }

} // namespace kelm::report
