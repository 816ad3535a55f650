#include "cases/documents/notice/tzgz.h"

#include "cases/engine/description.h"

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

constexpr int textLeft = 480;
constexpr int textRight = 7680;

// rep_tzgz: the notice, the seam, the receipt, on one sheet in 宋体 12 pt.
// The notice's text fields stand on underlines; its number parts, dates and
// authority and the receipt's fields do not. The party's signature is
// written by hand: its label prints, its column does not.
report::ReportLayout printedForm()
{
    using namespace report;
    ReportLayout r = documentReport(documentAt(6));
    r.reportHeader.height = 3150;
    r.reportHeader.items = {
        label(1815, 1065, u"卫  生  行  政  执  法  处  罚  文  书"_s, 6255).size(15.75),
        bar(0, 1455, 9600),
        label(2835, 1995, u"行政处罚听证告知书"_s, 3930).size(21.75).bolded(),
    };
    r.detail.height = 12000;
    r.detail.items = {
        label(5280, 0, u"  Vesk卫听告字[     ]第(     )号"_s, 3840),
        field(7080, 0, 600, u"nd"_s),
        field(8160, 0, 600, u"bh"_s),
        field(0, 480, 4800, u"cfdw"_s),
        line(0, 780, 4800, 780),
        label(4800, 480, u"："_s, 240),
        label(480, 870, u"你(单位)于    年  月  日从事"_s, 3360),
        field(1680, 870, 480, u"wfsj_y"_s),
        field(2400, 870, 240, u"wfsj_m"_s),
        field(2880, 870, 240, u"wfsj_d"_s),
        field(3840, 870, 5760, u"wfxw1"_s),
        line(3840, 1170, 9600, 1170),
        field(0, 1260, 9600, u"wfxw4"_s),
        line(0, 1560, 9600, 1560),
        field(0, 1650, 8400, u"wfxw5"_s),
        line(0, 1950, 8400, 1950),
        label(8400, 1650, u"的行为，"_s, 960),
        label(0, 2040, u"违反了"_s, 720),
        field(720, 2040, 8760, u"wfgd1"_s),
        line(720, 2340, 9480, 2340),
        field(0, 2430, 8400, u"wfgd2"_s),
        line(0, 2730, 8400, 2730),
        label(8400, 2430, u"的规定，"_s, 960),
        label(0, 2820, u"依据"_s, 480),
        field(480, 2820, 9120, u"yjgd1"_s),
        line(480, 3120, 9600, 3120),
        field(0, 3210, 8400, u"yjgd2"_s),
        line(0, 3510, 8400, 3510),
        label(8400, 3210, u"的规定，"_s, 960),
        label(0, 3600, u"本局拟对你(单位)作出"_s, 2400),
        field(2400, 3600, 7200, u"xzcf1"_s),
        line(2400, 3900, 9600, 3900),
        field(0, 3990, 7920, u"xzcf2"_s),
        line(0, 4290, 7920, 4290),
        label(7920, 3990, u"的行政处罚。"_s, 1440),
        label(480, 4380, u"根据《中华人民共和国行政处罚法》第四十二条第一款规定，你（单位）有权要求举行"_s, 9120),
        label(0, 4770, u"听证。如你（单位）要求听证，应当在收到本通知后三日内（以邮戳为准）将回执寄回，地"_s, 9600),
        label(0, 5160, u"址："_s, 480),
        field(480, 5160, 4920, u"jgdz"_s),
        line(480, 5460, 5400, 5460),
        label(5520, 5160, u"邮政编码："_s, 1200),
        field(6720, 5160, 2880, u"yzbm"_s),
        line(6720, 5460, 9600, 5460),
        label(0, 5550, u"逾期视为放弃听证。"_s, 2160),
        label(0, 5940, u"联系电话："_s, 1200),
        field(1200, 5940, 4320, u"lxdh"_s),
        line(1200, 6240, 5520, 6240),
        label(5760, 5940, u"联 系 人："_s, 1200),
        field(6960, 5940, 1560, u"lxr"_s),
        line(6960, 6240, 8520, 6240),
        field(5400, 6450, 3600, u"jgmc"_s).centred(),
        field(6000, 6870, 480, u"pbsj_y"_s),
        label(6480, 6870, u"年   月   日"_s, 1440),
        field(6720, 6870, 360, u"pbsj_m"_s),
        field(7320, 6870, 360, u"pbsj_d"_s),
        label(0, 7380, u"请骑缝盖章"_s, 1200),
        line(1320, 7500, 9600, 7500).dotted(),

        label(2400, 7740, u"行政处罚听证告知书回执"_s, 4800).size(21.75).bolded(),
        label(5280, 8340, u"  Vesk卫听告字[     ]第(     )号"_s, 3840),
        field(7080, 8340, 600, u"nd2"_s),
        field(8160, 8340, 600, u"bh2"_s),
        label(0, 8760, u"当 事 人："_s, 1200),
        field(1200, 8760, 8400, u"dsr"_s),
        label(0, 9150, u"是否要求听证："_s, 1680),
        field(1680, 9150, 7920, u"sftz"_s),
        label(0, 9540, u"要求听证事由："_s, 1680),
        field(1680, 9540, 7920, u"tzly"_s),
        label(0, 9930, u"联系地址："_s, 1200),
        field(1200, 9930, 8400, u"dz2"_s),
        label(0, 10320, u"邮政编码："_s, 1200),
        field(1200, 10320, 3360, u"yb2"_s),
        label(4800, 10320, u"联系电话："_s, 1200),
        field(6000, 10320, 2640, u"dh2"_s),
        label(0, 10710, u"当事人签名："_s, 1440),
        field(6000, 10710, 480, u"y2"_s),
        label(6480, 10710, u"年   月   日"_s, 1440),
        field(6720, 10710, 360, u"m2"_s),
        field(7320, 10710, 360, u"r2"_s),
        bar(0, 11160, 9600),
        label(0, 11250, u"备注:本文书一式两份,第一份交当事人,第二份交组织听证的科(处、室)并留存卷备查。"_s, 8085)
            .size(10.5),
        bar(0, 11550, 9600),
        label(6300, 11700, u"中华人民共和国卫生部制定"_s, 3210),
    };
    return r;
}

