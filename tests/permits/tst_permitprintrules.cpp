// The rules of permit printing without windows: the line split at a width
// limit, the issue date in Chinese numerals, and the print layout as the
// database delivers it and as the print routines read it. No display
// needed.
#include "data/connection.h"
#include "permits/printing/linesplit.h"
#include "permits/printing/numeraldate.h"
#include "permits/printing/printlayout.h"
#include "platform/database.h"
#include "support/testdb.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;

namespace {

// 5 mm a half-width character, 10 mm a full-width one: exact widths, so a
// beginning can be exactly as wide as the limit.
double fiveMm(const QString &text) { return displayUnits(text) * 5.0; }

QString repeated(const QString &s, int n) { return s.repeated(n); }

} // namespace

class TestPermitPrintRules : public QObject {
    Q_OBJECT
private slots:
    void splitLine_data();
    void splitLine();
    void splitOnGrid_data();
    void splitOnGrid();
    void largerFontCutsEarlier();
    void numeralDate_data();
    void numeralDate();
    void dateParts_data();
    void dateParts();
    void certificateForm_data();
    void certificateForm();
    void layoutNumber_data();
    void layoutNumber();
    void deliveredLayout();
    void layoutAddsTheWholePageOffset();
    void faultyLayout_data();
    void faultyLayout();
    void positionsReadAsVal_data();
    void positionsReadAsVal();
    void wholePageFontSizeIsNeverRead();
};

void TestPermitPrintRules::splitLine_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("limit");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<bool>("cut");
    const QString a13 = repeated(u"a"_s, 13); // 65 mm
    QTest::newRow("empty") << QString() << 65.0 << QString() << QString() << false;
    QTest::newRow("one character") << u"食"_s << 65.0 << u"食"_s << QString() << false;
    QTest::newRow("fits whole") << u"abc"_s << 65.0 << u"abc"_s << QString() << false;
    QTest::newRow("ASCII exactly at the limit") << a13 << 65.0 << a13 << QString() << false;
    QTest::newRow("ASCII, last character crosses") << a13 + u"b"_s << 65.0 << a13 + u"b"_s << QString() << true;
    QTest::newRow("ASCII crosses at 14 of 16") << a13 + u"bcd"_s << 65.0 << a13 + u"b"_s << u"cd"_s << true;
    QTest::newRow("Chinese exactly at the limit") << u"卫生许可证项目"_s << 70.0 << u"卫生许可证项目"_s << QString()
                                                  << false;
    QTest::newRow("Chinese crosses at 7 of 9") << u"卫生许可证项目食品"_s << 65.0 << u"卫生许可证项目"_s
                                               << u"食品"_s << true;
    QTest::newRow("mixed exactly at the limit") << u"食品ab卫生许可"_s << 70.0 << u"食品ab卫生许可"_s << QString()
                                                << false;
    QTest::newRow("mixed, one half-width character over") << u"食品ab卫生许可c"_s << 70.0 << u"食品ab卫生许可c"_s
                                                           << QString() << true;
    QTest::newRow("mixed crosses on a Chinese character") << u"abcdefghijkl食品"_s << 65.0
                                                          << u"abcdefghijkl食"_s << u"品"_s << true;
    QTest::newRow("more than twice the limit, nothing dropped")
        << repeated(u"卫"_s, 20) << 65.0 << repeated(u"卫"_s, 7) << repeated(u"卫"_s, 13) << true;
    QTest::newRow("licensed items mark crosses") << a13 + u"※"_s << 65.0 << a13 + u"※"_s << QString() << true;
    QTest::newRow("surrogate pair kept whole") << repeated(u"a"_s, 12) + u"\U00020000b"_s << 65.0
                                               << repeated(u"a"_s, 12) + u"\U00020000"_s << u"b"_s << true;
}

