#include "shell/wholefile.h"

#include "platform/systemerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

// A part of the restore's copy: large enough to copy at the disk's speed,
// small enough to report and stop several times a second.
constexpr qint64 chunkSize = 64 << 20;

// An unfinished copy is named after the file it becomes, marked as
// unfinished, so that a user who finds one after a crash knows what it is.
// Earlier versions left the same name without the mark.
const QString unfinishedMark = u"未完成"_s;

QByteArray nativePath(const QString &path) { return QFile::encodeName(path); }

QString shown(const QString &path) { return QDir::toNativeSeparators(path); }

QString shownFolder(const QString &path) { return shown(QFileInfo(path).absolutePath()); }

} // namespace

UnfinishedFile::UnfinishedFile(const QString &path) : m_folder(shownFolder(path))
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString name = u"%1.%2.%3.part"_s.arg(path, unfinishedMark)
                                 .arg(QRandomGenerator::global()->generate(), 8, 16, QChar(u'0'));
        m_fd = ::open(nativePath(name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd >= 0) {
            int locked = 0;
            while ((locked = ::flock(m_fd, LOCK_EX)) != 0 && errno == EINTR) {
            }
            if (locked == 0) {
                m_path = name;
                return;
            }
            // Unlocked, the copy could be taken for a leftover and
            // removed while it is being made.
            m_error = errno;
            ::close(m_fd);
            m_fd = -1;
            ::unlink(nativePath(name).constData());
            return;
        }
        m_error = errno;
        if (m_error != EEXIST)
            return;
    }
}

UnfinishedFile::~UnfinishedFile()
{
    if (!m_kept && !m_path.isEmpty()) {
        removeSideFiles(m_path);
        QFile::remove(m_path);
    }
    if (m_fd >= 0)
        ::close(m_fd);
}

QString UnfinishedFile::error() const { return u"无法在 %1 写入文件：%2"_s.arg(m_folder, systemErrorText(m_error)); }

// The rollback journal while a commit is under way or after a crash, the
// log and its index in the write-ahead mode an earlier version of the
// program used.
const QStringList &sideFileSuffixes()
{
    static const QStringList suffixes = {u"-journal"_s, u"-wal"_s, u"-shm"_s};
    return suffixes;
}

bool sameFile(const QString &a, const QString &b)
{
    struct stat fa {}, fb {};
    return ::stat(nativePath(a).constData(), &fa) == 0 && ::stat(nativePath(b).constData(), &fb) == 0
        && fa.st_dev == fb.st_dev && fa.st_ino == fb.st_ino;
}

void removeSideFiles(const QString &path)
{
    for (const QString &suffix : sideFileSuffixes())
        QFile::remove(path + suffix);
}

void syncFolderOf(const QString &path)
{
    const int dir = ::open(nativePath(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

bool replaceFile(const QString &from, const QString &to, QString &error)
{
    if (::rename(nativePath(from).constData(), nativePath(to).constData()) != 0) {
        error = systemErrorText(errno);
        return false;
    }
    syncFolderOf(to);
    return true;
}

bool placeNewFile(const QString &from, const QString &to, bool &exists, QString &error)
{
    const QByteArray a = nativePath(from), b = nativePath(to);
    int done = ::renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_NOREPLACE);
    // A file system that cannot rename so: a second name, then the first
    // one removed.
    if (done != 0 && (errno == EINVAL || errno == ENOSYS)) {
        done = ::link(a.constData(), b.constData());
        if (done == 0)
            ::unlink(a.constData());
    }
    exists = done != 0 && errno == EEXIST;
    if (done != 0) {
        error = systemErrorText(errno);
        return false;
    }
    syncFolderOf(to);
    return true;
}

bool copyFile(const QString &source, const QString &target, Progress &progress, qint64 &done, QString &error)
{
    // The copy is told by its folder: the disk it goes to is what matters.
    const auto notRead = [&] {
        const int cause = errno;
        error = u"无法读取文件 %1：%2"_s.arg(shown(source), systemErrorText(cause));
        return false;
    };
    const auto notWritten = [&] {
        const int cause = errno;
        error = u"无法在 %1 写入文件：%2"_s.arg(shownFolder(target), systemErrorText(cause));
        return false;
    };
    QFile in(source);
    QFile out(target);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return notRead();
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return notWritten();
    bool inKernel = true;
    QByteArray buffer;
    for (;;) {
        ssize_t n = -1;
        if (inKernel) {
            n = ::copy_file_range(in.handle(), nullptr, out.handle(), nullptr, std::size_t(chunkSize), 0);
            // Not between these two files: through a buffer instead.
            if (n < 0 && (errno == EXDEV || errno == ENOSYS || errno == EOPNOTSUPP || errno == EINVAL)) {
                inKernel = false;
                buffer.resize(chunkSize);
                continue;
            }
            // Either side may have failed; reading the chosen file alone
            // tells which.
            if (n < 0) {
                const int cause = errno;
                char probe = 0;
                if (::pread(in.handle(), &probe, 1, 0) < 0)
                    return notRead();
                errno = cause;
                return notWritten();
            }
        } else {
            n = ::read(in.handle(), buffer.data(), std::size_t(chunkSize));
            if (n < 0)
                return notRead();
            // A write cut short is continued, so that a full disk shows
            // as such in the write after it.
            for (ssize_t written = 0; written < n;) {
                const ssize_t w = ::write(out.handle(), buffer.constData() + written, std::size_t(n - written));
                if (w < 0)
                    return notWritten();
                written += w;
            }
        }
        if (n == 0)
            break;
        done += n;
        progress.advance(done);
        if (progress.cancelled())
            return false;
    }
    if (::fsync(out.handle()) != 0)
        return notWritten();
    return true;
}

void removeLeftovers(const QString &path)
{
    const QFileInfo info(path);
    // The copies and what the engine kept beside them; a journal or log
    // whose copy is gone is left over too.
    const QRegularExpression unfinished(u"^(%1\\.(%2\\.)?[0-9a-f]{8}\\.part)(-journal|-wal|-shm)?$"_s.arg(
        QRegularExpression::escape(info.fileName()), unfinishedMark));
    const QDir folder = info.absoluteDir();
    QStringList copies;
    for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden)) {
        const QRegularExpressionMatch match = unfinished.match(name);
        if (match.hasMatch() && !copies.contains(match.captured(1)))
            copies << match.captured(1);
    }
    for (const QString &name : std::as_const(copies)) {
        const QString leftover = folder.filePath(name);
        // A copy still being made is held locked by the process making it.
        const int fd = ::open(nativePath(leftover).constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            if (errno == ENOENT)
                removeSideFiles(leftover);
            continue;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            removeSideFiles(leftover);
            QFile::remove(leftover);
        }
        ::close(fd);
    }
}

} // namespace kelm
