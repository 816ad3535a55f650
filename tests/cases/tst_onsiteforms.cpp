// The printed on-site record documents against their national forms, read
// from the page model of a filled row: every label, field, rule and
// underline where the form has it (within 15 twips) in its font, nothing
// else on the one sheet, signatures and the case number never printed,
// every other column printed whole, a memo in as many lines as it takes,
// on further sheets when it must. And the windows' wording in reading
// order with their boxes on underlines. No display needed.
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

#include <map>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::report;

namespace {

const QString caseNo = u"20020007"_s;
using test::itemsOf;
using test::What;
constexpr int leftMargin = 1080;
constexpr int topMargin = 720;

constexpr int X = 0;  // 现场检查笔录
constexpr int C = 11; // 陈述和申辩笔录
constexpr int W = 12; // 询问笔录
constexpr int Y = 13; // 采样记录
constexpr int B = 17; // 保存证据通知书

enum class Sec { Header, Detail };
const Sec H = Sec::Header;
const Sec D = Sec::Detail;

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

Expected lbl(int k, Sec s, const QString &text, int left, int top, int width, double pt = 12)
{
    return {k, s, What::Label, text, left, top, width, pt};
}
Expected lbl(int k, const QString &text, int left, int top, int width) { return lbl(k, D, text, left, top, width); }
Expected title(int k, Sec s, const QString &text, int top)
{
    return {k, s, What::Label, text, 0, top, 9645, 21.75, true, true};
}
Expected fld(int k, const QString &column, int left, int top, int width, bool centred = false)
{
    return {k, D, What::Field, column, left, top, width, 12, false, centred};
}
Expected rule(int k, Sec s, int top) { return {k, s, What::Rule, {}, 0, top, 9645}; }
Expected under(int k, Sec s, int x1, int x2, int y) { return {k, s, What::Underline, {}, x1, y, x2 - x1}; }
Expected under(int k, int x1, int x2, int y) { return under(k, D, x1, x2, y); }

const QString header = u"卫  生  行  政  执  法  处  罚  文  书"_s;
const QString footer = u"中华人民共和国卫生部制定"_s;
const QString date = u"年   月   日"_s;

// The heading of the three records: the header line over a rule, the
// hand-written page line with its two gaps underlined, the title.
std::vector<Expected> recordHeading(int k, const QString &name)
{
    return {lbl(k, H, header, 1830, 360, 6000, 15.75), rule(k, H, 735), lbl(k, H, u"第   页共   页"_s, 7965, 885, 1680),
            under(k, H, 8205, 8565, 1170), under(k, H, 9045, 9405, 1170), title(k, H, name, 1290)};
}

// A record's time line: its label, the seven parts on underlines.
std::vector<Expected> timeLine(int k, int top, const QString &label, int x, const QStringList &c)
{
    const int u = top + 285;
    return {lbl(k, label, 0, top, x),
            fld(k, c[0], x, top, 480),
            lbl(k, date, x + 480, top, 1440),
            fld(k, c[1], x + 720, top, 360),
            fld(k, c[2], x + 1320, top, 360),
            lbl(k, u"     时   分至"_s, x + 1920, top, 1680),
            fld(k, c[3], x + 1920, top, 600),
            fld(k, c[4], x + 2760, top, 360),
            lbl(k, u"     时   分"_s, x + 3600, top, 1440),
            fld(k, c[5], x + 3600, top, 600),
            fld(k, c[6], x + 4440, top, 360),
            under(k, x, x + 480, u),
            under(k, x + 720, x + 1080, u),
            under(k, x + 1320, x + 1680, u),
            under(k, x + 1920, x + 2520, u),
            under(k, x + 2760, x + 3120, u),
            under(k, x + 3600, x + 4200, u),
            under(k, x + 4440, x + 4800, u)};
}

// A date: the year's field, then "年   月   日" holding month and day.
std::vector<Expected> printedDate(int k, int left, int top, const QStringList &c, const QString &words = date)
{
    return {fld(k, c[0], left, top, 480), lbl(k, words, left + 480, top, gridWidthTwips(words, 12)),
            fld(k, c[1], left + 720, top, 360), fld(k, c[2], left + 1320, top, 360)};
}
std::vector<Expected> dateUnderlines(int k, int left, int top)
{
    const int u = top + 285;
    return {under(k, left, left + 480, u), under(k, left + 720, left + 1080, u), under(k, left + 1320, left + 1680, u)};
}

std::vector<Expected> printedFooter(int k, int ruleTop)
{
    return {rule(k, D, ruleTop), lbl(k, footer, 6765, ruleTop + 120, 2880)};
}

void add(std::vector<Expected> &all, const std::vector<Expected> &more)
{
    all.insert(all.end(), more.begin(), more.end());
}

const std::vector<Expected> &forms()
{
    static const std::vector<Expected> all = [] {
        std::vector<Expected> v;
        // 现场检查笔录
        add(v, recordHeading(X, u" 现场检查笔录"_s));
        add(v, {lbl(X, u"被检查人："_s, 0, 165, 1200), fld(X, u"bjcr"_s, 1200, 165, 8445),
                lbl(X, u"检查机关："_s, 0, 585, 1200), fld(X, u"jcjg"_s, 1200, 585, 8445),
                lbl(X, u"检查地点："_s, 0, 1005, 1200), fld(X, u"jcdd"_s, 1200, 1005, 8445)});
        add(v, timeLine(X, 1425, u"检查时间："_s, 1200,
                        {u"jcsj_n"_s, u"jcsj_y"_s, u"jcsj_r"_s, u"jcsj_s"_s, u"jcsj_f"_s, u"jcsj_s2"_s, u"jcsj_f2"_s}));
        add(v, {lbl(X, u"检查记录："_s, 0, 1845, 1200), fld(X, u"jcjl"_s, 0, 2265, 9645),
                lbl(X, u"被检查人阅后签名："_s, 0, 11220, 2160), lbl(X, u"检查人员签名："_s, 5400, 11220, 1680)});
        add(v, printedDate(X, 1200, 12000, {u"bc_y"_s, u"bc_m"_s, u"bc_d"_s}));
        add(v, printedDate(X, 6600, 12000, {u"jc_y"_s, u"jc_m"_s, u"jc_d"_s}));
        add(v, printedFooter(X, 12480));
        // 询问笔录
        add(v, recordHeading(W, u"询  问  笔  录"_s));
        add(v, {lbl(W, u"被询问人："_s, 0, 165, 1200), fld(W, u"bxwr"_s, 1200, 165, 8445),
                lbl(W, u"询问机关："_s, 0, 585, 1200), fld(W, u"xwjg"_s, 1200, 585, 8445),
                lbl(W, u"询问地点："_s, 0, 1005, 1200), fld(W, u"xwdd"_s, 1200, 1005, 8445)});
        add(v, timeLine(W, 1425, u"询问时间："_s, 1200,
                        {u"xwsj_n"_s, u"xwsj_y"_s, u"xwsj_r"_s, u"xwsj_s1"_s, u"xwsj_f1"_s, u"xwsj_s2"_s,
                         u"xwsj_f2"_s}));
        add(v, {lbl(W, u"询问内容："_s, 0, 1845, 1200), fld(W, u"xwnr"_s, 0, 2265, 9645),
                lbl(W, u"被询问人阅后签名："_s, 0, 10740, 2160), lbl(W, u"询问人签名："_s, 5400, 10740, 1440),
                lbl(W, u"记录人签名："_s, 5400, 11280, 1440)});
        add(v, printedDate(W, 1200, 12000, {u"nian1"_s, u"yue1"_s, u"ri1"_s}));
        add(v, printedDate(W, 6600, 12000, {u"nian2"_s, u"yue2"_s, u"ri2"_s}));
        add(v, printedFooter(W, 12480));
        // 陈述和申辩笔录
        add(v, recordHeading(C, u"陈述和申辩笔录"_s));
        add(v, {lbl(C, u"当 事 人："_s, 0, 165, 1200), fld(C, u"dsr"_s, 1200, 165, 8445),
                lbl(C, u"陈述申辩人："_s, 0, 585, 1440), fld(C, u"csr"_s, 1440, 585, 8205),
                lbl(C, u"承办机关："_s, 0, 1005, 1200), fld(C, u"cbjg"_s, 1200, 1005, 8445),
                lbl(C, u"承 办 人："_s, 0, 1425, 1200), fld(C, u"cbr"_s, 1200, 1425, 8445),
                lbl(C, u"陈述和申辩地点："_s, 0, 1845, 1920), fld(C, u"csdd"_s, 1920, 1845, 7725)});
        add(v, timeLine(C, 2265, u"陈述和申辩时间："_s, 1920,
                        {u"cssj_n"_s, u"cssj_y"_s, u"cssj_r"_s, u"cssj_s1"_s, u"cssj_f1"_s, u"cssj_s2"_s,
                         u"cssj_f2"_s}));
        add(v, {lbl(C, u"陈述和申辩内容："_s, 0, 2685, 1920), fld(C, u"csnr"_s, 0, 3105, 9645),
                lbl(C, u"陈述申辩人阅后签名："_s, 0, 10740, 2400), lbl(C, u"承办人签名："_s, 5400, 10740, 1440),
                lbl(C, u"记录人签名："_s, 5400, 11280, 1440)});
        add(v, printedDate(C, 1200, 12000, {u"nian1"_s, u"yue1"_s, u"ri1"_s}));
        add(v, printedDate(C, 6600, 12000, {u"nian2"_s, u"yue2"_s, u"ri2"_s}));
        add(v, printedFooter(C, 12480));
        // 采样记录 and its sample label
        add(v, {lbl(Y, H, header, 1830, 360, 6000, 15.75), rule(Y, H, 735), title(Y, H, u"采  样  记  录"_s, 1290)});
        add(v, {lbl(Y, u"编号："_s, 6045, 60, 720), fld(Y, u"bh1"_s, 6765, 60, 2880),
                lbl(Y, u"被采样人："_s, 0, 540, 1200), fld(Y, u"bcyr"_s, 1200, 540, 8445),
                lbl(Y, u"采样机构："_s, 0, 1020, 1200), fld(Y, u"cyjg"_s, 1200, 1020, 8445),
                lbl(Y, u"样品名称："_s, 0, 1500, 1200), fld(Y, u"ypmc1"_s, 1200, 1500, 4080),
                lbl(Y, u"样品编号："_s, 5520, 1500, 1200), fld(Y, u"ypbh1"_s, 6720, 1500, 2925),
                lbl(Y, u"样品生产单位："_s, 0, 1980, 1680), fld(Y, u"ypscdw1"_s, 1680, 1980, 7965),
                lbl(Y, u"样品规格："_s, 0, 2460, 1200), fld(Y, u"ypgg"_s, 1200, 2460, 4080),
                lbl(Y, u"采样数量："_s, 5520, 2460, 1200), fld(Y, u"cysl"_s, 6720, 2460, 2925),
                lbl(Y, u"采样方式："_s, 0, 2940, 1200), fld(Y, u"cyfs"_s, 1200, 2940, 8445),
                lbl(Y, u"采样时间："_s, 0, 3420, 1200)});
        add(v, printedDate(Y, 1200, 3420, {u"cysj_n"_s, u"cysj_y"_s, u"cysj_r"_s}));
        add(v, dateUnderlines(Y, 1200, 3420));
        add(v, {lbl(Y, u"     时   分"_s, 3120, 3420, 1440), fld(Y, u"cysj_s"_s, 3120, 3420, 600),
                fld(Y, u"cysj_f"_s, 3960, 3420, 360), under(Y, 3120, 3720, 3705), under(Y, 3960, 4320, 3705),
                lbl(Y, u"采样地点："_s, 0, 3900, 1200), fld(Y, u"cydd"_s, 1200, 3900, 8445),
                lbl(Y, u"采样目的："_s, 0, 4380, 1200), fld(Y, u"cymd"_s, 1200, 4380, 8445),
                lbl(Y, u"已按照"_s, 480, 4860, 720), fld(Y, u"gd"_s, 1200, 4860, 7680), under(Y, 1200, 8880, 5145),
                lbl(Y, u"规定"_s, 8880, 4860, 480),
                lbl(Y, u"无偿采取以上样品作鉴定检验使用。"_s, 0, 5340, 3840),
                lbl(Y, u"被采样人签名："_s, 0, 5940, 1680), lbl(Y, u"采样人签名："_s, 5400, 5940, 1440)});
        add(v, printedDate(Y, 1680, 6780, {u"bqm_n"_s, u"bqm_y"_s, u"bqm_r"_s}));
        add(v, printedDate(Y, 6840, 6780, {u"cqm_n"_s, u"cqm_y"_s, u"cqm_r"_s}));
        add(v, {lbl(Y, D, u"备注：采样记录一式三份，第一份交被采样人作为凭证，第二份随样品送检，第三份留存卷宗备查。"_s, 0,
                    7260, 9645, 10.5),
                lbl(Y, footer, 6765, 7740, 2880), lbl(Y, u"请骑缝盖章"_s, 0, 8340, 1200), under(Y, 1260, 9645, 8460),
                title(Y, D, u"样  品  标  记"_s, 8820),
                lbl(Y, u"编号："_s, 6045, 9660, 720), fld(Y, u"bh2"_s, 6765, 9660, 2880),
                lbl(Y, u"样品名称："_s, 0, 10140, 1200), fld(Y, u"ypmc2"_s, 1200, 10140, 8445),
                lbl(Y, u"样品生产单位："_s, 0, 10620, 1680), fld(Y, u"ypscdw2"_s, 1680, 10620, 4800),
                lbl(Y, u"样品编号："_s, 6765, 10620, 1200), fld(Y, u"ypbh2"_s, 7965, 10620, 1680),
                lbl(Y, u"规格："_s, 0, 11100, 720), fld(Y, u"gg"_s, 720, 11100, 2640),
                lbl(Y, u"数量："_s, 3600, 11100, 720), fld(Y, u"sl"_s, 4320, 11100, 2160),
                lbl(Y, u"其他标记："_s, 6720, 11100, 1200), fld(Y, u"qtbj"_s, 7920, 11100, 1725),
                rule(Y, D, 11580)});
        // 保存证据通知书 and its stub
        add(v, {lbl(B, H, header, 1830, 360, 6000, 15.75), rule(B, H, 735),
                title(B, H, u"保存证据通知书存根"_s, 1290)});
        add(v, {lbl(B, u"编号："_s, 6045, 60, 720), fld(B, u"bh1"_s, 6765, 60, 2880), under(B, 6765, 9645, 345),
                lbl(B, u"当 事 人："_s, 0, 510, 1200), fld(B, u"dsr"_s, 1200, 510, 8400), under(B, 1200, 9600, 795),
                lbl(B, u"保存物品："_s, 0, 960, 1200), fld(B, u"bcwp1"_s, 1200, 960, 8400),
                under(B, 1200, 9600, 1245), fld(B, u"bcwp2"_s, 1200, 1410, 8400), under(B, 1200, 9600, 1695),
                lbl(B, u"保存方式："_s, 0, 1860, 1200), fld(B, u"bcfs"_s, 1200, 1860, 8400),
                under(B, 1200, 9600, 2145), lbl(B, u"保存地点："_s, 0, 2310, 1200),
                fld(B, u"bcdd"_s, 1200, 2310, 8400), under(B, 1200, 9600, 2595),
                lbl(B, u"保存期限："_s, 0, 2760, 1200)});
        add(v, printedDate(B, 1200, 2760, {u"bcqx_n1"_s, u"bcqx_y1"_s, u"bcqx_r1"_s}, u"年   月   日至"_s));
        add(v, dateUnderlines(B, 1200, 2760));
        add(v, printedDate(B, 3360, 2760, {u"bcqx_n2"_s, u"bcqx_y2"_s, u"bcqx_r2"_s}));
        add(v, dateUnderlines(B, 3360, 2760));
        add(v, {lbl(B, u"当事人签名："_s, 0, 3330, 1440), lbl(B, u"承办人签名："_s, 5400, 3330, 1440)});
        add(v, printedDate(B, 1440, 4110, {u"nian1"_s, u"yue1"_s, u"ri1"_s}));
        add(v, printedDate(B, 6840, 4110, {u"nian2"_s, u"yue2"_s, u"ri2"_s}));
        add(v, {lbl(B, u"请骑缝盖章"_s, 0, 4680, 1200), under(B, 1260, 9645, 4800),
                title(B, D, u"保存证据通知书"_s, 5130),
                lbl(B, u"编号："_s, 6045, 5910, 720), fld(B, u"bh2"_s, 6765, 5910, 2880), under(B, 6765, 9645, 6195),
                fld(B, u"dw"_s, 0, 6360, 4800), under(B, 0, 4800, 6645),
                lbl(B, u"根据《中华人民共和国行政处罚法》第三十七条第二款规定，我局决定对你（单位）的"_s, 480, 6810,
                    9165),
                lbl(B, u"下列物品作为证据以"_s + QString(56, u' ') + u"方式于"_s, 0, 7260, 9600),
                fld(B, u"fs"_s, 2160, 7260, 6720), under(B, 2160, 8880, 7545),
                fld(B, u"bc"_s, 0, 7710, 5280), under(B, 0, 5280, 7995),
                lbl(B, u"进行登记保存，到"_s, 5280, 7710, 1920)});
        add(v, printedDate(B, 7200, 7710, {u"bc_n"_s, u"bc_y"_s, u"bc_r"_s}, u"年   月   日止："_s));
        add(v, dateUnderlines(B, 7200, 7710));
        add(v, {fld(B, u"wp1"_s, 0, 8160, 9600), under(B, 0, 9600, 8445), fld(B, u"wp2"_s, 0, 8610, 9600),
                under(B, 0, 9600, 8895),
                lbl(B, u"以上物品在保存期限内应当妥为保管，未经本局同意，不得销毁或转移。"_s, 480, 9060, 9165),
                fld(B, u"jg"_s, 5280, 9960, 3600, true)});
        add(v, printedDate(B, 6240, 10530, {u"nian"_s, u"yue"_s, u"ri"_s}));
        add(v, printedFooter(B, 11310));
        return v;
    }();
    return all;
}

// Columns the printed form leaves blank: the case number and what is
// signed by hand.
QStringList unprinted(int k)
{
    switch (k) {
    case X:
        return {u"dabh"_s, u"bcqm"_s, u"jcqm"_s};
    case W:
        return {u"dabh"_s, u"bxwrqm"_s, u"xwrqm"_s, u"jlrqm"_s};
    case C:
        return {u"dabh"_s, u"csrqm"_s, u"cbrqm"_s, u"jlrqm"_s};
    case Y:
        return {u"dabh"_s, u"bcyrqm"_s, u"cyrqm"_s};
    default:
        return {u"dabh"_s, u"dsrqm"_s, u"cbrqm"_s};
    }
}

const schema::Column *columnOf(const DocumentDescription &d, const QString &column)
{
    for (const schema::Column &c : schema::find(d.document.table.toStdString())->columns)
        if (QString::fromUtf8(c.name.data(), qsizetype(c.name.size())) == column)
            return &c;
    return nullptr;
}

bool isMemo(const DocumentDescription &d, const QString &column)
{
    return columnOf(d, column)->kind == schema::Kind::Memo;
}

// A date or time part: its column holds more than its printed place, which
// shows the two or four digits that such a part takes.
bool isShortPart(const DocumentDescription &d, const QString &column)
{
    return !isMemo(d, column) && columnOf(d, column)->capacity <= 8;
}

// Every box column filled: full-width text as long as the column holds it,
// the short parts in digits or, with fullWidthParts, in full-width text too.
void fillRow(const DocumentDescription &d, bool fullWidthParts)
{
    const QString text = u"O'Brien's卫生监督所接群众举报某饭店使用过期食品原料加工菜肴经现场检查属实"_s.repeated(6);
    db().exec(u"DELETE FROM %1"_s.arg(d.document.table));
    test::writeRow(d, caseNo,
                   [&](const BoxSpec &b) { return isShortPart(d, b.column) && !fullWidthParts ? u"12"_s : text; });
}

// A form laid out for a filled row, with what the row holds.
struct Filled {
    PageModel model;
    std::map<QString, QString> stored;
};

// The lines a memo's field prints: its text broken at the field's width.
QStringList memoLines(const QString &text, int width)
{
    QStringList lines;
    for (const QString &given : text.split(u'\n'))
        lines << gridLines(given, width, 12);
    return lines;
}

QStringList printedLines(const PageModel &m, const QString &column)
{
    QStringList out;
    for (const Page &p : m.pages)
        for (const PageItem &i : p.items)
            if (i.kind == ItemKind::Field && i.column == column)
                out << i.text;
    return out;
}

} // namespace

