// Stored permits and the two permit windows as the menu opens them: shared
// by the permit register, annual review and permit query tests.
#pragma once

#include "permits/permitregisterwindow.h"
#include "permits/reviewwindow.h"
#include "platform/boundrecord.h"
#include "platform/database.h"
#include "platform/formwindow.h"
#include "platform/recordnavigator.h"
#include "storedpermits.h"

#include <QApplication>
#include <QComboBox>
#include <QHash>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace kelm::test {

using namespace Qt::StringLiterals;

// Chinese arrives as an input-method commit.
inline void type(QWidget *w, const QString &text)
{
    QInputMethodEvent e;
    e.setCommitString(text);
    QApplication::sendEvent(w, &e);
}

// A permit window as the menu opens it, and its controls by name.
template <typename Window>
struct Opened {
    Window *w = new Window;

    Opened()
    {
        w->show();
        w->activated();
    }
    ~Opened() { delete w; }

    QLineEdit *box(int i) const { return w->template findChild<QLineEdit *>(u"Text1_%1"_s.arg(i)); }
    QPlainTextEdit *memo(int i) const { return w->template findChild<QPlainTextEdit *>(u"Text1_%1"_s.arg(i)); }
    QComboBox *combo(int i) const { return w->template findChild<QComboBox *>(u"Combo1_%1"_s.arg(i)); }
    QPushButton *button(int i) const { return w->template findChild<QPushButton *>(u"Command%1"_s.arg(i)); }
    QWidget *named(const QString &name) const { return w->template findChild<QWidget *>(name); }
    QString caption() const { return w->template findChild<RecordNavigator *>()->caption(); }
    bool navigatorOn() const { return named(u"Data1"_s)->isEnabled(); }
    void click(int i) const { button(i)->click(); }
    // The buttons enabled, in the order given: '1' on, '0' off.
    QString buttons(std::initializer_list<int> order) const
    {
        QString s;
        for (int i : order)
            s += button(i)->isEnabled() ? u'1' : u'0';
        return s;
    }
};

using PermitRegister = Opened<PermitRegisterWindow>;
using Review = Opened<ReviewWindow>;

// 添加 删除 存盘 取消 打印正本 打印副本 查询 打印设置
constexpr std::initializer_list<int> permitButtons = {1, 2, 3, 4, 5, 6, 7, 8};
// 关闭 存盘 取消 查询
constexpr std::initializer_list<int> reviewButtons = {1, 3, 4, 7};

// The open window of the program with that caption.
inline FormWindow *openWindow(const QString &caption)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowTitle() == caption)
            return qobject_cast<FormWindow *>(w);
    return nullptr;
}

} // namespace kelm::test
