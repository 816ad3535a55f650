// Names that screen readers read for the boxes of a window: the visible
// label before a box, as its words are spoken rather than drawn.
#pragma once

#include "platform/spokenlabel.h"

#include <QString>

class QLabel;
class QWidget;

namespace kelm {

// From now on a list box is read by its name, as any other box, and its
// text as its value (Qt reads its text as its name); a multi-line box is
// the one object that has the focus, not the pane inside it. Runs before a
// window makes its boxes: Qt keeps the first reading it gave of an object.
void readBoxesAsOne();
// Names box; an editable list box's own line too, which takes the focus
// and the typing.
void nameBox(QWidget *box, const QString &name);
// Makes label the buddy of box and names box by the label's words.
void nameAfter(QWidget *box, QLabel *label);

} // namespace kelm
