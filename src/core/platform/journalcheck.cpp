#include "platform/journalcheck.h"

#include "platform/dberror.h"
#include "platform/enginelock.h"
#include "platform/systemerror.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtEndian>
#include <SQLiteCpp/SQLiteCpp.h>
#include <sqlite3.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

const QByteArray databaseMagic = QByteArrayLiteral("SQLite format 3\0");
const QByteArray journalMagic = QByteArrayLiteral("\xd9\xd5\x05\xf9\x20\xa1\x63\xd7");

// The journal's header: magic, records of its part, checksum nonce, the
// file's pages before the save, sector size (the header's length), page
// size. A journal synced more than once holds one part after another, each
// beginning with a header of its own at a sector's start.
constexpr int journalHeaderLength = 28;
// The database header's values looked at, by offset.
constexpr int pageSizeAt = 16;
constexpr int changeCounterAt = 24;
constexpr int pageCountAt = 28;
constexpr int schemaCookieAt = 40;
constexpr int applicationIdAt = 68;
constexpr int versionValidForAt = 92;
constexpr int databaseHeaderLength = 100;
// The page that holds the engine's lock bytes is never journalled.
constexpr qint64 lockBytesStart = 0x40000000;

quint32 be32(const QByteArray &bytes, qsizetype at) { return qFromBigEndian<quint32>(bytes.constData() + at); }

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

