// The printed filing documents against the national forms: a page laid out
// for a filled row, read from the page model. Every label, field, rule and
// underline stands where the form has it (within 15 twips), in its font,
// nothing else prints, the hand-written entries and the case number stay
// blank, and no field runs outside its width. No display needed.
#include "cases/documents/descriptions.h"
#include "cases/engine/description.h"
#include "data/appvalues.h"
#include "data/connection.h"
#include "data/reportsources.h"
#include "support/documentrows.h"
#include "support/printedforms.h"
#include "support/testdb.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::report;

namespace {

const QString caseNo = u"20020007"_s;
using test::isDatePart;
using test::tolerance;
using test::itemsOf;
constexpr int leftMargin = 1080;
constexpr int topMargin = 720;
constexpr int reportHeaderHeight = 3135;

enum class Sec { Header, Detail };
using test::What;

// One thing of a printed form. Tops given as a range where the form's
// label and box on one line stand a little apart. Rules: left 0, the
// width given; underlines: from left to left + width.
struct Expected {
    int k; // register index
    Sec section;
    What what;
    QString text; // a label's printed text, a field's column
    int left;
    int topLow;
    int topHigh;
    int width = 0; // 0: none given
    double points = 12;
    bool bold = false;
    bool centred = false;
};

Expected lbl(int k, Sec s, const QString &text, int left, int top, int topHigh, int width = 0, double pt = 12,
             bool bold = false)
{
    return {k, s, What::Label, text, left, top, topHigh, width, pt, bold};
}
Expected fld(int k, const QString &column, int left, int top, int topHigh, int width, bool centred = false)
{
    return {k, Sec::Detail, What::Field, column, left, top, topHigh, width, 12, false, centred};
}
Expected rule(int k, Sec s, int top, int width) { return {k, s, What::Rule, {}, 0, top, top, width}; }
Expected under(int k, int x1, int x2, int y) { return {k, Sec::Detail, What::Underline, {}, x1, y, y, x2 - x1}; }

constexpr int L = 2; // 立案报告
constexpr int S = 1; // 案件受理记录
const Sec H = Sec::Header;
const Sec D = Sec::Detail;

const std::vector<Expected> &forms()
{
    static const std::vector<Expected> all = {
        lbl(L, H, u"卫  生  行  政  执  法  处  罚  文  书"_s, 1710, 1095, 1095, 6390, 15.75),
        rule(L, H, 1470, 9615),
        lbl(L, H, u"立  案  报  告"_s, 3075, 2025, 2025, 3315, 21.75, true),
        lbl(L, D, u"当 事 人："_s, 0, 165, 165, 1350),
        fld(L, u"dsr"_s, 1155, 165, 165, 8610),
        rule(L, D, 690, 9615),
        lbl(L, D, u"案件来源："_s, 0, 930, 945, 1335),
        fld(L, u"ajly"_s, 1155, 930, 945, 3855),
        lbl(L, D, u"受理时间："_s, 5100, 930, 945, 1395),
        fld(L, u"slsj"_s, 6210, 930, 945, 3465, true),
        lbl(L, D, u"发案时间："_s, 0, 1380, 1395, 1365),
        fld(L, u"fadd"_s, 1140, 1380, 1395, 3885),
        lbl(L, D, u"发案地点："_s, 5100, 1380, 1395, 1290),
        fld(L, u"fasj"_s, 6225, 1380, 1395, 3465, true),
        lbl(L, D, u"案情摘要："_s, 0, 2070, 2070, 0, 12, true),
        fld(L, u"aqzy1"_s, 480, 2400, 2400, 9195),
        fld(L, u"aqzy2"_s, 0, 2760, 2760, 9660),
        fld(L, u"aqzy3"_s, 0, 3120, 3120, 9660),
        fld(L, u"aqzy4"_s, 0, 3495, 3495, 9660),
        lbl(L, D, u"经初步审查，当事人的行为违反了"_s, 510, 4260, 4260, 3765),
        fld(L, u"wfxw1"_s, 4080, 4260, 4260, 5580),
        under(L, 4050, 9660, 4560),
        fld(L, u"wfxw2"_s, 0, 4725, 4740, 8670),
        under(L, 0, 8670, 5025),
        lbl(L, D, u"的规定，"_s, 8700, 4725, 4740),
        lbl(L, D, u"依法应当给予行政处罚，建议予以立案。"_s, 0, 5160, 5160),
        lbl(L, D, u"经办人签名："_s, 5715, 6375, 6375),
        rule(L, D, 6840, 9615),
        lbl(L, D, u"负责人审批意见："_s, 0, 7050, 7050, 0, 12, true),
        lbl(L, D, u"本案自    年  月  日起立案，由"_s, 525, 8070, 8085, 3660),
        fld(L, u"lasj_y"_s, 1230, 8070, 8085, 525),
        fld(L, u"lasj_m"_s, 1965, 8070, 8085, 285),
        fld(L, u"lasj_d"_s, 2430, 8070, 8085, 285),
        under(L, 1230, 1740, 8370),
        under(L, 1935, 2220, 8370),
        under(L, 2415, 2760, 8370),
        fld(L, u"cbr1"_s, 4185, 8070, 8085, 5475),
        under(L, 4140, 9690, 8385),
        fld(L, u"cbr2"_s, 0, 8535, 8535, 3600),
        under(L, 0, 3540, 8835),
        lbl(L, D, u"承办。"_s, 3600, 8535, 8535),
        fld(L, u"pbjg"_s, 0, 9555, 9555, 3795, true),
        lbl(L, D, u"负责人签名："_s, 5700, 9555, 9555),
        fld(L, u"pbsj_y"_s, 6240, 10320, 10335, 525),
        lbl(L, D, u"年   月   日"_s, 6810, 10320, 10335, 1890),
        fld(L, u"pbsj_m"_s, 7095, 10320, 10335, 330),
        fld(L, u"pbsj_d"_s, 7725, 10320, 10335, 285),
        rule(L, D, 10800, 9615),
        lbl(L, D, u"中华人民共和国卫生部制定"_s, 4920, 10920, 10920, 3210),

        lbl(S, H, u"卫  生  行  政  执  法  处  罚  文  书"_s, 1860, 1095, 1095, 6435, 15),
        rule(S, H, 1470, 9645),
        lbl(S, H, u"案 件 受 理 记 录"_s, 2865, 2085, 2085, 4095, 21.75, true),
        lbl(S, D, u"案件来源："_s, 0, 135, 150, 1365),
        fld(S, u"ajly"_s, 1215, 135, 150, 8475),
        // "受理时间：    年  月  日" in a box of 1260: only this fits.
        lbl(S, D, u"受理时间："_s, 0, 615, 660, 1260),
        fld(S, u"slsj"_s, 1230, 615, 660, 8490),
        lbl(S, D, u"案发单位(人)："_s, 0, 1110, 1110, 1770),
        fld(S, u"afdw1"_s, 1695, 1110, 1110, 8010),
        fld(S, u"afdw2"_s, 15, 1470, 1470, 9675),
        lbl(S, D, u"内容："_s, 0, 2070, 2070, 0, 12, true),
        fld(S, u"nr1"_s, 495, 2505, 2505, 9180),
        fld(S, u"nr2"_s, 0, 2880, 2880, 9690),
        fld(S, u"nr3"_s, 0, 3255, 3255, 9690),
        fld(S, u"nr4"_s, 0, 3660, 3660, 9690),
        fld(S, u"nr5"_s, 0, 4065, 4065, 9690),
        lbl(S, D, u"处理意见："_s, 0, 4530, 4530, 0, 12, true),
        fld(S, u"clyj1"_s, 480, 4950, 4950, 9285),
        fld(S, u"clyj2"_s, 0, 5385, 5385, 9735),
        fld(S, u"clyj3"_s, 0, 5805, 5805, 9735),
        lbl(S, D, u"经办人签名："_s, 5505, 6975, 6975),
        rule(S, D, 7590, 9645),
        lbl(S, D, u"负责人意见："_s, 0, 7905, 7905, 0, 12, true),
        fld(S, u"fzryj1"_s, 480, 8400, 8400, 9285),
        fld(S, u"fzryj2"_s, 0, 8835, 8835, 9735),
        fld(S, u"jgmc"_s, 0, 9765, 9795, 4185, true),
        lbl(S, D, u"负责人签名："_s, 5460, 9765, 9795),
        lbl(S, D, u"     年  月  日  "_s, 6495, 10350, 10350, 2055),
        fld(S, u"sj_y"_s, 6570, 10350, 10350, 570),
        fld(S, u"sj_m"_s, 7350, 10350, 10350, 285),
        fld(S, u"sj_d"_s, 7815, 10350, 10350, 285),
        rule(S, D, 10845, 9645),
        lbl(S, D, u"中华人民共和国卫生部制定"_s, 6195, 10980, 10980, 3105),
    };
    return all;
}

// Columns a printed form leaves blank: signatures, the approval opinion and
// the case number.
QStringList handEntries(int k)
{
    return k == L ? QStringList{u"dabh"_s, u"jbr"_s, u"spyj"_s, u"fzr"_s}
                  : QStringList{u"dabh"_s, u"jbr"_s, u"fzrqm"_s};
}

// Every box column written as long as it holds: full-width text, and the
// date parts in digits (or full-width too).
void fillRow(const DocumentDescription &d, bool fullWidthDates)
{
    const QString text = u"卫生监督所接群众举报某饭店使用过期食品原料加工菜肴经现场检查属实"_s.repeated(6);
    test::writeRow(d, caseNo, [&](const BoxSpec &b) {
        return isDatePart(b.column) && !fullWidthDates ? test::datePartValue(b.column) : text;
    });
}

QString stored(const DocumentDescription &d, const QString &column)
{
    return test::storedValue(d.document.table, column, caseNo);
}

// The printed item an expectation describes, or nullptr.
const PageItem *printed(const Page &page, const Expected &e, int sectionTop)
{
    return test::findPrinted(page, e.what, e.text, e.left, e.topLow, leftMargin, sectionTop, test::LabelAt::Anywhere);
}

} // namespace

