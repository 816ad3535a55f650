// The checks a case passes before it is saved, in the order the user meets
// them: only the first failing one is reported, with the box to go to.
#pragma once

#include "registers/checkfailure.h"

#include <QString>
#include <optional>

namespace kelm {

// The boxes of the case register the checks read.
struct CaseEntry {
    QString number;      // dabh
    QString confiscated; // msje
    QString fine;        // fkje
    QString recalled;    // shsp
    QString destroyed;   // xhsp
    QString accepted;    // slsj
    QString filed;       // lasj
    QString closed;      // jasj
    QString category;    // dwlb1
};

std::optional<CheckFailure> firstFailingCheck(const CaseEntry &entry);

} // namespace kelm
