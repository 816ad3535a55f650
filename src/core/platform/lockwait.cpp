#include "platform/lockwait.h"

#include "platform/fileusers.h"

#include <QFile>
#include <sqlite3.h>

#include <algorithm>
#include <sys/stat.h>
#include <thread>

namespace kelm {

using namespace std::chrono;

LockWait::LockWait(sqlite3 *connection, const QString &path)
{
    struct stat file {};
    if (::stat(QFile::encodeName(path).constData(), &file) == 0)
        m_file = {file.st_dev, file.st_ino};
    sqlite3_busy_handler(connection, onBusy, this);
}

int LockWait::onBusy(void *self, int count) { return static_cast<LockWait *>(self)->waitMore(count) ? 1 : 0; }

bool LockWait::waitMore(int count)
{
    const auto now = steady_clock::now();
    if (count == 0) {
        m_since = now;
        m_otherSince.reset();
    }
    // Short pauses first, as most locks are a commit of a moment.
    static constexpr int pausesMs[] = {1, 2, 5, 10, 15, 20, 25, 25, 25, 50, 50};
    milliseconds pause(count < int(std::size(pausesMs)) ? pausesMs[count] : 100);
    switch (m_file ? lockOwners(m_file->first, m_file->second) : LockOwners::Unknown) {
    case LockOwners::ThisProcess: break;
    case LockOwners::AnotherProcess: {
        if (!m_otherSince)
            m_otherSince = now;
        const auto left = otherProgramLimit - duration_cast<milliseconds>(now - *m_otherSince);
        if (left <= milliseconds(0))
            return false;
        pause = std::min(pause, left);
        break;
    }
    case LockOwners::Unknown:
        if (now - m_since >= unknownHolderLimit)
            return false;
        break;
    }
    std::this_thread::sleep_for(pause);
    return true;
}

} // namespace kelm
