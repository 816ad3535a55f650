// What a user does and waits for, step by step. The steps run from a timer
// in whatever event loop is running, a modal window's own exec() included,
// so a step can act inside a window that blocks the code that opened it,
// as a user acts inside a modal window.
#pragma once

#include <QElapsedTimer>
#include <QEventLoop>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <vector>

namespace kelm::test {

class UserScript : public QObject {
public:
    UserScript();

    // Something the user does (see realinput.h); runs once.
    UserScript &act(const QString &what, std::function<void()> action);
    // Waits until the condition holds.
    UserScript &await(const QString &what, std::function<bool()> condition, int timeoutMs = 10000);
    // The condition holds throughout: nothing happens by itself meanwhile.
    UserScript &holds(const QString &what, std::function<bool()> condition, int ms = 600);

    // Runs the steps from the current point until all have run or one has
    // failed. A failed script closes the modal windows still open, so the
    // test ends instead of hanging in them.
    bool run();
    // Which step failed and how; empty when none did.
    QString failure() const { return m_failure; }

private:
    enum class Kind { Act, Await, Holds };
    struct Step {
        Kind kind;
        QString what;
        std::function<void()> action;
        std::function<bool()> condition;
        int ms;
    };

    void tick();
    void fail(const QString &why);
    void unwind();

    std::vector<Step> m_steps;
    std::size_t m_next = 0;
    QElapsedTimer m_stepClock;
    QTimer m_timer;
    QEventLoop m_loop;
    QString m_failure;
    bool m_finished = false;
};

} // namespace kelm::test
