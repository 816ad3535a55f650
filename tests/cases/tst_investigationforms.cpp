// The printed investigation conclusion report, collegial deliberation
// record and penalty approval form, read from the page model of a filled
// row: every label, field, rule and underline where the form has it
// (within 15 twips), in its font and in reading order; the form's wording
// against the window's; the dates in the blanks of their labels; nothing
// else printed, the hand-written entries blank, no field outside its width.
// No display needed.
#include "cases/documents/investigation/dczj.h"
#include "cases/documents/investigation/hyjl.h"
#include "cases/documents/investigation/spb.h"
#include "cases/engine/description.h"
#include "cases/engine/windowlayout.h"
#include "data/appvalues.h"
#include "data/connection.h"
#include "data/reportsources.h"
#include "support/documentrows.h"
#include "support/printedforms.h"
#include "support/testdb.h"

#include <QtTest>
#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::report;

namespace {

const QString caseNo = u"20020007"_s;
using test::isDatePart;
using test::tolerance;
using test::count;

constexpr int Z = 3; // 案件调查终结报告
constexpr int H = 4; // 合议记录
constexpr int P = 5; // 卫生行政处罚审批表

const DocumentDescription &described(int k)
{
    return k == Z ? dczjDescription() : k == H ? hyjlDescription() : spbDescription();
}

// Title: the section that holds the document's title (the page header of
// rep_dczj and rep_hyjl, the report header of rep_spb).
enum class Sec { Title, Detail };
using test::What;

// One thing of a printed form, on row `row` of the form counted from the
// top. Rules: left 0, the width given; underlines: from left to left + width.
struct Expected {
    int k;
    int row;
    Sec section;
    What what;
    QString text; // a label's printed text, a field's column
    int left;
    int top;
    int width = 0;
    double points = 12;
    bool bold = false;
    bool centred = false;
};

Expected lbl(int k, int row, Sec s, const QString &text, int left, int top, int width = 0, double pt = 12,
             bool bold = false)
{
    return {k, row, s, What::Label, text, left, top, width, pt, bold};
}
Expected head(int k, int row, const QString &text, int top) { return lbl(k, row, Sec::Detail, text, 0, top, 0, 12, true); }
Expected fld(int k, int row, const QString &column, int left, int top, int width, bool bold = false)
{
    return {k, row, Sec::Detail, What::Field, column, left, top, width, 12, bold};
}
Expected centredFld(int k, int row, const QString &column, int left, int top, int width)
{
    Expected e = fld(k, row, column, left, top, width);
    e.centred = true;
    return e;
}
Expected rule(int k, int row, Sec s, int top) { return {k, row, s, What::Rule, {}, 0, top, 9615}; }
Expected under(int k, int row, Sec s, int x1, int x2, int y) { return {k, row, s, What::Underline, {}, x1, y, x2 - x1}; }

const Sec T = Sec::Title;
const Sec D = Sec::Detail;
const QString header = u"卫  生  行  政  执  法  处  罚  文  书"_s;
const QString footer = u"中华人民共和国卫生部制定"_s;

const std::vector<Expected> &forms()
{
    static const std::vector<Expected> all = {
        lbl(Z, 0, T, header + u" "_s, 1710, 1095, 6390, 15.75),
        rule(Z, 1, T, 1470),
        lbl(Z, 2, T, u"案 件 调 查 终 结 报 告"_s, 2325, 2025, 5040, 21.75, true),
        lbl(Z, 3, D, u"案    由："_s, 0, 165, 1200),
        fld(Z, 3, u"ay"_s, 1200, 165, 8460),
        lbl(Z, 4, D, u"当 事 人："_s, 0, 585, 1200),
        fld(Z, 4, u"dsr"_s, 1200, 585, 8460),
        lbl(Z, 5, D, u"承办机关："_s, 0, 1005, 1200),
        fld(Z, 5, u"cbjg"_s, 1200, 1005, 8460),
        lbl(Z, 6, D, u"承 办 人："_s, 0, 1425, 1200),
        fld(Z, 6, u"cbr"_s, 1200, 1425, 8460),
        head(Z, 7, u"案情及违法事实："_s, 1950),
        fld(Z, 8, u"wfss1"_s, 480, 2370, 9180),
        fld(Z, 9, u"wfss2"_s, 0, 2730, 9660),
        fld(Z, 10, u"wfss3"_s, 0, 3090, 9660),
        fld(Z, 11, u"wfss4"_s, 0, 3450, 9660),
        head(Z, 12, u"相关证据："_s, 3930),
        fld(Z, 13, u"xgyj1"_s, 480, 4350, 9180),
        fld(Z, 14, u"xgyj2"_s, 0, 4710, 9660),
        head(Z, 15, u"争议要点："_s, 5190),
        fld(Z, 16, u"zyyd1"_s, 480, 5610, 9180),
        fld(Z, 17, u"zyyd2"_s, 0, 5970, 9660),
        head(Z, 18, u"处理建议："_s, 6450),
        fld(Z, 19, u"cljy1"_s, 480, 6870, 9180),
        fld(Z, 20, u"cljy2"_s, 0, 7230, 9660),
        centredFld(Z, 21, u"jgmc"_s, 0, 8400, 3795),
        lbl(Z, 21, D, u"承办人签名："_s, 5700, 8400, 1440),
        fld(Z, 22, u"pbsj_y"_s, 6240, 9180, 525),
        lbl(Z, 22, D, u"年   月   日"_s, 6810, 9180, 1890),
        fld(Z, 22, u"pbsj_m"_s, 7080, 9180, 330),
        fld(Z, 22, u"pbsj_d"_s, 7665, 9180, 330),
        rule(Z, 23, D, 9660),
        lbl(Z, 24, D, footer, 6780, 9780, 2880),

        lbl(H, 0, T, header, 1710, 1095, 6390, 15.75),
        rule(H, 1, T, 1470),
        lbl(H, 2, T, u"第   页共   页"_s, 7980, 1620, 1680),
        under(H, 2, T, 8220, 8580, 1875),
        under(H, 2, T, 9060, 9420, 1875),
        lbl(H, 3, T, u"  合  议  记  录"_s, 3090, 2025, 3540, 21.75, true),
        lbl(H, 4, D, u"案    由："_s, 0, 165, 1200),
        fld(H, 4, u"ay"_s, 1200, 165, 8460),
        fld(H, 5, u"bzfdu"_s, 1200, 525, 8460),
        lbl(H, 6, D, u"合议机关："_s, 0, 945, 1200),
        fld(H, 6, u"hyjg"_s, 1200, 945, 8460),
        lbl(H, 7, D, u"合议主持人："_s, 0, 1365, 1440),
        fld(H, 7, u"hyzcy"_s, 1440, 1365, 8220),
        lbl(H, 8, D, u"参加合议人员："_s, 0, 1785, 1680),
        fld(H, 8, u"hyyy"_s, 1680, 1785, 7980),
        lbl(H, 9, D, u"合议时间："_s, 0, 2205, 1200),
        fld(H, 9, u"hydd"_s, 1200, 2205, 4200),
        lbl(H, 9, D, u"合议地点："_s, 5460, 2205, 1200),
        fld(H, 9, u"hysj"_s, 6660, 2205, 3000),
        head(H, 10, u"违法事实："_s, 2730),
        fld(H, 11, u"ufss1"_s, 480, 3150, 9180),
        fld(H, 12, u"ufss2"_s, 0, 3510, 9660),
        fld(H, 13, u"ufss3"_s, 0, 3870, 9660),
        fld(H, 14, u"ufss4"_s, 0, 4230, 9660),
        head(H, 15, u"相关证据："_s, 4710),
        fld(H, 16, u"xgzj1"_s, 480, 5130, 9180),
        fld(H, 17, u"xgzj2"_s, 0, 5490, 9660),
        head(H, 18, u"处理依据："_s, 5970),
        lbl(H, 19, D, u"    违反了"_s, 0, 6390, 1200),
        fld(H, 19, u"clyj1"_s, 1200, 6390, 8460),
        under(H, 19, D, 1200, 9660, 6675),
        fld(H, 20, u"clyj2"_s, 0, 6810, 8400),
        under(H, 20, D, 0, 8400, 7095),
        lbl(H, 20, D, u"之规定。"_s, 8400, 6810, 960),
        lbl(H, 21, D, u"    依据"_s, 0, 7230, 960),
        fld(H, 21, u"yj1"_s, 960, 7230, 8700),
        under(H, 21, D, 960, 9660, 7515),
        fld(H, 22, u"yj2"_s, 0, 7650, 8400),
        under(H, 22, D, 0, 8400, 7935),
        lbl(H, 22, D, u"之规定。"_s, 8400, 7650, 960),
        head(H, 23, u"合议建议："_s, 8130),
        fld(H, 24, u"hyjy1"_s, 480, 8550, 9180),
        fld(H, 25, u"hyjy2"_s, 0, 8910, 9660),
        lbl(H, 26, D, u"合议人员签名："_s, 0, 9450, 1680),
        lbl(H, 27, D, u"记录人签名："_s, 0, 10050, 1440),
        fld(H, 28, u"pbsj_y"_s, 7320, 10710, 480),
        lbl(H, 28, D, u"  年   月    日"_s, 7560, 10710, 1800),
        fld(H, 28, u"pbsj_m"_s, 8070, 10710, 330),
        fld(H, 28, u"pbsj_d"_s, 8700, 10710, 360),
        rule(H, 29, D, 11190),
        lbl(H, 30, D, footer, 6780, 11310, 2880),

        lbl(P, 0, T, u"卫生行政处罚审批表"_s, 2850, 600, 3960, 21.75, true),
        rule(P, 1, D, 120),
        lbl(P, 2, D, u"案    由："_s, 0, 360, 1200),
        fld(P, 2, u"ay"_s, 1200, 360, 8460),
        under(P, 2, D, 1200, 9660, 645),
        lbl(P, 3, D, u"案件来源："_s, 0, 780, 1200),
        fld(P, 3, u"ajly"_s, 1200, 780, 8460),
        under(P, 3, D, 1200, 9660, 1065),
        lbl(P, 4, D, u"被处罚单位："_s, 0, 1200, 1440),
        fld(P, 4, u"cfdw"_s, 1440, 1200, 8220),
        under(P, 4, D, 1440, 9660, 1485),
        lbl(P, 5, D, u"地    址："_s, 0, 1620, 1200),
        fld(P, 5, u"dz"_s, 1200, 1620, 8460),
        under(P, 5, D, 1200, 9660, 1905),
        lbl(P, 6, D, u"经济性质："_s, 0, 2040, 1200),
        fld(P, 6, u"jjxz"_s, 1200, 2040, 2760),
        under(P, 6, D, 1200, 3960, 2325),
        lbl(P, 6, D, u"法人代表/负责人："_s, 4320, 2040, 2040),
        fld(P, 6, u"fzr"_s, 6360, 2040, 3300),
        under(P, 6, D, 6360, 9660, 2325),
        rule(P, 7, D, 2520),
        head(P, 8, u"主要违法事实："_s, 2700),
        fld(P, 9, u"wfxw1"_s, 480, 3120, 9180),
        under(P, 9, D, 480, 9660, 3405),
        fld(P, 10, u"wfxw4"_s, 0, 3480, 9660),
        under(P, 10, D, 0, 9660, 3765),
        fld(P, 11, u"wfxw5"_s, 0, 3840, 9660),
        under(P, 11, D, 0, 9660, 4125),
        fld(P, 12, u"wfxw6"_s, 0, 4200, 9660),
        under(P, 12, D, 0, 9660, 4485),
        lbl(P, 13, D, u"   上述事实违反了"_s, 0, 4620, 2040),
        fld(P, 13, u"wfgd1"_s, 2040, 4620, 7620),
        under(P, 13, D, 2040, 9660, 4905),
        fld(P, 14, u"wfgd2"_s, 0, 5040, 7260),
        under(P, 14, D, 0, 7260, 5325),
        lbl(P, 14, D, u"的规定，"_s, 7260, 5040, 960),
        lbl(P, 15, D, u"   依据"_s, 0, 5460, 840),
        fld(P, 15, u"yjgd1"_s, 840, 5460, 8820),
        under(P, 15, D, 840, 9660, 5745),
        fld(P, 16, u"yjgd2"_s, 0, 5880, 7380),
        under(P, 16, D, 0, 7380, 6165),
        lbl(P, 16, D, u"的规定，"_s, 7380, 5880, 960),
        lbl(P, 17, D, u"拟给予以下行政处罚："_s, 0, 6300, 2400),
        fld(P, 18, u"xzcf1"_s, 480, 6720, 9180, true),
        under(P, 18, D, 480, 9660, 7005),
        fld(P, 19, u"xzcf2"_s, 0, 7080, 9660, true),
        under(P, 19, D, 0, 9660, 7365),
        lbl(P, 20, D, u"承办人签字："_s, 0, 7680, 1440),
        fld(P, 20, u"cssj_y"_s, 7695, 7680, 525),
        lbl(P, 20, D, u"年  月  日"_s, 8220, 7680, 1200),
        fld(P, 20, u"cssj_m"_s, 8460, 7680, 240),
        fld(P, 20, u"cssj_d"_s, 8940, 7680, 240),
        rule(P, 21, D, 8160),
        head(P, 22, u"审批意见："_s, 8400),
        lbl(P, 23, D, u"负责人签字："_s, 0, 9600, 1440),
        fld(P, 23, u"pbsj_y"_s, 7695, 9600, 525),
        lbl(P, 23, D, u"年  月  日"_s, 8220, 9600, 1200),
        fld(P, 23, u"pbsj_m"_s, 8460, 9600, 240),
        fld(P, 23, u"pbsj_d"_s, 8940, 9600, 240),
        rule(P, 24, D, 10080),
    };
    return all;
}

std::vector<Expected> formOf(int k)
{
    std::vector<Expected> out;
    std::copy_if(forms().begin(), forms().end(), std::back_inserter(out), [k](const Expected &e) { return e.k == k; });
    return out;
}

// Top of a section on the page, from the page's top edge.
int sectionTop(const ReportLayout &r, Sec s)
{
    const bool titleInPageHeader = !r.pageHeader.items.empty();
    if (s == Sec::Title)
        return r.page.topMargin + (titleInPageHeader ? r.reportHeader.height : 0);
    return r.page.topMargin + r.reportHeader.height + r.pageHeader.height;
}

// Columns the printed form leaves blank: the case number and the entries
// written by hand on paper (and the deliberation record's hidden column).
QStringList unprinted(int k)
{
    if (k == Z)
        return {u"dabh"_s, u"cbrqm"_s};
    if (k == H)
        return {u"dabh"_s, u"hyjly"_s, u"hyrqm"_s, u"jlrqm"_s};
    return {u"dabh"_s, u"cbr"_s, u"spyj1"_s, u"fzrqm"_s};
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

const PageItem *printedField(const Page &page, const QString &column)
{
    return test::findPrinted(page, What::Field, column, 0, 0, 0, 0);
}

// The printed item an expectation describes, or nullptr; top and left
// are those of its section. Labels that a form prints twice are told apart
// by their tops.
const PageItem *printed(const Page &page, const Expected &e, int top, int left)
{
    return test::findPrinted(page, e.what, e.text, e.left, e.top, left, top);
}

// Where each of 年, 月 and 日 of a date label starts, in twips from the
// label's left.
std::array<int, 3> datePlaces(const QString &label, double points)
{
    return {gridOffsetTwips(label, label.indexOf(u'年'), points), gridOffsetTwips(label, label.indexOf(u'月'), points),
            gridOffsetTwips(label, label.indexOf(u'日'), points)};
}

} // namespace

class TestInvestigationForms : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void positions_data();
    void positions();
    void readingOrder_data();
    void readingOrder();
    void nothingElsePrints_data();
    void nothingElsePrints();
    void underlinedColumns_data();
    void underlinedColumns();
    void datesInTheirLabels_data();
    void datesInTheirLabels();
    void wordingAgainstTheWindow_data();
    void wordingAgainstTheWindow();
    void fieldsStayInsideTheirWidths_data();
    void fieldsStayInsideTheirWidths();

private:
    PageModel page(int k, bool fullWidthDates = false);

