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
// prints nothing.
PageModel layoutReport(const ReportLayout &layout, const Rows &rows);

// The part of text that a field of this width shows: whole characters on
// the character grid.
QString clippedText(const QString &text, int widthTwips, double pointSize);

} // namespace kelm::report
