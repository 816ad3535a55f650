// The notice documents' forms against the national forms, without a
// display: each window's wording and boxes line by line in reading order,
// each printed form line by line, the hearing notification's printed items
// at their twips, which printed fields stand on lines, the fonts, and that
// a full row prints on one sheet with nothing cut but the date and number
// parts.
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
constexpr int tzgz = 6;
constexpr int cfgz = 7;
constexpr int tztz = 18;

// One thing read on a form: a wording, or "[column]" for a box or field.
struct Token {
    int top;
    int left;
    QString text;
    bool field;
};

// The tokens grouped into lines from the top (a line takes what starts
// within 30 twips of its first token), each line read from the left, a
// wording before a box at the same place; a line as its tokens joined by
// " | ".
QStringList readLines(std::vector<Token> tokens)
{
    std::stable_sort(tokens.begin(), tokens.end(), [](const Token &a, const Token &b) { return a.top < b.top; });
    QStringList lines;
    for (std::size_t i = 0; i < tokens.size();) {
        std::size_t end = i;
        while (end < tokens.size() && tokens[end].top - tokens[i].top <= 30)
            ++end;
        std::vector<Token> line(tokens.begin() + std::ptrdiff_t(i), tokens.begin() + std::ptrdiff_t(end));
        std::stable_sort(line.begin(), line.end(), [](const Token &a, const Token &b) {
            return a.left != b.left ? a.left < b.left : !a.field && b.field;
        });
        QStringList texts;
        for (const Token &t : line)
            texts << (t.field ? u"[%1]"_s.arg(t.text) : t.text);
        lines << texts.join(u" | "_s);
        i = end;
    }
    return lines;
}

QStringList windowLines(const DocumentDescription &d)
{
    const WindowLayout l = placeWindow(d);
    std::vector<Token> tokens;
    for (const PlacedText &t : l.texts)
        tokens.push_back({t.top, t.left, t.text, false});
    for (std::size_t i = 0; i < l.boxes.size(); ++i)
        tokens.push_back({l.boxes[i].top(), l.boxes[i].left(), d.boxes[i].column, true});
    return readLines(tokens);
}

// A page's texts by the middle of their lines, so that a field printed
// smaller stands on the line of text it is in; the lines of one field are
// one token.
QStringList pageLines(const Page &page)
{
    std::vector<Token> tokens;
    const PageItem *previous = nullptr;
    int blockTop = 0;
    for (const PageItem &i : page.items) {
        if (!i.isText())
            continue;
        const bool field = i.kind == ItemKind::Field;
        if (field && previous && previous->kind == ItemKind::Field && previous->column == i.column) {
            tokens.back().top = (blockTop + i.top + i.height) / 2;
        } else {
            blockTop = i.top;
            tokens.push_back({i.top + i.height / 2, i.left, field ? i.column : i.text, field});
        }
        previous = &i;
    }
    return readLines(tokens);
}

const QString header = u"卫  生  行  政  执  法  处  罚  文  书"_s;
const QString footer = u"中华人民共和国卫生部制定"_s;

// Every box column as full as its column holds, in full-width characters.
void fillRow(const DocumentDescription &d)
{
    const QString text = u"听证告知书送达当事人后三日内提出申请逾期视为放弃"_s.repeated(5);
    test::writeRow(d, caseNo, [&](const BoxSpec &) { return text; });
}

QString stored(const DocumentDescription &d, const QString &column)
{
    return test::storedValue(d.document.table, column, caseNo);
}

// One designed item of the printed hearing notification.
struct Designed {
    bool inHeader;
    ItemKind kind;
    QString text; // a label's wording, a field's column
    int left;
    int top;
    int width;
    int height = 0; // lines: 0; rules: 15
    double points = 0;
    bool bold = false;
    bool centred = false;
    bool dotted = false;
};

Designed headerText(const QString &text, int left, int top, int width, double pt, bool bold = false)
{
    return {true, ItemKind::Label, text, left, top, width, 0, pt, bold};
}
Designed words(const QString &text, int left, int top, int width, double pt = 0, bool bold = false)
{
    return {false, ItemKind::Label, text, left, top, width, 0, pt, bold};
}
Designed column(const QString &name, int left, int top, int width, bool centred = false)
{
    return {false, ItemKind::Field, name, left, top, width, 0, 0, false, centred};
}
Designed underline(int left, int top, int width, bool dotted = false)
{
    return {false, ItemKind::Line, {}, left, top, width, 0, 0, false, false, dotted};
}
Designed rule(bool inHeader, int left, int top, int width)
{
    return {inHeader, ItemKind::Box, {}, left, top, width, 15};
}

