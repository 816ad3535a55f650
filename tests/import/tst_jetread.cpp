// Reading an office's Jet files through the reader program: every table,
// column type, row and value of the test files as their expected dumps
// give them, Jet 3 text by the rule of its code page, and a damaged file
// refused, never read as if it were whole.
#include "import/jetfile.h"
#include "import/readersettings.h"
#include "support/jetfiles.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::test;

namespace {

// Cells by "table/row/column" (rows counted from 1).
using Cells = QMap<QString, QString>;

QJsonObject expected(const QString &file)
{
    QFile f(jetTestFile(file + u".expected.json"_s));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(f.readAll()).object();
}

jet::ColumnType typeNamed(const QString &name)
{
    static const QHash<QString, jet::ColumnType> types = {
        {u"BOOLEAN"_s, jet::ColumnType::YesNo},       {u"BYTE"_s, jet::ColumnType::Byte},
        {u"INT"_s, jet::ColumnType::Integer},         {u"LONG"_s, jet::ColumnType::Long},
        {u"MONEY"_s, jet::ColumnType::Currency},      {u"FLOAT"_s, jet::ColumnType::Single},
        {u"DOUBLE"_s, jet::ColumnType::Double},       {u"SHORT_DATE_TIME"_s, jet::ColumnType::DateTime},
        {u"TEXT"_s, jet::ColumnType::Text},           {u"MEMO"_s, jet::ColumnType::Memo},
        {u"BINARY"_s, jet::ColumnType::Binary},       {u"OLE"_s, jet::ColumnType::Ole},
        {u"GUID"_s, jet::ColumnType::ReplicationId}, {u"NUMERIC"_s, jet::ColumnType::Numeric},
    };
    return types.value(name, jet::ColumnType::Other);
}

// A value as the expected dumps write it: null, 0/1 for yes/no, else text.
bool same(const jet::Value &value, const QJsonValue &json)
{
    if (json.isNull())
        return value.null;
    if (json.isDouble())
        return !value.null && value.text == QString::number(json.toInt());
    return !value.null && value.text == json.toString();
}

QString shown(const jet::Value &value) { return value.null ? u"NULL"_s : u"\""_s + value.text.left(80) + u'"'; }

// A copy of a test file in dir, changed by patch.
QString copyOf(const QTemporaryDir &dir, const QString &file, const std::function<void(QByteArray &)> &patch = {})
{
    QFile source(jetTestFile(file));
    if (!source.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = source.readAll();
    if (patch)
        patch(bytes);
    const QString path = dir.filePath(file);
    QFile copy(path);
    if (!copy.open(QIODevice::WriteOnly) || copy.write(bytes) != bytes.size())
        return {};
    return path;
}

// The code page field of a Jet 3 header, stored masked, made to say 936.
void sayCodePage936(QByteArray &bytes)
{
    bytes[0x3c] = char(0xd3);
    bytes[0x3d] = char(0x41);
}

} // namespace

class TestJetRead : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { useBuiltJetReader(); }
    void content_data();
    void content();
    void kelmFiles_data();
    void kelmFiles();
    void kelmValues_data();
    void kelmValues();
    void notRead_data();
    void notRead();
    void cutShort_data();
    void cutShort();
    void flippedBytes_data();
    void flippedBytes();
};

