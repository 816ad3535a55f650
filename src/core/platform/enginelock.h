// The engine's lock bytes of a database file, held by this program outside
// the engine: while it holds them, no connection of any process, this one
// included, begins a save, rolls back a journal or reads half a commit.
// The lock is an open-file-description lock, which meets the engine's
// record locks of other processes and of this one alike, so holding it
// tells without the system's process list that nobody holds the file: a
// lock of the program's own is never mistaken for none.
#pragma once

#include <QString>

#include <sys/types.h>
#include <utility>

namespace kelm {

class EngineLock {
public:
    enum class State {
        Held,    // this object holds the bytes: nobody else holds any of them
        Busy,    // some connection, of this process or another, holds one
        Unknown, // the file or its locks cannot be had (error() says why)
    };

    // Tries once, without waiting. A file this process may not write is
    // opened for reading: a read lock then keeps writers out, and a look
    // for the locks of readers makes sure that nobody reads either.
    explicit EngineLock(const QString &path);
    // Lets go. The descriptor closes only while it holds the write lock,
    // when no connection of this process can hold a record lock on the file
    // that the close would drop; any other is kept open for the next lock
    // of the same file.
    ~EngineLock();
    EngineLock(const EngineLock &) = delete;
    EngineLock &operator=(const EngineLock &) = delete;

    State state() const { return m_state; }
    // The descriptor every read of the file goes through while it is held.
    int descriptor() const { return m_fd; }
    bool writable() const { return m_writable; }
    // The system's error number where the state is Unknown.
    int error() const { return m_error; }

private:
    int m_fd = -1;
    std::pair<dev_t, ino_t> m_file;
    bool m_writable = false;
    State m_state = State::Unknown;
    int m_error = 0;
};

// Whether fd is a descriptor of an EngineLock, held or kept open: the
// program's own look at the lock bytes, not a use of the file.
bool isEngineLockDescriptor(int fd);

} // namespace kelm
