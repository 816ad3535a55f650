// Backup and restore: the dialogs and questions of the menu items, the
// backup as a whole database of one moment in a file of its own, a restore
// that replaces the live file only with a sound backup and leaves no log of
// the old file beside the new one, the progress both report, and what a
// failure or a cancel leaves. The menu steps need widgets for their parent
// window.
#include "data/connection.h"
#include "data/prepare.h"
#include "data/schema.h"
#include "platform/journalcheck.h"
#include "shell/backup.h"
#include "shell/backupmenu.h"
#include "shell/mainwindow.h"
#include "shell/startup.h"
#include "support/helperprograms.h"
#include "support/otherprogram.h"
#include "support/recordingprogress.h"
#include "support/saveunderway.h"
#include "support/testdb.h"
#include "support/ui/scripteddialogs.h"
#include "support/ui/scriptedmessages.h"

#include <QElapsedTimer>
#include <QFile>
#include <QtEndian>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <SQLiteCpp/SQLiteCpp.h>
#include <sqlite3.h>

#include <atomic>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>

using namespace Qt::StringLiterals;
using namespace kelm;

namespace {

const QString notABackup = u"该文件不是正确的备份文件或文件已损坏！"_s;
const QString unknownError = u"未知错误，不能进行数据恢复！"_s;

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

QString marker() { return db().select(u"SELECT * FROM wslo"_s).values.at(0).at(1); }

// Every row of every table, as text.
QStringList rowsOf(SQLite::Database &file)
{
    QStringList out;
    for (const schema::Table &t : schema::tables()) {
        SQLite::Statement st(file, "SELECT * FROM " + std::string(t.name) + " ORDER BY rowid");
        while (st.executeStep()) {
            QStringList values;
            for (int i = 0; i < st.getColumnCount(); ++i)
                values << QString::fromUtf8(st.getColumn(i).getText());
            out << QString::fromUtf8(t.name.data(), qsizetype(t.name.size())) + u": "_s + values.join(u'|');
        }
    }
    return out;
}

QStringList rowsOf(const QString &path)
{
    SQLite::Database file(path.toStdString(), SQLite::OPEN_READONLY);
    return rowsOf(file);
}

QStringList liveRows() { return rowsOf(db().raw()); }

QStringList filesIn(const QString &dir) { return QDir(dir).entryList(QDir::Files); }

// A few cases with rows in their documents, so a copy has more than seeds.
void addCases(int count, const QString &unit)
{
    Transaction tx(db());
    for (int i = 1; i <= count; ++i) {
        const QString no = u"2002%1"_s.arg(i, 4, 10, QChar(u'0'));
        db().insertRow(u"xzcf"_s, {u"dabh"_s, u"dwmc"_s}, {no, unit});
        db().insertRow(u"labg"_s, {u"dabh"_s, u"dsr"_s}, {no, unit});
    }
    tx.commit();
}

// Whether another connection comes to hold the write lock of the database
// within a few seconds: a write transaction of a connection of its own is
// then refused at once.
bool writeLockTaken(const QString &path)
{
    SQLite::Database probe(path.toStdString(), SQLite::OPEN_READWRITE);
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 5000) {
        if (probe.tryExec("BEGIN IMMEDIATE") == SQLITE_BUSY)
            return true;
        probe.exec("ROLLBACK");
        QThread::msleep(5);
    }
    return false;
}

// A check of the engine on the file at path: "ok" or its first finding.
// A table's check is given the table.
QString verdict(const QString &path, const char *check, const QString &table = {})
{
    SQLite::Database file(path.toStdString(), SQLite::OPEN_READONLY);
    SQLite::Statement st(file, std::string("SELECT * FROM ") + check + (table.isEmpty() ? "" : "(?)"));
    if (!table.isEmpty())
        st.bind(1, table.toStdString());
    return st.executeStep() ? QString::fromUtf8(st.getColumn(0).getText()) : QString();
}

QStringList tablesOf(const QString &path)
{
    SQLite::Database file(path.toStdString(), SQLite::OPEN_READONLY);
    SQLite::Statement st(file, "SELECT name FROM sqlite_schema WHERE type = 'table'");
    QStringList names;
    while (st.executeStep())
        names << QString::fromUtf8(st.getColumn(0).getText());
    return names;
}

quint32 bigEndian(const QByteArray &bytes, qint64 at) { return qFromBigEndian<quint32>(bytes.constData() + at); }

void setBigEndian(QByteArray &bytes, qint64 at, quint32 value) { qToBigEndian(value, bytes.data() + at); }

// Spoils the closed file at path as a failing disk or a faulty program
// would, in one of the ways only the engine's full check finds.
void spoil(const QString &path, const QString &kind)
{
    if (kind == u"table"_s) {
        test::damageTable(path, u"labg"_s);
        return;
    }
    if (kind == u"index"_s) {
        // Rows changed while their index was out of the schema: its pages
        // are sound, its entries name values the rows no longer hold.
        SQLite::Database file(path.toStdString(), SQLite::OPEN_READWRITE);
        file.exec("PRAGMA writable_schema = ON");
        SQLite::Statement index(file, "SELECT type, name, tbl_name, rootpage, sql FROM sqlite_schema "
                                      "WHERE type = 'index' AND tbl_name = 'labg'");
        QVERIFY(index.executeStep());
        std::vector<std::string> values;
        for (int i = 0; i < 5; ++i)
            values.push_back(index.getColumn(i).getString());
        index.reset();
        SQLite::Statement hide(file, "DELETE FROM sqlite_schema WHERE name = ?");
        hide.bind(1, values[1]);
        hide.exec();
        file.exec("PRAGMA writable_schema = RESET");
        file.exec("UPDATE labg SET dabh = dabh || 'x'");
        file.exec("PRAGMA writable_schema = ON");
        SQLite::Statement restore(file, "INSERT INTO sqlite_schema VALUES (?, ?, ?, ?, ?)");
        for (int i = 0; i < 5; ++i)
            restore.bind(i + 1, values[std::size_t(i)]);
        restore.exec();
        return;
    }
    // A freelist to spoil: the free pages of deleted rows.
    {
        SQLite::Database file(path.toStdString(), SQLite::OPEN_READWRITE);
        file.exec("DELETE FROM labg");
        QVERIFY(file.execAndGet("PRAGMA freelist_count").getInt() > 1);
    }
    QByteArray bytes = contents(path);
    const qint64 pageSize = quint16(quint8(bytes[16]) << 8 | quint8(bytes[17]));
    const qint64 trunk = (qint64(bigEndian(bytes, 32)) - 1) * pageSize;
    const quint32 leaves = bigEndian(bytes, trunk + 4);
    QVERIFY(leaves > 0);
    if (kind == u"freelist"_s) {
        // A free page beyond the end of the file.
        setBigEndian(bytes, trunk + 8, quint32(bytes.size() / pageSize + 10));
    } else {
        // The last free page taken off the list, and counted off: it belongs
        // to nothing now.
        setBigEndian(bytes, trunk + 4, leaves - 1);
        setBigEndian(bytes, 36, bigEndian(bytes, 36) - 1);
    }
    write(path, bytes);
}

