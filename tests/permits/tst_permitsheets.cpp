// What a permit puts on paper and on the preview, without windows: every
// printed item of each certificate model and of the copy at its place in
// dycc, the long texts cut on the grid with their second lines, the lines
// the preparation leaves, the previews' fixed items, and the widest text
// each item can print. No display needed.
#include "data/connection.h"
#include "permits/printing/permitsheet.h"
#include "permits/printing/previewitems.h"
#include "permits/printing/sheetbounds.h"
#include "platform/database.h"
#include "support/testdb.h"

#include <QtTest>

#include <cmath>

using namespace Qt::StringLiterals;
using namespace kelm;

namespace {

PermitTexts fixturePermit()
{
    PermitTexts p;
    p.model = u"NO.Y.05-1"_s;
    p.category = u"食证"_s;
    p.unitName = u"人民路食品店"_s;
    p.address = u"人民路12号"_s;
    p.person = u"张三"_s;
    p.nature = u"个体"_s;
    p.number = u"20020015"_s;
    p.items = u"餐饮"_s;
    p.issued = u"2002-12-25"_s;
    p.validTo = u"2006-12-24"_s;
    return p;
}

int twips(double mm) { return int(std::lround(mm * 1440.0 / 25.4)); }

// A layout value of row `row` (counted from 1) of a set, as stored.
double stored(Database &db, const QString &set, int row, const QString &column)
{
    return db.scalar(u"SELECT %1 FROM dycc WHERE xkzlx = ? ORDER BY rowid LIMIT 1 OFFSET ?"_s.arg(column),
                     {set, row - 1})
        .toDouble();
}

const QString longName = u"Quessa区人民路一百二十三号食品有限责任公司第一分店附属餐厅及其小卖部与仓库"_s;

} // namespace

class TestPermitSheets : public QObject {
    Q_OBJECT
private slots:
    void sheetItemsFromLayout_data();
    void sheetItemsFromLayout();
    void splitItemsOnTwoLines_data();
    void splitItemsOnTwoLines();
    void emptyAndShortTexts();
    void layoutEditTakesEffectAtTheNextRead();
    void preparedLines_data();
    void preparedLines();
    void largerFontSizeOfTheRowCutsEarlier();
    void linesOfEachForm();
    void previewItems_data();
    void previewItems();
    void previewEdgeCases();
    void widestTexts_data();
    void widestTexts();
    void largestSizesPrintOnTheSheet_data();
    void largestSizesPrintOnTheSheet();
};

void TestPermitSheets::sheetItemsFromLayout_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("paper");
    QTest::addColumn<int>("orientation");
    const QStringList head = {u"Yarv"_s, u"食证"_s, u"2002"_s, u"0015"_s, u"人民路食品店"_s, u"张三"_s,
                              u"人民路12号"_s, u"餐饮※"_s, u"Quessa区卫生局"_s};
    const QStringList validity = {u"2002"_s, u"12"_s, u"25"_s, u"2006"_s, u"12"_s, u"24"_s};
    QTest::newRow("model 1: numeral date after the authority, A3 landscape")
        << int(PermitForm::Model1) << head + QStringList{u"二零零二"_s, u"十二"_s, u"廿五"_s} + validity
        << int(QPageSize::A3) << int(QPageLayout::Landscape);
    QTest::newRow("model 2: the same items, A4 landscape")
        << int(PermitForm::Model2) << head + QStringList{u"二零零二"_s, u"十二"_s, u"廿五"_s} + validity
        << int(QPageSize::A4) << int(QPageLayout::Landscape);
    QTest::newRow("model 3: the issue date twice in digits, portrait")
        << int(PermitForm::Model3) << head + QStringList{u"2002"_s, u"12"_s, u"25"_s} + validity
        << int(QPageSize::A4) << int(QPageLayout::Portrait);
    QTest::newRow("copy: authority after the number, economic nature")
        << int(PermitForm::Copy)
        << QStringList{u"Yarv"_s, u"食证"_s, u"2002"_s, u"0015"_s, u"Quessa区卫生局"_s, u"2002"_s, u"12"_s,
                       u"25"_s, u"人民路食品店"_s, u"张三"_s, u"人民路12号"_s, u"个体"_s, u"餐饮※"_s}
               + validity
        << int(QPageSize::A5) << int(QPageLayout::Portrait);
}