    std::unique_ptr<test::TestDatabase> m_db;
};

void TestInvestigationForms::init()
{
    m_db = std::make_unique<test::TestDatabase>();
    app().caseNo = caseNo;
}

void TestInvestigationForms::cleanup() { m_db.reset(); }

PageModel TestInvestigationForms::page(int k, bool fullWidthDates)
{
    fillRow(described(k), fullWidthDates);
    return buildReport(described(k).report);
}

void TestInvestigationForms::positions_data()
{
    QTest::addColumn<int>("n");
    const std::vector<Expected> &all = forms();
    for (std::size_t n = 0; n < all.size(); ++n) {
        const Expected &e = all[n];
        static const char *const kinds[] = {"label", "field", "rule", "underline"};
        QTest::addRow("%s row %d %s %s", qPrintable(documentAt(e.k).report), e.row, kinds[int(e.what)],
                      qPrintable(e.text))
            << int(n);
    }
}

void TestInvestigationForms::positions()
{
    QFETCH(int, n);
    const Expected &e = forms()[std::size_t(n)];
    const DocumentDescription &d = described(e.k);
    const PageModel model = page(e.k);
    QCOMPARE(model.pageCount(), 1);
    const int top = sectionTop(d.report, e.section);
    const int margin = d.report.page.leftMargin;
    const PageItem *p = printed(model.pages[0], e, top, margin);
    QVERIFY2(p, "not printed");

    QVERIFY2(std::abs(p->top - top - e.top) <= tolerance, qPrintable(QString::number(p->top - top)));
    const int left = p->left - margin;
    test::checkPlaced(*p, left, {e.what, e.left, e.width, e.points, e.bold, e.centred},
                      e.what == What::Field ? stored(d, e.text) : QString());
}

