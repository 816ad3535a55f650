// A journal beside kelm.mdb is applied only to the file it was written for.
// Every journal here is what a real crash leaves: a writer process killed
// inside its save, of this program or of another that does not mark the
// first page. The file's own journal rolls that save back; one left for
// another file, or for an older copy of this one, is moved aside with a
// notice and the file standing there opens as it is; one whose header was
// never written is removed; where the journal does not tell, copies of the
// file with and without it decide, and when they do not either the opening
// stops and changes nothing. Whatever happens, the file is checked after:
// the opening ends in a whole file or a refusal that says why. The journal
// of a save still under way, in another process or in this one, is left
// alone. Run once more with the system's process list hidden, the check is
// the same.
#include "data/connection.h"
#include "platform/database.h"
#include "platform/journalcheck.h"
#include "shell/backup.h"
#include "support/saveunderway.h"
#include "support/testdb.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <SQLiteCpp/SQLiteCpp.h>
#include <sqlite3.h>

#include <cstdio>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::test;
using Kind = SaveUnderWay::Kind;

namespace {

// Cases saved before each crash.
constexpr int savedCases = 20;

void writeBytes(const QString &path, qint64 at, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite) && f.seek(at) && f.write(bytes) == bytes.size());
}

QByteArray be32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

// The change counter in a database header.
quint32 changeCounter(const QByteArray &file) { return qFromBigEndian<quint32>(file.constData() + 24); }
quint32 changeCounter(const QString &path) { return changeCounter(contents(path)); }

// Saves count cases numbered from first, of the unit, in one transaction.
void addCases(Database &db, int first, int count, const QString &unit)
{
    Transaction tx(db);
    for (int i = first; i < first + count; ++i)
        db.insertRow(u"xzcf"_s, {u"dabh"_s, u"dwmc"_s}, {u"2001%1"_s.arg(i, 4, 10, QChar(u'0')), unit});
    tx.commit();
}

int cases(Database &db) { return db.scalar(u"SELECT count(*) FROM xzcf"_s).toInt(); }

QStringList filesIn(const QString &dir) { return QDir(dir).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot); }

// A message in the user's words: no Latin letter outside the paths it names.
bool inWords(QString message, const QStringList &paths)
{
    for (const QString &path : paths)
        message.remove(QDir::toNativeSeparators(path));
    return !message.isEmpty() && !message.contains(QRegularExpression(u"[A-Za-z]"_s));
}

// Why opening the file at path was refused; the test fails where it opened.
DbError openingRefused(const QString &path)
{
    try {
        Database opened(path, storedSchema());
    } catch (const DbError &e) {
        return e;
    }
    QTest::qFail("the file was opened", __FILE__, __LINE__);
    return DbError({});
}

// Replaces the file at path by a copy of source.
void copyOver(const QString &source, const QString &path)
{
    QVERIFY(QFile::remove(path));
    QVERIFY(QFile::copy(source, path));
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
}

enum Damage { Intact, Magic, PageSize, CutShort, Checksum, Garbage, LaterChecksum };

// The journal's sector size (its header's length) and page size.
std::pair<int, int> journalGeometry(const QString &journal)
{
    const QByteArray head = contents(journal).left(28);
    return {int(qFromBigEndian<quint32>(head.constData() + 20)), int(qFromBigEndian<quint32>(head.constData() + 24))};
}

void damageJournal(const QString &journal, Damage how)
{
    const auto [sector, pageSize] = journalGeometry(journal);
    switch (how) {
    case Intact: break;
    case Magic: writeBytes(journal, 3, "\x00"_ba); break;
    case PageSize: writeBytes(journal, 24, be32(1000)); break;
    case CutShort: QVERIFY(QFile::resize(journal, sector + 100)); break;
    case Checksum: {
        // A byte the record's checksum counts.
        const qint64 at = sector + 4 + pageSize - 200;
        writeBytes(journal, at, QByteArray(1, char(contents(journal).at(at) ^ 0x5a)));
        break;
    }
    case LaterChecksum: {
        // A byte the third record's checksum counts; its page number stays
        // right, so only the checksum tells.
        const qint64 at = sector + 2 * (4 + pageSize + 4) + 4 + pageSize - 200;
        writeBytes(journal, at, QByteArray(1, char(contents(journal).at(at) ^ 0x5a)));
        break;
    }
    case Garbage: {
        // Every record after the first, in place: the header still counts
        // them.
        const QByteArray bytes = contents(journal);
        QByteArray garbage(bytes.size() - (sector + 4 + pageSize + 4), '\0');
        for (qsizetype i = 0; i < garbage.size(); ++i)
            garbage[i] = char((i * 131 + 7) % 251);
        writeBytes(journal, sector + 4 + pageSize + 4, garbage);
        break;
    }
    }
}