const std::vector<Designed> &hearingNotification()
{
    static const std::vector<Designed> all = {
        headerText(header, 1815, 1065, 6255, 15.75),
        rule(true, 0, 1455, 9540),
        headerText(u"行政处罚听证通知书存根"_s, 2415, 1995, 5055, 21.75, true),
        words(u"编号："_s, 5940, 0, 780),
        column(u"bh1"_s, 6615, 0, 3120),
        words(u"当 事 人："_s, 0, 510, 1305),
        column(u"dsr"_s, 1155, 510, 8580),
        words(u"听证时间："_s, 0, 885, 1290),
        column(u"tzsj_n"_s, 1155, 885, 525),
        words(u"年   月   日   时"_s, 1725, 870, 2220),
        column(u"tzsj_y"_s, 2010, 885, 330),
        column(u"tzsj_r"_s, 2640, 870, 285),
        column(u"tzsj_s"_s, 3195, 885, 285),
        underline(1170, 1185, 525),
        underline(1920, 1185, 390),
        underline(2565, 1185, 420),
        underline(3165, 1200, 420),
        words(u"听证地点："_s, 0, 1290, 1305),
        column(u"tzdd"_s, 1155, 1290, 8595),
        words(u"听证方式："_s, 0, 1665, 1305),
        column(u"tzfs"_s, 1155, 1665, 8595),
        words(u"听证人员："_s, 0, 2070, 1305),
        column(u"tzry1"_s, 1155, 2070, 8595),
        column(u"tzry2"_s, 1140, 2445, 8595),
        words(u"经 办 人："_s, 0, 2790, 1305),
        column(u"jbr"_s, 1155, 2805, 8595),
        words(u"发出时间："_s, 0, 3195, 1290),
        column(u"fcsj_n"_s, 1155, 3195, 525),
        words(u"年   月   日"_s, 1725, 3180, 1890),
        column(u"fcsj_y"_s, 2010, 3195, 330),
        column(u"fcsj_r"_s, 2640, 3180, 285),
        underline(1170, 3495, 525),
        underline(1920, 3495, 390),
        underline(2565, 3495, 420),
        words(u"备    注："_s, 0, 3660, 1290),
        column(u"bz1"_s, 1140, 3645, 8625),
        column(u"bz2"_s, 1155, 4005, 8625),
        words(u"请骑缝盖章"_s, 0, 4515, 1245),
        underline(1350, 4635, 8295, true),
        words(u"行政处罚听证通知书"_s, 2925, 5040, 4155, 21.75, true),
        words(u"编号："_s, 5925, 5805, 780),
        column(u"bh2"_s, 6630, 5805, 2955),
        column(u"dw"_s, 0, 6360, 4875),
        underline(60, 6675, 4815),
        words(u"你（单位）提出的听证要求已收悉。现决定于       年     月     日     午    时"_s, 510, 6780, 9255),
        column(u"sj_n"_s, 5445, 6780, 525),
        column(u"sj_y"_s, 6600, 6780, 285),
        column(u"sj_r"_s, 7380, 6780, 285),
        column(u"sj_w"_s, 8250, 6780, 285),
        column(u"sj_s"_s, 9045, 6780, 285),
        underline(5280, 7065, 870),
        underline(6375, 7065, 570),
        underline(7200, 7080, 615),
        underline(8070, 7080, 585),
        underline(8880, 7080, 495),
        words(u"在 "_s, 0, 7215, 525),
        column(u"dd"_s, 255, 7230, 5970),
        words(u"举行        听证。听证主持人"_s, 6240, 7230, 3555),
        column(u"tz"_s, 6720, 7230, 945),
        underline(255, 7515, 5985),
        underline(6720, 7515, 930),
        words(u"              、听证员              、书记员          ，如认为上述人员与案件有直"_s, 0, 7650, 9750),
        column(u"zcr"_s, 0, 7650, 1695),
        column(u"tzy"_s, 2625, 7665, 1695),
        column(u"sjy"_s, 5280, 7665, 1200),
        underline(60, 7935, 1665),
        underline(2685, 7950, 1665),
        underline(5340, 7950, 1170),
        words(u"接利害关系，可以申请回避。 请事先准备证据、通知证人和代理人，准时参加。 逾期视为"_s, 0, 8085, 9735),
        words(u"放弃听证。"_s, 0, 8505, 4905),
        words(u"联系电话："_s, 30, 9315, 1245),
        column(u"lxdh"_s, 1215, 9330, 3780),
        words(u"联系人："_s, 5610, 9315, 1020),
        column(u"lxr"_s, 6525, 9330, 3270),
        underline(1275, 9615, 3750, true),
        underline(6585, 9615, 3240, true),
        column(u"gz"_s, 5790, 10035, 3795, true),
        column(u"nian"_s, 6480, 10485, 525),
        words(u"年   月   日"_s, 7050, 10470, 1890),
        column(u"yue"_s, 7335, 10485, 330),
        column(u"ri"_s, 7965, 10470, 285),
        rule(false, 30, 11010, 9600),
        words(footer, 6300, 11085, 3210),
    };
    return all;
}

