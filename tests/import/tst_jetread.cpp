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
#include <QtEndian>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::test;

namespace {

// Cells by "table/row/column" (rows counted from 1).
using Cells = QMap<QString, QString>;
// Bytes to write over a file's own, by offset.
using Patches = QList<std::pair<qsizetype, QByteArray>>;

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

// bytes written over the file's own at offset, which must be was.
std::function<void(QByteArray &)> patchAt(qsizetype offset, const QByteArray &was, const QByteArray &bytes)
{
    return [=](QByteArray &file) {
        if (file.mid(offset, was.size()) != was)
            qFatal("the test file is not the one these offsets were taken from");
        file.replace(offset, bytes.size(), bytes);
    };
}

// Each patch's bytes written over the file's own at its offset.
std::function<void(QByteArray &)> patched(const Patches &patches)
{
    return [=](QByteArray &bytes) {
        for (const auto &[offset, patch] : patches)
            bytes.replace(offset, patch.size(), patch);
    };
}

// The code page field of a Jet 3 header, stored masked, made to say 936.
void sayCodePage936(QByteArray &bytes)
{
    bytes[0x3c] = char(0xd3);
    bytes[0x3d] = char(0x41);
}

// Where kelm-text keeps xzcf's rows (the expected dump's rows 1-12 on page
// 30, 13-25 on page 80, 26-37 on page 86), and patches that change them as
// Jet itself does: each row's slot on its page holds the row's offset, with
// 0x8000 for a deleted row and 0x4000 for a row that holds only a pointer
// (page << 8 | row) to its data, moved elsewhere and there marked deleted.
class XzcfPages {
public:
    XzcfPages()
    {
        QFile file(jetTestFile(u"kelm-text.mdb"_s));
        if (!file.open(QIODevice::ReadOnly) || (m_file = file.readAll()).size() != 475 * pageSize)
            qFatal("kelm-text.mdb is not the file these pages were taken from");
    }

    // The slot as stored, with flags added.
    std::pair<qsizetype, QByteArray> flagged(int page, int slot, quint16 flags) const
    {
        return {slotAt(page, slot), le16(stored(page, slot) | flags)};
    }
    // The slot made to say value.
    std::pair<qsizetype, QByteArray> slotSays(int page, int slot, quint16 value) const
    {
        return {slotAt(page, slot), le16(value)};
    }
    // The row in the slot made a pointer to the row in another slot.
    Patches pointer(int page, int slot, int toPage, int toSlot, quint16 flags = 0) const
    {
        const quint32 target = quint32(toPage) << 8 | quint32(toSlot);
        QByteArray bytes(4, '\0');
        qToLittleEndian(target, bytes.data());
        return {flagged(page, slot, overflow | flags), {page * pageSize + (stored(page, slot) & 0x1fff), bytes}};
    }
    // The row in the slot given the bytes of the row in another slot (of
    // the same length), as Jet leaves the data of a moved row.
    std::pair<qsizetype, QByteArray> copied(int fromPage, int fromSlot, int toPage, int toSlot) const
    {
        const qsizetype from = qsizetype(fromPage) * pageSize + (stored(fromPage, fromSlot) & 0x1fff);
        return {qsizetype(toPage) * pageSize + (stored(toPage, toSlot) & 0x1fff), m_file.mid(from, rowLength(fromPage, fromSlot))};
    }
    // The count of rows (slots) on the page.
    static std::pair<qsizetype, QByteArray> counted(int page, quint16 rows)
    {
        return {qsizetype(page) * pageSize + 12, le16(rows)};
    }
    // xzcf's row count in its definition.
    static std::pair<qsizetype, QByteArray> recorded(quint32 rows) { return {0x1c010, le32(rows)}; }
    // The catalogue's row count in its definition (page 2); its rows are on
    // page 14, one a table in catalogue order from slot 18 (wslo, xzcf, ...,
    // dycc at 44, jktj, xzcf2, xzcftj).
    static std::pair<qsizetype, QByteArray> catalogueRecorded(quint32 rows) { return {2 * pageSize + 16, le32(rows)}; }
    quint16 stored(int page, int slot) const
    {
        return qFromLittleEndian<quint16>(m_file.constData() + slotAt(page, slot));
    }

