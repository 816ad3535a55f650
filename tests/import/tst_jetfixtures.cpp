// The conversion of real Jet files through the reader program: the two
// kelm.mdb test files against their expected dumps, every other Jet file
// refused as no kelm.mdb, files derived from them by byte patches that keep
// every length (a wrong marker, wslo without its row, a NULL password, case
// numbers the program takes as one, a file cut short) each refused in
// words, a reader that sends garbage or hangs, and kelm-import as a user
// calls it.
#include "import/jetconversion.h"
#include "import/readersettings.h"
#include "support/expecteddump.h"
#include "support/jetfiles.h"
#include "support/testdb.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::jet;
using namespace kelm::test;

namespace {

// Where the bytes below are in kelm-text.mdb: wslo's one data page (which
// names the definition page of its table; its row ends the page, and the
// row's last byte is its mask of columns that are not NULL), wslo's
// definition page with its row count, and the first data page of xzcf.
constexpr qint64 page = 4096;
constexpr qint64 wsloData = 26 * page;
constexpr qint64 wsloDefinition = 24 * page;
constexpr qint64 recordedRows = 16;
constexpr qint64 pageOwner = 4;
constexpr qint64 xzcfData = 30 * page;

// Offset of the first occurrence of bytes in the file at path from `from`.
qint64 find(const QString &path, const QByteArray &bytes, qint64 from = 0)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return f.readAll().indexOf(bytes, from);
}

using Patch = std::function<void(const QString &path)>;

} // namespace

Q_DECLARE_METATYPE(Patch)

class TestJetFixtures : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { useBuiltJetReader(); }
    void asExpected_data();
    void asExpected();
    void typedFileListed();
    void otherJetFilesRefused_data();
    void otherJetFilesRefused();
    void derivedFilesRefused_data();
    void derivedFilesRefused();
    void misbehavingReader_data();
    void misbehavingReader();
    void importTool_data();
    void importTool();

private:
    QString copyOf(const QString &name);
    QTemporaryDir m_dir;
    int m_files = 0;
};

QString TestJetFixtures::copyOf(const QString &name)
{
    const QString path = m_dir.filePath(u"%1-%2"_s.arg(++m_files).arg(name));
    QFile::copy(jetTestFile(name), path);
    QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return path;
}

void TestJetFixtures::asExpected_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("text columns") << u"kelm-text"_s;
    QTest::newRow("typed columns, unknown and missing ones") << u"kelm-typed"_s;
}

