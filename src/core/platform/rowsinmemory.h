// The rows of a report already read: a document's row, the statistics
// sheet's, a test's.
#pragma once

#include "platform/database.h"
#include "platform/rowsource.h"

namespace kelm::report {

class RowsInMemory : public RowSource {
public:
    explicit RowsInMemory(Rows rows) : m_rows(std::move(rows)) { }
    std::size_t size() const override { return m_rows.size(); }
    const std::vector<QString> &columns() const override { return m_rows.columns; }
    const std::vector<QString> &row(std::size_t i) override { return m_rows.values[i]; }

private:
    Rows m_rows;
};

} // namespace kelm::report
