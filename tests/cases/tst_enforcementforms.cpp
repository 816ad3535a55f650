// The printed enforcement, transfer, service and closure documents against
// their national forms, read from the page model of a filled row: every
// label, field, rule and underline where the form has it (within 15 twips)
// in its font, nothing else on the one sheet, signatures and the case
// number never printed, every other column printed whole. And the windows'
// layouts: their wording in reading order, every box on its underline or
// not as the form has it, nothing laid over anything but a label's blanks.
// No display needed.
#include "cases/documents/descriptions.h"
#include "cases/engine/description.h"
#include "cases/engine/windowlayout.h"
#include "data/appvalues.h"
#include "data/connection.h"
#include "data/reportsources.h"
#include "data/schema.h"
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
constexpr int leftMargin = 1080;
constexpr int topMargin = 720;

constexpr int Q = 9;  // 强制执行申请书
constexpr int J = 10; // 结案报告
constexpr int A = 14; // 案件移送书
constexpr int S = 16; // 送达回执

enum class Sec { Header, Detail };
using test::What;

// One thing of a printed form, in twips from its section's top left.
// Rules start at 0; an underline runs from left to left + width.
struct Expected {
    int k;
    Sec section;
    What what;
    QString text; // a label's printed text, a field's column
    int left;
    int top;
    int width;
    double points = 12;
    bool bold = false;
    bool centred = false;
};

Expected lbl(int k, Sec s, const QString &text, int left, int top, int width, double pt = 12, bool bold = false)
{
    return {k, s, What::Label, text, left, top, width, pt, bold};
}
Expected lbl(int k, const QString &text, int left, int top, int width) { return lbl(k, Sec::Detail, text, left, top, width); }
Expected bold(int k, const QString &text, int left, int top, int width)
{
    return lbl(k, Sec::Detail, text, left, top, width, 12, true);
}
Expected fld(int k, const QString &column, int left, int top, int width, bool centred = false)
{
    return {k, Sec::Detail, What::Field, column, left, top, width, 12, false, centred};
}
Expected rule(int k, Sec s, int top) { return {k, s, What::Rule, {}, 0, top, 9645}; }
Expected under(int k, int x1, int x2, int y) { return {k, Sec::Detail, What::Underline, {}, x1, y, x2 - x1}; }

const Sec H = Sec::Header;
const Sec D = Sec::Detail;
const QString header = u"卫  生  行  政  执  法  处  罚  文  书"_s;
const QString footer = u"中华人民共和国卫生部制定"_s;

