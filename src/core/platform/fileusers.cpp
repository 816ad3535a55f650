#include "platform/fileusers.h"

#include <QByteArrayList>
#include <QFile>

#include <sys/sysmacros.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

// This process's number as the process list shows it, which differs from
// getpid() where the list belongs to another namespace of process numbers.
qint64 listedSelf()
{
    char target[32] = {};
    const ssize_t n = ::readlink("/proc/self", target, sizeof target - 1);
    bool number = false;
    const qint64 pid = n > 0 ? QByteArray(target, n).toLongLong(&number) : 0;
    return number ? pid : qint64(::getpid());
}

} // namespace

LockOwners lockOwners(dev_t device, ino_t inode)
{
    QFile locks(u"/proc/locks"_s);
    if (!locks.open(QIODevice::ReadOnly))
        return LockOwners::Unknown;
    const QByteArray self = QByteArray::number(listedSelf());
    const QByteArray file = QByteArray::number(major(device), 16).rightJustified(2, '0') + ':'
        + QByteArray::number(minor(device), 16).rightJustified(2, '0') + ':' + QByteArray::number(quint64(inode));
    // "1: POSIX  ADVISORY  WRITE 1234 08:02:131090 128 128": a waiting
    // request ("1: -> POSIX ...") holds nothing; flock() locks do not meet
    // the engine's record locks. A lock of a process that this one cannot
    // see shows the number 0, an open file's own lock -1: both are others'.
    for (const QByteArray &line : locks.readAll().split('\n')) {
        const QByteArrayList fields = line.simplified().split(' ');
        if (fields.size() >= 6 && (fields[1] == "POSIX" || fields[1] == "OFDLCK") && fields[5] == file
            && fields[4] != self)
            return LockOwners::AnotherProcess;
    }
    return LockOwners::ThisProcess;
}

} // namespace kelm
