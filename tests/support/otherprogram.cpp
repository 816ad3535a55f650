#include "support/otherprogram.h"

#include "support/helperprograms.h"

#include <QDebug>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace kelm::test {

OtherProgram::OtherProgram(const QString &path, Hold hold)
{
    static const QString how[] = {u"open"_s, u"write"_s, u"exclusive"_s};
    m_process.start(helperProgram(Helper::Holder), {path, how[int(hold)]});
    QByteArray told;
    while (!m_holding && m_process.waitForReadyRead(20000)) {
        told += m_process.readAllStandardOutput();
        m_holding = told.contains("holding");
    }
    if (!m_holding)
        qWarning("the other program does not hold %s: %s", qPrintable(path),
                 m_process.readAllStandardError().constData());
}

OtherProgram::~OtherProgram() { stop(); }

QString OtherProgram::name() { return QFileInfo(helperProgram(Helper::Holder)).fileName(); }

void OtherProgram::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.closeWriteChannel();
    if (!m_process.waitForFinished(20000))
        kill();
}

void OtherProgram::kill()
{
    m_process.kill();
    m_process.waitForFinished();
}

} // namespace kelm::test
