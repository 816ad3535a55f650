#include "platform/journalcheck.h"

#include "platform/dberror.h"
#include "platform/systemerror.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QtEndian>

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

// The engine's lock bytes on the database file: the pending byte, the
// reserved byte a writer holds and the range of which each reader holds a
// byte, in one run.
constexpr off_t lockBytesStart = 0x40000000;
constexpr off_t lockBytesLength = 2 + 510;

const QByteArray databaseMagic = QByteArrayLiteral("SQLite format 3\0");
const QByteArray journalMagic = QByteArrayLiteral("\xd9\xd5\x05\xf9\x20\xa1\x63\xd7");

// The journal's header: magic, records of its first part, checksum nonce,
// the file's pages before the save, sector size (the header's length),
// page size.
constexpr int journalHeaderLength = 28;
// The database header's values looked at, by offset.
constexpr int pageSizeAt = 16;
constexpr int changeCounterAt = 24;
constexpr int pageCountAt = 28;
constexpr int schemaCookieAt = 40;
constexpr int applicationIdAt = 68;
constexpr int versionValidForAt = 92;
constexpr int databaseHeaderLength = 100;

quint32 be32(const QByteArray &bytes, int at) { return qFromBigEndian<quint32>(bytes.constData() + at); }

bool powerOfTwo(quint32 value, quint32 least, quint32 most)
{
    return value >= least && value <= most && (value & (value - 1)) == 0;
}

// The page size a database header names; 1 stands for 65536.
quint32 pageSizeOf(const QByteArray &header)
{
    const quint32 size = qFromBigEndian<quint16>(header.constData() + pageSizeAt);
    return size == 1 ? 65536 : size;
}

// The engine's checksum of a journal record: the nonce plus every 200th
// byte of the page, counted from its end.
quint32 recordChecksum(const QByteArray &page, quint32 nonce)
{
    quint32 sum = nonce;
    for (qsizetype i = page.size() - 200; i > 0; i -= 200)
        sum += quint8(page[i]);
    return sum;
}

