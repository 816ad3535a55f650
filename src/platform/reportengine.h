// Lays a report out over its rows into pages: report header, page header
// on every page, one detail per row while it fits above the page footer,
// report footer after the last row.
#pragma once

#include "platform/database.h"
#include "platform/pagemodel.h"

namespace kelm::report {

// Fields show the row of their place: the report header the first row, a
// page header the page's first row, a page footer the page's last row,
// the report footer the last row. A field whose column the rows lack
// prints nothing. A field never draws outside its box and prints its text
// whole: a growing field wraps inside its width, any other prints in a
// smaller size where its text is wider than the box.
PageModel layoutReport(const ReportLayout &layout, const Rows &rows);

} // namespace kelm::report
