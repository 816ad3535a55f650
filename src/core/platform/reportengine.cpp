#include "platform/reportengine.h"

#include "platform/rowsinmemory.h"
#include "platform/units.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>

using namespace Qt::StringLiterals;

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

// A one-line field's text as it prints in its box: the largest quarter
// point size, from its own down to the smallest printed size, at which
// the text broken on the grid into lines of the box's width stands in the
// box's height. A text that even that cannot hold shows the lines the box
// holds at the smallest size, the last ending in the cut mark.
struct FittedText {
    double pointSize = 0;
    QStringList lines;
    bool cut = false;
};

FittedText fitField(const QString &text, int width, int height, double pointSize)
{
    const double smallest = std::min(pointSize, smallestPrintedSize);
    if (gridWidthTwips(text, pointSize) <= width)
        return {pointSize, {text}, false};
    for (double size = pointSize; size >= smallest; size -= 0.25) {
        const QStringList lines = gridLines(text, width, size);
        if (int(lines.size()) * em(size) <= height)
            return {size, lines, false};
    }
    QStringList lines = gridLines(text, width, smallest).mid(0, std::max(1, height / em(smallest)));
    // The mark takes a full-width cell, as the 宋体 ellipsis is drawn.
    QString &last = lines.last();
    while (!last.isEmpty() && gridWidthTwips(last, smallest) + em(smallest) > width)
        last.chop(last.size() > 1 && last.at(last.size() - 1).isLowSurrogate() ? 2 : 1);
    last += cutMark;
    return {smallest, lines, true};
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
    // One per item: an empty line of a growing field, which takes no room
    // where a page begins.
    std::vector<bool> blank;
    int grown = 0;
};

class Placer {
public:
    Placer(const ReportLayout &layout, RowSource &rows) : m_layout(layout), m_rows(rows) { }

    // Column of each field of a section in the rows, -1 for other items.
    std::vector<int> columnsOf(const Section &section) const
    {
        std::vector<int> out;
        out.reserve(section.items.size());
        for (const Item &i : section.items)
            out.push_back(i.kind == ItemKind::Field ? columnIndex(i.text) : -1);
        return out;
    }

    LaidSection lay(const Section &section, const std::vector<int> &columns, std::ptrdiff_t row) const
    {
        const int x0 = m_layout.page.leftMargin;
        const std::vector<QString> *values = row >= 0 ? &m_rows.row(std::size_t(row)) : nullptr;
        auto valueOf = [&](std::size_t n) {
            if (values && columns[n] >= 0)
                return QString((*values)[std::size_t(columns[n])]).remove(u'\r');
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
            // Empty lines at the end of the text take no room.
            while (grownLines[n].size() > 1 && grownLines[n].last().trimmed().isEmpty())
                grownLines[n].removeLast();
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
                auto put = [&](const Item &box, const QString &text, int at, double size, int extra = 0) {
                    PageItem p = textItem(0, at, text, size, item.bold);
                    p.kind = ItemKind::Field;
                    p.column = item.text;
                    p.width += extra;
                    p.left = x0 + aligned(box, p.width);
                    out.items.push_back(std::move(p));
                };
                if (item.grow) {
                    for (qsizetype k = 0; k < grownLines[n].size(); ++k) {
                        put(item, grownLines[n][k], top + int(k) * em(pt), pt);
                        out.blank.resize(out.items.size(), false);
                        out.blank.back() = grownLines[n][k].trimmed().isEmpty();
                    }
                    break;
                }
                // Smaller, and then on more lines, where it is wider than
                // its room; its lines stand in the middle of the box's
                // height, where one line of its own size fills it.
                Item room = item;
                room.width = roomRight(words, x0 + item.left, x0 + item.left + item.width, top, em(pt)) - x0
                             - item.left;
                QString text = valueOf(n);
                text.replace(u'\n', u' ');
                const int height = std::max(item.height, em(pt));
                const FittedText fitted = fitField(text, room.width, height, pt);
                const int lineHeight = em(fitted.pointSize);
                int at = top + (height - int(fitted.lines.size()) * lineHeight) / 2;
                for (qsizetype k = 0; k < fitted.lines.size(); ++k, at += lineHeight) {
                    const bool marked = fitted.cut && k + 1 == fitted.lines.size();
                    // The mark's glyph is full-width; the grid counts it half.
                    put(room, fitted.lines[k], at, fitted.pointSize, marked ? lineHeight / 2 : 0);
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
            out.blocks.resize(out.items.size(), block);
            out.blank.resize(out.items.size(), false);
        }
        return out;
    }

private:
    double pointsOf(const Item &item) const { return item.pointSize > 0 ? item.pointSize : m_layout.fontSize; }

    int columnIndex(const QString &name) const
    {
        const std::vector<QString> &columns = m_rows.columns();
        for (std::size_t i = 0; i < columns.size(); ++i)
            if (columns[i].compare(name, Qt::CaseInsensitive) == 0)
                return int(i);
        return -1;
    }

    const ReportLayout &m_layout;
    RowSource &m_rows;
};

bool detailGrows(const ReportLayout &layout)
{
    return std::any_of(layout.detail.items.begin(), layout.detail.items.end(),
                       [](const Item &i) { return i.kind == ItemKind::Field && i.grow; });
}

// Lays out one page from where it starts, exactly as the pages before it
// would have left it: every decision depends on the start alone.
class PageMaker {
public:
    PageMaker(const ReportLayout &layout, RowSource &rows)
        : m_layout(layout), m_placer(layout, rows), m_count(rows.size()), m_top(layout.page.topMargin),
          m_footerTop(paperHeight(layout.page) - layout.page.bottomMargin - layout.pageFooter.height),
          m_reportHeader(m_placer.columnsOf(layout.reportHeader)),
          m_pageHeader(m_placer.columnsOf(layout.pageHeader)), m_detail(m_placer.columnsOf(layout.detail)),
          m_pageFooter(m_placer.columnsOf(layout.pageFooter)),
          m_reportFooter(m_placer.columnsOf(layout.reportFooter))
    {
    }

