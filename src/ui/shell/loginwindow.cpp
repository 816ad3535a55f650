#include "shell/loginwindow.h"

#include "platform/accessiblenames.h"
#include "platform/messages.h"
#include "platform/units.h"
#include "shell/password.h"

#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace kelm {

LoginWindow::LoginWindow(const QString &stored, QWidget *parent)
    : FormWindow(parent), m_stored(stored), m_box(new QLineEdit(this))
{
    setObjectName(u"frm_mmbh"_s);
    setWindowTitle(u"输入密码"_s);
    setFixedSize(px(4035), px(765));

    auto *label = new QLabel(u"请输入密码："_s, this);
    label->move(px(240), px(240));
    label->adjustSize();

    m_box->setGeometry(pxRect(1320, 240, 2535, 270));
    m_box->setEchoMode(QLineEdit::Password);
    m_box->setStyleSheet(u"lineedit-password-character: 42"_s); // "*"
    nameAfter(m_box, label);
    m_box->setFocus();
    connect(m_box, &QLineEdit::returnPressed, this, &LoginWindow::enterPressed);
}

void LoginWindow::enterPressed()
{
    if (passwordMatches(m_box->text(), m_stored)) {
        close();
        return;
    }
    inform(this, u"密码错误！"_s);
    m_box->clear();
}

void LoginWindow::unloaded() { emit closedWith(passwordMatches(m_box->text(), m_stored)); }

} // namespace kelm
