// rep_tj, the official statistics sheet "食品卫生监督监测情况报表", part
// "（三）行政处罚情况", form "卫统12表-3": the reporting unit, the period
// and the 84 cells of the one row of xzcftj in the ruled table of the form.
#pragma once

#include "platform/pagemodel.h"
#include "platform/reportlayout.h"

namespace kelm::statistics {

report::ReportLayout statisticsSheetLayout();

// The sheet over the row xzcftj holds now, that is the last computation.
// A figure wider than its cell prints whole in a smaller size instead of
// losing digits. Throws DbError.
report::PageModel statisticsSheet();

} // namespace kelm::statistics
