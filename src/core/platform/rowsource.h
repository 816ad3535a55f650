// The rows of a report, read by position as its pages need them: a list
// of a million rows need not be read, nor held, to lay out one of its pages.
#pragma once

#include <QString>
#include <vector>

namespace kelm::report {

class RowSource {
public:
    virtual ~RowSource() = default;
    virtual std::size_t size() const = 0;
    // The column of each value of a row.
    virtual const std::vector<QString> &columns() const = 0;
    // The values of row i < size(), valid until the next call. Throws
    // DbError.
    virtual const std::vector<QString> &row(std::size_t i) = 0;
};

} // namespace kelm::report
