#include "shell/passwordwindow.h"

#include "data/connection.h"
#include "platform/accessiblenames.h"
#include "platform/messages.h"
#include "platform/units.h"
#include "shell/password.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

QLabel *labelAt(const QString &text, int left, int top, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->move(px(left), px(top));
    label->adjustSize();
    return label;
}

QPushButton *buttonAt(const QString &text, const QRect &geometry, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setGeometry(geometry);
    // Enter belongs to the boxes, never to a default button.
    button->setAutoDefault(false);
    return button;
}

} // namespace

PasswordWindow::PasswordWindow(QWidget *parent)
    : FormWindow(parent), m_prompt(new QLabel(u"输入密码："_s, this)), m_old(new QLineEdit(this)),
      m_new(new QLineEdit(this)), m_confirm(buttonAt(u"确认"_s, pxRect(480, 1320, 975, 375), this)),
      m_cancel(buttonAt(u"取消"_s, pxRect(1800, 1320, 975, 375), this))
{
    setObjectName(u"frm_mmsz"_s);
    setWindowTitle(u"密码设置"_s);
    setFixedSize(px(3060), px(1830));

    m_prompt->setGeometry(pxRect(240, 120, 2055, 255));
    QLabel *oldLabel = labelAt(u"原密码："_s, 240, 480, this);
    QLabel *newLabel = labelAt(u"新密码："_s, 240, 840, this);
    m_old->setGeometry(pxRect(960, 480, 1935, 270));
    m_new->setGeometry(pxRect(960, 840, 1935, 285));
    nameAfter(m_old, oldLabel);
    nameAfter(m_new, newLabel);

    setTabOrder(m_old, m_new);
    setTabOrder(m_new, m_confirm);
    setTabOrder(m_confirm, m_cancel);
    m_old->setFocus();

    connect(m_old, &QLineEdit::returnPressed, m_new, [this] { m_new->setFocus(); });
    connect(m_new, &QLineEdit::returnPressed, this, &PasswordWindow::confirm);
    connect(m_confirm, &QPushButton::clicked, this, &PasswordWindow::confirm);
    connect(m_cancel, &QPushButton::clicked, this, &PasswordWindow::close);

    try {
        m_stored = storedPassword(db());
    } catch (const DbError &e) {
        m_loadError = e.message();
    }
}

void PasswordWindow::activated()
{
    if (m_loadError.isEmpty())
        return;
    showError(this, m_loadError);
    close();
}

void PasswordWindow::confirm()
{
    if (m_step == 0) {
        if (m_old->text() == m_stored) {
            m_newPassword = m_new->text();
            m_step = 1;
            m_prompt->setText(u"确认输入："_s);
        } else {
            inform(this, u"原密码输入错误！"_s);
        }
        m_old->clear();
        m_new->clear();
        m_old->setFocus();
        return;
    }
    if (m_old->text() == m_stored && m_new->text() == m_newPassword) {
        bool saved = false;
        try {
            saved = changeStoredPassword(db(), m_newPassword);
        } catch (const DbError &) {
            // The database could not be opened: nothing was written.
        }
        if (saved) {
            close();
            return;
        }
        showError(this, u"新密码未能保存，原密码保持不变。"_s);
    } else {
        inform(this, u"两次密码输入不同，请重新输入。"_s);
    }
    startAgain();
}

void PasswordWindow::startAgain()
{
    m_step = 0;
    m_prompt->setText(u"输入密码"_s);
    m_old->clear();
    m_new->clear();
    m_old->setFocus();
}

} // namespace kelm
