#include "cases/statistics/statisticsentry.h"

#include "platform/modal.h"
#include "shell/placeholderwindow.h"

using namespace Qt::StringLiterals;

namespace kelm {

void openStatisticsPeriod(FormWindow *opener)
{
    openModal(opener, new PlaceholderWindow(u"统计时间"_s));
}

} // namespace kelm