const std::vector<Expected> &forms()
{
    static const std::vector<Expected> all = {
        // 强制执行申请书: neither header line nor footer.
        lbl(Q, H, u"强制执行申请书"_s, 3300, 360, 3060, 21.75, true),
        lbl(Q, u"  Vesk卫(   )强申字[     ]第(     )号"_s, 5040, 0, 4560),
        fld(Q, u"lb"_s, 6120, 0, 360),
        fld(Q, u"nd"_s, 7440, 0, 600),
        fld(Q, u"bh"_s, 8520, 0, 600),
        rule(Q, D, 420),
        fld(Q, u"fymc"_s, 0, 780, 3600),
        under(Q, 0, 3600, 1065),
        lbl(Q, u"    我局于     年   月   日以Vesk卫(    )罚字[      ]第(     )号的"_s, 0, 1260, 7920),
        fld(Q, u"cf_y"_s, 1200, 1260, 600),
        fld(Q, u"cf_m"_s, 2040, 1260, 360),
        fld(Q, u"cf_d"_s, 2640, 1260, 360),
        fld(Q, u"cf_lb"_s, 4320, 1260, 480),
        fld(Q, u"cf_nd"_s, 5520, 1260, 720),
        fld(Q, u"cf_bh"_s, 6720, 1260, 600),
        under(Q, 1200, 1800, 1545),
        under(Q, 2040, 2400, 1545),
        under(Q, 2640, 3000, 1545),
        lbl(Q, u"行政处罚决定书对"_s, 0, 1740, 1920),
        fld(Q, u"cfdw"_s, 1920, 1740, 5400),
        under(Q, 1920, 7320, 2025),
        lbl(Q, u"作出"_s, 7320, 1740, 480),
        lbl(Q, u"行政处罚决定,规定当事人在     年   月   日前履行行政处罚决定，但"_s, 0, 2220, 7680),
        fld(Q, u"zx_y"_s, 3000, 2220, 600),
        fld(Q, u"zx_m"_s, 3840, 2220, 360),
        fld(Q, u"zx_d"_s, 4440, 2220, 360),
        under(Q, 3000, 3600, 2505),
        under(Q, 3840, 4200, 2505),
        under(Q, 4440, 4800, 2505),
        lbl(Q, u"当事人在规定的期限内拒不履行。根据《中华人民共和国行政处罚法》第"_s, 0, 2700, 7680),
        lbl(Q, u"五十一条规定，特申请你院强制执行。"_s, 0, 3180, 4080),
        fld(Q, u"sqdw"_s, 5400, 4140, 4245, true),
        lbl(Q, u"    年  月  日"_s, 6690, 4620, 1680),
        fld(Q, u"sq_y"_s, 6690, 4620, 480),
        fld(Q, u"sq_m"_s, 7410, 4620, 240),
        fld(Q, u"sq_d"_s, 7890, 4620, 240),
        rule(Q, D, 5340),
        lbl(Q, u"附："_s, 0, 5580, 480),
        lbl(Q, u"1、《行政处罚决定书》一份"_s, 480, 5580, 3000),
        lbl(Q, u"2、《送达回执》一份"_s, 480, 6060, 2280),
        lbl(Q, u"3、其他资料   份"_s, 480, 6540, 1920),
        fld(Q, u"qtzlfs"_s, 1800, 6540, 360),

        // 结案报告
        lbl(J, H, header, 1830, 1095, 6000, 15.75),
        rule(J, H, 1470),
        lbl(J, H, u"结  案  报  告"_s, 3300, 2025, 3060, 21.75, true),
        lbl(J, u"当 事 人："_s, 0, 165, 1200),
        fld(J, u"dss"_s, 1200, 165, 8445),
        lbl(J, u"案件来源："_s, 0, 645, 1200),
        fld(J, u"ajly"_s, 1200, 645, 8445),
        lbl(J, u"立案日期："_s, 0, 1125, 1200),
        lbl(J, u"     年   月   日"_s, 1200, 1125, 2040),
        fld(J, u"la_y"_s, 1200, 1125, 600),
        fld(J, u"la_m"_s, 2040, 1125, 360),
        fld(J, u"la_d"_s, 2640, 1125, 360),
        under(J, 1200, 1800, 1410),
        under(J, 2040, 2400, 1410),
        under(J, 2640, 3000, 1410),
        bold(J, u"案  由："_s, 0, 1605, 960),
        fld(J, u"ay"_s, 480, 2085, 9165),
        lbl(J, u"(1)行政处罚决定书文号："_s, 0, 2565, 2760),
        fld(J, u"xzsfh"_s, 2760, 2565, 6885),
        lbl(J, u"执行方式："_s, 480, 3045, 1200),
        fld(J, u"zxyq"_s, 1680, 3045, 7965),
        lbl(J, u"执行日期："_s, 480, 3525, 1200),
        fld(J, u"zxfs"_s, 1680, 3525, 7965),
        lbl(J, u"执行结果："_s, 480, 4005, 1200),
        fld(J, u"zxjg"_s, 1680, 4005, 7965),
        lbl(J, u"(2)不作行政处罚的理由："_s, 0, 4485, 2760),
        fld(J, u"bszfly1"_s, 2760, 4485, 6885),
        fld(J, u"bszfly2"_s, 0, 4965, 9645),
        lbl(J, u"建议本案予以结案。"_s, 480, 5445, 2160),
        lbl(J, u"承办人签名："_s, 0, 6165, 1440),
        lbl(J, u"    年  月  日"_s, 7800, 6165, 1680),
        fld(J, u"pbsj_y"_s, 7800, 6165, 480),
        fld(J, u"pbsj_m"_s, 8520, 6165, 240),
        fld(J, u"pbsj_d"_s, 9000, 6165, 240),
        rule(J, D, 6645),
        bold(J, u"负责人审批意见："_s, 0, 6825, 1920),
        fld(J, u"spyj"_s, 0, 7305, 9645),
        lbl(J, u"负责人签名："_s, 0, 8265, 1440),
        fld(J, u"xzjg"_s, 5400, 8265, 4245, true),
        lbl(J, u"    年  月  日"_s, 6690, 8745, 1680),
        fld(J, u"mya"_s, 6690, 8745, 480),
        fld(J, u"yuo"_s, 7410, 8745, 240),
        fld(J, u"yi"_s, 7890, 8745, 240),
        rule(J, D, 9300),
        lbl(J, footer, 6765, 9420, 2880),

        // 案件移送书: the stub, the seam, the letter.
        lbl(A, H, header, 1830, 1095, 6000, 15.75),
        rule(A, H, 1470),
        lbl(A, H, u"案件移送书存根"_s, 3300, 2025, 3060, 21.75, true),
        lbl(A, u"编号："_s, 6000, 0, 720),
        fld(A, u"bh1"_s, 6720, 0, 2925),
        lbl(A, u"当 事 人："_s, 0, 420, 1200),
        fld(A, u"dsr"_s, 1200, 420, 8445),
        lbl(A, u"案    由："_s, 0, 840, 1200),
        fld(A, u"ay1"_s, 1200, 840, 8445),
        fld(A, u"ay2"_s, 0, 1260, 9645),
        lbl(A, u"移送日期："_s, 0, 1680, 1200),
        fld(A, u"ysrq_n"_s, 1200, 1680, 600),
        lbl(A, u"年   月   日"_s, 1800, 1680, 1440),
        fld(A, u"ysrq_y"_s, 2040, 1680, 360),
        fld(A, u"ysrq_r"_s, 2640, 1680, 360),
        under(A, 1200, 1800, 1965),
        under(A, 2040, 2400, 1965),
        under(A, 2640, 3000, 1965),
        lbl(A, u"受移送机关："_s, 0, 2100, 1440),
        fld(A, u"sysjg"_s, 1440, 2100, 8205),
        lbl(A, u"经 办 人："_s, 0, 2520, 1200),
        fld(A, u"jbr"_s, 1200, 2520, 8445),
        lbl(A, u"备    注："_s, 0, 2940, 1200),
        fld(A, u"bz1"_s, 1200, 2940, 8445),
        fld(A, u"bz2"_s, 0, 3360, 9645),
        fld(A, u"bz3"_s, 0, 3780, 9645),
        lbl(A, u"请骑缝盖章"_s, 0, 4320, 1200),
        under(A, 1260, 9645, 4440),
        lbl(A, D, u"案 件 移 送 书"_s, 3300, 4800, 3060, 21.75, true),
        lbl(A, u"编号："_s, 6000, 5460, 720),
        fld(A, u"bh2"_s, 6720, 5460, 2925),
        fld(A, u"ysdw"_s, 0, 5880, 4140),
        under(A, 0, 4140, 6165),
        lbl(A, u"我局于    年  月  日受理的"_s, 480, 6300, 3120),
        fld(A, u"sl_n"_s, 1200, 6300, 480),
        fld(A, u"sl_y"_s, 1920, 6300, 240),
        fld(A, u"sl_r"_s, 2400, 6300, 240),
        under(A, 1200, 1680, 6585),
        under(A, 1920, 2160, 6585),
        under(A, 2400, 2640, 6585),
        fld(A, u"aj1"_s, 3600, 6300, 6045),
        under(A, 3600, 9645, 6585),
        fld(A, u"aj2"_s, 0, 6720, 8880),
        under(A, 0, 8880, 7005),
        lbl(A, u"案件，"_s, 8880, 6720, 720),
        lbl(A, u"根据"_s, 0, 7140, 480),
        fld(A, u"gd"_s, 480, 7140, 7980),
        under(A, 480, 8460, 7425),
        lbl(A, u"的规定，"_s, 8460, 7140, 960),
        lbl(A, u"应当由你厅（局）处理。"_s, 0, 7560, 2640),
        lbl(A, u"特此移送。案件查处结果请函告我局备查。"_s, 480, 7980, 4560),
        fld(A, u"dw"_s, 4800, 8400, 4845, true),
        lbl(A, u"附件：有关材料      件。"_s, 0, 8820, 2880),
        fld(A, u"cl"_s, 1680, 8820, 720),
        under(A, 1680, 2400, 9105),
        fld(A, u"nian"_s, 7200, 8820, 480),
        lbl(A, u"年   月   日"_s, 7680, 8820, 1440),
        fld(A, u"yue"_s, 7920, 8820, 360),
        fld(A, u"ri"_s, 8520, 8820, 360),
        rule(A, D, 9300),
        lbl(A, footer, 6765, 9420, 2880),

        // 送达回执: the stub, the seam, the receipt; no field underlined.
        lbl(S, H, header, 1830, 1095, 6000, 15.75),
        rule(S, H, 1470),
        lbl(S, H, u"送 达 回 执 存 根"_s, 2970, 2025, 3720, 21.75, true),
        lbl(S, u"编号："_s, 6000, 0, 720),
        fld(S, u"bh1"_s, 6720, 0, 2925),
        lbl(S, u"受送达人："_s, 0, 420, 1200),
        fld(S, u"ssdr"_s, 1200, 420, 8445),
        lbl(S, u"送达文件："_s, 0, 840, 1200),
        fld(S, u"sdwj1"_s, 1200, 840, 8445),
        lbl(S, u"送达方式："_s, 0, 1260, 1200),
        fld(S, u"sdfs"_s, 1200, 1260, 8445),
        lbl(S, u"送达地点："_s, 0, 1680, 1200),
        fld(S, u"sddd1"_s, 1200, 1680, 8445),
        lbl(S, u"送 达 人："_s, 0, 2100, 1200),
        fld(S, u"sdr"_s, 1200, 2100, 8445),
        lbl(S, u"送达时间："_s, 0, 2520, 1200),
        fld(S, u"sdsj"_s, 1200, 2520, 8445),
        lbl(S, u"备    注："_s, 0, 2940, 1200),
        fld(S, u"bz1"_s, 480, 3360, 9165),
        fld(S, u"bz2"_s, 0, 3780, 9645),
        lbl(S, u"请骑缝盖章"_s, 0, 4320, 1200),
        under(S, 1260, 9645, 4440),
        lbl(S, D, u"送 达 回 执"_s, 3630, 4800, 2400, 21.75, true),
        lbl(S, u"编号："_s, 6000, 5460, 720),
        fld(S, u"bh2"_s, 6720, 5460, 2925),
        lbl(S, u"送达文件："_s, 0, 5880, 1200),
        fld(S, u"sdwj2"_s, 1200, 5880, 8445),
        lbl(S, u"送达地点："_s, 0, 6300, 1200),
        fld(S, u"sddd2"_s, 1200, 6300, 8445),
        lbl(S, u"受送达人签名："_s, 0, 6960, 1680),
        lbl(S, u"送达人签名："_s, 5400, 6960, 1440),
        fld(S, u"nian1"_s, 1680, 7500, 480),
        lbl(S, u"年   月   日"_s, 2160, 7500, 1440),
        fld(S, u"yue1"_s, 2400, 7500, 360),
        fld(S, u"ri1"_s, 3000, 7500, 360),
        fld(S, u"nian2"_s, 6840, 7500, 480),
        lbl(S, u"年   月   日"_s, 7320, 7500, 1440),
        fld(S, u"yue2"_s, 7560, 7500, 360),
        fld(S, u"ri2"_s, 8160, 7500, 360),
        lbl(S, u"备    注："_s, 0, 7980, 1200),
        fld(S, u"bz3"_s, 480, 8400, 9165),
        fld(S, u"bz4"_s, 0, 8820, 9645),
        rule(S, D, 9300),
        lbl(S, footer, 6765, 9420, 2880),
    };
    return all;
}