using test::RecordingProgress;

// Every stage's reports count up to its steps, and each stage with steps
// ends at them.
void verifyInOrder(const QList<RecordingProgress::Report> &reports)
{
    QVERIFY(!reports.isEmpty());
    for (qsizetype i = 1; i < reports.size(); ++i) {
        const auto &a = reports[i - 1];
        const auto &b = reports[i];
        if (a.stage == b.stage && a.steps == b.steps) {
            QVERIFY2(b.done >= a.done, qPrintable(u"%1: %2 after %3"_s.arg(b.stage).arg(b.done).arg(a.done)));
        } else if (a.steps > 0) {
            QCOMPARE(a.done, a.steps);
        }
    }
    if (reports.last().steps > 0)
        QCOMPARE(reports.last().done, reports.last().steps);
}

} // namespace

class TestBackup : public QObject {
    Q_OBJECT
private slots:
    void backupHoldsTheWholeDatabase();
    void backupIsOfOneMoment();
    void unfinishedBackupIsNamedAndRemoved();
    void backupProposesLastName();
    void backupAsksBeforeOverwriting_data();
    void backupAsksBeforeOverwriting();
    void failedBackupSaysWhat_data();
    void failedBackupSaysWhat();
    void backupCancelled();
    void restoreGoodBackup();
    void restoreWhileTheFileIsHeld_data();
    void restoreWhileTheFileIsHeld();
    void restoreBesideAJournalNeverWritten();
    void restoreTakesInWhatStandsBeside_data();
    void restoreTakesInWhatStandsBeside();
    void restoreJudgesTheChosenFilesJournal_data();
    void restoreJudgesTheChosenFilesJournal();
    void restoreHoldsTheFileUntilItIsReplaced();
    void leftoversRemovedAtStart();
    void restoreRefused_data();
    void restoreRefused();
    void restoreRefusesDamage_data();
    void restoreRefusesDamage();
    void restoreCancelledInItsWork_data();
    void restoreCancelledInItsWork();
    void restoreCancelled_data();
    void restoreCancelled();
    void backupThenRestoreFromMenu();
};

// The backup is a database file of its own: every row, no log beside it,
// its header in the rollback journal's mode so that it opens anywhere.
void TestBackup::backupHoldsTheWholeDatabase()
{
    test::TestDatabase database;
    database.db().exec(u"UPDATE wslo SET abcd = ?"_s, {u"备份前"_s});
    addCases(300, u"城关饭店"_s);
    QTemporaryDir dir;
    const QString target = dir.path() + u"/bc_kelm"_s;
    RecordingProgress progress;
    const BackupResult result = backupDatabase(database.path(), target, progress);
    QCOMPARE(result.outcome, BackupOutcome::Done);
    QCOMPARE(filesIn(dir.path()), QStringList{u"bc_kelm"_s});
    const QByteArray header = contents(target).left(20);
    QCOMPARE(header.left(16), QByteArray("SQLite format 3\0", 16));
    QCOMPARE(int(header[18]), 1);
    QCOMPARE(int(header[19]), 1);
    QCOMPARE(rowsOf(target), liveRows());
    SQLite::Database copy(target.toStdString(), SQLite::OPEN_READONLY);
    QCOMPARE(copy.execAndGet("PRAGMA integrity_check").getString(), std::string("ok"));
    verifyInOrder(progress.reports);
    QVERIFY(progress.reports.last().steps > 1);
    // The program writes on afterwards.
    database.db().exec(u"UPDATE wslo SET abcd = 'x'"_s);
    QCOMPARE(marker(), backupMarker);
}

// A write that comes while the backup runs waits for it and is not in it:
// the backup is the database of the moment it began.
void TestBackup::backupIsOfOneMoment()
{
    test::TestDatabase database;
    addCases(2000, u"备份时"_s);
    const QStringList before = liveRows();
    QTemporaryDir dir;
    const QString target = dir.path() + u"/bc_kelm"_s;
    // A writer of its own starts while the copy is half done, and the copy
    // goes on only once the writer holds the write lock: its write surely
    // comes while the backup reads.
    struct WriteMidway : RecordingProgress {
        QString path;
        std::thread writer;
        std::atomic<bool> written = false;
        bool overlapped = false;
        void advance(qint64 done) override
        {
            RecordingProgress::advance(done);
            if (!writer.joinable() && done > 0) {
                writer = std::thread([this] {
                    Database other(path, storedSchema());
                    other.exec(u"UPDATE xzcf SET dwmc = '备份后'"_s);
                    written = true;
                });
                overlapped = writeLockTaken(path) && !written;
            }
        }
    } progress;
    progress.path = database.path();
    QCOMPARE(backupDatabase(database.path(), target, progress).outcome, BackupOutcome::Done);
    QVERIFY(progress.writer.joinable());
    progress.writer.join();
    QVERIFY2(progress.overlapped, "the writer did not write while the backup ran");
    QVERIFY(progress.written);
    QCOMPARE(rowsOf(target), before);
    QCOMPARE(db().scalar(u"SELECT count(*) FROM xzcf WHERE dwmc = '备份后'"_s), u"2000"_s);
}