class TestOnsiteForms : public QObject {
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
    void longMemoGoesOnToTheNextSheet_data();
    void longMemoGoesOnToTheNextSheet();
    void memoSheets_data();
    void memoSheets();
    void longNoteSheets_data();
    void longNoteSheets();
    void emptyRowPrintsTheWording();
    void windowWording_data();
    void windowWording();
    void windowUnderlines_data();
    void windowUnderlines();

private:
    const Filled &filled(int k, bool fullWidthParts = false) const { return m_filled.at({k, fullWidthParts}); }

    std::map<std::pair<int, bool>, Filled> m_filled;
};

// Each form laid out once for each way of filling its row.
void TestOnsiteForms::initTestCase()
{
    test::TestDatabase testDb;
    app().caseNo = caseNo;
    for (int k : {X, W, C, Y, B}) {
        const DocumentDescription &d = *documentDescription(k);
        for (bool fullWidthParts : {false, true}) {
            fillRow(d, fullWidthParts);
            Filled &f = m_filled[{k, fullWidthParts}];
            f.model = buildReport(d.report);
            for (const BoxSpec &b : d.boxes)
                f.stored[b.column] = test::storedValue(d.document.table, b.column, caseNo);
        }
    }
}

void TestOnsiteForms::cleanupTestCase() { m_filled.clear(); }

