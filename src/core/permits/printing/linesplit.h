// Cuts a long permit text (unit name, address, licensed items) into the two
// print lines its form gives it: ever longer beginnings are measured, and
// the first line ends with the character that carries the width past the
// limit, that character included. Nothing is dropped: the second line takes
// the whole rest, however wide.
#pragma once

#include <QString>
#include <functional>

namespace kelm {

struct SplitText {
    QString first;
    QString second;
    // Some beginning was wider than the limit; only then is a second line
    // printed (empty when the last character crossed the limit).
    bool cut = false;
};

// Width of a text in millimetres.
using WidthMeasure = std::function<double(const QString &text)>;

// A beginning exactly as wide as the limit still fits; widths and limit are
// compared in single precision. A surrogate pair is never cut in two.
SplitText splitLine(const QString &text, double limitMm, const WidthMeasure &widthMm);

// Width in millimetres of text drawn on the character grid at pointSize,
// as the printed page and the preview draw it.
double gridWidthMm(const QString &text, double pointSize);

// splitLine measured on the character grid.
SplitText splitOnGrid(const QString &text, double limitMm, double pointSize);

} // namespace kelm
