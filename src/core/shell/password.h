// The one log-in password of the installation, kept in the single row of
// table wslo.
#pragma once

#include <QString>

namespace kelm {

class Database;

// The stored password as written (case kept). Throws DbError with a message
// for the user when the database cannot be read, wslo has no row or the
// password is missing (NULL): the program cannot let anyone in then.
QString storedPassword(Database &db);

// The log-in test: both texts in lower case, compared character for
// character, nothing trimmed.
bool passwordMatches(const QString &typed, const QString &stored);

// Replaces the password and reads it back; keeps the old one and returns
// false when the database refuses the write or does not hold the new text
// afterwards.
bool changeStoredPassword(Database &db, const QString &newPassword);

} // namespace kelm