    int footerTop() const { return m_footerTop; }
    // Where the body of a page begins, below its headers.
    int bodyTop(bool firstPage) const
    {
        return m_top + (firstPage ? m_layout.reportHeader.height : 0) + m_layout.pageHeader.height;
    }

    // Page n, beginning at start; next gets the following page's start, or
    // nothing after the last page.
    Page make(int n, const PageStart &start, std::optional<PageStart> &next) const
    {
        Page page;
        const std::ptrdiff_t last = std::ptrdiff_t(m_count) - 1;
        // The row that the page's headers and footer show.
        std::ptrdiff_t pageRow = std::min(std::ptrdiff_t(start.row), last);
        int y = m_top;
        if (n == 0) {
            put(page, m_placer.lay(m_layout.reportHeader, m_reportHeader, m_count ? 0 : -1), y);
            y += m_layout.reportHeader.height;
        }
        put(page, m_placer.lay(m_layout.pageHeader, m_pageHeader, pageRow), y);
        y += m_layout.pageHeader.height;
        const int top = y;
        bool hasBody = false;
        auto finish = [&](std::optional<PageStart> following) {
            put(page, m_placer.lay(m_layout.pageFooter, m_pageFooter, pageRow), m_footerTop);
            next = following;
            return page;
        };

        int resume = start.resumeAt;
        for (std::size_t r = start.row; r < m_count; ++r, resume = -1) {
            if (resume < 0 && needsRoom(m_layout.detail, y, hasBody))
                return finish(PageStart{r, -1});
            const int broken = place(page, m_layout.detail, m_detail, std::ptrdiff_t(r), y, top, resume);
            if (broken >= 0)
                return finish(PageStart{r, broken});
            pageRow = std::ptrdiff_t(r);
            hasBody = true;
        }
        if (resume < 0 && needsRoom(m_layout.reportFooter, y, hasBody))
            return finish(PageStart{m_count, -1});
        const int broken = place(page, m_layout.reportFooter, m_reportFooter, last, y, top, resume);
        if (broken >= 0)
            return finish(PageStart{m_count, broken});
        return finish(std::nullopt);
    }

private:
    // A section that does not fit below what the page holds goes to the
    // next page; one taller than a whole page is placed all the same. A
    // section with nothing in it needs no room: no sheet is made for it
    // alone.
    bool needsRoom(const Section &section, int y, bool hasBody) const
    {
        return hasBody && !section.items.empty() && y + section.height > m_footerTop;
    }

    static void put(Page &page, const LaidSection &laid, int at)
    {
        for (PageItem p : laid.items) {
            p.top += at;
            page.items.push_back(std::move(p));
        }
    }

