#include "platform/gridlabel.h"

#include "platform/units.h"

#include <QPainter>

namespace kelm {

namespace {

double emPixels(double pointSize) { return pointSize * 20 / twipsPerPixel; }

} // namespace

GridLabel::GridLabel(const QString &text, const QFont &font, QWidget *parent) : QLabel(text, parent)
{
    setFont(font);
}

void GridLabel::setLineWidth(int twips)
{
    m_lineWidth = twips;
    updateGeometry();
    update();
}

QStringList GridLabel::lines() const
{
    return m_lineWidth > 0 ? gridLines(text(), m_lineWidth, font().pointSizeF()) : QStringList{text()};
}

QSize GridLabel::sizeHint() const
{
    const double pt = font().pointSizeF();
    const int height = fontMetrics().height() + int((lines().size() - 1) * emPixels(pt) + 0.5);
    return {px(m_lineWidth > 0 ? m_lineWidth : gridWidthTwips(text(), pt)), height};
}

void GridLabel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setFont(font());
    p.setPen(palette().color(foregroundRole()));
    const double pt = font().pointSizeF();
    const QStringList all = lines();
    for (qsizetype n = 0; n < all.size(); ++n) {
        const QString &t = all[n];
        const double baseline = fontMetrics().ascent() + n * emPixels(pt);
        for (qsizetype i = 0; i < t.size(); ++i) {
            if (t[i].isLowSurrogate())
                continue;
            const qsizetype len = t[i].isHighSurrogate() && i + 1 < t.size() ? 2 : 1;
            const double x = gridOffsetTwips(t, i, pt) / double(twipsPerPixel);
            p.drawText(QPointF(x, baseline), t.mid(i, len));
        }
    }
}

} // namespace kelm
