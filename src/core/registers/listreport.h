// The list report of a query window: a title once, the column heads ruled
// as a table on every page, and one ruled line per row of the list. Each
// query window's list report is this design with its own columns.
#pragma once

#include "platform/reportlayout.h"

#include <vector>

namespace kelm {

struct ListReportColumn {
    QString head;   // head text, blanks included
    QString column; // the field's column
    int left;       // twips; the head stands at the field's left
    int width;
};

struct ListReportDesign {
    QString name;    // report name, which finds its data source
    QString caption; // preview caption before "打印预演"
    QString title;
    std::vector<ListReportColumn> columns;
    std::vector<int> headRules;   // x of the vertical rules of the heads
    std::vector<int> detailRules; // x of the vertical rules of each row
    report::PageSetup page;
};

report::ReportLayout listReportLayout(const ListReportDesign &design);

} // namespace kelm