// Which page the journal holds as its first record now, in the middle of a
// save, read by a function of the connection's own statements.
int firstJournalled = 0;
QString watchedJournal;

void readFirstJournalled(sqlite3_context *context, int, sqlite3_value **)
{
    const QByteArray journal = contents(watchedJournal);
    const int sector = journal.size() >= 28 ? qFromBigEndian<quint32>(journal.constData() + 20) : 0;
    firstJournalled = sector > 0 && journal.size() >= sector + 4 ? qFromBigEndian<quint32>(journal.constData() + sector)
                                                                 : -1;
    sqlite3_result_null(context);
}

enum Write { ExecAlone, InsertRow, AddRow, UpdateRows, WriteColumn, InTransaction };

} // namespace

class TestJournalCheck : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void theSameWithoutTheProcessList();
    void ownJournalRollsTheSaveBack_data();
    void ownJournalRollsTheSaveBack();
    void journalOfAnotherFileIsSetAside_data();
    void journalOfAnotherFileIsSetAside();
    void setAsideIsToldWhenTheFileThenFails_data();
    void setAsideIsToldWhenTheFileThenFails();
    void unwrittenJournalIsRemovedAndRestoreWorks();
    void undecidedJournalStopsTheOpening_data();
    void undecidedJournalStopsTheOpening();
    void whatIsNoJournalStopsTheOpening_data();
    void whatIsNoJournalStopsTheOpening();
    void damagedFileIsToldWithItsJournal_data();
    void damagedFileIsToldWithItsJournal();
    void checkLeftUndoneIsMadeAtTheNextStart_data();
    void checkLeftUndoneIsMadeAtTheNextStart();
    void savesUnderWayKeepTheirJournals_data();
    void savesUnderWayKeepTheirJournals();
    void everyWriteJournalsTheFirstPageFirst_data();
    void everyWriteJournalsTheFirstPageFirst();
};

void TestJournalCheck::ownJournalRollsTheSaveBack_data()
{
    QTest::addColumn<int>("save");
    QTest::newRow("killed while its pages spilled") << int(Kind::Spilled);
    // Killed once its commit has written the file, the first page with
    // its change counter one up and the seed of the save's journal in it.
    QTest::newRow("killed inside its commit") << int(Kind::InCommit);
    // Its journal holds no copy of the first page: copies of the file with
    // and without it show whose it is.
    QTest::newRow("another program's save, killed while its pages spilled") << int(Kind::Unmarked);
}

void TestJournalCheck::ownJournalRollsTheSaveBack()
{
    QFETCH(int, save);
    TestDatabase database;
    addCases(db(), 0, savedCases, u"城关饭店"_s);
    closeDatabase();
    const QByteArray before = contents(database.path());
    crashInsideSave(database.path(), Kind(save));
    QCOMPARE(journalState(database.path()), JournalState::Hot);
    QVERIFY(QFileInfo(database.path()).size() > before.size());
    QCOMPARE(changeCounter(database.path()) != changeCounter(before), Kind(save) == Kind::InCommit);

    QCOMPARE(cases(db()), savedCases);
    QCOMPARE(db().journalNotice(), QString());
    QCOMPARE(filesIn(database.dir()), QStringList{u"kelm.mdb"_s});
    QCOMPARE(contents(database.path()), before);
}

namespace {

enum CopiedOver { AnotherDatabase, OlderCopy, OneSaveAhead, SaveHeaderOverOwnPage };

} // namespace

