// Which processes use a file, as the system's process list tells it: those
// that hold it open, and those that hold locks on it. A database file must
// not be replaced under a program that has it open (that program would
// write on into the old file and its user's work would be lost), and a save
// that meets a lock waits long only for this program's own connections.
#pragma once

#include <QString>

#include <optional>
#include <sys/types.h>

namespace kelm {

struct FileHolder {
    qint64 pid = 0;
    QString program; // the name the system knows the process by
    bool thisProcess = false;
};

// Why some process that could write the file could not be looked at.
enum class UnseenUsers {
    None,
    NoProcessList, // the system shows no list of its processes
    OtherUsers,    // processes of other users whose open files this user may not see
};

struct FileUse {
    // A process that holds the file open, another one before this one.
    std::optional<FileHolder> holder;
    UnseenUsers unseen = UnseenUsers::None;
};

// Who holds the file at path open. Not every process can be looked at.
// This process's own looks at the file's locks (EngineLock) do not count.
// Those of the system's administrator are not counted as unseen: its
// services run on every desktop and none works in a user's database. Nor
// are this user's own that hide their files (agents that keep keys). Other
// users' processes count only where the file's permissions let them write
// it.
FileUse fileUse(const QString &path);

enum class LockOwners {
    ThisProcess,    // nobody else holds a lock on the file
    AnotherProcess, // another process holds one
    Unknown,        // the system's list of locks cannot be read
};

// Whose locks stand on the file (device and inode, as stat() gives them).
LockOwners lockOwners(dev_t device, ino_t inode);

} // namespace kelm
