// The conversion of a Jet kelm.mdb by its rules, fed table by table as the
// reader hands a file on: names in any letter case, the marker by its place,
// NULL and empty text kept apart, text never cut, what the file has and has
// not, and every refusal with its reason, leaving nothing of the file in the
// new database.
#include "data/schema.h"
#include "import/jetconversion.h"
#include "support/recordingprogress.h"

#include <QTemporaryDir>
#include <QtTest>
#include <SQLiteCpp/SQLiteCpp.h>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::jet;

namespace {

Value text(const QString &t) { return {false, t, false}; }
const Value null{};

struct FeedTable {
    QString name;
    std::vector<Column> columns;
    std::vector<std::vector<Value>> rows;
    // The row count the table's definition records; -1: as many as rows.
    qint64 recorded = -1;
};

// A Jet file as the reader hands it on. Stops between rows when asked to,
// as the reader does, and counts the rows it handed on.
struct Feed {
    FileInfo info{4, 0, {}};
    std::vector<FeedTable> tables;
    ReadOutcome outcome;
    // Rows handed on, shared by the copies a JetSource makes.
    std::shared_ptr<int> handed = std::make_shared<int>(0);

    FeedTable &table(const QString &name)
    {
        for (FeedTable &t : tables)
            if (t.name == name)
                return t;
        qFatal("no table %s", qPrintable(name));
    }

    ReadOutcome operator()(Receiver &receiver, Progress &progress) const
    {
        std::vector<Table> defined;
        for (const FeedTable &t : tables)
            defined.push_back({t.name, t.columns, t.recorded < 0 ? qint64(t.rows.size()) : t.recorded});
        receiver.begin(info, defined);
        for (std::size_t i = 0; i < tables.size(); ++i) {
            receiver.beginTable(int(i));
            for (const auto &row : tables[i].rows) {
                if (progress.cancelled())
                    return {ReadFailure::Cancelled, {}};
                receiver.row(row);
                ++*handed;
            }
            receiver.endTable(int(i));
        }
        return outcome;
    }
};

// wslo with the password "jetpass" and the marker, and a few cases.
Feed kelmFeed()
{
    Feed f;
    f.tables.push_back({u"wslo"_s,
                        {{u"abcd"_s, ColumnType::Text}, {u"bz"_s, ColumnType::Text}},
                        {{text(u"jetpass"_s), text(u"vorozi"_s)}}});
    f.tables.push_back({u"xzcf"_s,
                        {{u"dabh"_s, ColumnType::Text},
                         {u"dwmc"_s, ColumnType::Text},
                         {u"slsj"_s, ColumnType::DateTime},
                         {u"cf1"_s, ColumnType::YesNo}},
                        {{text(u"20030001"_s), text(u"甲店"_s), text(u"2003-01-05"_s), text(u"1"_s)},
                         {text(u"20030002"_s), null, text(u"2003-02-05 13:45:30"_s), text(u"0"_s)},
                         {text(u"20030003"_s), text(u""_s), null, text(u"1"_s)}}});
    return f;
}

// The rows of a query over the converted file, each "value|value", NULL
// as "<null>".
QStringList rows(const QString &path, const QString &sql)
{
    SQLite::Database file(path.toStdString(), SQLite::OPEN_READONLY);
    SQLite::Statement st(file, sql.toStdString());
    QStringList out;
    while (st.executeStep()) {
        QStringList values;
        for (int i = 0; i < st.getColumnCount(); ++i)
            values << (st.getColumn(i).isNull() ? u"<null>"_s : QString::fromUtf8(st.getColumn(i).getText()));
        out << values.join(u'|');
    }
    return out;
}

// The text of Kelm's own columns, longer than any of their boxes.
const QString longName = u"很长的单位名称"_s.repeated(20);

using FeedEdit = std::function<void(Feed &)>;

} // namespace

Q_DECLARE_METATYPE(FeedEdit)

class TestJetConversion : public QObject {
    Q_OBJECT
private slots:
    void rules_data();
    void rules();
    void listed_data();
    void listed();
    void summaryGroupsByColumn();
    void refusals_data();
    void refusals();
    void cancelled();
    void progressCountsEveryRow();

private:
    QString convert(const Feed &feed, Conversion &result, Progress &progress = noProgress());
    QTemporaryDir m_dir;
    int m_files = 0;
};

