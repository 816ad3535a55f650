// The rules of the permit windows without their windows: the save checks of
// a permit and of a review in their order, the first next-review date, and
// the review save writing only the review columns. No display needed.
#include "data/connection.h"
#include "permits/permitchecks.h"
#include "permits/permitrows.h"
#include "storedpermits.h"
#include "support/testdb.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;

class TestPermitRules : public QObject {
    Q_OBJECT
private slots:
    void permitChecks_data();
    void permitChecks();
    void reviewChecks_data();
    void reviewChecks();
    void firstReviewDate_data();
    void firstReviewDate();
    void firstReviewDateKeepsAStoredOne();
    void reviewSaveWritesOnlyItsColumns();
    void reviewSaveOfAMissingPermit();
};

void TestPermitRules::permitChecks_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("issued");
    QTest::addColumn<QString>("validUntil");
    QTest::addColumn<QString>("applied");
    QTest::addColumn<QString>("message"); // empty: passes
    QTest::addColumn<int>("focus");
    const QString bad = u"错误的日期格式"_s;
    QTest::newRow("all good") << u"20020001"_s << u"2002-02-28"_s << u"2005-02-28"_s << u"2002-01-05"_s
                              << QString() << 0;
    QTest::newRow("empty dates pass") << u"20020001"_s << QString() << QString() << QString() << QString() << 0;
    QTest::newRow("letters and 15 characters pass") << u"ABCDEFGHIJKLMNO"_s << QString() << QString()
                                                    << QString() << QString() << 0;
    QTest::newRow("number empty, before the dates") << QString() << u"x"_s << QString() << QString()
                                                    << u"许可证号不能留空！"_s << -1;
    QTest::newRow("number of 7") << u"2002001"_s << QString() << QString() << QString()
                                 << u"许可证号不能少于8位！填写规则为年度四位加编号。"_s << 6;
    QTest::newRow("issue date of 8 characters") << u"20020001"_s << u"2002-2-8"_s << QString() << QString()
                                                << bad << 9;
    QTest::newRow("issue date before end of validity") << u"20020001"_s << u"2002-2-8"_s << u"明年"_s
                                                       << QString() << bad << 9;
    QTest::newRow("end of validity no date") << u"20020001"_s << u"2002-02-08"_s << u"2005-02-30"_s
                                             << QString() << bad << 10;
    QTest::newRow("application date with slashes") << u"20020001"_s << QString() << QString()
                                                   << u"2002/01/05"_s << bad << 11;
}

void TestPermitRules::permitChecks()
{
    QFETCH(QString, number);
    QFETCH(QString, issued);
    QFETCH(QString, validUntil);
    QFETCH(QString, applied);
    QFETCH(QString, message);
    QFETCH(int, focus);
    const std::optional<CheckFailure> failure = firstFailingCheck(PermitEntry{number, issued, validUntil, applied});
    QCOMPARE(failure.has_value(), !message.isEmpty());
    if (failure) {
        QCOMPARE(failure->message, message);
        QCOMPARE(failure->focusBox, focus);
    }
}

void TestPermitRules::reviewChecks_data()
{
    QTest::addColumn<QString>("nextReview");
    QTest::addColumn<QString>("reviewed");
    QTest::addColumn<int>("focus"); // -1: passes
    QTest::newRow("both empty") << QString() << QString() << -1;
    QTest::newRow("both dates") << u"2004-03-01"_s << u"2003-03-01"_s << -1;
    QTest::newRow("next review first") << u"2004-3-1"_s << u"去年"_s << 11;
    QTest::newRow("review date no date") << u"2004-03-01"_s << u"2003-02-29"_s << 12;
    QTest::newRow("29 February of a year without one") << u"2005-02-29"_s << QString() << 11;
}