class TestDocumentReports : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void positions_data();
    void positions();
    void nothingElsePrints_data();
    void nothingElsePrints();
    void fieldsStayInsideTheirWidths_data();
    void fieldsStayInsideTheirWidths();

private:
    PageModel page(int k, bool fullWidthDates = false);

    std::unique_ptr<test::TestDatabase> m_db;
};

void TestDocumentReports::init()
{
    m_db = std::make_unique<test::TestDatabase>();
    app().caseNo = caseNo;
}

void TestDocumentReports::cleanup() { m_db.reset(); }

PageModel TestDocumentReports::page(int k, bool fullWidthDates)
{
    const DocumentDescription &d = *documentDescription(k);
    fillRow(d, fullWidthDates);
    return buildReport(d.report);
}

void TestDocumentReports::positions_data()
{
    QTest::addColumn<int>("n");
    const std::vector<Expected> &all = forms();
    for (std::size_t n = 0; n < all.size(); ++n) {
        const Expected &e = all[n];
        static const char *const kinds[] = {"label", "field", "rule", "underline"};
        QTest::addRow("%s %s %s %d", qPrintable(documentAt(e.k).report), kinds[int(e.what)], qPrintable(e.text),
                      e.topLow)
            << int(n);
    }
}

void TestDocumentReports::positions()
{
    QFETCH(int, n);
    const Expected &e = forms()[std::size_t(n)];
    const DocumentDescription &d = *documentDescription(e.k);
    const PageModel model = page(e.k);
    QCOMPARE(model.pageCount(), 1);
    const int sectionTop = topMargin + (e.section == Sec::Detail ? reportHeaderHeight : 0);
    const PageItem *p = printed(model.pages[0], e, sectionTop);
    QVERIFY2(p, "not printed");

    const int top = p->top - sectionTop;
    QVERIFY2(top >= e.topLow - tolerance && top <= e.topHigh + tolerance, qPrintable(QString::number(top)));
    const int left = p->left - leftMargin;
    test::checkPlaced(*p, left, {e.what, e.left, e.width, e.points, e.bold, e.centred},
                      e.what == What::Field ? stored(d, e.text) : QString());
}