    static constexpr quint16 deleted = 0x8000;
    static constexpr quint16 overflow = 0x4000;

private:
    static constexpr int pageSize = 4096;
    static qsizetype slotAt(int page, int slot) { return qsizetype(page) * pageSize + 14 + 2 * slot; }
    static QByteArray le16(quint16 value)
    {
        QByteArray bytes(2, '\0');
        qToLittleEndian(value, bytes.data());
        return bytes;
    }
    static QByteArray le32(quint32 value)
    {
        QByteArray bytes(4, '\0');
        qToLittleEndian(value, bytes.data());
        return bytes;
    }
    int rowLength(int page, int slot) const
    {
        const int end = slot == 0 ? pageSize : stored(page, slot - 1) & 0x1fff;
        return end - (stored(page, slot) & 0x1fff);
    }

    QByteArray m_file;
};

// The expected dump's xzcf rows (1-120) as a reader must give them: those
// gone left out, and each moved row (first) read in its pointer's place
// (second) and nowhere else.
QList<int> xzcfRows(const QList<int> &gone, const QList<std::pair<int, int>> &moved = {})
{
    QList<int> rows;
    for (int row = 1; row <= 120; ++row)
        rows << row;
    for (const auto &[from, to] : moved) {
        rows.removeOne(from);
        rows[rows.indexOf(to)] = from;
    }
    for (int row : gone)
        rows.removeOne(row);
    return rows;
}

} // namespace

class TestJetRead : public QObject {
    Q_OBJECT

private slots:
    void init() { useBuiltJetReader(); }
    void content_data();
    void content();
    void kelmFiles_data();
    void kelmFiles();
    void kelmValues_data();
    void kelmValues();
    void storedText_data();
    void storedText();
    void memoNotWhole_data();
    void memoNotWhole();
    void storedRows_data();
    void storedRows();
    void storedCatalogue_data();
    void storedCatalogue();
    void damagedRows_data();
    void damagedRows();
    void notRead_data();
    void notRead();
    void cutShort_data();
    void cutShort();
    void catalogueProperties();
    void libraryDebugging();
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
    QTest::newRow("20,002-character memo on a chain of pages")
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

// Text as stored, patched into a value of the same length: Jet 4 runs of
// one-byte and two-byte characters, Jet 3 bytes by GBK; whatever does not
// decode stands as U+FFFD and is flagged, the rest of the value kept.
void TestJetRead::storedText_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<qsizetype>("offset");
    QTest::addColumn<QByteArray>("was");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("undecodable");

    // Table1 row 1 A of testV2000: "abcdefg", compressed (FF FE, then one
    // byte a character).
    const QString jet4 = u"testV2000.mdb"_s;
    const qsizetype jet4At = 0x1bfd9;
    const QByteArray jet4Was = QByteArray::fromHex("fffe61626364656667");
    QTest::newRow("Jet 4: one-byte and two-byte runs")
        << jet4 << jet4At << jet4Was << QByteArray::fromHex("fffe61002d4e006263") << u"a中bc"_s << false;
    QTest::newRow("Jet 4: half a surrogate pair")
        << jet4 << jet4At << jet4Was << QByteArray::fromHex("fffe61003dd8006263") << u"a\uFFFDbc"_s << true;
    QTest::newRow("Jet 4: half a unit at the end")
        << jet4 << jet4At << jet4Was << QByteArray::fromHex("fffe61626364650066") << u"abcde\uFFFD"_s << true;
    QTest::newRow("Jet 4: UTF-16, beyond the BMP")
        << jet4 << jet4At << jet4Was << QByteArray::fromHex("3dd800de6100620063") << u"😀ab\uFFFD"_s << true;
    // Table1 row 2 A of j3gbk-cp936: "卫生所A" in GBK under a 936 header.
    const QString jet3 = u"j3gbk-cp936.mdb"_s;
    const qsizetype jet3At = 0xffc2;
    const QByteArray jet3Was = QByteArray::fromHex("cec0c9facbf941");
    QTest::newRow("Jet 3: a run of bytes that are no GBK")
        << jet3 << jet3At << jet3Was << QByteArray::fromHex("80ff4142434445") << u"\uFFFDABCDE"_s << true;
    QTest::newRow("Jet 3: four-byte GB18030 beyond the BMP")
        << jet3 << jet3At << jet3Was << QByteArray::fromHex("95328236414243") << u"𠀀ABC"_s << false;
    QTest::newRow("Jet 3: a lead byte cut off at the end")
        << jet3 << jet3At << jet3Was << QByteArray::fromHex("414243444546b0") << u"ABCDEF\uFFFD"_s << true;
}

