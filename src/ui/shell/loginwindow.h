// frm_mmbh "输入密码": the first window. Enter tests the typed password;
// closing the window by any route tests it once more and says whether the
// user is let in.
#pragma once

#include "platform/formwindow.h"

class QLineEdit;

namespace kelm {

class LoginWindow : public FormWindow {
    Q_OBJECT
public:
    // stored: the password read from the database at start-up.
    explicit LoginWindow(const QString &stored, QWidget *parent = nullptr);

    QLineEdit *passwordBox() const { return m_box; }

    void unloaded() override;

signals:
    // The window has closed; admitted when the box held the right password.
    void closedWith(bool admitted);

private:
    void enterPressed();

    QString m_stored;
    QLineEdit *m_box;
};

} // namespace kelm