// Columns the printed form leaves blank: the case number and the
// signatures written by hand.
QStringList unprinted(int k)
{
    switch (k) {
    case J:
        return {u"dabh"_s, u"cbr"_s, u"fzr"_s};
    case S:
        return {u"dabh"_s, u"ssdrqm"_s, u"sdrqm"_s};
    default:
        return {u"dabh"_s};
    }
}

int capacity(const DocumentDescription &d, const QString &column)
{
    for (const schema::Column &c : schema::find(d.document.table.toStdString())->columns)
        if (QString::fromUtf8(c.name.data(), qsizetype(c.name.size())) == column)
            return c.capacity;
    return 0;
}

// A date, number or count part: its column holds more than its printed
// place, which shows the two or four digits that such a part takes.
bool isShortPart(const DocumentDescription &d, const QString &column) { return capacity(d, column) <= 8; }

// Every box column filled: full-width text as long as the column holds it,
// the short parts in digits or, with fullWidthParts, in full-width text too.
void fillRow(const DocumentDescription &d, bool fullWidthParts)
{
    const QString text = u"O'Brien's卫生监督所接群众举报某饭店使用过期食品原料加工菜肴经现场检查属实"_s.repeated(6);
    db().exec(u"DELETE FROM %1"_s.arg(d.document.table));
    test::writeRow(d, caseNo, [&](const BoxSpec &b) { return isShortPart(d, b.column) && !fullWidthParts ? u"12"_s : text; });
}

