#include "platform/longwork.h"

#include "platform/busypointer.h"
#include "platform/progresswindow.h"

#include <QApplication>
#include <QEventLoop>
#include <QMutex>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <exception>

namespace kelm {

namespace {

// Work shorter than this finishes behind the hourglass alone.
constexpr int showAfterMs = 500;
// How often the window shows the work's latest report.
constexpr int refreshMs = 50;

// Reports of the work thread, read by the GUI thread.
class SharedProgress : public Progress {
public:
    struct State {
        QString text;
        qint64 steps = 0;
        qint64 done = 0;
        bool cancellable = false;
    };

    void stage(const QString &text, qint64 steps, bool cancellable) override
    {
        const QMutexLocker lock(&m_mutex);
        m_state = {text, steps, 0, cancellable};
    }
    void advance(qint64 done) override
    {
        const QMutexLocker lock(&m_mutex);
        m_state.done = done;
    }
    bool cancelled() const override { return m_cancelled.load(); }

    void cancel()
    {
        const QMutexLocker lock(&m_mutex);
        if (m_state.cancellable)
            m_cancelled = true;
    }
    State state() const
    {
        const QMutexLocker lock(&m_mutex);
        return m_state;
    }

private:
    mutable QMutex m_mutex;
    State m_state;
    std::atomic<bool> m_cancelled{false};
};

// The keyboard goes back to the window the work was started from (see
// openModal); without a window manager nothing else would give it back.
void giveKeyboardBack(QWidget *parent)
{
    if (parent && parent->window()->isVisible())
        parent->window()->activateWindow();
}

void show(ProgressWindow &window, const SharedProgress::State &s)
{
    window.showStage(s.text, s.steps, s.done, s.cancellable);
}

} // namespace

void runLongWork(QWidget *parent, const QString &title, const std::function<void(Progress &)> &work)
{
    SharedProgress progress;
    std::exception_ptr failure;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        try {
            work(progress);
        } catch (...) {
            failure = std::current_exception();
        }
    }));
    QEventLoop loop;
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    showHourglass();
    thread->start();

    QTimer::singleShot(showAfterMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!thread->isFinished()) {
        ProgressWindow window(title, parent);
        window.setWindowModality(Qt::ApplicationModal);
        QObject::connect(&window, &ProgressWindow::cancelRequested, &window, [&] {
            progress.cancel();
            show(window, progress.state());
        });
        QTimer refresh;
        QObject::connect(&refresh, &QTimer::timeout, &window, [&] { show(window, progress.state()); });
        show(window, progress.state());
        showDefaultPointer();
        window.show();
        refresh.start(refreshMs);
        if (!thread->isFinished())
            loop.exec();
        window.hide();
        giveKeyboardBack(parent);
    }
    thread->wait();
    showDefaultPointer();
    if (failure)
        std::rethrow_exception(failure);
}

struct ProgressOnScreen::Window {
    ProgressWindow window;
    Window(const QString &title, QWidget *parent) : window(title, parent) { }
};

ProgressOnScreen::ProgressOnScreen(QWidget *parent, const QString &title) : m_parent(parent), m_title(title)
{
    m_clock.start();
    showHourglass();
}

ProgressOnScreen::~ProgressOnScreen()
{
    if (m_window) {
        m_window.reset();
        giveKeyboardBack(m_parent);
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
    if (m_refreshed >= 0 && now - m_refreshed < refreshMs)
        return;
    m_refreshed = now;
    if (!m_window) {
        if (now < showAfterMs)
            return;
        m_window = std::make_unique<Window>(m_title, m_parent);
        m_window->window.setWindowModality(Qt::ApplicationModal);
        QObject::connect(&m_window->window, &ProgressWindow::cancelRequested, &m_window->window, [this] {
            if (m_cancellable)
                m_cancelled = true;
        });
        showDefaultPointer();
        m_window->window.show();
    }
    m_window->window.showStage(m_text, m_steps, m_done, m_cancellable && !m_cancelled);
    QApplication::processEvents();
}

} // namespace kelm
