#include "e2e/support/userscript.h"

#include <QApplication>
#include <QDialog>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace kelm::test {

UserScript::UserScript()
{
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, &UserScript::tick);
}

UserScript &UserScript::act(const QString &what, std::function<void()> action)
{
    m_steps.push_back({Kind::Act, what, std::move(action), {}, 0});
    return *this;
}

UserScript &UserScript::await(const QString &what, std::function<bool()> condition, int timeoutMs)
{
    m_steps.push_back({Kind::Await, what, {}, std::move(condition), timeoutMs});
    return *this;
}

UserScript &UserScript::holds(const QString &what, std::function<bool()> condition, int ms)
{
    m_steps.push_back({Kind::Holds, what, {}, std::move(condition), ms});
    return *this;
}

bool UserScript::run()
{
    m_stepClock.start();
    m_timer.start();
    if (!m_finished)
        m_loop.exec();
    m_timer.stop();
    return m_failure.isEmpty();
}

void UserScript::tick()
{
    if (m_finished) {
        unwind();
        return;
    }
    if (m_next == m_steps.size()) {
        m_finished = true;
        if (QWidget *open = QApplication::activeModalWidget())
            m_failure = u"the script ended with \"%1\" still open"_s.arg(open->windowTitle());
        unwind();
        return;
    }
    const Step &step = m_steps[m_next];
    const qint64 elapsed = m_stepClock.elapsed();
    bool done = false;
    switch (step.kind) {
    case Kind::Act:
        step.action();
        done = true;
        break;
    case Kind::Await:
        if (step.condition())
            done = true;
        else if (elapsed > step.ms)
            return fail(u"not so after %1 ms"_s.arg(elapsed));
        break;
    case Kind::Holds:
        if (!step.condition())
            return fail(u"no longer so after %1 ms"_s.arg(elapsed));
        done = elapsed >= step.ms;
        break;
    }
    if (done) {
        ++m_next;
        m_stepClock.restart();
    }
}

void UserScript::fail(const QString &why)
{
    const QWidget *active = QApplication::activeWindow();
    m_failure = u"step %1 \"%2\": %3 (active window: %4)"_s.arg(m_next + 1).arg(
        m_steps[m_next].what, why, active ? active->objectName() : u"none"_s);
    m_finished = true;
    unwind();
}

// The loop of run() ends only when every modal exec() inside it has
// returned: end them one at a time, innermost first.
void UserScript::unwind()
{
    if (auto *modal = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
        if (!m_failure.isEmpty())
            modal->done(QDialog::Rejected);
        return;
    }
    m_loop.quit();
}

} // namespace kelm::test
