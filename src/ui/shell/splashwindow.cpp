#include "shell/splashwindow.h"

#include "platform/programfiles.h"
#include "platform/units.h"

#include <QLabel>
#include <QScreen>
#include <QStyle>

using namespace Qt::StringLiterals;

namespace kelm {

SplashWindow::SplashWindow(QWidget *parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(u"frm_hm"_s);
    setWindowTitle(u"Kelm"_s);
    setFixedSize(px(7365), px(5640));
    // The photograph's box is a little wider than the window; its right
    // edge is cut off.
    auto *image = new QLabel(this);
    image->setGeometry(pxRect(0, 0, 7440, 5640));
    image->setScaledContents(true);
    image->setPixmap(QPixmap(programFile(u"picture/start.jpg"_s)));
    image->setAccessibleName(u"Kelm"_s);
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen()->availableGeometry()));
}

} // namespace kelm