// A form laid out for a filled row, with what the row holds.
struct Filled {
    PageModel model;
    std::map<QString, QString> stored;
};

const PageItem *printed(const Page &page, const Expected &e, int sectionTop)
{
    return test::findPrinted(page, e.what, e.text, e.left, e.top, leftMargin, sectionTop,
                             e.centred ? test::LabelAt::Top : test::LabelAt::TopAndLeft);
}

// A text's place on its line: from left, one em high.
struct Span {
    QString what;
    int left;
    int right;
    int top;
    int bottom;
    QString text; // labels: whose blanks may hold a field
    double points;
};

bool overlaps(const Span &a, const Span &b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Whether span lies inside one run of blanks of label.
bool inBlanks(const Span &span, const Span &label)
{
    for (const auto &[start, length] : blankRuns(label.text)) {
        const int x = label.left + gridOffsetTwips(label.text, start, label.points);
        if (span.left >= x && span.right <= x + gridWidthTwips(label.text.mid(start, length), label.points))
            return true;
    }
    return false;
}

// Pairs of texts or boxes laid over each other where no blank holds them.
QStringList collisions(const std::vector<Span> &labels, const std::vector<Span> &boxes)
{
    QStringList found;
    for (std::size_t i = 0; i < labels.size(); ++i)
        for (std::size_t j = i + 1; j < labels.size(); ++j)
            if (overlaps(labels[i], labels[j]))
                found << labels[i].what + u" / "_s + labels[j].what;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        for (std::size_t j = i + 1; j < boxes.size(); ++j)
            if (overlaps(boxes[i], boxes[j]))
                found << boxes[i].what + u" / "_s + boxes[j].what;
        for (const Span &l : labels)
            if (overlaps(boxes[i], l) && !inBlanks(boxes[i], l))
                found << boxes[i].what + u" / "_s + l.what;
    }
    return found;
}

} // namespace

