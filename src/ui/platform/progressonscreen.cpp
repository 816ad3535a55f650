#include "platform/progressonscreen.h"

#include "platform/busypointer.h"
#include "platform/progresswindow.h"

#include <QApplication>

namespace kelm {

ProgressOnScreen::ProgressOnScreen(QWidget *parent, const QString &title) : m_parent(parent), m_title(title)
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
    m_text = text;
    m_steps = steps;
    m_done = 0;
    m_cancellable = cancellable;
    refresh();
}

void ProgressOnScreen::advance(qint64 done)
{
    m_done = done;
    refresh();
}

void ProgressOnScreen::refresh()
{
    const qint64 now = m_clock.elapsed();
    if (m_refreshed >= 0 && now - m_refreshed < ProgressWindow::refreshMs)
        return;
    m_refreshed = now;
    if (!m_window) {
        if (now < ProgressWindow::showAfterMs)
            return;
        m_window = std::make_unique<ProgressWindow>(m_title, m_parent);
        m_window->setWindowModality(Qt::ApplicationModal);
        QObject::connect(m_window.get(), &ProgressWindow::cancelRequested, m_window.get(), [this] {
            if (m_cancellable)
                m_cancelled = true;
        });
        showDefaultPointer();
        m_window->show();
    }
    m_window->showStage(m_text, m_steps, m_done, m_cancellable && !m_cancelled);
    QApplication::processEvents();
}

} // namespace kelm
