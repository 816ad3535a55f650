// The rollback journal the engine keeps beside a database file while a save
// is being written, and what a crash leaves of it. The engine rolls a hot
// journal into whatever file stands beside it, and users copy files over
// kelm.mdb by hand: so before the engine opens the file, a journal is
// compared with it and applied only to the file it was written for, and
// the file is checked after any journal was rolled back or set aside.
#pragma once

#include <QString>

#include <optional>

struct sqlite3;

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
// zero until the save's first sync). Anything there that is not a regular
// file, or that cannot be read, is taken as hot; looking never blocks.
JournalState journalState(const QString &database);

// The random seed of the checksums in the header of the journal beside the
// database file, which the engine writes as the save journals its first
// page; nothing when there is no such header. A save writes it into the
// file's first page (its application id), so that a first page the save's
// commit wrote is told from another file's after a crash.
std::optional<quint32> journalSeed(const QString &database);

enum class JournalOwner { ThisFile, OtherFile, Unknown };

struct JournalVerdict {
    JournalOwner owner = JournalOwner::Unknown;
    QString reason; // Unknown: why, as a clause about the journal ("它……")
};

// Whose the hot journal at journal is, against the database file read
// through fd. First by what it records of its file: page size, size before
// the save, its copy of the first page and the seed its save wrote into
// the page. Where that does not tell (no copy of the first page, as other
// programs' saves leave), or where the engine would stop rolling back
// before its last record, it is decided on copies in a private folder: the
// file as it stands and the file with the journal rolled in are checked,
// and the journal is the file's own when only the rolled-back copy is
// whole, another file's when only the file as it stands is. The files
// themselves are only read.
JournalVerdict judgeJournal(int fd, const QString &journal);

// What settling a journal left to do once the engine has the file open.
struct SettledJournal {
    // For the user: where a journal that belonged to another file went.
    QString notice;
    // A journal was rolled back (by the engine, when it opens the file) or
    // set aside: the file is checked before it is used.
    bool check = false;
    // Where the journal stays if the file then turns out damaged: a copy
    // of the one rolled back (removed when the file is whole), or the one
    // set aside.
    QString journalKept;
    bool keptIsCopy = false;
};

// Settles the journal beside the database file before the engine opens it,
// only while it holds the engine's lock bytes (EngineLock): a journal that
// a save under way, of this process or another, may own is left alone. A
// journal whose header was never written is removed; one of this file is
// left for the engine to roll back, a copy of it kept meanwhile; one
// written for another file is moved aside, synced, under a name that says
// so. A copy kept of a journal rolled back before, with no journal beside
// it, asks for the check after the rollback again: the last start ended
// before it, or found the file damaged. Throws DbError, having changed
// nothing, when it cannot tell whose
// journal it is, when what stands there is no regular file, when whether
// another program saves cannot be known, or when the save must be undone or
// the journal moved but the file or its folder may not be written. The
// caller keeps other connections of this process from opening the file
// meanwhile.
SettledJournal settleJournal(const QString &database);

// Checks the file that connection has opened after settleJournal() rolled
// a journal back or set one aside. A whole file lets go of the copies kept; a
// damaged one throws DbError (Damaged) saying so and where the journal is
// kept.
void checkSettledFile(sqlite3 *connection, const QString &database, const SettledJournal &settled);

} // namespace kelm