void TestInvestigationForms::readingOrder_data()
{
    QTest::addColumn<int>("k");
    QTest::newRow("rep_dczj") << Z;
    QTest::newRow("rep_hyjl") << H;
    QTest::newRow("rep_spb") << P;
}

// The form read as the national form reads: row after row down the page,
// the title's section first, and on one row the wording and its values
// from left to right on one line.
void TestInvestigationForms::readingOrder()
{
    QFETCH(int, k);
    std::vector<Expected> form = formOf(k);
    std::erase_if(form, [](const Expected &e) { return e.what == What::Underline; });
    QCOMPARE(form.front().row, 0);
    for (std::size_t n = 1; n < form.size(); ++n) {
        const Expected &a = form[n - 1];
        const Expected &b = form[n];
        const QByteArray where = (a.text + u" / "_s + b.text).toUtf8();
        if (a.row == b.row) {
            QVERIFY2(a.section == b.section && std::abs(a.top - b.top) <= tolerance, where.constData());
            QVERIFY2(a.left < b.left, where.constData());
        } else {
            QVERIFY2(b.row == a.row + 1, where.constData());
            QVERIFY2(b.section != a.section ? a.section == Sec::Title : b.top > a.top + tolerance, where.constData());
        }
    }
}

void TestInvestigationForms::nothingElsePrints_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("fields");
    QTest::addColumn<bool>("headerAndFooter");
    QTest::newRow("rep_dczj: 18 of its 19 box columns") << Z << 18 << true;
    QTest::newRow("rep_hyjl: 22 of its 25 box columns") << H << 22 << true;
    QTest::newRow("rep_spb: 22 of its 25 box columns, no header line, no footer") << P << 22 << false;
}

