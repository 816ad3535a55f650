// The program's start: checks the database, then the log-in and the main
// window.
#pragma once

class QApplication;

namespace kelm {

int runProgram(QApplication &app);

} // namespace kelm
