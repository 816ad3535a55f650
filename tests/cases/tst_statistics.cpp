// The statistics computation without a window: which cases of a period
// count where, what the sheet's row stores, and that a failed run leaves
// the stored statistics as they were. Also the period the period window
// stores from its two boxes.
#include "cases/statistics/penaltystatistics.h"
#include "cases/statistics/statisticsdrawing.h"
#include "cases/statistics/statisticsperiod.h"
#include "data/appvalues.h"
#include "data/connection.h"
#include "statisticsfixture.h"
#include "support/percellstatistics.h"
#include "support/testdb.h"

#include <random>

#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::statistics;
using kelm::test::StatCase;

using Expected = QList<QPair<QString, QString>>;
Q_DECLARE_METATYPE(QList<StatCase>)

namespace {

const QDate yearStart(2002, 1, 1);
const QDate yearEnd(2002, 12, 31);

const QHash<QString, ScreenColumn> &columnsByName()
{
    static const QHash<QString, ScreenColumn> names = {
        {u"警告"_s, ScreenColumn::Warning},           {u"责令改正"_s, ScreenColumn::Correction},
        {u"责令收回"_s, ScreenColumn::Recall},        {u"责令停产停业"_s, ScreenColumn::Suspension},
        {u"责令销毁"_s, ScreenColumn::Destruction},   {u"没收违法所得"_s, ScreenColumn::Confiscation},
        {u"没收金额"_s, ScreenColumn::ConfiscatedAmount}, {u"罚款"_s, ScreenColumn::Fine},
        {u"罚款金额"_s, ScreenColumn::FineAmount},    {u"吊销许可证"_s, ScreenColumn::Revocation},
        {u"取缔"_s, ScreenColumn::Ban},               {u"免予处罚"_s, ScreenColumn::Exemption},
        {u"处罚户次"_s, ScreenColumn::Cases},
    };
    return names;
}

// "a11": the stored cell; "r7 罚款": the text drawn in screen row 7 (from
// 1) under that column; "head 立案": a head total.
QString figure(Database &db, const PenaltyStatistics &s, const QString &key)
{
    if (key.startsWith(u'a'))
        return db.scalar(u"SELECT %1 FROM xzcftj"_s.arg(key));
    const QStringList parts = key.split(u' ');
    if (parts[0] == u"head"_s) {
        const Tally &t = s.total();
        return u' ' + QString::number(parts[1] == u"案件"_s ? t.cases : parts[1] == u"立案"_s ? t.filed : t.closed);
    }
    const int row = parts[0].mid(1).toInt() - 1;
    return drawnText(s.rows[std::size_t(row)], columnsByName().value(parts[1]));
}

StatCase in(const QString &category, const QString &subcategory)
{
    StatCase c;
    c.category = category;
    c.subcategory = subcategory;
    return c;
}

StatCase acceptedOn(const QString &date)
{
    StatCase c;
    c.accepted = date;
    return c;
}

StatCase penalised(QList<int> kinds)
{
    StatCase c;
    c.penalties = kinds;
    return c;
}

StatCase withAmounts(const QString &confiscated, const QString &fine, const QString &recalled = u"0"_s,
                     const QString &destroyed = u"0"_s)
{
    StatCase c;
    c.confiscated = confiscated;
    c.fine = fine;
    c.recalled = recalled;
    c.destroyed = destroyed;
    return c;
}

QStringList storedCells(Database &db)
{
    QStringList cells;
    const Rows row = db.select(u"SELECT * FROM xzcftj"_s);
    for (const auto &v : row.values)
        cells << QStringList(v.begin(), v.end());
    return cells;
}

} // namespace

class TestStatistics : public QObject {
    Q_OBJECT
private slots:
    void counting_data();
    void counting();
    void onePassEqualsPerCell_data();
    void onePassEqualsPerCell();
    void copyFollowsChangesBetweenRuns();
    void cancelledRunChangesNothing();
    void hugeSumIsRefused();
    void emptyPeriodIsZeroEverywhere();
    void copyHoldsThePeriodsCases();
    void periodTexts();
    void manySmallAmountsAddExactly();
    void unreadableAcceptanceDate_data();
    void unreadableAcceptanceDate();
    void failedRunLeavesStatisticsAsTheyWere();
    void lostResultRowIsWrittenAgain();
    void decimalText_data();
    void decimalText();
    void storePeriod_data();
    void storePeriod();
};