void TestJetRead::content_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("codePage936"); // the header patched to say so
    QTest::addColumn<int>("jetVersion");
    QTest::addColumn<int>("codePage");
    QTest::addColumn<QString>("encoding");
    // Where the result differs from the expected dump, and which values are
    // flagged as not decoding.
    QTest::addColumn<Cells>("differences");
    QTest::addColumn<QStringList>("undecodable");

    QTest::newRow("Jet 3, every basic type") << u"testV1997"_s << false << 3 << 1252 << u"GB18030"_s << Cells{}
                                             << QStringList{};
    // Its "£" is no GBK: the file's text is taken by the header's 1252.
    QTest::newRow("Jet 3, memo, dates, OLE, a pound sign")
        << u"test2V1997"_s << false << 3 << 1252 << u"windows-1252"_s << Cells{} << QStringList{};
    QTest::newRow("Jet 4, rows in the other order") << u"testV2000"_s << false << 4 << 0 << QString() << Cells{}
                                                    << QStringList{};
    QTest::newRow("Jet 3, GBK under a 1252 header") << u"j3gbk"_s << false << 3 << 1252 << u"GB18030"_s << Cells{}
                                                    << QStringList{};
    QTest::newRow("Jet 3, GBK under a 936 header") << u"j3gbk-cp936"_s << false << 3 << 936 << u"GB18030"_s
                                                   << Cells{} << QStringList{};
    // Not all of its text is GBK, and its header says 1252: all of it is
    // read by 1252, and the byte that 1252 lacks (81) stands as U+FFFD.
    // (The expected dump's own strict reader shows GBK and that value null.)
    QTest::newRow("Jet 3, one value no GBK, 1252 header")
        << u"j3gbk-bad"_s << false << 3 << 1252 << u"windows-1252"_s
        << Cells{{u"Table1/2/A"_s, u"\uFFFD \u00FFAB?C"_s}, {u"Table1/2/B"_s, u"\u00B7\u00A3\u00BF\u00EE\u00CE\u00A5\u00B7\u00A8X"_s}}
        << QStringList{u"Table1/2/A"_s};
    // Under a 936 header the file is GBK, and each run of bytes that is no
    // GBK stands as one U+FFFD, never as a silent "?".
    QTest::newRow("Jet 3, one value no GBK, 936 header")
        << u"j3gbk-bad"_s << true << 3 << 936 << u"GB18030"_s
        << Cells{{u"Table1/2/A"_s, u"\uFFFD \uFFFDAB?C"_s}} << QStringList{u"Table1/2/A"_s};
}

void TestJetRead::content()
{
    QFETCH(QString, file);
    QFETCH(bool, codePage936);
    QFETCH(int, jetVersion);
    QFETCH(int, codePage);
    QFETCH(QString, encoding);
    QFETCH(Cells, differences);
    QFETCH(QStringList, undecodable);

    QTemporaryDir dir;
    const QString path = copyOf(dir, file + u".mdb"_s, codePage936 ? sayCodePage936 : std::function<void(QByteArray &)>{});
    QVERIFY(!path.isEmpty());
    KeptJetFile kept;
    const jet::ReadOutcome outcome = jet::readJetFile(path, kept);
    QVERIFY2(outcome.ok(), qPrintable(outcome.detail));
    QCOMPARE(kept.misorders, 0);
    QCOMPARE(kept.file.jetVersion, jetVersion);
    QCOMPARE(kept.file.codePage, codePage);
    QCOMPARE(kept.file.textEncoding, encoding);

    const QJsonObject tables = expected(file)[u"jet_content"_s][u"tables"_s].toObject();
    QCOMPARE(kept.tables.size(), size_t(tables.size()));
    QStringList flagged;
    for (auto t = tables.begin(); t != tables.end(); ++t) {
        const int table = kept.table(t.key());
        QVERIFY2(table >= 0 && kept.tables[table].name == t.key(), qPrintable(t.key()));
        const QJsonArray columns = t.value()[u"columns"_s].toArray();
        const QJsonArray rows = t.value()[u"rows"_s].toArray();
        const jet::Table &read = kept.tables[table];
        QCOMPARE(read.columns.size(), size_t(columns.size()));
        QCOMPARE(read.recordedRows, rows.size());
        QCOMPARE(kept.rows[table].size(), size_t(rows.size()));
        for (qsizetype c = 0; c < columns.size(); ++c) {
            const QString name = columns[c][u"name"_s].toString();
            QCOMPARE(read.columns[c].name, name);
            QCOMPARE(read.columns[c].type, typeNamed(columns[c][u"type"_s].toString()));
            for (qsizetype r = 0; r < rows.size(); ++r) {
                const jet::Value &value = kept.rows[table][r][c];
                const QString cell = u"%1/%2/%3"_s.arg(t.key()).arg(r + 1).arg(name);
                if (value.undecodable)
                    flagged << cell;
                if (differences.contains(cell)) {
                    QCOMPARE(value.text, differences.value(cell));
                } else if (read.columns[c].type == jet::ColumnType::Ole) {
                    // The dump shows a placeholder; the reader leaves objects unread.
                    QCOMPARE(value.null, rows[r][name].isNull());
                } else {
                    QVERIFY2(same(value, rows[r][name]), qPrintable(cell + u": "_s + shown(value)));
                }
            }
        }
    }
    QCOMPARE(flagged, undecodable);
}