QString TestJetConversion::convert(const Feed &feed, Conversion &result, Progress &progress)
{
    const QString target = m_dir.filePath(u"converted%1.mdb"_s.arg(++m_files));
    result = convertJet(feed, target, progress);
    return target;
}

void TestJetConversion::rules_data()
{
    QTest::addColumn<FeedEdit>("edit");
    QTest::addColumn<QString>("query");
    QTest::addColumn<QStringList>("expected");

    const FeedEdit asItIs = [](Feed &) {};
    QTest::newRow("rows in the file's order, NULL and empty apart, yes/no as 0/1")
        << asItIs << u"SELECT dabh, dwmc, slsj, cf1 FROM xzcf ORDER BY rowid"_s
        << QStringList{u"20030001|甲店|2003-01-05|1"_s, u"20030002|<null>|2003-02-05 13:45:30|0"_s,
                       u"20030003||<null>|1"_s};
    QTest::newRow("the file's order, not the keys' order")
        << FeedEdit([](Feed &f) { std::swap(f.table(u"xzcf"_s).rows[0], f.table(u"xzcf"_s).rows[2]); })
        << u"SELECT dabh FROM xzcf ORDER BY rowid"_s << QStringList{u"20030003"_s, u"20030002"_s, u"20030001"_s};
    QTest::newRow("names in any letter case")
        << FeedEdit([](Feed &f) {
               FeedTable &t = f.table(u"xzcf"_s);
               t.name = u"XZCF"_s;
               t.columns[0].name = u"DABH"_s;
               t.columns[1].name = u"DwMc"_s;
           })
        << u"SELECT dabh, dwmc FROM xzcf ORDER BY rowid"_s
        << QStringList{u"20030001|甲店"_s, u"20030002|<null>"_s, u"20030003|"_s};
    QTest::newRow("columns in another order")
        << FeedEdit([](Feed &f) {
               FeedTable &t = f.table(u"xzcf"_s);
               std::reverse(t.columns.begin(), t.columns.end());
               for (auto &row : t.rows)
                   std::reverse(row.begin(), row.end());
           })
        << u"SELECT dabh, dwmc, cf1 FROM xzcf ORDER BY rowid"_s
        << QStringList{u"20030001|甲店|1"_s, u"20030002|<null>|0"_s, u"20030003||1"_s};
    QTest::newRow("the marker by its place, the password by its name")
        << FeedEdit([](Feed &f) {
               FeedTable &t = f.table(u"wslo"_s);
               t.columns = {{u"extra"_s, ColumnType::Text}, {u"kennung"_s, ColumnType::Text},
                            {u"ABCD"_s, ColumnType::Memo}};
               t.rows = {{text(u"x"_s), text(u"vorozi"_s), text(u"Jet Pass "_s)}};
           })
        << u"SELECT abcd, bz FROM wslo"_s << QStringList{u"Jet Pass |vorozi"_s};
    QTest::newRow("text longer than its box kept whole")
        << FeedEdit([](Feed &f) { f.table(u"xzcf"_s).rows[0][1] = text(longName); })
        << u"SELECT dwmc FROM xzcf WHERE dabh = '20030001'"_s << QStringList{longName};
    QTest::newRow("text kept as it is: blanks, line breaks, quotes, characters beyond the BMP")
        << FeedEdit([](Feed &f) { f.table(u"xzcf"_s).rows[0][1] = text(u"  O'Brien's 店\r\n\t\"a\"\\ 𠀀😀  "_s); })
        << u"SELECT dwmc FROM xzcf WHERE dabh = '20030001'"_s << QStringList{u"  O'Brien's 店\r\n\t\"a\"\\ 𠀀😀  "_s};
    QTest::newRow("a column the file lacks: NULL, and no for yes/no")
        << FeedEdit([](Feed &f) {
               FeedTable &t = f.table(u"xzcf"_s);
               t.columns.erase(t.columns.begin() + 1);
               t.columns.pop_back();
               for (auto &row : t.rows) {
                   row.erase(row.begin() + 1);
                   row.pop_back();
               }
           })
        << u"SELECT dabh, dwmc, cf1 FROM xzcf ORDER BY rowid"_s
        << QStringList{u"20030001|<null>|0"_s, u"20030002|<null>|0"_s, u"20030003|<null>|0"_s};
    QTest::newRow("a yes/no stored as a number or a word")
        << FeedEdit([](Feed &f) {
               FeedTable &t = f.table(u"xzcf"_s);
               t.columns[3].type = ColumnType::Integer;
               t.rows[0][3] = text(u"-1"_s);
               t.rows[1][3] = text(u"否"_s);
               t.rows[2][3] = null;
           })
        << u"SELECT cf1 FROM xzcf ORDER BY rowid"_s << QStringList{u"1"_s, u"0"_s, u"0"_s};
    QTest::newRow("a table the file lacks stays empty")
        << asItIs << u"SELECT COUNT(*) FROM wsxkz"_s << QStringList{u"0"_s};
    QTest::newRow("layout rows the file lacks stay as prepared")
        << asItIs << u"SELECT COUNT(*), MIN(xmmc = '整体') FROM dycc WHERE rowid <= 1"_s << QStringList{u"1|1"_s};
    QTest::newRow("layout rows of the file replace the prepared ones")
        << FeedEdit([](Feed &f) {
               f.tables.push_back({u"dycc"_s,
                                   {{u"xkzlx"_s, ColumnType::Text}, {u"xmmc"_s, ColumnType::Text},
                                    {u"xml"_s, ColumnType::Single}},
                                   {{text(u"1"_s), text(u"整体"_s), text(u"12.3"_s)},
                                    {text(u"1"_s), text(u"地区简称"_s), text(u"249"_s)}}});
           })
        << u"SELECT xkzlx, xmmc, xml, de_xml FROM dycc ORDER BY rowid"_s
        << QStringList{u"1|整体|12.3|<null>"_s, u"1|地区简称|249|<null>"_s};
    QTest::newRow("an empty layout table of the file replaces them too")
        << FeedEdit([](Feed &f) { f.tables.push_back({u"dycc"_s, {{u"xkzlx"_s, ColumnType::Text}}, {}}); })
        << u"SELECT COUNT(*) FROM dycc"_s << QStringList{u"0"_s};
    QTest::newRow("the statistics row the file lacks stays as prepared")
        << asItIs << u"SELECT COUNT(*), MAX(a11 IS NULL) FROM xzcftj"_s << QStringList{u"1|1"_s};
    QTest::newRow("a table unknown to the program is not taken")
        << FeedEdit([](Feed &f) {
               f.tables.push_back({u"beizhu"_s, {{u"dabh"_s, ColumnType::Text}}, {{text(u"x"_s)}}});
           })
        << u"SELECT COUNT(*) FROM sqlite_master WHERE name = 'beizhu'"_s << QStringList{u"0"_s};
    QTest::newRow("two keys that differ in more than case")
        << FeedEdit([](Feed &f) { f.table(u"xzcf"_s).rows[1][0] = text(u"2003000a"_s); })
        << u"SELECT dabh FROM xzcf ORDER BY rowid"_s << QStringList{u"20030001"_s, u"2003000a"_s, u"20030003"_s};
    QTest::newRow("keys of a table whose key is not unique may repeat")
        << FeedEdit([](Feed &f) {
               f.tables.push_back({u"qtzl"_s,
                                   {{u"dabh"_s, ColumnType::Text}, {u"nr"_s, ColumnType::Memo}},
                                   {{text(u"20030001"_s), text(u"b"_s)}, {text(u"20030001"_s), text(u"a"_s)}}});
           })
        << u"SELECT dabh, nr FROM qtzl ORDER BY rowid"_s << QStringList{u"20030001|b"_s, u"20030001|a"_s};
}