void TestOnsiteForms::positions_data()
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

void TestOnsiteForms::positions()
{
    QFETCH(int, n);
    const Expected &e = forms()[std::size_t(n)];
    const DocumentDescription &d = *documentDescription(e.k);
    const Filled &f = filled(e.k);
    const PageModel &model = f.model;
    QCOMPARE(model.pageCount(), 1);
    const int sectionTop = topMargin + (e.section == Sec::Detail ? d.report.reportHeader.height : 0);
    const PageItem *p = test::findPrinted(model.pages[0], e.what, e.text, e.left, e.top, leftMargin, sectionTop,
                                          e.centred ? test::LabelAt::Top : test::LabelAt::TopAndLeft);
    QVERIFY2(p, "not printed");
    QVERIFY2(std::abs(p->top - sectionTop - e.top) <= test::tolerance,
             qPrintable(QString::number(p->top - sectionTop)));
    QString value;
    if (e.what == What::Field)
        value = isMemo(d, e.text) ? memoLines(f.stored.at(e.text), e.width).first() : f.stored.at(e.text);
    test::checkPlaced(*p, p->left - leftMargin, {e.what, e.left, e.width, e.points, e.bold, e.centred}, value);
}

void TestOnsiteForms::wholeForm_data()
{
    QTest::addColumn<int>("k");
    QTest::newRow("rep_xzbl") << X;
    QTest::newRow("rep_xwbl") << W;
    QTest::newRow("rep_cssb") << C;
    QTest::newRow("rep_cyjl") << Y;
    QTest::newRow("rep_bczj") << B;
}