void TestJournalCheck::journalOfAnotherFileIsSetAside_data()
{
    QTest::addColumn<int>("copiedOver");
    QTest::addColumn<int>("casesThere");
    // Larger than the crashed file was: rolled in, it was cut to that size.
    // (-1: as many as the copy took.)
    QTest::newRow("another database of the program") << int(AnotherDatabase) << 2000;
    QTest::newRow("an older copy of the same database") << int(OlderCopy) << savedCases;
    // Its first page is what the crashed save's commit would have written
    // but for the save's seed: same schema, change counter one up.
    QTest::newRow("another database one save ahead of the crashed file") << int(OneSaveAhead) << -1;
    // Its header is the one the save's commit writes, seed and all, but
    // the rest of its first page is not as the save left it.
    QTest::newRow("another database under the header the save's commit writes") << int(SaveHeaderOverOwnPage) << 300;
}

void TestJournalCheck::journalOfAnotherFileIsSetAside()
{
    QFETCH(int, copiedOver);
    QFETCH(int, casesThere);
    QTemporaryDir elsewhere;
    const QString copy = elsewhere.filePath(u"copy.mdb"_s);
    TestDatabase database;
    addCases(db(), 0, savedCases, u"城关饭店"_s);
    closeDatabase();
    if (copiedOver == OlderCopy) {
        QVERIFY(QFile::copy(database.path(), copy));
        addCases(db(), savedCases, 5, u"后来的"_s);
    } else {
        QVERIFY(QFile::copy(preparedTemplate(), copy));
        QVERIFY(QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner));
        Database other(copy, storedSchema());
        if (copiedOver != OneSaveAhead) {
            addCases(other, 0, casesThere, u"另一份"_s);
        } else {
            closeDatabase();
            // One case a save, until the copy is one save ahead.
            for (int i = 0; changeCounter(copy) < changeCounter(database.path()) + 1; ++i)
                addCases(other, i, 1, u"另一份"_s);
            QCOMPARE(changeCounter(copy), changeCounter(database.path()) + 1);
            casesThere = cases(other);
        }
    }
    closeDatabase();
    crashInsideSave(database.path(), Kind::Spilled);
    const QString journal = journalPath(database.path());
    const QByteArray journalBytes = contents(journal);
    copyOver(copy, database.path());
    if (copiedOver == SaveHeaderOverOwnPage) {
        // Every value of the header the judgement reads, as the commit
        // would have written it.
        const auto [sector, pageSize] = journalGeometry(journal);
        const QByteArray before = journalBytes.mid(sector + 4, 100);
        const quint32 counter = changeCounter(before) + 1;
        writeBytes(database.path(), 0, before.left(24));
        writeBytes(database.path(), 24, be32(counter));
        writeBytes(database.path(), 40, before.mid(40, 28));
        writeBytes(database.path(), 68, be32(*journalSeed(database.path())));
        writeBytes(database.path(), 72, before.mid(72, 20));
        writeBytes(database.path(), 92, be32(counter));
        // A byte of the page's unused middle, between its cell pointers
        // and its cells, differs: the same tables, another file.
        const qsizetype unused = pageSize / 2;
        writeBytes(database.path(), unused, QByteArray(1, char(journalBytes.at(sector + 4 + unused) ^ 0x5a)));
        QVERIFY(contents(database.path()).mid(100, pageSize - 100) != journalBytes.mid(sector + 4 + 100, pageSize - 100));
    }
    const QByteArray copied = contents(database.path());

    QCOMPARE(cases(db()), casesThere);
    QCOMPARE(db().scalar(u"PRAGMA integrity_check"_s), u"ok"_s);
    QCOMPARE(contents(database.path()), copied);
    const QStringList setAside = QDir(database.dir()).entryList({u"kelm.mdb-journal.孤立.*"_s}, QDir::Files);
    QCOMPARE(setAside.size(), 1);
    QVERIFY2(setAside[0].contains(QRegularExpression(u"^kelm\\.mdb-journal\\.孤立\\.\\d{8}-\\d{6}$"_s)),
             qPrintable(setAside[0]));
    const QString movedTo = QDir(database.dir()).filePath(setAside[0]);
    QCOMPARE(contents(movedTo), journalBytes);
    QVERIFY(!QFileInfo::exists(journal));
    const QString notice = db().journalNotice();
    QVERIFY2(notice.contains(QDir::toNativeSeparators(movedTo)), qPrintable(notice));
    QVERIFY2(notice.contains(u"现在的文件是后来放到这里的"_s), qPrintable(notice));
    QVERIFY2(inWords(notice, {movedTo, database.path()}), qPrintable(notice));
}