void TestJetConversion::rules()
{
    QFETCH(FeedEdit, edit);
    QFETCH(QString, query);
    QFETCH(QStringList, expected);
    Feed feed = kelmFeed();
    edit(feed);
    Conversion result;
    const QString target = convert(feed, result);
    QVERIFY2(result.ok(), qPrintable(result.reason));
    QCOMPARE(rows(target, query), expected);
    // The new file is this program's database as any other.
    QCOMPARE(rows(target, u"PRAGMA user_version"_s), QStringList{QString::number(schema::version)});
    QCOMPARE(rows(target, u"PRAGMA integrity_check"_s), QStringList{u"ok"_s});
}

void TestJetConversion::listed_data()
{
    QTest::addColumn<FeedEdit>("edit");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("longer than its box, by key")
        << FeedEdit([](Feed &f) {
               f.table(u"xzcf"_s).rows[0][1] = text(longName);
               f.table(u"xzcf"_s).rows[2][1] = text(longName);
           })
        << u"longer"_s << QStringList{u"xzcf.dwmc（2 处）：20030001、20030003"_s};
    // 25 full-width characters fill the 50 units of the box exactly.
    QTest::newRow("a box filled exactly is not listed")
        << FeedEdit([](Feed &f) { f.table(u"xzcf"_s).rows[0][1] = text(u"卫"_s.repeated(25)); })
        << u"longer"_s << QStringList();
    QTest::newRow("a date with a time of day")
        << FeedEdit([](Feed &) {}) << u"time"_s << QStringList{u"xzcf.slsj（1 处）：20030002"_s};
    QTest::newRow("the same text in a text column is longer than its box")
        << FeedEdit([](Feed &f) { f.table(u"xzcf"_s).columns[2].type = ColumnType::Text; })
        << u"longer"_s << QStringList{u"xzcf.slsj（1 处）：20030002"_s};
    QTest::newRow("undecodable text")
        << FeedEdit([](Feed &f) { f.table(u"xzcf"_s).rows[1][1] = {false, u"卫\uFFFD店"_s, true}; })
        << u"undecodable"_s << QStringList{u"xzcf.dwmc（1 处）：20030002"_s};
    QTest::newRow("a row without a key is told by its place")
        << FeedEdit([](Feed &f) {
               f.table(u"xzcf"_s).rows[1][0] = null;
               f.table(u"xzcf"_s).rows[1][1] = text(longName);
           })
        << u"longer"_s << QStringList{u"xzcf.dwmc（1 处）：第 2 行"_s};
    QTest::newRow("a yes/no that reads as neither")
        << FeedEdit([](Feed &f) {
               f.table(u"xzcf"_s).columns[3].type = ColumnType::Text;
               f.table(u"xzcf"_s).rows[0][3] = text(u"有"_s);
           })
        << u"notYesNo"_s << QStringList{u"xzcf.cf1（1 处）：20030001"_s};
    QTest::newRow("unknown tables and columns")
        << FeedEdit([](Feed &f) {
               f.tables.push_back({u"beizhu"_s, {{u"x"_s, ColumnType::Text}}, {{text(u"1"_s)}, {text(u"2"_s)}}});
               f.table(u"xzcf"_s).columns.push_back({u"extra1"_s, ColumnType::Text});
           })
        << u"unknown"_s << QStringList{u"beizhu（2 行）"_s, u"xzcf.extra1"_s};
    QTest::newRow("missing tables and columns")
        << FeedEdit([](Feed &f) {
               FeedTable &t = f.table(u"xzcf"_s);
               t.columns.resize(3);
               for (auto &row : t.rows)
                   row.resize(3);
           })
        << u"missing"_s << QStringList();
}