// A backup under way is a file plainly named unfinished beside its target;
// what a killed backup left so is removed by the next backup there, not a
// file of another name nor a backup that another program is making.
void TestBackup::unfinishedBackupIsNamedAndRemoved()
{
    test::TestDatabase database;
    addCases(2000, u"城关饭店"_s);
    QTemporaryDir dir;
    const QString target = dir.path() + u"/bc_kelm"_s;
    const QStringList leftovers{u"bc_kelm.未完成.0badf00d.part"_s, u"bc_kelm.未完成.0badf00d.part-journal"_s,
                                u"bc_kelm.1a2b3c4d.part"_s};
    const QStringList others{u"bc_kelm.未完成.part"_s, u"bc_kelm2.未完成.1a2b3c4d.part"_s,
                             u"bc_kelm.未完成.77777777.part"_s};
    for (const QString &name : leftovers + others)
        write(dir.filePath(name), "unfinished");
    // The last one is still being made by a running program.
    QFile held(dir.filePath(others.last()));
    QVERIFY(held.open(QIODevice::ReadOnly));
    QCOMPARE(::flock(held.handle(), LOCK_EX), 0);

    struct SeeUnfinished : RecordingProgress {
        QString dir;
        QStringList seen;
        void advance(qint64 done) override
        {
            RecordingProgress::advance(done);
            if (seen.isEmpty())
                seen = QDir(dir).entryList({u"bc_kelm.未完成.*.part"_s}, QDir::Files);
        }
    } progress;
    progress.dir = dir.path();
    QCOMPARE(backupDatabase(database.path(), target, progress).outcome, BackupOutcome::Done);
    QCOMPARE(progress.seen.size(), 2);
    QCOMPARE(progress.seen.filter(u"77777777"_s).size(), 1);
    QStringList expected = others;
    expected << u"bc_kelm"_s;
    expected.sort();
    QStringList left = filesIn(dir.path());
    left.sort();
    QCOMPARE(left, expected);
}

void TestBackup::backupProposesLastName()
{
    test::TestDatabase database;
    auto &messages = test::ScriptedMessages::install();
    auto &dialogs = test::ScriptedFileDialogs::install();
    QTemporaryDir dir;
    const QString first = dir.path() + u"/eins.bak"_s;
    const QString second = dir.path() + u"/zwei.bak"_s;
    dialogs.choose(first);
    dialogs.choose(second);
    dialogs.choose(QString());
    MainWindow main;
    QCOMPARE(main.proposedFileName(), u"bc_kelm"_s);
    for (int i = 0; i < 2; ++i)
        main.findChild<QAction *>(u"bf"_s)->trigger();
    messages.answer(Answer::Ok);
    main.findChild<QAction *>(u"hf"_s)->trigger();
    QCOMPARE(dialogs.shown.size(), 3);
    QCOMPARE(dialogs.shown[0].proposed, u"bc_kelm"_s);
    QCOMPARE(dialogs.shown[1].proposed, first);
    QCOMPARE(dialogs.shown[2].proposed, second);
    QVERIFY(dialogs.shown[0].save);
    QVERIFY(!dialogs.shown[2].save);
    for (const auto &d : dialogs.shown)
        QCOMPARE(d.title, u"选择备份文件"_s);
    QCOMPARE(messages.shown.size(), 3);
    QCOMPARE(messages.shown[0].text, u"数据备份完成。"_s);
    QCOMPARE(messages.shown[0].title, u"提示"_s);
    QCOMPARE(rowsOf(first), liveRows());
    QCOMPARE(rowsOf(second), liveRows());
}

void TestBackup::backupAsksBeforeOverwriting_data()
{
    QTest::addColumn<bool>("thenReplace");
    QTest::newRow("declined, then replaced") << true;
    QTest::newRow("declined, then dialog cancelled") << false;
}

void TestBackup::backupAsksBeforeOverwriting()
{
    QFETCH(bool, thenReplace);
    test::TestDatabase database;
    auto &messages = test::ScriptedMessages::install();
    auto &dialogs = test::ScriptedFileDialogs::install();
    QTemporaryDir dir;
    const QString existing = dir.path() + u"/alt.bak"_s;
    write(existing, "old backup");
    // Declining returns to the dialog.
    dialogs.choose(existing);
    messages.answer(Answer::No);
    dialogs.choose(thenReplace ? existing : QString());
    if (thenReplace) {
        messages.answer(Answer::Yes);
        messages.answer(Answer::Ok);
    }
    QString name = u"bc_kelm"_s;
    backUpFromMenu(nullptr, name);
    QCOMPARE(dialogs.shown.size(), 2);
    QCOMPARE(dialogs.shown[1].proposed, existing);
    QVERIFY(messages.shown[0].text.contains(u"已存在"_s));
    QCOMPARE(messages.shown[0].buttons, Buttons::YesNo);
    if (thenReplace) {
        QCOMPARE(messages.shown.size(), 3);
        QCOMPARE(messages.shown[2].text, u"数据备份完成。"_s);
        QCOMPARE(rowsOf(existing), liveRows());
        QCOMPARE(name, existing);
    } else {
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(contents(existing), QByteArray("old backup"));
        QCOMPARE(name, u"bc_kelm"_s);
    }
    QCOMPARE(filesIn(dir.path()), QStringList{u"alt.bak"_s});
    QCOMPARE(messages.unexpected, 0);
}