QString describe(const Designed &e)
{
    static const char *const kinds[] = {"label", "field", "line", "rule"};
    return u"%1 %2 %3"_s.arg(QLatin1StringView(kinds[int(e.kind)]), e.text).arg(e.top);
}

} // namespace

class TestNoticeForms : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void windowReadingOrder_data();
    void windowReadingOrder();
    void printedReadingOrder_data();
    void printedReadingOrder();
    void hearingNotificationItems_data();
    void hearingNotificationItems();
    void hearingNotificationHoldsNothingElse();
    void headerSections_data();
    void headerSections();
    void fonts_data();
    void fonts();
    void fieldsOnLines_data();
    void fieldsOnLines();
    void fullRowPrintsOnOneSheet_data();
    void fullRowPrintsOnOneSheet();
    void newRowPrintsTheAuthority_data();
    void newRowPrintsTheAuthority();

private:
    std::unique_ptr<test::TestDatabase> m_db;
};

void TestNoticeForms::init()
{
    m_db = std::make_unique<test::TestDatabase>();
    app().caseNo = caseNo;
}

void TestNoticeForms::cleanup() { m_db.reset(); }

void TestNoticeForms::windowReadingOrder_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("frm_tzgz") << tzgz << QStringList{
        header,
        u"行政处罚听证告知书"_s,
        u"Vesk卫罚告字[     ]第(     )号 | [nd] | [bh]"_s,
        u"[cfdw] | ："_s,
        u"你(单位)于    年  月  日从事 | [wfsj_y] | [wfsj_m] | [wfsj_d] | [wfxw1]"_s,
        u"[wfxw4]"_s,
        u"[wfxw5] | 的行为，"_s,
        u"违反了 | [wfgd1]"_s,
        u"[wfgd2] | 的规定，"_s,
        u"依据 | [yjgd1]"_s,
        u"[yjgd2] | 的规定，"_s,
        u"本局拟对你(单位)作出 | [xzcf1]"_s,
        u"[xzcf2] | 的行政处罚。"_s,
        u"    根据《中华人民共和国行政处罚法》第四十二条第一款规定，你（单位）有权要求举行"_s,
        u"听证。如你（单位）要求听证，应当在收到本通知后三日内（以邮戳为准）将回执寄回，地"_s,
        u"址： | [jgdz] | 邮政编码： | [yzbm]"_s,
        u"逾期视为放弃听证。"_s,
        u"联系电话： | [lxdh] | 联 系 人： | [lxr]"_s,
        u"[jgmc] | [pbsj_y] | 年   月   日 | [pbsj_m] | [pbsj_d]"_s,
        u"请骑缝盖章"_s + QString(70, u'-'),
        u"行政处罚听证告知书回执"_s,
        u"Vesk卫罚告字[     ]第(     )号 | [nd2] | [bh2]"_s,
        u"当 事 人： | [dsr]"_s,
        u"是否要求听证： | [sftz]"_s,
        u"要求听证事由： | [tzly]"_s,
        u"联系地址： | [dz2]"_s,
        u"邮政编码： | [yb2] | 联系电话： | [dh2]"_s,
        u"当事人签名： | [qm2] | [y2] | 年   月   日 | [m2] | [r2]"_s,
        u"备注:本文书一式两份,第一份交当事人,第二份交组织听证的科(处、室)并留存卷备查。"_s,
        footer,
    };
    QTest::newRow("frm_cfgz") << cfgz << QStringList{
        header,
        u"行政处罚事先告知书"_s,
        u"Vesk卫罚告字[     ]第(     )号 | [nd] | [bh]"_s,
        u"[cfdw]"_s,
        u"你（单位）于 |    年   月   日从事 | [sj_y] | [sj_m] | [sj_d] | [wfxw1]"_s,
        u"[wfxw4]"_s,
        u"[wfxw5]"_s,
        u"[wfxw6] | 的行为，"_s,
        u"违反了 | [wfgd1]"_s,
        u"[wfgd2] | 的规定，"_s,
        u"依据 | [yjgd1]"_s,
        u"[yjgd2] | 的规定，"_s,
        u"本局拟对你(单位)作出 | [xzcf1]"_s,
        u"[xzcf2] | 的行政处罚。"_s,
        u"    如你（单位）对此有异议，根据《中华人民共和国行政处罚法》第三十一条和第三十二"_s,
        u"条规定，可在    年   月   日到 | [cssj_y] | [cssj_m] | [cssj_d] | [csdd1]"_s,
        u"[csdd2] | 进行陈述和申辩。逾期视为放弃陈述和申辩。"_s,
        u"地    址： | [jgdz]"_s,
        u"联系电话： | [lxdh]"_s,
        u"联 系 人： | [lxr]"_s,
        u"[jgmc]"_s,
        u"   年   月   日 | [pbsj_y] | [pbsj_m] | [pbsj_d]"_s,
        u"备注：本文书一式两份，第一份交当事人，第二份留存卷宗备查。"_s,
        footer,
    };
    QTest::newRow("frm_tztz") << tztz << QStringList{
        header,
        u"行政处罚听证通知书存根"_s,
        u"编号： | [bh1]"_s,
        u"当 事 人： | [dsr]"_s,
        u"听证时间： | [tzsj_n] | 年    月    日    时 | [tzsj_y] | [tzsj_r] | [tzsj_s]"_s,
        u"听证地点： | [tzdd]"_s,
        u"听证方式： | [tzfs]"_s,
        u"听证人员： | [tzry1]"_s,
        u"[tzry2]"_s,
        u"经 办 人： | [jbr]"_s,
        u"发出时间： | [fcsj_n] | 年    月    日 | [fcsj_y] | [fcsj_r]"_s,
        u"备    注： | [bz1]"_s,
        u"[bz2]"_s,
        u"请盖骑缝章"_s + QString(70, u'-'),
        u"行政处罚听证通知书"_s,
        u"编号： | [bh2]"_s,
        u"[dw]"_s,
        u"你（单位）提出的听证要求已收悉。现决定于      年     月     日     午     时 | [sj_n] | [sj_y] | [sj_r] | "
        u"[sj_w] | [sj_s]"_s,
        u"在                                                  举行        听证。听证主持人 | [dd] | [tz]"_s,
        u"             、听证员             、书记员            ，如认为上述人员与案件有直 | [zcr] | [tzy] | [sjy]"_s,
        u"接利害关系，可以申请回避。 请事先准备证据、通知证人和代理人，准时参加。 逾期视为"_s,
        u"放弃听证。"_s,
        u"联系电话： | [lxdh] | 联系人： | [lxr]"_s,
        u"[gz]"_s,
        u"[nian] | 年    月    日 | [yue] | [ri]"_s,
        footer,
    };
}