void TestJetConversion::listed()
{
    QFETCH(FeedEdit, edit);
    QFETCH(QString, list);
    Feed feed = kelmFeed();
    edit(feed);
    Conversion result;
    convert(feed, result);
    QVERIFY2(result.ok(), qPrintable(result.reason));
    const ConversionSummary &s = result.summary;
    if (list == u"missing"_s) {
        QVERIFY(s.missingColumns.contains(u"xzcf.cf1"_s));
        QVERIFY(s.missingColumns.contains(u"xzcf.fzr"_s));
        QVERIFY(!s.missingColumns.contains(u"xzcf.slsj"_s));
        QVERIFY(s.missingTables.contains(u"wsxkz"_s));
        QVERIFY(!s.missingTables.contains(u"xzcf"_s));
        QCOMPARE(s.rowsOf(u"xzcf"_s), 3);
        QCOMPARE(s.rowsOf(u"dycc"_s), 77);
        return;
    }
    QFETCH(QStringList, expected);
    QStringList shown;
    if (list == u"longer"_s)
        shown = s.longerThanBox.lines();
    else if (list == u"time"_s)
        shown = s.timeOfDay.lines();
    else if (list == u"undecodable"_s)
        shown = s.undecodable.lines();
    else if (list == u"notYesNo"_s)
        shown = s.notYesNo.lines();
    else
        shown = s.unknownTables + s.unknownColumns;
    QCOMPARE(shown, expected);
    for (const QString &line : expected)
        QVERIFY2(s.text().contains(line), qPrintable(s.text()));
}