// One sheet with exactly the form's items (a memo in as many lines as it
// takes): every box column printed but the signatures and the case number,
// nothing in the page header, page footer or report footer.
void TestOnsiteForms::wholeForm()
{
    QFETCH(int, k);
    const DocumentDescription &d = *documentDescription(k);
    const Filled &f = filled(k);
    const PageModel &model = f.model;
    QCOMPARE(model.pageCount(), 1);
    const Page &p = model.pages[0];
    int texts = 0;
    int rules = 0;
    int underlines = 0;
    for (const Expected &e : forms()) {
        if (e.k != k)
            continue;
        texts += e.what == What::Label || (e.what == What::Field && !isMemo(d, e.text));
        if (e.what == What::Field && isMemo(d, e.text))
            texts += int(memoLines(f.stored.at(e.text), e.width).size());
        rules += e.what == What::Rule;
        underlines += e.what == What::Underline;
    }
    QCOMPARE(int(itemsOf(p, ItemKind::Label).size() + itemsOf(p, ItemKind::Field).size()), texts);
    QCOMPARE(int(itemsOf(p, ItemKind::Box).size()), rules);
    QCOMPARE(int(itemsOf(p, ItemKind::Line).size()), underlines);
    QVERIFY(d.report.pageHeader.items.empty());
    QVERIFY(d.report.pageFooter.items.empty());
    QVERIFY(d.report.reportFooter.items.empty());

    QStringList printedColumns;
    for (const PageItem *i : itemsOf(p, ItemKind::Field))
        if (!printedColumns.contains(i->column))
            printedColumns << i->column;
    QStringList expected{u"dabh"_s};
    for (const BoxSpec &b : d.boxes)
        expected << b.column;
    for (const QString &c : unprinted(k))
        expected.removeOne(c);
    printedColumns.sort();
    expected.sort();
    QCOMPARE(printedColumns, expected);
    QVERIFY(!model.texts(0).join(u'|').contains(caseNo));
    QVERIFY(model.texts(0).contains(header));
    QVERIFY(model.texts(0).contains(footer));
}

