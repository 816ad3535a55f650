// How long a connection waits when it meets a lock on its file. Connections
// of this program meet each other (the statistics thread, a backup's read)
// and wait for one another as long as that takes, never failing. A lock of
// another program is waited for at most two seconds: a save is made while
// the user types, and the window must not freeze for longer before the save
// is refused in words.
#pragma once

#include <QString>

#include <chrono>
#include <optional>
#include <sys/types.h>

struct sqlite3;

namespace kelm {

class LockWait {
public:
    static constexpr std::chrono::milliseconds otherProgramLimit{2000};
    // Without the system's list of locks the holder cannot be told: the
    // wait before a refusal is then that of the earlier versions.
    static constexpr std::chrono::milliseconds unknownHolderLimit{10000};

    // Waits on behalf of the connection, which uses the file at path.
    LockWait(sqlite3 *connection, const QString &path);
    LockWait(const LockWait &) = delete;
    LockWait &operator=(const LockWait &) = delete;

private:
    static int onBusy(void *self, int count);
    // Whether to try again after a pause; count is the number of tries
    // before this one for the same lock.
    bool waitMore(int count);

    std::optional<std::pair<dev_t, ino_t>> m_file;
    std::chrono::steady_clock::time_point m_since;
    std::optional<std::chrono::steady_clock::time_point> m_otherSince;
};

} // namespace kelm