void TestStatistics::counting_data()
{
    QTest::addColumn<QList<StatCase>>("cases");
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QDate>("end");
    QTest::addColumn<Expected>("expected");

    const QString food = u"食品卫生"_s;
    const QString publicPlace = u"公共场所"_s;

    QTest::newRow("first and last day of the period count")
        << QList<StatCase>{acceptedOn(u"2001-12-31"_s), acceptedOn(u"2002-01-01"_s), acceptedOn(u"2002-12-31"_s),
                           acceptedOn(u"2003-01-01"_s)}
        << yearStart << yearEnd << Expected{{u"a11"_s, u"2"_s}, {u"r16 处罚户次"_s, u" 2"_s}, {u"head 案件"_s, u" 2"_s}};
    QTest::newRow("a one-day period")
        << QList<StatCase>{acceptedOn(u"2002-03-04"_s), acceptedOn(u"2002-03-05"_s)} << QDate(2002, 3, 5)
        << QDate(2002, 3, 5) << Expected{{u"a11"_s, u"1"_s}};
    QTest::newRow("start after end counts nothing")
        << QList<StatCase>{acceptedOn(u"2002-06-01"_s)} << yearEnd << yearStart
        << Expected{{u"a11"_s, u"0"_s}, {u"head 案件"_s, u" 0"_s}, {u"r16 罚款金额"_s, u"0"_s}};
    QTest::newRow("food case without sub-category: food total and grand total only")
        << QList<StatCase>{in(food, {})} << yearStart << yearEnd
        << Expected{{u"a11"_s, u"1"_s}, {u"a21"_s, u"0"_s}, {u"r1 处罚户次"_s, u" 0"_s}, {u"r6 处罚户次"_s, u" 0"_s},
                    {u"r7 处罚户次"_s, u" 1"_s}, {u"r16 处罚户次"_s, u" 1"_s}};
    QTest::newRow("其他 case without sub-category: its own row and grand total only")
        << QList<StatCase>{in(u"其他"_s, {})} << yearStart << yearEnd
        << Expected{{u"a11"_s, u"0"_s}, {u"r7 处罚户次"_s, u" 0"_s}, {u"r13 处罚户次"_s, u" 0"_s},
                    {u"r14 处罚户次"_s, u" 0"_s}, {u"r15 处罚户次"_s, u" 1"_s}, {u"r16 处罚户次"_s, u" 1"_s}};
    QTest::newRow("food 其他 stays in the food group")
        << QList<StatCase>{in(food, u"其他"_s)} << yearStart << yearEnd
        << Expected{{u"r6 处罚户次"_s, u" 1"_s}, {u"r13 处罚户次"_s, u" 0"_s}, {u"r7 处罚户次"_s, u" 1"_s}};
    QTest::newRow("public-place 其他 stays in its group")
        << QList<StatCase>{in(publicPlace, u"其他"_s)} << yearStart << yearEnd
        << Expected{{u"r6 处罚户次"_s, u" 0"_s}, {u"r13 处罚户次"_s, u" 1"_s}, {u"r14 处罚户次"_s, u" 1"_s},
                    {u"a11"_s, u"0"_s}};
    QTest::newRow("food sub-categories in their rows")
        << QList<StatCase>{in(food, u"生产加工"_s), in(food, u"批发零售"_s), in(food, u"饮食"_s), in(food, u"饮食"_s),
                           in(food, u"食堂"_s), in(food, u"食品摊贩"_s)}
        << yearStart << yearEnd
        << Expected{{u"a11"_s, u"6"_s}, {u"a21"_s, u"1"_s}, {u"a31"_s, u"1"_s}, {u"a41"_s, u"2"_s},
                    {u"a51"_s, u"1"_s}, {u"a61"_s, u"1"_s}, {u"r3 处罚户次"_s, u" 2"_s}, {u"r5 处罚户次"_s, u" 1"_s},
                    {u"r14 处罚户次"_s, u" 0"_s}};
    QTest::newRow("public-place sub-categories in their rows")
        << QList<StatCase>{in(publicPlace, u"旅店"_s), in(publicPlace, u"文化娱乐"_s), in(publicPlace, u"浴室"_s),
                           in(publicPlace, u"理发、美容"_s), in(publicPlace, u"商场、商店"_s)}
        << yearStart << yearEnd
        << Expected{{u"r8 处罚户次"_s, u" 1"_s}, {u"r9 处罚户次"_s, u" 1"_s}, {u"r10 处罚户次"_s, u" 1"_s},
                    {u"r11 处罚户次"_s, u" 1"_s}, {u"r12 处罚户次"_s, u" 1"_s}, {u"r14 处罚户次"_s, u" 5"_s},
                    {u"r7 处罚户次"_s, u" 0"_s}, {u"a11"_s, u"0"_s}};
    QTest::newRow("a typed sub-category counts in the totals only")
        << QList<StatCase>{in(food, u"糕点加工"_s)} << yearStart << yearEnd
        << Expected{{u"a11"_s, u"1"_s}, {u"a21"_s, u"0"_s}, {u"r6 处罚户次"_s, u" 0"_s}, {u"r7 处罚户次"_s, u" 1"_s}};
    QTest::newRow("a case without a penalty still counts")
        << QList<StatCase>{penalised({})} << yearStart << yearEnd
        << Expected{{u"a21"_s, u"1"_s}, {u"a22"_s, u"0"_s}, {u"a211"_s, u"0"_s}, {u"r1 处罚户次"_s, u" 1"_s},
                    {u"r1 警告"_s, u" 0"_s}, {u"r1 免予处罚"_s, u" 0"_s}};
    QTest::newRow("every kind of penalty in its column")
        << QList<StatCase>{penalised({1, 2, 3, 4, 5, 6, 7, 8, 9, 10})} << yearStart << yearEnd
        << Expected{{u"a21"_s, u"1"_s},          {u"a22"_s, u"1"_s},          {u"a23"_s, u"1"_s},
                    {u"a24"_s, u"1"_s},          {u"a26"_s, u"1"_s},          {u"a27"_s, u"1"_s},
                    {u"a29"_s, u"1"_s},          {u"a211"_s, u"1"_s},         {u"a213"_s, u"1"_s},
                    {u"a214"_s, u"1"_s},         {u"r1 警告"_s, u" 1"_s},     {u"r1 责令改正"_s, u" 1"_s},
                    {u"r1 责令收回"_s, u" 1"_s}, {u"r1 责令停产停业"_s, u" 1"_s}, {u"r1 责令销毁"_s, u" 1"_s},
                    {u"r1 没收违法所得"_s, u" 1"_s}, {u"r1 罚款"_s, u" 1"_s}, {u"r1 吊销许可证"_s, u" 1"_s},
                    {u"r1 取缔"_s, u" 1"_s},     {u"r1 免予处罚"_s, u" 1"_s}, {u"r16 免予处罚"_s, u" 1"_s}};
    QTest::newRow("kinds counted apart")
        << QList<StatCase>{penalised({7}), penalised({7}), penalised({1})} << yearStart << yearEnd
        << Expected{{u"a11"_s, u"3"_s}, {u"a111"_s, u"2"_s}, {u"a12"_s, u"1"_s}, {u"a13"_s, u"0"_s},
                    {u"r7 罚款"_s, u" 2"_s}, {u"r7 警告"_s, u" 1"_s}};
    QTest::newRow("amounts with decimals")
        << QList<StatCase>{withAmounts(u"12.5"_s, u"100"_s), withAmounts(u"0.25"_s, u"50.5"_s)} << yearStart << yearEnd
        << Expected{{u"a10"_s, u"12.75"_s}, {u"a112"_s, u"150.5"_s}, {u"r7 没收金额"_s, u" 12.75"_s},
                    {u"r1 罚款金额"_s, u" 150.5"_s}};
    QTest::newRow("decimal amounts add exactly")
        << QList<StatCase>{withAmounts(u"0.1"_s, u"0.1"_s), withAmounts(u"0.2"_s, u"0.7"_s)} << yearStart << yearEnd
        << Expected{{u"a10"_s, u"0.3"_s}, {u"a112"_s, u"0.8"_s}};
    QTest::newRow("an amount read as val() reads it")
        << QList<StatCase>{withAmounts(u"abc"_s, u"5元"_s), withAmounts(u""_s, u" 2.5.1"_s)} << yearStart << yearEnd
        << Expected{{u"a10"_s, u"0"_s}, {u"a112"_s, u"7.5"_s}, {u"r7 没收金额"_s, u" 0"_s}};
    QTest::newRow("weights stored")
        << QList<StatCase>{withAmounts(u"0"_s, u"0"_s, u"2.5"_s, u"3"_s), withAmounts(u"0"_s, u"0"_s, u"1"_s, u"x"_s)}
        << yearStart << yearEnd << Expected{{u"a15"_s, u"3.5"_s}, {u"a18"_s, u"3"_s}, {u"a25"_s, u"3.5"_s}};
    QTest::newRow("an amount over no case is a bare 0, a zero sum a number")
        << QList<StatCase>{in(food, u"饮食"_s)} << yearStart << yearEnd
        << Expected{{u"r3 没收金额"_s, u" 0"_s}, {u"r3 罚款金额"_s, u" 0"_s}, {u"r1 没收金额"_s, u"0"_s},
                    {u"r1 罚款金额"_s, u"0"_s}, {u"a40"_s, u"0"_s}, {u"a20"_s, u"0"_s}};
    QTest::newRow("a negative amount takes the sign's place")
        << QList<StatCase>{withAmounts(u"0"_s, u"-5"_s)} << yearStart << yearEnd
        << Expected{{u"r7 罚款金额"_s, u"-5"_s}, {u"a112"_s, u"-5"_s}};

    StatCase filedClosed;
    filedClosed.filed = u"2002-06-02"_s;
    filedClosed.closed = true;
    StatCase filedOnly;
    filedOnly.filed = u"2002-06-03"_s;
    QTest::newRow("filed and closed totals")
        << QList<StatCase>{filedClosed, filedOnly, StatCase{}} << yearStart << yearEnd
        << Expected{{u"head 案件"_s, u" 3"_s}, {u"head 立案"_s, u" 2"_s}, {u"head 结案"_s, u" 1"_s}};
}

