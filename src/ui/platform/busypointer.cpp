#include "platform/busypointer.h"

#include <QApplication>
#include <QGuiApplication>

namespace kelm {

void showHourglass()
{
    if (!hourglassShown())
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

void showDefaultPointer()
{
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

bool hourglassShown() { return QGuiApplication::overrideCursor() != nullptr; }

} // namespace kelm
