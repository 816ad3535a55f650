#include "cases/engine/description.h"

#include "data/schema.h"

#include <QStringList>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace kelm {

const LineGroup *DocumentDescription::groupOf(int box) const
{
    for (const LineGroup &g : groups)
        if (box >= g.first && box <= g.last)
            return &g;
    return nullptr;
}

bool DocumentDescription::continues(int box) const
{
    const LineGroup *g = groupOf(box);
    return g && box > g->first;
}

bool DocumentDescription::carries(int box) const
{
    const LineGroup *g = groupOf(box);
    return g && box < g->last;
}

namespace {

template <class Test>
std::vector<int> boxesWhere(const DocumentDescription &d, Test test)
{
    std::vector<int> found;
    for (int i = 0; i <= d.lastIndex(); ++i)
        if (test(i))
            found.push_back(i);
    return found;
}

std::vector<int> visibleBoxes(const DocumentDescription &d)
{
    return boxesWhere(d, [&](int i) { return d.boxes[std::size_t(i)].visible; });
}

} // namespace

std::vector<int> DocumentDescription::continuationSet() const
{
    return boxesWhere(*this, [this](int i) { return continues(i); });
}

std::vector<int> DocumentDescription::successorSet() const
{
    return boxesWhere(*this, [this](int i) { return carries(i); });
}

std::vector<int> DocumentDescription::tabOrder() const
{
    if (!window.tabOrder.empty())
        return window.tabOrder;
    std::vector<int> order = visibleBoxes(*this);
    order.push_back(deleteBoxTab);
    return order;
}

namespace {

void checkGroups(const DocumentDescription &d, QStringList &problems)
{
    std::vector<int> owner(d.boxes.size(), -1);
    for (std::size_t g = 0; g < d.groups.size(); ++g) {
        const LineGroup &group = d.groups[g];
        const int lines = group.last - group.first + 1;
        if (group.first < 0 || group.last > d.lastIndex() || lines < 2 || lines > 5) {
            problems << u"group %1-%2 is not 2 to 5 boxes of the window"_s.arg(group.first).arg(group.last);
            continue;
        }
        for (int i = group.first; i <= group.last; ++i) {
            const BoxSpec &b = d.boxes[std::size_t(i)];
            if (owner[std::size_t(i)] >= 0)
                problems << u"box %1 is in two groups"_s.arg(i);
            if (b.memo || !b.visible || b.locked || b.save != BoxSave::ReadBack)
                problems << u"box %1 cannot be a group line"_s.arg(i);
            owner[std::size_t(i)] = int(g);
        }
    }
}

bool reachable(const DocumentDescription &d, int box)
{
    return box >= 0 && box <= d.lastIndex() && d.boxes[std::size_t(box)].visible;
}

void checkMoves(const DocumentDescription &d, QStringList &problems)
{
    const int limit = d.enterDownLimit();
    if (limit < 0 || limit > d.lastIndex() || d.upBound < 0 || d.upBound > d.lastIndex())
        problems << u"Enter/Down bound or Up bound outside the boxes"_s;
    for (int i = 0; i <= d.lastIndex(); ++i) {
        if (!d.boxes[std::size_t(i)].visible)
            continue;
        if (i < limit && !reachable(d, i + 1))
            problems << u"Enter in box %1 moves to a box that cannot take the focus"_s.arg(i);
        if (i > d.upBound && !reachable(d, i - 1))
            problems << u"Up in box %1 moves to a box that cannot take the focus"_s.arg(i);
    }
}

void checkPlacement(const DocumentDescription &d, QStringList &problems)
{
    std::vector<int> placed(d.boxes.size(), 0);
    auto count = [&](int box) {
        if (box < 0 || box > d.lastIndex())
            problems << u"layout names box %1, which does not exist"_s.arg(box);
        else
            ++placed[std::size_t(box)];
    };
    for (const Row &row : d.window.rows)
        for (const Piece &p : row.pieces) {
            if (p.kind == Piece::Kind::Box)
                count(p.box);
            for (int b : p.boxesInBlanks)
                count(b);
        }
    for (std::size_t i = 0; i < placed.size(); ++i)
        if (placed[i] != 1)
            problems << u"box %1 is placed %2 times"_s.arg(i).arg(placed[i]);
}

void checkTabOrder(const DocumentDescription &d, QStringList &problems)
{
    std::vector<int> order = d.tabOrder();
    std::vector<int> expected = visibleBoxes(d);
    expected.insert(expected.begin(), deleteBoxTab);
    std::sort(order.begin(), order.end());
    if (order != expected)
        problems << u"the tab order does not hold every visible box and the delete-on-close box once"_s;
}

QString columnName(const schema::Column &c) { return QString::fromUtf8(c.name.data(), qsizetype(c.name.size())); }

void checkColumns(const DocumentDescription &d, QStringList &problems)
{
    const schema::Table *t = schema::find(d.document.table.toStdString());
    if (!t) {
        problems << u"table %1 is not in the schema"_s.arg(d.document.table);
        return;
    }
    if (t->columns.size() != d.boxes.size() + 1)
        problems << u"%1 boxes for %2 columns after dabh"_s.arg(d.boxes.size()).arg(t->columns.size() - 1);
    for (std::size_t i = 0; i < d.boxes.size() && i + 1 < t->columns.size(); ++i) {
        const QString column = columnName(t->columns[i + 1]);
        if (column.compare(d.boxes[i].column, Qt::CaseInsensitive) != 0)
            problems << u"box %1 shows %2 but column %3 is %4"_s.arg(i).arg(d.boxes[i].column).arg(i + 1).arg(column);
    }
    if (!d.document.authorityColumn.isEmpty()) {
        const auto it = std::find_if(d.boxes.begin(), d.boxes.end(), [&](const BoxSpec &b) {
            return b.column.compare(d.document.authorityColumn, Qt::CaseInsensitive) == 0;
        });
        if (it == d.boxes.end() || !it->locked)
            problems << u"the authority column has no locked box"_s;
    }
}

void checkReport(const DocumentDescription &d, const schema::Table &t, QStringList &problems)
{
    const report::ReportLayout &r = d.report;
    if (r.name != d.document.report)
        problems << u"the report is named %1, not %2"_s.arg(r.name, d.document.report);
    const report::Section *sections[] = {&r.reportHeader, &r.pageHeader, &r.detail, &r.pageFooter, &r.reportFooter};
    int height = 0;
    for (const report::Section *s : sections) {
        height += s->height;
        for (const report::Item &i : s->items) {
            if (i.kind != report::ItemKind::Field)
                continue;
            if (std::none_of(t.columns.begin(), t.columns.end(), [&](const schema::Column &c) {
                    return columnName(c).compare(i.text, Qt::CaseInsensitive) == 0;
                }))
                problems << u"the report prints %1, which is no column of %2"_s.arg(i.text, d.document.table);
        }
    }
    if (height > report::paperHeight(r.page) - r.page.topMargin - r.page.bottomMargin)
        problems << u"the report does not fit on one sheet"_s;
}

} // namespace

