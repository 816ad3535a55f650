#include "platform/gridlabel.h"

#include "platform/units.h"

#include <QPainter>

namespace kelm {

GridLabel::GridLabel(const QString &text, const QFont &font, QWidget *parent) : QLabel(text, parent)
{
    setFont(font);
}

QSize GridLabel::sizeHint() const
{
    const double pt = font().pointSizeF();
    return {px(gridWidthTwips(text(), pt)), fontMetrics().height()};
}

void GridLabel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setFont(font());
    p.setPen(palette().color(foregroundRole()));
    const double pt = font().pointSizeF();
    const QString t = text();
    const int baseline = fontMetrics().ascent();
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t[i].isLowSurrogate())
            continue;
        const qsizetype len = t[i].isHighSurrogate() && i + 1 < t.size() ? 2 : 1;
        const double x = gridOffsetTwips(t, i, pt) / double(twipsPerPixel);
        p.drawText(QPointF(x, baseline), t.mid(i, len));
    }
}

} // namespace kelm
