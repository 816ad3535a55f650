// Backup and restore of kelm.mdb. A backup is the database of one moment,
// written through the engine's online backup into a file of its own. A
// restore copies the chosen file beside the database, checks the copy and
// only then renames it into the database's place. Neither ever leaves a
// file half-written: a failed or cancelled step removes what it began, and
// the live file is replaced whole or not at all.
#pragma once

#include "platform/progress.h"

#include <QString>

namespace kelm {

enum class BackupOutcome { Done, Cancelled, Failed };

struct BackupResult {
    BackupOutcome outcome = BackupOutcome::Failed;
    QString error; // what failed, for the user
};

// Writes the database at path `database` into target, through a temporary
// file beside target that is renamed into place: target ends whole or as it
// was. Refuses the database file itself as target. Cancelling is safe
// throughout. Opens a connection of its own, so it may run on any thread.
BackupResult backupDatabase(const QString &database, const QString &target, Progress &progress = noProgress());

enum class RestoreOutcome {
    Restored,
    Cancelled,
    NotABackup, // a database without the backup marker, or of another schema
    Unknown,    // not a database the engine can read, or the copy failed
};

struct RestoreResult {
    RestoreOutcome outcome = RestoreOutcome::Unknown;
    QString detail; // Unknown: what failed, where the engine's refusal does not say it
};

// Replaces the database file `live` by a checked copy of source: copies
// source beside live, checks the copy (a database that the engine reads,
// whose wslo row holds the backup marker, with this program's tables, that
// passes the integrity check), and when no connection holds live (its log
// and index files are gone) renames the copy into its place. Until then
// source and live are only read; cancelling is safe up to the rename. Runs
// on any thread; the program closes its own connection first.
RestoreResult restoreDatabase(const QString &source, const QString &live, Progress &progress = noProgress());

// The program's restore without a window: closes the program's connection,
// restores its database file from source and connects again.
RestoreResult restoreProgramDatabase(const QString &source, Progress &progress = noProgress());

} // namespace kelm
