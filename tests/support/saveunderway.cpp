#include "support/saveunderway.h"

#include "support/helperprograms.h"

#include <QtGlobal>

using namespace Qt::StringLiterals;

namespace kelm::test {

namespace {

QString kindName(SaveUnderWay::Kind kind)
{
    switch (kind) {
    case SaveUnderWay::Kind::Spilled: return u"spill"_s;
    case SaveUnderWay::Kind::Small: return u"small"_s;
    case SaveUnderWay::Kind::Unmarked: return u"unmarked"_s;
    case SaveUnderWay::Kind::InCommit: return u"commit"_s;
    }
    return {};
}

// The writer's next word, or empty text when it says nothing in time.
QByteArray nextWord(QProcess &writer)
{
    while (!writer.canReadLine())
        if (!writer.waitForReadyRead(30000))
            return {};
    return writer.readLine().trimmed();
}

} // namespace

SaveUnderWay::SaveUnderWay(const QString &path, Kind kind)
{
    m_writer.start(helperProgram(Helper::Writer), {path, kindName(kind)});
    if (nextWord(m_writer) != "saving")
        qFatal("the writer did not begin its save: %s", m_writer.readAllStandardError().constData());
}

SaveUnderWay::~SaveUnderWay() { kill(); }

bool SaveUnderWay::commit()
{
    m_writer.write("commit\n");
    const bool committed = nextWord(m_writer) == "committed";
    m_writer.waitForFinished();
    return committed;
}

void SaveUnderWay::kill()
{
    if (m_writer.state() == QProcess::NotRunning)
        return;
    m_writer.kill();
    m_writer.waitForFinished();
}

void crashInsideSave(const QString &path, SaveUnderWay::Kind kind)
{
    SaveUnderWay save(path, kind);
    // That writer kills itself inside the commit.
    if (kind == SaveUnderWay::Kind::InCommit && save.commit())
        qFatal("the writer finished its commit");
    save.kill();
}

bool anotherProcessCanSave(const QString &path)
{
    QProcess probe;
    probe.start(helperProgram(Helper::Writer), {path, u"probe"_s});
    const bool free = nextWord(probe) == "free";
    probe.waitForFinished();
    return free;
}

} // namespace kelm::test