void TestJetRead::storedText()
{
    QFETCH(QString, file);
    QFETCH(qsizetype, offset);
    QFETCH(QByteArray, was);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QFETCH(bool, undecodable);
    QTemporaryDir dir;
    KeptJetFile kept;
    const jet::ReadOutcome outcome = jet::readJetFile(copyOf(dir, file, patchAt(offset, was, bytes)), kept);
    QVERIFY2(outcome.ok(), qPrintable(outcome.detail));
    const int table = kept.table(u"Table1"_s);
    const int row = file == u"testV2000.mdb"_s ? 0 : 1;
    QCOMPARE(kept.rows[table][row][0].text, expected);
    QCOMPARE(kept.rows[table][row][0].undecodable, undecodable);
    QCOMPARE(kept.rows[table][row][1].undecodable, false);
}

// A memo whose stored parts do not make the value its reference describes
// is refused, named by table, row and column, never handed on in part.
void TestJetRead::memoNotWhole_data()
{
    QTest::addColumn<qsizetype>("offset");
    QTest::addColumn<QByteArray>("was");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("where"); // row and column
    QTest::addColumn<QString>("words");

    // kelm-text xzcf: the references (length and kind, first page and row)
    // of row 8 cfnr (70,016 bytes on a chain of pages), row 8 aqjj (on one
    // page) and row 1 cfnr (in the row itself).
    const qsizetype chain = 0x1e666;
    const QByteArray chainWas = QByteArray::fromHex("80110100002a0000");
    QTest::newRow("chain shorter than its length")
        << chain << chainWas << QByteArray::fromHex("20980200") << u"第 8 行 cfnr"_s << u"不能完整读出"_s;
    QTest::newRow("chain into a page beyond the file")
        << chain << chainWas << QByteArray::fromHex("8011010000ffff00") << u"第 8 行 cfnr"_s << u"不能完整读出"_s;
    QTest::newRow("reference of no known kind")
        << chain << chainWas << QByteArray::fromHex("801101c0") << u"第 8 行 cfnr"_s << u"不能完整读出"_s;
    QTest::newRow("longer than any value passed on")
        << chain << chainWas << QByteArray::fromHex("ffffff3f") << u"第 8 行 cfnr"_s << u"太长"_s;
    QTest::newRow("on one page, longer than its row")
        << qsizetype(0x1e65a) << QByteArray::fromHex("fe020040") << QByteArray::fromHex("fe120040")
        << u"第 8 行 aqjj"_s << u"不能完整读出"_s;
    QTest::newRow("in the row, longer than the row")
        << qsizetype(0x1ef98) << QByteArray::fromHex("2f000080") << QByteArray::fromHex("ff000080")
        << u"第 1 行 cfnr"_s << u"不能完整读出"_s;
}

void TestJetRead::memoNotWhole()
{
    QFETCH(qsizetype, offset);
    QFETCH(QByteArray, was);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, where);
    QFETCH(QString, words);
    QTemporaryDir dir;
    KeptJetFile kept;
    const jet::ReadOutcome outcome =
        jet::readJetFile(copyOf(dir, u"kelm-text.mdb"_s, patchAt(offset, was, bytes)), kept);
    QCOMPARE(outcome.failure, jet::ReadFailure::NotWhole);
    QVERIFY2(outcome.detail.contains(u"表 xzcf "_s + where) && outcome.detail.contains(words)
                 && outcome.detail.contains(u"没有做任何改动"_s),
             qPrintable(outcome.detail));
    // Nothing of the refused row was handed on.
    const int table = kept.table(u"xzcf"_s);
    QVERIFY(kept.rows[table].size() < size_t(where.section(u' ', 1, 1).toInt()));
}

