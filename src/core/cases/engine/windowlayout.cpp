#include "cases/engine/windowlayout.h"

#include <algorithm>

namespace kelm {

namespace {

// A paragraph's first line starts two 9 pt characters in.
constexpr int indentTwips = 360;
// Room under a row's text or box before the next row or its rule.
constexpr int rowLeading = 120;
constexpr int ruleOnlyRowHeight = 120;

int pieceWidth(const DocumentDescription &d, const Piece &p)
{
    switch (p.kind) {
    case Piece::Kind::Text:
        return p.width > 0 ? p.width : gridWidthTwips(p.text, p.points);
    case Piece::Kind::Box:
        return d.boxes[std::size_t(p.box)].width;
    case Piece::Kind::Gap:
        return p.width;
    }
    return 0;
}

int rowStart(const WindowDesign &w, const Row &row, int total)
{
    switch (row.align) {
    case RowAlign::Left:
        return w.leftMargin;
    case RowAlign::Indent:
        return w.leftMargin + indentTwips;
    case RowAlign::RightHalf:
        return (w.leftMargin + w.rightMargin) / 2;
    case RowAlign::Right:
        return w.rightMargin - total;
    case RowAlign::Centre:
        return (w.leftMargin + w.rightMargin - total) / 2;
    }
    return w.leftMargin;
}

} // namespace

std::vector<std::pair<qsizetype, qsizetype>> blankRuns(const QString &text)
{
    std::vector<std::pair<qsizetype, qsizetype>> runs;
    for (qsizetype i = 0; i < text.size();) {
        if (text[i] != u' ') {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < text.size() && text[i] == u' ')
            ++i;
        runs.emplace_back(start, i - start);
    }
    return runs;
}

WindowLayout placeWindow(const DocumentDescription &d)
{
    const WindowDesign &w = d.window;
    WindowLayout layout;
    layout.boxes.resize(d.boxes.size());
    int next = w.firstRowTop;
    for (const Row &row : w.rows) {
        const int top = row.top == autoPlace ? next : row.top;
        int total = 0;
        for (const Piece &p : row.pieces)
            total += pieceWidth(d, p);
        int x = rowStart(w, row, total);
        int height = row.pieces.empty() ? ruleOnlyRowHeight : w.rowPitch;
        for (const Piece &p : row.pieces) {
            const int left = p.left == autoPlace ? x : p.left;
            int width = pieceWidth(d, p);
            if (p.kind == Piece::Kind::Text) {
                layout.texts.push_back({p.text, left, top, p.points, p.bold, p.width});
                const auto runs = blankRuns(p.text);
                for (std::size_t k = 0; k < p.boxesInBlanks.size() && k < runs.size(); ++k) {
                    const int b = p.boxesInBlanks[k];
                    const auto [start, length] = runs[k];
                    layout.boxes[std::size_t(b)] =
                        QRect(left + gridOffsetTwips(p.text, start, p.points), top,
                              gridWidthTwips(p.text.mid(start, length), p.points), d.boxes[std::size_t(b)].height);
                }
                const int lines = p.width > 0 ? int(gridLines(p.text, p.width, p.points).size()) : 1;
                height = std::max(height, lines * int(p.points * 20) + rowLeading);
            } else if (p.kind == Piece::Kind::Box) {
                const BoxSpec &spec = d.boxes[std::size_t(p.box)];
                if (width == 0)
                    width = w.rightMargin - left;
                layout.boxes[std::size_t(p.box)] =
                    QRect(left, p.top == autoPlace ? top : p.top, width, spec.height);
                height = std::max(height, spec.height + rowLeading);
            }
            x = left + width;
        }
        if (row.rule)
            layout.lines.push_back(hline(w.leftMargin, w.rightMargin, top + height - rowLeading / 2));
        next = top + height;
    }
    if (w.underlineBoxes) {
        for (std::size_t i = 0; i < d.boxes.size(); ++i) {
            const BoxSpec &spec = d.boxes[i];
            const QRect &r = layout.boxes[i];
            if (spec.visible && spec.underlined && !spec.memo && !spec.locked && r.width() > 0)
                layout.lines.push_back(hline(r.x(), r.x() + r.width(), r.y() + w.underlineDrop));
        }
    }
    layout.lines.insert(layout.lines.end(), w.lines.begin(), w.lines.end());
    return layout;
}

} // namespace kelm
