#include "platform/dates.h"

namespace kelm {

namespace {

// A date text is ASCII throughout, so its UTF-16 and UTF-8 forms have the
// same length and the same characters: one reading serves both.
template <typename Text>
std::optional<QDate> readDate(const Text &text, qsizetype size)
{
    if (size != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    int digits[10] = {};
    for (qsizetype i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        digits[i] = int(text[i] - '0');
    }
    const QDate date(digits[0] * 1000 + digits[1] * 100 + digits[2] * 10 + digits[3], digits[5] * 10 + digits[6],
                     digits[8] * 10 + digits[9]);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

} // namespace

std::optional<QDate> parseDate(const QString &text)
{
    return readDate(text.utf16(), text.size());
}

std::optional<QDate> parseDate(std::string_view utf8)
{
    return readDate(utf8, qsizetype(utf8.size()));
}

} // namespace kelm