void TestPermitPrintRules::splitLine()
{
    QFETCH(QString, text);
    QFETCH(double, limit);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(bool, cut);
    const SplitText s = kelm::splitLine(text, limit, fiveMm);
    QCOMPARE(s.first, first);
    QCOMPARE(s.second, second);
    QCOMPARE(s.cut, cut);
    QCOMPARE(s.first + s.second, text);
}

// On the character grid a full-width character at 10 pt is 200 twips
// (3.53 mm) wide, a half-width one 100 twips.
void TestPermitPrintRules::splitOnGrid_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("limit");
    QTest::addColumn<double>("size");
    QTest::addColumn<int>("firstLength");
    const QString chinese = repeated(u"卫"_s, 60);
    QTest::newRow("copy, Chinese: 18 fit, the 19th crosses") << chinese.left(20) << 65.0 << 10.0 << 19;
    QTest::newRow("copy, ASCII: 36 fit, the 37th crosses") << repeated(u"a"_s, 40) << 65.0 << 10.0 << 37;
    QTest::newRow("copy, mixed: 17 Chinese and 2 ASCII fit")
        << repeated(u"卫"_s, 17) + u"abcd"_s << 65.0 << 10.0 << 20;
    QTest::newRow("copy, 18 Chinese fit whole") << chinese.left(18) << 65.0 << 10.0 << 18;
    QTest::newRow("model 1 at 16 pt: 54 fit") << chinese << 310.0 << 16.0 << 55;
    QTest::newRow("model 2 at 16 pt cuts earlier") << chinese << 220.0 << 16.0 << 39;
    QTest::newRow("model 3 at 16 pt cuts earlier still") << chinese << 165.0 << 16.0 << 30;
    QTest::newRow("copy at 16 pt cuts earliest") << chinese << 65.0 << 16.0 << 12;
}

void TestPermitPrintRules::splitOnGrid()
{
    QFETCH(QString, text);
    QFETCH(double, limit);
    QFETCH(double, size);
    QFETCH(int, firstLength);
    const SplitText s = kelm::splitOnGrid(text, limit, size);
    QCOMPARE(s.first.size(), firstLength);
    QCOMPARE(s.first + s.second, text);
    QCOMPARE(s.cut, firstLength < text.size() || gridWidthMm(text, size) > limit);
}

void TestPermitPrintRules::largerFontCutsEarlier()
{
    const QString name = u"Quessa区人民路一百二十三号食品有限责任公司第一分店"_s;
    const SplitText small = kelm::splitOnGrid(name, 65, 10);
    const SplitText large = kelm::splitOnGrid(name, 65, 14);
    QVERIFY(large.first.size() < small.first.size());
}

void TestPermitPrintRules::numeralDate_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("numeral");
    QTest::newRow("2002-10-05") << u"2002-10-05"_s << u"二零零二-十 - 五"_s;
    QTest::newRow("2000-12-31") << u"2000-12-31"_s << u"二零零零-十二-卅一"_s;
    QTest::newRow("1998-03-20") << u"1998-03-20"_s << u"一九九八- 三-廿 "_s;
    QTest::newRow("2001-01-01") << u"2001-01-01"_s << u"二零零一- 一- 一"_s;
    QTest::newRow("2006-11-11") << u"2006-11-11"_s << u"二零零六-十一-十一"_s;
    QTest::newRow("2010-10-10") << u"2010-10-10"_s << u"二零一零-十 -十 "_s;
    QTest::newRow("zero is 零 only in the year") << u"2002-02-02"_s << u"二零零二- 二- 二"_s;
    QTest::newRow("days 19, 29") << u"2004-09-19"_s << u"二零零四- 九-十九"_s;
    QTest::newRow("day 29 of month 4") << u"2004-04-29"_s << u"二零零四- 四-廿九"_s;
    QTest::newRow("day 30") << u"2004-06-30"_s << u"二零零四- 六-卅 "_s;
    QTest::newRow("time of day not read") << u"2002-10-05 08:30"_s << u"二零零二-十 - 五"_s;
    QTest::newRow("slashes copied") << u"2002/10/05"_s << u"二零零二/十 / 五"_s;
    QTest::newRow("no leading zeros: by position") << u"2002-1-5"_s << u"二零零二-十-五"_s;
    QTest::newRow("short") << u"2002-1"_s << u"二零零二-十"_s;
    QTest::newRow("full-width digits copied") << u"２００２-10-05"_s << u"２００２-十 - 五"_s;
    QTest::newRow("empty") << QString() << QString();
}

