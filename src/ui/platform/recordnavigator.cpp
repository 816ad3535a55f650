#include "platform/recordnavigator.h"

#include "platform/boundrecord.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

QToolButton *navButton(QWidget *parent, const QString &glyph, const QString &name)
{
    auto *b = new QToolButton(parent);
    b->setText(glyph);
    b->setAccessibleName(name);
    b->setToolTip(name);
    b->setAutoRaise(false);
    // Reached by Tab; a click leaves the focus in the box being read.
    b->setFocusPolicy(Qt::TabFocus);
    b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    b->setFixedWidth(24);
    return b;
}

} // namespace

RecordNavigator::RecordNavigator(BoundRecord *record, QWidget *parent)
    : QWidget(parent), m_record(record), m_caption(new QLabel(this))
{
    setObjectName(u"Data1"_s);
    setAttribute(Qt::WA_StyledBackground);
    setAutoFillBackground(true);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    QToolButton *first = navButton(this, u"|◀"_s, u"第一条"_s);
    QToolButton *previous = navButton(this, u"◀"_s, u"上一条"_s);
    QToolButton *next = navButton(this, u"▶"_s, u"下一条"_s);
    QToolButton *last = navButton(this, u"▶|"_s, u"最后一条"_s);
    m_buttons = {first, previous, next, last};
    m_caption->setFrameShape(QFrame::Panel);
    m_caption->setFrameShadow(QFrame::Sunken);
    m_caption->setContentsMargins(4, 0, 4, 0);
    row->addWidget(first);
    row->addWidget(previous);
    row->addWidget(m_caption, 1);
    row->addWidget(next);
    row->addWidget(last);

    connect(first, &QToolButton::clicked, record, &BoundRecord::moveFirst);
    connect(previous, &QToolButton::clicked, record, &BoundRecord::movePrevious);
    connect(next, &QToolButton::clicked, record, &BoundRecord::moveNext);
    connect(last, &QToolButton::clicked, record, &BoundRecord::moveLast);
    connect(record, &BoundRecord::repositioned, this, &RecordNavigator::refresh);
    refresh();
}

QString RecordNavigator::caption() const { return m_caption->text(); }

void RecordNavigator::refresh()
{
    m_caption->setText(m_record->caption());
    m_caption->setAccessibleName(m_caption->text());
}

} // namespace kelm
