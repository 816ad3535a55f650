#include "platform/querycursor.h"

#include <SQLiteCpp/SQLiteCpp.h>

namespace kelm {

QueryCursor::QueryCursor(Database &db, const QString &sql, const Params &params)
{
    try {
        m_statement = std::make_unique<SQLite::Statement>(db.raw(), sql.toStdString());
        bindParams(*m_statement, params);
        const int n = m_statement->getColumnCount();
        for (int i = 0; i < n; ++i)
            m_columns.push_back(QString::fromUtf8(m_statement->getColumnName(i)));
    } catch (const SQLite::Exception &e) {
        throw engineError(e);
    }
}

QueryCursor::~QueryCursor() = default;

int QueryCursor::columnIndex(const QString &name) const
{
    for (std::size_t i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

void QueryCursor::fetch(std::size_t count, const std::vector<int> &wanted, std::vector<std::vector<QString>> &out)
{
    try {
        for (std::size_t n = 0; n < count && !m_atEnd; ++n) {
            if (!m_statement->executeStep()) {
                m_atEnd = true;
                break;
            }
            std::vector<QString> row;
            row.reserve(wanted.size());
            for (int c : wanted)
                row.push_back(c < 0 ? QString() : QString::fromUtf8(m_statement->getColumn(c).getText()));
            out.push_back(std::move(row));
        }
    } catch (const SQLite::Exception &e) {
        m_atEnd = true;
        throw engineError(e);
    }
}

void QueryCursor::fetchIds(std::size_t count, std::vector<qint64> &out)
{
    try {
        for (std::size_t n = 0; n < count && !m_atEnd; ++n) {
            if (!m_statement->executeStep()) {
                m_atEnd = true;
                break;
            }
            out.push_back(m_statement->getColumn(0).getInt64());
        }
    } catch (const SQLite::Exception &e) {
        m_atEnd = true;
        throw engineError(e);
    }
}

} // namespace kelm