// Each line of the window holds the form's wording and boxes in the
// form's order; the boxes of a line lie over its label's blanks or follow
// it, and nothing overlaps on a line.
void TestNoticeForms::windowReadingOrder()
{
    QFETCH(int, k);
    QFETCH(QStringList, lines);
    const DocumentDescription &d = *documentDescription(k);
    QCOMPARE(windowLines(d), lines);

    const WindowLayout l = placeWindow(d);
    for (std::size_t i = 0; i < l.boxes.size(); ++i) {
        const QRect &a = l.boxes[i];
        QVERIFY2(a.right() < d.window.width && a.bottom() < d.window.height, qPrintable(d.boxes[i].column));
        for (std::size_t j = i + 1; j < l.boxes.size(); ++j)
            QVERIFY2(!a.intersects(l.boxes[j]),
                     qPrintable(u"%1 and %2"_s.arg(d.boxes[i].column, d.boxes[j].column)));
    }
}

void TestNoticeForms::printedReadingOrder_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("rep_tzgz") << tzgz << QStringList{
        header,
        u"行政处罚听证告知书"_s,
        u"  Vesk卫听告字[     ]第(     )号 | [nd] | [bh]"_s,
        u"[cfdw] | ："_s,
        u"你(单位)于    年  月  日从事 | [wfsj_y] | [wfsj_m] | [wfsj_d] | [wfxw1]"_s,
        u"[wfxw4]"_s,
        u"[wfxw5] | 的行为，"_s,
        u"违反了 | [wfgd1]"_s,
        u"[wfgd2] | 的规定，"_s,
        u"依据 | [yjgd1]"_s,
        u"[yjgd2] | 的规定，"_s,
        u"本局拟对你(单位)作出 | [xzcf1]"_s,
        u"[xzcf2] | 的行政处罚。"_s,
        u"根据《中华人民共和国行政处罚法》第四十二条第一款规定，你（单位）有权要求举行"_s,
        u"听证。如你（单位）要求听证，应当在收到本通知后三日内（以邮戳为准）将回执寄回，地"_s,
        u"址： | [jgdz] | 邮政编码： | [yzbm]"_s,
        u"逾期视为放弃听证。"_s,
        u"联系电话： | [lxdh] | 联 系 人： | [lxr]"_s,
        u"[jgmc]"_s,
        u"[pbsj_y] | 年   月   日 | [pbsj_m] | [pbsj_d]"_s,
        u"请骑缝盖章"_s,
        u"行政处罚听证告知书回执"_s,
        u"  Vesk卫听告字[     ]第(     )号 | [nd2] | [bh2]"_s,
        u"当 事 人： | [dsr]"_s,
        u"是否要求听证： | [sftz]"_s,
        u"要求听证事由： | [tzly]"_s,
        u"联系地址： | [dz2]"_s,
        u"邮政编码： | [yb2] | 联系电话： | [dh2]"_s,
        u"当事人签名： | [y2] | 年   月   日 | [m2] | [r2]"_s,
        u"备注:本文书一式两份,第一份交当事人,第二份交组织听证的科(处、室)并留存卷备查。"_s,
        footer,
    };
    QTest::newRow("rep_gzs") << cfgz << QStringList{
        header,
        u"行政处罚事先告知书"_s,
        u"  Vesk卫罚告字[    ]第(     )号 | [nd] | [bh]"_s,
        u"[cfdw]"_s,
        u"你（单位）于 | [sj_y] | 年   月   日从事 | [sj_m] | [sj_d] | [wfxw1]"_s,
        u"[wfxw4]"_s,
        u"[wfxw5]"_s,
        u"[wfxw6] | 的行为，"_s,
        u"违反了 | [wfgd1]"_s,
        u"[wfgd2] | 的规定，"_s,
        u"依据 | [yjgd1]"_s,
        u"[yjgd2] | 的规定，"_s,
        u"本拟对你（单位）作出 | [xzcf1]"_s,
        u"[xzcf2] | 的行政处罚。"_s,
        u"如你（单位）对此有异议，根据《中华人民共和国行政处罚法》第三十一条和第三十二"_s,
        u"条规定，可在     年   月   日到 | [cssj_y] | [cssj_m] | [cssj_d] | [csdd1]"_s,
        u"[csdd2] | 进行陈述和申辩。逾期视为放弃陈述和申辩。"_s,
        u"地    址： | [jgdz]"_s,
        u"联系电话： | [lxdh]"_s,
        u"联 系 人： | [lxr]"_s,
        u"[jgmc]"_s,
        u"[pbsj_y] | 年   月   日 | [pbsj_m] | [pbsj_d]"_s,
        u"备注：本文书一式两份，第一份交当事人，第二份留存卷宗备查。"_s,
        footer,
    };
    QTest::newRow("rep_tztz") << tztz << QStringList{
        header,
        u"行政处罚听证通知书存根"_s,
        u"编号： | [bh1]"_s,
        u"当 事 人： | [dsr]"_s,
        u"听证时间： | [tzsj_n] | 年   月   日   时 | [tzsj_y] | [tzsj_r] | [tzsj_s]"_s,
        u"听证地点： | [tzdd]"_s,
        u"听证方式： | [tzfs]"_s,
        u"听证人员： | [tzry1]"_s,
        u"[tzry2]"_s,
        u"经 办 人： | [jbr]"_s,
        u"发出时间： | [fcsj_n] | 年   月   日 | [fcsj_y] | [fcsj_r]"_s,
        u"备    注： | [bz1]"_s,
        u"[bz2]"_s,
        u"请骑缝盖章"_s,
        u"行政处罚听证通知书"_s,
        u"编号： | [bh2]"_s,
        u"[dw]"_s,
        u"你（单位）提出的听证要求已收悉。现决定于       年     月     日     午    时 | [sj_n] | [sj_y] | [sj_r] | "
        u"[sj_w] | [sj_s]"_s,
        u"在  | [dd] | 举行        听证。听证主持人 | [tz]"_s,
        u"              、听证员              、书记员          ，如认为上述人员与案件有直 | [zcr] | [tzy] | [sjy]"_s,
        u"接利害关系，可以申请回避。 请事先准备证据、通知证人和代理人，准时参加。 逾期视为"_s,
        u"放弃听证。"_s,
        u"联系电话： | [lxdh] | 联系人： | [lxr]"_s,
        u"[gz]"_s,
        u"[nian] | 年   月   日 | [yue] | [ri]"_s,
        footer,
    };
}