// Rows as the office left them: a deleted row is gone, a row moved behind
// a pointer is read once, in its pointer's place, with its own values whole
// (memos too) and the rows after it as stored.
void TestJetRead::storedRows_data()
{
    QTest::addColumn<Patches>("patches");
    QTest::addColumn<QList<int>>("rows"); // the expected dump's xzcf rows, in the order read

    const XzcfPages xzcf;
    QTest::newRow("a deleted row") << Patches{xzcf.flagged(80, 5, XzcfPages::deleted), XzcfPages::recorded(119)}
                                   << xzcfRows({18});
    QTest::newRow("a row moved on its page")
        << xzcf.pointer(30, 2, 30, 9) + Patches{xzcf.flagged(30, 9, XzcfPages::deleted), XzcfPages::recorded(119)}
        << xzcfRows({}, {{10, 3}});
    // Row 8 holds a memo on a chain of pages and one on a page of its own.
    QTest::newRow("a row with memos moved to another page")
        << xzcf.pointer(80, 0, 30, 7) + Patches{xzcf.flagged(30, 7, XzcfPages::deleted), XzcfPages::recorded(119)}
        << xzcfRows({}, {{8, 13}});
    // The row moved twice: its first new place holds a pointer on.
    QTest::newRow("a row moved twice")
        << xzcf.pointer(30, 0, 86, 1) + xzcf.pointer(86, 1, 80, 12, XzcfPages::deleted)
               + Patches{xzcf.flagged(80, 12, XzcfPages::deleted), XzcfPages::recorded(118)}
        << xzcfRows({27}, {{25, 1}});
    QTest::newRow("a moved row deleted")
        << xzcf.pointer(30, 4, 86, 3, XzcfPages::deleted)
               + Patches{xzcf.flagged(86, 3, XzcfPages::deleted), XzcfPages::recorded(118)}
        << xzcfRows({5, 29});
}

void TestJetRead::storedRows()
{
    QFETCH(Patches, patches);
    QFETCH(QList<int>, rows);
    QTemporaryDir dir;
    const QString path = copyOf(dir, u"kelm-text.mdb"_s, patched(patches));
    KeptJetFile kept;
    const jet::ReadOutcome outcome = jet::readJetFile(path, kept);
    QVERIFY2(outcome.ok(), qPrintable(outcome.detail));
    const QJsonObject xzcf = expected(u"kelm-text"_s)[u"tables"_s][u"xzcf"_s].toObject();
    const QJsonArray dump = xzcf[u"rows"_s].toArray();
    const int table = kept.table(u"xzcf"_s);
    QCOMPARE(kept.rows[table].size(), size_t(rows.size()));
    for (qsizetype r = 0; r < rows.size(); ++r) {
        for (const QJsonValue &column : xzcf[u"columns"_s].toArray()) {
            const int c = kept.column(table, column.toString());
            const jet::Value &value = kept.rows[table][r][c];
            QVERIFY2(same(value, dump[rows[r] - 1][column.toString()]),
                     qPrintable(u"row %1 (dump row %2) %3: %4"_s.arg(r + 1).arg(rows[r]).arg(column.toString(),
                                                                                            shown(value))));
        }
    }
}

// The tables are those the catalogue holds as the office left it: a table
// deleted is gone, and one whose catalogue row was moved behind a pointer
// is there once, with its rows.
void TestJetRead::storedCatalogue_data()
{
    QTest::addColumn<Patches>("patches");
    QTest::addColumn<QStringList>("gone");
    QTest::addColumn<QString>("kept"); // read whole all the same

    const XzcfPages pages;
    QTest::newRow("a table deleted") << Patches{pages.flagged(14, 46, XzcfPages::deleted),
                                                XzcfPages::catalogueRecorded(47)}
                                     << QStringList{u"xzcf2"_s} << u"xzcf"_s;
    // xzcf's row moved into dycc's place, dycc's own row gone with it.
    QTest::newRow("a table's row moved")
        << pages.pointer(14, 19, 14, 44)
               + Patches{pages.copied(14, 19, 14, 44), pages.flagged(14, 44, XzcfPages::deleted),
                         XzcfPages::catalogueRecorded(47)}
        << QStringList{u"dycc"_s} << u"xzcf"_s;
    QTest::newRow("a moved row deleted")
        << pages.pointer(14, 19, 14, 44, XzcfPages::deleted)
               + Patches{pages.copied(14, 19, 14, 44), pages.flagged(14, 44, XzcfPages::deleted),
                         XzcfPages::catalogueRecorded(46)}
        << QStringList{u"xzcf"_s, u"dycc"_s} << u"labg"_s;
}

