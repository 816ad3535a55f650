// A journal beside kelm.mdb is applied only to the file it was written for.
// Every journal here is what a real crash leaves: a writer process killed
// inside its save. The file's own journal rolls that save back; one left
// for another file, or for an older copy of this one, is moved aside with
// a notice and the file standing there opens as it is; one whose header
// was never written is removed; one that does not tell whose it is stops
// the opening and changes nothing. The journal of a save still under way,
// in another process or in this one, is left alone.
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

// Replaces the file at path by a copy of source.
void copyOver(const QString &source, const QString &path)
{
    QVERIFY(QFile::remove(path));
    QVERIFY(QFile::copy(source, path));
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
}

enum Damage { Intact, Magic, PageSize, CutShort, Checksum, Folder };

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
    case Folder:
        QVERIFY(QFile::remove(journal));
        QVERIFY(QDir().mkdir(journal));
        break;
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
    void ownJournalRollsTheSaveBack_data();
    void ownJournalRollsTheSaveBack();
    void journalOfAnotherFileIsSetAside_data();
    void journalOfAnotherFileIsSetAside();
    void setAsideIsToldWhenTheFileThenFails();
    void unwrittenJournalIsRemovedAndRestoreWorks();
    void journalThatCannotTellStopsTheOpening_data();
    void journalThatCannotTellStopsTheOpening();
    void savesUnderWayKeepTheirJournals_data();
    void savesUnderWayKeepTheirJournals();
    void everyWriteJournalsTheFirstPageFirst_data();
    void everyWriteJournalsTheFirstPageFirst();
};

void TestJournalCheck::ownJournalRollsTheSaveBack_data()
{
    QTest::addColumn<bool>("firstPageWritten");
    QTest::newRow("killed while its pages spilled") << false;
    // A kill inside the commit, once it has written the first page: the
    // engine writes it first, its change counter one up, with the seed of
    // the save's journal in it.
    QTest::newRow("killed inside its commit") << true;
}

void TestJournalCheck::ownJournalRollsTheSaveBack()
{
    QFETCH(bool, firstPageWritten);
    TestDatabase database;
    addCases(db(), 0, savedCases, u"城关饭店"_s);
    closeDatabase();
    const QByteArray before = contents(database.path());
    crashInsideSave(database.path(), Kind::Spilled);
    QCOMPARE(journalState(database.path()), JournalState::Hot);
    QVERIFY(QFileInfo(database.path()).size() > before.size());
    if (firstPageWritten) {
        const quint32 counter = qFromBigEndian<quint32>(before.constData() + 24) + 1;
        writeBytes(database.path(), 24, be32(counter));
        writeBytes(database.path(), 92, be32(counter));
        writeBytes(database.path(), 68, be32(*journalSeed(database.path())));
    }

    QCOMPARE(cases(db()), savedCases);
    QCOMPARE(db().journalNotice(), QString());
    QCOMPARE(filesIn(database.dir()), QStringList{u"kelm.mdb"_s});
    QCOMPARE(contents(database.path()), before);
}

namespace {

enum CopiedOver { AnotherDatabase, OlderCopy, OneSaveAhead };

// The change counter in the header of the file at path.
quint32 changeCounter(const QString &path) { return qFromBigEndian<quint32>(contents(path).constData() + 24); }

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
        if (copiedOver == AnotherDatabase) {
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
    QVERIFY2(inWords(notice, {movedTo, database.path()}), qPrintable(notice));
}

// The file copied over is no database of the program: its refusal also
// says where the journal went.
void TestJournalCheck::setAsideIsToldWhenTheFileThenFails()
{
    QTemporaryDir elsewhere;
    const QString other = elsewhere.filePath(u"other.db"_s);
    SQLite::Database(other.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE).exec("CREATE TABLE t (a)");
    TestDatabase database;
    closeDatabase();
    crashInsideSave(database.path(), Kind::Spilled);
    copyOver(other, database.path());

    try {
        Database opened(database.path(), storedSchema());
        QFAIL("the file was opened");
    } catch (const DbError &e) {
        QCOMPARE(e.kind(), DbFailure::NotOurs);
        QVERIFY2(e.message().startsWith(failureText(DbFailure::NotOurs, database.path())), qPrintable(e.message()));
        QVERIFY2(e.message().contains(journalPath(database.path()) + u".孤立."_s), qPrintable(e.message()));
    }
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
    QCOMPARE(restoreDatabase(backup, database.path()).outcome, RestoreOutcome::Restored);
    QCOMPARE(cases(db()), 0);
}

void TestJournalCheck::journalThatCannotTellStopsTheOpening_data()
{
    QTest::addColumn<int>("save");
    QTest::addColumn<int>("damage");
    QTest::addColumn<QString>("reason");
    QTest::newRow("no copy of the first page (a save of an earlier program)")
        << int(Kind::Unmarked) << int(Intact) << u"它没有记下数据库文件的第一页"_s;
    QTest::newRow("its magic damaged") << int(Kind::Spilled) << int(Magic) << u"它的开头已损坏"_s;
    QTest::newRow("a page size that is no power of two") << int(Kind::Spilled) << int(PageSize) << u"它的开头已损坏"_s;
    QTest::newRow("cut inside its first record") << int(Kind::Spilled) << int(CutShort)
                                                 << u"它没有记下数据库文件的第一页"_s;
    QTest::newRow("its first record's checksum wrong") << int(Kind::Spilled) << int(Checksum) << u"它的开头已损坏"_s;
    QTest::newRow("unreadable") << int(Kind::Spilled) << int(Folder) << u"它无法读取"_s;
}

void TestJournalCheck::journalThatCannotTellStopsTheOpening()
{
    QFETCH(int, save);
    QFETCH(int, damage);
    QFETCH(QString, reason);
    TestDatabase database;
    addCases(db(), 0, savedCases, u"城关饭店"_s);
    closeDatabase();
    const QString journal = journalPath(database.path());
    crashInsideSave(database.path(), Kind(save));
    damageJournal(journal, Damage(damage));
    const QByteArray file = contents(database.path());
    const QByteArray journalBytes = contents(journal);

    try {
        Database opened(database.path(), storedSchema());
        QFAIL("the file was opened");
    } catch (const DbError &e) {
        QVERIFY2(e.message().startsWith(u"无法判断数据库文件 %1 旁的日志文件是否属于它（%2"_s.arg(database.path(), reason)),
                 qPrintable(e.message()));
        QVERIFY2(e.message().contains(u"请把日志文件 %1 移到别的文件夹后再启动程序"_s.arg(journal)),
                 qPrintable(e.message()));
        QVERIFY2(inWords(e.message(), {journal, database.path()}), qPrintable(e.message()));
    }
    QCOMPARE(contents(database.path()), file);
    QCOMPARE(contents(journal), journalBytes);
    QCOMPARE(filesIn(database.dir()), (QStringList{u"kelm.mdb"_s, u"kelm.mdb-journal"_s}));
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
// file, which would drop the saver's locks and let another program write.
void TestJournalCheck::savesUnderWayKeepTheirJournals()
{
    QFETCH(QString, saver);
    TestDatabase database;
    addCases(db(), 0, savedCases, u"城关饭店"_s);
    closeDatabase();
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

QTEST_GUILESS_MAIN(TestJournalCheck)
#include "tst_journalcheck.moc"