// The file copied over is no database of the program: its refusal also
// says where the journal went. The journal of another program's save,
// which does not tell whose it is, is set aside as well where the file
// stands whole and would not with the journal rolled in.
void TestJournalCheck::setAsideIsToldWhenTheFileThenFails_data()
{
    QTest::addColumn<int>("save");
    QTest::addColumn<int>("rows"); // of the file copied over
    QTest::newRow("the program's own save") << int(Kind::Spilled) << 0;
    // Larger than the crashed file: rolled in, the journal cuts it short.
    QTest::newRow("another program's save") << int(Kind::Unmarked) << 20000;
}

void TestJournalCheck::setAsideIsToldWhenTheFileThenFails()
{
    QFETCH(int, save);
    QFETCH(int, rows);
    QTemporaryDir elsewhere;
    const QString other = elsewhere.filePath(u"other.db"_s);
    {
        SQLite::Database file(other.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        file.exec("CREATE TABLE t (a)");
        file.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(rows)
                  + ") INSERT INTO t SELECT randomblob(100) FROM n WHERE " + std::to_string(rows) + " > 0");
    }
    TestDatabase database;
    closeDatabase();
    crashInsideSave(database.path(), Kind(save));
    copyOver(other, database.path());

    const DbError e = openingRefused(database.path());
    QCOMPARE(e.kind(), DbFailure::NotOurs);
    QVERIFY2(e.message().startsWith(failureText(DbFailure::NotOurs, database.path())), qPrintable(e.message()));
    QVERIFY2(e.message().contains(journalPath(database.path()) + u".孤立."_s), qPrintable(e.message()));
    QVERIFY(!QFileInfo::exists(journalPath(database.path())));
}

// Left by a kill before the save's first sync, the journal is nobody's:
// it goes, and a restore, which refuses while a journal stands beside the
// file, then works.
void TestJournalCheck::unwrittenJournalIsRemovedAndRestoreWorks()
{
    QTemporaryDir elsewhere;
    const QString backup = elsewhere.filePath(u"backup.mdb"_s);
    TestDatabase database;
    QVERIFY(QFile::copy(database.path(), backup));
    addCases(db(), 0, savedCases, u"城关饭店"_s);
    closeDatabase();
    crashInsideSave(database.path(), Kind::Small);
    QCOMPARE(journalState(database.path()), JournalState::Unwritten);

    QCOMPARE(cases(db()), savedCases);
    QCOMPARE(db().journalNotice(), QString());
    QCOMPARE(filesIn(database.dir()), QStringList{u"kelm.mdb"_s});
    closeDatabase();
    const RestoreResult restored = restoreDatabase(backup, database.path(), noProgress(), UnseenProcesses::Accept);
    QVERIFY2(restored.outcome == RestoreOutcome::Restored, qPrintable(restored.detail));
    QCOMPARE(cases(db()), 0);
}

namespace {

// What stands beside kelm.mdb after the crash, and what stands in its place.
enum Beside { OwnFile, SamePageCount, OlderCopyOfIt };

// A crash of the save into a database of savedCases cases, its journal
// damaged as told, and then what stands beside it copied over the file.
void crashThenCopyOver(const TestDatabase &database, Kind save, Damage damage, Beside beside)
{
    QTemporaryDir elsewhere;
    const QString copy = elsewhere.filePath(u"copy.mdb"_s);
    addCases(db(), 0, savedCases, u"城关饭店"_s);
    closeDatabase();
    if (beside == OlderCopyOfIt) {
        QVERIFY(QFile::copy(database.path(), copy));
        addCases(db(), savedCases, 5, u"后来的"_s);
        closeDatabase();
    } else if (beside == SamePageCount) {
        QVERIFY(QFile::copy(preparedTemplate(), copy));
        QVERIFY(QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner));
        Database other(copy, storedSchema());
        addCases(other, 0, savedCases, u"另一份不同的数据"_s);
    }
    const qint64 size = QFileInfo(database.path()).size();
    crashInsideSave(database.path(), save);
    damageJournal(journalPath(database.path()), damage);
    if (beside != OwnFile) {
        copyOver(copy, database.path());
        QCOMPARE(QFileInfo(database.path()).size(), size);
    }
}

} // namespace