void TestJetRead::storedCatalogue()
{
    QFETCH(Patches, patches);
    QFETCH(QStringList, gone);
    QFETCH(QString, kept);
    KeptJetFile whole;
    QVERIFY(jet::readJetFile(jetTestFile(u"kelm-text.mdb"_s), whole).ok());
    QTemporaryDir dir;
    KeptJetFile read;
    const jet::ReadOutcome outcome = jet::readJetFile(copyOf(dir, u"kelm-text.mdb"_s, patched(patches)), read);
    QVERIFY2(outcome.ok(), qPrintable(outcome.detail));
    QStringList expected;
    for (const jet::Table &table : whole.tables) {
        if (!gone.contains(table.name))
            expected << table.name;
    }
    QStringList names;
    for (const jet::Table &table : read.tables)
        names << table.name;
    QCOMPARE(names, expected);
    const int table = read.table(kept);
    QCOMPARE(read.rows[size_t(table)].size(), whole.rows[size_t(whole.table(kept))].size());
}

// A row or a column that cannot be what its table says is a damaged file,
// also where the table's row count was left at 0 (a file not closed
// properly), so that the count tells nothing.
void TestJetRead::damagedRows_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<Patches>("patches");
    QTest::addColumn<QString>("words");

    // kelm-text: xzcf's row count in its definition (120), the offset of
    // its first row on its first data page (page 30), that row's column
    // count, and the end of its second text value.
    const std::pair<qsizetype, QByteArray> noCount{0x1c010, QByteArray(4, '\0')};
    QTest::newRow("a row outside its page")
        << u"kelm-text.mdb"_s << Patches{noCount, {0x1e00e, QByteArray::fromHex("f01f")}} << u"表 xzcf"_s;
    QTest::newRow("a row that does not hold its columns")
        << u"kelm-text.mdb"_s << Patches{noCount, {0x1ee95, QByteArray::fromHex("ffff")}} << u"表 xzcf"_s;
    QTest::newRow("a value that ends before it begins")
        << u"kelm-text.mdb"_s << Patches{{0x1eff1, QByteArray::fromHex("0a00")}} << u"表 xzcf"_s;
    // xzcf's second data page (page 80, 13 rows) claimed by another table:
    // the library passes over it without a word.
    QTest::newRow("a data page gone")
        << u"kelm-text.mdb"_s << Patches{{80 * 4096 + 4, QByteArray::fromHex("1b000000")}}
        << u"表 xzcf 的定义记录了 120 行，只读出 107 行"_s;
    // A row's pointer to its moved data that leads nowhere a row of xzcf can
    // be: the file is damaged at that row (row 3, page 30's third).
    const XzcfPages xzcf;
    QTest::newRow("a row pointer beyond the file")
        << u"kelm-text.mdb"_s << xzcf.pointer(30, 2, 0xffffff, 5) << u"表 xzcf 第 3 行"_s;
    // The second pointer read while the page last read holds rows of xzcf.
    QTest::newRow("a row pointer on beyond the file")
        << u"kelm-text.mdb"_s << xzcf.pointer(30, 2, 86, 1) + xzcf.pointer(86, 1, 0xffffff, 5, XzcfPages::deleted)
        << u"表 xzcf 第 3 行"_s;
    // An index page names its table where a data page does.
    QTest::newRow("a row pointer to a page of the table's index")
        << u"kelm-text.mdb"_s << xzcf.pointer(30, 2, 80, 0) + Patches{{80 * 4096, QByteArray(1, '\4')}}
        << u"表 xzcf 第 3 行"_s;
    QTest::newRow("a row pointer to another table's rows")
        << u"kelm-text.mdb"_s << xzcf.pointer(30, 2, 112, 0) << u"表 xzcf 第 3 行"_s;
    // Page 86 made to count one row less: its last slot stays behind, as on
    // a page that lost its last row.
    QTest::newRow("a row pointer to a row its page lacks")
        << u"kelm-text.mdb"_s << xzcf.pointer(30, 2, 86, 11) + Patches{XzcfPages::counted(86, 11)}
        << u"表 xzcf 第 3 行"_s;
    QTest::newRow("row pointers in a loop")
        << u"kelm-text.mdb"_s << xzcf.pointer(30, 2, 80, 1) + xzcf.pointer(80, 1, 30, 2) << u"表 xzcf 第 3 行"_s;
    // Row 3 made two bytes long, the two after them (those of row 2, moved
    // and deleted) such that four bytes would point to page 86's first row.
    const int rowTwo = xzcf.stored(30, 1) & 0x1fff;
    QTest::newRow("a row pointer cut short")
        << u"kelm-text.mdb"_s
        << Patches{xzcf.slotSays(30, 2, XzcfPages::overflow | (rowTwo - 2)),
                   xzcf.flagged(30, 1, XzcfPages::deleted | XzcfPages::overflow),
                   {30 * 4096 + rowTwo - 2, QByteArray::fromHex("00560000")}}
        << u"表 xzcf 第 2 行"_s;
    // testV2000: Table1's Long column defined two bytes wide.
    QTest::newRow("a value of the wrong size")
        << u"testV2000.mdb"_s << Patches{{0x180d2, QByteArray::fromHex("0200")}} << u"表 Table1"_s;
}

