#include "platform/reportengine.h"

#include "platform/units.h"

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

// Lines of a label: its own line breaks, and when it wraps, as many whole
// characters per line as the width holds on the grid (at least one).
QStringList labelLines(const Item &item, double pointSize)
{
    const QStringList given = item.text.split(u'\n');
    if (!item.wrap || item.width <= 0)
        return given;
    QStringList lines;
    for (const QString &text : given)
        lines << gridLines(text, item.width, pointSize);
    // A label of fixed height shows only the lines it holds.
    if (item.height > 0)
        lines = lines.mid(0, std::max(1, item.height / em(pointSize)));
    return lines;
}

class Placer {
public:
    Placer(const ReportLayout &layout, const Rows &rows, PageModel &model)
        : m_layout(layout), m_rows(rows), m_model(model)
    {
    }

    // Column of each field of a section in the rows, -1 for other items.
    std::vector<int> columnsOf(const Section &section) const
    {
        std::vector<int> out;
        out.reserve(section.items.size());
        for (const Item &i : section.items)
            out.push_back(i.kind == ItemKind::Field ? m_rows.columnIndex(i.text) : -1);
        return out;
    }

    void place(const Section &section, const std::vector<int> &columns, std::ptrdiff_t row, int y)
    {
        Page &page = m_model.pages.back();
        const int x0 = m_layout.page.leftMargin;
        for (std::size_t n = 0; n < section.items.size(); ++n) {
            const Item &item = section.items[n];
            const double pt = item.pointSize > 0 ? item.pointSize : m_layout.fontSize;
            switch (item.kind) {
            case ItemKind::Label: {
                const QStringList lines = labelLines(item, pt);
                for (qsizetype k = 0; k < lines.size(); ++k) {
                    PageItem p = textItem(0, y + item.top + int(k) * em(pt), lines[k], pt, item.bold);
                    p.left = x0 + aligned(item, p.width);
                    page.items.push_back(std::move(p));
                }
                break;
            }
            case ItemKind::Field: {
                QString value;
                if (row >= 0 && columns[n] >= 0)
                    value = m_rows.values[std::size_t(row)][std::size_t(columns[n])];
                PageItem p = textItem(0, y + item.top, clippedText(value, item.width, pt), pt, item.bold);
                p.kind = ItemKind::Field;
                p.column = item.text;
                p.left = x0 + aligned(item, p.width);
                page.items.push_back(std::move(p));
                break;
            }
            case ItemKind::Line:
            case ItemKind::Box: {
                PageItem p;
                p.kind = item.kind;
                p.left = x0 + item.left;
                p.top = y + item.top;
                p.width = item.width;
                p.height = item.height;
                p.style = item.style;
                p.filled = item.filled;
                page.items.push_back(p);
                break;
            }
            }
        }
    }

private:
    const ReportLayout &m_layout;
    const Rows &m_rows;
    PageModel &m_model;
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
    Placer placer(layout, rows, model);

    const int top = layout.page.topMargin;
    const int footerTop = paperHeight(layout.page) - layout.page.bottomMargin - layout.pageFooter.height;
    const std::ptrdiff_t first = rows.empty() ? -1 : 0;
    const std::ptrdiff_t last = std::ptrdiff_t(rows.size()) - 1;
    const auto pageHeaderColumns = placer.columnsOf(layout.pageHeader);
    const auto pageFooterColumns = placer.columnsOf(layout.pageFooter);
    const auto detailColumns = placer.columnsOf(layout.detail);

    int y = top;
    bool pageHasBody = false;
    std::ptrdiff_t pageRow = first; // the row that the page's headers and footer show
    auto startPage = [&](bool withReportHeader) {
        model.pages.emplace_back();
        y = top;
        if (withReportHeader) {
            placer.place(layout.reportHeader, placer.columnsOf(layout.reportHeader), first, y);
            y += layout.reportHeader.height;
        }
        placer.place(layout.pageHeader, pageHeaderColumns, pageRow, y);
        y += layout.pageHeader.height;
        pageHasBody = false;
    };
    auto finishPage = [&] { placer.place(layout.pageFooter, pageFooterColumns, pageRow, footerTop); };
    // A section that does not fit below what the page holds goes to a new
    // page; one taller than a whole page is placed all the same.
    auto ensureRoom = [&](int height, std::ptrdiff_t row) {
        if (pageHasBody && y + height > footerTop) {
            finishPage();
            pageRow = row;
            startPage(false);
        }
    };

    startPage(true);
    for (std::ptrdiff_t r = 0; r <= last; ++r) {
        ensureRoom(layout.detail.height, r);
        placer.place(layout.detail, detailColumns, r, y);
        y += layout.detail.height;
        pageRow = r;
        pageHasBody = true;
    }
    ensureRoom(layout.reportFooter.height, last);
    placer.place(layout.reportFooter, placer.columnsOf(layout.reportFooter), last, y);
    finishPage();
    return model;
}

} // namespace kelm::report
