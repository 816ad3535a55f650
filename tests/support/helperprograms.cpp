#include "support/helperprograms.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>
#include <grp.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace kelm::test {

namespace {

QString built(Helper helper)
{
    return QString::fromUtf8(helper == Helper::Writer ? KELM_TEST_WRITER : KELM_HOLDER);
}

// The folder of the copies; removed by the user it was handed to, its
// owner, when the process ends.
struct HandedOver {
    QString folder;
    ~HandedOver()
    {
        if (!folder.isEmpty())
            QDir(folder).removeRecursively();
    }
};
HandedOver g_handedOver;

[[noreturn]] void giveUp(const char *what)
{
    std::fprintf(stderr, "%s\n", what);
    std::exit(1);
}

bool handOver(uid_t uid, gid_t gid)
{
    QByteArray folder = QFile::encodeName(QDir::tempPath() + u"/kelm-helpers-XXXXXX"_s);
    if (!::mkdtemp(folder.data()))
        return false;
    g_handedOver.folder = QFile::decodeName(folder);
    const QFile::Permissions readable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
        | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    if (::chown(folder.constData(), uid, gid) != 0 || !QFile::setPermissions(g_handedOver.folder, readable))
        return false;
    // The helpers link the program's libraries statically: the programs are
    // all there is to copy.
    for (Helper helper : {Helper::Writer, Helper::Holder}) {
        const QString copy = g_handedOver.folder + u'/' + QFileInfo(built(helper)).fileName();
        if (!QFile::copy(built(helper), copy) || ::chown(QFile::encodeName(copy).constData(), uid, gid) != 0
            || !QFile::setPermissions(copy, readable))
            return false;
    }
    return true;
}

} // namespace

QString helperProgram(Helper helper)
{
    if (g_handedOver.folder.isEmpty())
        return built(helper);
    return g_handedOver.folder + u'/' + QFileInfo(built(helper)).fileName();
}

void becomeUser(uid_t uid, gid_t gid)
{
    if (!handOver(uid, gid))
        giveUp("cannot copy the helper programs where the unprivileged user reaches them");
    if (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0)
        giveUp("cannot drop root privileges");
}

} // namespace kelm::test