// Opens the journal for reading without following a link and without
// waiting on a pipe; -1 with errno set, EINVAL for anything but a regular
// file.
int openJournal(const QString &journal)
{
    const int fd = ::open(QFile::encodeName(journal).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    struct stat info {};
    if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

// Whether the engine, rolling the journal back, would play every record
// its headers count: it stops at the first record whose page number is
// impossible or whose checksum is wrong, or that is cut short, and leaves
// the pages after it as the save wrote them. A record of a page past the
// file's old end, which a save never journals, it skips: what stood there
// is not played either.
bool everyRecordPlays(int journal, qint64 journalSize)
{
    QByteArray head(journalHeaderLength, '\0');
    if (!readAt(journal, head, 0) || head.size() < journalHeaderLength)
        return false;
    const quint32 sectorSize = be32(head, 20);
    const quint32 pageSize = be32(head, 24);
    const quint32 pagesBefore = be32(head, 16);
    const qint64 recordSize = 4 + qint64(pageSize) + 4;
    const quint32 lockPage = quint32(lockBytesStart / pageSize) + 1;
    QByteArray record(recordSize, '\0');
    qint64 at = 0;
    for (bool first = true;; first = false) {
        at = (at + sectorSize - 1) / sectorSize * sectorSize;
        if (at + sectorSize > journalSize)
            return true;
        if (!readAt(journal, head, at) || head.size() < journalHeaderLength)
            return false;
        if (!head.startsWith(journalMagic))
            return true;
        quint32 records = be32(head, 8);
        const quint32 nonce = be32(head, 12);
        at += sectorSize;
        if (records == 0xffffffff && first)
            records = quint32((journalSize - at) / recordSize);
        for (quint32 i = 0; i < records; ++i, at += recordSize) {
            if (!readAt(journal, record, at) || record.size() != recordSize)
                return false;
            const quint32 page = be32(record, 0);
            if (page == 0 || page == lockPage || page > pagesBefore
                || recordChecksum(record.mid(4, pageSize), nonce) != be32(record, 4 + qsizetype(pageSize)))
                return false;
        }
    }
}

// Copies what fd reads, from its start, into a new file at path.
bool copyInto(int fd, const QString &path)
{
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    QByteArray buffer(1 << 20, '\0');
    for (qint64 at = 0;; at += buffer.size()) {
        buffer.resize(1 << 20);
        if (!readAt(fd, buffer, at))
            return false;
        if (buffer.isEmpty())
            return true;
        if (out.write(buffer) != buffer.size())
            return false;
    }
}

// Whether the database file at path passes the engine's quick check; the
// engine first rolls back a journal that stands beside it.
bool passesQuickCheck(const QString &path)
{
    try {
        SQLite::Database file(path.toStdString(), SQLite::OPEN_READWRITE);
        return file.execAndGet("PRAGMA quick_check").getString() == "ok";
    } catch (const SQLite::Exception &) {
        return false;
    }
}

// Decides on copies whose the journal is: see judgeJournal().
JournalVerdict decideOnCopies(int fd, int journal)
{
    const QTemporaryDir folder;
    const QString copy = folder.filePath(u"kelm.mdb"_s);
    const auto cannot = [](int error) {
        return JournalVerdict{JournalOwner::Unknown, u"无法在临时文件夹中复制它来检查：%1"_s.arg(systemErrorText(error))};
    };
    if (!folder.isValid())
        return cannot(errno);
    if (!copyInto(fd, copy))
        return cannot(errno);
    const bool asItStands = passesQuickCheck(copy);
    if (!copyInto(journal, copy + u"-journal"_s))
        return cannot(errno);
    const bool rolledBack = passesQuickCheck(copy);
    if (rolledBack && !asItStands)
        return {JournalOwner::ThisFile, {}};
    if (asItStands && !rolledBack)
        return {JournalOwner::OtherFile, {}};
    return {JournalOwner::Unknown, asItStands ? u"数据库文件现在的内容和用它撤销保存后的内容都是完整的"_s
                                              : u"无论是否用它撤销保存，数据库文件都不完整"_s};
}

} // namespace

// Every save writes the first page first (a header value set to itself),
// so the journal's first record holds the first page as it was before the
// save, and then writes the seed of the journal's header into the page.
// Until the save's commit writes that page, the file's first page is the
// same as the record; the commit writes it with the change counter one up,
// the seed, and the page count and free list as the save left them,
// nothing else of it changed, since saves change no schema. The seed is
// random for each save: another file, even a copy of this one a save
// further on, does not carry it. A save never makes the file smaller than
// it was.
JournalVerdict judgeJournal(int fd, const QString &journalFile)
{
    const auto unreadable = [](const QString &what, int error) {
        return JournalVerdict{JournalOwner::Unknown, u"%1无法读取：%2"_s.arg(what, systemErrorText(error))};
    };
    const QString it = u"它"_s;
    const int journal = openJournal(journalFile);
    if (journal < 0)
        return errno == EINVAL || errno == ELOOP ? JournalVerdict{JournalOwner::Unknown, u"它不是普通文件"_s}
                                                 : unreadable(it, errno);
    const auto close = qScopeGuard([journal] { ::close(journal); });
    struct stat journalInfo {};
    QByteArray head(journalHeaderLength, '\0');
    if (::fstat(journal, &journalInfo) != 0 || !readAt(journal, head, 0))
        return unreadable(it, errno);
    const QString damaged = u"它的开头已损坏"_s;
    if (head.size() < journalHeaderLength || !head.startsWith(journalMagic))
        return {JournalOwner::Unknown, damaged};
    const quint32 records = be32(head, 8);
    const quint32 nonce = be32(head, 12);
    const quint32 pagesBefore = be32(head, 16);
    const quint32 sectorSize = be32(head, 20);
    const quint32 pageSize = be32(head, 24);
    if (!powerOfTwo(sectorSize, 32, 65536) || !powerOfTwo(pageSize, 512, 65536))
        return {JournalOwner::Unknown, damaged};
    QByteArray record(4 + qsizetype(pageSize) + 4, '\0');
    if (!readAt(journal, record, sectorSize))
        return unreadable(it, errno);
    // Other programs' saves journal the first page only at their commit:
    // what the journal holds then tells nothing of its file.
    if (records == 0 || record.size() != 4 + qsizetype(pageSize) + 4 || be32(record, 0) != 1)
        return decideOnCopies(fd, journal);
    const QByteArray before = record.mid(4, pageSize);
    if (recordChecksum(before, nonce) != be32(record, 4 + int(pageSize)) || !before.startsWith(databaseMagic)
        || pageSizeOf(before) != pageSize)
        return {JournalOwner::Unknown, damaged};

    struct stat file {};
    QByteArray now(pageSize, '\0');
    if (::fstat(fd, &file) != 0 || !readAt(fd, now, 0))
        return unreadable(u"数据库文件"_s, errno);
    if (now.size() != qsizetype(pageSize) || file.st_size < qint64(pagesBefore) * pageSize)
        return {JournalOwner::OtherFile, {}};
    const auto same = [&](int from, int to) { return now.mid(from, to - from) == before.mid(from, to - from); };
    const quint32 counter = be32(now, changeCounterAt);
    const bool writtenBySave = counter == be32(before, changeCounterAt) + 1 && be32(now, versionValidForAt) == counter
        && be32(now, applicationIdAt) == nonce && be32(now, pageCountAt) >= pagesBefore && same(0, changeCounterAt)
        && same(schemaCookieAt, applicationIdAt) && same(applicationIdAt + 4, versionValidForAt)
        && same(databaseHeaderLength, int(pageSize));
    if (now != before && !writtenBySave)
        return {JournalOwner::OtherFile, {}};
    // The file's own, but a rollback that stopped early would leave it half
    // undone: what the rollback gives is then checked first.
    return everyRecordPlays(journal, journalInfo.st_size) ? JournalVerdict{JournalOwner::ThisFile, {}}
                                                          : decideOnCopies(fd, journal);
}

namespace {

void syncFile(const QString &path, int flags)
{
    const int fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

QString shown(const QString &path) { return QDir::toNativeSeparators(path); }

// A free name beside the journal that says what the file under it is.
QString nameBeside(const QString &journal, const QString &what)
{
    const QString stamp = QDateTime::currentDateTime().toString(u"yyyyMMdd-HHmmss"_s);
    QString name = u"%1.%2.%3"_s.arg(journal, what, stamp);
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = u"%1.%2.%3-%4"_s.arg(journal, what, stamp).arg(n);
    return name;
}

// Moves the journal aside under a free name that says it belongs to no
// file here, synced with its folder; returns that name.
QString setAside(const QString &journal)
{
    const QString target = nameBeside(journal, u"孤立"_s);
    if (::rename(QFile::encodeName(journal).constData(), QFile::encodeName(target).constData()) != 0)
        throw DbError(u"日志文件 %1 不属于数据库文件，但无法把它移开：%2"_s.arg(shown(journal), systemErrorText(errno)),
                      DbFailure::NoAccess);
    syncFile(target, O_RDONLY);
    syncFile(QFileInfo(target).absolutePath(), O_RDONLY | O_DIRECTORY);
    return target;
}

// The copies of journals rolled back that keepCopy() left beside the
// journal, oldest first (their names end in the time they were made).
QStringList keptCopies(const QString &journal)
{
    const QFileInfo info(journal);
    QStringList copies;
    for (const QString &name : info.dir().entryList({info.fileName() + u".副本.*"_s}, QDir::Files, QDir::Name))
        copies << info.dir().filePath(name);
    return copies;
}

// A copy still beside the file when no journal is: the check after its
// rollback was not made (the program was stopped first) or found the file
// damaged. It is made now, and again until the file is whole.
SettledJournal checkPending(const QString &journal)
{
    const QStringList copies = keptCopies(journal);
    if (copies.isEmpty())
        return {};
    return {{}, true, copies.last(), true};
}

// A copy of the journal beside it, kept while the engine rolls the journal
// back and deletes it: a second name of the same file where the file
// system allows, else a copy of its bytes.
QString keepCopy(const QString &journal)
{
    const QString copy = nameBeside(journal, u"副本"_s);
    const QByteArray from = QFile::encodeName(journal), to = QFile::encodeName(copy);
    if (::link(from.constData(), to.constData()) == 0)
        return copy;
    const int source = openJournal(journal);
    const bool copied = source >= 0 && copyInto(source, copy);
    const int error = errno;
    if (source >= 0)
        ::close(source);
    if (!copied) {
        QFile::remove(copy);
        throw DbError(u"数据库文件有一次保存没有完成，撤销它以前要先在 %1 保存日志文件的副本，但无法保存：%2"_s.arg(
                          shown(QFileInfo(journal).absolutePath()), systemErrorText(error)),
                      DbFailure::DiskError);
    }
    syncFile(copy, O_RDONLY);
    return copy;
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

// The refusal where whose the journal is cannot be told. The journal may
// hold what undoes a save of the file, and only beside it can it be used:
// the two stay together.
DbError undecided(const QString &database, const QString &journal, const QString &reason)
{
    return DbError(u"无法判断数据库文件 %1 旁的日志文件 %2 是否属于它（%3）。为免损坏数据，数据库没有打开，"
                   "两个文件都没有改动。\n请不要移动、改名或删除其中任何一个：日志文件里可能有撤销一次未完成的保存"
                   "所需的内容，离开数据库文件就不能再用。请把这两个文件一起复制给能检查数据库的人处理。"_s.arg(shown(database), shown(journal), reason),
                   DbFailure::CannotOpen);
}

} // namespace

QString journalPath(const QString &database) { return database + u"-journal"_s; }

JournalState journalState(const QString &database)
{
    struct stat info {};
    if (::lstat(QFile::encodeName(journalPath(database)).constData(), &info) != 0)
        return errno == ENOENT ? JournalState::None : JournalState::Hot;
    // One that cannot be read is taken as the engine may take it.
    const int journal = openJournal(journalPath(database));
    if (journal < 0)
        return JournalState::Hot;
    char first = 0;
    const bool written = ::pread(journal, &first, 1, 0) == 1 && first != 0;
    ::close(journal);
    return written ? JournalState::Hot : JournalState::Unwritten;
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

SettledJournal settleJournal(const QString &database)
{
    const QString journal = journalPath(database);
    struct stat info {};
    if (::lstat(QFile::encodeName(journal).constData(), &info) != 0)
        return errno == ENOENT ? checkPending(journal) : SettledJournal{};
    if (!S_ISREG(info.st_mode))
        throw DbError(u"数据库文件 %1 旁的 %2 不是普通文件（而是文件夹、链接、管道或设备），不能当作日志文件读取。"
                      "为免损坏数据，数据库没有打开，文件都没有改动。\n请弄清它是什么，把它移开后再启动程序。"_s.arg(
                          shown(database), shown(journal)),
                      DbFailure::CannotOpen);
    // Every read of the file goes through the lock's descriptor.
    const EngineLock lock(database);
    switch (lock.state()) {
    case EngineLock::State::Held: break;
    case EngineLock::State::Busy: return {}; // a save under way owns it
    case EngineLock::State::Unknown:
        throw DbError(u"无法确认是否有其他程序正在写入数据库文件 %1（%2），所以不能判断它旁边的日志文件 %3 "
                      "是谁的。为免损坏数据，数据库没有打开，文件都没有改动。"_s.arg(
                          shown(database), systemErrorText(lock.error()), shown(journal)),
                      DbFailure::CannotOpen);
    }
    const QString folder = QFileInfo(database).absolutePath();
    const bool folderWritable = ::access(QFile::encodeName(folder).constData(), W_OK) == 0;
    switch (journalState(database)) {
    case JournalState::None:
        return checkPending(journal);
    case JournalState::Unwritten:
        if (folderWritable && ::unlink(QFile::encodeName(journal).constData()) == 0)
            syncFile(folder, O_RDONLY | O_DIRECTORY);
        return checkPending(journal);
    case JournalState::Hot:
        break;
    }
    const JournalVerdict verdict = judgeJournal(lock.descriptor(), journal);
    switch (verdict.owner) {
    case JournalOwner::Unknown:
        throw undecided(database, journal, verdict.reason);
    case JournalOwner::ThisFile:
        if (const QString refused = notWritable(database, folderWritable, lock.writable()); !refused.isEmpty())
            throw DbError(u"数据库文件 %1 有一次保存没有完成（程序在保存时中断）。要先撤销这次保存才能打开数据库，"
                          "但%2不能写入：请让它可以写入后再启动程序。"_s.arg(shown(database), refused),
                          DbFailure::ReadOnly);
        // The engine undoes the save as it opens the file: its rollback
        // survives a kill at any moment (the journal goes only once the
        // file is synced, and a journal left is rolled back again), and it
        // writes the same pages that any copy rolled back would hold.
        return {{}, true, keepCopy(journal), true};
    case JournalOwner::OtherFile:
        break;
    }
    if (!folderWritable)
        throw DbError(u"数据库文件 %1 旁的日志文件属于另一个数据库文件未完成的保存，要把它移开才能打开数据库，"
                      "但%2不能写入：请让它可以写入后再启动程序。"_s.arg(shown(database),
                                                                      notWritable(database, false, true)),
                      DbFailure::ReadOnly);
    const QString moved = setAside(journal);
    return {u"数据库文件 %1 旁的日志文件不属于现在的这个文件：它是另一个文件的一次未完成的保存留下的，"
            "现在的文件是后来放到这里的（另一个数据库，或同一个数据库较早的副本）。这个日志文件没有用于现在的文件，"
            "数据库按现有的内容打开。\n这个日志文件已改名保存为：\n%2"_s.arg(shown(database), shown(moved)),
            true, moved, false};
}

void checkSettledFile(sqlite3 *connection, const QString &database, const SettledJournal &settled)
{
    if (!settled.check)
        return;
    sqlite3_stmt *check = nullptr;
    const auto finalize = qScopeGuard([&check] { sqlite3_finalize(check); });
    int rc = sqlite3_prepare_v2(connection, "PRAGMA quick_check", -1, &check, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_step(check);
    const bool whole = rc == SQLITE_ROW
        && QByteArray(reinterpret_cast<const char *>(sqlite3_column_text(check, 0))) == QByteArrayLiteral("ok");
    const int primary = rc & 0xff;
    if (!whole && rc != SQLITE_ROW && primary != SQLITE_CORRUPT && primary != SQLITE_NOTADB)
        throw engineError(sqlite3_extended_errcode(connection), database, sqlite3_system_errno(connection));
    if (whole) {
        // Every copy kept of a journal rolled into the file: it is whole.
        if (settled.keptIsCopy) {
            for (const QString &copy : keptCopies(journalPath(database)))
                QFile::remove(copy);
        }
        return;
    }
    // A journal set aside is named by the notice that goes with the error.
    const QString damaged = settled.keptIsCopy
        ? u"撤销一次未完成的保存以后，数据库文件 %1 经检查已损坏。撤销所用的日志文件已另存为：\n%2\n"_s.arg(
              shown(database), shown(settled.journalKept))
        : u"数据库文件 %1 经检查已损坏。\n"_s.arg(shown(database));
    throw DbError(damaged + u"请把数据库文件和这个日志文件一起复制给能检查数据库的人处理，或用最近的备份恢复数据。"_s,
                  DbFailure::Damaged);
}

} // namespace kelm
