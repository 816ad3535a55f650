// Every refusal of a save, a backup or a restore says in Chinese why, by a
// cause the user can act on: a read-only file or folder, a full disk (the
// database's or the backup's), a file another program holds or locks, the
// journal of a save that did not finish. The causes are real: a small file
// system of the test's own fills up, other programs are processes of their
// own, and the test runs without privileges, since the administrator may
// write every file. The menu's messages need widgets.
#include "data/connection.h"
#include "platform/database.h"
#include "platform/journalcheck.h"
#include "shell/backup.h"
#include "shell/backupmenu.h"
#include "support/helperprograms.h"
#include "support/otherprogram.h"
#include "support/saveunderway.h"
#include "support/testdb.h"
#include "support/ui/scripteddialogs.h"
#include "support/ui/scriptedmessages.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fcntl.h>
#include <linux/capability.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace kelm;

namespace {

const QString caseNo = u"20020001"_s;

// Where the test runs: a small disk of its own, and a process of another
// user, each only where it could be had.
struct Sandbox {
    QString smallDisk; // the folder of a file system of a few megabytes
    pid_t stranger = 0;
};
Sandbox g_sandbox;

bool writeFile(const char *path, const QByteArray &text)
{
    const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
    const bool written = fd >= 0 && ::write(fd, text.constData(), std::size_t(text.size())) == text.size();
    if (fd >= 0)
        ::close(fd);
    return written;
}

// A mount namespace of the process's own, so that what it mounts is seen by
// nobody else and goes when it ends. An ordinary user gets one inside a user
// namespace of its own, with itself as the only user.
bool ownMountNamespace(bool root)
{
    if (root)
        return ::unshare(CLONE_NEWNS) == 0;
    const QByteArray uid = QByteArray::number(::getuid());
    const QByteArray gid = QByteArray::number(::getgid());
    return ::unshare(CLONE_NEWUSER | CLONE_NEWNS) == 0 && writeFile("/proc/self/setgroups", "deny")
        && writeFile("/proc/self/uid_map", uid + ' ' + uid + " 1") && writeFile("/proc/self/gid_map", gid + ' ' + gid + " 1");
}

// Mounts the small disk over /mnt, in the process's own namespace, and
// leaves every privilege behind: the administrator becomes an ordinary user
// after starting a process of yet another user, an ordinary user gives up
// the powers its own namespace lent it.
Sandbox enterSandbox()
{
    Sandbox box;
    const bool root = ::geteuid() == 0;
    // The stranger lives until the test ends: it waits for the end of a
    // pipe that the test holds open (a signal at the test's death would be
    // refused, once the test runs as another user).
    int alive[2] = {-1, -1};
    if (root && ::pipe2(alive, O_CLOEXEC) == 0) {
        box.stranger = ::fork();
        if (box.stranger == 0) {
            ::close(alive[1]);
            const int nothing = ::open("/dev/null", O_RDWR);
            for (int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO})
                ::dup2(nothing, fd);
            char c = 0;
            if (::setgid(65533) == 0 && ::setuid(65533) == 0)
                while (::read(alive[0], &c, 1) > 0) {
                }
            ::_exit(0);
        }
        ::close(alive[0]);
    }
    if (ownMountNamespace(root) && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0
        && ::mount("tmpfs", "/mnt", "tmpfs", 0, "size=4m,mode=0777") == 0)
        box.smallDisk = u"/mnt"_s;
    if (root) {
        test::becomeUser(65534, 65534);
    } else {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct none[2] = {};
        if (::syscall(SYS_capset, &header, none) != 0) {
            std::fprintf(stderr, "cannot give up the capabilities\n");
            std::exit(1);
        }
    }
    return box;
}

// Fills the disk of folder until no more than `room` bytes are left.
void fillDisk(const QString &folder, qint64 room)
{
    QFile filler(folder + u"/filler"_s);
    QVERIFY(filler.open(QIODevice::WriteOnly));
    const QByteArray block(4096, 'x');
    qint64 written = 0;
    while (::write(filler.handle(), block.constData(), std::size_t(block.size())) == block.size())
        written += block.size();
    filler.close();
    QVERIFY(written > room);
    QVERIFY(QFile::resize(filler.fileName(), written - room));
}

QStringList filesIn(const QString &dir) { return QDir(dir).entryList(QDir::Files); }