void TestOnsiteForms::fieldsHoldTheirColumns_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<bool>("fullWidthParts");
    for (int k : {X, W, C, Y, B}) {
        QTest::addRow("%s, parts in digits", qPrintable(documentAt(k).report)) << k << false;
        QTest::addRow("%s, parts in full-width characters", qPrintable(documentAt(k).report)) << k << true;
    }
}

// Every column as full as it can be: each field prints its column whole
// inside its width, a memo line by line, a short part whose column holds
// more than its printed place in a smaller size, on two lines of its box
// where one does not hold it.
void TestOnsiteForms::fieldsHoldTheirColumns()
{
    QFETCH(int, k);
    QFETCH(bool, fullWidthParts);
    const DocumentDescription &d = *documentDescription(k);
    const Filled &f = filled(k, fullWidthParts);
    for (const Item &item : d.report.detail.items) {
        if (item.kind != ItemKind::Field)
            continue;
        const QString value = f.stored.at(item.text);
        QVERIFY(!value.isEmpty());
        const QStringList lines = printedLines(f.model, item.text);
        for (const PageItem *p : itemsOf(f.model.pages[0], ItemKind::Field)) {
            if (p->column != item.text)
                continue;
            const int left = p->left - leftMargin;
            QVERIFY2(left >= item.left && left + p->width <= item.left + item.width, qPrintable(item.text));
            QVERIFY(p->pointSize >= smallestPrintedSize);
        }
        QCOMPARE(lines.join(QString()), value);
    }
}

