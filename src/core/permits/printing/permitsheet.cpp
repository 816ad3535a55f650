#include "permits/printing/permitsheet.h"

#include "data/documentcatalogue.h"
#include "data/schema.h"
#include "permits/printing/numeraldate.h"
#include "platform/database.h"

#include <algorithm>
#include <array>
#include <cmath>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

using T = SheetText;

const std::vector<SheetText> modelItems = {
    T::Region,      T::Category,     T::NumberYear,  T::NumberSerial, T::UnitName,  T::Person,
    T::Address,     T::Items,        T::Authority,   T::NumeralYear,  T::NumeralMonth, T::NumeralDay,
    T::IssuedYear,  T::IssuedMonth,  T::IssuedDay,   T::ValidYear,    T::ValidMonth, T::ValidDay,
};
const std::vector<SheetText> model3Items = {
    T::Region,      T::Category,     T::NumberYear,  T::NumberSerial, T::UnitName,  T::Person,
    T::Address,     T::Items,        T::Authority,   T::IssuedYear,   T::IssuedMonth, T::IssuedDay,
    T::IssuedYear,  T::IssuedMonth,  T::IssuedDay,   T::ValidYear,    T::ValidMonth, T::ValidDay,
};
const std::vector<SheetText> copyItems = {
    T::Region,     T::Category,    T::NumberYear, T::NumberSerial, T::Authority,  T::IssuedYear, T::IssuedMonth,
    T::IssuedDay,  T::UnitName,    T::Person,     T::Address,      T::Nature,     T::Items,      T::IssuedYear,
    T::IssuedMonth, T::IssuedDay,  T::ValidYear,  T::ValidMonth,   T::ValidDay,
};

int twipsOf(double mm) { return int(std::lround(mm * 1440.0 / 25.4)); }

QString itemText(SheetText item, const PermitTexts &p, const QString &numeral)
{
    switch (item) {
    case T::Region: return u"Yarv"_s;
    case T::Category: return p.category;
    case T::NumberYear: return p.number.left(4);
    case T::NumberSerial: return p.number.mid(4);
    case T::UnitName: return p.unitName;
    case T::Person: return p.person;
    case T::Address: return p.address;
    case T::Nature: return p.nature;
    case T::Items: return licensedItemsText(p.items);
    case T::Authority: return issuingAuthority;
    case T::NumeralYear: return yearPart(numeral);
    case T::NumeralMonth: return monthPart(numeral);
    case T::NumeralDay: return dayPart(numeral);
    case T::IssuedYear: return yearPart(p.issued);
    case T::IssuedMonth: return monthPart(p.issued);
    case T::IssuedDay: return dayPart(p.issued);
    case T::ValidYear: return yearPart(p.validTo);
    case T::ValidMonth: return monthPart(p.validTo);
    case T::ValidDay: return dayPart(p.validTo);
    }
    return {};
}

// The font size of the row that prints `item`.
double sizeOf(PermitForm form, SheetText item, const PrintLayout &layout)
{
    const std::vector<SheetText> &items = itemTable(form);
    const auto at = std::find(items.begin(), items.end(), item) - items.begin();
    return layout.at(std::size_t(at)).pointSize;
}

using Member = QString PermitPrintLines::*;
using P = PermitPrintLines;
// unit name, address, licensed items; line 1 and line 2 of each.
constexpr std::array<std::array<Member, 6>, 4> members = {{
    {&P::dwmc11, &P::dwmc12, &P::dz11, &P::dz12, &P::xkxm11, &P::xkxm12},
    {&P::dwmc21, &P::dwmc22, &P::dz21, &P::dz22, &P::xkxm21, &P::xkxm22},
    {&P::dwmc31, &P::dwmc32, &P::dz31, &P::dz32, &P::xkxm31, &P::xkxm32},
    {&P::dwmcf1, &P::dwmcf2, &P::dzf1, &P::dzf2, &P::xkxmf1, &P::xkxmf2},
}};

// The register's column behind each text of a permit.
struct Source {
    QString PermitTexts::*text;
    std::string_view column;
};
constexpr Source sources[] = {
    {&PermitTexts::category, "lb"}, {&PermitTexts::unitName, "dwmc"}, {&PermitTexts::address, "dwdz"},
    {&PermitTexts::person, "fzr"},  {&PermitTexts::nature, "jjxz"},   {&PermitTexts::number, "xkzh"},
    {&PermitTexts::items, "xkxm"},  {&PermitTexts::issued, "fzrq"},   {&PermitTexts::validTo, "yxqx"},
};

int capacityOf(std::string_view column)
{
    for (const schema::Column &c : schema::find("wsxkz")->columns)
        if (c.name == column)
            return c.capacity;
    return 0;
}