// The refusal of a save of a case's name; empty when it was saved.
QString refusedSave()
{
    try {
        db().writeColumn(u"xzcf"_s, u"dwmc"_s, u"dabh"_s, caseNo, u"改名"_s);
    } catch (const DbError &e) {
        return e.message();
    }
    return {};
}

// The message a backup to target ends with.
QString backUpTo(const QString &target)
{
    auto &messages = test::ScriptedMessages::install();
    auto &dialogs = test::ScriptedFileDialogs::install();
    dialogs.choose(target);
    messages.answer(Answer::Ok);
    QString name = u"bc_kelm"_s;
    backUpFromMenu(nullptr, name);
    return messages.lastText();
}

// A restore from source through the menu, its messages recorded; `question`
// answers a question about processes that could not be looked at, and
// `told` messages are acknowledged at the end.
test::ScriptedMessages &restoreFrom(const QString &source, std::optional<Answer> question = {}, int told = 1)
{
    auto &messages = test::ScriptedMessages::install();
    auto &dialogs = test::ScriptedFileDialogs::install();
    messages.answer(Answer::Ok);
    dialogs.choose(source);
    if (question)
        messages.answer(*question);
    for (int i = 0; i < told; ++i)
        messages.answer(Answer::Ok);
    QString name = u"bc_kelm"_s;
    restoreFromMenu(nullptr, name);
    return messages;
}

QString backupOf(const QString &database, const QTemporaryDir &dir)
{
    const QString backup = dir.filePath(u"bc_kelm"_s);
    if (backupDatabase(database, backup).outcome != BackupOutcome::Done)
        qWarning("no backup");
    return backup;
}

QString liveName() { return db().scalar(u"SELECT dwmc FROM xzcf WHERE dabh = ?"_s, {caseNo}); }

} // namespace

class TestRefusals : public QObject {
    Q_OBJECT
private slots:
    void refusalToldByItsCause_data();
    void refusalToldByItsCause();
    void savesWaitForThisProgramsOwnWork();
    void unseenProcessesAreAsked_data();
    void unseenProcessesAreAsked();
    void anotherFilesJournalIsSetAsideAndTold();
};

void TestRefusals::refusalToldByItsCause_data()
{
    QTest::addColumn<QString>("cause");
    QTest::addColumn<QStringList>("says");
    QTest::addColumn<QStringList>("never");
    const QStringList unknown{u"未知错误"_s};
    QTest::newRow("a save into a read-only file")
        << u"read-only file"_s << QStringList{u"是只读的"_s, u"不能写入"_s} << unknown;
    QTest::newRow("a save into a read-only folder")
        << u"read-only folder"_s << QStringList{u"文件夹"_s, u"不能写入"_s} << unknown;
    QTest::newRow("a save onto a full disk")
        << u"full database disk"_s << QStringList{u"数据库文件"_s, u"所在的磁盘已满"_s} << unknown;
    // The engine refuses to write through a name that now leads to
    // another file: the words say so, not that the file is read-only.
    QTest::newRow("a save into a file renamed over while it is open")
        << u"renamed over"_s << QStringList{u"被替换或删除"_s, u"重新启动"_s} << QStringList{u"是只读的"_s, u"未知错误"_s};
    QTest::newRow("a save into a file removed and made anew while it is open")
        << u"made anew"_s << QStringList{u"被替换或删除"_s, u"重新启动"_s} << QStringList{u"是只读的"_s, u"未知错误"_s};
    QTest::newRow("a save while another program saves")
        << u"locked"_s << QStringList{u"正被其他程序使用"_s, u"请稍后再试"_s} << unknown;
    QTest::newRow("a backup onto a full disk")
        << u"full backup disk"_s << QStringList{u"数据备份失败"_s, u"磁盘已满"_s}
        << QStringList{u"未知错误"_s, u"数据库文件"_s};
    QTest::newRow("a restore onto the database's full disk")
        << u"full restore disk"_s << QStringList{u"不能进行数据恢复"_s, u"磁盘已满"_s} << unknown;
    QTest::newRow("a restore while another program holds the file")
        << u"held"_s << QStringList{u"正被程序"_s, u"请先关闭该程序"_s} << unknown;
    QTest::newRow("a restore from the database file itself")
        << u"itself"_s << QStringList{u"就是本程序正在使用的数据库文件"_s} << unknown;
    QTest::newRow("a restore beside the journal of a save cut short")
        << u"hot journal"_s << QStringList{u"未完成的保存"_s, u"再恢复一次"_s} << unknown;
}