void TestOnsiteForms::longMemoGoesOnToTheNextSheet_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("signature"); // the first label under the memo
    QTest::newRow("rep_xzbl, the findings") << X << u"jcjl"_s << u"被检查人阅后签名："_s;
    QTest::newRow("rep_xwbl, the questions and answers") << W << u"xwnr"_s << u"被询问人阅后签名："_s;
    QTest::newRow("rep_cssb, the statement") << C << u"csnr"_s << u"陈述申辩人阅后签名："_s;
}

// A memo longer than its place prints whole: line by line down the sheet,
// on from the top of the next, its own line breaks kept; the signatures,
// their dates and the footer follow its last line.
void TestOnsiteForms::longMemoGoesOnToTheNextSheet()
{
    QFETCH(int, k);
    QFETCH(QString, column);
    QFETCH(QString, signature);
    test::TestDatabase testDb;
    app().caseNo = caseNo;
    const DocumentDescription &d = *documentDescription(k);
    QString text;
    for (int n = 1; n <= 60; ++n)
        text += u"第%1问：当时是谁在场？答：经营者本人和两名厨师在场，厨房正在加工菜肴。\n"_s.arg(n);
    test::writeRow(d, caseNo, [&](const BoxSpec &b) { return b.column == column ? text : u"12"_s; });
    const PageModel m = buildReport(d.report);
    QCOMPARE(m.pageCount(), 2);
    const QStringList lines = printedLines(m, column);
    // The line break that ends the text makes no empty line.
    QCOMPARE(lines, memoLines(text.chopped(1), 9645));
    QCOMPARE(lines.join(u'\n') + u'\n', text);
    // The second sheet: the memo goes on at its top; what stood below the
    // memo follows its last line; the footer ends the record.
    std::vector<const PageItem *> second;
    for (const PageItem &i : m.pages[1].items)
        if (i.kind == ItemKind::Field && i.column == column)
            second.push_back(&i);
    QVERIFY(!second.empty());
    QCOMPARE(second.front()->top, topMargin);
    const PageItem *label = nullptr;
    for (const PageItem &i : m.pages[1].items)
        if (i.text == signature)
            label = &i;
    QVERIFY(label);
    QVERIFY(label->top > second.back()->top);
    QVERIFY(m.texts(1).contains(footer));
    QVERIFY(!m.texts(0).contains(signature) && !m.texts(0).contains(footer));
    for (const Page &p : m.pages)
        for (const PageItem &i : p.items)
            QVERIFY(i.top + i.height <= paperHeight(d.report.page) - d.report.page.bottomMargin);
}

void TestOnsiteForms::memoSheets_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("sheets");
    QString thirty;
    for (int n = 1; n <= 30; ++n)
        thirty += u"第%1问：当时是谁在场？答：经营者本人和两名厨师在场。\n"_s.arg(n);
    QTest::newRow("30 lines") << thirty << 1;
    QTest::newRow("30 lines, 200 line breaks") << thirty + u"\n"_s.repeated(200) << 1;
    QTest::newRow("30 lines, 200 lines of blanks") << thirty + u"  \n"_s.repeated(200) << 1;
    QTest::newRow("30 lines, 200 line breaks, one more line") << thirty + u"\n"_s.repeated(200) + u"完。"_s << 2;
    QTest::newRow("60 lines, 200 line breaks") << thirty + thirty + u"\n"_s.repeated(200) << 2;
}

// The inquiry record prints the sheets its text needs: empty lines at the
// memo's end make no sheet, and no sheet is blank (every further sheet
// goes on with text of the memo at its top).
void TestOnsiteForms::memoSheets()
{
    QFETCH(QString, text);
    QFETCH(int, sheets);
    test::TestDatabase testDb;
    app().caseNo = caseNo;
    const DocumentDescription &d = *documentDescription(W);
    test::writeRow(d, caseNo, [&](const BoxSpec &b) { return b.column == u"xwnr"_s ? text : u"12"_s; });
    const PageModel m = buildReport(d.report);
    QCOMPARE(m.pageCount(), sheets);
    for (int n = 1; n < m.pageCount(); ++n) {
        const PageItem *first = nullptr;
        for (const PageItem &i : m.pages[std::size_t(n)].items)
            if (i.isText() && !i.text.trimmed().isEmpty() && (!first || i.top < first->top))
                first = &i;
        QVERIFY(first);
        QCOMPARE(first->column, u"xwnr"_s);
    }
    QStringList printed = printedLines(m, u"xwnr"_s);
    printed.removeAll(QString());
    QCOMPARE(printed.join(QString()), QString(text).remove(u'\n').trimmed());
}

void TestOnsiteForms::longNoteSheets_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("column");
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("paragraphs");
    const std::pair<int, QString> notes[] = {{X, u"jcjl"_s}, {W, u"xwnr"_s}, {C, u"csnr"_s}};
    for (const auto &[k, column] : notes) {
        for (int length : {1500, 2400, 2800, 3000, 3200, 3400, 3600, 3900, 4200, 5000, 6200, 8000}) {
            QTest::addRow("%s, %d characters", qPrintable(documentAt(k).report), length)
                << k << column << length << false;
            QTest::addRow("%s, %d characters in paragraphs", qPrintable(documentAt(k).report), length)
                << k << column << length << true;
        }
    }
}

