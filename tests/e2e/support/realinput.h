// Input as a user gives it: mouse and keys go through the X server's test
// extension, so the server delivers them to whichever window holds its
// pointer and keyboard focus, in its own order, and Qt receives them as it
// receives a user's. Keys sent straight to a widget skip exactly the order
// of activation, focus changes and modal windows these tests are about.
//
// Every call only hands the input to the server and returns: what it causes
// happens when the event loop that is running (perhaps a modal window's
// own) reads it. Wait for the effect with a UserScript step.
#pragma once

#include <QPoint>
#include <QString>
#include <Qt>

class QWidget;

namespace kelm::test::real {

// A click at `at` inside w (its centre when null).
void click(QWidget *w, QPoint at = {}, Qt::MouseButton button = Qt::LeftButton);
void doubleClick(QWidget *w, QPoint at = {});
// A click at the centre of w that has reached the program when this
// returns and waits there: the program takes the events other than input
// meanwhile, and the click when it next takes input (work that looks at its
// events between two steps takes it at its next look, as a user's click
// made during a step).
void clickQueued(QWidget *w);
// Press and release of key with the modifiers held around it.
void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Types plain text key by key: digits, letters (a capital with Shift held),
// '-', '.', ' '.
void type(const QString &text);
// The window manager's close box: the WM_DELETE_WINDOW request it sends.
void closeBox(QWidget *window);
// Text as an input method commits it: no key events, one commit to the
// widget that has the focus (what a Chinese input method does).
void commit(const QString &text);

} // namespace kelm::test::real
