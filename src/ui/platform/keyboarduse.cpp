#include "platform/keyboarduse.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

bool isEnter(const QKeyEvent *key)
{
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
           && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// A button that the space bar presses and Enter does not: a check box or
// an option only changes its state, and a default button takes Enter
// itself.
bool pressedBySpaceOnly(QObject *object)
{
    auto *button = qobject_cast<QAbstractButton *>(object);
    if (!button || qobject_cast<QCheckBox *>(button) || qobject_cast<QRadioButton *>(button))
        return false;
    const auto *push = qobject_cast<QPushButton *>(button);
    return !push || !(push->autoDefault() || push->isDefault());
}

} // namespace

void KeyboardUse::install()
{
    static const bool installed = [] {
        qApp->installEventFilter(new KeyboardUse(qApp));
        return true;
    }();
    Q_UNUSED(installed);
}

bool KeyboardUse::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Show:
        if (auto *window = qobject_cast<QWidget *>(watched); window && window->isWindow())
            window->setAttribute(Qt::WA_KeyboardFocusChange);
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!isEnter(key) || !pressedBySpaceOnly(watched))
            break;
        // The space bar's own press and release, so the button goes down
        // and comes up as it does under the space bar.
        QKeyEvent space(event->type(), Qt::Key_Space, Qt::NoModifier, u" "_s, key->isAutoRepeat());
        QCoreApplication::sendEvent(watched, &space);
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kelm
