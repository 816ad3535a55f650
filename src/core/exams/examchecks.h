// The checks an examination record passes before it is stored: only its
// number is checked (present, exactly 8 characters of any kind); dates and
// every other box are stored as typed.
#pragma once

#include "registers/checkfailure.h"

#include <QString>
#include <optional>

namespace kelm {

// The boxes of the examination register the checks read.
struct ExamEntry {
    QString number; // tjbh, Text1(0)
};

std::optional<CheckFailure> firstFailingCheck(const ExamEntry &entry);

} // namespace kelm
