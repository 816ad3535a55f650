// A laid-out report: pages of items at twip positions on the paper, with
// their fonts and the texts as they print (fields already fitted). Every
// back end (printer, PDF, preview) draws this, and tests read it without a
// printer. Code that draws directly on the printer builds one too.
#pragma once

#include "platform/reportlayout.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace kelm::report {

struct PageItem {
    ItemKind kind = ItemKind::Label;
    // Texts: where the text starts (after alignment) and its width on the
    // character grid; the height is one em. Lines: from (left, top) to
    // (left + width, top + height). Boxes: the rectangle.
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    QString text;   // labels and fields: the text as printed
    QString column; // fields: the column it shows
    double pointSize = 10.5;
    bool bold = false;
    LineStyle style = LineStyle::Solid;
    bool filled = true;

    bool isText() const { return kind == ItemKind::Label || kind == ItemKind::Field; }
};

// A text at a point, drawn on the character grid.
PageItem textItem(int left, int top, const QString &text, double pointSize, bool bold = false);

struct Page {
    std::vector<PageItem> items;
};

struct PageModel {
    QString caption;
    PageSetup page;
    std::vector<Page> pages;

    int pageCount() const { return int(pages.size()); }
    // The non-empty texts of one page in drawing order.
    QStringList texts(int page) const;
};

// The non-empty texts of a page in drawing order.
QStringList pageTexts(const Page &page);

} // namespace kelm::report