void TestStatistics::counting()
{
    QFETCH(QList<StatCase>, cases);
    QFETCH(QDate, start);
    QFETCH(QDate, end);
    QFETCH(Expected, expected);

    test::TestDatabase tdb;
    test::addStatCases(tdb.db(), cases);
    const PenaltyStatistics s = computeStatistics(tdb.db(), start, end);
    for (const auto &[key, value] : expected)
        QCOMPARE(figure(tdb.db(), s, key), value);
}

namespace {

StatCase varied(std::mt19937 &rng, const QDate &around)
{
    static const QList<QPair<QString, QString>> categories = {
        {u"食品卫生"_s, u"生产加工"_s}, {u"食品卫生"_s, u"批发零售"_s}, {u"食品卫生"_s, u"饮食"_s},
        {u"食品卫生"_s, u"食堂"_s},     {u"食品卫生"_s, u"食品摊贩"_s}, {u"食品卫生"_s, u"其他"_s},
        {u"食品卫生"_s, QString()},     {u"公共场所"_s, u"旅店"_s},     {u"公共场所"_s, u"文化娱乐"_s},
        {u"公共场所"_s, u"浴室"_s},     {u"公共场所"_s, u"理发、美容"_s}, {u"公共场所"_s, u"商场、商店"_s},
        {u"公共场所"_s, u"其他"_s},     {u"公共场所"_s, u"洗衣店"_s},   {u"其他"_s, QString()},
        {u"其他"_s, u"其他"_s},         {u"食品"_s, u"饮食"_s},
    };
    // Fractions of powers of two: the reference adds doubles plainly, which
    // drifts over thousands of decimal fractions that the one pass adds
    // exactly (manySmallAmountsAddExactly).
    static const QStringList amounts = {u"0"_s,     u"12.5元"_s, u"abc"_s,     QString(),  u" 2.5.1"_s,
                                        u"-5"_s,    u"1,000"_s,  u"0.25"_s,    u"0.75"_s,  u"1e3"_s,
                                        u"1E+2"_s,  u"3e"_s,     u"2.5e-1"_s,  u"1500"_s,  u"0.125"_s};
    StatCase c;
    const auto &[category, subcategory] = categories[qsizetype(rng() % categories.size())];
    c.category = category;
    c.subcategory = subcategory;
    c.accepted = around.addDays(int(rng() % 40) - 20).toString(Qt::ISODate);
    for (int k = 1; k <= 10; ++k)
        if (rng() % 3 == 0)
            c.penalties << k;
    c.confiscated = amounts[qsizetype(rng() % amounts.size())];
    c.fine = amounts[qsizetype(rng() % amounts.size())];
    c.recalled = amounts[qsizetype(rng() % amounts.size())];
    c.destroyed = amounts[qsizetype(rng() % amounts.size())];
    c.filed = rng() % 2 ? c.accepted : QString();
    c.closed = rng() % 2;
    return c;
}

QList<QStringList> rowsOf(Database &db, const QString &table)
{
    QList<QStringList> rows;
    for (const auto &v : db.select(u"SELECT * FROM %1"_s.arg(table)).values)
        rows << QStringList(v.begin(), v.end());
    std::sort(rows.begin(), rows.end());
    return rows;
}

} // namespace

