// The program's connection to kelm.mdb in the program folder. One kept
// connection serves every window; the restore closes it and it reopens on
// the next use, so every reader sees what a writer committed.
#pragma once

#include "platform/database.h"

#include <QString>

namespace kelm {

// The schema of kelm.mdb as every connection of the program applies it:
// open each one with it, so that every write fits its text the same way.
const StoredSchema &storedSchema();

// The program folder followed by "/kelm.mdb", built at the moment of asking.
QString databasePath();

// Points the program at another file (tests, tools); empty text returns to
// the program folder's file. Closes the open connection.
void setDatabasePath(const QString &path);

// The open connection, opened on first use. Throws DbError when the file
// cannot be opened.
Database &db();

// Closes the connection (before the file is replaced by a restore).
void closeDatabase();

} // namespace kelm