// The printed page reads as the form, line by line; nothing else prints
// (the signature qm2 and the case number neither), and the page is one.
void TestNoticeForms::printedReadingOrder()
{
    QFETCH(int, k);
    QFETCH(QStringList, lines);
    const DocumentDescription &d = *documentDescription(k);
    fillRow(d);
    const PageModel model = buildReport(d.report);
    QCOMPARE(model.pageCount(), 1);
    QCOMPARE(pageLines(model.pages[0]), lines);
    QVERIFY(!model.texts(0).join(u'|').contains(caseNo));
}

void TestNoticeForms::hearingNotificationItems_data()
{
    QTest::addColumn<int>("n");
    const std::vector<Designed> &all = hearingNotification();
    for (std::size_t n = 0; n < all.size(); ++n)
        QTest::addRow("%s", qPrintable(describe(all[n]))) << int(n);
}

// rep_tztz holds each of its items at the twips of the national form, in
// its font and alignment.
void TestNoticeForms::hearingNotificationItems()
{
    QFETCH(int, n);
    const Designed &e = hearingNotification()[std::size_t(n)];
    const ReportLayout &r = documentDescription(tztz)->report;
    const std::vector<Item> &items = e.inHeader ? r.reportHeader.items : r.detail.items;
    const auto it = std::find_if(items.begin(), items.end(), [&](const Item &i) {
        return i.kind == e.kind && i.text == e.text && i.top == e.top && i.left == e.left;
    });
    QVERIFY2(it != items.end(), "not on the form");
    QCOMPARE(it->width, e.width);
    QCOMPARE(it->height, e.height);
    QCOMPARE(it->pointSize, e.points);
    QCOMPARE(it->bold, e.bold);
    QCOMPARE(it->align, e.centred ? Align::Centre : Align::Left);
    QCOMPARE(it->style, e.dotted ? LineStyle::Dotted : LineStyle::Solid);
}

