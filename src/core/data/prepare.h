// Writes a complete new kelm.mdb: every table of the schema, its indexes
// and the seed rows. The program itself never creates a table.
#pragma once

#include <QString>

namespace kelm {

class Database;

inline const QString initialPassword = QStringLiteral("kelm");
inline const QString backupMarker = QStringLiteral("vorozi");

// SQL that creates one table of the schema.
QString createTableSql(const QString &table);

// Creates every table of the schema with its indexes and writes the seed
// rows and the schema version into db, a new empty database, inside the
// caller's transaction. Throws DbError.
void prepareTables(Database &db);

// Refuses an existing file; writes to a temporary file and renames it into
// place, so an interrupted run leaves no half-prepared database. Throws
// DbError.
void prepareDatabase(const QString &path);

} // namespace kelm
