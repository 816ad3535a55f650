#include "data/listquery.h"

#include "data/connection.h"
#include "data/schema.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

QString str(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

// Names go into SQL only as the schema spells them.
const schema::Table &tableOf(const ListQuery &query)
{
    const schema::Table *t = schema::find(query.table.toStdString());
    if (!t)
        throw DbError(u"未知的表 %1"_s.arg(query.table));
    return *t;
}

QString columnOf(const schema::Table &table, const QString &column)
{
    for (const schema::Column &c : table.columns)
        if (str(c.name).compare(column, Qt::CaseInsensitive) == 0)
            return str(c.name);
    throw DbError(u"表 %1 没有列 %2"_s.arg(str(table.name), column));
}

// A row matches when its column begins with the prefix: the range from the
// prefix up to the prefix followed by the byte 0xFF, which no UTF-8 text
// holds. It compares under the column's collation and runs on the column's
// index, so each keystroke reads only the matching rows.
ListStatement whereClause(const ListQuery &query, const schema::Table &table)
{
    if (query.prefix.isEmpty() || query.filterColumn.isEmpty())
        return {};
    const QString c = columnOf(table, query.filterColumn);
    return {u" WHERE %1 >= ?1 AND %1 < ?1 || CAST(X'FF' AS TEXT)"_s.arg(c), {query.prefix}};
}

// What is selected of the list's rows, in the list's order.
ListStatement selectList(const ListQuery &query, const QString &what)
{
    const schema::Table &t = tableOf(query);
    ListStatement s = whereClause(query, t);
    const QString sort = columnOf(t, query.sortColumn.isEmpty() ? str(t.key) : query.sortColumn);
    s.sql = u"SELECT %1 FROM %2%3 ORDER BY %4, rowid"_s.arg(what, str(t.name), s.sql, sort);
    return s;
}

} // namespace

ListStatement listStatement(const ListQuery &query) { return selectList(query, u"*"_s); }

ListStatement keyStatement(const ListQuery &query) { return selectList(query, u"rowid"_s); }

std::vector<QString> existingColumns(const QString &table, const std::vector<QString> &columns)
{
    const schema::Table &t = tableOf({table, {}, {}, {}});
    std::vector<QString> out;
    for (const QString &c : columns)
        if (std::any_of(t.columns.begin(), t.columns.end(),
                        [&](const schema::Column &k) { return str(k.name).compare(c, Qt::CaseInsensitive) == 0; }))
            out.push_back(c);
    return out;
}

ListStatement rowsByIdStatement(const QString &table, const std::vector<QString> &columns,
                                const std::vector<qint64> &ids)
{
    const schema::Table &t = tableOf({table, {}, {}, {}});
    QStringList names{u"rowid"_s};
    for (const QString &c : columns)
        names << columnOf(t, c);
    ListStatement s;
    QStringList marks;
    for (qint64 id : ids) {
        marks << u"?"_s;
        s.params.push_back(id);
    }
    s.sql = u"SELECT %1 FROM %2 WHERE rowid IN (%3)"_s.arg(names.join(u", "_s), str(t.name), marks.join(u','));
    return s;
}

ListStatement countStatement(const ListQuery &query)
{
    const schema::Table &t = tableOf(query);
    ListStatement s = whereClause(query, t);
    s.sql = u"SELECT COUNT(*) FROM %1%2"_s.arg(str(t.name), s.sql);
    return s;
}

Rows listRows(const ListQuery &query)
{
    const ListStatement s = listStatement(query);
    return db().select(s.sql, s.params);
}

qint64 listCount(const ListQuery &query)
{
    const ListStatement s = countStatement(query);
    return db().scalar(s.sql, s.params).toLongLong();
}

} // namespace kelm