// Where neither the journal nor copies of the file with and without it
// tell whose it is, nothing is changed, and the words keep the two files
// together: the journal may be what mends the file.
void TestJournalCheck::undecidedJournalStopsTheOpening_data()
{
    QTest::addColumn<int>("save");
    QTest::addColumn<int>("damage");
    QTest::addColumn<int>("beside");
    QTest::addColumn<QString>("reason");
    const QString start = u"它的开头已损坏"_s;
    const QString bothWhole = u"数据库文件现在的内容和用它撤销保存后的内容都是完整的"_s;
    const QString neitherWhole = u"无论是否用它撤销保存，数据库文件都不完整"_s;
    QTest::newRow("its magic damaged") << int(Kind::Spilled) << int(Magic) << int(OwnFile) << start;
    QTest::newRow("a page size that is no power of two") << int(Kind::Spilled) << int(PageSize) << int(OwnFile) << start;
    QTest::newRow("its first record's checksum wrong") << int(Kind::Spilled) << int(Checksum) << int(OwnFile) << start;
    QTest::newRow("cut inside its first record") << int(Kind::Spilled) << int(CutShort) << int(OwnFile) << neitherWhole;
    QTest::newRow("garbage after a right first page") << int(Kind::Spilled) << int(Garbage) << int(OwnFile)
                                                      << neitherWhole;
    QTest::newRow("a later record's checksum wrong") << int(Kind::Spilled) << int(LaterChecksum) << int(OwnFile)
                                                     << neitherWhole;
    QTest::newRow("another program's journal, another file of the same size copied over")
        << int(Kind::Unmarked) << int(Intact) << int(SamePageCount) << bothWhole;
    QTest::newRow("another program's journal, an older copy copied over")
        << int(Kind::Unmarked) << int(Intact) << int(OlderCopyOfIt) << bothWhole;
}

void TestJournalCheck::undecidedJournalStopsTheOpening()
{
    QFETCH(int, save);
    QFETCH(int, damage);
    QFETCH(int, beside);
    QFETCH(QString, reason);
    TestDatabase database;
    crashThenCopyOver(database, Kind(save), Damage(damage), Beside(beside));
    const QString journal = journalPath(database.path());
    const QByteArray file = contents(database.path());
    const QByteArray journalBytes = contents(journal);

    const DbError e = openingRefused(database.path());
    QVERIFY2(e.message().startsWith(
                 u"无法判断数据库文件 %1 旁的日志文件 %2 是否属于它（%3）"_s.arg(database.path(), journal, reason)),
             qPrintable(e.message()));
    QVERIFY2(e.message().contains(u"请不要移动、改名或删除其中任何一个"_s)
                 && e.message().contains(u"请把这两个文件一起复制"_s),
             qPrintable(e.message()));
    QVERIFY2(inWords(e.message(), {journal, database.path()}), qPrintable(e.message()));
    QCOMPARE(contents(database.path()), file);
    QCOMPARE(contents(journal), journalBytes);
    QCOMPARE(filesIn(database.dir()), (QStringList{u"kelm.mdb"_s, u"kelm.mdb-journal"_s}));
}

// Only a regular file is read as a journal: a folder, a link or a pipe in
// its place stops the opening at once, in words, and nothing is changed.
void TestJournalCheck::whatIsNoJournalStopsTheOpening_data()
{
    QTest::addColumn<QString>("what");
    QTest::newRow("a folder") << u"folder"_s;
    QTest::newRow("a pipe") << u"pipe"_s;
    QTest::newRow("a link to the journal") << u"link"_s;
}

