#include "support/percellstatistics.h"

#include "cases/statistics/penaltystatistics.h"
#include "data/documentcatalogue.h"
#include "platform/database.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include <optional>

using namespace Qt::StringLiterals;

namespace kelm::test {

namespace {

using namespace statistics;

const QString copyPeriod = u"INSERT INTO xzcf2 SELECT dabh, dwlb1, dwlb2, slsj, lasj, sfja, cf1, cf2, cf3, cf4, "
                           "cf5, cf6, cf7, cf8, cf9, cf10, msje, fkje, shsp, xhsp FROM xzcf "
                           "WHERE ? <= slsj AND slsj <= ?"_s;

struct Condition {
    QString sql; // " WHERE ..." or empty
    Params params;
};

Condition conditionOf(const ScreenRow &row, const QString &also = {})
{
    QStringList terms;
    Params params;
    if (!also.isEmpty())
        terms << also;
    if (!row.category.isEmpty()) {
        terms << u"dwlb1 = ?"_s;
        params.push_back(row.category);
    }
    if (!row.subcategory.isEmpty()) {
        terms << u"dwlb2 = ?"_s;
        params.push_back(row.subcategory);
    }
    return {terms.isEmpty() ? QString() : u" WHERE "_s + terms.join(u" AND "_s), params};
}

// One query, its one value vvv; empty for NULL.
std::optional<double> figure(Database &db, const QString &select, const Condition &where)
{
    SQLite::Statement st(db.raw(), (select + u" AS vvv FROM xzcf2"_s + where.sql).toStdString());
    bindParams(st, where.params);
    st.executeStep();
    if (st.getColumn(0).isNull())
        return std::nullopt;
    return st.getColumn(0).getDouble();
}

int count(Database &db, const ScreenRow &row, const QString &also = {})
{
    return int(*figure(db, u"SELECT count(dabh)"_s, conditionOf(row, also)));
}

std::optional<double> sum(Database &db, const ScreenRow &row, const QString &column)
{
    return figure(db, u"SELECT sum(val(%1))"_s.arg(column), conditionOf(row));
}

QString drawnCount(int n) { return u' ' + QString::number(n); }
// A number is drawn with its sign, a blank in the place of a plus.
QString drawnSum(const std::optional<double> &v)
{
    if (!v)
        return u"0"_s;
    const QString text = decimalText(*v);
    return text.startsWith(u'-') ? text : u' ' + text;
}
QString storedSum(const std::optional<double> &v) { return v ? decimalText(*v) : u"0"_s; }

void store(Database &db, const QString &cell, const QString &text)
{
    db.exec(u"UPDATE xzcftj SET %1 = ?"_s.arg(cell), {text});
}

} // namespace

QStringList perCellStatistics(Database &db, const QDate &start, const QDate &end)
{
    Transaction tx(db);
    db.exec(u"DELETE FROM xzcf2"_s);
    db.exec(copyPeriod, {start.toString(Qt::ISODate), end.toString(Qt::ISODate)});
    store(db, u"tbdw"_s, issuingAuthority);
    QStringList drawn = {screenPeriodText(start, end)};
    store(db, u"tjsj"_s, sheetPeriodText(start, end));
    const ScreenRow every{};
    drawn << drawnCount(count(db, every)) << drawnCount(count(db, every, u"lasj <> ''"_s))
          << drawnCount(count(db, every, u"sfja = 1"_s));

    for (const ScreenRow &row : screenRows()) {
        const int r = row.reportRow;
        const auto penalty = [&](int kind, int reportColumn) {
            const int n = count(db, row, u"cf%1 = 1"_s.arg(kind));
            drawn << drawnCount(n);
            if (r > 0)
                store(db, cellName(r, reportColumn), QString::number(n));
        };
        const auto amount = [&](const QString &column, int reportColumn) {
            const std::optional<double> v = sum(db, row, column);
            drawn << drawnSum(v);
            if (r > 0)
                store(db, cellName(r, reportColumn), storedSum(v));
        };
        const auto weight = [&](const QString &column, int reportColumn) {
            if (r > 0)
                store(db, cellName(r, reportColumn), storedSum(sum(db, row, column)));
        };
        penalty(1, 2);
        penalty(2, 3);
        penalty(3, 4);
        weight(u"shsp"_s, 5);
        penalty(4, 6);
        penalty(5, 7);
        weight(u"xhsp"_s, 8);
        penalty(6, 9);
        amount(u"msje"_s, 10);
        penalty(7, 11);
        amount(u"fkje"_s, 12);
        penalty(8, 13);
        penalty(9, 14);
        const int exempted = count(db, row, u"cf10 = 1"_s);
        drawn << drawnCount(exempted);
        const int cases = count(db, row);
        drawn << drawnCount(cases);
        if (r > 0)
            store(db, cellName(r, 1), QString::number(cases));
    }
    tx.commit();
    return drawn;
}

} // namespace kelm::test
