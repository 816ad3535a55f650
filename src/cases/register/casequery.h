// The case query window frm_cfcx, opened by the case register's 查询, and
// its list report rep_xzcf.
#pragma once

#include <functional>

namespace kelm {

class FormWindow;
struct QueryDesign;

// Opens the query modally over the register; `after` runs once it closed.
// A double-click leaves the chosen case as the current case number with
// the relocate-case flag set.
void openCaseQuery(FormWindow *opener, std::function<void()> after);

QueryDesign caseQueryDesign();

} // namespace kelm
