#include "import/jetfile.h"

#include "import/readerprocess.h"
#include "import/readersettings.h"
#include "import/streamparser.h"
#include "platform/systemerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace kelm::jet {

namespace {

using Clock = std::chrono::steady_clock;

// Bytes asked of the pipe at a time.
constexpr qsizetype readSize = 1 << 20;
// How often a wait looks whether the user has cancelled.
constexpr std::chrono::milliseconds cancelCheck{100};

const QString unchanged = u"没有做任何改动。"_s;

// The first page: a Jet 3 or Jet 4 database names itself at offset 4 and
// keeps its version at 0x14.
enum class Header { Jet, NotJet, Unreadable };

Header readHeader(const QString &path, int &error)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return Header::Unreadable;
    }
    unsigned char page[0x18];
    ssize_t got;
    do
        got = ::read(fd, page, sizeof page);
    while (got < 0 && errno == EINTR);
    error = errno;
    ::close(fd);
    if (got < 0)
        return Header::Unreadable;
    quint32 version = 0xff;
    if (got == ssize_t(sizeof page))
        std::memcpy(&version, page + 0x14, sizeof version);
    const bool jet = got == ssize_t(sizeof page) && page[0] == 0 && std::memcmp(page + 4, "Standard Jet DB", 15) == 0
                     && (version == 0 || version == 1);
    return jet ? Header::Jet : Header::NotJet;
}

ReadOutcome failed(ReadFailure failure, const QString &detail) { return {failure, detail}; }

ReadOutcome damaged(const QString &file, const QString &why)
{
    return failed(ReadFailure::Damaged, u"文件 %1 已损坏：%2。%3"_s.arg(file, why, unchanged));
}

// What the reader said of why it stopped, in the user's words.
ReadOutcome readerFailure(const QString &file, const StreamParser &parser)
{
    const StreamParser::ReaderFailure &failure = parser.failure();
    switch (failure.failure) {
    case stream::Failure::Damaged:
        if (failure.table.isEmpty())
            return damaged(file, u"数据库的结构不能读出"_s);
        if (failure.row == 0)
            return damaged(file, u"表 %1 不能完整读出"_s.arg(failure.table));
        return damaged(file, u"表 %1 第 %2 行不能完整读出"_s.arg(failure.table).arg(failure.row));
    case stream::Failure::RowsShort: {
        qint64 recorded = 0;
        for (const Table &table : parser.tables())
            recorded = table.name == failure.table ? table.recordedRows : recorded;
        return damaged(file, u"表 %1 的定义记录了 %2 行，只读出 %3 行，文件可能被截短"_s.arg(failure.table)
                                 .arg(recorded)
                                 .arg(failure.row));
    }
    case stream::Failure::NotWhole:
        return failed(ReadFailure::NotWhole, u"文件 %1 已损坏：表 %2 第 %3 行 %4 列的值不能完整读出。%5"_s.arg(
                                                 file, failure.table, QString::number(failure.row),
                                                 failure.column, unchanged));
    case stream::Failure::TooLong:
        return failed(ReadFailure::NotWhole, u"文件 %1 中表 %2 第 %3 行 %4 列的值太长，不能读出。%5"_s.arg(
                                                 file, failure.table, QString::number(failure.row),
                                                 failure.column, unchanged));
    }
    return damaged(file, u"读取程序送回的数据有误"_s);
}

} // namespace

bool isJetFile(const QString &path)
{
    int error = 0;
    return readHeader(path, error) == Header::Jet;
}

ReadOutcome readJetFile(const QString &path, Receiver &receiver, Progress &progress)
{
    const QString file = QDir::toNativeSeparators(path);
    int error = 0;
    switch (readHeader(path, error)) {
    case Header::Unreadable:
        return failed(ReadFailure::Unreadable, u"不能读取文件 %1：%2。"_s.arg(file, systemErrorText(error)));
    case Header::NotJet:
        return failed(ReadFailure::NotJet, u"文件 %1 不是 Jet 数据库。"_s.arg(file));
    case Header::Jet:
        break;
    }

    ReaderProcess reader;
    const QString program = readerProgram();
    if (const int error = reader.start(program, QFileInfo(path).absoluteFilePath()))
        return failed(ReadFailure::Unreadable, u"不能启动读取程序 %1：%2。"_s.arg(QDir::toNativeSeparators(program),
                                                                                 systemErrorText(error)));
    const std::chrono::milliseconds limit = readerSilenceLimit();
    StreamParser parser(receiver);
    // Silence is counted only while this side waits: time the receiver
    // spends on what came is not the reader's.
    Clock::time_point quietSince = Clock::now();
    for (;;) {
        if (progress.cancelled()) {
            reader.kill();
            return {ReadFailure::Cancelled, {}};
        }
        const auto quiet = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - quietSince);
        if (quiet >= limit) {
            reader.kill();
            return damaged(file, u"读取程序 %1 秒没有反应，已被停止"_s.arg(limit.count() / 1000.0));
        }
        qsizetype got = 0;
        const ReaderProcess::Output output = reader.read(parser.space(readSize), readSize,
                                                         std::min(cancelCheck, limit - quiet), got);
        if (output == ReaderProcess::Output::Closed)
            break;
        if (output == ReaderProcess::Output::Data) {
            parser.received(got);
            if (parser.state() == StreamParser::State::Garbage) {
                reader.kill();
                return damaged(file, u"读取程序送回的数据有误"_s);
            }
            quietSince = Clock::now();
        }
    }

    const ReaderProcess::Ending ending = reader.finish(limit);
    if (!ending.exited || ending.code != 0)
        return damaged(file, u"读取程序在读取时异常退出"_s);
    switch (parser.state()) {
    case StreamParser::State::Ended:
        return {};
    case StreamParser::State::Failed:
        return readerFailure(file, parser);
    case StreamParser::State::Reading:
    case StreamParser::State::Garbage:
        break;
    }
    return damaged(file, u"读取程序送回的数据不完整"_s);
}

} // namespace kelm::jet