// The page holds exactly the form's items; the hand-written entries, the
// hidden column and the case number print nowhere.
void TestInvestigationForms::nothingElsePrints()
{
    QFETCH(int, k);
    QFETCH(int, fields);
    QFETCH(bool, headerAndFooter);
    const DocumentDescription &d = described(k);
    const PageModel model = page(k);
    QCOMPARE(model.pageCount(), 1);
    const Page &p = model.pages[0];
    const std::vector<Expected> form = formOf(k);
    const auto expected = [&](std::initializer_list<What> kinds) {
        return int(std::count_if(form.begin(), form.end(), [&](const Expected &e) {
            return std::find(kinds.begin(), kinds.end(), e.what) != kinds.end();
        }));
    };
    QCOMPARE(count(p, ItemKind::Field), fields);
    QCOMPARE(count(p, ItemKind::Label) + count(p, ItemKind::Field), expected({What::Label, What::Field}));
    QCOMPARE(count(p, ItemKind::Box), expected({What::Rule}));
    QCOMPARE(count(p, ItemKind::Line), expected({What::Underline}));
    for (const QString &column : unprinted(k)) {
        QVERIFY2(!printedField(p, column), qPrintable(column));
        QVERIFY(!stored(d, column).isEmpty());
    }
    const QString texts = model.texts(0).join(u'|');
    QVERIFY(!texts.contains(caseNo));
    QCOMPARE(texts.contains(u"卫  生  行  政"_s), headerAndFooter);
    QCOMPARE(texts.contains(footer), headerAndFooter);
}

