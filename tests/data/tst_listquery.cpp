// The statement behind a query window's list and its list report, and the
// report data sources: which rows a list holds and in what order, with
// the filter text as plain data, and the same rows read by position as a
// list report's pages read them.
#include "data/appvalues.h"
#include "data/connection.h"
#include "data/listquery.h"
#include "data/listrows.h"
#include "data/reportsources.h"
#include "platform/reportengine.h"
#include "support/recordingprogress.h"
#include "support/testdb.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;

namespace {

// Case numbers and unit names; one name is missing altogether (NULL).
const std::vector<std::pair<QString, QVariant>> cases = {
    {u"20020001"_s, u"O'Brien餐厅"_s},  {u"20020002"_s, u"O'Brian店"_s},   {u"20020003"_s, u"100%纯净水厂"_s},
    {u"20020004"_s, u"100元店"_s},      {u"20020005"_s, u"a_b商行"_s},      {u"20020006"_s, u"axb商行"_s},
    {u"20020007"_s, u"城关饭店"_s},     {u"20020008"_s, u"城关饭店二部"_s}, {u"20020009"_s, u""_s},
    {u"20020010"_s, QVariant()},        {u"20030001"_s, u"ABC公司"_s},      {u"20030002"_s, u"abd公司"_s},
};

QStringList numbers(const Rows &rows)
{
    QStringList out;
    for (std::size_t i = 0; i < rows.size(); ++i)
        out << rows.value(i, u"dabh"_s);
    return out;
}

QStringList serials(std::initializer_list<int> xs)
{
    QStringList out;
    for (int x : xs)
        out << (x > 100 ? u"2003%1"_s.arg(x - 100, 4, 10, QChar(u'0')) : u"2002%1"_s.arg(x, 4, 10, QChar(u'0')));
    return out;
}

} // namespace

class TestListQuery : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_db.reset(); }
    void rows_data();
    void rows();
    void namesOnlyFromTheSchema();
    void sourcesOfTheReports();
    void caseRowOfTheCurrentCase();
    void listReportReadsTheCurrentList();
    void rowsReadByPosition();

private:
    std::unique_ptr<test::TestDatabase> m_db;
};

void TestListQuery::init()
{
    m_db = std::make_unique<test::TestDatabase>();
    for (const auto &[no, name] : cases)
        QVERIFY(db().insertRow(u"xzcf"_s, {u"dabh"_s, u"dwmc"_s}, {no, name}));
}

void TestListQuery::rows_data()
{
    QTest::addColumn<QString>("sort");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("opening list by number") << u"dabh"_s << QString()
                                            << serials({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 101, 102});
    QTest::newRow("by name, ignoring case, missing first")
        << u"dwmc"_s << QString() << serials({10, 9, 3, 4, 5, 101, 102, 6, 2, 1, 7, 8});
    QTest::newRow("year of the number") << u"dabh"_s << u"2003"_s << serials({101, 102});
    QTest::newRow("apostrophe is a character") << u"dwmc"_s << u"O'"_s << serials({2, 1});
    QTest::newRow("apostrophe, other case") << u"dwmc"_s << u"o'bri"_s << serials({2, 1});
    QTest::newRow("apostrophe alone") << u"dwmc"_s << u"'"_s << QStringList();
    QTest::newRow("percent is a character") << u"dwmc"_s << u"100%"_s << serials({3});
    QTest::newRow("percent alone") << u"dwmc"_s << u"%"_s << QStringList();
    QTest::newRow("underscore is a character") << u"dwmc"_s << u"a_"_s << serials({5});
    QTest::newRow("chinese prefix") << u"dwmc"_s << u"城关饭店"_s << serials({7, 8});
    QTest::newRow("longer than every value") << u"dwmc"_s << u"城关饭店二部还有"_s << QStringList();
    QTest::newRow("SQL text is data") << u"dwmc"_s << u"' OR 1=1 --"_s << QStringList();
}

void TestListQuery::rows()
{
    QFETCH(QString, sort);
    QFETCH(QString, prefix);
    QFETCH(QStringList, expected);
    const ListQuery q{u"xzcf"_s, sort, prefix.isEmpty() ? QString() : sort, prefix};
    QCOMPARE(numbers(listRows(q)), expected);
    QCOMPARE(listCount(q), expected.size());
    ListRows byPosition(db(), q.table, {u"dabh"_s}, *readRowIds(db(), q, 0, noProgress()));
    QStringList positional;
    for (std::size_t i = 0; i < byPosition.size(); ++i)
        positional << byPosition.row(i).at(0);
    QCOMPARE(positional, expected);
}

void TestListQuery::namesOnlyFromTheSchema()
{
    QVERIFY_THROWS_EXCEPTION(DbError, listStatement({u"xzcf; DROP TABLE xzcf"_s, u"dabh"_s, {}, {}}));
    QVERIFY_THROWS_EXCEPTION(DbError, listStatement({u"xzcf"_s, u"dabh desc"_s, {}, {}}));
    QVERIFY_THROWS_EXCEPTION(DbError, countStatement({u"xzcf"_s, u"dabh"_s, u"nosuch"_s, u"x"_s}));
    // Names are written as the schema spells them.
    QCOMPARE(listStatement({u"XZCF"_s, u"DWMC"_s, {}, {}}).sql, u"SELECT * FROM xzcf ORDER BY dwmc, rowid"_s);
}

