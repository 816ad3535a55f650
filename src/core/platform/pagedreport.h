// A report's pages for a preview or a printer, each laid out from its rows
// when it is asked for.
#pragma once

#include "platform/pagesource.h"
#include "platform/reportengine.h"

#include <memory>

namespace kelm::report {

class PagedReport : public PageSource {
public:
    PagedReport(ReportLayout layout, std::shared_ptr<RowSource> rows, PageIndex index);

    QString caption() const override { return m_layout.caption; }
    PageSetup paper() const override { return m_layout.page; }
    int pageCount() const override { return m_index.pageCount(); }
    Page page(int n) override { return layoutPage(m_layout, *m_rows, m_index, n); }

private:
    ReportLayout m_layout;
    std::shared_ptr<RowSource> m_rows;
    PageIndex m_index;
};

} // namespace kelm::report
