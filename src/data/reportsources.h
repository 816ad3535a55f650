// What each report reads: the 26 sources of the reports, each over one
// table, and the rows a source gives at the moment a report starts.
#pragma once

#include "platform/database.h"
#include "platform/pagemodel.h"

#include <QStringList>
#include <vector>

namespace kelm {

enum class ReportRows {
    CaseRow,    // the table's row of the current case number (documents)
    ListQuery,  // the current list query (list reports)
    WholeTable, // the table as it is: the statistics sheet's one row
};

struct ReportSource {
    int command;         // number of the source, 1 to 26
    QString table;
    QStringList reports; // the reports that read it
    ReportRows rows;
};

// The 26 sources in command order.
const std::vector<ReportSource> &reportSources();
// The source of a report; nullptr for an unknown report.
const ReportSource *reportSource(const QString &report);

// The source's rows now. Throws DbError when they cannot be read, or when
// the current list query lists another table than the report's.
Rows reportRows(const ReportSource &source);

// The report laid out over its source's rows now. Throws DbError.
report::PageModel buildReport(const report::ReportLayout &layout);

} // namespace kelm