void TestJetRead::kelmFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("text columns") << u"kelm-text"_s;
    QTest::newRow("typed columns") << u"kelm-typed"_s;
}

// Every value of every Jet column that the expected dump has, row by row in
// stored order: the dump's rows are in the file's order.
void TestJetRead::kelmFiles()
{
    QFETCH(QString, file);
    KeptJetFile kept;
    const jet::ReadOutcome outcome = jet::readJetFile(jetTestFile(file + u".mdb"_s), kept);
    QVERIFY2(outcome.ok(), qPrintable(outcome.detail));
    QCOMPARE(kept.misorders, 0);
    const QJsonObject tables = expected(file)[u"tables"_s].toObject();
    qint64 compared = 0;
    for (auto t = tables.begin(); t != tables.end(); ++t) {
        const int table = kept.table(t.key());
        if (table < 0)
            continue; // a table the file lacks: the conversion's matter
        const QJsonArray rows = t.value()[u"rows"_s].toArray();
        QCOMPARE(kept.rows[table].size(), size_t(rows.size()));
        QCOMPARE(kept.tables[table].recordedRows, rows.size());
        for (const QJsonValue &column : t.value()[u"columns"_s].toArray()) {
            const int c = kept.column(table, column.toString());
            if (c < 0)
                continue;
            for (qsizetype r = 0; r < rows.size(); ++r) {
                const jet::Value &value = kept.rows[table][r][c];
                QVERIFY2(same(value, rows[r][column.toString()]),
                         qPrintable(u"%1 row %2 %3: %4"_s.arg(t.key()).arg(r + 1).arg(column.toString(), shown(value))));
                QVERIFY(!value.undecodable);
                ++compared;
            }
        }
    }
    QVERIFY(compared > 30000);
}

void TestJetRead::kelmValues_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QVariant>("expected"); // text; its length in UTF-16 units (an int); null

    QTest::newRow("beyond the BMP") << u"kelm-text"_s << u"xzcf"_s << 2 << u"dwlb2"_s
                                    << QVariant(u"𠀀非基本面😀"_s);
    QTest::newRow("93 KB memo, whole") << u"kelm-text"_s << u"xzcf"_s << 8 << u"cfnr"_s << QVariant(35008);
    QTest::newRow("compressed 20,002-character memo")
        << u"kelm-text"_s << u"xzcf"_s << 12 << u"aqjj"_s << QVariant(20002);
    QTest::newRow("empty memo, not null") << u"kelm-text"_s << u"xzcf"_s << 1 << u"aqjj"_s << QVariant(u""_s);
    QTest::newRow("null text") << u"kelm-text"_s << u"xzcf"_s << 2 << u"dwdz"_s << QVariant();
    QTest::newRow("the text NULL") << u"kelm-text"_s << u"xzcf"_s << 14 << u"dwmc"_s << QVariant(u"NULL"_s);
    QTest::newRow("marker at ordinal 1") << u"kelm-text"_s << u"wslo"_s << 1 << u"bz"_s << QVariant(u"vorozi"_s);
    QTest::newRow("date before 1900 with time") << u"kelm-typed"_s << u"xzcf"_s << 6 << u"slsj"_s
                                                << QVariant(u"1850-06-15 06:00:00"_s);
    QTest::newRow("day zero") << u"kelm-typed"_s << u"xzcf"_s << 6 << u"lasj"_s << QVariant(u"1899-12-30"_s);
    QTest::newRow("the day before day zero") << u"kelm-typed"_s << u"xzcf"_s << 6 << u"jasj"_s
                                             << QVariant(u"1899-12-29"_s);
    QTest::newRow("date and time") << u"kelm-typed"_s << u"xzcf"_s << 10 << u"lasj"_s
                                   << QVariant(u"2002-10-19 13:45:30"_s);
    QTest::newRow("currency, four decimals") << u"kelm-typed"_s << u"xzcf"_s << 2 << u"msje"_s
                                             << QVariant(u"1234.5678"_s);
    QTest::newRow("currency, cents") << u"kelm-typed"_s << u"xzcf"_s << 4 << u"msje"_s << QVariant(u"0.05"_s);
    QTest::newRow("currency, whole") << u"kelm-typed"_s << u"xzcf"_s << 4 << u"fkje"_s << QVariant(u"200000"_s);
    QTest::newRow("single 12.3") << u"kelm-typed"_s << u"dycc"_s << 3 << u"xmzh"_s << QVariant(u"12.3"_s);
    QTest::newRow("long") << u"kelm-typed"_s << u"wsxkz"_s << 7 << u"XGRS"_s << QVariant(u"123456789"_s);
    QTest::newRow("integer") << u"kelm-typed"_s << u"JKTJ"_s << 1 << u"nl"_s << QVariant(u"27"_s);
    QTest::newRow("double") << u"kelm-typed"_s << u"xzcftj"_s << 1 << u"a12"_s
                            << QVariant(u"0.30000000000000004"_s);
    QTest::newRow("rows in stored order") << u"kelm-typed"_s << u"JKTJ"_s << 40 << u"tjbh"_s
                                          << QVariant(u"20030039"_s);
}

