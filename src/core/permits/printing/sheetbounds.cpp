#include "permits/printing/sheetbounds.h"

#include "permits/printing/permitsheet.h"

#include <QPageSize>

#include <algorithm>

namespace kelm {

namespace {

double emMm(double pointSize) { return pointSize * 25.4 / 72; }

// How far an item reaches right of and below the place where it begins.
struct Reach {
    double right = 0;
    double below = 0;
};

Reach reachOf(PermitForm form, const std::vector<LayoutRow> &rows, std::size_t row)
{
    const double em = emMm(std::max(0.0, layoutNumber(rows[row].size).value_or(0)));
    const std::vector<SheetText> &items = itemTable(form);
    const bool twoLines = row - 1 < items.size() && isSplit(items[row - 1]);
    return {em, em + (twoLines ? formSpec(form).secondLineMm : 0)};
}

using Range = std::pair<double, double>;

std::optional<OffSheet> outside(LayoutValue value, double v, const Range &allowed)
{
    if (v >= allowed.first && v <= allowed.second)
        return std::nullopt;
    if (allowed.first > allowed.second)
        return OffSheet{value, std::nullopt};
    return OffSheet{value, allowed};
}

} // namespace

QSizeF sheetMm(PermitForm form)
{
    const PermitFormSpec &spec = formSpec(form);
    const QSizeF size = QPageSize(spec.paper).size(QPageSize::Millimeter);
    return spec.orientation == QPageLayout::Landscape ? size.transposed() : size;
}

std::optional<OffSheet> offSheet(PermitForm form, const std::vector<LayoutRow> &rows, std::size_t changed)
{
    const QSizeF sheet = sheetMm(form);
    const LayoutRow &row = rows.at(changed);
    if (changed > 0) {
        const Reach reach = reachOf(form, rows, changed);
        const double second = reach.below - reach.right;
        const double largest = std::min(sheet.width(), sheet.height() - second) * 72 / 25.4;
        const double size = layoutNumber(row.size).value_or(0);
        if (size > largest)
            return OffSheet{LayoutValue::Size, Range{0, largest}};
        const LayoutRow &offset = rows.front();
        if (auto off = outside(LayoutValue::Top, row.topMm,
                               {-offset.topMm, sheet.height() - reach.below - offset.topMm}))
            return off;
        return outside(LayoutValue::Left, row.leftMm, {-offset.leftMm, sheet.width() - reach.right - offset.leftMm});
    }
    // 整体 moves every item: the offsets that keep them all on the sheet.
    Range top{-1e300, 1e300};
    Range left{-1e300, 1e300};
    for (std::size_t k = 1; k < rows.size(); ++k) {
        const Reach reach = reachOf(form, rows, k);
        top = {std::max(top.first, -rows[k].topMm), std::min(top.second, sheet.height() - reach.below - rows[k].topMm)};
        left = {std::max(left.first, -rows[k].leftMm),
                std::min(left.second, sheet.width() - reach.right - rows[k].leftMm)};
    }
    if (auto off = outside(LayoutValue::Top, row.topMm, top))
        return off;
    return outside(LayoutValue::Left, row.leftMm, left);
}

} // namespace kelm
