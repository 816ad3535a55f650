#include "platform/dates.h"

namespace kelm {

std::optional<QDate> parseDate(const QString &text)
{
    if (text.size() != 10 || text[4] != u'-' || text[7] != u'-')
        return std::nullopt;
    for (qsizetype i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (text[i] < u'0' || text[i] > u'9')
            return std::nullopt;
    const QDate date(text.left(4).toInt(), text.mid(5, 2).toInt(), text.mid(8, 2).toInt());
    if (!date.isValid())
        return std::nullopt;
    return date;
}

} // namespace kelm
