// The case register's rules without a window: the proposed number, the
// date reading, the ordered save checks, the category lists and the
// statements over a case's document rows.
#include "cases/register/casechecks.h"
#include "cases/register/unitcategories.h"
#include "data/caserows.h"
#include "data/documentcatalogue.h"
#include "platform/dates.h"
#include "platform/nextnumber.h"
#include "support/testdb.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;

namespace {

// A case entry that passes every check.
CaseEntry validEntry()
{
    return {u"20020001"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"2002-01-05"_s, {}, {}, u"食品卫生"_s};
}

QStringList filedTables()
{
    QStringList tables;
    for (const DocumentEntry &e : documentCatalogue())
        tables << e.table;
    return tables << u"qtzl"_s;
}

void fileEveryRow(Database &db, const QStringList &cases)
{
    for (const QString &table : filedTables())
        for (const QString &caseNo : cases)
            db.exec(u"INSERT INTO %1 (dabh) VALUES (?)"_s.arg(table), {caseNo});
}

int rowsOf(Database &db, const QString &table, const QString &caseNo)
{
    return db.scalar(u"SELECT count(*) FROM %1 WHERE dabh = ?"_s.arg(table), {caseNo}).toInt();
}

} // namespace

class TestCaseRules : public QObject {
    Q_OBJECT
private slots:
    void nextNumber_data();
    void nextNumber();
    void dates_data();
    void dates();
    void checks_data();
    void checks();
    void secondLevel_data();
    void secondLevel();
    void renumberMovesEveryFiledRow();
    void deleteRemovesEveryFiledRow();
};

void TestCaseRules::nextNumber_data()
{
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("proposed");
    QTest::newRow("serial") << u"20001111"_s << u"20001112"_s;
    QTest::newRow("year rolls over") << u"20009999"_s << u"20010000"_s;
    QTest::newRow("leading digits only") << u"2002-015"_s << u"2003"_s;
    QTest::newRow("not a number") << u"ABCD0001"_s << u"1"_s;
    QTest::newRow("empty") << QString() << u"1"_s;
    QTest::newRow("decimal") << u"12.5"_s << u"13.5"_s;
}

void TestCaseRules::nextNumber()
{
    QFETCH(QString, last);
    QFETCH(QString, proposed);
    QCOMPARE(kelm::nextNumber(last), proposed);
}

void TestCaseRules::dates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("plain") << u"2002-01-05"_s << true;
    QTest::newRow("leap day") << u"2000-02-29"_s << true;
    QTest::newRow("no leap day") << u"2001-02-29"_s << false;
    QTest::newRow("month 13") << u"2002-13-01"_s << false;
    QTest::newRow("slashes") << u"2002/01/05"_s << false;
    QTest::newRow("short parts") << u"2002-1-5"_s << false;
    QTest::newRow("nine characters") << u"2002-1-05"_s << false;
    QTest::newRow("trailing blank") << u"2002-01-05 "_s << false;
    QTest::newRow("full-width digits") << u"２００２-01-05"_s << false;
    QTest::newRow("empty") << QString() << false;
}

void TestCaseRules::dates()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(isDateText(text), valid);
}

