// What a permit puts on paper: the item table of each form (which permit
// text each layout row prints), the printed sheet as a page model, and the
// two-line cut of the unit name, address and licensed items that the
// preparation leaves for the preview. Only the permit's own texts print;
// the stock carries every label.
#pragma once

#include "permits/permitprintlines.h"
#include "permits/printing/linesplit.h"
#include "permits/printing/printlayout.h"
#include "platform/pagemodel.h"

#include <QString>
#include <vector>

namespace kelm {

// The shown permit's texts, as the register's boxes hold them.
struct PermitTexts {
    QString model;    // Combo1(0)
    QString category; // Combo1(1)
    QString unitName; // Text1(0)
    QString address;  // Text1(1)
    QString person;   // Text1(2)
    QString nature;   // Text1(3)
    QString number;   // Text1(6)
    QString items;    // Text1(8)
    QString issued;   // Text1(9)
    QString validTo;  // Text1(10)
};

// The licensed items are measured, cut and shown with the mark after them.
QString licensedItemsText(const QString &items);

// What one layout row prints.
enum class SheetText {
    Region,       // "Yarv"
    Category,
    NumberYear,   // the permit number's first 4 characters
    NumberSerial, // the rest
    UnitName,     // split
    Person,
    Address,      // split
    Nature,
    Items,        // split, with the mark
    Authority,    // "Quessa区卫生局"
    NumeralYear, NumeralMonth, NumeralDay, // the issue date in Chinese numerals
    IssuedYear, IssuedMonth, IssuedDay,
    ValidYear, ValidMonth, ValidDay,
};

// The form's items in print order: item k is printed from row k + 1.
const std::vector<SheetText> &itemTable(PermitForm form);

// The unit name, the address and the licensed items: cut at the form's
// width limit, the rest on a second line.
bool isSplit(SheetText item);

// The widest text an item can print, in display units (half an em each on
// the character grid): its fixed text, or the widest share of its column
// that it prints, whatever the column holds within its capacity.
int widestUnits(SheetText item);

// The sheet of one permit, each item at its layout place, split items cut
// on the character grid at the form's width limit.
report::PageModel permitSheet(PermitForm form, const PermitTexts &permit, const PrintLayout &layout);

// The six lines of one form among the register's 24 print lines.
struct FormLines {
    QString unit1, unit2, address1, address2, items1, items2;
};

// Cuts the three long texts as the sheet would, in the font sizes of their
// layout rows.
FormLines prepareLines(PermitForm form, const PermitTexts &permit, const PrintLayout &layout);

FormLines linesOf(const PermitPrintLines &lines, PermitForm form);
void storeLines(PermitPrintLines &lines, PermitForm form, const FormLines &six);
// Empties the 18 lines of models 1 to 3, or the copy's six.
void clearCertificateLines(PermitPrintLines &lines);
void clearCopyLines(PermitPrintLines &lines);

} // namespace kelm
