// Backup and restore of kelm.mdb. A backup is the database of one moment,
// written through the engine's online backup into a file of its own. A
// restore copies the chosen file beside the database (a Jet backup is
// converted into it instead), checks the copy and only then renames it into
// the database's place. Neither ever leaves a file half-written: a failed
// or cancelled step removes what it began, and the live file is replaced
// whole or not at all (wholefile.h).
#pragma once

#include "platform/progress.h"

#include <QString>

namespace kelm {

enum class BackupOutcome { Done, Cancelled, Failed };

struct BackupResult {
    BackupOutcome outcome = BackupOutcome::Failed;
    QString error; // what failed, for the user
};

// Writes the database at path `database` into target, through an unfinished
// file beside target that is renamed into place: target ends whole or as it
// was. Refuses the database file itself and the names of its journal and
// log as target. Removes what earlier backups to target left unfinished.
// Cancelling is safe throughout. Opens a connection of its own, so it may
// run on any thread.
BackupResult backupDatabase(const QString &database, const QString &target, Progress &progress = noProgress());

enum class RestoreOutcome {
    Restored,
    Cancelled,
    NotABackup, // a database without the backup marker, or of another schema
    Unknown,    // not a database the engine can read
    Refused,    // something known stands in the way, told in detail
};

struct RestoreResult {
    RestoreOutcome outcome = RestoreOutcome::Unknown;
    QString detail; // Refused: why, for the user
    // Restored from a Jet file: what its conversion brought over, for the
    // user (jet::ConversionSummary::text()).
    QString converted = {};
};

// What stands in the way of replacing the database file `live`.
struct LiveFileCheck {
    // A process that holds it open, or the journal or log of a save that did
    // not finish beside it; empty when neither does. A journal whose header
    // was never written is no reason: it holds nothing.
    QString refusal;
    // Why processes that might be writing it could not be looked at; empty
    // when every one could.
    QString unseen;
};

LiveFileCheck checkLiveFile(const QString &live);

// Whether processes that could not be looked at stop a restore; the user
// may have been asked and have accepted them.
enum class UnseenProcesses { Refuse, Accept };

// Replaces the database file `live` by a checked copy of source: copies
// source beside live, with the log the engine left beside it and with its
// journal where that is source's own (judged as the database's journal is;
// one that does not tell refuses the restore); checks the copy (a database
// that the engine reads, whose wslo row holds the backup marker, with this
// program's tables, that passes the integrity check), and when
// checkLiveFile() finds nothing in the way renames the copy into its place,
// removing a journal of live that was never written. The engine's locks on
// live are held from that look to the rename, so that no save begins in
// between. A Jet source (a backup of the earlier format) is converted into
// the copy instead of copied, its marker checked in the Jet file. Until
// then source and live are only read; cancelling is safe up to the rename.
// Runs on any thread; the program closes its own connection first.
RestoreResult restoreDatabase(const QString &source, const QString &live, Progress &progress = noProgress(),
                              UnseenProcesses unseen = UnseenProcesses::Refuse);

// The program's restore without a window: closes the program's connection,
// restores its database file from source and connects again.
RestoreResult restoreProgramDatabase(const QString &source, Progress &progress = noProgress());

} // namespace kelm
