// Progress of work that stays on the GUI thread because it draws on the
// program's own objects (printing): the progress window shows after the
// same half second as for work on a thread of its own (longwork.h), and
// each report of progress lets the windows repaint and 取消 be clicked.
#pragma once

#include "platform/progress.h"

#include <QElapsedTimer>
#include <memory>

class QWidget;

namespace kelm {

class ProgressWindow;

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

    std::unique_ptr<ProgressWindow> m_window;
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
