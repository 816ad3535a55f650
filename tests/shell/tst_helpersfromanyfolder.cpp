// The tests that give up root's privileges run their helper programs (the
// writer inside a save, another program holding the file) from any build
// folder, also one that the user they become may not enter: a clone in
// root's home, or in any folder that only its owner may enter. As root,
// the test shuts its build folder so, in a mount namespace of its own, and
// then gives up its privileges as those tests do. Without root there is
// no other user to become, and nothing to check.
#include "data/connection.h"
#include "platform/journalcheck.h"
#include "support/helperprograms.h"
#include "support/otherprogram.h"
#include "support/saveunderway.h"
#include "support/testdb.h"

#include <QDir>
#include <QFileInfo>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace kelm;

namespace {

// Why there is nothing to check; empty when the build folder is shut and
// the test runs as another user.
QString g_nothingToCheck;

QString systemError(const char *what) { return u"%1: %2"_s.arg(QString::fromUtf8(what), QString::fromLocal8Bit(std::strerror(errno))); }

// Makes the folder that holds the helpers' folder one that only root may
// enter, as a folder of mode 0700 in root's home is: an empty file system
// of that mode over it, with the helpers' folder alone bound back into its
// place. Seen by this process alone; it ends with the process.
QString shutBuildFolder()
{
    const QString helpers = QFileInfo(QString::fromUtf8(KELM_TEST_WRITER)).absolutePath();
    const QString holder = QFileInfo(helpers).absolutePath();
    const QByteArray helpersPath = QFile::encodeName(helpers);
    const QByteArray holderPath = QFile::encodeName(holder);
    if (::unshare(CLONE_NEWNS) != 0)
        return systemError("no mount namespace of its own");
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return systemError("mounts cannot be made private");
    // Reached through its descriptor once the file system hides it.
    const int kept = ::open(helpersPath.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (kept < 0)
        return systemError("cannot open the helpers' folder");
    const QByteArray keptPath = "/proc/self/fd/" + QByteArray::number(kept);
    if (::mount("tmpfs", holderPath.constData(), "tmpfs", 0, "mode=0700,uid=0,gid=0,size=64k") != 0)
        return systemError("cannot shut the build folder");
    if (::mkdir(helpersPath.constData(), 0700) != 0
        || ::mount(keptPath.constData(), helpersPath.constData(), nullptr, MS_BIND, nullptr) != 0)
        return systemError("cannot bind the helpers' folder back");
    ::close(kept);
    return {};
}

} // namespace

class TestHelpersFromAnyFolder : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void writerSavesAndIsKilledInside();
    void holderHoldsTheFile();
};

void TestHelpersFromAnyFolder::initTestCase()
{
    if (!g_nothingToCheck.isEmpty())
        QSKIP(qPrintable(g_nothingToCheck));
    // What the check rests on: the user reaches the built helpers no more.
    QCOMPARE(::access(KELM_TEST_WRITER, X_OK), -1);
    QCOMPARE(errno, EACCES);
}

void TestHelpersFromAnyFolder::writerSavesAndIsKilledInside()
{
    test::TestDatabase database;
    closeDatabase();
    test::crashInsideSave(database.path(), test::SaveUnderWay::Kind::Spilled);
    QCOMPARE(journalState(database.path()), JournalState::Hot);
}

void TestHelpersFromAnyFolder::holderHoldsTheFile()
{
    test::TestDatabase database;
    closeDatabase();
    QVERIFY(test::anotherProcessCanSave(database.path()));
    test::OtherProgram other(database.path(), test::OtherProgram::Hold::Write);
    QVERIFY(other.holding());
    QVERIFY(!test::anotherProcessCanSave(database.path()));
}

int main(int argc, char *argv[])
{
    if (::geteuid() == 0) {
        g_nothingToCheck = shutBuildFolder();
        test::becomeUser(65534, 65534);
    } else {
        g_nothingToCheck = u"only the administrator can become another user"_s;
    }
    QCoreApplication app(argc, argv);
    TestHelpersFromAnyFolder test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_helpersfromanyfolder.moc"
