#include "e2e/support/program.h"

#include "e2e/support/realinput.h"
#include "e2e/support/screen.h"
#include "e2e/support/userscript.h"
#include "platform/messages.h"
#include "platform/modal.h"
#include "shell/mainwindow.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

using namespace Qt::StringLiterals;

namespace kelm::test {

Program::Program()
{
    setModalMode(ModalMode::Blocking);
    setMessageService(nullptr);
    m_main = std::make_unique<MainWindow>();
    m_main->show();
    m_main->activateWindow();
}

Program::~Program() = default;

void Program::chooseMenu(UserScript &script, const QString &bar, const QString &item) const
{
    test::chooseMenu(script, bar, item);
}

void chooseMenu(UserScript &script, const QString &bar, const QString &item)
{
    auto barAction = [bar]() -> std::pair<QMenuBar *, QAction *> {
        auto *menuBar = shownWindow(u"main"_s)->findChild<QMenuBar *>();
        for (QAction *a : menuBar->actions())
            if (a->objectName() == bar || (a->menu() && a->menu()->objectName() == bar))
                return {menuBar, a};
        return {menuBar, nullptr};
    };
    script.await(u"the main window is active"_s, [] { return isActive(u"main"_s); })
        .act(u"click the menu bar's "_s + bar, [barAction] {
            const auto [menuBar, action] = barAction();
            real::click(menuBar, menuBar->actionGeometry(action).center());
        });
    if (item.isEmpty())
        return;
    auto menu = [barAction] { return barAction().second->menu(); };
    auto entry = [menu, item]() -> QAction * { return menu()->findChild<QAction *>(item); };
    script.await(u"its menu is open"_s, [menu] { return menu()->isVisible(); })
        .act(u"click the entry "_s + item, [menu, entry] {
            real::click(menu(), menu()->actionGeometry(entry()).center());
        });
}

void askForTheYear(UserScript &script)
{
    script.await(u"the register is active"_s, [] { return isActive(u"xzcf_face"_s); })
        .act(u"click 统计"_s, [] { real::click(childOf(u"xzcf_face"_s, u"Command7"_s)); })
        .await(u"the period window is active, 确认 offered"_s, [] {
            return isActive(u"frm_tjsj"_s) && childOf(u"frm_tjsj"_s, u"Command1"_s)->isEnabled();
        })
        .act(u"type the year"_s,
             [] {
                 real::click(childOf(u"frm_tjsj"_s, u"Text1"_s));
                 real::type(u"2002-01-01"_s);
                 real::key(Qt::Key_Tab);
                 real::type(u"2002-12-31"_s);
             })
        .await(u"the end date is typed"_s, [] {
            auto *end = qobject_cast<QLineEdit *>(childOf(u"frm_tjsj"_s, u"Text2"_s));
            return end && end->text() == u"2002-12-31"_s;
        })
        .act(u"click 确认"_s, [] { real::click(childOf(u"frm_tjsj"_s, u"Command1"_s)); });
}

QWidget *childOf(const QString &window, const QString &child)
{
    QWidget *w = shownWindow(window);
    return w ? w->findChild<QWidget *>(child) : nullptr;
}

QWidget *childNamed(const QString &window, const QString &accessibleName)
{
    QWidget *w = shownWindow(window);
    if (!w)
        return nullptr;
    for (QWidget *c : w->findChildren<QWidget *>())
        if (c->accessibleName() == accessibleName)
            return c;
    return nullptr;
}

} // namespace kelm::test
