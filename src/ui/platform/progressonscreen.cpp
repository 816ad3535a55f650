#include "platform/progressonscreen.h"

#include "platform/busypointer.h"
#include "platform/progresswindow.h"

#include <QApplication>

namespace kelm {

ProgressOnScreen::ProgressOnScreen(QWidget *parent, const QString &title, const QString &refusal)
    : m_parent(parent), m_title(title), m_refusal(refusal)
{
    m_clock.start();
    showHourglass();
}

ProgressOnScreen::~ProgressOnScreen()
{
    if (m_window) {
        m_window.reset();
        ProgressWindow::giveKeyboardBack(m_parent);
    }
    showDefaultPointer();
}

void ProgressOnScreen::stage(const QString &text, qint64 steps, bool cancellable)
{
    // A 取消 made while the stage before still showed belongs to that stage.
    takeEvents();
    m_text = text;
    m_steps = steps;
    m_done = 0;
    m_cancellable = cancellable;
    refresh(true);
}

void ProgressOnScreen::advance(qint64 done)
{
    m_done = done;
    refresh(false);
}

void ProgressOnScreen::cancel()
{
    if (m_cancellable) {
        m_cancelled = true;
    } else if (!m_refused) {
        m_refused = true;
        m_window->showStage(m_refusal, m_steps, m_done, false);
    }
}

void ProgressOnScreen::refresh(bool now)
{
    const qint64 at = m_clock.elapsed();
    if (!m_window && at >= ProgressWindow::showAfterMs) {
        m_window = std::make_unique<ProgressWindow>(m_title, m_parent);
        m_window->setWindowModality(Qt::ApplicationModal);
        QObject::connect(m_window.get(), &ProgressWindow::cancelRequested, m_window.get(), [this] { cancel(); });
        showDefaultPointer();
        m_window->show();
        now = true;
    }
    if (m_window && !m_refused && (now || at - m_refreshed >= ProgressWindow::refreshMs)) {
        m_refreshed = at;
        // 取消 stays on where it is refused, so that it is answered.
        m_window->showStage(m_text, m_steps, m_done, !m_cancelled);
    }
    takeEvents();
}

void ProgressOnScreen::takeEvents()
{
    // Until the window shows, input waits behind the hourglass as for any
    // long work; only then can nothing else be started meanwhile.
    QApplication::processEvents(m_window ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
}

} // namespace kelm
