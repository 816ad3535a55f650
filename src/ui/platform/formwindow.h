// Base of every work window. Esc, the close box and code all close through
// closeEvent, so a window's close question is always asked; the activation
// steps run when the window opens and when a child window it opened has
// closed (openModal), never on Qt's own window activation, which a message
// box would trigger too.
#pragma once

#include <QDialog>

class QAbstractButton;

namespace kelm {

class FormWindow : public QDialog {
    Q_OBJECT
public:
    explicit FormWindow(QWidget *parent = nullptr);

    // The window becomes active: on opening and when a child has closed.
    virtual void activated() { }
    // The window loses the focus to a child window it opens.
    virtual void deactivated() { }
    // Asked before closing; false keeps the window open.
    virtual bool queryClose() { return true; }
    // The window is closing for good.
    virtual void unloaded() { }

    void reject() override;

protected:
    // Ctrl+P anywhere in the window presses `control`, the window's print
    // control, as a click does; its description tells a screen reader what
    // it prints (`what`, a sentence) and that Ctrl+P does it too.
    void setPrintControl(QAbstractButton *control, const QString &what);

    void closeEvent(QCloseEvent *event) override;

private:
    bool m_closing = false;
};

} // namespace kelm
