// What a register's save checks report: the first failing check's message
// and the box the focus goes to.
#pragma once

#include <QString>

namespace kelm {

struct CheckFailure {
    QString message;
    int focusBox; // index of the register's Text1 box, -1: focus stays
};

} // namespace kelm