void TestJetRead::kelmValues()
{
    QFETCH(QString, file);
    QFETCH(QString, table);
    QFETCH(int, row);
    QFETCH(QString, column);
    QFETCH(QVariant, expected);
    KeptJetFile kept;
    QVERIFY(jet::readJetFile(jetTestFile(file + u".mdb"_s), kept).ok());
    const int t = kept.table(table);
    QVERIFY(t >= 0);
    QCOMPARE(kept.tables[t].name, table);
    const int c = kept.column(t, column);
    QVERIFY(c >= 0);
    QVERIFY(size_t(row) <= kept.rows[t].size());
    const jet::Value &value = kept.rows[t][row - 1][c];
    QCOMPARE(value.null, expected.isNull());
    if (expected.typeId() == QMetaType::Int)
        QCOMPARE(value.text.size(), expected.toInt());
    else if (!expected.isNull())
        QCOMPARE(value.text, expected.toString());
}

void TestJetRead::notRead_data()
{
    QTest::addColumn<QByteArray>("bytes"); // what the file holds; empty: no file
    QTest::addColumn<bool>("readable");
    QTest::addColumn<jet::ReadFailure>("failure");
    QTest::addColumn<QString>("words");

    QTest::newRow("missing") << QByteArray() << true << jet::ReadFailure::Unreadable << u"不存在"_s;
    QTest::newRow("not to be read") << QByteArray(4096, 'x') << false << jet::ReadFailure::Unreadable << u"没有权限"_s;
    QTest::newRow("empty") << QByteArray("", 0) << true << jet::ReadFailure::NotJet << u"不是 Jet 数据库"_s;
    QTest::newRow("a SQLite kelm.mdb") << QByteArray("SQLite format 3\0", 16) + QByteArray(4080, '\0') << true
                                       << jet::ReadFailure::NotJet << u"不是 Jet 数据库"_s;
    QByteArray accdb(4096, '\0');
    accdb.replace(0, 20, QByteArray("\0\1\0\0Standard ACE DB\0", 20));
    QTest::newRow("a newer format") << accdb << true << jet::ReadFailure::NotJet << u"不是 Jet 数据库"_s;
    // A Jet header and nothing after the first page: the library does not
    // open it, or finds no catalogue.
    QByteArray header(4096, '\0');
    header.replace(0, 20, QByteArray("\0\1\0\0Standard Jet DB\0", 20));
    header[0x14] = 1;
    QTest::newRow("a Jet header alone") << header << true << jet::ReadFailure::Damaged << u"损坏"_s;
}

void TestJetRead::notRead()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, readable);
    QFETCH(jet::ReadFailure, failure);
    QFETCH(QString, words);
    if (!readable && geteuid() == 0)
        QSKIP("the administrator reads every file");
    QTemporaryDir dir;
    const QString path = dir.filePath(u"kelm.mdb"_s);
    if (!bytes.isNull()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        QVERIFY(file.setPermissions(readable ? QFile::ReadOwner | QFile::WriteOwner : QFile::WriteOwner));
    }
    KeptJetFile kept;
    const jet::ReadOutcome outcome = jet::readJetFile(path, kept);
    QCOMPARE(outcome.failure, failure);
    QVERIFY2(outcome.detail.contains(words), qPrintable(outcome.detail));
    QCOMPARE(jet::isJetFile(path), failure == jet::ReadFailure::Damaged);
}

