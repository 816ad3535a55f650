// The statistics, entered through the period window frm_tjsj from the case
// register's 统计 button.
#pragma once

namespace kelm {

class FormWindow;

void openStatisticsPeriod(FormWindow *opener);

} // namespace kelm
