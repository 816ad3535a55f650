#include "platform/modal.h"

#include "platform/formwindow.h"

#include <QPointer>

namespace kelm {

namespace {
ModalMode g_mode = ModalMode::Blocking;
}

void setModalMode(ModalMode mode) { g_mode = mode; }
ModalMode modalMode() { return g_mode; }

void openModal(QWidget *opener, FormWindow *child, std::function<void()> after)
{
    QPointer<QWidget> back = opener;
    QPointer<FormWindow> host = qobject_cast<FormWindow *>(opener);
    if (host)
        host->deactivated();
    child->setWindowModality(Qt::ApplicationModal);

    auto finish = [back, host, child, after = std::move(after)]() {
        if (after)
            after();
        if (host)
            host->activated();
        // The keyboard goes back to the opener, as the user expects; a
        // window manager may do the same, but without one nothing would.
        if (back && back->isVisible())
            back->activateWindow();
        child->deleteLater();
    };

    child->show();
    child->activated();
    if (g_mode == ModalMode::NonBlocking) {
        if (!child->isVisible()) {
            finish();
            return;
        }
        QObject::connect(child, &QDialog::finished, child, finish, Qt::SingleShotConnection);
        return;
    }
    if (child->isVisible())
        child->exec();
    finish();
}

} // namespace kelm
