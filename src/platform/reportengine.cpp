#include "platform/reportengine.h"

#include "platform/units.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>

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

// Where a field's room ends: at its box's right edge, or where a word of a
// label on its line begins inside the box, give or take the glyph's side
// bearing (a quarter of a half-width character). The forms' boxes were
// measured in the old font; on the character grid a few reach into the
// word after their blank, and a field as full as its box must not print
// over it.
int roomRight(const std::vector<PageItem> &words, int left, int right, int top, int height)
{
    for (const PageItem &w : words) {
        const int shared = std::min(top + height, w.top + w.height) - std::max(top, w.top);
        if (shared * 2 <= std::min(height, w.height) || w.left >= right || w.left + w.width <= left)
            continue;
        for (qsizetype i = 0; i < w.text.size(); ++i) {
            const qsizetype len = w.text[i].isHighSurrogate() && i + 1 < w.text.size() ? 2 : 1;
            const int x = w.left + gridOffsetTwips(w.text, i, w.pointSize);
            const int bearing = int(w.pointSize * 2.5);
            if (!w.text[i].isSpace() && x > left && x + bearing < right)
                right = x + bearing;
            i += len - 1;
        }
    }
    return right;
}

// A section's items with their tops counted from the section's top, and
// how much taller than designed its growing fields made it. What stands
// below a growing field moves down as one block (a record's signatures,
// their dates, the rule and the footer): block k for the items below the
// k-th growing field, 0 for the rest.
struct LaidSection {
    std::vector<PageItem> items;
    std::vector<int> blocks; // one per item
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

        // The labels' lines first: the fields keep clear of their words.
        std::vector<PageItem> words;
        std::vector<std::size_t> wordsFrom(section.items.size() + 1, 0);
        for (std::size_t n = 0; n < section.items.size(); ++n) {
            const Item &item = section.items[n];
            wordsFrom[n] = words.size();
            if (item.kind != ItemKind::Label)
                continue;
            const double pt = pointsOf(item);
            const QStringList lines = labelLines(item, pt);
            for (qsizetype k = 0; k < lines.size(); ++k) {
                PageItem p = textItem(0, shifted(item.top) + int(k) * em(pt), lines[k], pt, item.bold);
                p.left = x0 + aligned(item, p.width);
                words.push_back(std::move(p));
            }
        }
        wordsFrom.back() = words.size();

        LaidSection out;
        for (const auto &g : growth)
            out.grown += g.second;
        for (std::size_t n = 0; n < section.items.size(); ++n) {
            const Item &item = section.items[n];
            const double pt = pointsOf(item);
            const int top = shifted(item.top);
            int block = 0;
            if (!item.grow)
                for (const auto &g : growth)
                    block += item.top >= g.first;
            switch (item.kind) {
            case ItemKind::Label:
                out.items.insert(out.items.end(), words.begin() + std::ptrdiff_t(wordsFrom[n]),
                                 words.begin() + std::ptrdiff_t(wordsFrom[n + 1]));
                break;
            case ItemKind::Field: {
                auto put = [&](const Item &box, const QString &text, int at, double size) {
                    PageItem p = textItem(0, at, text, size, item.bold);
                    p.kind = ItemKind::Field;
                    p.column = item.text;
                    p.left = x0 + aligned(box, p.width);
                    out.items.push_back(std::move(p));
                };
                if (item.grow) {
                    for (qsizetype k = 0; k < grownLines[n].size(); ++k)
                        put(item, grownLines[n][k], top + int(k) * em(pt), pt);
                    break;
                }
                // One line, whole: smaller where it is wider than its room,
                // at the box's top as every text of a box stands.
                Item room = item;
                room.width = roomRight(words, x0 + item.left, x0 + item.left + item.width, top, em(pt)) - x0
                             - item.left;
                QString text = valueOf(n);
                text.replace(u'\n', u' ');
                put(room, text, top, fittingPointSize(text, room.width, pt));
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
            out.blocks.resize(out.items.size(), block);
        }
        return out;
    }

private:
    double pointsOf(const Item &item) const { return item.pointSize > 0 ? item.pointSize : m_layout.fontSize; }

    const ReportLayout &m_layout;
    const Rows &m_rows;
};

} // namespace

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
    auto newPage = [&](std::ptrdiff_t row) {
        finishPage();
        pageRow = row;
        startPage(false);
    };
    // A section that does not fit below what the page holds goes to a new
    // page; one taller than a whole page is placed all the same. A section
    // with nothing in it needs no room: no sheet is made for it alone.
    auto ensureRoom = [&](const Section &section, std::ptrdiff_t row) {
        if (pageHasBody && !section.items.empty() && y + section.height > footerTop)
            newPage(row);
    };
    // Places a section at y and moves y below it. A section that its
    // growing fields made taller breaks onto a new page before the first
    // thing that would reach into the page footer; a block that moved down
    // below a growing field starts the next page whole when it does not fit
    // on this one (unless it is taller than a page).
    auto place = [&](const Section &section, const std::vector<int> &columns, std::ptrdiff_t row) {
        const LaidSection laid = placer.lay(section, columns, row);
        if (laid.grown == 0) {
            put(laid, y);
            y += section.height;
            return;
        }
        auto topOf = [](const PageItem &p) { return p.top + std::min(p.height, 0); };
        auto bottomOf = [](const PageItem &p) { return p.top + std::max(p.height, 0); };
        std::map<int, std::pair<int, int>> blocks; // block: its top and bottom
        for (std::size_t i = 0; i < laid.items.size(); ++i) {
            const int b = laid.blocks[i];
            if (b == 0)
                continue;
            const auto [it, fresh] = blocks.try_emplace(b, topOf(laid.items[i]), bottomOf(laid.items[i]));
            if (!fresh)
                it->second = {std::min(it->second.first, topOf(laid.items[i])),
                              std::max(it->second.second, bottomOf(laid.items[i]))};
        }
        std::vector<std::size_t> order(laid.items.size());
        std::iota(order.begin(), order.end(), std::size_t(0));
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return topOf(laid.items[a]) < topOf(laid.items[b]); });
        int origin = y; // where the section's top would stand on this page
        int started = 0; // the block being placed
        for (const std::size_t i : order) {
            const PageItem &p = laid.items[i];
            const int b = laid.blocks[i];
            if (b != 0 && b != started) {
                started = b;
                const auto [blockTop, blockBottom] = blocks.at(b);
                if (origin + blockBottom > footerTop && origin + blockTop > bodyTop
                    && blockBottom - blockTop <= footerTop - bodyTop) {
                    newPage(row);
                    origin = bodyTop - blockTop;
                }
            }
            const bool wholeBlock = b != 0 && blocks.at(b).second - blocks.at(b).first <= footerTop - bodyTop;
            if (!wholeBlock && origin + bottomOf(p) > footerTop && origin + topOf(p) > bodyTop) {
                newPage(row);
                origin = bodyTop - topOf(p);
            }
            PageItem placed = p;
            placed.top += origin;
            model.pages.back().items.push_back(std::move(placed));
        }
        y = origin + section.height + laid.grown;
    };

    startPage(true);
    for (std::ptrdiff_t r = 0; r <= last; ++r) {
        ensureRoom(layout.detail, r);
        place(layout.detail, detailColumns, r);
        pageRow = r;
        pageHasBody = true;
    }
    ensureRoom(layout.reportFooter, last);
    place(layout.reportFooter, placer.columnsOf(layout.reportFooter), last);
    finishPage();
    return model;
}

} // namespace kelm::report
