// frm_mmsz "密码设置": replaces the log-in password after two confirmed
// steps (old and new password, then both once more).
#pragma once

#include "platform/formwindow.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace kelm {

class PasswordWindow : public FormWindow {
    Q_OBJECT
public:
    explicit PasswordWindow(QWidget *parent = nullptr);

    QLabel *prompt() const { return m_prompt; }
    QLineEdit *oldBox() const { return m_old; }
    QLineEdit *newBox() const { return m_new; }
    QPushButton *confirmButton() const { return m_confirm; }
    QPushButton *cancelButton() const { return m_cancel; }
    int step() const { return m_step; }

    void activated() override;

private:
    void confirm();
    void startAgain();

    QLabel *m_prompt;
    QLineEdit *m_old;
    QLineEdit *m_new;
    QPushButton *m_confirm;
    QPushButton *m_cancel;
    int m_step = 0;
    QString m_stored;
    QString m_newPassword;
    QString m_loadError; // the stored password could not be read
};

} // namespace kelm
