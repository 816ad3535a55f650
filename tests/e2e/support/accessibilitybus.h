// The accessibility bus of a desktop, for one test program: a session bus
// of its own with the accessibility bus launcher on it (Debian's
// at-spi2-core), as a screen reader's desktop has them. Qt then tells
// every focus change as it tells a screen reader, which it does not
// without that bus. Its folders are the test's own, so nothing reaches a
// desktop the test runs on.
#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace kelm::test {

class AccessibilityBus {
public:
    // Starts both and points Qt at them; construct before anything asks
    // whether accessibility is on, the first window included.
    AccessibilityBus();
    ~AccessibilityBus();
    AccessibilityBus(const AccessibilityBus &) = delete;
    AccessibilityBus &operator=(const AccessibilityBus &) = delete;

    // Why the bus does not run; empty when it does.
    QString failure() const { return m_failure; }

private:
    QTemporaryDir m_runtime;
    QProcess m_session;
    QString m_failure;
};

} // namespace kelm::test
