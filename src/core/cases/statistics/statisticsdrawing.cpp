#include "cases/statistics/statisticsdrawing.h"

#include <cmath>

namespace kelm::statistics {

namespace {

struct ColumnPlace {
    int x;
    int rule; // the column's right-hand rule
};

constexpr ColumnPlace columnPlaces[screenColumnCount] = {
    {1800, 2520}, {2520, 3240}, {3240, 3960}, {3960, 4680}, {4680, 5400}, {5400, 6120}, {6200, 6840},
    {6840, 7560}, {7640, 8280}, {8280, 9000}, {9000, 9720}, {9800, 10440}, {10440, 11175},
};

constexpr int rowY[screenRowCount] = {1100, 1460, 1820, 2180, 2540, 2900, 3260, 3620,
                                      3980, 4340, 4700, 5060, 5420, 5780, 6180, 6680};

constexpr int headY = 100;

} // namespace

double fittingSize(int units, int widthTwips, double pointSize)
{
    if (units == 0 || units * pointSize * 10 <= widthTwips)
        return pointSize;
    return std::floor(widthTwips / (units * 10.0) * 4) / 4;
}

std::vector<DrawnFigure> drawnFigures(const PenaltyStatistics &s)
{
    const Tally &total = s.total();
    std::vector<DrawnFigure> out = {
        {1000, headY, 3240 - 1000, screenPeriodText(s.start, s.end)},
        {4050, headY, 5400 - 4050, drawnText(total, ScreenColumn::Cases)},
        {6200, headY, 7560 - 6200, u' ' + QString::number(total.filed)},
        {8350, headY, 9480 - 8350, u' ' + QString::number(total.closed)},
    };
    for (int r = 0; r < screenRowCount; ++r) {
        for (int c = 0; c < screenColumnCount; ++c) {
            const ColumnPlace &place = columnPlaces[c];
            out.push_back({place.x, rowY[r], place.rule - place.x, drawnText(s.rows[std::size_t(r)], ScreenColumn(c))});
        }
    }
    return out;
}

} // namespace kelm::statistics
