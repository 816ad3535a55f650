// The rollback journal the engine keeps beside a database file while a save
// is being written, and what a crash leaves of it.
#pragma once

#include <QString>

namespace kelm {

enum class JournalState {
    None,      // nothing beside the file
    Unwritten, // a journal whose header was never written: the engine ignores it
    Hot,       // a journal the engine would roll into the file when it next opens it
};

// The journal's path beside the database file.
QString journalPath(const QString &database);

// What stands beside the database file as its journal. The engine takes a
// journal whose first byte is not zero as one to roll back (its header is
// zero until the save's first sync).
JournalState journalState(const QString &database);

} // namespace kelm
