#include "platform/formcontrols.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace kelm {

QLabel *formLabel(QWidget *parent, const QString &text, int left, int top, int width, int height)
{
    auto *l = placed(new QLabel(text, parent), left, top, width, height);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return l;
}

QGroupBox *formFrame(QWidget *parent, const QString &name, const QString &caption, int left, int top, int width,
                     int height)
{
    auto *f = placed(new QGroupBox(caption, parent), left, top, width, height);
    f->setObjectName(name);
    return f;
}

QPushButton *formButton(QWidget *parent, const QString &name, const QString &caption, int left, int top,
                        int width, int height)
{
    auto *b = placed(new QPushButton(caption, parent), left, top, width, height);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace kelm
