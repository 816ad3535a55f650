// The printed hearing record and hearing opinion against their national
// forms, read from the page model: every label, field, rule and underline
// where the form has it (within 15 twips) in its font and inside its box,
// nothing else on the page, the hand-written signatures and the case number
// never printed, and full columns cut at their fields without moving a
// label. No display needed.
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
using test::tolerance;
using test::itemsOf;
using test::near;
constexpr int leftMargin = 1080;
constexpr int topMargin = 720;
constexpr int record = 15;  // 听证笔录
constexpr int opinion = 20; // 听证意见书

enum class Sec { Header, Detail };
using test::What;

// One thing of a printed form as its table gives it: Left, Top and Width in
// twips from the section's top left. Rules start at 0; an underline runs
// from left to left + width.
struct Expected {
    int k;
    Sec section;
    What what;
    QString text; // a label's text, a field's column
    int left;
    int top;
    int width;
    double points = 12;
    bool bold = false;
};

Expected lbl(int k, Sec s, const QString &text, int left, int top, int width, double pt = 12, bool bold = false)
{
    return {k, s, What::Label, text, left, top, width, pt, bold};
}
Expected fld(int k, const QString &column, int left, int top, int width)
{
    return {k, Sec::Detail, What::Field, column, left, top, width};
}
Expected rule(int k, Sec s, int top, int width) { return {k, s, What::Rule, {}, 0, top, width}; }
Expected under(int k, Sec s, int left, int top, int width) { return {k, s, What::Underline, {}, left, top, width}; }

const Sec H = Sec::Header;
const Sec D = Sec::Detail;
constexpr int R = record;
constexpr int O = opinion;

