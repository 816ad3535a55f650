// Progress of a print, which stays on the GUI thread because it draws on
// the program's own objects: the progress window shows after the same half
// second as for work on a thread of its own (longwork.h). Every report of
// progress lets events in, so a screen reader and the windows are answered
// between two pages; the window itself shows the latest report at most
// every refreshMs, and each new stage at once.
//
// 取消 stops the stages that allow it; in a stage that does not, it is
// answered in the window with the words given, and cancelRefused() lets the
// caller say them again once the window has gone.
#pragma once

#include "platform/progress.h"

#include <QElapsedTimer>
#include <memory>

class QWidget;

namespace kelm {

class ProgressWindow;

class ProgressOnScreen : public Progress {
public:
    ProgressOnScreen(QWidget *parent, const QString &title, const QString &refusal);
    ~ProgressOnScreen() override;
    ProgressOnScreen(const ProgressOnScreen &) = delete;
    ProgressOnScreen &operator=(const ProgressOnScreen &) = delete;

    void stage(const QString &text, qint64 steps, bool cancellable) override;
    void advance(qint64 done) override;
    bool cancelled() const override { return m_cancelled; }
    // 取消 was asked for in a stage that could not stop.
    bool cancelRefused() const { return m_refused; }

private:
    void refresh(bool now);
    void cancel();
    void takeEvents();

    std::unique_ptr<ProgressWindow> m_window;
    QWidget *m_parent;
    QString m_title;
    QString m_refusal;
    QString m_text;
    qint64 m_steps = 0;
    qint64 m_done = 0;
    bool m_cancellable = false;
    bool m_cancelled = false;
    bool m_refused = false;
    QElapsedTimer m_clock;
    qint64 m_refreshed = -1;
};

} // namespace kelm