void TestCaseRules::checks_data()
{
    QTest::addColumn<CaseEntry>("entry");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("focus");
    auto row = [](const char *name, auto change, const QString &message, int focus) {
        CaseEntry e = validEntry();
        change(e);
        QTest::newRow(name) << e << message << focus;
    };
    const QString badDate = u"错误的日期格式"_s;
    row("all good", [](CaseEntry &) {}, QString(), -1);
    row("number empty", [](CaseEntry &e) { e.number.clear(); }, u"案件编号不能留空！"_s, 0);
    row("number of 7", [](CaseEntry &e) { e.number = u"2002001"_s; }, u"案件编号必须为8位！"_s, 0);
    row("number of letters passes", [](CaseEntry &e) { e.number = u"ABCDEFGH"_s; }, QString(), -1);
    row("confiscated empty", [](CaseEntry &e) { e.confiscated.clear(); }, u"没收金额不能为空，请填“0”。"_s, -1);
    row("fine before dates", [](CaseEntry &e) { e.fine.clear(); e.accepted.clear(); },
        u"罚款金额不能为空，请填“0”。"_s, -1);
    row("recalled empty", [](CaseEntry &e) { e.recalled.clear(); }, u"责令收回食品数量不能为空，请填“0”。"_s, -1);
    row("destroyed empty", [](CaseEntry &e) { e.destroyed.clear(); }, u"责令销毁食品数量不能为空，请填“0”。"_s, -1);
    row("blank amount is not empty", [](CaseEntry &e) { e.fine = u" "_s; }, QString(), -1);
    row("accepted empty", [](CaseEntry &e) { e.accepted.clear(); }, u"受理时间不能留空！"_s, 6);
    row("accepted no date", [](CaseEntry &e) { e.accepted = u"2002年1月"_s; }, badDate, 6);
    row("filed nine characters", [](CaseEntry &e) { e.filed = u"2002-1-05"_s; }, badDate, 7);
    row("filed checked before closed", [](CaseEntry &e) { e.filed = u"x"_s; e.closed = u"y"_s; }, badDate, 7);
    row("closed no date", [](CaseEntry &e) { e.closed = u"2002-02-30"_s; }, badDate, 10);
    row("category empty", [](CaseEntry &e) { e.category.clear(); }, u"单位类别不能留空。"_s, -1);
}

void TestCaseRules::checks()
{
    QFETCH(CaseEntry, entry);
    QFETCH(QString, message);
    QFETCH(int, focus);
    const std::optional<CheckFailure> failure = firstFailingCheck(entry);
    QCOMPARE(failure.has_value(), !message.isEmpty());
    if (failure) {
        QCOMPARE(failure->message, message);
        QCOMPARE(failure->focusBox, focus);
    }
}

void TestCaseRules::secondLevel_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<bool>("known");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("food") << u"食品卫生"_s << true
                          << QStringList{u"生产加工"_s, u"批发零售"_s, u"饮食"_s, u"食堂"_s, u"食品摊贩"_s, u"其他"_s};
    QTest::newRow("public places") << u"公共场所"_s << true
                                   << QStringList{u"旅店"_s, u"文化娱乐"_s, u"浴室"_s, u"理发、美容"_s,
                                                  u"商场、商店"_s, u"其他"_s};
    QTest::newRow("other") << u"其他"_s << true << QStringList{};
    QTest::newRow("typed text") << u"医院"_s << false << QStringList{};
}

void TestCaseRules::secondLevel()
{
    QFETCH(QString, first);
    QFETCH(bool, known);
    QFETCH(QStringList, entries);
    const std::optional<QStringList> list = secondLevelCategories(first);
    QCOMPARE(list.has_value(), known);
    if (list)
        QCOMPARE(*list, entries);
}

void TestCaseRules::renumberMovesEveryFiledRow()
{
    test::TestDatabase tdb;
    Database &db = tdb.db();
    fileEveryRow(db, {u"20020001"_s, u"20020002"_s});
    renumberCaseRows(db, u"20020001"_s, u"20029999"_s);
    for (const QString &table : filedTables()) {
        QCOMPARE(rowsOf(db, table, u"20020001"_s), 0);
        QCOMPARE(rowsOf(db, table, u"20029999"_s), 1);
        QCOMPARE(rowsOf(db, table, u"20020002"_s), 1);
    }
}

void TestCaseRules::deleteRemovesEveryFiledRow()
{
    test::TestDatabase tdb;
    Database &db = tdb.db();
    fileEveryRow(db, {u"20020001"_s, u"20020002"_s});
    db.exec(u"INSERT INTO qtzl (dabh) VALUES ('20020001')"_s);
    deleteCaseRows(db, u"20020001"_s);
    for (const QString &table : filedTables()) {
        QCOMPARE(rowsOf(db, table, u"20020001"_s), 0);
        QCOMPARE(rowsOf(db, table, u"20020002"_s), 1);
    }
}

QTEST_GUILESS_MAIN(TestCaseRules)
#include "tst_caserules.moc"
