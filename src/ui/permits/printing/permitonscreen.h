// What permit printing needs of the window that shows a permit, so that the
// print windows serve it without knowing the register: the window they open
// over, the permit's texts as its boxes show them at the moment of use, and
// the lines a print preparation leaves for the preview.
#pragma once

#include "permits/permitprintlines.h"
#include "permits/printing/permitsheet.h"

class QWidget;

namespace kelm {

class PermitOnScreen {
public:
    virtual QWidget *printOpener() = 0;
    virtual PermitTexts shownPermit() const = 0;
    virtual PermitPrintLines &printLines() = 0;

protected:
    ~PermitOnScreen() = default;
};

} // namespace kelm
