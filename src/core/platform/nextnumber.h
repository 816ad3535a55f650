// The number a register proposes for a new record: the numeric value of the
// leading digits of the last record's number, plus one, whatever the year or
// the other numbers ("20001111" gives "20001112", "2002-015" gives "2003",
// a number without leading digits gives "1").
#pragma once

#include <QString>

namespace kelm {

QString nextNumber(const QString &lastNumber);

} // namespace kelm