void TestStatistics::onePassEqualsPerCell_data()
{
    QTest::addColumn<QList<StatCase>>("cases");
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QDate>("end");

    std::mt19937 rng(2002);
    QList<StatCase> mixed;
    // Enough cases for the whole table to be shared among readers.
    for (int i = 0; i < 4500; ++i)
        mixed << varied(rng, QDate(2002, 1, 1));
    QTest::newRow("every category, penalty and odd amount, the year's edges")
        << mixed << yearStart << yearEnd;
    QTest::newRow("a tenth of the cases: the date index") << mixed << QDate(2002, 1, 3) << QDate(2002, 1, 5);
    QTest::newRow("every case in the period") << mixed << QDate(2001, 1, 1) << QDate(2003, 12, 31);
    QTest::newRow("no case in the period") << mixed << QDate(2005, 1, 1) << QDate(2005, 12, 31);
    QTest::newRow("the period's edge days")
        << QList<StatCase>{acceptedOn(u"2001-12-31"_s), acceptedOn(u"2002-01-01"_s), acceptedOn(u"2002-12-31"_s),
                           acceptedOn(u"2003-01-01"_s)}
        << yearStart << yearEnd;
    QTest::newRow("huge sums")
        << QList<StatCase>{withAmounts(u"99999999999999999999"_s, u"123456789012345678"_s, u"1e300"_s),
                           withAmounts(u"1"_s, u"1"_s, u"1e300"_s), withAmounts(u"1e15"_s, u"-1e20"_s)}
        << yearStart << yearEnd;
    QTest::newRow("exponents")
        << QList<StatCase>{withAmounts(u"1e3"_s, u"1E+2"_s, u"2.5e-1"_s, u"1e-7"_s),
                           withAmounts(u"5e"_s, u"1e2元"_s, u"-1E1"_s, u".5e1"_s)}
        << yearStart << yearEnd;
}

