// Every save records the first page of kelm.mdb as the first record of its
// journal: what tells, after a crash, which file a journal was written for.
#include "data/connection.h"
#include "platform/database.h"
#include "platform/journalcheck.h"
#include "support/testdb.h"

#include <QtEndian>
#include <QtTest>
#include <SQLiteCpp/SQLiteCpp.h>
#include <sqlite3.h>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::test;

namespace {

// Cases saved before each save looked at.
constexpr int savedCases = 20;

// Saves count cases numbered from first, of the unit, in one transaction.
void addCases(Database &db, int first, int count, const QString &unit)
{
    Transaction tx(db);
    for (int i = first; i < first + count; ++i)
        db.insertRow(u"xzcf"_s, {u"dabh"_s, u"dwmc"_s}, {u"2001%1"_s.arg(i, 4, 10, QChar(u'0')), unit});
    tx.commit();
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
    void everyWriteJournalsTheFirstPageFirst_data();
    void everyWriteJournalsTheFirstPageFirst();
};

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
