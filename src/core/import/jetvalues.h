// The text this program stores for a value of each Jet type, so that a
// converted file holds what the office's file held, in the form the
// program's boxes show and its checks read.
#pragma once

#include <QString>

namespace kelm::jet {

// "0" or "1".
QString yesNoText(bool value);
// Byte, Integer, Long: decimal.
QString integerText(qint64 value);
// Single and Double: the shortest decimal (never an exponent) that reads
// back as the same number of that width: 12.3f gives "12.3", 0.1 + 0.2
// gives "0.30000000000000004".
QString singleText(float value);
QString doubleText(double value);
// Currency, stored in ten-thousandths: the exact decimal without trailing
// zeros or point ("1500", "12.5", "0.05").
QString currencyText(qint64 tenThousandths);
// Date/Time, stored as days since 1899-12-30 whose fraction is the time of
// day as a magnitude, also before that day (-1.75 is 1899-12-29 18:00):
// "yyyy-mm-dd" at midnight, else "yyyy-mm-dd hh:mm:ss" to the nearest
// second. A number outside Jet's years 100 to 9999 is no date: its text as
// a Double.
QString dateTimeText(double days);
// Decimal (Jet 4 Numeric): the 128-bit magnitude, little-endian, scaled
// down by scale decimal places; exact, trimmed as Currency.
QString numericText(const unsigned char magnitude[16], int scale, bool negative);
// Replication ID: "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", the first three
// groups stored little-endian.
QString guidText(const unsigned char bytes[16]);
// Binary: the bytes in hexadecimal, two upper-case digits each.
QString binaryText(const unsigned char *bytes, qsizetype size);

} // namespace kelm::jet