// Item k at the left and top of row k + 1 plus the whole-page offset, in
// its font size; nothing else on the page.
void TestPermitSheets::sheetItemsFromLayout()
{
    QFETCH(int, form);
    QFETCH(QStringList, texts);
    QFETCH(int, paper);
    QFETCH(int, orientation);
    test::TestDatabase tdb;
    Database &d = tdb.db();
    const QString set = formSpec(PermitForm(form)).set;
    d.exec(u"UPDATE dycc SET xml = '5', xmu = '-3' WHERE xkzlx = ? AND xmmc = '整体'"_s, {set});
    const report::PageModel sheet = permitSheet(PermitForm(form), fixturePermit(), readPrintLayout(d, PermitForm(form)));
    QCOMPARE(int(sheet.page.paper), paper);
    QCOMPARE(int(sheet.page.orientation), orientation);
    QCOMPARE(sheet.pageCount(), 1);
    const auto &items = sheet.pages[0].items;
    QCOMPARE(int(items.size()), int(texts.size()));
    for (int k = 0; k < int(items.size()); ++k) {
        const report::PageItem &i = items[std::size_t(k)];
        QCOMPARE(i.text, texts[k]);
        QCOMPARE(i.left, twips(stored(d, set, k + 2, u"xml"_s) + 5));
        QCOMPARE(i.top, twips(stored(d, set, k + 2, u"xmu"_s) - 3));
        QCOMPARE(i.pointSize, stored(d, set, k + 2, u"xmzh"_s));
    }
}

void TestPermitSheets::splitItemsOnTwoLines_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<int>("unitRow");
    QTest::addColumn<double>("below"); // mm
    QTest::newRow("model 1, 15 mm") << int(PermitForm::Model1) << 6 << 15.0;
    QTest::newRow("model 2, 15 mm") << int(PermitForm::Model2) << 6 << 15.0;
    QTest::newRow("model 3, 8 mm") << int(PermitForm::Model3) << 6 << 8.0;
    QTest::newRow("copy, 8 mm") << int(PermitForm::Copy) << 10 << 8.0;
}

// A second line follows its first at the same left, lower by the form's
// offset; the licensed items' mark ends the second line.
void TestPermitSheets::splitItemsOnTwoLines()
{
    QFETCH(int, form);
    QFETCH(int, unitRow);
    QFETCH(double, below);
    test::TestDatabase tdb;
    const PermitForm f = PermitForm(form);
    const QString set = formSpec(f).set;
    PermitTexts p = fixturePermit();
    p.unitName = longName + longName;
    p.items = longName + longName;
    const report::PageModel sheet = permitSheet(f, p, readPrintLayout(tdb.db(), f));
    const auto &items = sheet.pages[0].items;
    QCOMPARE(int(items.size()), int(itemTable(f).size()) + 2);
    const double size = stored(tdb.db(), set, unitRow, u"xmzh"_s);
    const SplitText cut = splitOnGrid(p.unitName, formSpec(f).widthLimitMm, size);
    QVERIFY(cut.cut && !cut.second.isEmpty());
    const report::PageItem &first = items[std::size_t(unitRow - 2)];
    const report::PageItem &second = items[std::size_t(unitRow - 1)];
    QCOMPARE(first.text, cut.first);
    QCOMPARE(second.text, cut.second);
    QCOMPARE(second.left, first.left);
    QCOMPARE(second.top, twips(stored(tdb.db(), set, unitRow, u"xmu"_s) + below));
    QVERIFY(gridWidthMm(first.text.chopped(1), size) <= formSpec(f).widthLimitMm);
    QVERIFY(gridWidthMm(first.text, size) > formSpec(f).widthLimitMm);
    const int itemsRow = unitRow + (f == PermitForm::Copy ? 4 : 3);
    const SplitText itemsCut = splitOnGrid(licensedItemsText(p.items), formSpec(f).widthLimitMm,
                                           stored(tdb.db(), set, itemsRow, u"xmzh"_s));
    QVERIFY(itemsCut.second.endsWith(u"※"_s));
    QCOMPARE(items[std::size_t(itemsRow - 2 + 1)].text, itemsCut.first);
    QCOMPARE(items[std::size_t(itemsRow - 2 + 2)].text, itemsCut.second);
}

