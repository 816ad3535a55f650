// Which values of the print layout put an item on its sheet. A certificate
// prints on the whole sheet, so a position is millimetres from the sheet's
// top left corner (the set's 整体 offset added). An item stands on the
// sheet when its first character does: the place where it begins on the
// sheet, and one character of its size, a square of one em, right of and
// below it; a text printed on two lines needs its second line there too.
// A value that cannot put its item there would leave it off the printed
// certificate without a word.
#pragma once

#include "permits/printing/printlayout.h"

#include <QSizeF>
#include <optional>
#include <utility>
#include <vector>

namespace kelm {

// The sheet a form prints on, in millimetres, turned as it prints.
QSizeF sheetMm(PermitForm form);

enum class LayoutValue { Top, Left, Size };

// A value that puts an item off the sheet, and the range that would keep
// every item on it (none when no value would, the other rows standing as
// they are).
struct OffSheet {
    LayoutValue value;
    std::optional<std::pair<double, double>> allowed;
};

// Checks row `changed` of a form's rows (0: 整体, which moves every item)
// as it would be stored: for an item row its font size, top and left, in
// that order; for 整体 its top and left (its font size prints nothing).
// A font size that is no number counts as none: the editor refuses it
// before.
std::optional<OffSheet> offSheet(PermitForm form, const std::vector<LayoutRow> &rows, std::size_t changed);

} // namespace kelm
