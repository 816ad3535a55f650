// The database rules every write path relies on, and the prepared file.
#include "data/connection.h"
#include "data/documentcatalogue.h"
#include "data/prepare.h"
#include "data/schema.h"
#include "platform/database.h"
#include "platform/systemerror.h"
#include "support/testdb.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <SQLiteCpp/SQLiteCpp.h>
#include <sqlite3.h>

#include <cerrno>

using namespace Qt::StringLiterals;
using namespace kelm;

class TestDatabaseRules : public QObject {
    Q_OBJECT
private slots:
    void capacity_data();
    void capacity();
    void writeColumnKeepsWhatFits();
    void everyWriteFitsItsText_data();
    void everyWriteFitsItsText();
    void updateRowsWritesWhatTheConditionSelects();
    void duplicateInsertIsSkipped();
    void addRowReportsTheDuplicate();
    void connectionFitsByTheSchemaItIsGiven();
    void quotesAreData_data();
    void quotesAreData();
    void val_data();
    void val();
    void documentTablesInRegisterOrder();
    void columnCounts_data();
    void columnCounts();
    void fixedOrdinals();
    void seedRows();
    void preparerRefusesExistingFile();
    void unusableFiles_data();
    void unusableFiles();
    void failuresToldByKind_data();
    void failuresToldByKind();
    void resultCodesByKind_data();
    void resultCodesByKind();
    void keysIgnoreCase();
    void transactionRollsBack();
};

void TestDatabaseRules::capacity_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("capacity");
    QTest::addColumn<QString>("kept");
    QTest::newRow("ascii fits") << u"abc"_s << 8 << u"abc"_s;
    QTest::newRow("ascii exactly full") << u"12345678"_s << 8 << u"12345678"_s;
    QTest::newRow("ascii one over") << u"123456789"_s << 8 << u"12345678"_s;
    QTest::newRow("chinese counts two") << u"卫生监督所"_s << 8 << u"卫生监督"_s;
    QTest::newRow("mixed") << u"A卫B生C"_s << 6 << u"A卫B生"_s;
    QTest::newRow("wide char would straddle") << u"abc卫生"_s << 4 << u"abc"_s;
    QTest::newRow("full-width digits") << u"２００２"_s << 6 << u"２００"_s;
    QTest::newRow("empty") << QString() << 8 << QString();
    QTest::newRow("surrogate pair kept whole") << u"a\U00020000b"_s << 2 << u"a"_s;
}

void TestDatabaseRules::capacity()
{
    QFETCH(QString, text);
    QFETCH(int, capacity);
    QFETCH(QString, kept);
    QCOMPARE(fitToUnits(text, capacity), kept);
    QVERIFY(displayUnits(fitToUnits(text, capacity)) <= capacity);
}

void TestDatabaseRules::writeColumnKeepsWhatFits()
{
    test::TestDatabase t;
    Database &d = t.db();
    QVERIFY(d.insertRow(u"labg"_s, {u"dabh"_s}, {u"20020001"_s}));
    // Approval year box: 8 units.
    QCOMPARE(d.writeColumn(u"labg"_s, u"pbsj_y"_s, u"dabh"_s, u"20020001"_s, u"二〇〇二年度"_s), u"二〇〇二"_s);
    const QString longText = QString(60, u'卫');
    const QString stored = d.writeColumn(u"labg"_s, u"aqzy1"_s, u"dabh"_s, u"20020001"_s, longText);
    QCOMPARE(displayUnits(stored), schema::lineCapacity(6855) / 2 * 2);
    QVERIFY(longText.startsWith(stored));
    // Another case's row is untouched, and a case without a row gets nothing.
    QCOMPARE(d.writeColumn(u"labg"_s, u"dsr"_s, u"dabh"_s, u"20029999"_s, u"x"_s), QString());
}

void TestDatabaseRules::everyWriteFitsItsText_data()
{
    QTest::addColumn<QString>("write");
    QTest::newRow("insertRow") << u"insertRow"_s;
    QTest::newRow("addRow") << u"addRow"_s;
    QTest::newRow("updateRows") << u"updateRows"_s;
}

