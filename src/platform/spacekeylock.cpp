#include "platform/spacekeylock.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace kelm {

SpaceKeyLock::SpaceKeyLock(QLineEdit *box) : QObject(box), m_box(box) { box->installEventFilter(this); }

bool SpaceKeyLock::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_box && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Space) {
            if (event->type() == QEvent::KeyPress)
                m_box->setReadOnly(true);
            else if (!key->isAutoRepeat())
                m_box->setReadOnly(false);
        }
    }
    return false;
}

} // namespace kelm
