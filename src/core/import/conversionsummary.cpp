#include "import/conversionsummary.h"

using namespace Qt::StringLiterals;

namespace kelm::jet {

namespace {

const QString indent = u"  "_s;

void addSection(QStringList &out, const QString &heading, const QStringList &lines)
{
    if (lines.isEmpty())
        return;
    out << QString() << heading;
    for (const QString &line : lines)
        out << indent + line;
}

void addPlaces(QStringList &out, const QString &heading, const ListedPlaces &places)
{
    if (!places.empty())
        addSection(out, heading.arg(places.count()), places.lines());
}

} // namespace

void ListedPlaces::add(const QString &table, const QString &column, const QString &key)
{
    const QString id = table + u'.' + column;
    auto found = m_index.constFind(id);
    if (found == m_index.constEnd()) {
        found = m_index.insert(id, m_groups.size());
        m_groups.push_back({table, column, {}});
    }
    m_groups[*found].keys << key;
    ++m_count;
}

QStringList ListedPlaces::lines() const
{
    QStringList out;
    for (const Group &g : m_groups)
        out << u"%1.%2（%3 处）：%4"_s.arg(g.table, g.column).arg(g.keys.size()).arg(g.keys.join(u"、"_s));
    return out;
}

QStringList ListedPlaces::keys(const QString &table, const QString &column) const
{
    const auto found = m_index.constFind(table + u'.' + column);
    return found == m_index.constEnd() ? QStringList() : m_groups[*found].keys;
}

qint64 ConversionSummary::rowsOf(const QString &table) const
{
    for (const TableRows &t : tables)
        if (t.table == table)
            return t.rows;
    return -1;
}

QString ConversionSummary::text() const
{
    QStringList out;
    if (!source.isEmpty())
        out << u"原文件：%1。"_s.arg(source) << QString();
    out << u"转换的记录："_s;
    for (const TableRows &t : tables) {
        QString line = u"%1：%2 行"_s.arg(t.table).arg(t.rows);
        if (t.prepared)
            line += u"（原文件中没有这个表，保留新数据库预置的内容）"_s;
        out << indent + line;
    }
    addPlaces(out, u"下列文字比本程序中的输入框长，已完整保留（共 %1 处）："_s, longerThanBox);
    addPlaces(out, u"下列日期带有时刻，已连同时刻保留（共 %1 处）："_s, timeOfDay);
    addPlaces(out, u"下列文字中有无法解码的字节，已用 \uFFFD 代替（共 %1 处）："_s, undecodable);
    addPlaces(out, u"下列是/否字段的值既不是“是”也不是“否”，已存为“否”（共 %1 处）："_s, notYesNo);
    addSection(out, u"原文件中下列表本程序没有，没有转换："_s, unknownTables);
    addSection(out, u"原文件中下列字段本程序没有，没有转换："_s, unknownColumns);
    addSection(out, u"原文件中没有下列表："_s, missingTables);
    addSection(out, u"原文件中没有下列字段，转换后为空（是/否字段为“否”）："_s, missingColumns);
    if (longerThanBox.empty() && timeOfDay.empty() && undecodable.empty() && notYesNo.empty()
        && unknownTables.isEmpty() && unknownColumns.isEmpty() && missingTables.isEmpty() && missingColumns.isEmpty())
        out << QString() << u"没有需要注意的内容。"_s;
    return out.join(u'\n');
}

} // namespace kelm::jet