// Whatever path writes a row, text is stored as its longest prefix that
// fits the column; memo text and numbers go in whole.
void TestDatabaseRules::everyWriteFitsItsText()
{
    QFETCH(QString, write);
    test::TestDatabase t;
    Database &d = t.db();
    const std::vector<QString> columns = {u"dabh"_s, u"slsj"_s, u"aqjj"_s, u"cf1"_s};
    const QString date = u"2002-01-31 下午"_s;
    const QString memo = QString(5000, u'案');
    const Params values = {u"20020001"_s, date, memo, 1};
    if (write == u"insertRow"_s) {
        QVERIFY(d.insertRow(u"xzcf"_s, columns, values));
    } else if (write == u"addRow"_s) {
        d.addRow(u"xzcf"_s, columns, values);
    } else {
        QVERIFY(d.insertRow(u"xzcf"_s, {u"dabh"_s}, {u"20020001"_s}));
        QCOMPARE(d.updateRows(u"xzcf"_s, columns, values, u"dabh = ?"_s, {u"20020001"_s}), 1);
    }
    const Rows rows = d.select(u"SELECT slsj, aqjj, cf1, typeof(cf1) FROM xzcf"_s);
    QCOMPARE(rows.size(), std::size_t(1));
    QCOMPARE(rows.values[0][0], fitToUnits(date, d.capacity(u"xzcf"_s, u"slsj"_s)));
    QVERIFY(rows.values[0][0] != date);
    QCOMPARE(rows.values[0][1], memo);
    QCOMPARE(rows.values[0][2], u"1"_s);
    QCOMPARE(rows.values[0][3], u"integer"_s);
}

void TestDatabaseRules::updateRowsWritesWhatTheConditionSelects()
{
    test::TestDatabase t;
    Database &d = t.db();
    for (const QString &no : {u"20020001"_s, u"20020002"_s})
        QVERIFY(d.insertRow(u"xzcf"_s, {u"dabh"_s, u"dwmc"_s}, {no, u"城关饭店"_s}));
    QCOMPARE(d.updateRows(u"xzcf"_s, {u"dwmc"_s}, {u"东方宾馆"_s}, u"dabh = ? AND dwmc = ?"_s,
                          {u"20020002"_s, u"城关饭店"_s}),
             1);
    QCOMPARE(d.scalar(u"SELECT dwmc FROM xzcf WHERE dabh = '20020001'"_s), u"城关饭店"_s);
    QCOMPARE(d.scalar(u"SELECT dwmc FROM xzcf WHERE dabh = '20020002'"_s), u"东方宾馆"_s);
    QCOMPARE(d.updateRows(u"xzcf"_s, {u"dh"_s}, {u"1234"_s}), 2);
    QCOMPARE(d.scalar(u"SELECT count(*) FROM xzcf WHERE dh = '1234'"_s), u"2"_s);
    // A key the table holds already is refused and changes nothing.
    QVERIFY_THROWS_EXCEPTION(DuplicateKey, d.updateRows(u"xzcf"_s, {u"dabh"_s, u"dh"_s}, {u"20020001"_s, u"5678"_s},
                                                        u"dabh = ?"_s, {u"20020002"_s}));
    QCOMPARE(d.scalar(u"SELECT count(*) FROM xzcf WHERE dh = '5678'"_s), u"0"_s);
}

void TestDatabaseRules::duplicateInsertIsSkipped()
{
    test::TestDatabase t;
    Database &d = t.db();
    QVERIFY(d.insertRow(u"sljl"_s, {u"dabh"_s, u"jgmc"_s}, {u"20020001"_s, authorityText()}));
    QVERIFY(!d.insertRow(u"sljl"_s, {u"dabh"_s, u"jgmc"_s}, {u"20020001"_s, u"other"_s}));
    QCOMPARE(d.scalar(u"SELECT count(*) FROM sljl"_s), u"1"_s);
    QCOMPARE(d.scalar(u"SELECT jgmc FROM sljl WHERE dabh = ?"_s, {u"20020001"_s}), authorityText());
    // A direct statement reports the duplicate distinctly.
    QVERIFY_THROWS_EXCEPTION(DuplicateKey, d.exec(u"INSERT INTO sljl (dabh) VALUES (?)"_s, {u"20020001"_s}));
}

