// What converting an office's Jet file brought over and what the office
// should look at: the rows of each table, and every value, table and column
// that was kept in a way the user may not expect or not taken at all. The
// start-up, the restore and kelm-import all show the same text.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

namespace kelm::jet {

// Places in the converted file, grouped by table and column in the order
// first met, each with the rows' keys.
class ListedPlaces {
public:
    void add(const QString &table, const QString &column, const QString &key);
    bool empty() const { return m_groups.empty(); }
    qint64 count() const { return m_count; }
    // "表.字段（n 处）：key、key …", one line a column.
    QStringList lines() const;
    // The keys listed for table.column, in order.
    QStringList keys(const QString &table, const QString &column) const;

private:
    struct Group {
        QString table;
        QString column;
        QStringList keys;
    };
    std::vector<Group> m_groups;
    QHash<QString, std::size_t> m_index;
    qint64 m_count = 0;
};

struct ConversionSummary {
    struct TableRows {
        QString table;
        qint64 rows = 0;
        // The table was not in the file and keeps the rows a new database
        // is prepared with.
        bool prepared = false;
    };

    // How the file stored its text ("Jet 4", "Jet 3, GB18030").
    QString source;
    // Every table of this program, in the schema's order.
    std::vector<TableRows> tables;
    // Text longer than its column's box, kept whole.
    ListedPlaces longerThanBox;
    // Text with bytes that did not decode, each run kept as U+FFFD.
    ListedPlaces undecodable;
    // Dates that carry a time of day, kept with it.
    ListedPlaces timeOfDay;
    // Values of a yes/no column stored by another type that read as
    // neither yes nor no, stored as no.
    ListedPlaces notYesNo;
    // "beizhu（5 行）": tables and columns of the file that this program has
    // not, not taken.
    QStringList unknownTables;
    QStringList unknownColumns;
    // Tables and columns of this program that the file has not: empty, or
    // no for yes/no.
    QStringList missingTables;
    QStringList missingColumns;

    qint64 rowsOf(const QString &table) const;
    // The whole summary for the user, in lines.
    QString text() const;
};

} // namespace kelm::jet
