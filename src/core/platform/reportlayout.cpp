#include "platform/reportlayout.h"

#include <QSizeF>

#include <cmath>

namespace kelm::report {

namespace {
Item item(ItemKind kind, int left, int top, int width, int height, const QString &text = {})
{
    Item i;
    i.kind = kind;
    i.left = left;
    i.top = top;
    i.width = width;
    i.height = height;
    i.text = text;
    return i;
}
} // namespace

Item label(int left, int top, const QString &text, int width)
{
    return item(ItemKind::Label, left, top, width, 0, text);
}

Item field(int left, int top, int width, const QString &column)
{
    return item(ItemKind::Field, left, top, width, 0, column);
}

Item line(int x1, int y1, int x2, int y2) { return item(ItemKind::Line, x1, y1, x2 - x1, y2 - y1); }

Item bar(int left, int top, int width, int height) { return item(ItemKind::Box, left, top, width, height); }

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
