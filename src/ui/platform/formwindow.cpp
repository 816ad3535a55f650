#include "platform/formwindow.h"

#include "platform/accessiblenames.h"

#include <QCloseEvent>

namespace kelm {

FormWindow::FormWindow(QWidget *parent) : QDialog(parent)
{
    readListBoxesByName();
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

void FormWindow::reject() { close(); }

void FormWindow::closeEvent(QCloseEvent *event)
{
    if (m_closing) {
        event->accept();
        return;
    }
    if (!queryClose()) {
        event->ignore();
        return;
    }
    m_closing = true;
    unloaded();
    event->accept();
    done(QDialog::Rejected);
    m_closing = false;
}

} // namespace kelm