// A backup that cannot be made says so and why, and leaves the target as
// it was and nothing beside it.
void TestBackup::failedBackupSaysWhat_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("says");
    QTest::newRow("the database file itself") << u"live"_s << u"数据库文件本身"_s;
    QTest::newRow("the database's journal") << u"-journal"_s << u"kelm.mdb-journal 是数据库文件的日志文件"_s;
    QTest::newRow("the database's log") << u"-wal"_s << u"kelm.mdb-wal 是数据库文件的日志文件"_s;
    QTest::newRow("the database's log index") << u"-shm"_s << u"kelm.mdb-shm 是数据库文件的日志文件"_s;
    QTest::newRow("a folder that does not exist") << u"missing folder"_s << u"无法在"_s;
    QTest::newRow("a folder in the file's place") << u"folder"_s << u"无法写入文件"_s;
}

void TestBackup::failedBackupSaysWhat()
{
    QFETCH(QString, kind);
    QFETCH(QString, says);
    test::TestDatabase database;
    const QByteArray live = contents(database.path());
    QTemporaryDir dir;
    QString target = dir.path() + u"/bc_kelm"_s;
    if (kind == u"live"_s) {
        // The same file by another spelling of its path.
        target = database.dir() + u"/./kelm.mdb"_s;
    } else if (kind.startsWith(u'-')) {
        target = database.dir() + u"/../"_s + QFileInfo(database.dir()).fileName() + u"/kelm.mdb"_s + kind;
    } else if (kind == u"missing folder"_s) {
        target = dir.path() + u"/missing/folder/bc_kelm"_s;
    } else {
        QVERIFY(QDir(dir.path()).mkdir(u"bc_kelm"_s));
    }
    auto &messages = test::ScriptedMessages::install();
    auto &dialogs = test::ScriptedFileDialogs::install();
    dialogs.choose(target);
    if (QFileInfo::exists(target))
        messages.answer(Answer::Yes);
    messages.answer(Answer::Ok);
    QString name = u"bc_kelm"_s;
    backUpFromMenu(nullptr, name);
    const Message &error = messages.shown.last();
    QCOMPARE(error.title, u"错误"_s);
    QVERIFY2(error.text.startsWith(u"数据备份失败："_s) && error.text.contains(says), qPrintable(error.text));
    QCOMPARE(contents(database.path()), live);
    QCOMPARE(marker(), backupMarker);
    QCOMPARE(filesIn(dir.path()), QStringList());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
             kind == u"folder"_s ? QStringList{u"bc_kelm"_s} : QStringList());
    QCOMPARE(filesIn(database.dir()), QStringList{u"kelm.mdb"_s});
    QCOMPARE(messages.unexpected, 0);
}

// Cancelled at any point of the copy: the old backup stands as it was and
// no unfinished file is left.
void TestBackup::backupCancelled()
{
    test::TestDatabase database;
    addCases(2000, u"城关饭店"_s);
    QTemporaryDir dir;
    const QString target = dir.path() + u"/bc_kelm"_s;
    write(target, "old backup");
    RecordingProgress progress;
    progress.cancelInStage = u"正在备份"_s;
    QCOMPARE(backupDatabase(database.path(), target, progress).outcome, BackupOutcome::Cancelled);
    QCOMPARE(contents(target), QByteArray("old backup"));
    QCOMPARE(filesIn(dir.path()), QStringList{u"bc_kelm"_s});
}

void TestBackup::restoreGoodBackup()
{
    test::TestDatabase database;
    QTemporaryDir dir;
    const QString backup = dir.path() + u"/bc_kelm"_s;
    database.db().exec(u"UPDATE wslo SET abcd = 'gesichert'"_s);
    addCases(500, u"备份中"_s);
    QCOMPARE(backupDatabase(database.path(), backup).outcome, BackupOutcome::Done);
    const QStringList saved = rowsOf(backup);
    database.db().exec(u"UPDATE wslo SET abcd = 'danach'"_s);
    database.db().exec(u"DELETE FROM xzcf"_s);

    RecordingProgress progress;
    const RestoreResult result = restoreProgramDatabase(backup, progress);
    QCOMPARE(result.outcome, RestoreOutcome::Restored);
    // The connection is open again on the restored file.
    QCOMPARE(db().scalar(u"SELECT abcd FROM wslo"_s), u"gesichert"_s);
    QCOMPARE(liveRows(), saved);
    QCOMPARE(rowsOf(backup), saved);
    verifyInOrder(progress.reports);
    QStringList stages;
    for (const auto &r : progress.reports)
        if (stages.isEmpty() || stages.last() != r.stage)
            stages << r.stage;
    QCOMPARE(stages, (QStringList{u"正在复制备份文件……"_s, u"正在检查备份文件……"_s, u"正在恢复数据……"_s}));
    QCOMPARE(progress.reports.first().steps, QFileInfo(backup).size());
    closeDatabase();
    QCOMPARE(filesIn(database.dir()), QStringList{u"kelm.mdb"_s});
    QCOMPARE(rowsOf(database.path()), saved);
}

// Another program has the live file open, idle or in a save: the file is
// not replaced under it, or it would write on into the old file. The
// refusal names the program; work of this program's own that still holds
// the file is told as such.
void TestBackup::restoreWhileTheFileIsHeld_data()
{
    QTest::addColumn<QString>("holder");
    QTest::addColumn<QString>("says");
    QTest::newRow("another program, idle") << u"open"_s << u"正被程序“%1”（进程号 %2）使用"_s;
    QTest::newRow("another program in a save, its journal beside the file") << u"write"_s
                                                                             << u"正被程序“%1”（进程号 %2）使用"_s;
    QTest::newRow("another connection of this program") << u"this"_s << u"本程序仍有一项工作在使用数据库文件"_s;
}

