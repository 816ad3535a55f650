// The print layout of the three certificate models and the copy, kept in
// table dycc: one set of rows per form, the first ("整体") a whole-page
// offset, then one row per printed item in print order, each with its left
// and top in millimetres and its font size in points. Every print and
// preparation reads its set afresh, so an edit in the layout editor takes
// effect at the next print.
#pragma once

#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace kelm {

class Database;

enum class PermitForm { Model1, Model2, Model3, Copy };

struct PermitFormSpec {
    QString set;          // xkzlx
    QString caption;      // "NO.Y.05-1" .. "NO.Y.05-3", "副本"
    double widthLimitMm;  // of the unit name, address and licensed items
    double secondLineMm;  // how far below its first line a second line prints
    int rows;             // 整体 and the items
    QPageSize::PageSizeId paper;
    QPageLayout::Orientation orientation;
};

const PermitFormSpec &formSpec(PermitForm form);

// The certificate model whose text equals the permit's model box exactly
// (case and blanks count); none for any other text.
std::optional<PermitForm> certificateForm(const QString &modelText);

// "请按表中所列项目填写“许可证型号”！"
QString unknownModelMessage();

// A value as the layout editor takes it and a font size as printing
// takes it: a decimal number, optionally signed, blanks around it
// allowed; anything else is none.
std::optional<double> layoutNumber(const QString &text);

// Where one item prints: the whole-page offset already added.
struct ItemPlace {
    double leftMm = 0;
    double topMm = 0;
    double pointSize = 0;
};

// The places of a form's items, item k at index k - 1.
using PrintLayout = std::vector<ItemPlace>;

// Why a layout cannot print; shown to the user as it stands.
struct LayoutError {
    QString message;
};

// The names of the form's rows in table order (整体 first), as many as it
// prints. Throws DbError.
QStringList layoutItemNames(Database &db, PermitForm form);

// One row of a form's set as printing reads it: its position as val()
// reads it ("12mm" is 12, empty is 0), its font size as stored.
struct LayoutRow {
    QString name;
    double leftMm = 0;
    double topMm = 0;
    QString size;
};

// The form's rows in table order (整体 first), as many as it prints, or
// fewer where the set lacks some. Throws DbError.
std::vector<LayoutRow> readLayoutRows(Database &db, PermitForm form);

// Reads the form's set in table order; a position reads as val() reads it
// ("12mm" is 12, empty is 0). Throws LayoutError when the set cannot be
// read, has fewer rows than the form prints, or holds a font size that is
// no positive number: printing in a size the printer keeps from the
// previous item would waste a pre-printed sheet without a word.
PrintLayout readPrintLayout(Database &db, PermitForm form);

} // namespace kelm
