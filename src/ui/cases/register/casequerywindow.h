// The case query window frm_cfcx, opened by the case register's 查询.
#pragma once

#include <functional>

namespace kelm {

class FormWindow;

// Opens the query modally over the register; `after` runs once it closed.
void openCaseQuery(FormWindow *opener, std::function<void()> after);

} // namespace kelm
