// The program's start: the start-up picture and the log-in window, then the
// main window for a user who knows the password.
#pragma once

class QApplication;

namespace kelm {

// Reads the stored password and shows the start-up picture and the log-in
// window. When the database cannot be opened or holds no password, says so
// and returns false: the program then ends.
bool startSession();

int runProgram(QApplication &app);

} // namespace kelm
