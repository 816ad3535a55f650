// A read-only table over a query, read a block at a time as the view
// scrolls (canFetchMore / fetchMore), so the first screen of a million
// rows shows at once.
#pragma once

#include "platform/querycursor.h"

#include <QAbstractTableModel>

namespace kelm {

struct GridColumn {
    QString caption;
    QString column;
    int width = 0; // twips on screen; 0 leaves the view's default
};

class QueryTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr std::size_t blockSize = 256;

    explicit QueryTableModel(std::vector<GridColumn> columns, QObject *parent = nullptr);
    ~QueryTableModel() override;

    // Shows the rows of a new statement from the first block on. Throws
    // DbError; the model is then empty.
    void setStatement(Database &db, const QString &sql, const Params &params);
    // Forgets the statement (before the connection closes).
    void clear();

    QString text(int row, int column) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

private:
    std::vector<GridColumn> m_columns;
    std::unique_ptr<QueryCursor> m_cursor;
    std::vector<int> m_wanted;
    std::vector<std::vector<QString>> m_rows;
};

} // namespace kelm