void TestJetConversion::summaryGroupsByColumn()
{
    // Many long values make one line a column with every key, in the file's
    // order, and the rows of every table.
    Feed feed = kelmFeed();
    FeedTable &cases = feed.table(u"xzcf"_s);
    cases.rows.clear();
    for (int i = 1; i <= 300; ++i)
        cases.rows.push_back(
            {text(u"2003%1"_s.arg(i, 4, 10, QChar(u'0'))), text(longName), text(u"2003-01-01 08:00:00"_s), null});
    Conversion result;
    convert(feed, result);
    QVERIFY(result.ok());
    const QString shown = result.summary.text();
    const QStringList lines = shown.split(u'\n');
    const QStringList longer = lines.filter(u"xzcf.dwmc（300 处）："_s);
    QCOMPARE(longer.size(), 1);
    QVERIFY(longer[0].contains(u"20030001、20030002"_s));
    QVERIFY(longer[0].endsWith(u"、20030300"_s));
    QCOMPARE(lines.filter(u"xzcf.slsj（300 处）："_s).size(), 1);
    QVERIFY(lines.contains(u"  xzcf：300 行"_s));
    QVERIFY(lines.contains(u"  wslo：1 行"_s));
    QVERIFY2(lines.contains(u"  dycc：77 行（原文件中没有这个表，保留新数据库预置的内容）"_s), qPrintable(shown));
}

void TestJetConversion::refusals_data()
{
    QTest::addColumn<FeedEdit>("edit");
    QTest::addColumn<int>("failure");
    QTest::addColumn<QStringList>("reason");
    // The reading stops at the refusal: at most this many rows are handed
    // on; -1 where the refusal needs the whole file.
    QTest::addColumn<int>("handed");

    const int notABackup = int(ConversionFailure::NotABackup);
    const int refused = int(ConversionFailure::Refused);
    const QStringList markerText{u"该文件不是正确的备份文件或文件已损坏！"_s};
    QTest::newRow("no wslo")
        << FeedEdit([](Feed &f) { f.tables.erase(f.tables.begin()); }) << notABackup << markerText << 0;
    QTest::newRow("wslo after the other tables, without its row")
        << FeedEdit([](Feed &f) {
               std::swap(f.tables[0], f.tables[1]);
               f.table(u"wslo"_s).rows.clear();
           })
        << notABackup << markerText << -1;
    QTest::newRow("another marker")
        << FeedEdit([](Feed &f) { f.table(u"wslo"_s).rows[0][1] = text(u"Vorozi"_s); }) << notABackup << markerText << 1;
    QTest::newRow("the marker in another column")
        << FeedEdit([](Feed &f) {
               FeedTable &t = f.table(u"wslo"_s);
               t.columns = {{u"bz"_s, ColumnType::Text}, {u"abcd"_s, ColumnType::Text}};
               t.rows = {{text(u"vorozi"_s), text(u"jetpass"_s)}};
           })
        << notABackup << markerText << 1;
    QTest::newRow("a NULL marker")
        << FeedEdit([](Feed &f) { f.table(u"wslo"_s).rows[0][1] = null; }) << notABackup << markerText << 1;
    QTest::newRow("wslo of one column")
        << FeedEdit([](Feed &f) {
               FeedTable &t = f.table(u"wslo"_s);
               t.columns.pop_back();
               t.rows[0].pop_back();
           })
        << notABackup << markerText << 1;
    QTest::newRow("a NULL password")
        << FeedEdit([](Feed &f) { f.table(u"wslo"_s).rows[0][0] = null; }) << refused
        << QStringList{u"wslo"_s, u"abcd"_s, u"空值"_s} << 1;
    QTest::newRow("no password column")
        << FeedEdit([](Feed &f) { f.table(u"wslo"_s).columns[0].name = u"pw"_s; }) << refused
        << QStringList{u"abcd"_s, u"空值"_s} << 1;
    QTest::newRow("two case numbers that differ only in case")
        << FeedEdit([](Feed &f) {
               f.table(u"xzcf"_s).rows[0][0] = text(u"2003abcd"_s);
               f.table(u"xzcf"_s).rows[2][0] = text(u"2003ABCD"_s);
           })
        << refused << QStringList{u"xzcf"_s, u"“2003abcd”和“2003ABCD”"_s, u"大小写"_s} << 4;
    QTest::newRow("a case number twice")
        << FeedEdit([](Feed &f) { f.table(u"xzcf"_s).rows[2][0] = text(u"20030001"_s); }) << refused
        << QStringList{u"xzcf"_s, u"“20030001”"_s, u"不止一行"_s} << 4;
    QTest::newRow("permit numbers that differ only in case")
        << FeedEdit([](Feed &f) {
               f.tables.push_back({u"wsxkz"_s,
                                   {{u"xkzh"_s, ColumnType::Text}},
                                   {{text(u"xk-1"_s)}, {text(u"XK-1"_s)}}});
           })
        << refused << QStringList{u"wsxkz"_s, u"“xk-1”和“XK-1”"_s} << -1;
    QTest::newRow("the reader finds the file damaged")
        << FeedEdit([](Feed &f) { f.outcome = {ReadFailure::Damaged, u"文件已损坏：表 xzcf 少了 3 行。"_s}; })
        << refused << QStringList{u"文件已损坏：表 xzcf 少了 3 行。"_s} << -1;
    QTest::newRow("a value that cannot be read whole")
        << FeedEdit([](Feed &f) { f.outcome = {ReadFailure::NotWhole, u"表 xzcf 字段 cfnr 第 8 行不能完整读出。"_s}; })
        << refused << QStringList{u"cfnr"_s} << -1;
}

