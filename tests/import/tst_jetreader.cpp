// The reader program is a child process on a time limit, and what it sends
// is not trusted. Whatever it does, crash, hang, send garbage, stop half
// way or exit with an error, the reading ends as a damaged file and the
// child is gone; a reader that keeps itself alive through long work is
// left to finish; a cancel or a receiver that gives up stops it. A stream
// cut anywhere is never taken for a whole file.
#include "import/jetfile.h"
#include "import/readersettings.h"
#include "import/streamparser.h"
#include "support/jetfiles.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <stdexcept>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::test;

namespace {

// The child named in pidFile no longer exists: killed and reaped.
bool gone(const QString &pidFile)
{
    QFile f(pidFile);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const pid_t pid = f.readAll().trimmed().toInt();
    return pid > 0 && ::kill(pid, 0) == -1 && errno == ESRCH;
}

// Cancels once the child has written its process id.
class CancelOnceStarted : public Progress {
public:
    explicit CancelOnceStarted(const QString &pidFile)
        : m_pidFile(pidFile)
    {
    }
    void stage(const QString &, qint64, bool) override { }
    void advance(qint64) override { }
    bool cancelled() const override { return QFileInfo(m_pidFile).size() > 0; }

private:
    QString m_pidFile;
};

// The real reader's stream for a test file.
QByteArray streamOf(const QString &file)
{
    QProcess reader;
    reader.start(QString::fromUtf8(KELM_JETREAD), {jetTestFile(file)});
    reader.waitForFinished(60000);
    return reader.readAllStandardOutput();
}

// Feeds bytes to a parser in chunks of the sizes given (cycled).
jet::StreamParser::State parse(const QByteArray &bytes, KeptJetFile &kept, const QList<int> &chunks = {1 << 20})
{
    jet::StreamParser parser(kept);
    qsizetype at = 0;
    for (int i = 0; at < bytes.size() && parser.state() == jet::StreamParser::State::Reading; ++i) {
        const qsizetype size = std::min<qsizetype>(chunks[i % chunks.size()], bytes.size() - at);
        std::memcpy(parser.space(size), bytes.constData() + at, size_t(size));
        parser.received(size);
        at += size;
    }
    return parser.state();
}

// A stream taken apart into its records, to be changed and put together.
struct Records {
    QByteArray header;
    QList<std::pair<char, QByteArray>> records; // kind, payload

    explicit Records(const QByteArray &stream)
        : header(stream.left(jet::stream::headerSize))
    {
        for (qsizetype at = jet::stream::headerSize; at + 5 <= stream.size();) {
            quint32 length;
            std::memcpy(&length, stream.constData() + at + 1, 4);
            records.append({stream[at], stream.mid(at + 5, length)});
            at += 5 + length;
        }
    }
    qsizetype find(jet::stream::Record kind, int nth = 0) const
    {
        for (qsizetype i = 0; i < records.size(); ++i) {
            if (records[i].first == char(kind) && nth-- == 0)
                return i;
        }
        return -1;
    }
    QByteArray joined() const
    {
        QByteArray stream = header;
        for (const auto &[kind, payload] : records) {
            const quint32 length = quint32(payload.size());
            stream += kind;
            stream += QByteArray(reinterpret_cast<const char *>(&length), 4);
            stream += payload;
        }
        return stream;
    }
};

QByteArray le32(quint32 value) { return QByteArray(reinterpret_cast<const char *>(&value), 4); }

} // namespace

class TestJetReader : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void misbehaving_data();
    void misbehaving();
    void aliveThroughLongWork();
    void cancelled();
    void receiverGivesUp();
    void noReaderProgram();
    void streamChecks_data();
    void streamChecks();
    void streamCut();
    void streamInChunks();
    void streamFlipped();

private:
    QTemporaryDir m_dir;
    QString m_pidFile;
};

void TestJetReader::init()
{
    jet::setReaderProgram(QString::fromUtf8(KELM_JETREAD_STANDIN));
    m_pidFile = m_dir.filePath(u"pid"_s);
    QFile::remove(m_pidFile);
    qputenv("KELM_STANDIN_PIDFILE", QFile::encodeName(m_pidFile));
}

void TestJetReader::cleanup()
{
    qunsetenv("KELM_STANDIN");
    qunsetenv("KELM_STANDIN_PIDFILE");
    useBuiltJetReader();
}

void TestJetReader::misbehaving_data()
{
    QTest::addColumn<QByteArray>("mode");
    QTest::addColumn<QString>("words");
    QTest::newRow("crash") << QByteArray("crash") << u"异常退出"_s;
    QTest::newRow("hang") << QByteArray("hang") << u"没有反应"_s;
    QTest::newRow("garbage") << QByteArray("garbage") << u"有误"_s;
    QTest::newRow("stops half way") << QByteArray("cut") << u"不完整"_s;
    QTest::newRow("exits with an error") << QByteArray("exit") << u"异常退出"_s;
}