void TestBackup::restoreWhileTheFileIsHeld()
{
    QFETCH(QString, holder);
    QFETCH(QString, says);
    test::TestDatabase database;
    QTemporaryDir dir;
    const QString backup = dir.path() + u"/bc_kelm"_s;
    QCOMPARE(backupDatabase(database.path(), backup).outcome, BackupOutcome::Done);
    addCases(10, u"留下"_s);
    const QStringList live = liveRows();
    closeDatabase();
    {
        std::optional<Database> own;
        std::optional<test::OtherProgram> other;
        if (holder == u"this"_s) {
            own.emplace(database.path(), storedSchema());
        } else {
            other.emplace(database.path(),
                          holder == u"write"_s ? test::OtherProgram::Hold::Write : test::OtherProgram::Hold::Open);
            QVERIFY(other->holding());
            QCOMPARE(QFileInfo::exists(database.path() + u"-journal"_s), holder == u"write"_s);
            says = says.arg(test::OtherProgram::name()).arg(other->pid());
        }
        const RestoreResult result = restoreDatabase(backup, database.path());
        QCOMPARE(result.outcome, RestoreOutcome::Refused);
        QVERIFY2(result.detail.contains(says), qPrintable(result.detail));
        // The menu's look before the work says the same.
        QCOMPARE(checkLiveFile(database.path()).refusal, result.detail);
    }
    QCOMPARE(liveRows(), live);
    closeDatabase();
    QCOMPARE(filesIn(database.dir()), QStringList{u"kelm.mdb"_s});
    QCOMPARE(filesIn(dir.path()), QStringList{u"bc_kelm"_s});
}

// A save killed before its journal was first written leaves a journal that
// holds nothing: it stops no restore, and goes with the old file.
void TestBackup::restoreBesideAJournalNeverWritten()
{
    test::TestDatabase database;
    QTemporaryDir dir;
    const QString backup = dir.path() + u"/bc_kelm"_s;
    database.db().exec(u"UPDATE wslo SET abcd = 'gesichert'"_s);
    QCOMPARE(backupDatabase(database.path(), backup).outcome, BackupOutcome::Done);
    database.db().exec(u"UPDATE wslo SET abcd = 'danach'"_s);
    closeDatabase();
    {
        test::OtherProgram killed(database.path(), test::OtherProgram::Hold::Write);
        QVERIFY(killed.holding());
        killed.kill();
    }
    QCOMPARE(journalState(database.path()), JournalState::Unwritten);

    auto &messages = test::ScriptedMessages::install();
    auto &dialogs = test::ScriptedFileDialogs::install();
    messages.answer(Answer::Ok);
    dialogs.choose(backup);
    messages.answer(Answer::Ok);
    QString name = u"bc_kelm"_s;
    restoreFromMenu(nullptr, name);
    QCOMPARE(messages.shown.size(), 2);
    QCOMPARE(messages.shown[1].text, u"数据恢复完成。"_s);
    QCOMPARE(db().scalar(u"SELECT abcd FROM wslo"_s), u"gesichert"_s);
    closeDatabase();
    QCOMPARE(filesIn(database.dir()), QStringList{u"kelm.mdb"_s});
}

// The chosen file with what the engine left beside it: the rows of a log
// are restored, a crashed commit is rolled back, and the chosen files are
// only read.
void TestBackup::restoreTakesInWhatStandsBeside_data()
{
    QTest::addColumn<QString>("side");
    QTest::addColumn<bool>("spilled");
    QTest::newRow("a log with rows") << u"-wal"_s << false;
    QTest::newRow("the journal of a crashed commit") << u"-journal"_s << true;
    QTest::newRow("a journal never written") << u"-journal"_s << false;
}

void TestBackup::restoreTakesInWhatStandsBeside()
{
    QFETCH(QString, side);
    QFETCH(bool, spilled);
    test::TestDatabase database;
    addCases(2000, u"备份中"_s);
    QTemporaryDir dir;
    const QString backup = dir.path() + u"/bc_kelm"_s;
    QCOMPARE(backupDatabase(database.path(), backup).outcome, BackupOutcome::Done);
    const QString chosen = dir.path() + u"/chosen"_s;
    QStringList expected;
    {
        SQLite::Database writer(backup.toStdString(), SQLite::OPEN_READWRITE);
        std::optional<SQLite::Transaction> crashed;
        if (side == u"-wal"_s) {
            writer.exec("PRAGMA journal_mode=WAL");
            writer.exec("PRAGMA wal_autocheckpoint=0");
            writer.exec("UPDATE xzcf SET dwmc = '只在日志里'");
            expected = rowsOf(writer);
        } else {
            expected = rowsOf(writer);
            // A small cache spills changed pages into the file before the
            // commit, as a large commit does; a small one keeps them, and
            // its journal is not written before the commit.
            if (spilled)
                writer.exec("PRAGMA cache_size=10");
            crashed.emplace(writer);
            writer.exec("UPDATE xzcf SET dwmc = '半途而废的修改'");
        }
        // What a crash leaves: the file and its journal or log as they stand.
        QVERIFY(QFile::copy(backup, chosen));
        QVERIFY(QFile::copy(backup + side, chosen + side));
    }
    if (side == u"-journal"_s) {
        QCOMPARE(contents(chosen).contains(u"半途而废的修改"_s.toUtf8()), spilled);
        QCOMPARE(journalState(chosen), spilled ? JournalState::Hot : JournalState::Unwritten);
    }
    const QByteArray offered = contents(chosen), offeredSide = contents(chosen + side);

    QCOMPARE(restoreProgramDatabase(chosen).outcome, RestoreOutcome::Restored);
    QCOMPARE(liveRows(), expected);
    QCOMPARE(db().scalar(u"PRAGMA integrity_check"_s), u"ok"_s);
    QCOMPARE(contents(chosen), offered);
    QCOMPARE(contents(chosen + side), offeredSide);
    closeDatabase();
    QCOMPARE(filesIn(database.dir()), QStringList{u"kelm.mdb"_s});
    QCOMPARE(rowsOf(database.path()), expected);
}

