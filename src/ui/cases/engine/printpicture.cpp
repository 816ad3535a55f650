#include "cases/engine/printpicture.h"

#include "platform/units.h"

#include <QPainter>
#include <QStyleOptionFocusRect>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

constexpr int pictureSize = 480;

QPixmap printerIcon()
{
    QPixmap pm(px(pictureSize), px(pictureSize));
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(9, 3, 14, 10);
    p.setBrush(QColor(150, 150, 150));
    p.drawRoundedRect(3, 12, 26, 12, 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(8, 20, 16, 9);
    p.drawLine(11, 23, 21, 23);
    p.drawLine(11, 26, 19, 26);
    p.setBrush(QColor(0, 170, 0));
    p.drawEllipse(24, 15, 2, 2);
    return pm;
}

} // namespace

PrintPicture::PrintPicture(QWidget *parent) : QAbstractButton(parent), m_icon(printerIcon())
{
    setObjectName(u"Image1"_s);
    setFocusPolicy(Qt::TabFocus);
    setToolTip(u"打印"_s);
    setAccessibleName(u"打印"_s);
    setGeometry(pxRect(0, 0, pictureSize, pictureSize));
}

QSize PrintPicture::sizeHint() const { return {px(pictureSize), px(pictureSize)}; }

void PrintPicture::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawPixmap(0, 0, m_icon);
    if (hasFocus()) {
        QStyleOptionFocusRect frame;
        frame.initFrom(this);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &p, this);
    }
}

} // namespace kelm
