// Layout numbers stay in twips (1440 an inch) as the forms are designed;
// these convert them, read the forms' &H00BBGGRR& colours and give the
// fonts the forms are printed in.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>

namespace kelm {

constexpr int twipsPerPixel = 15; // on screen at 96 dpi

constexpr int px(int twips) { return (twips + twipsPerPixel / 2) / twipsPerPixel; }
QRect pxRect(int left, int top, int width, int height);
// Twips to device units at a resolution (printer, PDF).
double toDevice(double twips, double dotsPerInch);

// A colour written as &H00BBGGRR&.
QColor vbColor(unsigned int bgr);

constexpr unsigned int vbBlue = 0x00FF0000;
constexpr unsigned int vbRed = 0x000000FF;
constexpr unsigned int vbBlack = 0x00000000;
constexpr unsigned int vbDarkGrey = 0x00404040;

// 宋体 at a point size: a serif CJK family list that exists here.
QFont songti(double pointSize, bool bold = false);
// The sans-serif family of the program's own windows.
QFont uiFont(double pointSize = 9, bool bold = false);

// Width of text on the forms' character grid: a full-width character takes
// one em (20 twips a point), any other half an em.
int gridWidthTwips(const QString &text, double pointSize);
// Left offset in twips of character index i of text on that grid.
int gridOffsetTwips(const QString &text, qsizetype index, double pointSize);
// One line of text broken on that grid into lines no wider than widthTwips,
// as many whole characters a line as fit (at least one).
QStringList gridLines(const QString &text, int widthTwips, double pointSize);

} // namespace kelm
