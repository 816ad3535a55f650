#include "platform/reportengine.h"

#include "platform/units.h"

#include <algorithm>
#include <cmath>

namespace kelm::report {

namespace {

int em(double pointSize) { return int(std::lround(pointSize * 20)); }

int aligned(const Item &item, int textWidth)
{
    switch (item.align) {
    case Align::Left: break;
    case Align::Centre: return item.left + (item.width - textWidth) / 2;
    case Align::Right: return item.left + item.width - textWidth;
    }
    return item.left;
}

// Lines of a text no wider than width on the character grid (at least
// one character a line), its own line breaks kept.
QStringList wrappedLines(const QString &text, int width, double pointSize)
{
    QStringList lines;
    for (const QString &given : text.split(u'\n'))
        lines << gridLines(given, width, pointSize);
    return lines;
}

// Lines of a label: its own line breaks, and when it wraps, as many whole
// characters per line as the width holds on the grid.
QStringList labelLines(const Item &item, double pointSize)
{
    if (!item.wrap || item.width <= 0)
        return item.text.split(u'\n');
    QStringList lines = wrappedLines(item.text, item.width, pointSize);
    // A label of fixed height shows only the lines it holds.
    if (item.height > 0)
        lines = lines.mid(0, std::max(1, item.height / em(pointSize)));
    return lines;
}

// A section's items with their tops counted from the section's top, and
// how much taller than designed its growing fields made it.
struct LaidSection {
    std::vector<PageItem> items;
    int grown = 0;
};

class Placer {
public:
    Placer(const ReportLayout &layout, const Rows &rows) : m_layout(layout), m_rows(rows) { }

    // Column of each field of a section in the rows, -1 for other items.
    std::vector<int> columnsOf(const Section &section) const
    {
        std::vector<int> out;
        out.reserve(section.items.size());
        for (const Item &i : section.items)
            out.push_back(i.kind == ItemKind::Field ? m_rows.columnIndex(i.text) : -1);
        return out;
    }

    LaidSection lay(const Section &section, const std::vector<int> &columns, std::ptrdiff_t row) const
    {
        const int x0 = m_layout.page.leftMargin;
        auto valueOf = [&](std::size_t n) {
            if (row >= 0 && columns[n] >= 0)
                return QString(m_rows.values[std::size_t(row)][std::size_t(columns[n])]).remove(u'\r');
            return QString();
        };
        // Lines of each growing field; what stands below a field's designed
        // bottom moves down by what the field outgrew.
        std::vector<QStringList> grownLines(section.items.size());
        std::vector<std::pair<int, int>> growth; // designed bottom, extra height
        for (std::size_t n = 0; n < section.items.size(); ++n) {
            const Item &item = section.items[n];
            if (item.kind != ItemKind::Field || !item.grow)
                continue;
            const double pt = pointsOf(item);
            grownLines[n] = wrappedLines(valueOf(n), std::max(item.width, 1), pt);
            const int extra = int(grownLines[n].size()) * em(pt) - item.height;
            if (extra > 0)
                growth.emplace_back(item.top + item.height, extra);
        }
        auto shifted = [&](int top) {
            for (const auto &[bottom, extra] : growth)
                if (top >= bottom)
                    top += extra;
            return top;
        };

        LaidSection out;
        for (const auto &g : growth)
            out.grown += g.second;
        for (std::size_t n = 0; n < section.items.size(); ++n) {
            const Item &item = section.items[n];
            const double pt = pointsOf(item);
            const int top = shifted(item.top);
            switch (item.kind) {
            case ItemKind::Label: {
                const QStringList lines = labelLines(item, pt);
                for (qsizetype k = 0; k < lines.size(); ++k) {
                    PageItem p = textItem(0, top + int(k) * em(pt), lines[k], pt, item.bold);
                    p.left = x0 + aligned(item, p.width);
                    out.items.push_back(std::move(p));
                }
                break;
            }
            case ItemKind::Field: {
                const QStringList lines =
                    item.grow ? grownLines[n] : QStringList{clippedText(valueOf(n), item.width, pt)};
                for (qsizetype k = 0; k < lines.size(); ++k) {
                    PageItem p = textItem(0, top + int(k) * em(pt), lines[k], pt, item.bold);
                    p.kind = ItemKind::Field;
                    p.column = item.text;
                    p.left = x0 + aligned(item, p.width);
                    out.items.push_back(std::move(p));
                }
                break;
            }
            case ItemKind::Line:
            case ItemKind::Box: {
                PageItem p;
                p.kind = item.kind;
                p.left = x0 + item.left;
                p.top = top;
                p.width = item.width;
                p.height = item.height;
                p.style = item.style;
                p.filled = item.filled;
                out.items.push_back(p);
                break;
            }
            }
        }
        return out;
    }

private:
    double pointsOf(const Item &item) const { return item.pointSize > 0 ? item.pointSize : m_layout.fontSize; }