// Empty boxes print empty items in their places; an empty licensed-items
// box prints the mark alone; a short permit number prints whole at the
// year and nothing at the serial.
void TestPermitSheets::emptyAndShortTexts()
{
    test::TestDatabase tdb;
    PermitTexts p;
    p.number = u"200"_s;
    const report::PageModel sheet = permitSheet(PermitForm::Model1, p, readPrintLayout(tdb.db(), PermitForm::Model1));
    const auto &items = sheet.pages[0].items;
    QCOMPARE(int(items.size()), 18);
    QCOMPARE(items[2].text, u"200"_s);
    QCOMPARE(items[3].text, QString());
    QCOMPARE(items[4].text, QString());
    QCOMPARE(items[7].text, u"※"_s);
    QCOMPARE(sheet.texts(0), (QStringList{u"Yarv"_s, u"200"_s, u"※"_s, u"Quessa区卫生局"_s}));
}

void TestPermitSheets::layoutEditTakesEffectAtTheNextRead()
{
    test::TestDatabase tdb;
    Database &d = tdb.db();
    d.exec(u"UPDATE dycc SET xml = '12.5', xmu = '0', xmzh = '20' WHERE xkzlx = '4' AND xmmc = '负责人'"_s);
    const report::PageModel sheet = permitSheet(PermitForm::Copy, fixturePermit(), readPrintLayout(d, PermitForm::Copy));
    const report::PageItem &person = sheet.pages[0].items[9];
    QCOMPARE(person.text, u"张三"_s);
    QCOMPARE(person.left, twips(12.5));
    QCOMPARE(person.top, 0);
    QCOMPARE(person.pointSize, 20.0);
}

void TestPermitSheets::preparedLines_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<QList<int>>("rows"); // of the unit name, address, licensed items
    QTest::newRow("model 1") << int(PermitForm::Model1) << QList<int>{6, 8, 9};
    QTest::newRow("model 2") << int(PermitForm::Model2) << QList<int>{6, 8, 9};
    QTest::newRow("model 3") << int(PermitForm::Model3) << QList<int>{6, 8, 9};
    QTest::newRow("copy") << int(PermitForm::Copy) << QList<int>{10, 12, 14};
}

// The preparation cuts as the sheet does, each text at its own row's size
// and the form's limit; the licensed items with the mark.
void TestPermitSheets::preparedLines()
{
    QFETCH(int, form);
    QFETCH(QList<int>, rows);
    test::TestDatabase tdb;
    const PermitForm f = PermitForm(form);
    const QString set = formSpec(f).set;
    tdb.db().exec(u"UPDATE dycc SET xmzh = '9' WHERE xkzlx = ? AND xmmc = '地址'"_s, {set});
    PermitTexts p = fixturePermit();
    p.unitName = longName + longName;
    p.address = longName + longName;
    p.items = QString();
    const FormLines lines = prepareLines(f, p, readPrintLayout(tdb.db(), f));
    const double limit = formSpec(f).widthLimitMm;
    const SplitText unit = splitOnGrid(p.unitName, limit, stored(tdb.db(), set, rows[0], u"xmzh"_s));
    const SplitText address = splitOnGrid(p.address, limit, 9);
    QCOMPARE(lines.unit1, unit.first);
    QCOMPARE(lines.unit2, unit.second);
    QCOMPARE(lines.address1, address.first);
    QCOMPARE(lines.address2, address.second);
    QVERIFY(lines.address1.size() > lines.unit1.size());
    QCOMPARE(lines.items1, u"※"_s);
    QCOMPARE(lines.items2, QString());
}