// Each message names its cause, quotes the files (and the program) it is
// about, and has no other Latin letter: nothing of the system's or the
// engine's English. Nothing is changed by the refusal.
void TestRefusals::refusalToldByItsCause()
{
    QFETCH(QString, cause);
    QFETCH(QStringList, says);
    QFETCH(QStringList, never);
    if (cause.startsWith(u"full"_s) && g_sandbox.smallDisk.isEmpty())
        QSKIP("no small file system could be mounted to fill up");
    test::TestDatabase database;
    QVERIFY(db().insertRow(u"xzcf"_s, {u"dabh"_s, u"dwmc"_s}, {caseNo, u"城关饭店"_s}));
    QTemporaryDir elsewhere;
    QString message;
    QStringList quoted; // what the message names; Latin letters may stand there
    const QFile::Permissions writable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    if (cause == u"read-only file"_s || cause == u"read-only folder"_s) {
        const bool file = cause == u"read-only file"_s;
        closeDatabase();
        const QString readOnly = file ? database.path() : database.dir();
        QVERIFY(QFile::setPermissions(readOnly, file ? QFile::ReadOwner : QFile::ReadOwner | QFile::ExeOwner));
        message = refusedSave();
        quoted << readOnly;
        closeDatabase();
        QVERIFY(QFile::setPermissions(readOnly, file ? QFile::ReadOwner | QFile::WriteOwner : writable));
    } else if (cause == u"full database disk"_s || cause == u"full restore disk"_s) {
        const QString backup = backupOf(database.path(), elsewhere);
        const QString folder = g_sandbox.smallDisk + u"/程序"_s;
        const QString live = folder + u"/kelm.mdb"_s;
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::copy(database.path(), live));
        setDatabasePath(live);
        if (cause == u"full database disk"_s) {
            // Not even the save's journal fits.
            fillDisk(g_sandbox.smallDisk, 0);
            message = refusedSave();
            quoted << live;
        } else {
            // Room for the database, not for a second copy of it.
            fillDisk(g_sandbox.smallDisk, 64 << 10);
            message = restoreFrom(backup).lastText();
            quoted << folder;
        }
        QCOMPARE(liveName(), u"城关饭店"_s);
        closeDatabase();
        QCOMPARE(filesIn(folder), QStringList{u"kelm.mdb"_s});
        QDir(folder).removeRecursively();
        QFile::remove(g_sandbox.smallDisk + u"/filler"_s);
        setDatabasePath(database.path());
    } else if (cause == u"renamed over"_s || cause == u"made anew"_s) {
        const QString copy = elsewhere.filePath(u"kelm.mdb"_s);
        QVERIFY(QFile::copy(database.path(), copy));
        if (cause == u"renamed over"_s) {
            QCOMPARE(::rename(QFile::encodeName(copy).constData(), QFile::encodeName(database.path()).constData()), 0);
        } else {
            QVERIFY(QFile::remove(database.path()));
            QVERIFY(QFile::copy(copy, database.path()));
        }
        message = refusedSave();
        quoted << database.path();
        closeDatabase();
        QCOMPARE(liveName(), u"城关饭店"_s);
    } else if (cause == u"locked"_s) {
        // The same save with nobody else on the file, timed a few times:
        // what the save takes besides its wait, on this machine as loaded as
        // it is now.
        QElapsedTimer clock;
        qint64 alone = 0;
        for (int i = 0; i < 3; ++i) {
            closeDatabase();
            clock.start();
            QVERIFY(refusedSave().isEmpty());
            alone = std::max(alone, clock.elapsed());
        }
        closeDatabase();
        test::OtherProgram other(database.path(), test::OtherProgram::Hold::Write);
        QVERIFY(other.holding());
        clock.restart();
        message = refusedSave();
        const qint64 waited = clock.elapsed();
        // Two seconds against another program, then the refusal.
        QVERIFY2(waited >= 1800 && waited < 2000 + 10 * alone,
                 qPrintable(u"refused after %1 ms; alone the save takes %2 ms"_s.arg(waited).arg(alone)));
        quoted << database.path();
    } else if (cause == u"full backup disk"_s) {
        fillDisk(g_sandbox.smallDisk, 64 << 10);
        message = backUpTo(g_sandbox.smallDisk + u"/bc_kelm"_s);
        QCOMPARE(filesIn(g_sandbox.smallDisk), QStringList{u"filler"_s});
        QFile::remove(g_sandbox.smallDisk + u"/filler"_s);
        quoted << g_sandbox.smallDisk;
    } else if (cause == u"held"_s) {
        const QString backup = backupOf(database.path(), elsewhere);
        db().exec(u"UPDATE xzcf SET dwmc = '留下'"_s);
        test::OtherProgram other(database.path(), test::OtherProgram::Hold::Open);
        QVERIFY(other.holding());
        message = restoreFrom(backup).lastText();
        QVERIFY(message.contains(QString::number(other.pid())));
        quoted << database.path() << test::OtherProgram::name();
        QCOMPARE(liveName(), u"留下"_s);
    } else if (cause == u"itself"_s) {
        message = restoreFrom(database.path()).lastText();
        quoted << database.path();
    } else if (cause == u"hot journal"_s) {
        // A save of many rows, killed once its pages reach the file.
        Transaction tx(db());
        for (int i = 2; i <= 2000; ++i)
            db().insertRow(u"xzcf"_s, {u"dabh"_s, u"dwmc"_s}, {u"2002%1"_s.arg(i, 4, 10, QChar(u'0')), u"城关饭店"_s});
        tx.commit();
        const QString backup = backupOf(database.path(), elsewhere);
        db().exec(u"UPDATE xzcf SET dwmc = '留下'"_s);
        closeDatabase();
        test::crashInsideSave(database.path(), test::SaveUnderWay::Kind::Spilled);
        QCOMPARE(journalState(database.path()), JournalState::Hot);
        message = restoreFrom(backup).lastText();
        quoted << database.path() << QFileInfo(journalPath(database.path())).fileName();
        // The program's own connection, opened again, took the save back.
        QCOMPARE(db().scalar(u"SELECT count(*) FROM xzcf WHERE dwmc = '留下'"_s), u"2000"_s);
    }
    QVERIFY2(!message.isEmpty(), "nothing was refused");
    QString rest = message;
    for (const QString &name : std::as_const(quoted)) {
        QVERIFY2(message.contains(name), qPrintable(message));
        rest.remove(name);
    }
    QVERIFY2(!rest.contains(QRegularExpression(u"[A-Za-z]"_s)), qPrintable(message));
    for (const QString &phrase : std::as_const(says))
        QVERIFY2(message.contains(phrase), qPrintable(message));
    for (const QString &phrase : std::as_const(never))
        QVERIFY2(!message.contains(phrase), qPrintable(message));
    QCOMPARE(db().scalar(u"PRAGMA integrity_check"_s), u"ok"_s);
}

