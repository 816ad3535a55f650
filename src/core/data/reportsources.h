// What each report reads: the 26 sources of the reports, each over one
// table, and the rows a source gives at the moment a report starts.
#pragma once

#include "data/listrows.h"
#include "platform/database.h"
#include "platform/pagemodel.h"
#include "platform/pagesource.h"
#include "platform/reportengine.h"

#include <QStringList>
#include <memory>
#include <optional>
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

// A list report made ready off the GUI thread: the row ids of its list
// and where each page starts.
struct PreparedList {
    RowIds ids;
    report::PageIndex index;
};

// Reads, on db, the row ids of the list query (which must list the table
// of the layout's source) and where each page starts. expected is the
// number of rows the list is known to hold, 0 when unknown. Nothing when
// cancelled. Throws DbError.
std::optional<PreparedList> prepareList(Database &db, const report::ReportLayout &layout, const ListQuery &query,
                                        qint64 expected, Progress &progress = noProgress());

// The pages of a prepared list report, each read through the program's
// connection when it is shown or printed.
std::unique_ptr<report::PageSource> listPages(const report::ReportLayout &layout, const ListQuery &query,
                                              PreparedList prepared);

// Every page of the report over its source's rows now, on the program's
// connection; a list's pages are made as its preview makes them. Throws
// DbError.
report::PageModel buildReport(const report::ReportLayout &layout);

} // namespace kelm