void TestJetReader::misbehaving()
{
    QFETCH(QByteArray, mode);
    QFETCH(QString, words);
    qputenv("KELM_STANDIN", mode);
    // Only the reader that hangs is waited for to the limit.
    if (mode == "hang")
        jet::setReaderSilenceLimit(std::chrono::milliseconds(500));
    KeptJetFile kept;
    const jet::ReadOutcome outcome = jet::readJetFile(jetTestFile(u"testV1997.mdb"_s), kept);
    QCOMPARE(outcome.failure, jet::ReadFailure::Damaged);
    QVERIFY2(outcome.detail.contains(u"损坏"_s) && outcome.detail.contains(words) && outcome.detail.contains(u"没有做任何改动"_s),
             qPrintable(outcome.detail));
    QVERIFY(gone(m_pidFile));
}

// Silent for most of the limit at a time, four times over: longer in all
// than the limit, never silent past it.
void TestJetReader::aliveThroughLongWork()
{
    jet::setReaderSilenceLimit(std::chrono::milliseconds(1500));
    qputenv("KELM_STANDIN", "slow");
    qputenv("KELM_STANDIN_PAUSE_MS", "500");
    KeptJetFile kept;
    const jet::ReadOutcome outcome = jet::readJetFile(jetTestFile(u"testV1997.mdb"_s), kept);
    QVERIFY2(outcome.ok(), qPrintable(outcome.detail));
    QCOMPARE(kept.rows.size(), size_t(1));
    QCOMPARE(kept.rows[0].size(), size_t(1));
    QCOMPARE(kept.rows[0][0][0].text, u"x"_s);
    QVERIFY(gone(m_pidFile));
}

void TestJetReader::cancelled()
{
    // Waiting on a reader that says nothing: the cancel is seen all the same.
    jet::setReaderSilenceLimit(std::chrono::hours(1));
    qputenv("KELM_STANDIN", "hang");
    CancelOnceStarted progress(m_pidFile);
    KeptJetFile kept;
    const jet::ReadOutcome outcome = jet::readJetFile(jetTestFile(u"testV1997.mdb"_s), kept, progress);
    QCOMPARE(outcome.failure, jet::ReadFailure::Cancelled);
    QVERIFY(outcome.detail.isEmpty());
    QVERIFY(gone(m_pidFile));
}

void TestJetReader::receiverGivesUp()
{
    qputenv("KELM_STANDIN", "slow");
    qputenv("KELM_STANDIN_PAUSE_MS", "100000");
    KeptJetFile kept;
    kept.throwAfterRows = 1;
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, jet::readJetFile(jetTestFile(u"testV1997.mdb"_s), kept));
    QVERIFY(gone(m_pidFile));
}

void TestJetReader::noReaderProgram()
{
    jet::setReaderProgram(m_dir.filePath(u"kelm-jetread"_s));
    KeptJetFile kept;
    const jet::ReadOutcome outcome = jet::readJetFile(jetTestFile(u"testV1997.mdb"_s), kept);
    QCOMPARE(outcome.failure, jet::ReadFailure::Unreadable);
    QVERIFY2(outcome.detail.contains(u"kelm-jetread"_s) && outcome.detail.contains(u"不存在"_s),
             qPrintable(outcome.detail));
}

// The stream is believed only as far as it holds together: each of these
// changes to a real stream makes it garbage.
void TestJetReader::streamChecks_data()
{
    using jet::stream::Record;
    QTest::addColumn<QByteArray>("stream");
    // testV1997: Table1 (text, text, byte, integer, long, double, date,
    // currency, yes/no), then three more tables.
    const QByteArray real = streamOf(u"testV1997.mdb"_s);
    QVERIFY(real.size() > 100);
    auto changed = [&](const std::function<void(Records &)> &change) {
        Records records(real);
        change(records);
        return records.joined();
    };
    QByteArray magic = real;
    magic[0] = 'k';
    QTest::newRow("another magic") << magic;
    QByteArray version = real;
    version[8] = 2;
    QTest::newRow("a later version") << version;
    QByteArray huge = real;
    huge.replace(jet::stream::headerSize + 1, 4, le32(0xfffffff0));
    QTest::newRow("a length beyond any record") << huge;
    QTest::newRow("a record of no known kind") << changed([](Records &r) { r.records[0].first = 'Q'; });
    QTest::newRow("tables before the file's description") << changed([](Records &r) { r.records.swapItemsAt(0, 1); });
    QTest::newRow("the description twice") << changed([](Records &r) { r.records = r.records.mid(0, 2) + r.records; });
    QTest::newRow("the tables twice") << changed([](Records &r) { r.records.insert(1, r.records[1]); });
    QTest::newRow("a description with a byte left over") << changed([](Records &r) { r.records[0].second += 'x'; });
    QTest::newRow("a Jet version of no kind") << changed([](Records &r) { r.records[0].second[0] = 5; });
    QTest::newRow("a table count beyond what came") << changed([](Records &r) {
        r.records[r.find(Record::Tables)].second.replace(0, 4, le32(0x7fffffff));
    });
    QTest::newRow("a table begun out of turn") << changed([](Records &r) {
        r.records[r.find(Record::BeginTable)].second = le32(1);
    });
    QTest::newRow("a row before its table") << changed([](Records &r) {
        r.records.swapItemsAt(r.find(Record::BeginTable), r.find(Record::Row));
    });
    QTest::newRow("a row after the last table") << changed([](Records &r) {
        r.records.insert(r.find(Record::End), r.records[r.find(Record::Row)]);
    });
    QTest::newRow("a table begun twice") << changed([](Records &r) {
        r.records.insert(r.find(Record::BeginTable), r.records[r.find(Record::BeginTable)]);
    });
    QTest::newRow("a table ended out of turn") << changed([](Records &r) {
        r.records[r.find(Record::EndTable)].second.replace(0, 4, le32(1));
    });
    QTest::newRow("a row with a byte left over") << changed([](Records &r) { r.records[r.find(Record::Row)].second += 'x'; });
    QTest::newRow("a yes/no sent as null") << changed([](Records &r) {
        QByteArray &row = r.records[r.find(Record::Row)].second;
        row[row.size() - 1] = char(jet::stream::Tag::Null);
    });
    QTest::newRow("rows miscounted at a table's end") << changed([](Records &r) {
        r.records[r.find(Record::EndTable)].second.replace(4, 4, le32(3));
    });
    QTest::newRow("the end before the last table") << changed([](Records &r) {
        r.records.removeAt(r.find(Record::EndTable, 3));
    });
    QTest::newRow("a failure of no known kind") << changed([](Records &r) {
        r.records.last() = {char(Record::Failure), QByteArray(1, char(9)) + QByteArray(10, '\0')};
    });
}

