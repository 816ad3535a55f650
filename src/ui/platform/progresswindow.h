// The window of long work: what is being done, a bar, and 取消 while
// stopping leaves everything as it was. The close box and Esc ask to stop
// as 取消 does, and do nothing where stopping is not safe.
#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace kelm {

class ProgressWindow : public QDialog {
    Q_OBJECT
public:
    // Work shorter than this finishes behind the hourglass alone.
    static constexpr int showAfterMs = 500;
    // How often the window shows the work's latest report.
    static constexpr int refreshMs = 50;

    explicit ProgressWindow(const QString &title, QWidget *parent = nullptr);

    // The keyboard goes back to the window the work began from (see
    // openModal); without a window manager nothing else would give it.
    static void giveKeyboardBack(QWidget *opener);

    // steps 0: a bar that only shows that work goes on.
    void showStage(const QString &text, qint64 steps, qint64 done, bool cancellable);

    QLabel *stageLabel() const { return m_stage; }
    QProgressBar *bar() const { return m_bar; }
    QPushButton *cancelButton() const { return m_cancel; }

signals:
    void cancelRequested();

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QLabel *m_stage = nullptr;
    QProgressBar *m_bar = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace kelm
