// Which values of the print layout keep an item's text on its sheet. A
// certificate prints on the whole sheet, so a position is millimetres from
// the sheet's top left corner (the set's 整体 offset added). An item's text
// stays on the sheet when its widest line does: its fixed text, or the
// widest the item can print of its column (a text cut at its form's width
// limit has a first line at most one character past the limit and a second
// line with the rest, printed below the first), one em high, measured on the
// character grid the sheet is drawn on. A value that puts the text past an
// edge would print it off the pre-printed certificate without a word.
#pragma once

#include "permits/printing/printlayout.h"

#include <QSizeF>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace kelm {

// The sheet a form prints on, in millimetres, turned as it prints.
QSizeF sheetMm(PermitForm form);

enum class LayoutValue { Top, Left, Size };

// A value that puts an item's text off the sheet, and the range of that
// value, in tenths, that keeps it on, the row's other values and the other
// rows standing as they are (none when no value would). A font size is
// offered from 0 (which itself is no size) up to its largest.
struct OffSheet {
    LayoutValue value;
    std::optional<std::pair<double, double>> allowed;
};

// Checks row `changed` of a form's rows (0: 整体, which moves every item)
// as it would be stored: for an item row its font size, top and left, for
// 整体 its top and left (its font size prints nothing). When the row leaves
// an item's text off the sheet, the value named is the first of `edited`
// (the values the user changed) that a range would mend, else another value
// that one would, else the first of them. A font size that is no number
// counts as none: the editor refuses it before.
std::optional<OffSheet> offSheet(PermitForm form, const std::vector<LayoutRow> &rows, std::size_t changed,
                                 std::span<const LayoutValue> edited);

} // namespace kelm