void TestPermitRules::reviewChecks()
{
    QFETCH(QString, nextReview);
    QFETCH(QString, reviewed);
    QFETCH(int, focus);
    const std::optional<CheckFailure> failure = firstFailingCheck(ReviewEntry{nextReview, reviewed});
    QCOMPARE(failure.has_value(), focus >= 0);
    if (failure) {
        QCOMPARE(failure->message, u"错误的日期格式"_s);
        QCOMPARE(failure->focusBox, focus);
    }
}

void TestPermitRules::firstReviewDate_data()
{
    QTest::addColumn<QString>("issued");
    QTest::addColumn<QString>("nextReview");
    QTest::newRow("ordinary date") << u"2002-02-28"_s << u"2003-02-28"_s;
    QTest::newRow("end of year") << u"2002-12-31"_s << u"2003-12-31"_s;
    QTest::newRow("29 February, next year without one") << u"2004-02-29"_s << u"2005-02-28"_s;
    QTest::newRow("29 February of 2000") << u"2000-02-29"_s << u"2001-02-28"_s;
    QTest::newRow("28 February before a leap year") << u"2003-02-28"_s << u"2004-02-28"_s;
    QTest::newRow("empty issue date") << QString() << QString();
}

void TestPermitRules::firstReviewDate()
{
    QFETCH(QString, issued);
    QFETCH(QString, nextReview);
    QCOMPARE(kelm::firstReviewDate(issued), nextReview);
    if (!nextReview.isEmpty())
        QVERIFY(!firstFailingCheck(ReviewEntry{nextReview, {}}));
}

void TestPermitRules::firstReviewDateKeepsAStoredOne()
{
    test::TestDatabase tdb;
    test::addPermit(tdb.db(), u"20020001"_s);
    test::addPermit(tdb.db(), u"20020002"_s, {{u"xcnsrq"_s, u"2009-09-09"_s}});
    setFirstReviewDate(tdb.db(), u"20020001"_s, u"2003-01-01"_s);
    setFirstReviewDate(tdb.db(), u"20020002"_s, u"2003-01-01"_s);
    QCOMPARE(test::stored(tdb.db(), u"xcnsrq"_s, u"20020001"_s), u"2003-01-01"_s);
    QCOMPARE(test::stored(tdb.db(), u"xcnsrq"_s, u"20020002"_s), u"2009-09-09"_s);
}

void TestPermitRules::reviewSaveWritesOnlyItsColumns()
{
    test::TestDatabase tdb;
    test::addPermit(tdb.db(), u"20020001"_s, {{u"fzr"_s, u"张三"_s}, {u"nsbz"_s, u"旧"_s}});
    test::addPermit(tdb.db(), u"20020002"_s, {{u"nsjg"_s, u"合格"_s}});
    saveReview(tdb.db(), u"20020001"_s,
               {u"2003-03-01"_s, u"不合格"_s, u"限期整改"_s, u"复查"_s, u"2004-03-01"_s});
    const Rows rows = tdb.db().select(u"SELECT * FROM wsxkz ORDER BY xkzh"_s);
    QCOMPARE(rows.value(0, u"nsrq"_s), u"2003-03-01"_s);
    QCOMPARE(rows.value(0, u"nsjg"_s), u"不合格"_s);
    QCOMPARE(rows.value(0, u"clqk"_s), u"限期整改"_s);
    QCOMPARE(rows.value(0, u"nsbz"_s), u"复查"_s);
    QCOMPARE(rows.value(0, u"xcnsrq"_s), u"2004-03-01"_s);
    QCOMPARE(rows.value(0, u"fzr"_s), u"张三"_s);
    QCOMPARE(rows.value(0, u"dwmc"_s), u"单位20020001"_s);
    QCOMPARE(rows.value(1, u"nsjg"_s), u"合格"_s);
    QCOMPARE(rows.value(1, u"nsrq"_s), QString());
}

void TestPermitRules::reviewSaveOfAMissingPermit()
{
    test::TestDatabase tdb;
    QVERIFY_THROWS_EXCEPTION(DbError, saveReview(tdb.db(), u"20029999"_s, {}));
}

QTEST_GUILESS_MAIN(TestPermitRules)
#include "tst_permitrules.moc"