void TestJournalCheck::whatIsNoJournalStopsTheOpening()
{
    QFETCH(QString, what);
    TestDatabase database;
    addCases(db(), 0, savedCases, u"城关饭店"_s);
    closeDatabase();
    const QString journal = journalPath(database.path());
    crashInsideSave(database.path(), Kind::Spilled);
    const QByteArray file = contents(database.path());
    const QByteArray journalBytes = contents(journal);
    const QByteArray name = QFile::encodeName(journal);
    if (what == u"folder"_s) {
        QVERIFY(QFile::remove(journal));
        QVERIFY(QDir().mkdir(journal));
    } else if (what == u"pipe"_s) {
        QVERIFY(QFile::remove(journal));
        QCOMPARE(::mkfifo(name.constData(), 0600), 0);
    } else {
        QVERIFY(QFile::rename(journal, journal + u".real"_s));
        QVERIFY(QFile::link(journal + u".real"_s, journal));
    }

    const DbError e = openingRefused(database.path());
    QVERIFY2(e.message().contains(u"不是普通文件（而是文件夹、链接、管道或设备）"_s), qPrintable(e.message()));
    QVERIFY2(inWords(e.message(), {journal, database.path()}), qPrintable(e.message()));
    QCOMPARE(journalState(database.path()), JournalState::Hot);
    QCOMPARE(contents(database.path()), file);
    if (what == u"link"_s)
        QCOMPARE(contents(journal + u".real"_s), journalBytes);
}

// After a journal was rolled back or set aside the file is checked: a
// damaged one is told, with where the journal is kept, never opened in
// silence.
void TestJournalCheck::damagedFileIsToldWithItsJournal_data()
{
    QTest::addColumn<bool>("ownJournal");
    // Its own journal rolls the save back, but a table the save never
    // touched is damaged: the journal is kept as a copy.
    QTest::newRow("its own save rolled back, another table damaged") << true;
    // Smaller than the file the journal was written for, it is not that
    // file (whose first page it is), and nothing is rolled into it.
    QTest::newRow("the crashed file cut short") << false;
}

void TestJournalCheck::damagedFileIsToldWithItsJournal()
{
    QFETCH(bool, ownJournal);
    TestDatabase database;
    addCases(db(), 0, savedCases, u"城关饭店"_s);
    closeDatabase();
    const QString journal = journalPath(database.path());
    if (ownJournal)
        damageTable(database.path(), u"jktj"_s);
    crashInsideSave(database.path(), Kind::Spilled);
    const QByteArray journalBytes = contents(journal);
    const auto [sector, pageSize] = journalGeometry(journal);
    if (!ownJournal)
        QVERIFY(QFile::resize(database.path(),
                              qint64(qFromBigEndian<quint32>(journalBytes.constData() + 16) - 1) * pageSize));
    const QByteArray file = contents(database.path());

    const DbError e = openingRefused(database.path());
    QCOMPARE(e.kind(), DbFailure::Damaged);
    const QStringList kept =
        QDir(database.dir()).entryList({ownJournal ? u"kelm.mdb-journal.副本.*"_s : u"kelm.mdb-journal.孤立.*"_s});
    QCOMPARE(kept.size(), 1);
    const QString keptPath = QDir(database.dir()).filePath(kept[0]);
    QCOMPARE(contents(keptPath), journalBytes);
    QVERIFY2(e.message().contains(u"已损坏"_s) && e.message().contains(QDir::toNativeSeparators(keptPath)),
             qPrintable(e.message()));
    QVERIFY2(inWords(e.message(), {keptPath, database.path()}), qPrintable(e.message()));
    QVERIFY(!QFileInfo::exists(journal));
    if (!ownJournal)
        QCOMPARE(contents(database.path()), file);
}

// The check after a rollback is made as long as the copy of the journal
// stands: the program may have been stopped between the two, and a file
// found damaged is told at every start, never opened in silence.
void TestJournalCheck::checkLeftUndoneIsMadeAtTheNextStart_data()
{
    QTest::addColumn<bool>("damaged");
    QTest::newRow("whole: the copies go") << false;
    QTest::newRow("damaged: told again") << true;
}

