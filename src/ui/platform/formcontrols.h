// Controls of a work window placed as its form is designed: positions and
// sizes in twips within their container.
#pragma once

#include "platform/units.h"

#include <QString>

class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;

namespace kelm {

template <typename W>
W *placed(W *widget, int left, int top, int width, int height)
{
    widget->setGeometry(pxRect(left, top, width, height));
    return widget;
}

// A caption left of a box of the same height.
QLabel *formLabel(QWidget *parent, const QString &text, int left, int top, int width, int height = 270);
QGroupBox *formFrame(QWidget *parent, const QString &name, const QString &caption, int left, int top, int width,
                     int height);
// A command button that Enter does not press by itself.
QPushButton *formButton(QWidget *parent, const QString &name, const QString &caption, int left, int top,
                        int width, int height = 375);

} // namespace kelm
