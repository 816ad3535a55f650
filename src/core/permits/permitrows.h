// Writes to the permit table wsxkz other than the permit register's bound
// record: the first next-review date of a saved permit and the annual
// review of a permit, each keyed by the permit number.
#pragma once

#include "platform/database.h"

namespace kelm {

// The review columns of one permit, as the annual review window edits them.
struct ReviewValues {
    QString reviewed;   // nsrq
    QString result;     // nsjg
    QString action;     // clqk
    QString remarks;    // nsbz
    QString nextReview; // xcnsrq
};

// Gives the permit its next-review date unless it holds one already.
void setFirstReviewDate(Database &db, const QString &permitNo, const QString &date);

// Writes the review columns of the permit, and nothing else of it. Throws
// DbError, also when no permit has that number.
void saveReview(Database &db, const QString &permitNo, const ReviewValues &review);

} // namespace kelm
