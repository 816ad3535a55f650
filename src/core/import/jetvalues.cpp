#include "import/jetvalues.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace kelm::jet {

namespace {

template <typename Number>
QString shortest(Number value)
{
    if (value == 0)
        return QStringLiteral("0"); // also for -0
    char text[400]; // the longest Double in plain decimal has 309 digits before the point
    const auto done = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    return QString::fromLatin1(text, done.ptr - text);
}

// digits (most significant first) with a point before the last scale of
// them, trailing zeros and a trailing point trimmed.
QString scaledDecimal(QByteArray digits, int scale, bool negative)
{
    if (digits.size() <= scale)
        digits.prepend(QByteArray(scale - digits.size() + 1, '0'));
    if (scale > 0) {
        digits.insert(digits.size() - scale, '.');
        while (digits.endsWith('0'))
            digits.chop(1);
        if (digits.endsWith('.'))
            digits.chop(1);
    }
    if (negative && digits != "0")
        digits.prepend('-');
    return QString::fromLatin1(digits);
}

// Days since 1970-01-01 to a Gregorian date, for any year (H. Hinnant's
// civil_from_days).
void civilFromDays(qint64 days, qint64 &year, int &month, int &day)
{
    days += 719468;
    const qint64 era = (days >= 0 ? days : days - 146096) / 146097;
    const qint64 dayOfEra = days - era * 146097;
    const qint64 yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const qint64 dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const qint64 shifted = (5 * dayOfYear + 2) / 153;
    day = int(dayOfYear - (153 * shifted + 2) / 5 + 1);
    month = int(shifted < 10 ? shifted + 3 : shifted - 9);
    year = yearOfEra + era * 400 + (month <= 2);
}

// Jet's own range, open at both ends: 100-01-01 (day -657434, whose times
// of day lie towards -657435) to 9999-12-31 23:59:59.
constexpr double firstDay = -657435;
constexpr double lastDay = 2958466;
// 1899-12-30, Jet's day 0, counted from 1970-01-01.
constexpr qint64 jetEpoch = -25569;

} // namespace

QString yesNoText(bool value) { return value ? QStringLiteral("1") : QStringLiteral("0"); }

QString integerText(qint64 value) { return QString::number(value); }

QString singleText(float value) { return shortest(value); }

QString doubleText(double value) { return shortest(value); }

QString currencyText(qint64 tenThousandths)
{
    const bool negative = tenThousandths < 0;
    const quint64 magnitude = negative ? 0 - quint64(tenThousandths) : quint64(tenThousandths);
    return scaledDecimal(QByteArray::number(magnitude), 4, negative);
}

QString dateTimeText(double days)
{
    if (!(days > firstDay && days < lastDay))
        return doubleText(days);
    const double whole = std::trunc(days);
    qint64 day = qint64(whole);
    qint64 seconds = std::llround(std::fabs(days - whole) * 86400.0);
    if (seconds == 86400) {
        ++day;
        seconds = 0;
    }
    qint64 year;
    int month, dayOfMonth;
    civilFromDays(day + jetEpoch, year, month, dayOfMonth);
    char text[32];
    int size = std::snprintf(text, sizeof text, "%04lld-%02d-%02d", static_cast<long long>(year), month, dayOfMonth);
    if (seconds != 0)
        size += std::snprintf(text + size, sizeof text - size, " %02d:%02d:%02d", int(seconds / 3600),
                              int(seconds / 60 % 60), int(seconds % 60));
    return QString::fromLatin1(text, size);
}

QString numericText(const unsigned char magnitude[16], int scale, bool negative)
{
    // Long division of the 128-bit number by ten, as four 32-bit words.
    quint32 words[4];
    for (int i = 0; i < 4; ++i)
        std::memcpy(&words[i], magnitude + 4 * (3 - i), 4); // most significant first
    QByteArray digits;
    bool zero = false;
    while (!zero) {
        quint64 remainder = 0;
        zero = true;
        for (quint32 &word : words) {
            const quint64 current = remainder << 32 | word;
            word = quint32(current / 10);
            remainder = current % 10;
            zero = zero && word == 0;
        }
        digits.prepend(char('0' + remainder));
    }
    return scaledDecimal(digits, scale, negative);
}

QString guidText(const unsigned char bytes[16])
{
    char text[40];
    std::snprintf(text, sizeof text, "{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X}", bytes[3],
                  bytes[2], bytes[1], bytes[0], bytes[5], bytes[4], bytes[7], bytes[6], bytes[8], bytes[9], bytes[10],
                  bytes[11], bytes[12], bytes[13], bytes[14], bytes[15]);
    return QString::fromLatin1(text);
}

QString binaryText(const unsigned char *bytes, qsizetype size)
{
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(bytes), size).toHex().toUpper());
}

} // namespace kelm::jet
