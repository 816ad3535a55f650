// Work that can take longer than a moment (backup, restore, preparing a
// large list) runs on a thread of its own while the program's windows stay
// responsive. For the first half second the hourglass shows and input waits,
// so nothing else starts meanwhile; then a progress window shows the stage
// and its bar, with 取消 where the work allows it. The call returns when the
// work has ended; an exception of the work is thrown again here.
//
// The work must not touch widgets nor the program's own connection: it
// opens what it reads itself.
#pragma once

#include "platform/progress.h"

#include <QElapsedTimer>
#include <functional>
#include <memory>

class QWidget;

namespace kelm {

void runLongWork(QWidget *parent, const QString &title, const std::function<void(Progress &)> &work);

// Progress of work that stays on the GUI thread because it draws on the
// program's own objects (printing): the progress window shows after the
// same half second, and each report of progress lets the windows repaint
// and 取消 be clicked.
class ProgressOnScreen : public Progress {
public:
    ProgressOnScreen(QWidget *parent, const QString &title);
    ~ProgressOnScreen() override;
    ProgressOnScreen(const ProgressOnScreen &) = delete;
    ProgressOnScreen &operator=(const ProgressOnScreen &) = delete;

    void stage(const QString &text, qint64 steps, bool cancellable) override;
    void advance(qint64 done) override;
    bool cancelled() const override { return m_cancelled; }

private:
    void refresh();

    struct Window;
    std::unique_ptr<Window> m_window;
    QWidget *m_parent;
    QString m_title;
    QString m_text;
    qint64 m_steps = 0;
    qint64 m_done = 0;
    bool m_cancellable = false;
    bool m_cancelled = false;
    QElapsedTimer m_clock;
    qint64 m_refreshed = -1;
};

} // namespace kelm