// A note of any length: a further sheet only where text goes on onto it,
// and what stands below the note (signature labels, their dates, the rule
// and the footer) together on the last sheet, after the note's last line.
void TestOnsiteForms::longNoteSheets()
{
    QFETCH(int, k);
    QFETCH(QString, column);
    QFETCH(int, length);
    QFETCH(bool, paragraphs);
    test::TestDatabase testDb;
    app().caseNo = caseNo;
    const DocumentDescription &d = *documentDescription(k);
    const QString sentence =
        u"问：当时是谁在场？答：经营者本人和两名厨师在场，厨房正在加工菜肴。"_s + (paragraphs ? u"\n"_s : QString());
    const QString text = sentence.repeated(length / int(sentence.size()) + 1).left(length);
    test::writeRow(d, caseNo, [&](const BoxSpec &b) { return b.column == column ? text : u"12"_s; });
    const PageModel m = buildReport(d.report);
    QStringList expected = memoLines(text, 9645);
    while (expected.size() > 1 && expected.last().isEmpty())
        expected.removeLast(); // empty lines at the end take no room
    QCOMPARE(printedLines(m, column), expected);

    // What the form has below the note: labels by their text (one that
    // also stands above it is told by the fields beside it), fields by
    // their column, and its rule.
    int noteTop = 0;
    for (const Item &i : d.report.detail.items)
        if (i.kind == ItemKind::Field && i.text == column)
            noteTop = i.top;
    QStringList above;
    for (const Item &i : d.report.detail.items)
        if (i.top <= noteTop && i.kind == ItemKind::Label)
            above << i.text;
    QStringList below;
    int rules = 0;
    for (const Item &i : d.report.detail.items) {
        if (i.top <= noteTop)
            continue;
        if (i.kind == ItemKind::Box)
            ++rules;
        else if (i.kind != ItemKind::Line && !above.contains(i.text))
            below << i.text;
    }
    QVERIFY(below.contains(footer));
    const int last = m.pageCount() - 1;
    int noteBottom = 0; // of its last line on the last sheet
    for (const PageItem &i : m.pages[std::size_t(last)].items)
        if (i.kind == ItemKind::Field && i.column == column)
            noteBottom = i.top + i.height;
    for (int p = 0; p < m.pageCount(); ++p) {
        int notes = 0, block = 0, blockRules = 0;
        for (const PageItem &i : m.pages[std::size_t(p)].items) {
            notes += i.kind == ItemKind::Field && i.column == column && !i.text.isEmpty();
            const bool blockText = i.isText() && below.contains(i.kind == ItemKind::Field ? i.column : i.text);
            const bool blockRule = i.kind == ItemKind::Box && p == last && i.top > noteBottom;
            block += blockText;
            blockRules += blockRule;
            if (blockText || blockRule)
                QVERIFY2(i.top >= noteBottom, qPrintable(i.text));
        }
        if (p > 0)
            QVERIFY2(notes + block > 0, qPrintable(u"sheet %1 of %2 is blank"_s.arg(p + 1).arg(m.pageCount())));
        QCOMPARE(block, p == last ? int(below.size()) : 0);
        QCOMPARE(blockRules, p == last ? rules : 0);
    }
    for (const Page &p : m.pages)
        for (const PageItem &i : p.items)
            QVERIFY(i.top + i.height <= paperHeight(d.report.page) - d.report.page.bottomMargin);
}

// A new row prints the wording alone: every field empty.
void TestOnsiteForms::emptyRowPrintsTheWording()
{
    test::TestDatabase testDb;
    app().caseNo = caseNo;
    for (int k : {X, W, C, Y}) {
        const DocumentDescription &d = *documentDescription(k);
        db().insertRow(d.document.table, {u"dabh"_s}, {caseNo});
        const PageModel m = buildReport(d.report);
        QCOMPARE(m.pageCount(), 1);
        for (const PageItem *f : itemsOf(m.pages[0], ItemKind::Field))
            QCOMPARE(f->text, QString());
        QVERIFY(m.texts(0).contains(header));
    }
}