void TestJetRead::damagedRows()
{
    QFETCH(QString, file);
    QFETCH(Patches, patches);
    QFETCH(QString, words);
    QTemporaryDir dir;
    const QString path = copyOf(dir, file, patched(patches));
    KeptJetFile kept;
    const jet::ReadOutcome outcome = jet::readJetFile(path, kept);
    QCOMPARE(outcome.failure, jet::ReadFailure::Damaged);
    QVERIFY2(outcome.detail.contains(words) && outcome.detail.contains(u"损坏"_s), qPrintable(outcome.detail));
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
    QByteArray shifted(4096, '\0');
    shifted.replace(0, 20, QByteArray("\1\1\0\0Standard Jet DB\0", 20));
    QTest::newRow("a Jet name on another kind of page") << shifted << true << jet::ReadFailure::NotJet
                                                        << u"不是 Jet 数据库"_s;
    // A Jet header and nothing after the first page: the library does not
    // open it, or finds no catalogue.
    QByteArray header(4096, '\0');
    header.replace(0, 20, QByteArray("\0\1\0\0Standard Jet DB\0", 20));
    header[0x14] = 1;
    QTest::newRow("a Jet header alone") << header << true << jet::ReadFailure::Damaged << u"损坏"_s;
    // The later formats keep the Jet name, with a version beyond Jet 4's.
    QByteArray later = header;
    later[0x14] = 2;
    QTest::newRow("a later version under the Jet name") << later << true << jet::ReadFailure::NotJet
                                                        << u"不是 Jet 数据库"_s;
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
    // Some cuts make the library loop for ever on the catalogue: each costs
    // the whole limit, short here.
    jet::setReaderSilenceLimit(std::chrono::seconds(2));
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

// One byte changed in testV1997's catalogue (in the properties of its
// objects) made the library loop for ever while listing the tables. The
// reader lists them from the catalogue's rows alone and reads the file.
void TestJetRead::catalogueProperties()
{
    QTemporaryDir dir;
    const QString path = copyOf(dir, u"testV1997.mdb"_s, patchAt(0x179df, QByteArray(1, '\0'), QByteArray(1, ' ')));
    KeptJetFile kept;
    const jet::ReadOutcome outcome = jet::readJetFile(path, kept);
    QVERIFY2(outcome.ok(), qPrintable(outcome.detail));
    QCOMPARE(kept.rows[size_t(kept.table(u"Table1"_s))].size(), size_t(2));
}

// With MDBOPTS set the library prints its debugging on standard output:
// never into the stream.
void TestJetRead::libraryDebugging()
{
    qputenv("MDBOPTS", "debug_row");
    KeptJetFile kept;
    const jet::ReadOutcome outcome = jet::readJetFile(jetTestFile(u"testV1997.mdb"_s), kept);
    qunsetenv("MDBOPTS");
    QVERIFY2(outcome.ok(), qPrintable(outcome.detail));
    QCOMPARE(kept.rows[size_t(kept.table(u"Table1"_s))].size(), size_t(2));
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
    qInfo() << "outcomes" << outcomes;
}

QTEST_GUILESS_MAIN(TestJetRead)
#include "tst_jetread.moc"
