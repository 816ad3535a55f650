#include "platform/enginelock.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <set>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace kelm {

namespace {

// The pending byte, the reserved byte a writer holds and the range of
// which each reader holds a byte, in one run.
constexpr off_t lockBytesStart = 0x40000000;
constexpr off_t lockBytesLength = 2 + 510;

int lockBytes(int fd, int command, short type)
{
    struct flock lock {};
    lock.l_whence = SEEK_SET;
    lock.l_start = lockBytesStart;
    lock.l_len = lockBytesLength;
    lock.l_type = type;
    // An open-file-description lock names no process.
    lock.l_pid = 0;
    if (::fcntl(fd, command, &lock) != 0)
        return -1;
    return command == F_OFD_GETLK ? lock.l_type : 0;
}

// Descriptors of files this process has locked, kept open because a close
// would drop the record locks that the engine's connections of this
// process hold on the file: one that was refused the lock, or that held
// only a read lock, which does not keep those connections away.
struct Kept {
    dev_t device;
    ino_t inode;
    bool writable;
    auto operator<=>(const Kept &) const = default;
};
std::mutex keptLock;
std::multimap<Kept, int> &kept()
{
    static std::multimap<Kept, int> descriptors;
    return descriptors;
}
// Every descriptor of a lock, held or kept.
std::set<int> &ofLocks()
{
    static std::set<int> descriptors;
    return descriptors;
}

} // namespace

EngineLock::EngineLock(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    m_writable = ::access(name.constData(), W_OK) == 0;
    struct stat file {};
    if (::stat(name.constData(), &file) != 0) {
        m_error = errno;
        return;
    }
    {
        const std::lock_guard guard(keptLock);
        const auto found = kept().find({file.st_dev, file.st_ino, m_writable});
        if (found != kept().end()) {
            m_fd = found->second;
            kept().erase(found);
        }
    }
    if (m_fd < 0) {
        m_fd = ::open(name.constData(), (m_writable ? O_RDWR : O_RDONLY) | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        const std::lock_guard guard(keptLock);
        if (m_fd >= 0)
            ofLocks().insert(m_fd);
    }
    if (m_fd < 0 || ::fstat(m_fd, &file) != 0) {
        m_error = errno;
        return;
    }
    m_file = {file.st_dev, file.st_ino};
    if (lockBytes(m_fd, F_OFD_SETLK, m_writable ? F_WRLCK : F_RDLCK) != 0) {
        m_error = errno;
        m_state = m_error == EAGAIN || m_error == EACCES ? State::Busy : State::Unknown;
        return;
    }
    if (m_writable) {
        m_state = State::Held;
        return;
    }
    const int readers = lockBytes(m_fd, F_OFD_GETLK, F_WRLCK);
    if (readers == F_UNLCK) {
        m_state = State::Held;
        return;
    }
    m_error = readers < 0 ? errno : EAGAIN;
    m_state = readers < 0 ? State::Unknown : State::Busy;
    lockBytes(m_fd, F_OFD_SETLK, F_UNLCK);
}

EngineLock::~EngineLock()
{
    if (m_fd < 0)
        return;
    if (m_state == State::Held && m_writable) {
        // Closed with the write lock still held: no record lock of this
        // process stands on the bytes, none can be taken meanwhile, and the
        // close releases the lock last.
        const std::lock_guard guard(keptLock);
        ofLocks().erase(m_fd);
        ::close(m_fd);
        return;
    }
    if (m_state == State::Held)
        lockBytes(m_fd, F_OFD_SETLK, F_UNLCK);
    const std::lock_guard guard(keptLock);
    kept().insert({{m_file.first, m_file.second, m_writable}, m_fd});
}

bool isEngineLockDescriptor(int fd)
{
    const std::lock_guard guard(keptLock);
    return ofLocks().contains(fd);
}

} // namespace kelm