QStringList checkDescription(const DocumentDescription &d)
{
    QStringList problems;
    if (d.boxes.empty())
        return {u"no boxes"_s};
    checkGroups(d, problems);
    checkMoves(d, problems);
    checkPlacement(d, problems);
    checkTabOrder(d, problems);
    checkColumns(d, problems);
    if (const schema::Table *t = schema::find(d.document.table.toStdString()))
        checkReport(d, *t, problems);
    return problems;
}

Piece text(const QString &wording, int left, double points, bool bold)
{
    Piece p;
    p.text = wording;
    p.left = left;
    p.points = points;
    p.bold = bold;
    return p;
}

Piece box(int index, int left, int top)
{
    Piece p;
    p.kind = Piece::Kind::Box;
    p.box = index;
    p.left = left;
    p.top = top;
    return p;
}

Piece textWithBoxes(const QString &wording, std::vector<int> boxes, int left)
{
    Piece p = text(wording, left);
    p.boxesInBlanks = std::move(boxes);
    return p;
}

Piece wrappedText(const QString &wording, int left, int width)
{
    Piece p = text(wording, left);
    p.width = width;
    return p;
}

Piece gap(int width)
{
    Piece p;
    p.kind = Piece::Kind::Gap;
    p.width = width;
    return p;
}

BoxSpec dataBox(const QString &column, int width, int typingLimit)
{
    BoxSpec b;
    b.column = column;
    b.width = width;
    b.typingLimit = typingLimit;
    return b;
}

BoxSpec handBox(const QString &column, int width)
{
    BoxSpec b = dataBox(column, width);
    b.colour = vbRed;
    return b;
}

BoxSpec authorityBox(const QString &column, int width, unsigned colour)
{
    BoxSpec b = dataBox(column, width);
    b.colour = colour;
    b.centred = true;
    b.locked = true;
    return b;
}

int numberLineLeft(int formLeft, double points)
{
    return formLeft - (gridWidthTwips(u"Vesk"_s, points) - gridWidthTwips(u"某"_s, points));
}

BoxSpec centred(BoxSpec b)
{
    b.centred = true;
    return b;
}

BoxSpec bolded(BoxSpec b)
{
    b.bold = true;
    return b;
}

BoxSpec named(BoxSpec b, const QString &name)
{
    b.name = name;
    return b;
}

Segment hline(int x1, int x2, int y) { return {x1, y, x2, y}; }

Segment underBox(int left, int boxTop, int right) { return hline(left, right, boxTop + 240); }

report::PageSetup documentPaper()
{
    report::PageSetup page;
    page.paper = QPageSize::A4;
    page.orientation = QPageLayout::Portrait;
    page.leftMargin = 1080;
    page.rightMargin = 1060;
    page.topMargin = 720;
    page.bottomMargin = 720;
    return page;
}

report::ReportLayout documentReport(const DocumentEntry &document, double bodyPoints)
{
    report::ReportLayout r;
    r.name = document.report;
    r.caption = document.windowCaption;
    r.fontSize = bodyPoints;
    r.page = documentPaper();
    return r;
}

} // namespace kelm