void TestJournalCheck::checkLeftUndoneIsMadeAtTheNextStart()
{
    QFETCH(bool, damaged);
    TestDatabase database;
    addCases(db(), 0, savedCases, u"城关饭店"_s);
    closeDatabase();
    if (damaged)
        damageTable(database.path(), u"jktj"_s);
    const QString journal = journalPath(database.path());
    const QStringList copies{journal + u".副本.20261211-101500"_s, journal + u".副本.20261211-101502"_s};
    for (const QString &copy : copies)
        writeBytes(copy, 0, "a journal rolled back");

    for (int start = 0; start < (damaged ? 2 : 1); ++start) {
        if (!damaged) {
            QCOMPARE(cases(db()), savedCases);
            closeDatabase();
            QCOMPARE(filesIn(database.dir()), QStringList{u"kelm.mdb"_s});
            continue;
        }
        const DbError e = openingRefused(database.path());
        QCOMPARE(e.kind(), DbFailure::Damaged);
        QVERIFY2(e.message().contains(QDir::toNativeSeparators(copies.last())), qPrintable(e.message()));
        QCOMPARE(filesIn(database.dir()),
                 (QStringList{u"kelm.mdb"_s, QFileInfo(copies[0]).fileName(), QFileInfo(copies[1]).fileName()}));
    }
}

void TestJournalCheck::savesUnderWayKeepTheirJournals_data()
{
    QTest::addColumn<QString>("saver");
    QTest::newRow("another program") << u"process"_s;
    QTest::newRow("another connection of the program") << u"connection"_s;
    QTest::newRow("the engine's own connection in this process") << u"engine"_s;
}

// The journal of a save under way is the save's: opening the file beside
// it neither removes it nor, in this process, closes a descriptor of the
// file, which would drop the saver's locks and let another program write;
// a restore meanwhile is refused, also where it cannot see who uses the
// file.
void TestJournalCheck::savesUnderWayKeepTheirJournals()
{
    QFETCH(QString, saver);
    QTemporaryDir elsewhere;
    const QString backup = elsewhere.filePath(u"backup.mdb"_s);
    TestDatabase database;
    addCases(db(), 0, savedCases, u"城关饭店"_s);
    closeDatabase();
    QVERIFY(QFile::copy(database.path(), backup));
    std::unique_ptr<SaveUnderWay> process;
    std::unique_ptr<Database> connection;
    std::unique_ptr<SQLite::Database> engine;
    if (saver == u"process"_s) {
        process = std::make_unique<SaveUnderWay>(database.path(), Kind::Small);
    } else if (saver == u"connection"_s) {
        connection = std::make_unique<Database>(database.path(), storedSchema());
        connection->begin();
        connection->insertRow(u"xzcf"_s, {u"dabh"_s}, {u"20029999"_s});
    } else {
        engine = std::make_unique<SQLite::Database>(database.path().toStdString(), SQLite::OPEN_READWRITE);
        engine->exec("BEGIN IMMEDIATE");
        engine->exec("INSERT INTO xzcf (dabh) VALUES ('20029999')");
    }
    QCOMPARE(journalState(database.path()), JournalState::Unwritten);

    QCOMPARE(cases(db()), savedCases);
    QCOMPARE(journalState(database.path()), JournalState::Unwritten);
    QVERIFY(!anotherProcessCanSave(database.path()));
    closeDatabase();
    QCOMPARE(restoreDatabase(backup, database.path(), noProgress(), UnseenProcesses::Accept).outcome,
             RestoreOutcome::Refused);
    QCOMPARE(journalState(database.path()), JournalState::Unwritten);
    if (process)
        QVERIFY(process->commit());
    else if (connection)
        connection->commit();
    else
        engine->exec("COMMIT");
    QCOMPARE(cases(db()), savedCases + 1);
    QCOMPARE(db().scalar(u"PRAGMA integrity_check"_s), u"ok"_s);
    QCOMPARE(journalState(database.path()), JournalState::None);
}

void TestJournalCheck::everyWriteJournalsTheFirstPageFirst_data()
{
    QTest::addColumn<int>("write");
    QTest::newRow("a statement outside a transaction") << int(ExecAlone);
    QTest::newRow("insertRow") << int(InsertRow);
    QTest::newRow("addRow") << int(AddRow);
    QTest::newRow("updateRows") << int(UpdateRows);
    QTest::newRow("writeColumn") << int(WriteColumn);
    QTest::newRow("a transaction's first statement") << int(InTransaction);
}