void TestStatistics::onePassEqualsPerCell()
{
    QFETCH(QList<StatCase>, cases);
    QFETCH(QDate, start);
    QFETCH(QDate, end);

    test::TestDatabase tdb;
    Database &db = tdb.db();
    Transaction tx(db);
    test::addStatCases(db, cases);
    // A case without a number: summed, but not counted, as count(dabh) does.
    StatCase unnumbered = cases.value(0);
    test::addStatCase(db, u"x"_s, unnumbered);
    db.exec(u"UPDATE xzcf SET dabh = NULL WHERE dabh = 'x'"_s);
    tx.commit();

    QStringList onePass;
    for (const statistics::DrawnFigure &f : statistics::drawnFigures(computeStatistics(db, start, end)))
        onePass << f.text;
    const QList<QStringList> sheet = rowsOf(db, u"xzcftj"_s);
    const QList<QStringList> copy = rowsOf(db, u"xzcf2"_s);

    QCOMPARE(onePass, test::perCellStatistics(db, start, end));
    QCOMPARE(rowsOf(db, u"xzcftj"_s), sheet);
    QCOMPARE(rowsOf(db, u"xzcf2"_s), copy);
}

void TestStatistics::copyFollowsChangesBetweenRuns()
{
    test::TestDatabase tdb;
    Database &db = tdb.db();
    std::mt19937 rng(13);
    QList<StatCase> cases;
    for (int i = 0; i < 5000; ++i)
        cases << varied(rng, QDate(2002, 7, 1));
    Transaction tx(db);
    test::addStatCases(db, cases);
    tx.commit();
    const QString periodCases = u"SELECT dabh, dwlb1, dwlb2, slsj, lasj, sfja, cf1, cf2, cf3, cf4, cf5, cf6, cf7, "
                                "cf8, cf9, cf10, msje, fkje, shsp, xhsp FROM xzcf WHERE slsj BETWEEN ? AND ?"_s;
    const auto expectedCopy = [&](const QDate &start, const QDate &end) {
        QList<QStringList> rows;
        for (const auto &v : db.select(periodCases, {start.toString(Qt::ISODate), end.toString(Qt::ISODate)}).values)
            rows << QStringList(v.begin(), v.end());
        std::sort(rows.begin(), rows.end());
        return rows;
    };
    computeStatistics(db, yearStart, yearEnd);
    QCOMPARE(rowsOf(db, u"xzcf2"_s), expectedCopy(yearStart, yearEnd));

    db.exec(u"UPDATE xzcf SET fkje = '77' WHERE dabh = '20020010'"_s);
    db.exec(u"UPDATE xzcf SET slsj = '2001-01-01' WHERE dabh = '20023000'"_s);
    db.exec(u"DELETE FROM xzcf WHERE dabh = '20024500'"_s);
    test::addStatCase(db, u"20029999"_s, StatCase{});
    computeStatistics(db, yearStart, yearEnd);
    QCOMPARE(rowsOf(db, u"xzcf2"_s), expectedCopy(yearStart, yearEnd));

    computeStatistics(db, QDate(2002, 7, 1), QDate(2002, 7, 3));
    QCOMPARE(rowsOf(db, u"xzcf2"_s), expectedCopy(QDate(2002, 7, 1), QDate(2002, 7, 3)));
}

