// What every window offers a user on the keyboard, in one filter over the
// whole program. Enter on a focused button presses it as the space bar
// does: the program's buttons are no default buttons, so without this
// Enter on them did nothing. Enter anywhere else keeps its meaning, and a
// button that takes Enter itself (a message box's) is left alone. And the
// focus frame shows from the moment a window opens, where Qt would show it
// only once a key had moved the focus.
#pragma once

#include <QObject>

namespace kelm {

class KeyboardUse : public QObject {
    Q_OBJECT
public:
    // Puts the filter over the program, once; later calls do nothing.
    static void install();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
};

} // namespace kelm