    // Places a section at y, or from item `from` (in the order of their
    // tops) at the body's top, and moves y below it. A section that its
    // growing fields made taller breaks before the first item that would
    // reach into the page footer; a block that moved down below a growing
    // field starts the next page whole when it does not fit on this one
    // (unless it is taller than a page). Returns the item the next page
    // goes on with, -1 when the section ends on this page. A page that
    // goes on within a block finds that block begun above its top, so it
    // never moves it again. Empty lines of a growing field that would begin
    // a page are left out, so that a page begins with text.
    int place(Page &page, const Section &section, const std::vector<int> &columns, std::ptrdiff_t row, int &y,
              int bodyTop, int from) const
    {
        const LaidSection laid = m_placer.lay(section, columns, row);
        if (laid.grown == 0 && from < 0) {
            put(page, laid, y);
            y += section.height;
            return -1;
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
        const int count = int(order.size());
        auto blankAt = [&](int i) { return laid.blank[order[std::size_t(i)]]; };
        // Nothing but empty lines left: the section ends on this page, so
        // that no sheet is made of them.
        auto onlyBlanksFrom = [&](int i) {
            for (; i < count; ++i)
                if (!blankAt(i))
                    return false;
            return true;
        };
        int k = from < 0 ? 0 : std::min(from, count);
        while (from >= 0 && k < count && blankAt(k))
            ++k;
        // Where the section's top stands on this page.
        const int origin = from < 0 ? y : bodyTop - (k < count ? topOf(laid.items[order[std::size_t(k)]]) : 0);
        int started = 0; // the block being placed
        for (; k < count; ++k) {
            const PageItem &p = laid.items[order[std::size_t(k)]];
            const int b = laid.blocks[order[std::size_t(k)]];
            if (b != 0 && b != started) {
                started = b;
                const auto [blockTop, blockBottom] = blocks.at(b);
                if (origin + blockBottom > m_footerTop && origin + blockTop > bodyTop
                    && blockBottom - blockTop <= m_footerTop - bodyTop)
                    return k;
            }
            const bool wholeBlock = b != 0 && blocks.at(b).second - blocks.at(b).first <= m_footerTop - bodyTop;
            if (!wholeBlock && origin + bottomOf(p) > m_footerTop && origin + topOf(p) > bodyTop) {
                if (onlyBlanksFrom(k))
                    break;
                return k;
            }
            PageItem placed = p;
            placed.top += origin;
            page.items.push_back(std::move(placed));
        }
        y = origin + section.height + laid.grown;
        return -1;
    }

    const ReportLayout &m_layout;
    Placer m_placer;
    std::size_t m_count;
    int m_top;
    int m_footerTop;
    std::vector<int> m_reportHeader, m_pageHeader, m_detail, m_pageFooter, m_reportFooter;
};

} // namespace

class Paginator {
public:
    static std::optional<PageIndex> run(const ReportLayout &layout, RowSource &rows, Progress &progress)
    {
        const PageMaker maker(layout, rows);
        const std::size_t count = rows.size();
        PageIndex index;
        PageStart start;
        if (!detailGrows(layout)) {
            // Each page holds as many rows as fit below its headers, and at
            // least one.
            const int height = layout.detail.items.empty() ? 0 : layout.detail.height;
            auto fitting = [&](int room) {
                return height <= 0 ? std::max<std::size_t>(count, 1)
                                   : std::max<std::size_t>(1, std::size_t(std::max(room / height, 0)));
            };
            index.m_firstRows = fitting(maker.footerTop() - maker.bodyTop(true));
            index.m_rows = fitting(maker.footerTop() - maker.bodyTop(false));
            if (count > index.m_firstRows) {
                // The page of the last row, and where it starts.
                const std::size_t page = 1 + (count - index.m_firstRows - 1) / index.m_rows;
                index.m_counted = int(page);
                start.row = index.m_firstRows + (page - 1) * index.m_rows;
            }
        } else {
            progress.stage(u"正在排版……"_s, qint64(count), true);
        }
        // The rest in order: all pages where details grow, else the last
        // row's page and the report footer's.
        for (int n = index.m_counted;; ++n) {
            index.m_listed.push_back(start);
            std::optional<PageStart> next;
            maker.make(n, start, next);
            if (!next)
                break;
            start = *next;
            progress.advance(qint64(start.row));
            if (progress.cancelled())
                return std::nullopt;
        }
        return index;
    }
};

PageStart PageIndex::start(int page) const
{
    if (page < m_counted)
        return {page == 0 ? 0 : m_firstRows + std::size_t(page - 1) * m_rows, -1};
    return m_listed.at(std::size_t(page - m_counted));
}

std::optional<PageIndex> paginate(const ReportLayout &layout, RowSource &rows, Progress &progress)
{
    return Paginator::run(layout, rows, progress);
}

Page layoutPage(const ReportLayout &layout, RowSource &rows, const PageIndex &index, int n)
{
    std::optional<PageStart> next;
    return PageMaker(layout, rows).make(n, index.start(n), next);
}

PageModel layoutReport(const ReportLayout &layout, const Rows &rows)
{
    PageModel model;
    model.caption = layout.caption;
    model.page = layout.page;
    RowsInMemory source(rows);
    const PageMaker maker(layout, source);
    PageStart start;
    for (int n = 0;; ++n) {
        std::optional<PageStart> next;
        model.pages.push_back(maker.make(n, start, next));
        if (!next)
            break;
        start = *next;
    }
    return model;
}

std::vector<QString> fieldColumns(const ReportLayout &layout)
{
    std::vector<QString> out;
    for (const Section *s :
         {&layout.reportHeader, &layout.pageHeader, &layout.detail, &layout.pageFooter, &layout.reportFooter})
        for (const Item &i : s->items)
            if (i.kind == ItemKind::Field
                && std::none_of(out.begin(), out.end(),
                                [&](const QString &c) { return c.compare(i.text, Qt::CaseInsensitive) == 0; }))
                out.push_back(i.text);
    return out;
}

} // namespace kelm::report
