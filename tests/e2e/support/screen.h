// What the user sees on the screen: the windows shown, the one that is
// active (holds the keyboard), message boxes and their buttons, the
// progress window.
#pragma once

#include <QString>

class QAbstractButton;
class QMessageBox;
class QWidget;

namespace kelm {
class ProgressWindow;
}

namespace kelm::test {

// The visible top-level window of that object name, or nullptr.
QWidget *shownWindow(const QString &objectName);
// How many visible top-level windows carry that object name.
int shownCount(const QString &objectName);
// The window that the window system made active is this one.
bool isActive(const QString &objectName);
// The active window's object name; empty when none is active.
QString activeName();
// The message box showing text, or nullptr.
QMessageBox *shownMessage(const QString &text);
// The message box whose text holds part, or nullptr.
QMessageBox *shownMessageWith(const QString &part);
// The button of a message box with that caption, or nullptr.
QAbstractButton *messageButton(QMessageBox *box, const QString &caption);
// Whether any message box is shown.
bool anyMessage();
// The progress window of long work, when it is shown.
ProgressWindow *progressWindow();

} // namespace kelm::test