    const ReportLayout &m_layout;
    const Rows &m_rows;
};

} // namespace

QString clippedText(const QString &text, int widthTwips, double pointSize)
{
    const qsizetype lineEnd = text.indexOf(u'\n');
    const QString line = lineEnd < 0 ? text : text.left(lineEnd).remove(u'\r');
    if (pointSize <= 0)
        return line;
    const int units = int(std::floor(widthTwips / (pointSize * 10.0) + 1e-9));
    return fitToUnits(line, std::max(units, 0));
}

PageModel layoutReport(const ReportLayout &layout, const Rows &rows)
{
    PageModel model;
    model.caption = layout.caption;
    model.page = layout.page;
    const Placer placer(layout, rows);

    const int top = layout.page.topMargin;
    const int footerTop = paperHeight(layout.page) - layout.page.bottomMargin - layout.pageFooter.height;
    const std::ptrdiff_t first = rows.empty() ? -1 : 0;
    const std::ptrdiff_t last = std::ptrdiff_t(rows.size()) - 1;
    const auto pageHeaderColumns = placer.columnsOf(layout.pageHeader);
    const auto pageFooterColumns = placer.columnsOf(layout.pageFooter);
    const auto detailColumns = placer.columnsOf(layout.detail);

    int y = top;
    int bodyTop = top; // below the page header of the page being filled
    bool pageHasBody = false;
    std::ptrdiff_t pageRow = first; // the row that the page's headers and footer show
    auto put = [&](const LaidSection &laid, int at) {
        for (PageItem p : laid.items) {
            p.top += at;
            model.pages.back().items.push_back(std::move(p));
        }
    };
    auto startPage = [&](bool withReportHeader) {
        model.pages.emplace_back();
        y = top;
        if (withReportHeader) {
            put(placer.lay(layout.reportHeader, placer.columnsOf(layout.reportHeader), first), y);
            y += layout.reportHeader.height;
        }
        put(placer.lay(layout.pageHeader, pageHeaderColumns, pageRow), y);
        y += layout.pageHeader.height;
        bodyTop = y;
        pageHasBody = false;
    };
    auto finishPage = [&] { put(placer.lay(layout.pageFooter, pageFooterColumns, pageRow), footerTop); };
    // A section that does not fit below what the page holds goes to a new
    // page; one taller than a whole page is placed all the same.
    auto ensureRoom = [&](int height, std::ptrdiff_t row) {
        if (pageHasBody && y + height > footerTop) {
            finishPage();
            pageRow = row;
            startPage(false);
        }
    };
    // Places a section at y and moves y below it. A section that its
    // growing fields made taller breaks onto a new page before the first
    // thing that would reach into the page footer.
    auto place = [&](const Section &section, const std::vector<int> &columns, std::ptrdiff_t row) {
        const LaidSection laid = placer.lay(section, columns, row);
        if (laid.grown == 0) {
            put(laid, y);
            y += section.height;
            return;
        }
        std::vector<const PageItem *> order;
        for (const PageItem &p : laid.items)
            order.push_back(&p);
        std::stable_sort(order.begin(), order.end(),
                         [](const PageItem *a, const PageItem *b) { return a->top < b->top; });
        int origin = y; // where the section's top would stand on this page
        for (const PageItem *p : order) {
            if (origin + p->top + std::max(p->height, 0) > footerTop && origin + p->top > bodyTop) {
                finishPage();
                pageRow = row;
                startPage(false);
                origin = bodyTop - p->top;
            }
            PageItem placed = *p;
            placed.top += origin;
            model.pages.back().items.push_back(std::move(placed));
        }
        y = origin + section.height + laid.grown;
    };

    startPage(true);
    for (std::ptrdiff_t r = 0; r <= last; ++r) {
        ensureRoom(layout.detail.height, r);
        place(layout.detail, detailColumns, r);
        pageRow = r;
        pageHasBody = true;
    }
    ensureRoom(layout.reportFooter.height, last);
    place(layout.reportFooter, placer.columnsOf(layout.reportFooter), last);
    finishPage();
    return model;
}

} // namespace kelm::report
