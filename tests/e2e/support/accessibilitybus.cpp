#include "e2e/support/accessibilitybus.h"

#include <QProcessEnvironment>

#include <csignal>
#include <sys/prctl.h>

using namespace Qt::StringLiterals;

namespace kelm::test {

AccessibilityBus::AccessibilityBus()
{
    // The launcher, started by the session bus on the first call for it,
    // keeps its own bus's socket in the runtime folder it inherits.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"XDG_RUNTIME_DIR"_s, m_runtime.path());
    m_session.setProcessEnvironment(env);
    // Ends with the test also when the test crashes, and the launcher and
    // its bus end with it.
    m_session.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_session.start(u"dbus-daemon"_s, {u"--session"_s, u"--nofork"_s, u"--print-address=1"_s});
    QByteArray address;
    while (!address.contains('\n') && m_session.waitForReadyRead(10000))
        address += m_session.readAllStandardOutput();
    if (!address.contains('\n')) {
        m_failure = u"no session bus: "_s + m_session.errorString();
        return;
    }
    qputenv("DBUS_SESSION_BUS_ADDRESS", address.trimmed());
    // A screen reader on the desktop is what turns Qt's side on; without
    // one Qt is told so by this variable.
    qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
    // Starts the launcher and waits until it answers, so that Qt finds it
    // registered.
    QProcess ask;
    ask.start(u"dbus-send"_s, {u"--session"_s, u"--print-reply"_s, u"--dest=org.a11y.Bus"_s, u"/org/a11y/bus"_s,
                                u"org.a11y.Bus.GetAddress"_s});
    if (!ask.waitForFinished(20000) || ask.exitCode() != 0)
        m_failure = u"no accessibility bus: "_s + QString::fromLocal8Bit(ask.readAllStandardError());
}

AccessibilityBus::~AccessibilityBus()
{
    // The launcher and the bus it started end with the session bus.
    if (m_session.state() != QProcess::NotRunning) {
        m_session.terminate();
        if (!m_session.waitForFinished(10000))
            m_session.kill();
    }
}

} // namespace kelm::test