void TestPermitPrintRules::numeralDate()
{
    QFETCH(QString, date);
    QFETCH(QString, numeral);
    QCOMPARE(chineseNumeralDate(date), numeral);
}

void TestPermitPrintRules::dateParts_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("day");
    QTest::newRow("digits") << u"2000-10-14"_s << u"2000"_s << u"10"_s << u"14"_s;
    QTest::newRow("numerals") << chineseNumeralDate(u"2002-10-05"_s) << u"二零零二"_s << u"十 "_s << u" 五"_s;
    QTest::newRow("no leading zeros") << u"2000-1-1"_s << u"2000"_s << u"1-"_s << QString();
    QTest::newRow("short") << u"200"_s << u"200"_s << QString() << QString();
    QTest::newRow("empty") << QString() << QString() << QString() << QString();
}

void TestPermitPrintRules::dateParts()
{
    QFETCH(QString, date);
    QFETCH(QString, year);
    QFETCH(QString, month);
    QFETCH(QString, day);
    QCOMPARE(yearPart(date), year);
    QCOMPARE(monthPart(date), month);
    QCOMPARE(dayPart(date), day);
}

void TestPermitPrintRules::certificateForm_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("form"); // -1: none
    QTest::newRow("model 1") << u"NO.Y.05-1"_s << int(PermitForm::Model1);
    QTest::newRow("model 2") << u"NO.Y.05-2"_s << int(PermitForm::Model2);
    QTest::newRow("model 3") << u"NO.Y.05-3"_s << int(PermitForm::Model3);
    QTest::newRow("letter case") << u"no.y.05-3"_s << -1;
    QTest::newRow("trailing blank") << u"NO.Y.05-1 "_s << -1;
    QTest::newRow("typed otherwise") << u"NO.Y.05-4"_s << -1;
    QTest::newRow("empty") << QString() << -1;
}

void TestPermitPrintRules::certificateForm()
{
    QFETCH(QString, model);
    QFETCH(int, form);
    const std::optional<PermitForm> f = kelm::certificateForm(model);
    QCOMPARE(f ? int(*f) : -1, form);
}

void TestPermitPrintRules::layoutNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("number");
    QTest::addColumn<double>("value");
    QTest::newRow("whole") << u"12"_s << true << 12.0;
    QTest::newRow("fraction") << u"12.5"_s << true << 12.5;
    QTest::newRow("negative") << u"-3"_s << true << -3.0;
    QTest::newRow("blanks around") << u" 7 "_s << true << 7.0;
    QTest::newRow("point first") << u".5"_s << true << 0.5;
    QTest::newRow("unit after it") << u"12mm"_s << false << 0.0;
    QTest::newRow("letters") << u"abc"_s << false << 0.0;
    QTest::newRow("empty") << QString() << false << 0.0;
    QTest::newRow("exponent") << u"1e3"_s << false << 0.0;
    QTest::newRow("infinity") << u"inf"_s << false << 0.0;
}

void TestPermitPrintRules::layoutNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, number);
    QFETCH(double, value);
    const std::optional<double> n = kelm::layoutNumber(text);
    QCOMPARE(n.has_value(), number);
    if (number)
        QCOMPARE(*n, value);
}

