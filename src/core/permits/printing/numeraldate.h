// The issue date in Chinese numerals that certificates of models 1 and 2
// carry after the issuing authority, and the year, month and day parts of
// a date text. Both go by position, never parse: a date text is written
// yyyy-mm-dd, so the year stands at characters 1-4, the month at 6-7 and
// the day at 9-10, and a shorter text gives shorter or empty parts.
#pragma once

#include <QString>

namespace kelm {

// One character for each of the first ten characters of date: in the year
// a digit becomes its numeral (0 is 零); in the month and the day a tens
// digit 1, 2, 3 becomes 十, 廿, 卅, a units digit its numeral, and a zero a
// space that keeps its place. Every other character is copied.
// "2002-10-05" gives "二零零二-十 - 五".
QString chineseNumeralDate(const QString &date);

QString yearPart(const QString &date);  // characters 1-4
QString monthPart(const QString &date); // characters 6-7
QString dayPart(const QString &date);   // characters 9-10

} // namespace kelm
