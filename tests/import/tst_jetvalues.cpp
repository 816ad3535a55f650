// The text stored for each Jet type's value: what an office's file held,
// exactly, in the form the program's boxes show.
#include "import/jetvalues.h"

#include <QtTest>

#include <cstring>
#include <limits>

using namespace Qt::StringLiterals;
using namespace kelm::jet;

class TestJetValues : public QObject {
    Q_OBJECT

private slots:
    void numbers_data();
    void numbers();
    void currency_data();
    void currency();
    void dates_data();
    void dates();
    void numeric_data();
    void numeric();
    void bytes();
};

void TestJetValues::numbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("integer") << integerText(123456789) << u"123456789"_s;
    QTest::newRow("negative integer") << integerText(-32768) << u"-32768"_s;
    QTest::newRow("yes") << yesNoText(true) << u"1"_s;
    QTest::newRow("no") << yesNoText(false) << u"0"_s;
    // Single: shortest for a float, not the digits of its double widening.
    QTest::newRow("single 12.3") << singleText(12.3f) << u"12.3"_s;
    QTest::newRow("single 94.125") << singleText(94.125f) << u"94.125"_s;
    QTest::newRow("single whole") << singleText(70.0f) << u"70"_s;
    QTest::newRow("single 70.6") << singleText(70.6f) << u"70.6"_s;
    QTest::newRow("single tiny, no exponent") << singleText(1e-7f) << u"0.0000001"_s;
    QTest::newRow("single large: exact, no exponent") << singleText(3e10f) << u"30000001024"_s;
    QTest::newRow("double sum") << doubleText(0.1 + 0.2) << u"0.30000000000000004"_s;
    QTest::newRow("double 1234.5678") << doubleText(1234.5678) << u"1234.5678"_s;
    QTest::newRow("double whole") << doubleText(3.0) << u"3"_s;
    QTest::newRow("double negative") << doubleText(-444.555) << u"-444.555"_s;
    QTest::newRow("negative zero") << doubleText(-0.0) << u"0"_s;
}

void TestJetValues::numbers()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(text, expected);
}

void TestJetValues::currency_data()
{
    QTest::addColumn<qint64>("stored");
    QTest::addColumn<QString>("expected");
    QTest::newRow("whole") << qint64(15000000) << u"1500"_s;
    QTest::newRow("one decimal") << qint64(125000) << u"12.5"_s;
    QTest::newRow("cents") << qint64(500) << u"0.05"_s;
    QTest::newRow("four decimals") << qint64(12345678) << u"1234.5678"_s;
    QTest::newRow("trailing zero") << qint64(999000) << u"99.9"_s;
    QTest::newRow("zero") << qint64(0) << u"0"_s;
    QTest::newRow("negative") << qint64(-35000) << u"-3.5"_s;
    QTest::newRow("below one, negative") << qint64(-1) << u"-0.0001"_s;
    QTest::newRow("smallest") << std::numeric_limits<qint64>::min() << u"-922337203685477.5808"_s;
    QTest::newRow("largest") << std::numeric_limits<qint64>::max() << u"922337203685477.5807"_s;
}

void TestJetValues::currency()
{
    QFETCH(qint64, stored);
    QFETCH(QString, expected);
    QCOMPARE(currencyText(stored), expected);
}

void TestJetValues::dates_data()
{
    QTest::addColumn<double>("days");
    QTest::addColumn<QString>("expected");
    QTest::newRow("day zero") << 0.0 << u"1899-12-30"_s;
    QTest::newRow("noon of day zero") << 0.5 << u"1899-12-30 12:00:00"_s;
    QTest::newRow("the day before") << -1.0 << u"1899-12-29"_s;
    // The fraction is a magnitude: -1.75 is the day before, at 18:00.
    QTest::newRow("time before day zero") << -1.75 << u"1899-12-29 18:00:00"_s;
    QTest::newRow("noon, negative zero day") << -0.5 << u"1899-12-30 12:00:00"_s;
    QTest::newRow("1850-06-15 06:00") << -18095.25 << u"1850-06-15 06:00:00"_s;
    QTest::newRow("1800-01-01") << -36522.0 << u"1800-01-01"_s;
    QTest::newRow("leap day 1900 does not exist") << 61.0 << u"1900-03-01"_s;
    QTest::newRow("2000-02-29") << 36585.0 << u"2000-02-29"_s;
    QTest::newRow("last second of a day") << 36585.0 + 86399.0 / 86400 << u"2000-02-29 23:59:59"_s;
    QTest::newRow("rounds up to the next day") << 36585.0 + 86399.7 / 86400 << u"2000-03-01"_s;
    QTest::newRow("rounds up before day zero") << -1.0 - 86399.7 / 86400 << u"1899-12-30"_s;
    QTest::newRow("13:45:30") << 37548.0 + (13 * 3600 + 45 * 60 + 30) / 86400.0 << u"2002-10-19 13:45:30"_s;
    QTest::newRow("year 100") << -657434.0 << u"0100-01-01"_s;
    QTest::newRow("beyond the library's 2700") << 2958465.0 << u"9999-12-31"_s;
    QTest::newRow("past year 9999: the number") << 2958466.0 << u"2958466"_s;
    QTest::newRow("before year 100: the number") << -657435.0 << u"-657435"_s;
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << u"nan"_s;
}

void TestJetValues::dates()
{
    QFETCH(double, days);
    QFETCH(QString, expected);
    QCOMPARE(dateTimeText(days), expected);
}

void TestJetValues::numeric_data()
{
    QTest::addColumn<QByteArray>("magnitude"); // little-endian, 16 bytes
    QTest::addColumn<int>("scale");
    QTest::addColumn<bool>("negative");
    QTest::addColumn<QString>("expected");
    auto number = [](quint64 low, quint64 high = 0) {
        QByteArray bytes(16, '\0');
        std::memcpy(bytes.data(), &low, 8);
        std::memcpy(bytes.data() + 8, &high, 8);
        return bytes;
    };
    QTest::newRow("zero") << number(0) << 2 << false << u"0"_s;
    QTest::newRow("negative zero") << number(0) << 2 << true << u"0"_s;
    QTest::newRow("scaled") << number(123450) << 4 << false << u"12.345"_s;
    QTest::newRow("below one") << number(5) << 3 << true << u"-0.005"_s;
    QTest::newRow("no scale") << number(1500) << 0 << false << u"1500"_s;
    QTest::newRow("beyond 64 bits") << number(0, 1) << 0 << false << u"18446744073709551616"_s;
    QTest::newRow("28 digits") << number(0xffffffffffffffffull, 0xffffffffull) << 28 << false
                               << u"7.9228162514264337593543950335"_s;
}

void TestJetValues::numeric()
{
    QFETCH(QByteArray, magnitude);
    QFETCH(int, scale);
    QFETCH(bool, negative);
    QFETCH(QString, expected);
    QCOMPARE(numericText(reinterpret_cast<const unsigned char *>(magnitude.constData()), scale, negative), expected);
}

void TestJetValues::bytes()
{
    const unsigned char guid[16] = {0x78, 0x56, 0x34, 0x12, 0x34, 0x12, 0x78, 0x56,
                                    0x9a, 0xbc, 0xde, 0xf0, 0x01, 0x23, 0x45, 0x67};
    QCOMPARE(guidText(guid), u"{12345678-1234-5678-9ABC-DEF001234567}"_s);
    QCOMPARE(binaryText(guid, 4), u"78563412"_s);
    QCOMPARE(binaryText(guid, 0), QString());
}

QTEST_GUILESS_MAIN(TestJetValues)
#include "tst_jetvalues.moc"