void TestPermitSheets::largerFontSizeOfTheRowCutsEarlier()
{
    test::TestDatabase tdb;
    PermitTexts p = fixturePermit();
    p.unitName = longName + longName;
    const FormLines before = prepareLines(PermitForm::Model2, p, readPrintLayout(tdb.db(), PermitForm::Model2));
    tdb.db().exec(u"UPDATE dycc SET xmzh = '20' WHERE xkzlx = '2' AND xmmc = '单位名称'"_s);
    const FormLines after = prepareLines(PermitForm::Model2, p, readPrintLayout(tdb.db(), PermitForm::Model2));
    QVERIFY(after.unit1.size() < before.unit1.size());
    QCOMPARE(after.unit1 + after.unit2, p.unitName);
}

// Each form's six of the 24 lines; emptying a kind leaves the other.
void TestPermitSheets::linesOfEachForm()
{
    PermitPrintLines lines;
    storeLines(lines, PermitForm::Model2, {u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s, u"f"_s});
    QCOMPARE(lines.dwmc21, u"a"_s);
    QCOMPARE(lines.dwmc22, u"b"_s);
    QCOMPARE(lines.dz21, u"c"_s);
    QCOMPARE(lines.dz22, u"d"_s);
    QCOMPARE(lines.xkxm21, u"e"_s);
    QCOMPARE(lines.xkxm22, u"f"_s);
    QCOMPARE(lines.dwmc11, QString());
    storeLines(lines, PermitForm::Copy, {u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s});
    QCOMPARE(lines.dwmcf1, u"1"_s);
    QCOMPARE(lines.xkxmf2, u"6"_s);
    storeLines(lines, PermitForm::Model3, {u"g"_s, u"h"_s, u"i"_s, u"j"_s, u"k"_s, u"l"_s});
    QCOMPARE(linesOf(lines, PermitForm::Model3).items2, u"l"_s);
    clearCertificateLines(lines);
    QCOMPARE(linesOf(lines, PermitForm::Model2).unit1, QString());
    QCOMPARE(linesOf(lines, PermitForm::Model3).address2, QString());
    QCOMPARE(linesOf(lines, PermitForm::Copy).address1, u"3"_s);
    clearCopyLines(lines);
    QCOMPARE(lines.dzf1, QString());
}

using Expected = QList<std::tuple<int, int, double, QString>>;

