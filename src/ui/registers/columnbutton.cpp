#include "registers/columnbutton.h"

#include "platform/gridlabel.h"
#include "platform/units.h"

#include <QPainter>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

namespace kelm {

namespace {
constexpr int captionOffset = 120; // twips right of and below the plate's corner
}

ColumnButton::ColumnButton(const QString &caption, int plateWidth, int plateHeight, QWidget *parent)
    : QAbstractButton(parent), m_caption(new GridLabel(caption, songti(9), this)),
      m_plate(px(plateWidth), px(plateHeight))
{
    setText(caption);
    // Its own text colour, not the button text colour it would inherit.
    m_caption->setForegroundRole(QPalette::WindowText);
    m_caption->move(px(captionOffset), px(captionOffset));
    m_caption->adjustSize();
    setChosen(false);
    resize(m_plate);
}

void ColumnButton::setChosen(bool chosen)
{
    m_chosen = chosen;
    QPalette pal = m_caption->palette();
    pal.setColor(QPalette::WindowText, vbColor(chosen ? vbRed : vbBlack));
    m_caption->setPalette(pal);
    update();
}

QSize ColumnButton::sizeHint() const { return m_plate; }

void ColumnButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    qDrawWinPanel(&p, rect(), palette(), m_chosen, &palette().brush(QPalette::Button));
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(3, 3, -3, -3);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
    }
}

} // namespace kelm
