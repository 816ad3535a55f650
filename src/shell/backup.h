// Backup and restore of kelm.mdb: whole-file copies. A backup never writes
// onto the live file and the live file is never left half-replaced.
#pragma once

#include <QString>

namespace kelm {

class Database;

// Copies the database file of db to target, byte for byte, while a read
// transaction keeps every writer out, so the copy is a complete database.
// The copy goes through a temporary file beside target that is renamed into
// place: target ends whole or untouched. Refuses the database file itself
// as target. False on any failure.
bool backupDatabase(Database &db, const QString &target);

enum class RestoreOutcome {
    Restored,
    NotABackup, // not a database of this schema, damaged, or without the marker
    Failed,     // anything else; the live file is as it was
};

// Checks source read-only (a database of this schema that passes the
// integrity check and holds the backup marker), closes the program's
// connection, copies source over the program's database file through a
// temporary file beside it, and reopens the connection.
RestoreOutcome restoreDatabase(const QString &source);

} // namespace kelm