// Connections of this program wait for one another as long as that takes:
// a save that meets a write of another thread's connection (the statistics
// do so) is made once that write ends, past the limit another program gets.
void TestRefusals::savesWaitForThisProgramsOwnWork()
{
    test::TestDatabase database;
    QVERIFY(db().insertRow(u"xzcf"_s, {u"dabh"_s, u"dwmc"_s}, {caseNo, u"城关饭店"_s}));
    std::atomic<bool> writing = false, saving = false, committing = false;
    std::thread statistics([&] {
        Database own(database.path(), storedSchema());
        Transaction tx(own);
        own.exec(u"UPDATE xzcftj SET tbdw = '统计中'"_s);
        writing = true;
        while (!saving)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        // Past the limit of another program, from the moment the save begins.
        std::this_thread::sleep_for(std::chrono::milliseconds(2600));
        committing = true;
        tx.commit();
    });
    while (!writing)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    saving = true;
    const QString refusal = refusedSave();
    const bool madeAfterTheWrite = committing;
    statistics.join();
    QVERIFY2(refusal.isEmpty(), qPrintable(refusal));
    QVERIFY(madeAfterTheWrite);
    QCOMPARE(liveName(), u"改名"_s);
    QCOMPARE(db().scalar(u"SELECT tbdw FROM xzcftj"_s), u"统计中"_s);
}