// A record save tells the duplicate, where a direct statement skips it.
void TestDatabaseRules::addRowReportsTheDuplicate()
{
    test::TestDatabase t;
    Database &d = t.db();
    const qint64 rowid = d.addRow(u"wsxkz"_s, {u"xkzh"_s, u"dwmc"_s}, {u"2002abc1"_s, u"城关饭店"_s});
    QCOMPARE(d.scalar(u"SELECT rowid FROM wsxkz WHERE xkzh = ?"_s, {u"2002abc1"_s}).toLongLong(), rowid);
    QVERIFY_THROWS_EXCEPTION(DuplicateKey, d.addRow(u"wsxkz"_s, {u"xkzh"_s, u"dwmc"_s}, {u"2002ABC1"_s, u"other"_s}));
    QCOMPARE(d.scalar(u"SELECT group_concat(dwmc) FROM wsxkz"_s), u"城关饭店"_s);
}

// A connection fits text by the schema it was opened with and refuses a
// file of another version.
void TestDatabaseRules::connectionFitsByTheSchemaItIsGiven()
{
    test::TestDatabase t;
    closeDatabase();
    const StoredSchema narrow{storedSchema().version, [](const QString &, const QString &column) {
                                  return column == u"dabh"_s ? -1 : 4;
                              }};
    {
        Database d(t.path(), narrow);
        QVERIFY(d.insertRow(u"xzcf"_s, {u"dabh"_s, u"dwmc"_s}, {u"20020001"_s, u"城关饭店"_s}));
        QCOMPARE(d.scalar(u"SELECT dwmc FROM xzcf"_s), u"城关"_s);
        QCOMPARE(d.writeColumn(u"xzcf"_s, u"dh"_s, u"dabh"_s, u"20020001"_s, u"123456"_s), u"1234"_s);
    }
    try {
        Database d(t.path(), StoredSchema{storedSchema().version + 1, narrow.capacity});
        QFAIL("opened a file of another version");
    } catch (const DbError &e) {
        QCOMPARE(int(e.kind()), int(DbFailure::NotOurs));
    }
}

void TestDatabaseRules::quotesAreData_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("apostrophe") << u"O'Brien's 店"_s;
    QTest::newRow("double quote") << u"\"老字号\""_s;
    QTest::newRow("percent and underscore") << u"50%_off"_s;
    QTest::newRow("backslash") << u"a\\b"_s;
    QTest::newRow("statement text") << u"x'); DROP TABLE labg; --"_s;
}

void TestDatabaseRules::quotesAreData()
{
    QFETCH(QString, text);
    test::TestDatabase t;
    Database &d = t.db();
    QVERIFY(d.insertRow(u"labg"_s, {u"dabh"_s}, {u"20020001"_s}));
    QCOMPARE(d.writeColumn(u"labg"_s, u"dsr"_s, u"dabh"_s, u"20020001"_s, text), text);
    QCOMPARE(d.scalar(u"SELECT count(*) FROM labg WHERE dsr = ?"_s, {text}), u"1"_s);
}

void TestDatabaseRules::val_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("integer") << u"1200"_s << 1200.0;
    QTest::newRow("decimal with unit") << u"12.5元"_s << 12.5;
    QTest::newRow("leading blanks") << u"  30"_s << 30.0;
    QTest::newRow("negative") << u"-4"_s << -4.0;
    QTest::newRow("no number") << u"abc"_s << 0.0;
    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("second point ends") << u"1.2.3"_s << 1.2;
    QTest::newRow("thousands separator ends") << u"1,000"_s << 1.0;
    QTest::newRow("exponent") << u"1e3"_s << 1000.0;
    QTest::newRow("capital exponent with sign") << u"1E+2"_s << 100.0;
    QTest::newRow("negative exponent") << u"2.5e-1元"_s << 0.25;
    QTest::newRow("exponent without digits ends") << u"7e"_s << 7.0;
    QTest::newRow("signed exponent without digits ends") << u"7E-x"_s << 7.0;
    QTest::newRow("plus sign") << u"+8"_s << 8.0;
    QTest::newRow("beyond a double") << u"1e999"_s << 0.0;
}

void TestDatabaseRules::val()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(kelm::val(text), value);
    test::TestDatabase t;
    QCOMPARE(t.db().scalar(u"SELECT val(?)"_s, {text}).toDouble(), value);
}