void TestStatistics::cancelledRunChangesNothing()
{
    test::TestDatabase tdb;
    Database &db = tdb.db();
    QList<StatCase> cases;
    for (int i = 0; i < 300; ++i)
        cases << penalised({1 + i % 10});
    Transaction tx(db);
    test::addStatCases(db, cases);
    tx.commit();
    computeStatistics(db, QDate(2003, 1, 1), QDate(2003, 1, 1));
    const QStringList before = storedCells(db);

    QList<int> told;
    const Progress stopAfterTheStart = [&told](int percent) {
        told << percent;
        return told.size() < 2;
    };
    QVERIFY_THROWS_EXCEPTION(Cancelled, computeStatistics(db, yearStart, yearEnd, stopAfterTheStart));
    QCOMPARE(storedCells(db), before);
    QCOMPARE(db.scalar(u"SELECT count(*) FROM xzcf2"_s), u"0"_s);
    QCOMPARE(told.size(), 2);

    told.clear();
    const Progress watch = [&told](int percent) {
        told << percent;
        return true;
    };
    computeStatistics(db, yearStart, yearEnd, watch);
    QCOMPARE(told.front(), 0);
    QCOMPARE(told.back(), 99);
    QVERIFY(std::is_sorted(told.begin(), told.end()));
    QCOMPARE(db.scalar(u"SELECT count(*) FROM xzcf2"_s), u"300"_s);
}

void TestStatistics::hugeSumIsRefused()
{
    test::TestDatabase tdb;
    Database &db = tdb.db();
    test::addStatCases(db, {withAmounts(u"0"_s, u"1e308"_s), withAmounts(u"0"_s, u"1e308"_s)});
    computeStatistics(db, QDate(2003, 1, 1), QDate(2003, 1, 1));
    const QStringList before = storedCells(db);
    QVERIFY_THROWS_EXCEPTION(DbError, computeStatistics(db, yearStart, yearEnd));
    QCOMPARE(storedCells(db), before);
}

void TestStatistics::emptyPeriodIsZeroEverywhere()
{
    test::TestDatabase tdb;
    test::addStatCases(tdb.db(), {acceptedOn(u"2001-06-01"_s)});
    const PenaltyStatistics s = computeStatistics(tdb.db(), yearStart, yearEnd);
    for (int r = 1; r <= reportRowCount; ++r)
        for (int c = 1; c <= reportColumnCount; ++c)
            QCOMPARE(tdb.db().scalar(u"SELECT %1 FROM xzcftj"_s.arg(cellName(r, c))), u"0"_s);
    for (const Tally &row : s.rows) {
        for (int c = 0; c < screenColumnCount; ++c) {
            const auto column = ScreenColumn(c);
            const bool amount = column == ScreenColumn::ConfiscatedAmount || column == ScreenColumn::FineAmount;
            QCOMPARE(drawnText(row, column), amount ? u"0"_s : u" 0"_s);
        }
    }
}

void TestStatistics::copyHoldsThePeriodsCases()
{
    test::TestDatabase tdb;
    Database &db = tdb.db();
    StatCase full = penalised({2, 9});
    full.subcategory = u"饮食"_s;
    full.confiscated = u"12.5"_s;
    full.filed = u"2002-06-02"_s;
    full.closed = true;
    test::addStatCases(db, {full, acceptedOn(u"2003-01-01"_s)});
    db.exec(u"INSERT INTO xzcf2 (dabh) VALUES ('19990001')"_s);

    computeStatistics(db, yearStart, yearEnd);
    const Rows copy = db.select(u"SELECT * FROM xzcf2"_s);
    QCOMPARE(copy.size(), std::size_t(1));
    QCOMPARE(copy.columns.size(), std::size_t(20));
    const QStringList expected = {u"20020001"_s, u"食品卫生"_s, u"饮食"_s, u"2002-06-01"_s, u"2002-06-02"_s,
                                  u"1"_s, u"0"_s, u"1"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s,
                                  u"1"_s, u"0"_s, u"12.5"_s, u"0"_s, u"0"_s, u"0"_s};
    QCOMPARE(QStringList(copy.values[0].begin(), copy.values[0].end()), expected);
    QCOMPARE(db.scalar(u"SELECT count(*) FROM xzcf"_s), u"2"_s); // the cases themselves untouched

    computeStatistics(db, QDate(2003, 1, 1), QDate(2003, 1, 1));
    QCOMPARE(db.scalar(u"SELECT group_concat(dabh) FROM xzcf2"_s), u"20020002"_s);
}