class TestEnforcementForms : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void positions_data();
    void positions();
    void wholeForm_data();
    void wholeForm();
    void fieldsHoldTheirColumns_data();
    void fieldsHoldTheirColumns();
    void nothingLaidOver_data();
    void nothingLaidOver();
    void windowWording_data();
    void windowWording();
    void windowUnderlines_data();
    void windowUnderlines();

private:
    const Filled &filled(int k, bool fullWidthParts = false) const { return m_filled.at({k, fullWidthParts}); }

    std::map<std::pair<int, bool>, Filled> m_filled;
};

// Each form laid out once for each way of filling its row.
void TestEnforcementForms::initTestCase()
{
    test::TestDatabase testDb;
    app().caseNo = caseNo;
    for (int k : {Q, J, A, S}) {
        const DocumentDescription &d = *documentDescription(k);
        for (bool fullWidthParts : {false, true}) {
            fillRow(d, fullWidthParts);
            Filled &f = m_filled[{k, fullWidthParts}];
            f.model = buildReport(d.report);
            for (const BoxSpec &b : d.boxes)
                f.stored[b.column] = db().scalar(
                    u"SELECT %1 FROM %2 WHERE dabh = ?"_s.arg(b.column, d.document.table), {caseNo});
        }
    }
}

void TestEnforcementForms::cleanupTestCase() { m_filled.clear(); }

void TestEnforcementForms::positions_data()
{
    QTest::addColumn<int>("n");
    const std::vector<Expected> &all = forms();
    for (std::size_t n = 0; n < all.size(); ++n) {
        const Expected &e = all[n];
        static const char *const kinds[] = {"label", "field", "rule", "underline"};
        QTest::addRow("%s %s %s %d", qPrintable(documentAt(e.k).report), kinds[int(e.what)], qPrintable(e.text),
                      e.top)
            << int(n);
    }
}