void TestDocumentReports::nothingElsePrints_data()
{
    QTest::addColumn<int>("k");
    QTest::newRow("rep_labg") << L;
    QTest::newRow("rep_sljl") << S;
}

// The page holds exactly the form's items, and the hand-written entries
// and the case number print nowhere.
void TestDocumentReports::nothingElsePrints()
{
    QFETCH(int, k);
    const PageModel model = page(k);
    const Page &p = model.pages[0];
    int texts = 0;
    int rules = 0;
    int underlines = 0;
    for (const Expected &e : forms()) {
        if (e.k != k)
            continue;
        texts += e.what == What::Label || e.what == What::Field;
        rules += e.what == What::Rule;
        underlines += e.what == What::Underline;
    }
    QCOMPARE(int(itemsOf(p, ItemKind::Label).size() + itemsOf(p, ItemKind::Field).size()), texts);
    QCOMPARE(int(itemsOf(p, ItemKind::Box).size()), rules);
    QCOMPARE(int(itemsOf(p, ItemKind::Line).size()), underlines);
    const DocumentDescription &d = *documentDescription(k);
    for (const QString &column : handEntries(k)) {
        for (const PageItem *f : itemsOf(p, ItemKind::Field))
            QVERIFY2(f->column != column, qPrintable(column));
        QVERIFY(!stored(d, column).isEmpty());
    }
    QVERIFY(!model.texts(0).join(u'|').contains(caseNo));
}

void TestDocumentReports::fieldsStayInsideTheirWidths_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<bool>("fullWidthDates");
    QTest::newRow("rep_labg, dates in digits") << L << false;
    QTest::newRow("rep_labg, dates in full-width characters") << L << true;
    QTest::newRow("rep_sljl, dates in digits") << S << false;
    QTest::newRow("rep_sljl, dates in full-width characters") << S << true;
}

// Every column as full as it can be: each field keeps inside its width
// and prints whole, a date part wider than its box in a smaller size, on
// two lines of its box where one does not hold it.
void TestDocumentReports::fieldsStayInsideTheirWidths()
{
    QFETCH(int, k);
    QFETCH(bool, fullWidthDates);
    const DocumentDescription &d = *documentDescription(k);
    const PageModel model = page(k, fullWidthDates);
    int fields = 0;
    for (const Item &item : d.report.detail.items) {
        if (item.kind != ItemKind::Field)
            continue;
        ++fields;
        test::checkFieldWhole(model.pages[0], item, leftMargin, stored(d, item.text));
    }
    QCOMPARE(fields, k == L ? 20 : 18);
}

QTEST_GUILESS_MAIN(TestDocumentReports)
#include "tst_documentreports.moc"