void TestDatabaseRules::documentTablesInRegisterOrder()
{
    const auto tables = schema::documentTables();
    QCOMPARE(int(tables.size()), documentCount);
    for (const DocumentEntry &e : documentCatalogue()) {
        const schema::Table *t = tables[std::size_t(e.index)];
        QVERIFY2(t, qPrintable(e.table));
        QCOMPARE(QString::fromUtf8(t->name.data(), qsizetype(t->name.size())), e.table);
        QCOMPARE(QString::fromUtf8(t->columns[0].name.data()).left(4), u"dabh"_s);
        QCOMPARE(QString::fromUtf8(t->key.data(), qsizetype(t->key.size())), u"dabh"_s);
        if (!e.authorityColumn.isEmpty()) {
            const bool found = std::any_of(t->columns.begin(), t->columns.end(), [&](const schema::Column &c) {
                return QString::fromUtf8(c.name.data(), qsizetype(c.name.size())) == e.authorityColumn
                    && displayUnits(authorityText()) <= c.capacity;
            });
            QVERIFY2(found, qPrintable(e.table));
        }
    }
}

void TestDatabaseRules::columnCounts_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("count");
    const std::pair<const char16_t *, int> counts[] = {
        {u"labg", 24}, {u"sljl", 21}, {u"dczj", 20}, {u"hyjl", 26}, {u"spb", 26},   {u"tzgz", 36},
        {u"cfgz", 29}, {u"tztz", 35}, {u"tzbl", 29}, {u"tzyj", 31}, {u"cfjd", 34},  {u"dccf", 36},
        {u"zlgz", 39}, {u"xzbl", 20}, {u"xwbl", 21}, {u"cssb", 23}, {u"cyjl", 33},  {u"bczj", 34},
        {u"qzzx", 20}, {u"ajys", 26}, {u"sdhz", 23}, {u"jabg", 23}, {u"xzcf2", 20}, {u"xzcftj", 86},
        {u"jktj", 16},
    };
    for (const auto &[table, count] : counts)
        QTest::newRow(QString::fromUtf16(table).toUtf8()) << QString::fromUtf16(table) << count;
}

void TestDatabaseRules::columnCounts()
{
    QFETCH(QString, table);
    QFETCH(int, count);
    test::TestDatabase t;
    const Rows rows = t.db().select(u"SELECT * FROM %1"_s.arg(table));
    QCOMPARE(int(rows.columns.size()), count);
}

void TestDatabaseRules::fixedOrdinals()
{
    test::TestDatabase t;
    auto columns = [&](const QString &table) { return t.db().select(u"SELECT * FROM %1"_s.arg(table)).columns; };
    QCOMPARE(columns(u"wsxkz"_s).at(24), u"xcnsrq"_s);
    QCOMPARE(columns(u"wslo"_s).at(0), u"abcd"_s);
    const auto tj = columns(u"xzcftj"_s);
    QCOMPARE(tj.at(0), u"tbdw"_s);
    QCOMPARE(tj.at(1), u"tjsj"_s);
    const auto cases = columns(u"xzcf"_s);
    for (int k = 1; k <= 22; ++k)
        QVERIFY(std::find(cases.begin(), cases.end(), u"bg%1"_s.arg(k)) != cases.end());
}

void TestDatabaseRules::seedRows()
{
    test::TestDatabase t;
    Database &d = t.db();
    const Rows wslo = d.select(u"SELECT * FROM wslo"_s);
    QCOMPARE(int(wslo.size()), 1);
    QCOMPARE(wslo.values[0][0], initialPassword);
    QCOMPARE(wslo.values[0][1], u"vorozi"_s);
    QCOMPARE(d.scalar(u"SELECT count(*) FROM xzcftj"_s), u"1"_s);
    QCOMPARE(d.scalar(u"SELECT count(*) FROM xzcf"_s), u"0"_s);
    QCOMPARE(d.scalar(u"PRAGMA journal_mode"_s), u"delete"_s);
    QCOMPARE(d.scalar(u"PRAGMA synchronous"_s), u"2"_s);
    QCOMPARE(d.scalar(u"PRAGMA integrity_check"_s), u"ok"_s);
}

void TestDatabaseRules::preparerRefusesExistingFile()
{
    QTemporaryDir dir;
    const QString path = dir.path() + u"/kelm.mdb"_s;
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("keep me");
    f.close();
    QVERIFY_THROWS_EXCEPTION(DbError, prepareDatabase(path));
    QFile g(path);
    QVERIFY(g.open(QIODevice::ReadOnly));
    QCOMPARE(g.readAll(), QByteArray("keep me"));
}