// A journal beside the chosen file is judged as the database's own is: one
// that another file's crash left is not rolled into the restored data, and
// one that does not show whose it is stops the restore. The chosen files
// are only read.
void TestBackup::restoreJudgesTheChosenFilesJournal_data()
{
    QTest::addColumn<QString>("journal");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("another database's journal") << u"another's"_s << QString();
    QTest::newRow("a journal whose start is damaged") << u"damaged"_s << u"（它的开头已损坏）"_s;
    QTest::newRow("a pipe in the journal's place") << u"pipe"_s << u"（它不是普通文件）"_s;
}

void TestBackup::restoreJudgesTheChosenFilesJournal()
{
    QFETCH(QString, journal);
    QFETCH(QString, refusal);
    test::TestDatabase database;
    QTemporaryDir dir;
    const QString chosen = dir.path() + u"/bc_kelm"_s;
    addCases(300, u"备份中"_s);
    QCOMPARE(backupDatabase(database.path(), chosen).outcome, BackupOutcome::Done);
    const QStringList backedUp = rowsOf(chosen);
    addCases(10, u"留下"_s);
    const QStringList live = liveRows();
    closeDatabase();
    const QString other = dir.path() + u"/other.mdb"_s;
    QVERIFY(QFile::copy(test::preparedTemplate(), other));
    QVERIFY(QFile::setPermissions(other, QFile::ReadOwner | QFile::WriteOwner));
    test::crashInsideSave(other, test::SaveUnderWay::Kind::Spilled);
    QVERIFY(QFile::rename(journalPath(other), journalPath(chosen)));
    if (journal == u"damaged"_s) {
        QFile file(journalPath(chosen));
        QVERIFY(file.open(QIODevice::ReadWrite) && file.seek(2) && file.write("\0", 1) == 1);
    } else if (journal == u"pipe"_s) {
        QVERIFY(QFile::remove(journalPath(chosen)));
        QCOMPARE(::mkfifo(QFile::encodeName(journalPath(chosen)).constData(), 0600), 0);
    }
    const QByteArray offered = contents(chosen);
    const QByteArray offeredJournal = journal == u"pipe"_s ? QByteArray() : contents(journalPath(chosen));

    const RestoreResult result = restoreProgramDatabase(chosen);
    if (!refusal.isEmpty()) {
        QCOMPARE(result.outcome, RestoreOutcome::Refused);
        QVERIFY2(result.detail.contains(u"无法判断它是否属于这个文件"_s + refusal)
                     && result.detail.contains(u"请把这两个文件一起交给"_s),
                 qPrintable(result.detail));
        QCOMPARE(liveRows(), live);
    } else {
        QVERIFY2(result.outcome == RestoreOutcome::Restored, qPrintable(result.detail));
        QCOMPARE(liveRows(), backedUp);
    }
    QCOMPARE(db().scalar(u"PRAGMA integrity_check"_s), u"ok"_s);
    QCOMPARE(contents(chosen), offered);
    if (journal != u"pipe"_s)
        QCOMPARE(contents(journalPath(chosen)), offeredJournal);
    closeDatabase();
    QCOMPARE(filesIn(database.dir()), QStringList{u"kelm.mdb"_s});
}

// From the look at who uses the live file to the rename, the restore holds
// the file's locks: a save another program begins meanwhile waits until the
// file is replaced, and its journal is not removed under it.
void TestBackup::restoreHoldsTheFileUntilItIsReplaced()
{
    test::TestDatabase database;
    QTemporaryDir dir;
    const QString backup = dir.path() + u"/bc_kelm"_s;
    QCOMPARE(backupDatabase(database.path(), backup).outcome, BackupOutcome::Done);
    addCases(10, u"留下"_s);
    closeDatabase();
    struct SaveMeanwhile : RecordingProgress {
        QString live;
        std::optional<bool> couldSave;
        std::optional<QProcess> saver;
        void stage(const QString &text, qint64 steps, bool cancellable) override
        {
            RecordingProgress::stage(text, steps, cancellable);
            if (!text.startsWith(u"正在恢复数据"_s))
                return;
            couldSave = test::anotherProcessCanSave(live);
            saver.emplace();
            saver->start(test::helperProgram(test::Helper::Holder), {live, u"write"_s});
            QVERIFY(saver->waitForStarted());
        }
    } progress;
    progress.live = database.path();

    QCOMPARE(restoreDatabase(backup, database.path(), progress, UnseenProcesses::Accept).outcome,
             RestoreOutcome::Restored);
    QVERIFY(progress.couldSave.has_value());
    QVERIFY2(!*progress.couldSave, "another program could begin a save while the file was being replaced");
    // The save begun meanwhile goes on once the file is replaced, with its
    // journal beside it.
    QByteArray said;
    while (!said.contains("holding") && progress.saver->waitForReadyRead(20000))
        said += progress.saver->readAllStandardOutput();
    QVERIFY2(said.contains("holding"), progress.saver->readAllStandardError().constData());
    QVERIFY(QFileInfo::exists(journalPath(database.path())));
    progress.saver->closeWriteChannel();
    QVERIFY(progress.saver->waitForFinished());
    QCOMPARE(progress.saver->exitCode(), 0);
    QCOMPARE(rowsOf(database.path()), rowsOf(backup));
}

