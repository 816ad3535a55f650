#include "shell/jetdatabase.h"

#include "import/jetfile.h"
#include "platform/systemerror.h"
#include "shell/wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

QByteArray nativePath(const QString &path) { return QFile::encodeName(path); }

QString shown(const QString &path) { return QDir::toNativeSeparators(path); }

// Keeps the file live also under the name kept, before live is replaced:
// a second name of the same file, or on a file system without them a
// synced copy. A second name that an interrupted conversion left is taken
// as it is.
bool keepOriginal(const QString &live, const QString &kept, QString &error)
{
    const int linked = ::link(nativePath(live).constData(), nativePath(kept).constData());
    const int cause = errno;
    if (linked == 0 || (cause == EEXIST && sameFile(live, kept))) {
        syncFolderOf(kept);
        return true;
    }
    if (cause != EPERM && cause != EXDEV && cause != EOPNOTSUPP && cause != EMLINK) {
        error = systemErrorText(cause);
        return false;
    }
    // Named after the live file, so that the start after a kill removes it.
    UnfinishedFile copy(live);
    if (copy.path().isEmpty()) {
        error = copy.error();
        return false;
    }
    qint64 done = 0;
    bool exists = false;
    if (!copyFile(live, copy.path(), noProgress(), done, error) || !placeNewFile(copy.path(), kept, exists, error))
        return false;
    copy.keep();
    return true;
}

jet::Conversion notConverted(const QString &reason) { return {jet::ConversionFailure::Refused, reason, {}}; }

} // namespace

QString keptJetOriginal(const QString &live)
{
    const QFileInfo info(live);
    const QString base = info.dir().filePath(info.completeBaseName() + u".Jet原文件"_s);
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    for (int n = 1;; ++n) {
        const QString name = n == 1 ? base + suffix : u"%1.%2%3"_s.arg(base).arg(n).arg(suffix);
        if (!QFileInfo(name).exists() && !QFileInfo(name).isSymLink())
            return name;
        // A second name of the file itself, which a conversion killed
        // before its end made.
        if (sameFile(name, live))
            return name;
    }
}

jet::Conversion convertDatabaseInPlace(const QString &live, const QString &kept, Progress &progress)
{
    // One conversion of the file at a time: the first holds the original
    // locked, and a second finds it so, or finds it converted.
    const int fd = ::open(nativePath(live).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return notConverted(u"无法读取数据库文件 %1：%2"_s.arg(shown(live), systemErrorText(errno)));
    const auto closed = qScopeGuard([fd] { ::close(fd); });
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        return notConverted(u"本程序的另一个窗口正在转换数据库文件 %1。"_s.arg(shown(live)));
    // The lock comes free once the first has put its new file in place.
    if (!jet::isJetFile(live))
        return notConverted(u"数据库文件 %1 已经由本程序的另一个窗口转换了，请重新启动程序。"_s.arg(shown(live)));
    UnfinishedFile copy(live);
    if (copy.path().isEmpty())
        return notConverted(copy.error());
    jet::Conversion result = jet::convertJetFile(live, copy.path(), progress);
    if (!result.ok())
        return result;
    progress.stage(u"正在保存转换后的数据库……"_s, 0, false);
    QFile::setPermissions(copy.path(), QFile::permissions(live));
    QString error;
    if (!keepOriginal(live, kept, error))
        return notConverted(u"无法把原来的数据库文件保留为 %1：%2"_s.arg(shown(kept), error));
    if (!replaceFile(copy.path(), live, error))
        return notConverted(u"无法替换数据库文件 %1：%2"_s.arg(shown(live), error));
    copy.keep();
    return result;
}

jet::Conversion convertToNewFile(const QString &jetFile, const QString &newFile, Progress &progress)
{
    const QString exists = u"文件 %1 已存在，不会覆盖它。"_s.arg(shown(newFile));
    if (QFileInfo(newFile).exists() || QFileInfo(newFile).isSymLink())
        return notConverted(exists);
    removeLeftovers(newFile);
    UnfinishedFile copy(newFile);
    if (copy.path().isEmpty())
        return notConverted(copy.error());
    jet::Conversion result = jet::convertJetFile(jetFile, copy.path(), progress);
    if (!result.ok())
        return result;
    QString error;
    bool taken = false;
    if (!placeNewFile(copy.path(), newFile, taken, error))
        return notConverted(taken ? exists : u"无法写入文件 %1：%2"_s.arg(shown(newFile), error));
    copy.keep();
    return result;
}

} // namespace kelm