void TestEnforcementForms::positions()
{
    QFETCH(int, n);
    const Expected &e = forms()[std::size_t(n)];
    const DocumentDescription &d = *documentDescription(e.k);
    const Filled &f = filled(e.k);
    const PageModel &model = f.model;
    QCOMPARE(model.pageCount(), 1);
    const int sectionTop = topMargin + (e.section == Sec::Detail ? d.report.reportHeader.height : 0);
    const PageItem *p = printed(model.pages[0], e, sectionTop);
    QVERIFY2(p, "not printed");
    QVERIFY2(std::abs(p->top - sectionTop - e.top) <= tolerance, qPrintable(QString::number(p->top - sectionTop)));
    const int left = p->left - leftMargin;
    test::checkPlaced(*p, left, {e.what, e.left, e.width, e.points, e.bold, e.centred},
                      e.what == What::Field ? f.stored.at(e.text) : QString());
}

void TestEnforcementForms::wholeForm_data()
{
    QTest::addColumn<int>("k");
    QTest::newRow("rep_qzzx") << Q;
    QTest::newRow("rep_jabg") << J;
    QTest::newRow("rep_ajys") << A;
    QTest::newRow("rep_sdhz") << S;
}

// One sheet with exactly the form's items: every box column printed but
// the signatures and the case number, nothing in the page header, page
// footer or report footer, so no page number.
void TestEnforcementForms::wholeForm()
{
    QFETCH(int, k);
    const DocumentDescription &d = *documentDescription(k);
    const PageModel &model = filled(k).model;
    QCOMPARE(model.pageCount(), 1);
    const Page &p = model.pages[0];
    int texts = 0;
    int rules = 0;
    int underlines = 0;
    QStringList centred;
    for (const Expected &e : forms()) {
        if (e.k != k)
            continue;
        texts += e.what == What::Label || e.what == What::Field;
        rules += e.what == What::Rule;
        underlines += e.what == What::Underline;
        if (e.centred)
            centred << e.text;
    }
    QCOMPARE(int(itemsOf(p, ItemKind::Label).size() + itemsOf(p, ItemKind::Field).size()), texts);
    QCOMPARE(int(itemsOf(p, ItemKind::Box).size()), rules);
    QCOMPARE(int(itemsOf(p, ItemKind::Line).size()), underlines);
    QVERIFY(d.report.pageHeader.items.empty());
    QVERIFY(d.report.pageFooter.items.empty());
    QVERIFY(d.report.reportFooter.items.empty());

    QStringList printedColumns;
    for (const PageItem *f : itemsOf(p, ItemKind::Field))
        printedColumns << f->column;
    QStringList expected{u"dabh"_s};
    for (const BoxSpec &b : d.boxes)
        expected << b.column;
    for (const QString &c : unprinted(k))
        expected.removeOne(c);
    printedColumns.sort();
    expected.sort();
    QCOMPARE(printedColumns, expected);
    for (const Item &i : d.report.detail.items)
        if (i.kind == ItemKind::Field)
            QCOMPARE(i.align == Align::Centre, centred.contains(i.text));
    QVERIFY(!model.texts(0).join(u'|').contains(caseNo));
    // The header line and footer are on every form but the application.
    QCOMPARE(model.texts(0).contains(header), k != Q);
    QCOMPARE(model.texts(0).contains(footer), k != Q);
}

void TestEnforcementForms::fieldsHoldTheirColumns_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<bool>("fullWidthParts");
    for (int k : {Q, J, A, S}) {
        QTest::addRow("%s, parts in digits", qPrintable(documentAt(k).report)) << k << false;
        QTest::addRow("%s, parts in full-width characters", qPrintable(documentAt(k).report)) << k << true;
    }
}

// Every column as full as it can be: each field prints its column whole
// inside its width, a short part whose column holds more than its printed
// place in a smaller size.
void TestEnforcementForms::fieldsHoldTheirColumns()
{
    QFETCH(int, k);
    QFETCH(bool, fullWidthParts);
    const DocumentDescription &d = *documentDescription(k);
    const Filled &f = filled(k, fullWidthParts);
    const PageModel &model = f.model;
    for (const Item &item : d.report.detail.items) {
        if (item.kind != ItemKind::Field)
            continue;
        test::checkFieldWhole(model.pages[0], item, leftMargin, f.stored.at(item.text));
    }
}

void TestEnforcementForms::nothingLaidOver_data()
{
    QTest::addColumn<int>("k");
    QTest::newRow("强制执行申请书") << Q;
    QTest::newRow("结案报告") << J;
    QTest::newRow("案件移送书") << A;
    QTest::newRow("送达回执") << S;
}

