#include "shell/placeholderwindow.h"

#include "platform/busypointer.h"

namespace kelm {

PlaceholderWindow::PlaceholderWindow(const QString &caption, QWidget *parent) : FormWindow(parent)
{
    setWindowTitle(caption);
    resize(480, 320);
}

void PlaceholderWindow::activated() { showDefaultPointer(); }

} // namespace kelm