const std::vector<Expected> &forms()
{
    static const std::vector<Expected> all = {
        lbl(R, H, u"卫  生  行  政  执  法  处  罚  文  书"_s, 1845, 1065, 6360, 15.75),
        rule(R, H, 1455, 9585),
        lbl(R, H, u"第    页共    页"_s, 7260, 1770, 1995),
        under(R, H, 7500, 2025, 525),
        under(R, H, 8460, 2025, 525),
        lbl(R, H, u"听  证  笔  录"_s, 3360, 2310, 3315, 21.75, true),
        lbl(R, D, u"当 事 人："_s, 0, 210, 1305),
        fld(R, u"dsr"_s, 1155, 210, 8415),
        lbl(R, D, u"委托代理人："_s, 0, 750, 1530),
        fld(R, u"wtdlr"_s, 1365, 720, 8190),
        lbl(R, D, u"案件承办机关："_s, 0, 1245, 1755),
        fld(R, u"ajcbjg"_s, 1605, 1230, 7965),
        lbl(R, D, u"案件承办人："_s, 0, 1725, 1530),
        fld(R, u"ajcbr"_s, 1365, 1710, 8190),
        lbl(R, D, u"听 证 员："_s, 0, 2205, 1305),
        fld(R, u"tzy"_s, 1155, 2205, 8415),
        lbl(R, D, u"听证主持人："_s, 0, 2715, 1530),
        fld(R, u"tzzcr"_s, 1365, 2700, 4545),
        lbl(R, D, u"书记员："_s, 5925, 2685, 1020),
        fld(R, u"sjy"_s, 6840, 2685, 2760),
        lbl(R, D, u"听证方式："_s, 0, 3210, 1305),
        fld(R, u"tzfs"_s, 1155, 3210, 8445),
        lbl(R, D, u"听证地点："_s, 15, 3660, 1305),
        fld(R, u"tzdd"_s, 1170, 3660, 8445),
        lbl(R, D, u"听证时间："_s, 0, 4140, 1305),
        fld(R, u"tzsj_n"_s, 1170, 4125, 525),
        lbl(R, D, u"年   月   日"_s, 1725, 4125, 1500),
        fld(R, u"tzsj_y"_s, 2025, 4125, 330),
        fld(R, u"tzsj_r"_s, 2655, 4110, 285),
        lbl(R, D, u"     午   时至   时"_s, 2910, 4125, 2520),
        fld(R, u"tzsj_w"_s, 3210, 4125, 330),
        fld(R, u"tzsj_s1"_s, 3840, 4110, 285),
        fld(R, u"tzsj_s2"_s, 4650, 4110, 285),
        under(R, D, 1170, 4425, 540),
        under(R, D, 1935, 4440, 420),
        under(R, D, 2535, 4440, 420),
        under(R, D, 3165, 4440, 420),
        under(R, D, 3720, 4440, 420),
        under(R, D, 4560, 4440, 420),
        lbl(R, D, u"案    由："_s, 0, 4650, 1290),
        fld(R, u"ay1"_s, 1200, 4650, 8400),
        fld(R, u"ay2"_s, 0, 5055, 9645),
        fld(R, u"ay3"_s, 0, 5415, 9645),
        fld(R, u"ay4"_s, 0, 5790, 9645),
        lbl(R, D, u"当事人签名："_s, 0, 6495, 1665),
        lbl(R, D, u"委托代理人签名："_s, 0, 7200, 2040),
        lbl(R, D, u"案件承办人签名："_s, 0, 7890, 2040),
        lbl(R, D, u"听证员签名："_s, 0, 8655, 2040),
        lbl(R, D, u"听证主持人签名："_s, 0, 9450, 2040),
        lbl(R, D, u"书记员签名："_s, 5865, 9525, 1575),
        fld(R, u"nian"_s, 6555, 10305, 525),
        lbl(R, D, u"年   月   日"_s, 7125, 10290, 1890),
        fld(R, u"yue"_s, 7410, 10305, 330),
        fld(R, u"ri"_s, 8040, 10290, 285),
        rule(R, D, 10980, 9585),
        lbl(R, D, u"中华人民共和国卫生部制定"_s, 6300, 11070, 3210),

        lbl(O, H, u"卫  生  行  政  执  法  处  罚  文  书"_s, 1665, 1035, 6285, 15.75),
        rule(O, H, 1440, 9570),
        lbl(O, H, u"听 证 意 见 书"_s, 3090, 2145, 3315, 21.75, true),
        lbl(O, D, u"当 事 人："_s, 0, 210, 1305),
        fld(O, u"dsr"_s, 1155, 210, 8430),
        lbl(O, D, u"委托代理人："_s, 0, 585, 1530),
        fld(O, u"dlr"_s, 1380, 585, 8220),
        lbl(O, D, u"案件承办机关："_s, 0, 975, 2175),
        fld(O, u"cbr"_s, 1590, 975, 8370),
        lbl(O, D, u"案件承办人："_s, 0, 1380, 1530),
        fld(O, u"cbjg"_s, 1410, 1380, 8490),
        lbl(O, D, u"听 证 员："_s, 0, 1845, 1395),
        fld(O, u"tzy"_s, 1170, 1845, 8445),
        lbl(O, D, u"听证主持人："_s, 0, 2325, 2175),
        fld(O, u"zcr"_s, 1395, 2325, 3030),
        lbl(O, D, u"书 记 员："_s, 4485, 2310, 1395),
        fld(O, u"sjy"_s, 5655, 2310, 3975),
        lbl(O, D, u"听证方式："_s, 0, 2715, 1305),
        fld(O, u"tzfs"_s, 1155, 2715, 8490),
        lbl(O, D, u"听证时间："_s, 0, 3120, 1395),
        fld(O, u"tzsj"_s, 1170, 3120, 3090),
        lbl(O, D, u"听证地点："_s, 4500, 3150, 1305),
        fld(O, u"tzdd"_s, 5655, 3150, 3975),
        lbl(O, D, u"听证案由："_s, 0, 3600, 1305),
        fld(O, u"tzay1"_s, 1155, 3600, 8430),
        fld(O, u"tzay2"_s, 0, 3945, 9600),
        lbl(O, D, u"案件基本情况："_s, 0, 4395, 1785),
        fld(O, u"jbqk1"_s, 1620, 4395, 7980),
        fld(O, u"jbqk2"_s, 0, 4740, 9600),
        lbl(O, D, u"当事人主要理由："_s, 0, 5205, 2025),
        fld(O, u"dsrly1"_s, 1890, 5205, 7710),
        fld(O, u"dsrly2"_s, 0, 5550, 9600),
        fld(O, u"dsrly3"_s, 0, 5925, 9600),
        lbl(O, D, u"案件承办人主要理由："_s, 0, 6390, 2460),
        fld(O, u"cbrly1"_s, 2370, 6390, 7230),
        fld(O, u"cbrly2"_s, 0, 6735, 9600),
        lbl(O, D, u"听证合议意见："_s, 0, 7275, 1785),
        fld(O, u"hyyj1"_s, 1620, 7275, 7995),
        fld(O, u"hyyj2"_s, 0, 7620, 9615),
        lbl(O, D, u"听证人员签名："_s, 0, 8220, 1800),
        fld(O, u"nian1"_s, 6900, 8325, 525),
        lbl(O, D, u"年   月   日"_s, 7470, 8310, 1890),
        fld(O, u"yue1"_s, 7755, 8325, 330),
        fld(O, u"ri1"_s, 8370, 8325, 285),
        rule(O, D, 8730, 9570),
        lbl(O, D, u"负责人意见："_s, 0, 8895, 1560),
        fld(O, u"fzryj"_s, 495, 9240, 9105),
        lbl(O, D, u"负责人签名："_s, 5595, 9915, 1560),
        fld(O, u"nian2"_s, 6855, 10425, 525),
        lbl(O, D, u"年   月   日"_s, 7425, 10410, 1890),
        fld(O, u"yue2"_s, 7710, 10425, 330),
        fld(O, u"ri2"_s, 8340, 10410, 285),
        rule(O, D, 10995, 9570),
        lbl(O, D, u"中华人民共和国卫生部制定"_s, 6330, 11115, 3210),
    };
    return all;
}

