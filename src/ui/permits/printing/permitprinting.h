// What the permit register's print buttons hand over to permit printing:
// 打印正本 prepares the shown permit's certificate and opens its preview,
// 打印副本 the same for the copy, 打印设置 opens the print layout editor.
// Each opens its window modally over the register, whose activation then
// finds its permit again.
#pragma once

#include "permits/printing/permitonscreen.h"

class QWidget;

namespace kelm {

void printPermit(PermitOnScreen *permits);
void printCopy(PermitOnScreen *permits);
void openLayoutEditor(PermitOnScreen *permits);

// Prints one sheet of the form at the stored layout on the default
// printer. A layout that cannot print, no printer or a failing print shows
// "错误" and prints nothing; returns whether the sheet went to the printer.
bool printSheet(QWidget *parent, PermitForm form, const PermitTexts &permit);

} // namespace kelm