void TestDatabaseRules::unusableFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("message"); // %1: the file
    QTest::newRow("missing") << u"missing"_s << int(DbFailure::CannotOpen) << u"找不到数据库文件 %1。"_s;
    QTest::newRow("text file") << u"text"_s << int(DbFailure::NotOurs) << u"文件 %1 不是本程序的数据库。"_s;
    QTest::newRow("empty file") << u"empty"_s << int(DbFailure::NotOurs) << u"文件 %1 不是本程序的数据库。"_s;
    QTest::newRow("another program's database") << u"foreign"_s << int(DbFailure::NotOurs)
                                                << u"文件 %1 不是本程序的数据库。"_s;
    QTest::newRow("other schema version") << u"version"_s << int(DbFailure::NotOurs)
                                          << u"数据库文件 %1 不是本程序所用的版本。"_s;
}

// Each file that cannot serve is refused with what is wrong with it.
void TestDatabaseRules::unusableFiles()
{
    QFETCH(QString, file);
    QFETCH(int, kind);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString path = dir.path() + u"/kelm.mdb"_s;
    if (file == u"version"_s) {
        QVERIFY(QFile::copy(test::preparedTemplate(), path));
        QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        SQLite::Database raw(path.toStdString(), SQLite::OPEN_READWRITE);
        raw.exec("PRAGMA user_version = 99");
    } else if (file == u"foreign"_s) {
        SQLite::Database raw(path.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        raw.exec("CREATE TABLE t (a TEXT)");
    } else if (file != u"missing"_s) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(file == u"text"_s ? QByteArray("not a database, just some text long enough for a header\n").repeated(4)
                                  : QByteArray());
    }
    try {
        Database d(path, storedSchema());
        QFAIL("opened an unusable file");
    } catch (const DbError &e) {
        QCOMPARE(int(e.kind()), kind);
        QCOMPARE(e.message(), QString(message).replace(u"%1"_s, path));
    }
}

void TestDatabaseRules::failuresToldByKind_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("message"); // %1: the file
    QTest::newRow("read-only") << u"read-only"_s << int(DbFailure::ReadOnly)
                               << u"数据库文件 %1 是只读的，不能写入。"_s;
    QTest::newRow("disk full") << u"full"_s << int(DbFailure::DiskFull)
                               << u"数据库文件 %1 所在的磁盘已满，不能写入。"_s;
    QTest::newRow("damaged") << u"damaged"_s << int(DbFailure::Damaged) << u"数据库文件 %1 已损坏。"_s;
    QTest::newRow("missing table") << u"no table"_s << int(DbFailure::Other) << u"数据库操作失败：错误代码 1。"_s;
}

// A failure while working says in Chinese what is wrong, without the
// engine's own English text.
void TestDatabaseRules::failuresToldByKind()
{
    QFETCH(QString, failure);
    QFETCH(int, kind);
    QFETCH(QString, message);
    test::TestDatabase t;
    closeDatabase();
    if (failure == u"damaged"_s)
        test::damageTable(t.path(), u"xzcf"_s);
    Database d(t.path(), storedSchema(),
               failure == u"read-only"_s ? Database::Mode::ReadOnly : Database::Mode::ReadWrite);
    if (failure == u"full"_s)
        d.scalar(u"PRAGMA max_page_count = "_s + d.scalar(u"PRAGMA page_count"_s));
    try {
        if (failure == u"no table"_s)
            d.select(u"SELECT * FROM nosuchtable"_s);
        else if (failure == u"damaged"_s)
            d.select(u"SELECT * FROM xzcf"_s);
        else
            d.exec(u"INSERT INTO xzcf (dabh, dwmc) VALUES (?, ?)"_s, {u"20020001"_s, QString(60000, u'x')});
        QFAIL("no failure");
    } catch (const DbError &e) {
        QCOMPARE(int(e.kind()), kind);
        QCOMPARE(e.message(), QString(message).replace(u"%1"_s, t.path()));
    }
}