void TestJetFixtures::asExpected()
{
    QFETCH(QString, name);
    const QString target = m_dir.filePath(name + u".converted"_s);
    const Conversion result = convertJetFile(jetTestFile(name + u".mdb"_s), target);
    QVERIFY2(result.ok(), qPrintable(result.reason));
    const QString difference = differenceFromExpected(target, jetTestFile(name + u".expected.json"_s));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TestJetFixtures::typedFileListed()
{
    const Conversion result = convertJetFile(jetTestFile(u"kelm-typed.mdb"_s), m_dir.filePath(u"typed.listed"_s));
    QVERIFY(result.ok());
    const ConversionSummary &s = result.summary;
    QCOMPARE(s.unknownTables, QStringList{u"beizhu（5 行）"_s});
    QCOMPARE(s.unknownColumns, QStringList{u"xzcf.extra1"_s});
    QCOMPARE(s.missingTables, QStringList{u"qtzl"_s});
    QCOMPARE(s.missingColumns, (QStringList{u"xzcf.dwlb2"_s, u"xzcf.bg22"_s}));
    // Rows 5, 20, ... hold times of day, rows 10, 25, ... lasj 13:45:30.
    QVERIFY(s.timeOfDay.keys(u"xzcf"_s, u"lasj"_s).contains(s.timeOfDay.keys(u"xzcf"_s, u"slsj"_s).first()));
    QVERIFY(s.timeOfDay.keys(u"xzcf"_s, u"lasj"_s).size() > s.timeOfDay.keys(u"xzcf"_s, u"slsj"_s).size());
    QVERIFY(s.longerThanBox.count() > 0);
    QCOMPARE(s.rowsOf(u"xzcf"_s), 120);
    QCOMPARE(s.rowsOf(u"qtzl"_s), 0);
}

void TestJetFixtures::otherJetFilesRefused_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"testV1997", "test2V1997", "testV2000", "j3gbk", "j3gbk-cp936", "j3gbk-bad"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestJetFixtures::otherJetFilesRefused()
{
    QFETCH(QString, name);
    const QString target = m_dir.filePath(name + u".converted"_s);
    const Conversion result = convertJetFile(jetTestFile(name + u".mdb"_s), target);
    QCOMPARE(result.failure, ConversionFailure::NotABackup);
    QCOMPARE(result.reason, u"该文件不是正确的备份文件或文件已损坏！"_s);
}

void TestJetFixtures::derivedFilesRefused_data()
{
    QTest::addColumn<Patch>("patch");
    QTest::addColumn<int>("failure");
    QTest::addColumn<QStringList>("reason");
    const int notABackup = int(ConversionFailure::NotABackup);
    const int refused = int(ConversionFailure::Refused);

    QTest::newRow("another marker")
        << Patch([](const QString &p) { patchFile(p, find(p, "vorozi"), "Vorozi"); }) << notABackup
        << QStringList{u"该文件不是正确的备份文件或文件已损坏！"_s};
    QTest::newRow("wslo without its row")
        << Patch([](const QString &p) {
               // Its data page given to no table, and the definition
               // recording no row.
               patchFile(p, wsloData + pageOwner, QByteArray::fromHex("18000000"), QByteArray(4, '\0'));
               patchFile(p, wsloDefinition + recordedRows, QByteArray::fromHex("01000000"), QByteArray(4, '\0'));
           })
        << notABackup << QStringList{u"该文件不是正确的备份文件或文件已损坏！"_s};
    QTest::newRow("a NULL password")
        << Patch([](const QString &p) { patchFile(p, wsloData + page - 1, "\x03", "\x02"); }) << refused
        << QStringList{u"abcd"_s, u"空值"_s};
    QTest::newRow("two case numbers that differ only in case")
        << Patch([](const QString &p) {
               patchFile(p, find(p, "\xff\xfe" "199800000", xzcfData), "\xff\xfe" "1998a0000");
               patchFile(p, find(p, "\xff\xfe" "199900001", xzcfData), "\xff\xfe" "1998A0000");
           })
        << refused << QStringList{u"xzcf"_s, u"“1998a0000”和“1998A0000”"_s};
    QTest::newRow("a case number twice")
        << Patch([](const QString &p) {
               patchFile(p, find(p, "\xff\xfe" "199900001", xzcfData), "\xff\xfe" "199800000");
           })
        << refused << QStringList{u"xzcf"_s, u"“199800000”"_s};
    QTest::newRow("a file cut short")
        << Patch([](const QString &p) { QFile(p).resize(85 * page); }) << refused << QStringList{u"损坏"_s};
    QTest::newRow("not a Jet file")
        << Patch([](const QString &p) {
               QFile(p).resize(0);
               patchFile(p, 0, "SQLite format 3");
           })
        << refused << QStringList{u"不是 Jet 数据库"_s};
    QTest::newRow("a file that is not there")
        << Patch([](const QString &p) { QFile::remove(p); }) << refused << QStringList{u"不能读取"_s};
}

void TestJetFixtures::derivedFilesRefused()
{
    QFETCH(Patch, patch);
    QFETCH(int, failure);
    QFETCH(QStringList, reason);
    const QString jet = copyOf(u"kelm-text.mdb"_s);
    patch(jet);
    const QByteArray before = QFile::exists(jet) ? contents(jet) : QByteArray();
    const QString target = m_dir.filePath(u"refused%1"_s.arg(m_files));
    const Conversion result = convertJetFile(jet, target);
    QCOMPARE(int(result.failure), failure);
    for (const QString &part : reason)
        QVERIFY2(result.reason.contains(part), qPrintable(result.reason));
    if (QFile::exists(jet))
        QVERIFY(contents(jet) == before);
}

void TestJetFixtures::misbehavingReader_data()
{
    QTest::addColumn<QByteArray>("mode");
    QTest::newRow("sends garbage") << QByteArray("garbage");
    QTest::newRow("hangs") << QByteArray("hang");
}

void TestJetFixtures::misbehavingReader()
{
    QFETCH(QByteArray, mode);
    setReaderProgram(QString::fromUtf8(KELM_JETREAD_STANDIN));
    setReaderSilenceLimit(std::chrono::milliseconds(500));
    qputenv("KELM_STANDIN", mode);
    const Conversion result = convertJetFile(jetTestFile(u"kelm-text.mdb"_s), m_dir.filePath(QString::fromLatin1(mode)));
    qunsetenv("KELM_STANDIN");
    useBuiltJetReader();
    QCOMPARE(result.failure, ConversionFailure::Refused);
    QVERIFY2(result.reason.contains(u"损坏"_s), qPrintable(result.reason));
}

void TestJetFixtures::importTool_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("targetExists");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("printed");
    QTest::newRow("converted") << u"kelm-text.mdb"_s << false << 0 << u"xzcf：120 行"_s;
    QTest::newRow("never overwrites") << u"kelm-text.mdb"_s << true << 1 << u"已存在"_s;
    QTest::newRow("a file that is no kelm.mdb") << u"testV1997.mdb"_s << false << 1
                                               << u"该文件不是正确的备份文件或文件已损坏！"_s;
    QTest::newRow("called without files") << QString() << false << 2 << u"usage"_s;
}

void TestJetFixtures::importTool()
{
    QFETCH(QString, source);
    QFETCH(bool, targetExists);
    QFETCH(int, exitCode);
    QFETCH(QString, printed);
    QTemporaryDir dir;
    const QString target = dir.filePath(u"kelm.mdb"_s);
    if (targetExists)
        patchFile(target, 0, "an office's other file");
    const QByteArray before = contents(target);
    QProcess tool;
    tool.start(QString::fromUtf8(KELM_IMPORT),
               source.isEmpty() ? QStringList() : QStringList{jetTestFile(source), target});
    QVERIFY(tool.waitForFinished(60000));
    const QString out = QString::fromUtf8(tool.readAllStandardOutput() + tool.readAllStandardError());
    QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
    QCOMPARE(tool.exitCode(), exitCode);
    QVERIFY2(out.contains(printed), qPrintable(out));
    if (exitCode == 0) {
        const QString difference = differenceFromExpected(target, jetTestFile(u"kelm-text.expected.json"_s));
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    } else {
        QCOMPARE(contents(target), before);
    }
    // Nothing unfinished is left beside it.
    const bool kept = exitCode == 0 || targetExists;
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), kept ? QStringList{u"kelm.mdb"_s} : QStringList());
}

QTEST_GUILESS_MAIN(TestJetFixtures)
#include "tst_jetfixtures.moc"