void TestNoticeForms::hearingNotificationHoldsNothingElse()
{
    const ReportLayout &r = documentDescription(tztz)->report;
    const auto inHeader = std::count_if(hearingNotification().begin(), hearingNotification().end(),
                                        [](const Designed &e) { return e.inHeader; });
    QCOMPARE(qsizetype(r.reportHeader.items.size()), qsizetype(inHeader));
    QCOMPARE(r.detail.items.size() + r.reportHeader.items.size(), hearingNotification().size());
    QCOMPARE(r.reportHeader.height, 3150);
    QCOMPARE(r.detail.height, 11490);
    QVERIFY(r.pageHeader.items.empty() && r.pageFooter.items.empty() && r.reportFooter.items.empty());
    QCOMPARE(r.fontSize, 12.0);
}

void TestNoticeForms::headerSections_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<bool>("inPageHeader");
    QTest::addColumn<QString>("title");
    QTest::newRow("rep_tzgz: report header") << tzgz << false << u"行政处罚听证告知书"_s;
    QTest::newRow("rep_gzs: page header") << cfgz << true << u"行政处罚事先告知书"_s;
    QTest::newRow("rep_tztz: report header") << tztz << false << u"行政处罚听证通知书存根"_s;
}

// The national header, a rule and the title stand in the section the
// report has them in; the other sections but the detail print nothing.
void TestNoticeForms::headerSections()
{
    QFETCH(int, k);
    QFETCH(bool, inPageHeader);
    QFETCH(QString, title);
    const ReportLayout &r = documentDescription(k)->report;
    QCOMPARE(r.name, documentAt(k).report);
    const Section &top = inPageHeader ? r.pageHeader : r.reportHeader;
    const Section &empty = inPageHeader ? r.reportHeader : r.pageHeader;
    QCOMPARE(top.items.size(), std::size_t(3));
    QCOMPARE(top.items[0].text, header);
    QCOMPARE(top.items[1].kind, ItemKind::Box);
    QCOMPARE(top.items[1].height, 15);
    QCOMPARE(top.items[2].text, title);
    QVERIFY(empty.items.empty() && empty.height == 0);
    QVERIFY(r.pageFooter.items.empty() && r.reportFooter.items.empty());
    QCOMPARE(r.detail.items.back().text, footer);
    QVERIFY(r.detail.items.back().left >= 4800);
}