void TestOnsiteForms::windowWording_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QStringList>("wording");
    QTest::addColumn<QStringList>("titles"); // 18 pt bold
    QTest::newRow("现场检查笔录") << X
                            << QStringList{header,
                                           u"现场检查笔录"_s,
                                           u"被检查人："_s,
                                           u"检查机关："_s,
                                           u" 检查地点："_s,
                                           u"检查时间："_s,
                                           u"年    月    日"_s,
                                           u"      时    分至"_s,
                                           u"      时    分"_s,
                                           u"检查记录："_s,
                                           u"被检查人阅后签名："_s,
                                           u"检查人员签名："_s,
                                           u"    年  月  日"_s,
                                           u"    年  月  日"_s,
                                           footer}
                            << QStringList{u"现场检查笔录"_s};
    QTest::newRow("询问笔录") << W
                          << QStringList{header,
                                         u"询  问  笔  录"_s,
                                         u"被询问人："_s,
                                         u"询问机关："_s,
                                         u"询问地点："_s,
                                         u"询问时间："_s,
                                         u"年    月    日"_s,
                                         u"      时    分至"_s,
                                         u"      时    分"_s,
                                         u"询问内容："_s,
                                         u"被询问人阅后签名："_s,
                                         u"询问人签名："_s,
                                         u"记录人签名："_s,
                                         u"年    月    日"_s,
                                         u"年    月    日"_s,
                                         footer}
                          << QStringList{u"询  问  笔  录"_s};
    QTest::newRow("陈述和申辩笔录") << C
                             << QStringList{header,
                                            u"陈述和申辩笔录"_s,
                                            u"当 事 人："_s,
                                            u"陈述申辩人："_s,
                                            u"承办机关："_s,
                                            u"承 办 人："_s,
                                            u"陈述和申辩地点："_s,
                                            u"陈述和申辩时间："_s,
                                            u"年    月    日"_s,
                                            u"      时    分至"_s,
                                            u"      时    分"_s,
                                            u"陈述和申辩内容："_s,
                                            u"陈述申辩人阅后签名："_s,
                                            u"承办人签名："_s,
                                            u"记录人签名："_s,
                                            u"年    月    日"_s,
                                            u"年    月    日"_s,
                                            footer}
                             << QStringList{u"陈述和申辩笔录"_s};
    QTest::newRow("采样记录")
        << Y
        << QStringList{header,
                       u"采  样  记  录"_s,
                       u"编号："_s,
                       u"被采样人："_s,
                       u"采样机构："_s,
                       u"样品名称："_s,
                       u"样品编号："_s,
                       u"样品生产单位："_s,
                       u"样品规格："_s,
                       u"采样数量："_s,
                       u"采样方式："_s,
                       u"采样时间："_s,
                       u"年    月    日    时    分"_s,
                       u"采样地点："_s,
                       u"采样目的："_s,
                       u"已按照"_s,
                       u"规定"_s,
                       u"无偿采取以上样品作鉴定检验使用。"_s,
                       u"被采样人签名："_s,
                       u"采样人签名："_s,
                       u"年    月    日"_s,
                       u"年    月    日"_s,
                       u"备注:采样记录一式三份,第一份交被采样人作为凭证,第二份随样品送检,第三份留存卷宗备查。"_s,
                       footer,
                       u"请盖骑缝章"_s + QString(70, u'-'),
                       u"样  品  标  记"_s,
                       u"编号："_s,
                       u"样品名称："_s,
                       u"样品生产单位："_s,
                       u"样品编号："_s,
                       u"规格："_s,
                       u"数量："_s,
                       u"其他标记："_s}
        << QStringList{u"采  样  记  录"_s, u"样  品  标  记"_s};
    QTest::newRow("保存证据通知书")
        << B
        << QStringList{header,
                       u"保存证据通知书存根"_s,
                       u"编号："_s,
                       u"当 事 人："_s,
                       u"保存物品："_s,
                       u"保存方式："_s,
                       u"保存地点："_s,
                       u"保存期限："_s,
                       u"年    月    日至"_s,
                       u"年    月    日"_s,
                       u"当事人签名："_s,
                       u"承办人签名："_s,
                       u"年    月    日"_s,
                       u"年    月    日"_s,
                       u"请盖骑缝章"_s + QString(71, u'-'),
                       u"保存证据通知书"_s,
                       u"编号："_s,
                       u"根据《中华人民共和国行政处罚法》第三十七条第二款规定，我局决定对你（单位）的"_s,
                       u"下列物品作为证据以"_s,
                       u"方式于"_s,
                       u"进行登记保"_s,
                       u"存，到     年   月  日止："_s,
                       u"以上物品在保存期限内应当妥为保管，未经本局同意，不得销毁或转移。"_s,
                       u"年    月    日"_s,
                       footer}
        << QStringList{u"保存证据通知书存根"_s, u"保存证据通知书"_s};
}

// The window's fixed wording, top to bottom and left to right, is the
// form's; the header in 12 pt, the titles in 18 pt bold, the remark of the
// sampling record in 7.5 pt, the rest in 9 pt; nothing leaves the window.
void TestOnsiteForms::windowWording()
{
    QFETCH(int, k);
    QFETCH(QStringList, wording);
    QFETCH(QStringList, titles);
    const DocumentDescription &d = *documentDescription(k);
    std::vector<PlacedText> texts = placeWindow(d).texts;
    std::stable_sort(texts.begin(), texts.end(), [](const PlacedText &a, const PlacedText &b) {
        return a.top != b.top ? a.top < b.top : a.left < b.left;
    });
    QStringList shown;
    for (const PlacedText &t : texts)
        shown << t.text;
    QCOMPARE(shown, wording);
    for (const PlacedText &t : texts) {
        const bool title = titles.contains(t.text);
        QCOMPARE(t.points, t.text == header ? 12 : title ? 18 : t.text.startsWith(u"备注"_s) ? 7.5 : 9);
        QCOMPARE(t.bold, title);
        QVERIFY2(t.left >= 0 && t.left + gridWidthTwips(t.text, t.points) <= d.window.width
                     && t.top + t.points * 20 <= d.window.height,
                 qPrintable(t.text));
    }
}

void TestOnsiteForms::windowUnderlines_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QStringList>("without"); // boxes that stand on no line
    QTest::newRow("现场检查笔录: not the memo") << X << QStringList{u"jcjl"_s};
    QTest::newRow("询问笔录: not the memo") << W << QStringList{u"xwnr"_s};
    QTest::newRow("陈述和申辩笔录: not the memo") << C << QStringList{u"csnr"_s};
    QTest::newRow("采样记录: every box") << Y << QStringList{};
    QTest::newRow("保存证据通知书: not the authority") << B << QStringList{u"jg"_s};
}

// Each box of the window stands on a drawn line of its own width 240 twips
// below its top, inside the window, but those the form leaves without one.
void TestOnsiteForms::windowUnderlines()
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
        QVERIFY2(b.width() > 0 && b.left() + b.width() <= d.window.width && b.top() + b.height() <= d.window.height,
                 qPrintable(d.boxes[i].column));
    }
}

QTEST_GUILESS_MAIN(TestOnsiteForms)
#include "tst_onsiteforms.moc"