// Four sets in table order, each beginning with 整体, names distinct and
// without apostrophes, reference values as delivered equal to those in use.
void TestPermitPrintRules::deliveredLayout()
{
    test::TestDatabase tdb;
    QCOMPARE(tdb.db().scalar(u"SELECT count(*) FROM dycc"_s), u"77"_s);
    const QList<QPair<QString, int>> sets = {{u"1"_s, 19}, {u"2"_s, 19}, {u"3"_s, 19}, {u"4"_s, 20}};
    for (const auto &[set, count] : sets) {
        const Rows rows = tdb.db().select(
            u"SELECT xmmc, xml, xmu, xmzh, de_xml, de_xmu, de_xmzh FROM dycc WHERE xkzlx = ? ORDER BY rowid"_s,
            {set});
        QCOMPARE(int(rows.size()), count);
        QCOMPARE(rows.values[0][0], u"整体"_s);
        QSet<QString> names;
        for (const auto &r : rows.values) {
            QVERIFY(!r[0].contains(u'\''));
            names.insert(r[0]);
            QCOMPARE(r[4], r[1]);
            QCOMPARE(r[5], r[2]);
            QCOMPARE(r[6], r[3]);
        }
        QCOMPARE(int(names.size()), count);
        QVERIFY(tdb.db().scalar(u"SELECT count(*) FROM dycc WHERE xkzlx = ? AND xmmc = '整体'"_s, {set}) == u"1"_s);
    }
    const Rows columns = tdb.db().select(u"SELECT * FROM dycc LIMIT 1"_s);
    QCOMPARE(columns.columns[4], u"xml"_s);
    QCOMPARE(columns.columns[5], u"xmu"_s);
    QCOMPARE(columns.columns[6], u"xmzh"_s);
}

void TestPermitPrintRules::layoutAddsTheWholePageOffset()
{
    test::TestDatabase tdb;
    Database &d = tdb.db();
    d.exec(u"UPDATE dycc SET xml = '5', xmu = '-2' WHERE xkzlx = '3' AND xmmc = '整体'"_s);
    d.exec(u"UPDATE dycc SET xml = '30', xmu = '40', xmzh = '10.5' WHERE xkzlx = '3' AND xmmc = '单位名称'"_s);
    d.exec(u"UPDATE dycc SET xml = '12.5', xmu = '0' WHERE xkzlx = '3' AND xmmc = '负责人'"_s);
    const PrintLayout layout = readPrintLayout(d, PermitForm::Model3);
    QCOMPARE(int(layout.size()), 18);
    QCOMPARE(layout[4].leftMm, 35.0);
    QCOMPARE(layout[4].topMm, 38.0);
    QCOMPARE(layout[4].pointSize, 10.5);
    QCOMPARE(layout[5].leftMm, 17.5);
    QCOMPARE(layout[5].topMm, -2.0);
    QCOMPARE(int(readPrintLayout(d, PermitForm::Copy).size()), 19);
}

void TestPermitPrintRules::faultyLayout_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("form");
    QTest::addColumn<QString>("message");
    QTest::newRow("a row missing") << u"DELETE FROM dycc WHERE xkzlx = '1' AND xmmc = '有效期止日'"_s
                                   << int(PermitForm::Model1)
                                   << u"打印设置“NO.Y.05-1”的项目不全：应有19行，只有18行，无法打印。"_s;
    QTest::newRow("no rows") << u"DELETE FROM dycc WHERE xkzlx = '4'"_s << int(PermitForm::Copy)
                             << u"打印设置“副本”的项目不全：应有20行，只有0行，无法打印。"_s;
    QTest::newRow("font size empty") << u"UPDATE dycc SET xmzh = NULL WHERE xkzlx = '3' AND xmmc = '发证机关'"_s
                                     << int(PermitForm::Model3)
                                     << u"打印设置“NO.Y.05-3”中“发证机关”的打印字号“”不是有效的字号，请在打印设置中改正。"_s;
    QTest::newRow("font size with a unit") << u"UPDATE dycc SET xmzh = '10pt' WHERE xkzlx = '2' AND xmmc = '地址'"_s
                                           << int(PermitForm::Model2)
                                           << u"打印设置“NO.Y.05-2”中“地址”的打印字号“10pt”不是有效的字号，请在打印设置中改正。"_s;
    QTest::newRow("font size zero") << u"UPDATE dycc SET xmzh = '0' WHERE xkzlx = '4' AND xmmc = '经济性质'"_s
                                    << int(PermitForm::Copy)
                                    << u"打印设置“副本”中“经济性质”的打印字号“0”不是有效的字号，请在打印设置中改正。"_s;
    QTest::newRow("percent sign in a value stays text")
        << u"UPDATE dycc SET xmzh = '%1%2' WHERE xkzlx = '4' AND xmmc = '地址'"_s << int(PermitForm::Copy)
        << u"打印设置“副本”中“地址”的打印字号“%1%2”不是有效的字号，请在打印设置中改正。"_s;
    QTest::newRow("no table") << u"DROP TABLE dycc"_s << int(PermitForm::Model1) << QString();
}