// A restore killed at any moment leaves its copy beside the database; the
// next start removes it, and a journal or log whose copy is already gone,
// but nothing of another name nor a copy that a running program is still
// making.
void TestBackup::leftoversRemovedAtStart()
{
    test::TestDatabase database;
    const QDir folder(database.dir());
    const QStringList leftovers{u"kelm.mdb.未完成.0badf00d.part"_s,         u"kelm.mdb.未完成.0badf00d.part-wal"_s,
                                u"kelm.mdb.未完成.0badf00d.part-shm"_s,     u"kelm.mdb.3fa2c1d0.part"_s,
                                u"kelm.mdb.未完成.5eed5eed.part-journal"_s, u"kelm.mdb.4e4e4e4e.part-wal"_s};
    const QStringList others{u"kelm.mdb.part"_s,
                             u"kelm.mdb.备份.part"_s,
                             u"kelm.mdb.未完成.3FA2C1D0.part"_s,
                             u"kelm2.mdb.未完成.0badf00d.part"_s,
                             u"kelm.mdb.未完成.5eed5eed.part-journal.bak"_s,
                             u"kelm.mdb.未完成.12345678.part-journal"_s,
                             u"kelm.mdb.未完成.12345678.part"_s};
    for (const QString &name : leftovers + others)
        write(folder.filePath(name), "unfinished");
    QFile held(folder.filePath(others.last()));
    QVERIFY(held.open(QIODevice::ReadOnly));
    QCOMPARE(::flock(held.handle(), LOCK_EX), 0);
    closeDatabase();

    auto &messages = test::ScriptedMessages::install();
    QVERIFY(startSession());
    QCOMPARE(messages.shown.size(), 0);
    QStringList expected = others;
    expected << u"kelm.mdb"_s;
    expected.sort();
    QStringList left = filesIn(database.dir());
    left.sort();
    QCOMPARE(left, expected);
    for (QWidget *w : QApplication::topLevelWidgets())
        w->close();
}

void TestBackup::restoreRefused_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("wrong marker Vorozi") << u"marker Vorozi"_s << notABackup;
    QTest::newRow("empty marker") << u"marker "_s << notABackup;
    QTest::newRow("no marker at all") << u"marker null"_s << notABackup;
    QTest::newRow("other schema") << u"schema"_s << notABackup;
    QTest::newRow("other schema version") << u"version"_s << notABackup;
    QTest::newRow("text file") << u"text"_s << unknownError;
    QTest::newRow("empty file") << u"empty"_s << unknownError;
    QTest::newRow("truncated database") << u"truncated"_s << unknownError;
    QTest::newRow("bytes flipped") << u"flipped"_s << unknownError;
    QTest::newRow("no table wslo") << u"no wslo"_s << unknownError;
    QTest::newRow("wslo without a row") << u"no row"_s << unknownError;
    QTest::newRow("file does not exist") << u"missing"_s
                                         << u"不能进行数据恢复！\n无法读取文件 %1：文件或文件夹不存在"_s;
    QTest::newRow("the live file itself")
        << u"live"_s << u"不能进行数据恢复！\n选择的文件 %1 就是本程序正在使用的数据库文件。请选择一个备份文件。"_s;
}

void TestBackup::restoreRefused()
{
    QFETCH(QString, kind);
    QFETCH(QString, message);
    test::TestDatabase database;
    database.db().exec(u"UPDATE wslo SET abcd = 'lebend'"_s);
    addCases(500, u"城关饭店"_s);
    const QStringList live = liveRows();
    QTemporaryDir dir;
    QString source = dir.path() + u"/bc_kelm"_s;
    QCOMPARE(backupDatabase(database.path(), source).outcome, BackupOutcome::Done);
    auto change = [&](const QString &sql) {
        SQLite::Database other(source.toStdString(), SQLite::OPEN_READWRITE);
        other.exec(sql.toStdString());
    };
    if (kind == u"marker null"_s) {
        change(u"UPDATE wslo SET bz = NULL"_s);
    } else if (kind.startsWith(u"marker "_s)) {
        change(u"UPDATE wslo SET bz = '%1'"_s.arg(kind.mid(7)));
    } else if (kind == u"text"_s) {
        write(source, "Dies ist keine Datenbank.\n");
    } else if (kind == u"empty"_s) {
        write(source, {});
    } else if (kind == u"truncated"_s) {
        const QByteArray whole = contents(source);
        write(source, whole.left(whole.size() / 2));
    } else if (kind == u"flipped"_s) {
        // Bytes of the cases' pages, far from the header and from wslo.
        QByteArray bytes = contents(source);
        for (qsizetype i = bytes.size() / 2; i < bytes.size() / 2 + 4096; ++i)
            bytes[i] = char(~bytes[i]);
        write(source, bytes);
    } else if (kind == u"schema"_s) {
        change(u"DROP TABLE jktj"_s);
    } else if (kind == u"version"_s) {
        change(u"PRAGMA user_version = 99"_s);
    } else if (kind == u"no wslo"_s) {
        change(u"DROP TABLE wslo"_s);
    } else if (kind == u"no row"_s) {
        change(u"DELETE FROM wslo"_s);
    } else if (kind == u"missing"_s) {
        source = dir.path() + u"/nicht_da"_s;
    } else if (kind == u"live"_s) {
        source = database.path();
    }
    const QByteArray offered = contents(source);

    auto &messages = test::ScriptedMessages::install();
    auto &dialogs = test::ScriptedFileDialogs::install();
    messages.answer(Answer::Ok);
    dialogs.choose(source);
    QString name = u"bc_kelm"_s;
    restoreFromMenu(nullptr, name);
    QCOMPARE(messages.shown.size(), 2);
    QCOMPARE(messages.shown[1].text, QString(message).replace(u"%1"_s, source));
    QCOMPARE(messages.shown[1].title, u"错误"_s);
    QCOMPARE(liveRows(), live);
    // The chosen file is only read (the live file's log may have gone into it).
    if (kind != u"live"_s)
        QCOMPARE(contents(source), offered);
    QCOMPARE(QFileInfo::exists(source), kind != u"missing"_s);
    closeDatabase();
    QCOMPARE(filesIn(database.dir()), QStringList{u"kelm.mdb"_s});
    QCOMPARE(rowsOf(database.path()), live);
}