// A file cut short at a page: the library reads such a file without an
// error, a table simply ending early. Whatever page it ends at, the file is
// refused, or, where nothing but unused pages went, read whole.
void TestJetRead::cutShort_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("pageSize");
    QTest::addColumn<int>("step"); // every step-th page boundary
    QTest::newRow("Jet 4 kelm.mdb") << u"kelm-text.mdb"_s << 4096 << 7;
    QTest::newRow("Jet 3") << u"testV1997.mdb"_s << 2048 << 1;
}

void TestJetRead::cutShort()
{
    QFETCH(QString, file);
    QFETCH(int, pageSize);
    QFETCH(int, step);
    KeptJetFile whole;
    QVERIFY(jet::readJetFile(jetTestFile(file), whole).ok());
    QFile source(jetTestFile(file));
    QVERIFY(source.open(QIODevice::ReadOnly));
    const QByteArray bytes = source.readAll();
    QTemporaryDir dir;
    const QString path = dir.filePath(u"cut.mdb"_s);
    int refused = 0;
    for (qsizetype pages = 1; pages * pageSize < bytes.size(); pages += step) {
        QFile cut(path);
        QVERIFY(cut.open(QIODevice::WriteOnly | QIODevice::Truncate));
        cut.write(bytes.left(pages * pageSize));
        cut.close();
        KeptJetFile kept;
        const jet::ReadOutcome outcome = jet::readJetFile(path, kept);
        if (outcome.ok()) {
            QVERIFY2(kept.rows.size() == whole.rows.size(), qPrintable(u"cut at page %1"_s.arg(pages)));
            for (size_t t = 0; t < kept.rows.size(); ++t)
                QVERIFY2(kept.rows[t].size() == whole.rows[t].size(), qPrintable(u"cut at page %1"_s.arg(pages)));
            continue;
        }
        ++refused;
        QVERIFY2(outcome.failure == jet::ReadFailure::Damaged || outcome.failure == jet::ReadFailure::NotWhole,
                 qPrintable(outcome.detail));
        QVERIFY2(outcome.detail.contains(u"损坏"_s), qPrintable(outcome.detail));
    }
    QVERIFY(refused > 0);
}

// Bytes flipped in a page, as Jet has no checksums to tell: the file is
// read or refused, and the program neither crashes nor waits for ever (the
// reader does either at worst).
void TestJetRead::flippedBytes_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("pageSize");
    QTest::newRow("Jet 3") << u"testV1997.mdb"_s << 2048;
    QTest::newRow("Jet 4") << u"kelm-typed.mdb"_s << 4096;
}

void TestJetRead::flippedBytes()
{
    QFETCH(QString, file);
    QFETCH(int, pageSize);
    QFile source(jetTestFile(file));
    QVERIFY(source.open(QIODevice::ReadOnly));
    const QByteArray bytes = source.readAll();
    QTemporaryDir dir;
    const QString path = dir.filePath(u"flipped.mdb"_s);
    // A hang costs the whole limit: short here, since any outcome will do.
    jet::setReaderSilenceLimit(std::chrono::seconds(2));
    QRandomGenerator random(20261211);
    QMap<int, int> outcomes;
    const int pages = int(bytes.size() / pageSize);
    for (int page = 0; page < pages; page += std::max(1, pages / 40)) {
        QByteArray flipped = bytes;
        for (int i = 0; i < 8; ++i)
            flipped[page * pageSize + random.bounded(pageSize)] ^= char(1 << random.bounded(8));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(flipped);
        f.close();
        KeptJetFile kept;
        const jet::ReadOutcome outcome = jet::readJetFile(path, kept);
        ++outcomes[int(outcome.failure)];
        QVERIFY(outcome.ok() == outcome.detail.isEmpty());
        QVERIFY(outcome.failure != jet::ReadFailure::Cancelled && outcome.failure != jet::ReadFailure::Unreadable);
    }
    useBuiltJetReader();
    qInfo() << "outcomes" << outcomes;
}

QTEST_GUILESS_MAIN(TestJetRead)
#include "tst_jetread.moc"
