#include "shell/menucaptionstyle.h"

#include "platform/spokenlabel.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStyleOptionMenuItem>

namespace kelm {

namespace {

// The entry drawn at place in a menu or the menu bar.
const QAction *actionAt(const QWidget *widget, const QPoint &place)
{
    if (const auto *bar = qobject_cast<const QMenuBar *>(widget))
        return bar->actionAt(place);
    if (const auto *menu = qobject_cast<const QMenu *>(widget))
        return menu->actionAt(place);
    return nullptr;
}

// The entry of a menu or the menu bar that shows text.
const QAction *actionWithText(const QWidget *widget, const QString &text)
{
    if (!widget)
        return nullptr;
    for (const QAction *action : widget->actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

bool isMenuEntry(QStyle::ControlElement element)
{
    return element == QStyle::CE_MenuBarItem || element == QStyle::CE_MenuItem;
}

} // namespace

// Over a style of its own, like the program's.
MenuCaptionStyle::MenuCaptionStyle() : QProxyStyle(QApplication::style()->name()) { }

void MenuCaptionStyle::setCaption(QAction *action, const QString &caption)
{
    action->setText(spokenLabel(caption));
    if (action->text() != caption)
        m_captions.insert(action, caption);
}

QString MenuCaptionStyle::captionOf(const QAction *action) const { return m_captions.value(action, action->text()); }

void MenuCaptionStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                                   const QWidget *widget) const
{
    const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
    const QAction *action = item && isMenuEntry(element) ? actionAt(widget, option->rect.center()) : nullptr;
    if (!action || !m_captions.contains(action)) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    QStyleOptionMenuItem drawn(*item);
    drawn.text = m_captions.value(action);
    QProxyStyle::drawControl(element, &drawn, painter, widget);
}

QSize MenuCaptionStyle::sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                                         const QWidget *widget) const
{
    QSize measured = size;
    const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
    if (item && (type == CT_MenuBarItem || type == CT_MenuItem)) {
        if (const QAction *action = actionWithText(widget, item->text); action && m_captions.contains(action)) {
            const QFontMetrics metrics = widget->fontMetrics();
            measured.rwidth() += metrics.horizontalAdvance(m_captions.value(action))
                                 - metrics.horizontalAdvance(item->text);
        }
    }
    return QProxyStyle::sizeFromContents(type, option, measured, widget);
}

} // namespace kelm
