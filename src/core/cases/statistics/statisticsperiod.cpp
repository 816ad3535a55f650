#include "cases/statistics/statisticsperiod.h"

#include "data/appvalues.h"
#include "platform/dates.h"

namespace kelm::statistics {

bool storePeriod(const QString &startText, const QString &endText)
{
    const std::optional<QDate> start = parseDate(startText);
    if (!start)
        return false;
    app().statsStart = *start;
    const std::optional<QDate> end = parseDate(endText);
    if (!end)
        return false;
    app().statsEnd = *end;
    return true;
}

} // namespace kelm::statistics
