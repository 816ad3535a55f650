#include "platform/fileusers.h"

#include "platform/enginelock.h"

#include <QByteArrayList>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

QByteArray procPath(qint64 pid, const char *what) { return "/proc/" + QByteArray::number(pid) + '/' + what; }

QByteArray readProcFile(const QByteArray &path)
{
    QFile f(QFile::decodeName(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

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

// What the process's status tells of it: its name and the user and groups
// it reaches files as.
struct ProcessStatus {
    QString name;
    std::optional<uid_t> uid;
    std::vector<gid_t> groups;
};

ProcessStatus statusOf(qint64 pid)
{
    ProcessStatus status;
    for (const QByteArray &line : readProcFile(procPath(pid, "status")).split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon < 0)
            continue;
        const QByteArray key = line.left(colon);
        const QByteArray value = line.mid(colon + 1).trimmed();
        const QByteArrayList ids = value.simplified().split(' ');
        // Real, effective, saved and file-system ids: files are reached as
        // the last.
        if (key == "Name")
            status.name = QString::fromUtf8(value);
        else if (key == "Uid" && ids.size() == 4)
            status.uid = uid_t(ids[3].toULong());
        else if ((key == "Gid" && ids.size() == 4) || key == "Groups")
            for (const QByteArray &id : key == "Gid" ? QByteArrayList{ids[3]} : ids)
                if (!id.isEmpty())
                    status.groups.push_back(gid_t(id.toULong()));
    }
    return status;
}

// Whether a process of another user than this one could write the file,
// by its permissions. The administrator's processes are left out (see the
// header).
bool anotherUserCouldWrite(const ProcessStatus &process, const struct stat &file)
{
    if (!process.uid || *process.uid == 0 || *process.uid == ::geteuid())
        return false;
    if (*process.uid == file.st_uid)
        return file.st_mode & S_IWUSR;
    if (std::find(process.groups.begin(), process.groups.end(), file.st_gid) != process.groups.end())
        return file.st_mode & S_IWGRP;
    return file.st_mode & S_IWOTH;
}

enum class Descriptors { Hold, DoNotHold, Hidden };

// Whether the process holds a descriptor of the file. This process's own
// looks at the file's locks do not count.
Descriptors descriptorsOf(qint64 pid, bool self, const struct stat &file)
{
    const QByteArray folder = procPath(pid, "fd");
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return errno == EACCES ? Descriptors::Hidden : Descriptors::DoNotHold;
    Descriptors found = Descriptors::DoNotHold;
    while (const dirent *entry = ::readdir(dir)) {
        struct stat held {};
        if (entry->d_name[0] != '.' && ::stat((folder + '/' + entry->d_name).constData(), &held) == 0
            && held.st_dev == file.st_dev && held.st_ino == file.st_ino
            && !(self && isEngineLockDescriptor(QByteArray(entry->d_name).toInt()))) {
            found = Descriptors::Hold;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

} // namespace

FileUse fileUse(const QString &path)
{
    FileUse use;
    struct stat file {};
    if (::stat(QFile::encodeName(path).constData(), &file) != 0)
        return use;
    DIR *proc = ::opendir("/proc");
    if (!proc) {
        use.unseen = UnseenUsers::NoProcessList;
        return use;
    }
    const qint64 self = listedSelf();
    bool listed = false;
    while (const dirent *entry = ::readdir(proc)) {
        bool number = false;
        const qint64 pid = QByteArray(entry->d_name).toLongLong(&number);
        if (!number)
            continue;
        listed = true;
        switch (descriptorsOf(pid, pid == self, file)) {
        case Descriptors::Hold:
            if (!use.holder || use.holder->thisProcess)
                use.holder = FileHolder{pid, statusOf(pid).name, pid == self};
            break;
        case Descriptors::Hidden:
            if (anotherUserCouldWrite(statusOf(pid), file))
                use.unseen = UnseenUsers::OtherUsers;
            break;
        case Descriptors::DoNotHold: break;
        }
        if (use.holder && !use.holder->thisProcess)
            break;
    }
    ::closedir(proc);
    if (!listed)
        use.unseen = UnseenUsers::NoProcessList;
    return use;
}

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
