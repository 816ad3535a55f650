#include "permits/printing/numeraldate.h"

using namespace Qt::StringLiterals;

namespace kelm {

QString chineseNumeralDate(const QString &date)
{
    static const QString year = u"零一二三四五六七八九"_s;
    static const QString tens = u" 十廿卅四五六七八九"_s;
    static const QString units = u" 一二三四五六七八九"_s;
    QString out;
    for (qsizetype i = 0; i < std::min<qsizetype>(date.size(), 10); ++i) {
        const QChar c = date[i];
        if (c < u'0' || c > u'9') {
            out += c;
            continue;
        }
        const QString &digits = i < 4 ? year : (i == 5 || i == 8) ? tens : units;
        out += digits[c.unicode() - u'0'];
    }
    return out;
}

QString yearPart(const QString &date) { return date.left(4); }

QString monthPart(const QString &date) { return date.mid(5, 2); }

QString dayPart(const QString &date) { return date.mid(8, 2); }

} // namespace kelm