void TestInvestigationForms::underlinedColumns_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QStringList>("columns"); // empty with every: all printed but the dates
    QTest::addColumn<bool>("every");
    QTest::newRow("rep_dczj: values without underlines") << Z << QStringList{} << false;
    QTest::newRow("rep_hyjl: the provisions and the legal basis only")
        << H << QStringList{u"clyj1"_s, u"clyj2"_s, u"yj1"_s, u"yj2"_s} << false;
    QTest::newRow("rep_spb: every printed column but the dates") << P << QStringList{} << true;
}

// Each underline of the body lies under one printed value, from its left to
// its right, and exactly the form's values stand on one.
void TestInvestigationForms::underlinedColumns()
{
    QFETCH(int, k);
    QFETCH(QStringList, columns);
    QFETCH(bool, every);
    const std::vector<Item> &items = described(k).report.detail.items;
    if (every)
        for (const Item &i : items)
            if (i.kind == ItemKind::Field && !isDatePart(i.text))
                columns << i.text;
    QStringList underlined;
    for (const Item &line : items) {
        if (line.kind != ItemKind::Line)
            continue;
        QCOMPARE(line.height, 0);
        const auto under = std::find_if(items.begin(), items.end(), [&](const Item &f) {
            return f.kind == ItemKind::Field && std::abs(f.left - line.left) <= tolerance
                && std::abs(f.left + f.width - line.left - line.width) <= tolerance && line.top - f.top >= 240
                && line.top - f.top <= 360;
        });
        QVERIFY2(under != items.end(), qPrintable(QString::number(line.top)));
        underlined << under->text;
    }
    underlined.sort();
    columns.sort();
    QCOMPARE(underlined, columns);
}

