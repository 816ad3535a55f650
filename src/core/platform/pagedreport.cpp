#include "platform/pagedreport.h"

namespace kelm::report {

PagedReport::PagedReport(ReportLayout layout, std::shared_ptr<RowSource> rows, PageIndex index)
    : m_layout(std::move(layout)), m_rows(std::move(rows)), m_index(std::move(index))
{
}

} // namespace kelm::report
