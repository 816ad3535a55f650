// The examination query tjcx, opened over the main window.
#pragma once

class QWidget;

namespace kelm {

// Opens the query modally over opener (the main window).
void openExamQuery(QWidget *opener);

} // namespace kelm
