#include "platform/units.h"

#include "platform/database.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace kelm {

QRect pxRect(int left, int top, int width, int height) { return {px(left), px(top), px(width), px(height)}; }

double toDevice(double twips, double dotsPerInch) { return twips * dotsPerInch / 1440.0; }

QColor vbColor(unsigned int bgr) { return QColor(int(bgr & 0xff), int((bgr >> 8) & 0xff), int((bgr >> 16) & 0xff)); }

QFont songti(double pointSize, bool bold)
{
    QFont f;
    f.setFamilies({u"SimSun"_s, u"AR PL UMing CN"_s, u"Noto Serif CJK SC"_s, u"WenQuanYi Micro Hei"_s});
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    return f;
}

QFont uiFont(double pointSize, bool bold)
{
    QFont f;
    f.setFamilies({u"WenQuanYi Micro Hei"_s, u"SimSun"_s, u"AR PL UMing CN"_s});
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    return f;
}

int gridWidthTwips(const QString &text, double pointSize)
{
    return int(std::lround(displayUnits(text) * pointSize * 10.0));
}

int gridOffsetTwips(const QString &text, qsizetype index, double pointSize)
{
    return gridWidthTwips(text.left(index), pointSize);
}

QStringList gridLines(const QString &text, int widthTwips, double pointSize)
{
    QStringList lines;
    QString current;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype len = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString ch = text.mid(i, len);
        i += len - 1;
        if (!current.isEmpty() && gridWidthTwips(current + ch, pointSize) > widthTwips) {
            lines << current;
            current.clear();
        }
        current += ch;
    }
    lines << current;
    return lines;
}

} // namespace kelm
