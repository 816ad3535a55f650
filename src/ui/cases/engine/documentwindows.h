// Makes the window of case document k (register index) on the current case.
#pragma once

class QWidget;

namespace kelm {

class FormWindow;

FormWindow *createDocumentWindow(int registerIndex, QWidget *parent);

} // namespace kelm
