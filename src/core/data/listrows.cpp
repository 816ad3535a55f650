#include "data/listrows.h"

#include "data/listquery.h"
#include "platform/querycursor.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {
// Row ids read between two reports of progress.
constexpr std::size_t idsPerStep = 1 << 16;
// Rows read in one statement: about a page and a half of a list.
constexpr std::size_t blockSize = 64;
} // namespace

std::optional<RowIds> readRowIds(Database &db, const ListQuery &query, qint64 expected, Progress &progress)
{
    const ListStatement s = keyStatement(query);
    QueryCursor cursor(db, s.sql, s.params);
    auto ids = std::make_shared<RowIdVector>();
    if (expected > 0)
        ids->reserve(std::size_t(expected));
    progress.stage(u"正在读取列表……"_s, expected, true);
    std::vector<qint64> step;
    while (!cursor.atEnd()) {
        step.clear();
        cursor.fetchIds(idsPerStep, step);
        ids->insert(ids->end(), step.begin(), step.end());
        progress.advance(qint64(ids->size()));
        if (progress.cancelled())
            return std::nullopt;
    }
    ids->shrink_to_fit();
    return RowIds(std::move(ids));
}

ListRows::ListRows(Database &db, const QString &table, const std::vector<QString> &columns, RowIds ids)
    : m_db(db), m_table(table), m_columns(existingColumns(table, columns)), m_ids(std::move(ids))
{
}

const std::vector<QString> &ListRows::row(std::size_t i)
{
    const std::size_t start = i - i % blockSize;
    if (m_block.empty() || start != m_blockStart) {
        m_block.clear();
        const std::vector<qint64> ids(m_ids->begin() + std::ptrdiff_t(start),
                                      m_ids->begin() + std::ptrdiff_t(std::min(start + blockSize, m_ids->size())));
        const ListStatement s = rowsByIdStatement(m_table, m_columns, ids);
        QueryCursor cursor(m_db, s.sql, s.params);
        std::vector<int> all;
        for (int c = 0; c <= int(m_columns.size()); ++c)
            all.push_back(c);
        std::vector<std::vector<QString>> found;
        cursor.fetch(ids.size(), all, found);
        QHash<qint64, std::size_t> at;
        for (std::size_t k = 0; k < found.size(); ++k)
            at.insert(found[k][0].toLongLong(), k);
        m_block.reserve(ids.size());
        for (qint64 id : ids) {
            const auto f = at.constFind(id);
            if (f == at.constEnd()) {
                m_block.emplace_back(m_columns.size());
            } else {
                std::vector<QString> &values = found[*f];
                m_block.emplace_back(std::make_move_iterator(values.begin() + 1), std::make_move_iterator(values.end()));
            }
        }
        m_blockStart = start;
    }
    return m_block[i - start];
}

} // namespace kelm
