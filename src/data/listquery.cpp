#include "data/listquery.h"

#include "data/connection.h"
#include "data/schema.h"

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

} // namespace

ListStatement listStatement(const ListQuery &query)
{
    const schema::Table &t = tableOf(query);
    ListStatement s = whereClause(query, t);
    const QString sort = columnOf(t, query.sortColumn.isEmpty() ? str(t.key) : query.sortColumn);
    s.sql = u"SELECT * FROM %1%2 ORDER BY %3, rowid"_s.arg(str(t.name), s.sql, sort);
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
