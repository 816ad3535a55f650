#include "platform/nextnumber.h"

#include "platform/database.h"

#include <cmath>

namespace kelm {

QString nextNumber(const QString &lastNumber)
{
    const double next = val(lastNumber) + 1;
    if (next == std::floor(next))
        return QString::number(next, 'f', 0);
    QString text = QString::number(next, 'f', 6);
    while (text.endsWith(u'0'))
        text.chop(1);
    return text;
}

} // namespace kelm