// No label runs into another or into a field, no box into another or into
// a label, on the page and in the window, but where a label's blanks hold a
// field or box; everything stays inside the page's body or the window.
void TestEnforcementForms::nothingLaidOver()
{
    QFETCH(int, k);
    const DocumentDescription &d = *documentDescription(k);
    const ReportLayout &r = d.report;
    std::vector<Span> labels;
    std::vector<Span> fields;
    const int body = paperWidth(r.page) - r.page.leftMargin - r.page.rightMargin;
    int top = 0;
    for (const Section *s : {&r.reportHeader, &r.detail}) {
        for (const Item &i : s->items) {
            const double pt = i.pointSize > 0 ? i.pointSize : r.fontSize;
            const int em = int(pt * 20);
            if (i.kind == ItemKind::Label)
                labels.push_back({i.text, i.left, i.left + gridWidthTwips(i.text, pt), top + i.top,
                                  top + i.top + em, i.text, pt});
            else if (i.kind == ItemKind::Field)
                fields.push_back({i.text, i.left, i.left + i.width, top + i.top, top + i.top + em, {}, pt});
            const int right = i.kind == ItemKind::Label ? i.left + gridWidthTwips(i.text, pt) : i.left + i.width;
            QVERIFY2(i.left >= 0 && right <= body, qPrintable(i.text));
        }
        top += s->height;
    }
    QCOMPARE(collisions(labels, fields), QStringList());

    const WindowLayout w = placeWindow(d);
    std::vector<Span> texts;
    std::vector<Span> boxes;
    for (const PlacedText &t : w.texts) {
        texts.push_back({t.text, t.left, t.left + gridWidthTwips(t.text, t.points), t.top,
                         t.top + int(t.points * 20), t.text, t.points});
        QVERIFY2(texts.back().right <= d.window.width && t.top + t.points * 20 <= d.window.height,
                 qPrintable(t.text));
    }
    for (std::size_t i = 0; i < w.boxes.size(); ++i) {
        const QRect &b = w.boxes[i];
        boxes.push_back({d.boxes[i].column, b.left(), b.left() + b.width(), b.top(), b.top() + b.height(), {}, 9});
        QVERIFY2(b.width() > 0 && b.left() + b.width() <= d.window.width && b.top() + 240 <= d.window.height,
                 qPrintable(d.boxes[i].column));
    }
    QCOMPARE(collisions(texts, boxes), QStringList());
}

void TestEnforcementForms::windowWording_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QStringList>("wording");
    QTest::addColumn<QStringList>("titles");     // 18 pt bold
    QTest::addColumn<QStringList>("boldLabels"); // 9 pt bold
    QTest::newRow("强制执行申请书")
        << Q
        << QStringList{u"强制执行申请书"_s,
                       u"Vesk卫(   )强申字[     ]第(     )号"_s,
                       u"我局于     年   月   日以Vesk卫(    )罚字[      ]第(     )号的"_s,
                       u"行政处罚决定书对"_s,
                       u"作出"_s,
                       u"行政处罚决定，规定当事人在     年   月   日前履行行政处罚决定,但"_s,
                       u"当事人在规定的期限内拒不履行。根据《中华人民共和国行政处罚法》第"_s,
                       u"五十一条规定，特申请你院强制执行。"_s,
                       u"年   月   日"_s,
                       u"附：1、《卫生行政处罚决定书》一份"_s,
                       u"2、《卫生行政处罚决定书送达回证》一份"_s,
                       u"3、其他资料   份"_s}
        << QStringList{u"强制执行申请书"_s} << QStringList{};
    QTest::newRow("结案报告") << J
                          << QStringList{header,
                                         u"结  案  报  告"_s,
                                         u"当 事 人："_s,
                                         u"案件来源："_s,
                                         u"立案日期："_s,
                                         u"年    月   日"_s,
                                         u"案  由："_s,
                                         u"(1)行政处罚决定书文号："_s,
                                         u"执行方式："_s,
                                         u"执行日期："_s,
                                         u"执行结果："_s,
                                         u"(2)不作行政处罚的理由："_s,
                                         u"建议本案予以结案。"_s,
                                         u"承办人签名："_s,
                                         u"年    月   日"_s,
                                         u"负责人审批意见："_s,
                                         u"负责人签名："_s,
                                         u"年    月   日"_s,
                                         footer}
                          << QStringList{u"结  案  报  告"_s} << QStringList{u"案  由："_s, u"负责人审批意见："_s};
    QTest::newRow("案件移送书") << A
                           << QStringList{header,
                                          u"案件移送书存根"_s,
                                          u"编号："_s,
                                          u"当 事 人："_s,
                                          u"案    由："_s,
                                          u"移送日期："_s,
                                          u"年    月    日"_s,
                                          u"受移送机关："_s,
                                          u"经 办 人："_s,
                                          u"备    注："_s,
                                          u"请盖骑缝章"_s + QString(70, u'-'),
                                          u"案 件 移 送 书"_s,
                                          u"编号："_s,
                                          u"我局于     年   月  日受理的"_s,
                                          u"案件，"_s,
                                          u"根据"_s,
                                          u"的规定，"_s,
                                          u"应当由你厅（局）处理。"_s,
                                          u"特此移送。案件查处结果请函告我局备查。"_s,
                                          u"附件：有关材料"_s,
                                          u"件。"_s,
                                          u"年    月    日"_s,
                                          footer}
                           << QStringList{u"案件移送书存根"_s, u"案 件 移 送 书"_s} << QStringList{};
    QTest::newRow("送达回执") << S
                          << QStringList{header,
                                         u" 送达回执存根"_s,
                                         u"编号："_s,
                                         u"受送达人："_s,
                                         u"送达文件："_s,
                                         u"送达方式："_s,
                                         u"送达地点："_s,
                                         u"送 达 人："_s,
                                         u"送达时间："_s,
                                         u"备注："_s,
                                         u"请盖骑缝章"_s + QString(70, u'-'),
                                         u"送 达 回 执"_s,
                                         u"编号："_s,
                                         u"送达文件："_s,
                                         u"送达地点："_s,
                                         u"受送达人签名："_s,
                                         u"送达人签名："_s,
                                         u"年    月    日"_s,
                                         u"年    月    日"_s,
                                         u"备注："_s,
                                         footer}
                          << QStringList{u" 送达回执存根"_s, u"送 达 回 执"_s} << QStringList{};
}