void TestJetReader::streamChecks()
{
    QFETCH(QByteArray, stream);
    KeptJetFile kept;
    QCOMPARE(parse(stream, kept), jet::StreamParser::State::Garbage);
}

// Cut at any byte, the stream is never a whole file.
void TestJetReader::streamCut()
{
    const QByteArray stream = streamOf(u"kelm-typed.mdb"_s);
    KeptJetFile whole;
    QCOMPARE(parse(stream, whole), jet::StreamParser::State::Ended);
    QCOMPARE(whole.misorders, 0);
    QRandomGenerator random(7);
    QList<qsizetype> cuts{0, 1, 11, 12, 13, stream.size() - 1, stream.size() - 5};
    for (int i = 0; i < 300; ++i)
        cuts << random.bounded(stream.size());
    for (qsizetype cut : cuts) {
        KeptJetFile kept;
        QVERIFY2(parse(stream.left(cut), kept) == jet::StreamParser::State::Reading, qPrintable(QString::number(cut)));
        QCOMPARE(kept.misorders, 0);
    }
    KeptJetFile kept;
    QCOMPARE(parse(stream + 'x', kept), jet::StreamParser::State::Garbage);
}

// However the pipe hands the stream over, the same file comes out.
void TestJetReader::streamInChunks()
{
    const QByteArray stream = streamOf(u"kelm-text.mdb"_s);
    KeptJetFile whole;
    QCOMPARE(parse(stream, whole), jet::StreamParser::State::Ended);
    KeptJetFile chunked;
    QCOMPARE(parse(stream, chunked, {1, 7, 4093, 3, 65536, 2}), jet::StreamParser::State::Ended);
    QCOMPARE(chunked.misorders, 0);
    QCOMPARE(chunked.rows.size(), whole.rows.size());
    for (size_t t = 0; t < whole.rows.size(); ++t) {
        QCOMPARE(chunked.rows[t].size(), whole.rows[t].size());
        for (size_t r = 0; r < whole.rows[t].size(); ++r) {
            for (size_t c = 0; c < whole.rows[t][r].size(); ++c) {
                QCOMPARE(chunked.rows[t][r][c].null, whole.rows[t][r][c].null);
                QCOMPARE(chunked.rows[t][r][c].text, whole.rows[t][r][c].text);
            }
        }
    }
}

// Bytes flipped anywhere: the parser never reads outside what came, never
// hands on a row that does not fit its table, and the receiver sees its
// calls in order.
void TestJetReader::streamFlipped()
{
    const QByteArray stream = streamOf(u"testV2000.mdb"_s);
    QRandomGenerator random(11);
    int garbage = 0;
    for (int i = 0; i < 3000; ++i) {
        QByteArray flipped = stream;
        const qsizetype at = random.bounded(flipped.size());
        flipped[at] = char(random.bounded(256));
        KeptJetFile kept;
        garbage += parse(flipped, kept) == jet::StreamParser::State::Garbage;
        QCOMPARE(kept.misorders, 0);
    }
    QVERIFY(garbage > 0);
    // A second file's records after the first one's end.
    KeptJetFile kept;
    QCOMPARE(parse(stream + streamOf(u"testV1997.mdb"_s).mid(jet::stream::headerSize), kept),
             jet::StreamParser::State::Garbage);
}

QTEST_GUILESS_MAIN(TestJetReader)
#include "tst_jetreader.moc"
