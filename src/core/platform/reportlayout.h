// A report as data: page set-up and five sections whose items (labels,
// fields, lines, bars and frames) stand at positions in twips, as the
// printed forms and lists are designed. The layout engine turns it and its
// rows into a page model; nothing here draws.
#pragma once

#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <vector>

namespace kelm::report {

enum class ItemKind {
    Label, // fixed text, never clipped across (see cutAt for a fixed height)
    Field, // one column of the row on one line, smaller (and then on more
           // lines of its box) when wider than its box
    Line,  // from (left, top) to (left + width, top + height)
    Box,   // a filled bar or an outlined rectangle
};
enum class Align { Left, Centre, Right };
enum class LineStyle { Solid, Dotted };

// One item of a section; positions in twips from the section's top left.
struct Item {
    ItemKind kind = ItemKind::Label;
    int left = 0;
    int top = 0;
    int width = 0;  // labels: the box that alignment and wrapping use
    int height = 0;
    QString text;   // a label's text, a field's column name
    double pointSize = 0; // 0: the report's font size
    bool bold = false;
    Align align = Align::Left;
    bool wrap = false;    // labels: break into lines no wider than width;
                          // with a height, only the lines it holds print
    bool grow = false;    // fields: see grows()
    LineStyle style = LineStyle::Solid;
    bool filled = true;   // boxes

    Item &size(double pt)
    {
        pointSize = pt;
        return *this;
    }
    Item &bolded()
    {
        bold = true;
        return *this;
    }
    Item &centred()
    {
        align = Align::Centre;
        return *this;
    }
    Item &rightAligned()
    {
        align = Align::Right;
        return *this;
    }
    Item &wrapped()
    {
        wrap = true;
        return *this;
    }
    // Wrapped within a box of this height: the lines below it are cut off.
    Item &cutAt(int twips)
    {
        wrap = true;
        height = twips;
        return *this;
    }
    // A field of several lines: its text's own line breaks, and lines no
    // wider than its width, in a box at least this high. A longer text
    // makes the box taller: what stands below it in its section moves
    // down, onto the following pages when the page is full.
    Item &grows(int twips)
    {
        wrap = true;
        grow = true;
        height = twips;
        return *this;
    }
    Item &dotted()
    {
        style = LineStyle::Dotted;
        return *this;
    }
};

Item label(int left, int top, const QString &text, int width = 0);
Item field(int left, int top, int width, const QString &column);
Item line(int x1, int y1, int x2, int y2);
// A filled bar: the forms' rules are bars 15 twips high.
Item bar(int left, int top, int width, int height = 15);
// An outlined rectangle.
Item frame(int left, int top, int width, int height);

struct Section {
    int height = 0;
    std::vector<Item> items;
};

// Paper and margins; the sections' positions start at the top left margin.
struct PageSetup {
    QPageSize::PageSizeId paper = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    int leftMargin = 1000;
    int topMargin = 1000;
    int rightMargin = 1000;
    int bottomMargin = 1000;
};

// Report header: once, at the top of the first page. Page header and page
// footer: on every page. Detail: once per row. Report footer: once, after
// the last row.
struct ReportLayout {
    QString name;    // "rep_xzcf": finds the report's data source
    QString caption; // the preview's caption is this + "打印预演"
    double fontSize = 10.5;
    PageSetup page;
    Section reportHeader;
    Section pageHeader;
    Section detail;
    Section pageFooter;
    Section reportFooter;
};

// Width of the paper of a set-up in twips (orientation applied).
int paperWidth(const PageSetup &page);
int paperHeight(const PageSetup &page);

} // namespace kelm::report