void TestStatistics::periodTexts()
{
    test::TestDatabase tdb;
    const PenaltyStatistics s = computeStatistics(tdb.db(), QDate(2002, 1, 5), QDate(2002, 12, 31));
    QCOMPARE(tdb.db().scalar(u"SELECT tbdw FROM xzcftj"_s), u"Quessa区卫生局"_s);
    QCOMPARE(tdb.db().scalar(u"SELECT tjsj FROM xzcftj"_s), u"2002年1月5日 - 2002年12月31日"_s);
    QCOMPARE(screenPeriodText(s.start, s.end), u"2002-01-05 - 2002-12-31"_s);
    QCOMPARE(screenPeriodText(yearEnd, yearStart), u"2002-12-31 - 2002-01-01"_s);
}

void TestStatistics::manySmallAmountsAddExactly()
{
    test::TestDatabase tdb;
    Database &db = tdb.db();
    QList<StatCase> cases;
    for (int i = 0; i < 3000; ++i)
        cases << withAmounts(u"0.1"_s, i % 2 ? u"0.01"_s : u"1234567.03"_s);
    Transaction tx(db);
    test::addStatCases(db, cases);
    tx.commit();
    computeStatistics(db, yearStart, yearEnd);
    QCOMPARE(db.scalar(u"SELECT a10 FROM xzcftj"_s), u"300"_s);
    QCOMPARE(db.scalar(u"SELECT a112 FROM xzcftj"_s), u"1851850560"_s);
}

void TestStatistics::unreadableAcceptanceDate_data()
{
    QTest::addColumn<QString>("accepted");
    QTest::addColumn<int>("casesOutside"); // many: the period is read through the date index
    for (int outside : {0, 20}) {
        const char *plan = outside ? "date index" : "whole table";
        QTest::addRow("no such day, %s", plan) << u"2002-02-30"_s << outside;
        QTest::addRow("slashes, %s", plan) << u"2002/06/01"_s << outside;
        QTest::addRow("one-digit month, %s", plan) << u"2002-6-01"_s << outside;
        QTest::addRow("with a time, %s", plan) << u"2002-06-01 10:00"_s << outside;
        QTest::addRow("empty, %s", plan) << QString() << outside;
    }
}

void TestStatistics::unreadableAcceptanceDate()
{
    QFETCH(QString, accepted);
    QFETCH(int, casesOutside);
    test::TestDatabase tdb;
    Database &db = tdb.db();
    QList<StatCase> cases = {StatCase{}, StatCase{}};
    for (int i = 0; i < casesOutside; ++i)
        cases << acceptedOn(u"2003-03-03"_s);
    test::addStatCases(db, cases);
    computeStatistics(db, yearStart, yearEnd);
    const QStringList before = storedCells(db);
    db.exec(u"UPDATE xzcf SET slsj = ? WHERE dabh = '20020002'"_s, {accepted});

    try {
        computeStatistics(db, yearStart, yearEnd);
        QFAIL("a case without a readable acceptance date was counted");
    } catch (const DbError &e) {
        QVERIFY2(e.message().contains(u"20020002"_s), qPrintable(e.message()));
    }
    QCOMPARE(storedCells(db), before);
    QCOMPARE(db.scalar(u"SELECT count(*) FROM xzcf2"_s), u"2"_s);
}

void TestStatistics::failedRunLeavesStatisticsAsTheyWere()
{
    test::TestDatabase tdb;
    Database &db = tdb.db();
    test::addStatCases(db, {StatCase{}, acceptedOn(u"2003-02-01"_s)});
    computeStatistics(db, yearStart, yearEnd);
    const QStringList before = storedCells(db);
    db.exec(u"CREATE TRIGGER refuse BEFORE UPDATE ON xzcftj BEGIN SELECT RAISE(ABORT, 'refused'); END"_s);

    QVERIFY_THROWS_EXCEPTION(DbError, computeStatistics(db, QDate(2003, 1, 1), QDate(2003, 12, 31)));
    QCOMPARE(storedCells(db), before);
    QCOMPARE(db.scalar(u"SELECT group_concat(dabh) FROM xzcf2"_s), u"20020001"_s);
}