void TestNoticeForms::fonts_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("text"); // a wording, or [column]
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    QTest::newRow("rep_tzgz header") << tzgz << header << 15.75 << false;
    QTest::newRow("rep_tzgz title") << tzgz << u"行政处罚听证告知书"_s << 21.75 << true;
    QTest::newRow("rep_tzgz receipt title") << tzgz << u"行政处罚听证告知书回执"_s << 21.75 << true;
    QTest::newRow("rep_tzgz remark")
        << tzgz << u"备注:本文书一式两份,第一份交当事人,第二份交组织听证的科(处、室)并留存卷备查。"_s << 10.5
        << false;
    QTest::newRow("rep_tzgz body") << tzgz << u"逾期视为放弃听证。"_s << 12.0 << false;
    QTest::newRow("rep_tzgz xzcf1") << tzgz << u"[xzcf1]"_s << 12.0 << false;
    QTest::newRow("rep_gzs header") << cfgz << header << 15.75 << false;
    QTest::newRow("rep_gzs title") << cfgz << u"行政处罚事先告知书"_s << 21.75 << true;
    QTest::newRow("rep_gzs xzcf1 bold") << cfgz << u"[xzcf1]"_s << 12.0 << true;
    QTest::newRow("rep_gzs xzcf2 bold") << cfgz << u"[xzcf2]"_s << 12.0 << true;
    QTest::newRow("rep_gzs remark") << cfgz << u"备注：本文书一式两份，第一份交当事人，第二份留存卷宗备查。"_s << 12.0
                                    << false;
    QTest::newRow("rep_gzs wfxw1") << cfgz << u"[wfxw1]"_s << 12.0 << false;
    QTest::newRow("rep_tztz notice title") << tztz << u"行政处罚听证通知书"_s << 21.75 << true;
    QTest::newRow("rep_tztz gz") << tztz << u"[gz]"_s << 12.0 << false;
}

void TestNoticeForms::fonts()
{
    QFETCH(int, k);
    QFETCH(QString, text);
    QFETCH(double, points);
    QFETCH(bool, bold);
    const DocumentDescription &d = *documentDescription(k);
    fillRow(d);
    const PageModel model = buildReport(d.report);
    const bool isField = text.startsWith(u'[');
    const QString name = isField ? text.mid(1, text.size() - 2) : text;
    const auto &items = model.pages[0].items;
    const auto it = std::find_if(items.begin(), items.end(), [&](const PageItem &i) {
        return isField ? i.kind == ItemKind::Field && i.column == name : i.kind == ItemKind::Label && i.text == name;
    });
    QVERIFY(it != items.end());
    QCOMPARE(it->pointSize, points);
    QCOMPARE(it->bold, bold);
}

void TestNoticeForms::fieldsOnLines_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QStringList>("solid");
    QTest::addColumn<QStringList>("dotted");
    QTest::newRow("rep_tzgz: the notice's text fields")
        << tzgz
        << QStringList{u"cfdw"_s,  u"wfxw1"_s, u"wfxw4"_s, u"wfxw5"_s, u"wfgd1"_s, u"wfgd2"_s, u"yjgd1"_s,
                       u"yjgd2"_s, u"xzcf1"_s, u"xzcf2"_s, u"jgdz"_s,  u"yzbm"_s,  u"lxdh"_s,  u"lxr"_s}
        << QStringList{};
    QTest::newRow("rep_gzs: cfdw to csdd2")
        << cfgz
        << QStringList{u"cfdw"_s,  u"sj_y"_s,  u"sj_m"_s,   u"sj_d"_s,   u"wfxw1"_s,  u"wfxw4"_s, u"wfxw5"_s,
                       u"wfxw6"_s, u"wfgd1"_s, u"wfgd2"_s,  u"yjgd1"_s,  u"yjgd2"_s,  u"xzcf1"_s, u"xzcf2"_s,
                       u"cssj_y"_s, u"cssj_m"_s, u"cssj_d"_s, u"csdd1"_s, u"csdd2"_s}
        << QStringList{};
    QTest::newRow("rep_tztz: the counterfoil's dates, the notice from dw to lxr")
        << tztz
        << QStringList{u"tzsj_n"_s, u"tzsj_y"_s, u"tzsj_r"_s, u"tzsj_s"_s, u"fcsj_n"_s, u"fcsj_y"_s, u"fcsj_r"_s,
                       u"dw"_s,     u"sj_n"_s,   u"sj_y"_s,   u"sj_r"_s,   u"sj_w"_s,   u"sj_s"_s,   u"dd"_s,
                       u"tz"_s,     u"zcr"_s,    u"tzy"_s,    u"sjy"_s}
        << QStringList{u"lxdh"_s, u"lxr"_s};
}