DocumentDescription make()
{
    DocumentDescription d;
    d.document = documentAt(6);

    BoxSpec nd = dataBox(u"nd"_s, 375);
    nd.underlined = false;
    BoxSpec bh = dataBox(u"bh"_s, 375);
    bh.underlined = false;
    BoxSpec nd2 = nd;
    nd2.column = u"nd2"_s;
    BoxSpec bh2 = bh;
    bh2.column = u"bh2"_s;
    d.boxes = {
        nd,                              // 0 notice
        bh,                              // 1
        named(dataBox(u"cfdw"_s, 3615), u"被处罚单位"_s), // 2
        dataBox(u"wfsj_y"_s, 375),       // 3
        dataBox(u"wfsj_m"_s, 200),       // 4
        dataBox(u"wfsj_d"_s, 200),       // 5
        dataBox(u"wfxw1"_s, 4335),       // 6
        dataBox(u"wfxw4"_s, 7215),       // 7
        dataBox(u"wfxw5"_s, 6375),       // 8
        dataBox(u"wfgd1"_s, 6615),       // 9
        dataBox(u"wfgd2"_s, 6375),       // 10
        dataBox(u"yjgd1"_s, 6855),       // 11
        dataBox(u"yjgd2"_s, 6375),       // 12
        dataBox(u"xzcf1"_s, 5415),       // 13
        dataBox(u"xzcf2"_s, 6015),       // 14
        named(dataBox(u"jgdz"_s, 3735), u"地址"_s), // 15
        dataBox(u"yzbm"_s, 2175),        // 16
        dataBox(u"lxdh"_s, 3255),        // 17
        dataBox(u"lxr"_s, 1215),         // 18
        authorityBox(u"jgmc"_s, 2775),   // 19
        dataBox(u"pbsj_y"_s, 375),       // 20
        dataBox(u"pbsj_m"_s, 200),       // 21
        dataBox(u"pbsj_d"_s, 200),       // 22
        nd2,                             // 23 receipt
        bh2,                             // 24
        dataBox(u"dsr"_s, 6375),         // 25
        dataBox(u"sftz"_s, 6015),        // 26
        dataBox(u"tzly"_s, 6015),        // 27
        dataBox(u"dz2"_s, 6375),         // 28
        dataBox(u"yb2"_s, 2535),         // 29
        dataBox(u"dh2"_s, 2055),         // 30
        handBox(u"qm2"_s, 2295),         // 31
        dataBox(u"y2"_s, 375),           // 32
        dataBox(u"m2"_s, 200),           // 33
        dataBox(u"r2"_s, 200),           // 34
    };
    d.groups = {{6, 8}, {9, 10}, {11, 12}, {13, 14}};

    // Thirty lines in the form's 8280 twips: rows 255 twips apart, each
    // box's line close under it.
    WindowDesign &w = d.window;
    w.width = 8145;
    w.height = 8280;
    w.underlineBoxes = true;
    w.underlineDrop = 210;
    const int dateLeft = textRight - 375 - 12 * 90;
    w.rows = {
        {45, RowAlign::Centre, {text(u"卫  生  行  政  执  法  处  罚  文  书"_s, autoPlace, 12)}},
        {360, RowAlign::Centre, {text(u"行政处罚听证告知书"_s, autoPlace, 18, true)}},
        {765, RowAlign::RightHalf, {textWithBoxes(u"Vesk卫罚告字[     ]第(     )号"_s, {0, 1})}},
        {1020, RowAlign::Left, {box(2), text(u"："_s)}},
        {1275, RowAlign::Indent, {textWithBoxes(u"你(单位)于    年  月  日从事"_s, {3, 4, 5}), box(6)}},
        {1530, RowAlign::Left, {box(7)}},
        {1785, RowAlign::Left, {box(8), text(u"的行为，"_s)}},
        {2040, RowAlign::Left, {text(u"违反了"_s), box(9)}},
        {2295, RowAlign::Left, {box(10), text(u"的规定，"_s)}},
        {2550, RowAlign::Left, {text(u"依据"_s), box(11)}},
        {2805, RowAlign::Left, {box(12), text(u"的规定，"_s)}},
        {3060, RowAlign::Left, {text(u"本局拟对你(单位)作出"_s), box(13)}},
        {3315, RowAlign::Left, {box(14), text(u"的行政处罚。"_s)}},
        {3570, RowAlign::Left,
         {text(u"    根据《中华人民共和国行政处罚法》第四十二条第一款规定，你（单位）有权要求举行"_s)}},
        {3825, RowAlign::Left,
         {text(u"听证。如你（单位）要求听证，应当在收到本通知后三日内（以邮戳为准）将回执寄回，地"_s)}},
        {4080, RowAlign::Left, {text(u"址："_s), box(15), text(u"邮政编码："_s, 4605), box(16)}},
        {4335, RowAlign::Left, {text(u"逾期视为放弃听证。"_s)}},
        {4590, RowAlign::Left, {text(u"联系电话："_s), box(17), text(u"联 系 人："_s, 5565), box(18)}},
        {4890, RowAlign::Left, {box(19), box(20, dateLeft), textWithBoxes(u"年   月   日"_s, {21, 22})}},
        {5175, RowAlign::Left,
         {text(u"请骑缝盖章----------------------------------------------------------------------"_s)}},
        {5415, RowAlign::Centre, {text(u"行政处罚听证告知书回执"_s, autoPlace, 18, true)}},
        {5820, RowAlign::RightHalf, {textWithBoxes(u"Vesk卫罚告字[     ]第(     )号"_s, {23, 24})}},
        {6075, RowAlign::Left, {text(u"当 事 人："_s), box(25)}},
        {6330, RowAlign::Left, {text(u"是否要求听证："_s), box(26)}},
        {6585, RowAlign::Left, {text(u"要求听证事由："_s), box(27)}},
        {6840, RowAlign::Left, {text(u"联系地址："_s), box(28)}},
        {7095, RowAlign::Left, {text(u"邮政编码："_s), box(29), text(u"联系电话："_s, 4725), box(30)}},
        {7350, RowAlign::Left,
         {text(u"当事人签名："_s), box(31), box(32, dateLeft), textWithBoxes(u"年   月   日"_s, {33, 34})}},
        {7665, RowAlign::Left,
         {text(u"备注:本文书一式两份,第一份交当事人,第二份交组织听证的科(处、室)并留存卷备查。"_s)}},
        {7950, RowAlign::RightHalf, {text(u"中华人民共和国卫生部制定"_s)}},
    };
    w.lines = {
        hline(textLeft, textRight, 315),
        hline(textLeft, textRight, 7620),
        hline(textLeft, textRight, 7890),
    };
    // Boxes 0 to 22, the delete-on-close box, then the receipt in the
    // order in which the party's answer is read.
    w.tabOrder = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20,
                  21, 22, deleteBoxTab, 25, 26, 27, 28, 29, 30, 31, 34, 33, 32, 23, 24};
    d.report = printedForm();
    return d;
}

} // namespace

const DocumentDescription &tzgzDescription()
{
    static const DocumentDescription d = make();
    return d;
}

} // namespace kelm