void TestPermitSheets::previewItems_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<Expected>("items");
    const Expected model = {
        {4500, 1700, 8, u"Yarv卫食证字[2002]第0015号"_s},
        {700, 2000, 10, u"单位名称：U1"_s},
        {1700, 2200, 10, u"U2"_s},
        {700, 2400, 10, u"负 责 人：张三"_s},
        {700, 2800, 10, u"地    址：A1"_s},
        {1700, 3000, 10, u"A2"_s},
        {700, 3200, 10, u"许可项目：I1"_s},
        {1700, 3400, 10, u"I2"_s},
        {4000, 3800, 10, u"发证机关：Quessa区卫生局"_s},
        {4300, 4100, 10, u"二零零二年十二月廿五日"_s},
        {700, 4400, 9, u"有效期限：2002年12月25日至2006年12月24日"_s},
    };
    QTest::newRow("model 1") << int(PermitForm::Model1) << model;
    QTest::newRow("model 2, same places") << int(PermitForm::Model2) << model;
    QTest::newRow("model 3: values only, digit dates")
        << int(PermitForm::Model3)
        << Expected{
               {5100, 1900, 7, u"Yarv  食证   2002   0015"_s},
               {1900, 2170, 9, u"U1"_s},
               {1900, 2350, 9, u"U2"_s},
               {1900, 2550, 9, u"张三"_s},
               {1900, 2900, 9, u"A1"_s},
               {1900, 3080, 10, u"A2"_s},
               {1900, 3250, 10, u"I1"_s},
               {1900, 3430, 10, u"I2"_s},
               {5500, 3800, 10, u"Quessa区卫生局"_s},
               {5400, 4050, 8, u"2002  12  25"_s},
               {1300, 4150, 6, u"2002   12   25   2006  12   24"_s},
           };
    QTest::newRow("copy: thirteen items, issue date twice")
        << int(PermitForm::Copy)
        << Expected{
               {590, 2450, 9, u"Yarv   食证    2002    0015"_s},
               {1500, 3850, 11, u"Quessa区卫生局"_s},
               {1500, 4400, 10, u"2002   12   25"_s},
               {5300, 1050, 10, u"U1"_s},
               {4300, 1250, 10, u"U2"_s},
               {5300, 1600, 10, u"张三"_s},
               {5300, 2150, 10, u"A1"_s},
               {4300, 2350, 10, u"A2"_s},
               {5300, 2700, 10, u"个体"_s},
               {5300, 3250, 10, u"I1"_s},
               {4300, 3450, 10, u"I2"_s},
               {5200, 3800, 10, u"2002   12   25"_s},
               {5200, 4400, 10, u"2006   12   24"_s},
           };
}

void TestPermitSheets::previewItems()
{
    QFETCH(int, form);
    QFETCH(Expected, items);
    const FormLines lines{u"U1"_s, u"U2"_s, u"A1"_s, u"A2"_s, u"I1"_s, u"I2"_s};
    const report::Page page = previewPage(PermitForm(form), fixturePermit(), lines);
    QCOMPARE(int(page.items.size()), int(items.size()));
    for (int k = 0; k < int(items.size()); ++k) {
        const report::PageItem &i = page.items[std::size_t(k)];
        const auto &[left, top, size, text] = items[k];
        QCOMPARE(i.left, left);
        QCOMPARE(i.top, top);
        QCOMPARE(i.pointSize, size);
        QCOMPARE(i.text, text);
    }
}

void TestPermitSheets::previewEdgeCases()
{
    PermitTexts p = fixturePermit();
    p.number = u"2002"_s;
    p.issued = QString();
    QStringList texts;
    for (const report::PageItem &i : previewPage(PermitForm::Model1, p, {}).items)
        texts << i.text;
    QCOMPARE(texts[0], u"Yarv卫食证字[2002]第号"_s);
    QCOMPARE(texts[9], u"年月日"_s);
    QCOMPARE(texts[10], u"有效期限：年月日至2006年12月24日"_s);
    QCOMPARE(previewPage(PermitForm::Copy, p, {}).items[0].text, u"Yarv   食证    2002    "_s);

    p.number = u"200"_s;
    for (PermitForm f : {PermitForm::Model1, PermitForm::Model3, PermitForm::Copy}) {
        const report::Page page = previewPage(f, p, {});
        QCOMPARE(int(page.items.size()), f == PermitForm::Copy ? 12 : 10);
        QVERIFY(!page.items[0].text.contains(u"Yarv"_s));
    }
    p = fixturePermit();
    p.issued = u"2000-1-1"_s;
    QCOMPARE(previewPage(PermitForm::Copy, p, {}).items[2].text, u"2000   1-   "_s);
    QCOMPARE(previewPicture(PermitForm::Model2), u"picture/z2.jpg"_s);
    QCOMPARE(previewPicture(PermitForm::Copy), u"picture/fb.jpg"_s);
}

