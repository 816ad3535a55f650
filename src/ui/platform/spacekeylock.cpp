#include "platform/spacekeylock.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace kelm {

SpaceKeyLock::SpaceKeyLock(QLineEdit *box, bool beep) : QObject(box), m_box(box), m_beep(beep)
{
    box->installEventFilter(this);
}

bool SpaceKeyLock::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_box && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Space) {
            if (event->type() == QEvent::KeyPress) {
                if (m_beep)
                    QApplication::beep();
                m_box->setReadOnly(true);
            } else if (!key->isAutoRepeat())
                m_box->setReadOnly(false);
        }
    }
    return false;
}

} // namespace kelm
