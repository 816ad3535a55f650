#include "platform/comboboxlock.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace kelm {

ComboBoxLock::ComboBoxLock(QComboBox *box) : QObject(box), m_box(box)
{
    box->lineEdit()->setReadOnly(true);
    box->installEventFilter(this);
    box->lineEdit()->installEventFilter(this);
}

bool ComboBoxLock::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // The edit line may still be clicked into to select its text.
        return watched == m_box;
    case QEvent::Wheel: return true;
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_F4:
        case Qt::Key_Space: return true;
        default: return false;
        }
    }
    default: return false;
    }
}

} // namespace kelm