// The widest text an item prints, in display units, over every text its
// column can hold: wsxkz's text columns take 50 units, the permit number
// 30 and a date 10.
void TestPermitSheets::widestTexts_data()
{
    QTest::addColumn<int>("item");
    QTest::addColumn<int>("units");
    QTest::newRow("the region prefix, Yarv") << int(SheetText::Region) << 4;
    QTest::newRow("the issuing authority") << int(SheetText::Authority) << 14;
    QTest::newRow("the category, a whole column") << int(SheetText::Category) << 50;
    QTest::newRow("the licensed items with their mark") << int(SheetText::Items) << 51;
    QTest::newRow("the number's year: four full-width characters") << int(SheetText::NumberYear) << 8;
    QTest::newRow("the serial: the number less four digits") << int(SheetText::NumberSerial) << 26;
    QTest::newRow("a month in numerals, two full-width") << int(SheetText::NumeralMonth) << 4;
    QTest::newRow("a date's month after five digits") << int(SheetText::IssuedMonth) << 4;
    QTest::newRow("a date's day after eight digits") << int(SheetText::ValidDay) << 2;
}

void TestPermitSheets::widestTexts()
{
    QFETCH(int, item);
    QFETCH(int, units);
    QCOMPARE(widestUnits(SheetText(item)), units);
}

void TestPermitSheets::largestSizesPrintOnTheSheet_data()
{
    QTest::addColumn<int>("form");
    QTest::newRow("model 1") << int(PermitForm::Model1);
    QTest::newRow("model 2") << int(PermitForm::Model2);
    QTest::newRow("model 3") << int(PermitForm::Model3);
    QTest::newRow("copy") << int(PermitForm::Copy);
}

// Every item at the largest font size the layout check offers it, each
// column of the permit filled to its capacity with full-width characters
// or with digits: every text and second line prints within the sheet.
void TestPermitSheets::largestSizesPrintOnTheSheet()
{
    QFETCH(int, form);
    const PermitForm f = PermitForm(form);
    test::TestDatabase tdb;
    Database &d = tdb.db();
    const std::vector<LayoutRow> rows = readLayoutRows(d, f);
    for (std::size_t k = 1; k < rows.size(); ++k) {
        std::vector<LayoutRow> asked = rows;
        asked[k].size = u"99999"_s;
        const std::optional<OffSheet> off = offSheet(f, asked, k, std::array{LayoutValue::Size});
        QVERIFY(off && off->value == LayoutValue::Size && off->allowed);
        d.exec(u"UPDATE dycc SET xmzh = ? WHERE xkzlx = ? AND xmmc = ?"_s,
               {QString::number(off->allowed->second), formSpec(f).set, rows[k].name});
    }
    const PrintLayout layout = readPrintLayout(d, f);
    const QSizeF sheet = sheetMm(f);
    for (const QChar c : {u'中', u'1'}) {
        auto full = [&](const char *column) {
            return QString(d.capacity(u"wsxkz"_s, QString::fromLatin1(column)) / (c == u'中' ? 2 : 1), c);
        };
        PermitTexts p;
        p.category = full("lb");
        p.unitName = full("dwmc");
        p.address = full("dwdz");
        p.person = full("fzr");
        p.nature = full("jjxz");
        p.number = full("xkzh");
        p.items = full("xkxm");
        p.issued = full("fzrq");
        p.validTo = full("yxqx");
        const report::PageModel printed = permitSheet(f, p, layout);
        for (const report::PageItem &i : printed.pages[0].items) {
            QVERIFY2(i.left >= 0 && i.left + i.width <= twips(sheet.width()), qPrintable(i.text));
            QVERIFY2(i.top >= 0 && i.top + i.height <= twips(sheet.height()), qPrintable(i.text));
        }
    }
}

QTEST_GUILESS_MAIN(TestPermitSheets)
#include "tst_permitsheets.moc"
