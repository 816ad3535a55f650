#include "cases/statistics/statisticsentry.h"

#include "cases/statistics/periodwindow.h"
#include "cases/statistics/statisticswindow.h"
#include "platform/modal.h"

namespace kelm {

void openStatisticsPeriod(FormWindow *opener)
{
    auto *period = new StatisticsPeriodWindow(opener);
    // The period window has closed by the time the statistics window opens
    // in its place, so closing the statistics returns to the opener.
    openModal(opener, period, [opener, period] {
        if (period->confirmed())
            openModal(opener, new StatisticsWindow(opener));
    });
}

} // namespace kelm
