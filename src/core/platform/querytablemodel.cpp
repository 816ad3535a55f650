#include "platform/querytablemodel.h"

namespace kelm {

QueryTableModel::QueryTableModel(std::vector<GridColumn> columns, QObject *parent)
    : QAbstractTableModel(parent), m_columns(std::move(columns))
{
}

QueryTableModel::~QueryTableModel() = default;

void QueryTableModel::setStatement(Database &db, const QString &sql, const Params &params)
{
    beginResetModel();
    m_cursor.reset();
    m_rows.clear();
    m_wanted.clear();
    try {
        m_cursor = std::make_unique<QueryCursor>(db, sql, params);
        for (const GridColumn &c : m_columns)
            m_wanted.push_back(m_cursor->columnIndex(c.column));
        m_cursor->fetch(blockSize, m_wanted, m_rows);
    } catch (const DbError &) {
        m_cursor.reset();
        m_rows.clear();
        endResetModel();
        throw;
    }
    endResetModel();
}

void QueryTableModel::clear()
{
    beginResetModel();
    m_cursor.reset();
    m_rows.clear();
    endResetModel();
}

QString QueryTableModel::text(int row, int column) const
{
    if (row < 0 || std::size_t(row) >= m_rows.size() || column < 0 || std::size_t(column) >= m_columns.size())
        return {};
    return m_rows[std::size_t(row)][std::size_t(column)];
}

int QueryTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int QueryTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant QueryTableModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return text(index.row(), index.column());
}

QVariant QueryTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0
        || std::size_t(section) >= m_columns.size())
        return {};
    return m_columns[std::size_t(section)].caption;
}

Qt::ItemFlags QueryTableModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

bool QueryTableModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && m_cursor && !m_cursor->atEnd();
}

void QueryTableModel::fetchMore(const QModelIndex &parent)
{
    if (!canFetchMore(parent))
        return;
    std::vector<std::vector<QString>> more;
    try {
        m_cursor->fetch(blockSize, m_wanted, more);
    } catch (const DbError &) {
        // The rows read so far stay; the list simply ends there.
    }
    if (more.empty())
        return;
    const int first = int(m_rows.size());
    beginInsertRows({}, first, first + int(more.size()) - 1);
    for (auto &r : more)
        m_rows.push_back(std::move(r));
    endInsertRows();
}

} // namespace kelm
