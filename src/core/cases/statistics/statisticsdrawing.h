// Where the statistics window draws the figures of a computation: each
// text with its left edge and top in twips from the window's top left, and
// the room it has before the next column's rule.
#pragma once

#include "cases/statistics/penaltystatistics.h"

#include <QString>
#include <vector>

namespace kelm::statistics {

struct DrawnFigure {
    int x;
    int y;
    int room;
    QString text;
};

// The period text, the three head totals (cases, filed, closed), then each
// screen row's columns left to right.
std::vector<DrawnFigure> drawnFigures(const PenaltyStatistics &s);

// The largest size up to pointSize in which a text of that many display
// units fits the width on the character grid, in quarter points.
double fittingSize(int units, int widthTwips, double pointSize);

} // namespace kelm::statistics