int headerHeight(int k) { return k == record ? 3165 : 3180; }

// Columns written by hand on the paper, never printed.
QStringList signatures(int k)
{
    return k == record ? QStringList{u"dsrqm"_s, u"wtdlrqm"_s, u"ajcbrqm"_s, u"tzyqm"_s, u"tzzcrqm"_s, u"sjyqm"_s}
                       : QStringList{u"tzrqm"_s, u"fzrqm"_s};
}

const DocumentDescription &described(int k) { return *documentDescription(k); }

// What a user types: a year, two-digit parts, the half-day word, names.
QString shortValue(const BoxSpec &b)
{
    if (b.column == u"tzsj_w"_s)
        return u"下"_s;
    if (b.typingLimit == 4)
        return u"2002"_s;
    if (b.typingLimit == 2)
        return u"05"_s;
    return b.column.toUpper() + u"某"_s;
}

enum class Fill { Empty, Short, FullDigits, FullWide };

// The case's row; full: every column as long as its capacity lets it be,
// date parts in digits or in full-width characters.
void fillRow(int k, Fill fill)
{
    const QString wide = u"听证会于本局第一会议室公开举行当事人到场陈述申辩"_s.repeated(4);
    test::writeRow(described(k), caseNo, [&](const BoxSpec &b) {
        switch (fill) {
        case Fill::Empty: break;
        case Fill::Short: return shortValue(b);
        case Fill::FullDigits: return b.typingLimit > 0 ? u"1234567890"_s : wide;
        case Fill::FullWide: return wide;
        }
        return QString();
    });
}

QString stored(int k, const QString &column)
{
    return test::storedValue(described(k).document.table, column, caseNo);
}

// The printed item an expectation describes, or nullptr: a text by its
// wording or column and its line, a rule or underline by where it starts.
const PageItem *printed(const Page &page, const Expected &e)
{
    const int top = topMargin + (e.section == Sec::Detail ? headerHeight(e.k) : 0);
    return test::findPrinted(page, e.what, e.text, e.left, e.top, leftMargin, top);
}

PageModel printRow(int k, Fill fill)
{
    fillRow(k, fill);
    return buildReport(described(k).report);
}

} // namespace

class TestHearingForms : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void positions_data();
    void positions();
    void nothingElsePrints_data();
    void nothingElsePrints();
    void emptyRowPrintsTheFormOnly_data();
    void emptyRowPrintsTheFormOnly();
    void fullColumnsStayInTheirFields_data();
    void fullColumnsStayInTheirFields();

private:
    std::unique_ptr<test::TestDatabase> m_db;
};

void TestHearingForms::init()
{
    m_db = std::make_unique<test::TestDatabase>();
    app().caseNo = caseNo;
}

void TestHearingForms::cleanup() { m_db.reset(); }

void TestHearingForms::positions_data()
{
    QTest::addColumn<int>("n");
    static const char *const kinds[] = {"label", "field", "rule", "underline"};
    const std::vector<Expected> &all = forms();
    for (std::size_t n = 0; n < all.size(); ++n) {
        const Expected &e = all[n];
        QTest::addRow("%s %s %s %d %d", qPrintable(documentAt(e.k).report), kinds[int(e.what)], qPrintable(e.text),
                      e.left, e.top)
            << int(n);
    }
}