void TestListQuery::sourcesOfTheReports()
{
    const auto &sources = reportSources();
    QCOMPARE(sources.size(), std::size_t(26));
    for (std::size_t i = 0; i < sources.size(); ++i)
        QCOMPARE(sources[i].command, int(i) + 1);
    struct Expect {
        QString report;
        int command;
        QString table;
        ReportRows rows;
    };
    const Expect expect[] = {
        {u"rep_labg"_s, 1, u"labg"_s, ReportRows::CaseRow},      {u"rep_sljl"_s, 2, u"sljl"_s, ReportRows::CaseRow},
        {u"DataReport6"_s, 3, u"wsxkz"_s, ReportRows::ListQuery}, {u"rep_ns"_s, 3, u"wsxkz"_s, ReportRows::ListQuery},
        {u"rep_gzs"_s, 4, u"cfgz"_s, ReportRows::CaseRow},       {u"rep_jktj"_s, 13, u"jktj"_s, ReportRows::ListQuery},
        {u"rep_xzcf"_s, 14, u"xzcf"_s, ReportRows::ListQuery},   {u"rep_tj"_s, 15, u"xzcftj"_s, ReportRows::WholeTable},
        {u"rep_zlgz"_s, 26, u"zlgz"_s, ReportRows::CaseRow},
    };
    for (const Expect &e : expect) {
        const ReportSource *s = reportSource(e.report);
        QVERIFY2(s, qPrintable(e.report));
        QCOMPARE(s->command, e.command);
        QCOMPARE(s->table, e.table);
        QCOMPARE(s->rows, e.rows);
    }
    QCOMPARE(reportSource(u"rep_nosuch"_s), nullptr);
    QVERIFY_THROWS_EXCEPTION(DbError, buildReport(report::ReportLayout{}));
}

void TestListQuery::caseRowOfTheCurrentCase()
{
    QVERIFY(db().insertRow(u"labg"_s, {u"dabh"_s, u"dsr"_s}, {u"20020001"_s, u"张三"_s}));
    QVERIFY(db().insertRow(u"labg"_s, {u"dabh"_s, u"dsr"_s}, {u"20020002"_s, u"李四"_s}));
    const ReportSource &labg = *reportSource(u"rep_labg"_s);
    for (const auto &[no, party] : {std::pair{u"20020002"_s, u"李四"_s}, std::pair{u"20020001"_s, u"张三"_s}}) {
        app().caseNo = no;
        const Rows rows = reportRows(labg);
        QCOMPARE(rows.size(), std::size_t(1));
        QCOMPARE(rows.value(0, u"dsr"_s), party);
    }
    app().caseNo = u"2002' OR '1'='1"_s;
    QVERIFY(reportRows(labg).empty());
    // The statistics sheet reads its table as it stands: the one row.
    QCOMPARE(reportRows(*reportSource(u"rep_tj"_s)).size(), std::size_t(1));
}

void TestListQuery::listReportReadsTheCurrentList()
{
    report::ReportLayout layout;
    layout.name = u"rep_xzcf"_s;
    layout.detail.height = 300;
    layout.detail.items = {report::field(0, 0, 1000, u"dabh"_s)};

    app().listQuery = {u"xzcf"_s, u"dwmc"_s, u"dwmc"_s, u"城关"_s};
    QCOMPARE(buildReport(layout).texts(0), serials({7, 8}));
    app().listQuery = {u"xzcf"_s, u"dabh"_s, u"dabh"_s, u"2003"_s};
    QCOMPARE(buildReport(layout).texts(0), serials({101, 102}));
    // A list of another table is not this report's list.
    app().listQuery = {u"wsxkz"_s, u"xkzh"_s, {}, {}};
    QVERIFY_THROWS_EXCEPTION(DbError, buildReport(layout));
}

// Rows of a list by position, in any order across the blocks they are
// read in; only the asked columns that the table has; a row deleted since
// the list was read shows empty values; reading the ids stops on cancel.
void TestListQuery::rowsReadByPosition()
{
    for (int i = 1; i <= 150; ++i)
        db().insertRow(u"xzcf"_s, {u"dabh"_s, u"dwmc"_s, u"dh"_s},
                       {u"2004%1"_s.arg(i, 4, 10, QChar(u'0')), u"单位%1"_s.arg(151 - i, 3, 10, QChar(u'0')),
                        QString::number(i)});
    const ListQuery q{u"xzcf"_s, u"dwmc"_s, {}, {}};
    const Rows whole = listRows(q);
    const RowIds ids = *readRowIds(db(), q, 0, noProgress());
    ListRows rows(db(), u"xzcf"_s, {u"dh"_s, u"nosuch"_s, u"DABH"_s}, ids);
    QCOMPARE(rows.columns(), (std::vector<QString>{u"dh"_s, u"DABH"_s}));
    QCOMPARE(rows.size(), whole.size());
    for (std::size_t i : {std::size_t(161), std::size_t(0), std::size_t(70), std::size_t(64), std::size_t(63),
                          std::size_t(130), std::size_t(1)}) {
        QCOMPARE(rows.row(i), (std::vector<QString>{whole.value(i, u"dh"_s), whole.value(i, u"dabh"_s)}));
    }
    db().exec(u"DELETE FROM xzcf WHERE dabh = ?"_s, {whole.value(70, u"dabh"_s)});
    ListRows after(db(), u"xzcf"_s, {u"dh"_s, u"dabh"_s}, ids);
    QCOMPARE(after.row(70), std::vector<QString>(2));
    QCOMPARE(after.row(71).at(1), whole.value(71, u"dabh"_s));

    test::RecordingProgress cancel;
    cancel.cancelAtOnce = true;
    QVERIFY(!readRowIds(db(), q, 0, cancel));
}

QTEST_GUILESS_MAIN(TestListQuery)
#include "tst_listquery.moc"