void TestInvestigationForms::datesInTheirLabels_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<bool>("window");
    QTest::addColumn<int>("dates");
    QTest::newRow("rep_dczj") << Z << false << 1;
    QTest::newRow("frm_dczj") << Z << true << 1;
    QTest::newRow("rep_hyjl") << H << false << 1;
    QTest::newRow("frm_hyjl") << H << true << 1;
    QTest::newRow("rep_spb: officer's and approval dates") << P << false << 2;
    QTest::newRow("frm_spb: officer's and approval dates") << P << true << 2;
}

// Year in front of 年, month in the blanks before 月, day in the blanks
// before 日: on paper and in the window.
void TestInvestigationForms::datesInTheirLabels()
{
    QFETCH(int, k);
    QFETCH(bool, window);
    QFETCH(int, dates);
    const DocumentDescription &d = described(k);
    struct Place {
        QString text;
        int left;
        int top;
        int width;
    };
    std::vector<Place> labels;
    std::vector<Place> values;
    double points = 12;
    if (window) {
        const WindowLayout l = placeWindow(d);
        points = 9;
        for (const PlacedText &t : l.texts)
            labels.push_back({t.text, t.left, t.top, 0});
        for (std::size_t i = 0; i < d.boxes.size(); ++i)
            if (isDatePart(d.boxes[i].column))
                values.push_back({d.boxes[i].column, l.boxes[i].x(), l.boxes[i].y(), l.boxes[i].width()});
    } else {
        for (const Item &i : d.report.detail.items) {
            if (i.kind == ItemKind::Label)
                labels.push_back({i.text, i.left, i.top, i.width});
            else if (i.kind == ItemKind::Field && isDatePart(i.text))
                values.push_back({i.text, i.left, i.top, i.width});
        }
    }
    int found = 0;
    for (const Place &label : labels) {
        if (!label.text.contains(u'年'))
            continue;
        ++found;
        std::vector<Place> parts;
        std::copy_if(values.begin(), values.end(), std::back_inserter(parts),
                     [&](const Place &v) { return std::abs(v.top - label.top) <= tolerance; });
        QCOMPARE(int(parts.size()), 3);
        std::sort(parts.begin(), parts.end(), [](const Place &a, const Place &b) { return a.left < b.left; });
        QVERIFY(parts[0].text.endsWith(u"_y"_s) && parts[1].text.endsWith(u"_m"_s) && parts[2].text.endsWith(u"_d"_s));
        const int em = int(points * 20);
        const std::array<int, 3> at = datePlaces(label.text, points);
        for (std::size_t n = 0; n < 3; ++n) {
            const Place &v = parts[n];
            const int right = v.left + v.width;
            // The year ends just in front of 年; month and day fill the
            // blanks between 年 and 月, and between 月 and 日.
            const bool placed = n == 0 ? right >= label.left + at[0] - em && right <= label.left + at[0] + tolerance
                                       : v.left >= label.left + at[n - 1] + em - tolerance
                                             && right <= label.left + at[n] + tolerance;
            QVERIFY2(placed, qPrintable(u"%1 at %2 + %3"_s.arg(v.text).arg(v.left).arg(v.width)));
        }
    }
    QCOMPARE(found, dates);
}

