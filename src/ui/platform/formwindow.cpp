#include "platform/formwindow.h"

#include "platform/accessiblenames.h"
#include "platform/keyboarduse.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QShortcut>

using namespace Qt::StringLiterals;

namespace kelm {

FormWindow::FormWindow(QWidget *parent) : QDialog(parent)
{
    readBoxesAsOne();
    KeyboardUse::install();
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

void FormWindow::setPrintControl(QAbstractButton *control, const QString &what)
{
    auto *ctrlP = new QShortcut(QKeySequence::Print, this);
    // A held key prints once.
    ctrlP->setAutoRepeat(false);
    connect(ctrlP, &QShortcut::activated, control, &QAbstractButton::click);
    control->setAccessibleDescription(what + u"在本窗口任何位置按 Ctrl+P 也可打印。"_s);
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
