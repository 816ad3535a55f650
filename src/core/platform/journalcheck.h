// The rollback journal the engine keeps beside a database file while a save
// is being written, and what a crash leaves of it. The engine rolls a hot
// journal into whatever file stands beside it, and users copy files over
// kelm.mdb by hand: so before the engine opens the file, a journal is
// compared with it and applied only to the file it was written for.
#pragma once

#include <QString>

#include <optional>

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

// The random seed of the checksums in the header of the journal beside the
// database file, which the engine writes as the save journals its first
// page; nothing when there is no such header. A save writes it into the
// file's first page (its application id), so that a first page the save's
// commit wrote is told from another file's after a crash.
std::optional<quint32> journalSeed(const QString &database);

// Settles the journal beside the database file before the engine opens it.
// Only when no save can own it: this process has the file open nowhere
// (closing a descriptor would drop the locks of its connections) and no
// other process holds any of the engine's locks on it, whose lock bytes are
// held meanwhile. Then a journal whose header was never written is
// removed; a hot one is compared with the file by what it records of the
// file it was written for (page size, size before the save, its copy of the
// first page, and the seed its save wrote into the page): one that belongs is left for the engine to roll the save
// back, one written for another file is moved aside, synced, under a name
// that says so. Returns the notice for the user when a journal was moved
// aside, otherwise empty text. Throws DbError, having changed nothing, when
// it cannot tell whose journal it is, or when the save must be undone or
// the journal moved but the file or its folder may not be written. The
// caller keeps other connections of this process from opening the file
// meanwhile.
QString settleJournal(const QString &database);

} // namespace kelm
