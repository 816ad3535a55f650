// The program's start: the start-up picture and the log-in window, then the
// main window for a user who knows the password.
#pragma once

class QApplication;

namespace kelm {

// Converts a kelm.mdb of the earlier Jet format when the user agrees, then
// reads the stored password and shows the start-up picture and the log-in
// window. When the user declines the conversion, or the database cannot be
// converted or opened or holds no password, says so and returns false: the
// program then ends.
bool startSession();

int runProgram(QApplication &app);

} // namespace kelm