void TestBackup::restoreRefusesDamage_data()
{
    QTest::addColumn<QString>("kind");
    // What the damage passes: the check of the whole file without the
    // indexes' contents, or the checks of each table with its indexes.
    QTest::addColumn<QString>("passes");
    QTest::newRow("a table's page overwritten") << u"table"_s << QString();
    QTest::newRow("an index whose entries name other values") << u"index"_s << u"the whole file"_s;
    QTest::newRow("a free page beyond the end of the file") << u"freelist"_s << u"each table"_s;
    QTest::newRow("a page that belongs to nothing") << u"orphan"_s << u"each table"_s;
}

// Every damage the engine's full check finds, the restore's check finds
// too, also where only one of the checks it is made of can see it.
void TestBackup::restoreRefusesDamage()
{
    QFETCH(QString, kind);
    QFETCH(QString, passes);
    test::TestDatabase database;
    addCases(500, u"城关饭店"_s);
    const QStringList live = liveRows();
    QTemporaryDir dir;
    const QString source = dir.path() + u"/bc_kelm"_s;
    QCOMPARE(backupDatabase(database.path(), source).outcome, BackupOutcome::Done);
    spoil(source, kind);
    QVERIFY(verdict(source, "pragma_integrity_check") != u"ok"_s);
    if (passes == u"each table"_s) {
        for (const QString &table : tablesOf(source))
            QCOMPARE(verdict(source, "pragma_integrity_check", table), u"ok"_s);
    } else if (passes == u"the whole file"_s) {
        QCOMPARE(verdict(source, "pragma_quick_check"), u"ok"_s);
    }

    RecordingProgress progress;
    QCOMPARE(restoreProgramDatabase(source, progress).outcome, RestoreOutcome::Unknown);
    QCOMPARE(liveRows(), live);
    closeDatabase();
    QCOMPARE(filesIn(database.dir()), QStringList{u"kelm.mdb"_s});
}

// Cancelled while the copy is made or checked: the live file is as it was
// and no copy is left beside it.
void TestBackup::restoreCancelledInItsWork_data()
{
    QTest::addColumn<QString>("stage");
    QTest::newRow("copying") << u"正在复制"_s;
    QTest::newRow("checking") << u"正在检查"_s;
}

void TestBackup::restoreCancelledInItsWork()
{
    QFETCH(QString, stage);
    test::TestDatabase database;
    QTemporaryDir dir;
    const QString backup = dir.path() + u"/bc_kelm"_s;
    addCases(2000, u"备份中"_s);
    QCOMPARE(backupDatabase(database.path(), backup).outcome, BackupOutcome::Done);
    database.db().exec(u"UPDATE wslo SET abcd = 'lebend'"_s);
    const QStringList live = liveRows();
    RecordingProgress progress;
    progress.cancelInStage = stage;
    QCOMPARE(restoreProgramDatabase(backup, progress).outcome, RestoreOutcome::Cancelled);
    QCOMPARE(liveRows(), live);
    closeDatabase();
    QCOMPARE(filesIn(database.dir()), QStringList{u"kelm.mdb"_s});
}

void TestBackup::restoreCancelled_data()
{
    QTest::addColumn<bool>("atQuestion");
    QTest::newRow("取消 in the warning") << true;
    QTest::newRow("cancel in the dialog") << false;
}

void TestBackup::restoreCancelled()
{
    QFETCH(bool, atQuestion);
    test::TestDatabase database;
    const QByteArray live = contents(database.path());
    auto &messages = test::ScriptedMessages::install();
    auto &dialogs = test::ScriptedFileDialogs::install();
    messages.answer(atQuestion ? Answer::Cancel : Answer::Ok);
    dialogs.choose(QString());
    QString name = u"bc_kelm"_s;
    restoreFromMenu(nullptr, name);
    QCOMPARE(messages.shown.size(), 1);
    const Message &warning = messages.shown[0];
    QCOMPARE(warning.text, u"恢复数据将用备份数据替换当前数据，现有数据将丢失，确认恢复数据吗？"_s);
    QCOMPARE(warning.title, u"警告"_s);
    QCOMPARE(warning.buttons, Buttons::OkCancel);
    QCOMPARE(warning.icon, Icon::Question);
    QCOMPARE(dialogs.shown.size(), atQuestion ? 0 : 1);
    QCOMPARE(contents(database.path()), live);
    QCOMPARE(name, u"bc_kelm"_s);
}

void TestBackup::backupThenRestoreFromMenu()
{
    test::TestDatabase database;
    auto &messages = test::ScriptedMessages::install();
    auto &dialogs = test::ScriptedFileDialogs::install();
    QTemporaryDir dir;
    const QString backup = dir.path() + u"/bc_kelm"_s;
    dialogs.choose(backup);
    dialogs.choose(backup);
    messages.answer(Answer::Ok);
    messages.answer(Answer::Ok);
    messages.answer(Answer::Ok);
    MainWindow main;
    main.findChild<QAction *>(u"bf"_s)->trigger();
    db().exec(u"UPDATE wslo SET abcd = 'neu'"_s);
    main.findChild<QAction *>(u"hf"_s)->trigger();
    QStringList texts;
    for (const Message &m : messages.shown)
        texts << m.text;
    QCOMPARE(texts, (QStringList{u"数据备份完成。"_s,
                                 u"恢复数据将用备份数据替换当前数据，现有数据将丢失，确认恢复数据吗？"_s,
                                 u"数据恢复完成。"_s}));
    QCOMPARE(messages.shown[2].title, u"提示"_s);
    QCOMPARE(db().scalar(u"SELECT abcd FROM wslo"_s), initialPassword);
    QCOMPARE(messages.unexpected, 0);
}

QTEST_MAIN(TestBackup)
#include "tst_backup.moc"
