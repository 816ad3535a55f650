#include "permits/printing/sheetbounds.h"

#include "permits/printing/permitsheet.h"

#include <QPageSize>

#include <algorithm>
#include <array>
#include <cmath>

namespace kelm {

namespace {

using Range = std::pair<double, double>;

constexpr double mmPerPoint = 25.4 / 72;
// A value is compared with its range with this slack, so that a bound
// offered in tenths is taken as typed.
constexpr double slack = 1e-6;

double pointSizeOf(const LayoutRow &row) { return std::max(0.0, layoutNumber(row.size).value_or(0)); }

// How far the text of item row k reaches right of and below the place where
// it begins, at a font size.
struct Reach {
    double right = 0;
    double below = 0;
};

Reach reachOf(PermitForm form, std::size_t k, double pointSize)
{
    const PermitFormSpec &spec = formSpec(form);
    const SheetText item = itemTable(form)[k - 1];
    const double em = pointSize * mmPerPoint;
    const double whole = widestUnits(item) * em / 2;
    if (!isSplit(item) || float(whole) <= float(spec.widthLimitMm))
        return {whole, em};
    // Cut: the first line ends with the character that crosses the limit,
    // one em at most; the second line takes the rest.
    return {std::max(std::min(whole, spec.widthLimitMm + em), whole - spec.widthLimitMm), em + spec.secondLineMm};
}

// Where a value may lie, as its own bounds give it; empty when none.
struct Bounds {
    LayoutValue value;
    double current;
    Range range;
    bool holds() const { return current >= range.first - slack && current <= range.second + slack; }
};

// An item row's top and left keep its text on the sheet between the
// sheet's edges less its reach; its font size must leave the row's place
// on the sheet and its text within the sheet's right and bottom edges.
std::array<Bounds, 3> itemBounds(PermitForm form, const std::vector<LayoutRow> &rows, std::size_t k)
{
    const QSizeF sheet = sheetMm(form);
    const LayoutRow &offset = rows.front();
    const LayoutRow &row = rows[k];
    const double size = pointSizeOf(row);
    const Reach reach = reachOf(form, k, size);
    const double left = row.leftMm + offset.leftMm;
    const double top = row.topMm + offset.topMm;
    auto fits = [&](double pointSize) {
        const Reach r = reachOf(form, k, pointSize);
        return left >= -slack && top >= -slack && left + r.right <= sheet.width() + slack
            && top + r.below <= sheet.height() + slack;
    };
    Range sizes{0, -1};
    if (fits(0)) {
        // Every reach grows with the size; one em is no taller than the sheet.
        double lo = 0;
        double hi = sheet.height() / mmPerPoint;
        if (fits(hi))
            lo = hi;
        for (int i = 0; i < 60 && lo < hi; ++i) {
            const double mid = (lo + hi) / 2;
            (fits(mid) ? lo : hi) = mid;
        }
        sizes.second = lo;
    }
    return {{
        {LayoutValue::Size, size, sizes},
        {LayoutValue::Top, row.topMm, {-offset.topMm, sheet.height() - reach.below - offset.topMm}},
        {LayoutValue::Left, row.leftMm, {-offset.leftMm, sheet.width() - reach.right - offset.leftMm}},
    }};
}

// 整体 moves every item: the offsets that keep them all on the sheet.
std::array<Bounds, 2> offsetBounds(PermitForm form, const std::vector<LayoutRow> &rows)
{
    const QSizeF sheet = sheetMm(form);
    Range top{-1e300, 1e300};
    Range left{-1e300, 1e300};
    for (std::size_t k = 1; k < rows.size(); ++k) {
        const Reach reach = reachOf(form, k, pointSizeOf(rows[k]));
        top = {std::max(top.first, -rows[k].topMm), std::min(top.second, sheet.height() - reach.below - rows[k].topMm)};
        left = {std::max(left.first, -rows[k].leftMm),
                std::min(left.second, sheet.width() - reach.right - rows[k].leftMm)};
    }
    return {{{LayoutValue::Top, rows.front().topMm, top}, {LayoutValue::Left, rows.front().leftMm, left}}};
}

// The range offered for a value: its bounds rounded inwards to tenths.
std::optional<Range> offered(const Bounds &b)
{
    const double last = std::floor(b.range.second * 10 + slack) / 10;
    if (b.value == LayoutValue::Size)
        return last > 0 ? std::optional(Range{0, last}) : std::nullopt;
    const double first = std::ceil(b.range.first * 10 - slack) / 10;
    return first <= last ? std::optional(Range{first, last}) : std::nullopt;
}

std::optional<OffSheet> firstOff(std::span<const Bounds> bounds, std::span<const LayoutValue> edited)
{
    std::vector<const Bounds *> off;
    for (const Bounds &b : bounds)
        if (!b.holds())
            off.push_back(&b);
    if (off.empty())
        return std::nullopt;
    auto wasEdited = [&](const Bounds *b) { return std::find(edited.begin(), edited.end(), b->value) != edited.end(); };
    std::stable_partition(off.begin(), off.end(), wasEdited);
    for (const Bounds *b : off)
        if (const std::optional<Range> r = offered(*b))
            return OffSheet{b->value, r};
    return OffSheet{off.front()->value, std::nullopt};
}

} // namespace

QSizeF sheetMm(PermitForm form)
{
    const PermitFormSpec &spec = formSpec(form);
    const QSizeF size = QPageSize(spec.paper).size(QPageSize::Millimeter);
    return spec.orientation == QPageLayout::Landscape ? size.transposed() : size;
}

std::optional<OffSheet> offSheet(PermitForm form, const std::vector<LayoutRow> &rows, std::size_t changed,
                                 std::span<const LayoutValue> edited)
{
    if (changed >= rows.size() || rows.size() > itemTable(form).size() + 1)
        return std::nullopt;
    if (changed == 0)
        return firstOff(offsetBounds(form, rows), edited);
    return firstOff(itemBounds(form, rows, changed), edited);
}

} // namespace kelm