// Reads into's length of bytes at offset, or fewer at the end of the file,
// and keeps what was read; false on a failure of the system.
bool readAt(int fd, QByteArray &into, qint64 offset)
{
    qsizetype done = 0;
    while (done < into.size()) {
        const ssize_t n = ::pread(fd, into.data() + done, std::size_t(into.size() - done), off_t(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        done += n;
    }
    into.truncate(done);
    return true;
}

enum class Owner { ThisFile, OtherFile, Unknown };

struct Judgement {
    Owner owner = Owner::Unknown;
    QString reason; // why it cannot tell
};

// Whose the hot journal is, by what it records of its file against the
// database file read through fd. Every save writes the first page first
// (a header value set to itself), so the journal's first record holds the
// first page as it was before the save, and then writes the seed of the
// journal's header into the page. Until the save's commit writes that
// page, the file's first page is the same as the record; the commit writes
// it with the change counter one up, the seed, and the page count and free
// list as the save left them, nothing else of it changed, since saves
// change no schema. The seed is random for each save: another file, even
// a copy of this one a save further on, does not carry it. A save never
// makes the file smaller than it was.
Judgement judge(int fd, const QString &journalFile)
{
    const auto unreadable = [](const QString &what, int error) {
        return Judgement{Owner::Unknown, u"%1无法读取：%2"_s.arg(what, systemErrorText(error))};
    };
    const QString it = u"它"_s;
    const int journal = ::open(QFile::encodeName(journalFile).constData(), O_RDONLY | O_CLOEXEC);
    if (journal < 0)
        return unreadable(it, errno);
    const auto close = qScopeGuard([journal] { ::close(journal); });
    QByteArray head(journalHeaderLength, '\0');
    if (!readAt(journal, head, 0))
        return unreadable(it, errno);
    const QString damaged = u"它的开头已损坏"_s;
    if (head.size() < journalHeaderLength || !head.startsWith(journalMagic))
        return {Owner::Unknown, damaged};
    const quint32 records = be32(head, 8);
    const quint32 nonce = be32(head, 12);
    const quint32 pagesBefore = be32(head, 16);
    const quint32 sectorSize = be32(head, 20);
    const quint32 pageSize = be32(head, 24);
    if (!powerOfTwo(sectorSize, 32, 65536) || !powerOfTwo(pageSize, 512, 65536))
        return {Owner::Unknown, damaged};
    QByteArray record(4 + qsizetype(pageSize) + 4, '\0');
    if (!readAt(journal, record, sectorSize))
        return unreadable(it, errno);
    if (records == 0 || record.size() != 4 + qsizetype(pageSize) + 4 || be32(record, 0) != 1)
        return {Owner::Unknown, u"它没有记下数据库文件的第一页"_s};
    const QByteArray before = record.mid(4, pageSize);
    if (recordChecksum(before, nonce) != be32(record, 4 + int(pageSize)) || !before.startsWith(databaseMagic)
        || pageSizeOf(before) != pageSize)
        return {Owner::Unknown, damaged};

    struct stat file {};
    QByteArray now(pageSize, '\0');
    if (::fstat(fd, &file) != 0 || !readAt(fd, now, 0))
        return unreadable(u"数据库文件"_s, errno);
    if (now.size() != qsizetype(pageSize) || file.st_size < qint64(pagesBefore) * pageSize)
        return {Owner::OtherFile, {}};
    if (now == before)
        return {Owner::ThisFile, {}};
    const auto same = [&](int from, int to) { return now.mid(from, to - from) == before.mid(from, to - from); };
    const quint32 counter = be32(now, changeCounterAt);
    const bool writtenBySave = counter == be32(before, changeCounterAt) + 1 && be32(now, versionValidForAt) == counter
        && be32(now, applicationIdAt) == nonce && be32(now, pageCountAt) >= pagesBefore && same(0, changeCounterAt)
        && same(schemaCookieAt, applicationIdAt) && same(applicationIdAt + 4, versionValidForAt)
        && same(databaseHeaderLength, int(pageSize));
    return {writtenBySave ? Owner::ThisFile : Owner::OtherFile, {}};
}

// Whether this process has the file open on any descriptor; true when it
// cannot tell.
bool openHere(const struct stat &file)
{
    DIR *fds = ::opendir("/proc/self/fd");
    if (!fds)
        return true;
    const auto close = qScopeGuard([fds] { ::closedir(fds); });
    while (const dirent *entry = ::readdir(fds)) {
        char *end = nullptr;
        const long fd = std::strtol(entry->d_name, &end, 10);
        struct stat held {};
        if (end != entry->d_name && *end == '\0' && fd != ::dirfd(fds) && ::fstat(int(fd), &held) == 0
            && held.st_dev == file.st_dev && held.st_ino == file.st_ino)
            return true;
    }
    return false;
}

// Takes the engine's lock bytes through fd, so that no other process
// begins a save or a rollback meanwhile; false when another process holds
// any of them. A descriptor that may not write takes read locks, which
// still keep writers out, and looks for readers.
bool lockOut(int fd, bool writable)
{
    struct flock lock {};
    lock.l_whence = SEEK_SET;
    lock.l_start = lockBytesStart;
    lock.l_len = lockBytesLength;
    lock.l_type = writable ? F_WRLCK : F_RDLCK;
    if (::fcntl(fd, F_SETLK, &lock) != 0)
        return false;
    if (writable)
        return true;
    lock.l_type = F_WRLCK;
    return ::fcntl(fd, F_GETLK, &lock) == 0 && lock.l_type == F_UNLCK;
}

void syncFile(const QString &path, int flags)
{
    const int fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

QString shown(const QString &path) { return QDir::toNativeSeparators(path); }

// Moves the journal aside under a free name that says it belongs to no
// file here, synced with its folder; returns that name.
QString setAside(const QString &journal)
{
    const QString stamp = QDateTime::currentDateTime().toString(u"yyyyMMdd-HHmmss"_s);
    QString target = u"%1.孤立.%2"_s.arg(journal, stamp);
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = u"%1.孤立.%2-%3"_s.arg(journal, stamp).arg(n);
    if (::rename(QFile::encodeName(journal).constData(), QFile::encodeName(target).constData()) != 0)
        throw DbError(u"日志文件 %1 不属于数据库文件，但无法把它移开：%2"_s.arg(shown(journal), systemErrorText(errno)),
                      DbFailure::NoAccess);
    syncFile(target, O_RDONLY);
    syncFile(QFileInfo(target).absolutePath(), O_RDONLY | O_DIRECTORY);
    return target;
}

// What may not be written of a database file and its folder, for a
// sentence (a folder's name with a blank after it); empty when both may.
QString notWritable(const QString &database, bool folderWritable, bool fileWritable)
{
    const QString folder = shown(QFileInfo(database).absolutePath());
    if (!folderWritable && !fileWritable)
        return u"数据库文件和它所在的文件夹 %1 "_s.arg(folder);
    if (!folderWritable)
        return u"数据库文件所在的文件夹 %1 "_s.arg(folder);
    return fileWritable ? QString() : u"数据库文件"_s;
}

} // namespace

QString journalPath(const QString &database) { return database + u"-journal"_s; }

JournalState journalState(const QString &database)
{
    QFile journal(journalPath(database));
    if (!journal.exists())
        return JournalState::None;
    // One that cannot be read is taken as the engine may take it.
    if (!journal.open(QIODevice::ReadOnly))
        return JournalState::Hot;
    char first = 0;
    return journal.read(&first, 1) == 1 && first != 0 ? JournalState::Hot : JournalState::Unwritten;
}

std::optional<quint32> journalSeed(const QString &database)
{
    QFile journal(journalPath(database));
    if (!journal.open(QIODevice::ReadOnly))
        return {};
    const QByteArray head = journal.read(journalHeaderLength);
    if (head.size() < journalHeaderLength)
        return {};
    return be32(head, 12);
}

QString settleJournal(const QString &database)
{
    if (journalState(database) == JournalState::None)
        return {};
    const QByteArray path = QFile::encodeName(database);
    struct stat file {};
    if (::stat(path.constData(), &file) != 0 || openHere(file))
        return {};
    const QString folder = QFileInfo(database).absolutePath();
    const bool folderWritable = ::access(QFile::encodeName(folder).constData(), W_OK) == 0;
    const bool fileWritable = ::access(path.constData(), W_OK) == 0;
    // Every read of the file and every lock go through this one descriptor:
    // closing another would drop the locks.
    const int fd = ::open(path.constData(), (fileWritable ? O_RDWR : O_RDONLY) | O_CLOEXEC);
    if (fd < 0)
        return {};
    const auto close = qScopeGuard([fd] { ::close(fd); });
    if (!lockOut(fd, fileWritable))
        return {};

    const QString journal = journalPath(database);
    switch (journalState(database)) {
    case JournalState::None:
        return {};
    case JournalState::Unwritten:
        if (folderWritable && ::unlink(QFile::encodeName(journal).constData()) == 0)
            syncFile(folder, O_RDONLY | O_DIRECTORY);
        return {};
    case JournalState::Hot:
        break;
    }
    const Judgement judgement = judge(fd, journal);
    switch (judgement.owner) {
    case Owner::Unknown:
        throw DbError(u"无法判断数据库文件 %1 旁的日志文件是否属于它（%2）。为免损坏数据，数据库没有打开，"
                      "文件都没有改动。\n请把日志文件 %3 移到别的文件夹后再启动程序；"
                      "如果之后发现数据不对，请用最近的备份恢复。"_s.arg(shown(database), judgement.reason, shown(journal)),
                      DbFailure::CannotOpen);
    case Owner::ThisFile:
        if (const QString refused = notWritable(database, folderWritable, fileWritable); !refused.isEmpty())
            throw DbError(u"数据库文件 %1 有一次保存没有完成（程序在保存时中断）。要先撤销这次保存才能打开数据库，"
                          "但%2不能写入：请让它可以写入后再启动程序。"_s.arg(shown(database), refused),
                          DbFailure::ReadOnly);
        return {};
    case Owner::OtherFile:
        break;
    }
    if (!folderWritable)
        throw DbError(u"数据库文件 %1 旁的日志文件属于另一个数据库文件未完成的保存，要把它移开才能打开数据库，"
                      "但%2不能写入：请让它可以写入后再启动程序。"_s.arg(shown(database),
                                                                      notWritable(database, false, true)),
                      DbFailure::ReadOnly);
    const QString moved = setAside(journal);
    return u"数据库文件 %1 旁的日志文件是另一个数据库文件（或它的旧副本）未完成的保存留下的，没有用于现在的文件，"
           "数据库按现有的内容打开。\n这个日志文件已改名保存为：\n%2"_s.arg(shown(database), shown(moved));
}

} // namespace kelm
