// What the permit register's print buttons hand over to permit printing:
// 打印正本 prepares the shown permit's certificate and opens its preview,
// 打印副本 the same for the copy, 打印设置 opens the print layout editor.
// Each opens its window modally over the register, whose activation then
// finds its permit again.
#pragma once

namespace kelm {

class PermitRegisterWindow;

void printPermit(PermitRegisterWindow *permits);
void printCopy(PermitRegisterWindow *permits);
void openLayoutEditor(PermitRegisterWindow *permits);

} // namespace kelm