// What tells a journal's file after a crash is the first page as the save
// found it; a save records it only at its commit unless it writes it first.
void TestJournalCheck::everyWriteJournalsTheFirstPageFirst()
{
    QFETCH(int, write);
    TestDatabase database;
    addCases(db(), 0, savedCases, u"城关饭店"_s);
    watchedJournal = journalPath(database.path());
    firstJournalled = 0;
    sqlite3_create_function_v2(db().raw().getHandle(), "read_first_journalled", 0, SQLITE_UTF8, nullptr,
                               readFirstJournalled, nullptr, nullptr, nullptr);
    db().raw().exec("CREATE TEMP TRIGGER inserted AFTER INSERT ON xzcf BEGIN SELECT read_first_journalled(); END");
    db().raw().exec("CREATE TEMP TRIGGER updated AFTER UPDATE ON xzcf BEGIN SELECT read_first_journalled(); END");
    const QString caseNo = u"20010003"_s;
    switch (Write(write)) {
    case ExecAlone: db().exec(u"UPDATE xzcf SET dwmc = ? WHERE dabh = ?"_s, {u"新名"_s, caseNo}); break;
    case InsertRow: QVERIFY(db().insertRow(u"xzcf"_s, {u"dabh"_s}, {u"20029999"_s})); break;
    case AddRow: db().addRow(u"xzcf"_s, {u"dabh"_s}, {u"20029999"_s}); break;
    case UpdateRows: QCOMPARE(db().updateRows(u"xzcf"_s, {u"dwmc"_s}, {u"新名"_s}, u"dabh = ?"_s, {caseNo}), 1); break;
    case WriteColumn: QCOMPARE(db().writeColumn(u"xzcf"_s, u"dwmc"_s, u"dabh"_s, caseNo, u"新名"_s), u"新名"_s); break;
    case InTransaction: {
        Transaction tx(db());
        db().exec(u"UPDATE xzcf SET dwmc = ? WHERE dabh = ?"_s, {u"新名"_s, caseNo});
        tx.commit();
        break;
    }
    }
    QCOMPARE(firstJournalled, 1);
    QCOMPARE(journalState(database.path()), JournalState::None);
}

void TestJournalCheck::initTestCase()
{
    if (qEnvironmentVariableIsSet("KELM_TEST_NO_PROCESS_LIST"))
        QVERIFY2(!QFileInfo::exists(u"/proc/self/fd"_s), "the process list is not hidden");
}

// Every test above again, in a process that cannot read the system's
// process list (/proc hidden under an empty file system of its own mount
// namespace): whether a save may be under way is told by the file's locks
// alone, and another database copied over the file keeps its rows.
void TestJournalCheck::theSameWithoutTheProcessList()
{
    if (qEnvironmentVariableIsSet("KELM_TEST_NO_PROCESS_LIST"))
        QSKIP("this is the run without it");
    QStringList tests;
    const QMetaObject *meta = metaObject();
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
        const QString name = QString::fromLatin1(meta->method(i).name());
        if (meta->method(i).access() == QMetaMethod::Private && !name.endsWith(u"_data"_s)
            && name != u"initTestCase"_s && name != QString::fromLatin1(QTest::currentTestFunction()))
            tests << name;
    }
    // A user namespace of its own lets an ordinary user mount there too.
    const QStringList hidden{u"--map-root-user"_s, u"--mount"_s, u"sh"_s, u"-c"_s,
                             u"mount -t tmpfs none /proc && exec \"$0\" \"$@\""_s};
    QProcess probe;
    probe.start(u"unshare"_s, hidden + QStringList{u"true"_s});
    if (!probe.waitForFinished(-1) || probe.exitStatus() != QProcess::NormalExit || probe.exitCode() != 0)
        QSKIP("no mount namespace of its own could be had here");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"KELM_TEST_NO_PROCESS_LIST"_s, u"1"_s);
    QProcess run;
    run.setProcessEnvironment(environment);
    run.setProcessChannelMode(QProcess::ForwardedChannels);
    run.start(u"unshare"_s, hidden + QStringList{QCoreApplication::applicationFilePath()} + tests);
    QVERIFY(run.waitForFinished(-1));
    QCOMPARE(run.exitStatus(), QProcess::NormalExit);
    QCOMPARE(run.exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestJournalCheck)
#include "tst_journalcheck.moc"