void TestJetConversion::refusals()
{
    QFETCH(FeedEdit, edit);
    QFETCH(int, failure);
    QFETCH(QStringList, reason);
    QFETCH(int, handed);
    Feed feed = kelmFeed();
    edit(feed);
    Conversion result;
    const QString target = convert(feed, result);
    QCOMPARE(int(result.failure), failure);
    for (const QString &part : reason)
        QVERIFY2(result.reason.contains(part), qPrintable(result.reason));
    if (handed >= 0)
        QVERIFY2(*feed.handed <= handed, qPrintable(QString::number(*feed.handed)));
    // Nothing of the file was committed: the caller removes an empty file.
    QCOMPARE(QFileInfo(target).size(), 0);
}

void TestJetConversion::cancelled()
{
    Feed feed = kelmFeed();
    test::RecordingProgress progress;
    progress.cancelAfter = 1;
    for (int i = 4; i < 2000; ++i)
        feed.table(u"xzcf"_s).rows.push_back({text(u"2004%1"_s.arg(i, 4, 10, QChar(u'0'))), null, null, null});
    Conversion result;
    const QString target = convert(feed, result, progress);
    QCOMPARE(result.failure, ConversionFailure::Cancelled);
    QCOMPARE(result.reason, QString());
    QVERIFY2(*feed.handed < 1000, qPrintable(QString::number(*feed.handed)));
    QCOMPARE(QFileInfo(target).size(), 0);
}

void TestJetConversion::progressCountsEveryRow()
{
    // An unknown table is read too, and counts.
    Feed feed = kelmFeed();
    feed.tables.push_back({u"beizhu"_s, {{u"x"_s, ColumnType::Text}}, {}});
    for (int i = 0; i < 1000; ++i)
        feed.table(u"beizhu"_s).rows.push_back({text(QString::number(i))});
    test::RecordingProgress progress;
    Conversion result;
    convert(feed, result, progress);
    QVERIFY(result.ok());
    const auto converting = std::find_if(progress.reports.cbegin(), progress.reports.cend(),
                                         [](const auto &r) { return r.stage.startsWith(u"正在转换"_s); });
    QVERIFY(converting != progress.reports.cend());
    QCOMPARE(converting->steps, 1004);
    qint64 done = 0;
    int reports = 0;
    for (auto r = converting; r != progress.reports.cend() && r->stage == converting->stage; ++r, ++reports)
        done = r->done;
    QCOMPARE(done, 1004);
    QVERIFY(reports > 3);
}

QTEST_GUILESS_MAIN(TestJetConversion)
#include "tst_jetconversion.moc"
