// The permit query xkzcx, opened by the permit register's 查询, and the
// annual review query nscx, opened by the annual review window's 查询.
#pragma once

#include <functional>

namespace kelm {

class FormWindow;

// Each opens its query modally over its register; `after` runs once it
// closed.
void openPermitQuery(FormWindow *opener, std::function<void()> after);
void openReviewQuery(FormWindow *opener, std::function<void()> after);

} // namespace kelm