// The window's fixed wording, top to bottom and left to right, is the
// form's: header and footer where the form has them, the stub's and the
// letter's own wording, the seam "请盖骑缝章" and its hyphens; the header
// in 12 pt, the titles in 18 pt bold, the rest in 9 pt.
void TestEnforcementForms::windowWording()
{
    QFETCH(int, k);
    QFETCH(QStringList, wording);
    std::vector<PlacedText> texts = placeWindow(*documentDescription(k)).texts;
    std::stable_sort(texts.begin(), texts.end(), [](const PlacedText &a, const PlacedText &b) {
        return a.top != b.top ? a.top < b.top : a.left < b.left;
    });
    QStringList shown;
    for (const PlacedText &t : texts)
        shown << t.text;
    QCOMPARE(shown, wording);
    QFETCH(QStringList, titles);
    QFETCH(QStringList, boldLabels);
    for (const PlacedText &t : texts) {
        const bool title = titles.contains(t.text);
        QCOMPARE(t.points, t.text == header ? 12 : title ? 18 : 9);
        QCOMPARE(t.bold, title || boldLabels.contains(t.text));
    }
}

void TestEnforcementForms::windowUnderlines_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QStringList>("without"); // boxes that stand on no line
    QTest::newRow("强制执行申请书: not the number, not the applicant")
        << Q << QStringList{u"lb"_s, u"nd"_s, u"bh"_s, u"sqdw"_s};
    QTest::newRow("结案报告: not the authority") << J << QStringList{u"xzjg"_s};
    QTest::newRow("案件移送书: not the authority") << A << QStringList{u"dw"_s};
    QTest::newRow("送达回执: every box") << S << QStringList{};
}

// Each box of the window stands on a drawn line of its own width 240 twips
// below its top, but those the form leaves without one.
void TestEnforcementForms::windowUnderlines()
{
    QFETCH(int, k);
    QFETCH(QStringList, without);
    const DocumentDescription &d = *documentDescription(k);
    const WindowLayout w = placeWindow(d);
    for (std::size_t i = 0; i < d.boxes.size(); ++i) {
        const QRect &b = w.boxes[i];
        const Segment under = hline(b.left(), b.left() + b.width(), b.top() + 240);
        const bool has = std::find(w.lines.begin(), w.lines.end(), under) != w.lines.end();
        QVERIFY2(has != without.contains(d.boxes[i].column), qPrintable(d.boxes[i].column));
    }
}

QTEST_GUILESS_MAIN(TestEnforcementForms)
#include "tst_enforcementforms.moc"