void TestInvestigationForms::wordingAgainstTheWindow_data()
{
    // The window's wording turned into the form's, and the form's own.
    using Pairs = QList<std::pair<QString, QString>>;
    QTest::addColumn<Pairs>("changed");
    QTest::addColumn<QStringList>("paperOnly");
    QTest::addColumn<int>("k");
    QTest::newRow("rep_dczj")
        << Pairs{{header, header + u" "_s}, {u"年   月    日"_s, u"年   月   日"_s}} << QStringList{} << Z;
    QTest::newRow("rep_hyjl") << Pairs{{u"合  议  记  录"_s, u"  合  议  记  录"_s},
                                       {u"违反了"_s, u"    违反了"_s},
                                       {u"依据"_s, u"    依据"_s},
                                       {u"之规定，"_s, u"之规定。"_s},
                                       {u"年   月   日"_s, u"  年   月    日"_s}}
                              << QStringList{u"第   页共   页"_s} << H;
    QTest::newRow("rep_spb") << Pairs{{u"上述事实违反了"_s, u"   上述事实违反了"_s},
                                      {u"之规定，"_s, u"的规定，"_s},
                                      {u"依据"_s, u"   依据"_s},
                                      {u"承办人："_s, u"承办人签字："_s},
                                      {u"年   月   日"_s, u"年  月  日"_s},
                                      {u"年   月   日     "_s, u"年  月  日"_s}}
                             << QStringList{} << P;
}

// The printed wording is the window's, but for the places where the form
// re-spaces or rewords it.
void TestInvestigationForms::wordingAgainstTheWindow()
{
    using Pairs = QList<std::pair<QString, QString>>;
    QFETCH(Pairs, changed);
    QFETCH(QStringList, paperOnly);
    QFETCH(int, k);
    const DocumentDescription &d = described(k);
    QStringList expected = paperOnly;
    for (const PlacedText &t : placeWindow(d).texts) {
        QString text = t.text;
        for (const auto &[inWindow, onPaper] : changed)
            if (text == inWindow)
                text = onPaper;
        expected << text;
    }
    QStringList onPaper;
    for (const Section *s : {&d.report.reportHeader, &d.report.pageHeader, &d.report.detail})
        for (const Item &i : s->items)
            if (i.kind == ItemKind::Label)
                onPaper << i.text;
    expected.sort();
    onPaper.sort();
    QCOMPARE(onPaper, expected);
}

void TestInvestigationForms::fieldsStayInsideTheirWidths_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<bool>("fullWidthDates");
    QTest::newRow("rep_dczj, dates in digits") << Z << false;
    QTest::newRow("rep_dczj, dates in full-width characters") << Z << true;
    QTest::newRow("rep_hyjl, dates in digits") << H << false;
    QTest::newRow("rep_hyjl, dates in full-width characters") << H << true;
    QTest::newRow("rep_spb, dates in digits") << P << false;
    QTest::newRow("rep_spb, dates in full-width characters") << P << true;
}

// Every column as full as it can be: each field keeps inside its width
// and prints whole, a date part wider than its box in a smaller size.
void TestInvestigationForms::fieldsStayInsideTheirWidths()
{
    QFETCH(int, k);
    QFETCH(bool, fullWidthDates);
    const DocumentDescription &d = described(k);
    const PageModel model = page(k, fullWidthDates);
    const int margin = d.report.page.leftMargin;
    for (const Item &item : d.report.detail.items) {
        if (item.kind != ItemKind::Field)
            continue;
        test::checkFieldWhole(model.pages[0], item, margin, stored(d, item.text));
    }
}

QTEST_GUILESS_MAIN(TestInvestigationForms)
#include "tst_investigationforms.moc"
