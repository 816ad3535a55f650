// Lays a report out over its rows into pages: report header, page header
// on every page, one detail per row while it fits above the page footer,
// report footer after the last row.
#pragma once

#include "platform/database.h"
#include "platform/pagemodel.h"

namespace kelm::report {

// Fields of the report and page headers show the first row, those of the
// footers the last; a field whose column the rows lack prints nothing.
PageModel layoutReport(const ReportLayout &layout, const Rows &rows);

// The part of text that a field of this width shows: whole characters on
// the character grid.
QString clippedText(const QString &text, int widthTwips, double pointSize);

} // namespace kelm::report
