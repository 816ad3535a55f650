// Which processes use a file, as the system tells it: those that hold locks
// on it. A save that meets a lock waits long only for this program's own
// connections.
#pragma once

#include <sys/types.h>

namespace kelm {

enum class LockOwners {
    ThisProcess,    // nobody else holds a lock on the file
    AnotherProcess, // another process holds one
    Unknown,        // the system's list of locks cannot be read
};

// Whose locks stand on the file (device and inode, as stat() gives them).
LockOwners lockOwners(dev_t device, ino_t inode);

} // namespace kelm