// Processes of another user whose open files cannot be looked at: where
// they could write the database file the user is asked before anything is
// replaced, and 否 leaves it as it was; a file they cannot write asks
// nothing.
void TestRefusals::unseenProcessesAreAsked_data()
{
    QTest::addColumn<bool>("theyCouldWrite");
    QTest::addColumn<bool>("yes");
    QTest::newRow("they could write it, 是") << true << true;
    QTest::newRow("they could write it, 否") << true << false;
    QTest::newRow("they cannot write it") << false << true;
}

void TestRefusals::unseenProcessesAreAsked()
{
    QFETCH(bool, theyCouldWrite);
    QFETCH(bool, yes);
    if (g_sandbox.stranger <= 0)
        QSKIP("a process of another user can be started by the administrator only");
    test::TestDatabase database;
    QVERIFY(db().insertRow(u"xzcf"_s, {u"dabh"_s, u"dwmc"_s}, {caseNo, u"城关饭店"_s}));
    QTemporaryDir elsewhere;
    const QString backup = backupOf(database.path(), elsewhere);
    db().exec(u"UPDATE xzcf SET dwmc = '留下'"_s);
    if (theyCouldWrite)
        QVERIFY(QFile::setPermissions(database.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther
                                                           | QFile::WriteOther));
    const test::ScriptedMessages &messages =
        restoreFrom(backup, theyCouldWrite ? std::optional(yes ? Answer::Yes : Answer::No) : std::nullopt);
    QCOMPARE(messages.unexpected, 0);
    QStringList texts;
    for (const Message &m : messages.shown)
        texts << m.text;
    const qsizetype asked = theyCouldWrite ? 1 : 0;
    QCOMPARE(texts.size(), 1 + asked + (yes ? 1 : 0));
    if (theyCouldWrite) {
        const Message &question = messages.shown[1];
        QVERIFY2(question.text.contains(u"其他用户的程序"_s) && question.text.contains(database.path()),
                 qPrintable(question.text));
        QCOMPARE(question.buttons, Buttons::YesNo);
        QCOMPARE(question.defaultButton, Answer::No);
    }
    if (yes)
        QCOMPARE(texts.last(), u"数据恢复完成。"_s);
    QCOMPARE(liveName(), yes ? u"城关饭店"_s : u"留下"_s);
}

// A journal that another file's crash left beside the database stops a
// restore; the program's connection, opened again, sets it aside and the
// user is told where it went, and the next restore goes through.
void TestRefusals::anotherFilesJournalIsSetAsideAndTold()
{
    test::TestDatabase database;
    QVERIFY(db().insertRow(u"xzcf"_s, {u"dabh"_s, u"dwmc"_s}, {caseNo, u"城关饭店"_s}));
    QTemporaryDir elsewhere;
    const QString backup = backupOf(database.path(), elsewhere);
    db().exec(u"UPDATE xzcf SET dwmc = '留下'"_s);
    closeDatabase();
    const QString other = elsewhere.filePath(u"kelm.mdb"_s);
    QVERIFY(QFile::copy(test::preparedTemplate(), other));
    test::crashInsideSave(other, test::SaveUnderWay::Kind::Spilled);
    QVERIFY(QFile::rename(journalPath(other), journalPath(database.path())));

    const test::ScriptedMessages &refused = restoreFrom(backup, {}, 2);
    QCOMPARE(refused.unexpected, 0);
    QCOMPARE(refused.shown.size(), 3);
    QVERIFY2(refused.shown[1].text.contains(u"未完成的保存"_s), qPrintable(refused.shown[1].text));
    const QString told = refused.shown[2].text;
    const QStringList setAside = QDir(database.dir()).entryList({u"kelm.mdb-journal.孤立.*"_s}, QDir::Files);
    QCOMPARE(setAside.size(), 1);
    QVERIFY2(told.contains(setAside[0]), qPrintable(told));
    QCOMPARE(journalState(database.path()), JournalState::None);
    QCOMPARE(liveName(), u"留下"_s);

    QCOMPARE(restoreFrom(backup).lastText(), u"数据恢复完成。"_s);
    QCOMPARE(liveName(), u"城关饭店"_s);
    QCOMPARE(db().scalar(u"PRAGMA integrity_check"_s), u"ok"_s);
}

int main(int argc, char *argv[])
{
    // Before any thread starts: a process enters a namespace of its own
    // only while it has one thread.
    g_sandbox = enterSandbox();
    QApplication app(argc, argv);
    TestRefusals test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_refusals.moc"
