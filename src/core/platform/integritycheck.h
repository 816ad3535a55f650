// The engine's full check of a database file (PRAGMA integrity_check), made
// in parts side by side on connections of their own, for a file large
// enough that the one check in turn keeps the user waiting (a restore's
// copy). The parts are the engine's own checks and together check all the
// full check does:
//   - the whole file without the indexes' contents (PRAGMA quick_check):
//     the tree of every table and index, the freelist, and that each page
//     belongs to exactly one of them; a check of one table cannot tell a
//     page that belongs to nothing or to two tables;
//   - each table in full (PRAGMA integrity_check(TABLE)): its tree and its
//     indexes' trees again, and its indexes' contents against its rows and
//     their unique keys.
#pragma once

#include "platform/progress.h"

#include <QString>

namespace kelm {

enum class Integrity {
    Whole,
    Damaged,   // a part found faults
    Cancelled, // the user stopped the check
    Failed,    // the engine could not do the work (the file too corrupt to
               // read, or the system refused): errorCode and systemError say why
};

struct IntegrityResult {
    Integrity outcome = Integrity::Failed;
    int errorCode = 0;   // the engine's result code of a failure
    int systemError = 0; // the system's error number behind it, if any
};

// The connections used side by side when none are asked for, one a core up
// to four: the whole-file part takes one and is the longest, a few more
// finish every table's part within its time.
int defaultCheckConnections();

// Checks the closed database file at path (no journal beside it to roll
// back: the connections only read). Reports `stage` with one step a part,
// and stops soon after the user cancels. A part that finds damage stops the
// others. With one connection it makes the engine's full check in one part.
IntegrityResult checkIntegrity(const QString &path, Progress &progress, const QString &stage,
                               int connections = defaultCheckConnections());

} // namespace kelm
