// The checks a permit and a permit's review pass before they are saved, in
// the order the user meets them (only the first failing one is reported,
// with the box to go to), and the first next-review date a new permit gets.
#pragma once

#include "registers/checkfailure.h"

#include <QString>
#include <optional>

namespace kelm {

// The boxes of the permit register the checks read.
struct PermitEntry {
    QString number;     // xkzh, Text1(6)
    QString issued;     // fzrq, Text1(9)
    QString validUntil; // yxqx, Text1(10)
    QString applied;    // sqrq, Text1(11)
};

// The boxes of the annual review window the checks read.
struct ReviewEntry {
    QString nextReview; // xcnsrq, Text1(11)
    QString reviewed;   // nsrq, Text1(12)
};

// CheckFailure::focusBox is the index of the window's Text1 box.
std::optional<CheckFailure> firstFailingCheck(const PermitEntry &entry);
std::optional<CheckFailure> firstFailingCheck(const ReviewEntry &entry);

// The review a year after the issue date: the same day of the next year,
// and 28 February for a permit issued on 29 February when the next year
// has none. Empty for an issue date that is no date.
QString firstReviewDate(const QString &issued);

} // namespace kelm