void TestHearingForms::positions()
{
    QFETCH(int, n);
    const Expected &e = forms()[std::size_t(n)];
    const PageModel model = printRow(e.k, Fill::Short);
    QCOMPARE(model.pageCount(), 1);
    const PageItem *p = printed(model.pages[0], e);
    QVERIFY2(p, "not printed on its line");
    const int sectionTop = topMargin + (e.section == Sec::Detail ? headerHeight(e.k) : 0);
    QVERIFY2(near(p->top - sectionTop, e.top), qPrintable(QString::number(p->top - sectionTop)));
    const int left = p->left - leftMargin;
    QVERIFY2(near(left, e.left), qPrintable(QString::number(left)));
    switch (e.what) {
    case What::Label:
    case What::Field:
        QCOMPARE(p->pointSize, e.points);
        QCOMPARE(p->bold, e.bold);
        QVERIFY2(left + p->width <= e.left + e.width, qPrintable(u"%1 + %2"_s.arg(left).arg(p->width)));
        if (e.what == What::Field)
            QCOMPARE(p->text, stored(e.k, e.text));
        break;
    case What::Rule:
        QCOMPARE(p->width, e.width);
        QCOMPARE(p->height, 15);
        QVERIFY(p->filled);
        break;
    case What::Underline:
        QCOMPARE(p->height, 0);
        QVERIFY(near(p->width, e.width));
        break;
    }
}

void TestHearingForms::nothingElsePrints_data()
{
    QTest::addColumn<int>("k");
    QTest::newRow("rep_tzbl") << record;
    QTest::newRow("rep_tzyj") << opinion;
}

// The page holds exactly the form's items; the signatures, though filled
// in, and the case number print nowhere.
void TestHearingForms::nothingElsePrints()
{
    QFETCH(int, k);
    const PageModel model = printRow(k, Fill::Short);
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
    const QString page = model.texts(0).join(u'|');
    for (const QString &column : signatures(k)) {
        const QString signature = stored(k, column);
        QVERIFY(!signature.isEmpty());
        QVERIFY2(!page.contains(signature), qPrintable(column));
    }
    QVERIFY(!page.contains(caseNo));
    // Every other box's column prints.
    for (const BoxSpec &b : described(k).boxes)
        if (!signatures(k).contains(b.column))
            QVERIFY2(page.contains(stored(k, b.column)), qPrintable(b.column));
}

void TestHearingForms::emptyRowPrintsTheFormOnly_data() { nothingElsePrints_data(); }

// A row that holds nothing but its case number prints the fixed texts,
// rules and underlines, and every field empty.
void TestHearingForms::emptyRowPrintsTheFormOnly()
{
    QFETCH(int, k);
    const PageModel model = printRow(k, Fill::Empty);
    QCOMPARE(model.pageCount(), 1);
    QStringList labels;
    for (const Expected &e : forms())
        if (e.k == k && e.what == What::Label)
            labels << e.text;
    QCOMPARE(model.texts(0), labels);
    for (const PageItem *f : itemsOf(model.pages[0], ItemKind::Field))
        QVERIFY2(f->text.isEmpty(), qPrintable(f->column));
}

void TestHearingForms::fullColumnsStayInTheirFields_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<bool>("wideDates");
    QTest::newRow("rep_tzbl, date parts in digits") << record << false;
    QTest::newRow("rep_tzbl, date parts in full-width characters") << record << true;
    QTest::newRow("rep_tzyj, date parts in digits") << opinion << false;
    QTest::newRow("rep_tzyj, date parts in full-width characters") << opinion << true;
}

// Every column as full as it can be: each field keeps inside its width and
// prints its column whole (a date part wider than its box in a smaller
// size); no label moves.
void TestHearingForms::fullColumnsStayInTheirFields()
{
    QFETCH(int, k);
    QFETCH(bool, wideDates);
    const PageModel plain = printRow(k, Fill::Short);
    const PageModel full = printRow(k, wideDates ? Fill::FullWide : Fill::FullDigits);
    QCOMPARE(full.pageCount(), 1);
    for (const Expected &e : forms()) {
        if (e.k != k)
            continue;
        const PageItem *p = printed(full.pages[0], e);
        QVERIFY(p);
        const int left = p->left - leftMargin;
        QVERIFY2(left + p->width <= e.left + e.width || e.what == What::Underline, qPrintable(e.text));
        if (e.what == What::Label) {
            const PageItem *before = printed(plain.pages[0], e);
            QCOMPARE(p->left, before->left);
            QCOMPARE(p->top, before->top);
        }
        if (e.what != What::Field)
            continue;
        for (const PageItem *line : test::fieldLines(full.pages[0], e.text)) {
            QVERIFY2(line->left - leftMargin + line->width <= e.left + e.width, qPrintable(e.text));
            QVERIFY(line->pointSize >= smallestPrintedSize);
        }
        QCOMPARE(test::fieldText(full.pages[0], e.text), stored(k, e.text));
    }
}

QTEST_GUILESS_MAIN(TestHearingForms)
#include "tst_hearingforms.moc"