// A text that fills `capacity` display units: `narrow` digits 1 (at most
// all of it), then full-width characters, then one more digit if a unit is
// left over.
QString filling(int capacity, int narrow)
{
    const int n = std::min(narrow, capacity);
    return QString(n, u'1') + QString((capacity - n) / 2, u'中') + QString((capacity - n) % 2, u'1');
}

} // namespace

QString licensedItemsText(const QString &items) { return items + u"※"_s; }

bool isSplit(SheetText item) { return item == T::UnitName || item == T::Address || item == T::Items; }

// An item prints a share of its column's text (all of it, the first four
// characters, the month...). A share is widest when the characters before
// it are narrow and its own are wide, and a digit 1 is a full-width numeral
// in every place of a date: among the texts made of some digits 1 followed
// by full-width characters, filling their columns, is the widest one for
// every item, measured through the very texts the sheet prints.
int widestUnits(SheetText item)
{
    int longest = 0;
    for (const Source &s : sources)
        longest = std::max(longest, capacityOf(s.column));
    int widest = 0;
    for (int narrow = 0; narrow <= longest; ++narrow) {
        PermitTexts p;
        for (const Source &s : sources)
            p.*s.text = filling(capacityOf(s.column), narrow);
        widest = std::max(widest, displayUnits(itemText(item, p, chineseNumeralDate(p.issued))));
    }
    return widest;
}

const std::vector<SheetText> &itemTable(PermitForm form)
{
    switch (form) {
    case PermitForm::Model1:
    case PermitForm::Model2: return modelItems;
    case PermitForm::Model3: return model3Items;
    case PermitForm::Copy: break;
    }
    return copyItems;
}

report::PageModel permitSheet(PermitForm form, const PermitTexts &permit, const PrintLayout &layout)
{
    const PermitFormSpec &spec = formSpec(form);
    report::PageModel model;
    model.caption = form == PermitForm::Copy ? u"卫生许可证副本"_s : u"卫生许可证"_s;
    model.page.paper = spec.paper;
    model.page.orientation = spec.orientation;
    model.page.leftMargin = model.page.topMargin = model.page.rightMargin = model.page.bottomMargin = 0;
    const QString numeral = chineseNumeralDate(permit.issued);
    report::Page page;
    const std::vector<SheetText> &items = itemTable(form);
    for (std::size_t k = 0; k < items.size() && k < layout.size(); ++k) {
        const ItemPlace &at = layout[k];
        const QString text = itemText(items[k], permit, numeral);
        const int left = twipsOf(at.leftMm);
        if (!isSplit(items[k])) {
            page.items.push_back(report::textItem(left, twipsOf(at.topMm), text, at.pointSize));
            continue;
        }
        const SplitText lines = splitOnGrid(text, spec.widthLimitMm, at.pointSize);
        page.items.push_back(report::textItem(left, twipsOf(at.topMm), lines.first, at.pointSize));
        if (lines.cut) {
            page.items.push_back(report::textItem(left, twipsOf(float(at.topMm + spec.secondLineMm)),
                                                  lines.second, at.pointSize));
        }
    }
    model.pages.push_back(std::move(page));
    return model;
}

FormLines prepareLines(PermitForm form, const PermitTexts &permit, const PrintLayout &layout)
{
    const double limit = formSpec(form).widthLimitMm;
    const SplitText unit = splitOnGrid(permit.unitName, limit, sizeOf(form, T::UnitName, layout));
    const SplitText address = splitOnGrid(permit.address, limit, sizeOf(form, T::Address, layout));
    const SplitText items = splitOnGrid(licensedItemsText(permit.items), limit, sizeOf(form, T::Items, layout));
    return {unit.first, unit.second, address.first, address.second, items.first, items.second};
}

FormLines linesOf(const PermitPrintLines &lines, PermitForm form)
{
    const auto &m = members[std::size_t(form)];
    return {lines.*m[0], lines.*m[1], lines.*m[2], lines.*m[3], lines.*m[4], lines.*m[5]};
}

void storeLines(PermitPrintLines &lines, PermitForm form, const FormLines &six)
{
    const auto &m = members[std::size_t(form)];
    lines.*m[0] = six.unit1;
    lines.*m[1] = six.unit2;
    lines.*m[2] = six.address1;
    lines.*m[3] = six.address2;
    lines.*m[4] = six.items1;
    lines.*m[5] = six.items2;
}

void clearCertificateLines(PermitPrintLines &lines)
{
    for (PermitForm f : {PermitForm::Model1, PermitForm::Model2, PermitForm::Model3})
        storeLines(lines, f, {});
}

void clearCopyLines(PermitPrintLines &lines) { storeLines(lines, PermitForm::Copy, {}); }

} // namespace kelm