void TestStatistics::lostResultRowIsWrittenAgain()
{
    test::TestDatabase tdb;
    Database &db = tdb.db();
    test::addStatCases(db, {StatCase{}});
    db.exec(u"DELETE FROM xzcftj"_s);
    computeStatistics(db, yearStart, yearEnd);
    QCOMPARE(db.scalar(u"SELECT count(*) FROM xzcftj"_s), u"1"_s);
    QCOMPARE(db.scalar(u"SELECT a21 FROM xzcftj"_s), u"1"_s);
    QCOMPARE(db.scalar(u"SELECT tbdw FROM xzcftj"_s), u"Quessa区卫生局"_s);
}

void TestStatistics::decimalText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0.0 << u"0"_s;
    QTest::newRow("negative zero") << -0.0 << u"0"_s;
    QTest::newRow("whole") << 1500.0 << u"1500"_s;
    QTest::newRow("decimals only where there are some") << 12.75 << u"12.75"_s;
    QTest::newRow("binary noise rounded away") << 0.1 + 0.2 << u"0.3"_s;
    QTest::newRow("fifteen significant digits") << 1.0 / 3 << u"0.333333333333333"_s;
    QTest::newRow("fifteen digits without an exponent") << 999999999999999.0 << u"999999999999999"_s;
    QTest::newRow("an exponent from 10^15") << 1e15 << u"1E+15"_s;
    QTest::newRow("rounded to fifteen digits") << 1234567890123456789.0 << u"1.23456789012346E+18"_s;
    QTest::newRow("a sum of 10^20 is not cut to ten times too small") << 1e20 << u"1E+20"_s;
    QTest::newRow("small, no exponent") << 0.0001 << u"0.0001"_s;
    QTest::newRow("an exponent below 10^-4") << 0.00005 << u"5E-05"_s;
    QTest::newRow("fewer digits where fifteen would not fit the cell")
        << -1.23456789012345e-300 << u"-1.234567890123E-300"_s;
    QTest::newRow("negative") << -5.5 << u"-5.5"_s;
}

void TestStatistics::decimalText()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(statistics::decimalText(value), text);
    QVERIFY(text.size() <= 20); // a cell of xzcftj
}

void TestStatistics::storePeriod_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<bool>("stored");
    QTest::addColumn<QDate>("storedStart");
    QTest::addColumn<QDate>("storedEnd");

    const QDate before(1999, 1, 1);
    QTest::newRow("both dates") << u"2002-01-01"_s << u"2002-12-31"_s << true << yearStart << yearEnd;
    QTest::newRow("start after end accepted") << u"2002-12-31"_s << u"2002-01-01"_s << true << yearEnd << yearStart;
    QTest::newRow("empty start: nothing stored") << QString() << u"2002-12-31"_s << false << before << before;
    QTest::newRow("bad end: the start is stored") << u"2002-01-01"_s << u"2002-13-01"_s << false << yearStart << before;
    QTest::newRow("empty end") << u"2002-01-01"_s << QString() << false << yearStart << before;
    QTest::newRow("slashes") << u"2002/01/01"_s << u"2002-12-31"_s << false << before << before;
    QTest::newRow("with a time") << u"2002-01-01 08:00"_s << u"2002-12-31"_s << false << before << before;
    QTest::newRow("no such day") << u"2002-02-29"_s << u"2002-12-31"_s << false << before << before;
    QTest::newRow("leap day") << u"2000-02-29"_s << u"2002-12-31"_s << true << QDate(2000, 2, 29) << yearEnd;
}

void TestStatistics::storePeriod()
{
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(bool, stored);
    QFETCH(QDate, storedStart);
    QFETCH(QDate, storedEnd);

    resetAppValues();
    app().statsStart = QDate(1999, 1, 1);
    app().statsEnd = QDate(1999, 1, 1);
    QCOMPARE(statistics::storePeriod(start, end), stored);
    QCOMPARE(app().statsStart, storedStart);
    QCOMPARE(app().statsEnd, storedEnd);
}

QTEST_GUILESS_MAIN(TestStatistics)
#include "tst_statistics.moc"