// A printed field stands on a line when a line lies under it (below its
// text, above the next line) across most of its width; the fields the
// form leaves bare have none.
void TestNoticeForms::fieldsOnLines()
{
    QFETCH(int, k);
    QFETCH(QStringList, solid);
    QFETCH(QStringList, dotted);
    const ReportLayout &r = documentDescription(k)->report;
    for (const Item &f : r.detail.items) {
        if (f.kind != ItemKind::Field)
            continue;
        std::optional<LineStyle> style;
        for (const Item &l : r.detail.items) {
            const int overlap = std::min(l.left + l.width, f.left + f.width) - std::max(l.left, f.left);
            if (l.kind == ItemKind::Line && l.height == 0 && l.top > f.top + 200 && l.top < f.top + 360
                && overlap >= std::min(f.width, l.width) * 3 / 4)
                style = l.style;
        }
        if (solid.contains(f.text))
            QVERIFY2(style == LineStyle::Solid, qPrintable(f.text));
        else if (dotted.contains(f.text))
            QVERIFY2(style == LineStyle::Dotted, qPrintable(f.text));
        else
            QVERIFY2(!style, qPrintable(f.text));
    }
}

void TestNoticeForms::fullRowPrintsOnOneSheet_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("fields");
    QTest::newRow("rep_tzgz: every column but qm2") << tzgz << 34;
    QTest::newRow("rep_gzs: all 28 columns") << cfgz << 28;
    QTest::newRow("rep_tztz: all 34 columns") << tztz << 34;
}

// Every column as full as it can be: each field prints whole inside its
// width, a part whose printed place is narrower than its text in a smaller
// size; everything stays on the paper.
void TestNoticeForms::fullRowPrintsOnOneSheet()
{
    QFETCH(int, k);
    QFETCH(int, fields);
    const DocumentDescription &d = *documentDescription(k);
    fillRow(d);
    const PageModel model = buildReport(d.report);
    QCOMPARE(model.pageCount(), 1);
    const int paperRight = paperWidth(d.report.page) - 360;
    const int paperBottom = paperHeight(d.report.page) - 360;
    int printed = 0;
    QStringList columns;
    for (const PageItem &p : model.pages[0].items) {
        QVERIFY2(p.left + p.width <= paperRight && p.top + p.height <= paperBottom, qPrintable(p.text));
        if (p.kind != ItemKind::Field)
            continue;
        // The lines of one field print one after the other.
        const bool goesOn = !columns.isEmpty() && columns.last() == p.column;
        printed += goesOn ? 0 : 1;
        if (!goesOn)
            columns << p.column;
        QVERIFY(p.pointSize >= smallestPrintedSize);
        const Item &designed = *std::find_if(d.report.detail.items.begin(), d.report.detail.items.end(),
                                             [&](const Item &i) { return i.text == p.column; });
        const int left = p.left - d.report.page.leftMargin;
        if (designed.align == Align::Left)
            QCOMPARE(left, designed.left);
        QVERIFY2(left >= designed.left && left + p.width <= designed.left + designed.width, qPrintable(p.column));
        QVERIFY(!p.text.isEmpty());
        if (!goesOn)
            QVERIFY2(test::fieldText(model.pages[0], p.column) == stored(d, p.column), qPrintable(p.column));
    }
    QCOMPARE(printed, fields);
    QCOMPARE(columns.removeDuplicates(), 0);
    QVERIFY(!columns.contains(u"qm2"_s) && !columns.contains(u"dabh"_s));
}

void TestNoticeForms::newRowPrintsTheAuthority_data()
{
    QTest::addColumn<int>("k");
    QTest::newRow("rep_tzgz") << tzgz;
    QTest::newRow("rep_gzs") << cfgz;
    QTest::newRow("rep_tztz") << tztz;
}

// A row as the register creates it prints the form's wording and lines,
// every field blank but the issuing authority, centred in its field.
void TestNoticeForms::newRowPrintsTheAuthority()
{
    QFETCH(int, k);
    const DocumentDescription &d = *documentDescription(k);
    const QString authority = d.document.authorityColumn;
    db().insertRow(d.document.table, {u"dabh"_s, authority}, {caseNo, authorityText()});
    const PageModel model = buildReport(d.report);
    QCOMPARE(model.pageCount(), 1);
    int fields = 0;
    for (const PageItem &p : model.pages[0].items) {
        if (p.kind != ItemKind::Field)
            continue;
        ++fields;
        if (p.column != authority) {
            QVERIFY2(p.text.isEmpty(), qPrintable(p.column));
            continue;
        }
        QCOMPARE(p.text, authorityText());
        const Item &designed = *std::find_if(d.report.detail.items.begin(), d.report.detail.items.end(),
                                             [&](const Item &i) { return i.text == authority; });
        const int middle = p.left - d.report.page.leftMargin + p.width / 2;
        QVERIFY(std::abs(middle - (designed.left + designed.width / 2)) <= 60);
    }
    QVERIFY(fields > 0);
    QVERIFY(pageLines(model.pages[0]).contains(footer));
}

QTEST_GUILESS_MAIN(TestNoticeForms)
#include "tst_noticeforms.moc"