void TestDatabaseRules::resultCodesByKind_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("systemError");
    QTest::addColumn<int>("kind");
    QTest::newRow("busy") << SQLITE_BUSY << 0 << int(DbFailure::InUse);
    QTest::newRow("busy, extended") << SQLITE_BUSY_SNAPSHOT << 0 << int(DbFailure::InUse);
    QTest::newRow("locked") << SQLITE_LOCKED << 0 << int(DbFailure::InUse);
    QTest::newRow("read-only") << SQLITE_READONLY << 0 << int(DbFailure::ReadOnly);
    QTest::newRow("read-only directory") << SQLITE_READONLY_DIRECTORY << 0 << int(DbFailure::ReadOnly);
    QTest::newRow("full") << SQLITE_FULL << 0 << int(DbFailure::DiskFull);
    QTest::newRow("corrupt") << SQLITE_CORRUPT << 0 << int(DbFailure::Damaged);
    QTest::newRow("not a database") << SQLITE_NOTADB << 0 << int(DbFailure::NotOurs);
    QTest::newRow("cannot open") << SQLITE_CANTOPEN << 0 << int(DbFailure::CannotOpen);
    QTest::newRow("permission") << SQLITE_PERM << 0 << int(DbFailure::NoAccess);
    QTest::newRow("disk error") << SQLITE_IOERR_WRITE << 0 << int(DbFailure::DiskError);
    QTest::newRow("out of memory") << SQLITE_NOMEM << 0 << int(DbFailure::OutOfMemory);
    QTest::newRow("statement error") << SQLITE_ERROR << 0 << int(DbFailure::Other);
    // The system's error number says more than the engine's code.
    QTest::newRow("write failed, quota used up") << SQLITE_IOERR_WRITE << EDQUOT << int(DbFailure::DiskFull);
    QTest::newRow("sync failed, disk full") << SQLITE_IOERR_FSYNC << ENOSPC << int(DbFailure::DiskFull);
    QTest::newRow("cannot open, read-only disk") << SQLITE_CANTOPEN << EROFS << int(DbFailure::ReadOnly);
    QTest::newRow("write not permitted") << SQLITE_IOERR_WRITE << EPERM << int(DbFailure::NoAccess);
    QTest::newRow("disk gone") << SQLITE_IOERR_READ << ENXIO << int(DbFailure::DiskError);
    QTest::newRow("cannot open, no such folder") << SQLITE_CANTOPEN << ENOENT << int(DbFailure::CannotOpen);
    // Kept from an earlier failure: the engine's code alone counts.
    QTest::newRow("full, an old error number") << SQLITE_FULL << EACCES << int(DbFailure::DiskFull);
    QTest::newRow("busy, an old error number") << SQLITE_BUSY << EROFS << int(DbFailure::InUse);
}

// The one mapping from the engine's result codes to what the user is told;
// "in use" is never "damaged". The message is Chinese throughout, a cause
// the system gave included; only the file's name may hold Latin letters.
void TestDatabaseRules::resultCodesByKind()
{
    QFETCH(int, code);
    QFETCH(int, systemError);
    QFETCH(int, kind);
    const QString file = u"/x/kelm.mdb"_s;
    QCOMPARE(int(failureKind(code, systemError)), kind);
    const DbError e = engineError(code, file, systemError);
    QCOMPARE(int(e.kind()), kind);
    QVERIFY2(e.message().startsWith(failureText(DbFailure(kind), file).chopped(1)), qPrintable(e.message()));
    QVERIFY2(!QString(e.message()).remove(file).contains(QRegularExpression(u"[A-Za-z]"_s)), qPrintable(e.message()));
    if (kind == int(DbFailure::DiskError) || kind == int(DbFailure::CannotOpen))
        QCOMPARE(e.message().contains(systemErrorText(systemError)), systemError != 0);
}

void TestDatabaseRules::keysIgnoreCase()
{
    test::TestDatabase t;
    Database &d = t.db();
    QVERIFY(d.insertRow(u"wsxkz"_s, {u"xkzh"_s}, {u"2002abc1"_s}));
    QVERIFY(!d.insertRow(u"wsxkz"_s, {u"xkzh"_s}, {u"2002ABC1"_s}));
    QCOMPARE(d.scalar(u"SELECT count(*) FROM wsxkz WHERE xkzh = ?"_s, {u"2002ABC1"_s}), u"1"_s);
}

void TestDatabaseRules::transactionRollsBack()
{
    test::TestDatabase t;
    Database &d = t.db();
    {
        Transaction tx(d);
        d.insertRow(u"xzcf"_s, {u"dabh"_s}, {u"20020001"_s});
    }
    QCOMPARE(d.scalar(u"SELECT count(*) FROM xzcf"_s), u"0"_s);
    {
        Transaction tx(d);
        d.insertRow(u"xzcf"_s, {u"dabh"_s}, {u"20020001"_s});
        tx.commit();
    }
    QCOMPARE(d.scalar(u"SELECT count(*) FROM xzcf"_s), u"1"_s);
}

QTEST_GUILESS_MAIN(TestDatabaseRules)
#include "tst_database.moc"
