#include "permits/printing/linesplit.h"

#include "platform/units.h"

namespace kelm {

SplitText splitLine(const QString &text, double limitMm, const WidthMeasure &widthMm)
{
    const float limit = float(limitMm);
    const qsizetype n = text.size();
    for (qsizetype k = 1; k <= n; ++k) {
        if (k < n && text[k - 1].isHighSurrogate() && text[k].isLowSurrogate())
            continue;
        if (float(widthMm(text.left(k))) > limit)
            return {text.left(k), text.mid(k), true};
    }
    return {text, {}, false};
}

double gridWidthMm(const QString &text, double pointSize)
{
    return gridWidthTwips(text, pointSize) * 25.4 / 1440.0;
}

SplitText splitOnGrid(const QString &text, double limitMm, double pointSize)
{
    return splitLine(text, limitMm, [pointSize](const QString &t) { return gridWidthMm(t, pointSize); });
}

} // namespace kelm
