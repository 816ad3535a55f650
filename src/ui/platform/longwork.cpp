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

    QTimer::singleShot(ProgressWindow::showAfterMs, &loop, &QEventLoop::quit);
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
        refresh.start(ProgressWindow::refreshMs);
        if (!thread->isFinished())
            loop.exec();
        window.hide();
        ProgressWindow::giveKeyboardBack(parent);
    }
    thread->wait();
    showDefaultPointer();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace kelm
