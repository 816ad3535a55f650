#include "permits/printing/printlayout.h"

#include "permits/permitprintlines.h"
#include "platform/database.h"

#include <QRegularExpression>

#include <array>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

// Model 2 sets no orientation of its own; its positions are those of
// model 1 scaled to the smaller sheet, so it prints landscape like model 1.
const std::array<PermitFormSpec, 4> specs = {{
    {u"1"_s, u"NO.Y.05-1"_s, 310, 15, 19, QPageSize::A3, QPageLayout::Landscape},
    {u"2"_s, u"NO.Y.05-2"_s, 220, 15, 19, QPageSize::A4, QPageLayout::Landscape},
    {u"3"_s, u"NO.Y.05-3"_s, 165, 8, 19, QPageSize::A4, QPageLayout::Portrait},
    {u"4"_s, u"副本"_s, 65, 8, 20, QPageSize::A5, QPageLayout::Portrait},
}};

const QString selectSet = u"SELECT xmmc, xml, xmu, xmzh FROM dycc WHERE xkzlx = ? ORDER BY rowid LIMIT ?"_s;
const QString selectNames = u"SELECT xmmc FROM dycc WHERE xkzlx = ? ORDER BY rowid LIMIT ?"_s;

} // namespace

const PermitFormSpec &formSpec(PermitForm form) { return specs[std::size_t(form)]; }

std::optional<PermitForm> certificateForm(const QString &modelText)
{
    const qsizetype i = permitModels().indexOf(modelText);
    return i < 0 ? std::nullopt : std::optional(PermitForm(i));
}

QString unknownModelMessage() { return u"请按表中所列项目填写“许可证型号”！"_s; }

std::optional<double> layoutNumber(const QString &text)
{
    static const QRegularExpression number(u"^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)\\s*$"_s);
    if (!number.match(text).hasMatch())
        return std::nullopt;
    return text.trimmed().toDouble();
}

QStringList layoutItemNames(Database &db, PermitForm form)
{
    const PermitFormSpec &spec = formSpec(form);
    QStringList names;
    for (const auto &row : db.select(selectNames, {spec.set, spec.rows}).values)
        names << row[0];
    return names;
}

std::vector<LayoutRow> readLayoutRows(Database &db, PermitForm form)
{
    const PermitFormSpec &spec = formSpec(form);
    std::vector<LayoutRow> rows;
    for (const auto &row : db.select(selectSet, {spec.set, spec.rows}).values)
        rows.push_back({row[0], val(row[1]), val(row[2]), row[3]});
    return rows;
}

PrintLayout readPrintLayout(Database &db, PermitForm form)
{
    const PermitFormSpec &spec = formSpec(form);
    std::vector<LayoutRow> rows;
    try {
        rows = readLayoutRows(db, form);
    } catch (const DbError &e) {
        throw LayoutError{u"无法读取打印设置：%1"_s.arg(e.message())};
    }
    if (int(rows.size()) < spec.rows) {
        throw LayoutError{u"打印设置“%1”的项目不全：应有%2行，只有%3行，无法打印。"_s.arg(spec.caption)
                              .arg(spec.rows)
                              .arg(rows.size())};
    }
    auto pointSize = [&](const LayoutRow &row) {
        const std::optional<double> n = layoutNumber(row.size);
        if (!n || *n <= 0) {
            throw LayoutError{u"打印设置“%1”中“%2”的打印字号“%3”不是有效的字号，请在打印设置中改正。"_s.arg(
                spec.caption, row.name, row.size)};
        }
        return *n;
    };
    PrintLayout layout;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        ItemPlace p;
        p.pointSize = pointSize(rows[r]);
        p.leftMm = float(rows[r].leftMm + rows[0].leftMm);
        p.topMm = float(rows[r].topMm + rows[0].topMm);
        layout.push_back(p);
    }
    return layout;
}

} // namespace kelm