void TestPermitPrintRules::faultyLayout()
{
    QFETCH(QString, sql);
    QFETCH(int, form);
    QFETCH(QString, message);
    test::TestDatabase tdb;
    tdb.db().exec(sql);
    try {
        readPrintLayout(tdb.db(), PermitForm(form));
        QFAIL("a faulty layout was read");
    } catch (const LayoutError &e) {
        if (message.isEmpty())
            QVERIFY(e.message.startsWith(u"无法读取打印设置："_s));
        else
            QCOMPARE(e.message, message);
    }
}

void TestPermitPrintRules::positionsReadAsVal_data()
{
    QTest::addColumn<QString>("stored"); // SQL value of the item's left
    QTest::addColumn<double>("mm");
    QTest::newRow("a number") << u"'12.5'"_s << 12.5;
    QTest::newRow("a unit after it") << u"'12mm'"_s << 12.0;
    QTest::newRow("blanks before it") << u"'  7'"_s << 7.0;
    QTest::newRow("negative with a unit") << u"'-3cm'"_s << -3.0;
    QTest::newRow("a second point ends it") << u"'12.5.3'"_s << 12.5;
    QTest::newRow("empty") << u"''"_s << 0.0;
    QTest::newRow("null") << u"NULL"_s << 0.0;
    QTest::newRow("no leading number") << u"'abc'"_s << 0.0;
    QTest::newRow("a stored number") << u"4.25"_s << 4.25;
}

// A position is read as val() reads it; the whole-page offset as well.
void TestPermitPrintRules::positionsReadAsVal()
{
    QFETCH(QString, stored);
    QFETCH(double, mm);
    test::TestDatabase tdb;
    Database &d = tdb.db();
    d.exec(u"UPDATE dycc SET xml = %1, xmu = '40' WHERE xkzlx = '4' AND xmmc = '地址'"_s.arg(stored));
    d.exec(u"UPDATE dycc SET xml = '5', xmu = %1 WHERE xkzlx = '4' AND xmmc = '整体'"_s.arg(stored));
    const PrintLayout layout = readPrintLayout(d, PermitForm::Copy);
    // 地址 is the copy's row 12, item 11.
    QCOMPARE(layout[10].leftMm, float(mm + 5));
    QCOMPARE(layout[10].topMm, float(40 + mm));
}

void TestPermitPrintRules::wholePageFontSizeIsNeverRead()
{
    test::TestDatabase tdb;
    const PrintLayout before = readPrintLayout(tdb.db(), PermitForm::Model1);
    tdb.db().exec(u"UPDATE dycc SET xmzh = 'abc' WHERE xkzlx = '1' AND xmmc = '整体'"_s);
    const PrintLayout after = readPrintLayout(tdb.db(), PermitForm::Model1);
    QCOMPARE(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i)
        QCOMPARE(after[i].pointSize, before[i].pointSize);
}

QTEST_GUILESS_MAIN(TestPermitPrintRules)
#include "tst_permitprintrules.moc"
