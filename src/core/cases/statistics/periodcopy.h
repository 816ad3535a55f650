// The reading and copying side of the statistics: the period's cases
// counted into a computation's rows and xzcf2 brought to hold exactly
// them. Used by computeStatistics inside its transaction.
#pragma once

#include "cases/statistics/tally.h"

namespace kelm {

class Database;

namespace statistics {

// Counts the period's cases and brings xzcf2 to hold exactly them. The
// cases are read once, in the table's own order when the period holds
// more than about a quarter of them (faster than following the date index
// to each, and every acceptance date is read on the way), shared among
// readers by ranges of row numbers; otherwise through the index, the dates
// being read apart. When xzcf2 holds a copy of the same period
// (samePeriod), one more reader reads the copy meanwhile; the blocks of row numbers in which
// copy and period differ are copied again, so a period counted again
// rewrites only what changed. The copy of another period is written anew.
// The copy is written once the readers are done, so that the run's writer
// never waits for them nor they for it; the readers start after the run's
// write transaction, so they read the cases as it sees them, and the
// calling thread tells the progress.
// Throws DbError, or Cancelled.
void copyAndCount(Database &db, PenaltyStatistics &s, bool samePeriod, const Progress &progress);

} // namespace statistics
} // namespace kelm
