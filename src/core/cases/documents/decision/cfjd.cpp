#include "cases/documents/decision/cfjd.h"

#include "cases/engine/description.h"

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

constexpr int textLeft = 480;
constexpr int textRight = 7800;

// rep_cfjd: header and title in the page header, the body in 宋体 12 pt,
// the penalty lines bold. The printed wording differs from the window's in
// places (no 年 in the number, "本局" for "本机关", other line breaks).
report::ReportLayout printedForm()
{
    using namespace report;
    constexpr int rule = 9615;
    ReportLayout r = documentReport(documentAt(8));
    r.pageHeader.height = 3165;
    r.pageHeader.items = {
        label(1950, 1050, u"卫  生  行  政  执  法  处  罚  文  书"_s, 6255).size(15.75),
        bar(0, 1425, rule),
        label(3405, 1905, u"行政处罚决定书"_s, 3315).size(21.75).bolded(),
    };
    r.detail.height = 11622;
    r.detail.items = {
        label(numberLineLeft(5625, 12), 75, u"  Vesk卫(  )罚字[    ]第(     )号"_s, 3765),
        field(6450, 90, 300, u"lb"_s),
        field(7440, 60, 480, u"nd"_s),
        field(8385, 60, 615, u"bh"_s),
        label(15, 480, u"被处罚人："_s, 1245),
        field(1215, 480, 4545, u"cfdw"_s),
        line(1050, 765, 5760, 765),
        label(255, 825, u"  本局依法于    年  月  日对你(单位)立案调查。现已查明："_s, 6885),
        field(1680, 825, 525, u"wfsj_y"_s),
        field(2400, 825, 285, u"wfsj_m"_s),
        // The day's blank between 月 and 日 on the grid: the form's box
        // began inside 月.
        field(2895, 825, 240, u"wfsj_d"_s),
        line(1650, 1125, 2235, 1125),
        line(2370, 1110, 2685, 1110),
        line(2835, 1110, 3150, 1110),
        field(480, 1185, 9195, u"wfxw1"_s),
        line(465, 1455, 9660, 1455),
        field(0, 1530, 9675, u"wfxw4"_s),
        line(0, 1815, 9660, 1815),
        field(0, 1875, 9675, u"wfxw5"_s),
        line(0, 2160, 9660, 2160),
        field(0, 2220, 9675, u"wfxw6"_s),
        line(0, 2505, 9660, 2505),
        label(435, 2595, u"以上事实有"_s, 1290),
        field(1680, 2595, 7275, u"zm"_s),
        label(8940, 2595, u"为证。"_s, 1065),
        line(1710, 2880, 9000, 2880),
        label(465, 3000, u"本局认为，你(单位)的行为，已经违反了"_s, 4440),
        field(4830, 3000, 4845, u"wfgd1"_s),
        line(4845, 3285, 9660, 3285),
        field(0, 3360, 8730, u"wfgd2"_s),
        label(8730, 3375, u"的规定，"_s, 1155),
        line(15, 3630, 8715, 3630),
        label(0, 3765, u"现依据"_s, 765),
        field(750, 3765, 8940, u"yjgd1"_s),
        line(750, 4035, 9690, 4035),
        field(0, 4110, 8760, u"yjgd2"_s),
        label(8745, 4110, u"的规定，"_s, 1110),
        line(0, 4410, 8775, 4410),
        label(0, 4500, u"对你(单位)作出下列行政处罚："_s, 3405),
        field(15, 4890, 9705, u"xzcf1"_s).bolded(),
        line(0, 5175, 9720, 5175),
        field(0, 5250, 9720, u"xzcf2"_s).bolded(),
        line(15, 5520, 9690, 5520),
        label(465, 5640, u"罚款于  月  日前缴至"_s, 2475),
        field(1185, 5625, 285, u"jksj_m"_s),
        field(1665, 5625, 300, u"jksj_d"_s),
        field(2880, 5625, 6840, u"jkdw"_s),
        line(1185, 5910, 1485, 5910),
        line(1650, 5910, 1980, 5910),
        line(2850, 5940, 9705, 5940),
        label(0, 6015, u"地址："_s, 840),
        field(690, 6015, 9030, u"jkdz"_s),
        line(570, 6300, 9735, 6300),
        label(495, 6405, u"逾期不缴纳罚款的，每日按罚款数额的3%加处罚款。"_s, 5640),
        label(495, 6720, u"同时依据《中华人民共和国行政处罚法》第二十三条规定，责令改正(或责"_s, 7845),
        label(0, 7065, u"令自收到本处罚决定书之日起      日内改正)上述违法行为。"_s, 6870),
        field(3360, 7020, 360, u"gzqx"_s),
        line(3150, 7320, 3870, 7320),
        label(510, 7395, u"如不服本处罚决定，可自收到本处罚决定书之日起    日内向"_s, 6570),
        field(5895, 7395, 300, u"fyqx"_s),
        field(7095, 7380, 2415, u"fyjg1"_s),
        line(5820, 7665, 6330, 7665),
        line(7080, 7680, 9540, 7680),
        field(0, 7740, 1935, u"fyjg2"_s),
        label(2010, 7755, u"卫生局或"_s, 1005),
        field(3060, 7740, 3885, u"fyzf"_s),
        label(6945, 7755, u"人民政府申请行政复议，"_s, 2700),
        line(0, 8040, 1905, 8040),
        line(3060, 8040, 6960, 8040),
        label(15, 8130, u"或者      日内向"_s, 2040),
        field(705, 8085, 300, u"qsqx"_s),
        field(2040, 8130, 5880, u"qsjg"_s),
        label(7905, 8130, u"人民法院起诉，"_s, 1785),
        line(480, 8415, 1245, 8415),
        line(2055, 8430, 7935, 8430),
        label(0, 8490, u"但不得停止执行本处罚决定。逾期不申请行政复议或者不向人民法院起诉又不履行处罚决定"_s, 9915),
        label(0, 8895, u"的，本局将依法申请人民法院强制执行。"_s, 6075),
        field(4665, 9525, 4740, u"jgmc"_s).centred(),
        field(6135, 10095, 615, u"pbsj_y"_s),
        label(6690, 10080, u"年   月   日"_s, 1545),
        field(6960, 10080, 315, u"pbsj_m"_s),
        field(7575, 10065, 315, u"pbsj_d"_s),
        bar(0, 10665, rule),
        label(0, 10710, u"备注：本文书一式两份，第一份交被处罚人，第二份留存卷宗备查。"_s, 7380),
        bar(0, 10995, rule),
        label(6420, 11085, u"中华人民共和国卫生部制定"_s, 2970),
    };
    return r;
}

DocumentDescription make()
{
    DocumentDescription d;
    d.document = documentAt(8);
    d.pointerReset = true;
    d.boxes = {
        dataBox(u"lb"_s, 200),                 // 0 number: category mark
        centred(dataBox(u"nd"_s, 400)),        // 1 number: year
        centred(dataBox(u"bh"_s, 375)),        // 2 number: serial
        dataBox(u"cfdw"_s, 3495),              // 3
        dataBox(u"wfsj_y"_s, 375),             // 4
        dataBox(u"wfsj_m"_s, 255),             // 5
        dataBox(u"wfsj_d"_s, 200),             // 6
        dataBox(u"wfxw1"_s, 6975),             // 7 facts found, 4 lines
        dataBox(u"wfxw4"_s, 7335),             // 8
        dataBox(u"wfxw5"_s, 7335),             // 9
        dataBox(u"wfxw6"_s, 7335),             // 10
        dataBox(u"zm"_s, 5535),                // 11
        dataBox(u"wfgd1"_s, 3855),             // 12
        dataBox(u"wfgd2"_s, 6615),             // 13
        dataBox(u"yjgd1"_s, 6735),             // 14
        dataBox(u"yjgd2"_s, 6615),             // 15
        bolded(dataBox(u"xzcf1"_s, 7335)),       // 16 penalty decided
        bolded(dataBox(u"xzcf2"_s, 7335)),       // 17
        dataBox(u"jksj_m"_s, 200),             // 18
        dataBox(u"jksj_d"_s, 200),             // 19
        dataBox(u"jkdw"_s, 5175),              // 20
        dataBox(u"jkdz"_s, 6855),              // 21
        centred(dataBox(u"gzqx"_s, 435)),      // 22
        centred(dataBox(u"fyqx"_s, 495)),      // 23
        dataBox(u"fyjg1"_s, 1935),             // 24
        dataBox(u"fyjg2"_s, 1575),             // 25
        dataBox(u"fyzf"_s, 2895),              // 26
        centred(dataBox(u"qsqx"_s, 555)),      // 27
        dataBox(u"qsjg"_s, 4335),              // 28
        authorityBox(u"jgmc"_s, 2775),         // 29
        dataBox(u"pbsj_y"_s, 375),             // 30
        dataBox(u"pbsj_m"_s, 200),             // 31
        dataBox(u"pbsj_d"_s, 200),             // 32
    };
    d.groups = {{7, 10}, {12, 13}, {14, 15}, {16, 17}, {24, 25}};

    WindowDesign &w = d.window;
    w.width = 8280;
    w.height = 8625;
    w.rightMargin = textRight;
    w.deleteBoxLeft = 7320;
    w.rows = {
        {0, RowAlign::Left, {text(u"卫  生  行  政  执  法  处  罚  文  书"_s, 1920, 12)}},
        {360, RowAlign::Left, {text(u"行政处罚决定书"_s, 2880, 18, true)}},
        {765, RowAlign::Left,
         {text(u"Vesk卫(   )罚字[     ]年第(     )号"_s, numberLineLeft(4320, 9)), box(0, 4830), box(1, 5640),
          box(2, 6645)}},
        {960, RowAlign::Left, {text(u"被处罚人："_s, textLeft), box(3, 1320)}},
        {1245, RowAlign::Left,
         {text(u"  本局依法于     年    月   日对你(单位)立案调查。现已查明："_s, 600), box(4, 1710, 1250),
          box(5, 2400, 1250), box(6, 2910, 1250)}},
        {1510, RowAlign::Left, {box(7, 840)}},
        {1800, RowAlign::Left, {box(8, textLeft)}},
        {2080, RowAlign::Left, {box(9, textLeft)}},
        {2370, RowAlign::Left, {box(10, textLeft)}},
        {2640, RowAlign::Left, {text(u"以上事实有"_s, 840), box(11, 1800), text(u"为证。"_s, 7320)}},
        {2895, RowAlign::Left, {text(u"本局认为，你(单位)的行为，已经违反了"_s, 840), box(12, 4080, 2880)}},
        {3195, RowAlign::Left, {box(13, textLeft, 3200), text(u"的规定，"_s, 7200)}},
        {3480, RowAlign::Left, {text(u"现依据"_s, textLeft), box(14, 1080)}},
        {3750, RowAlign::Left, {box(15, textLeft), text(u"的规定，"_s, 7200)}},
        {4035, RowAlign::Left, {text(u"对你(单位)作出下列行政处罚："_s, textLeft)}},
        {4275, RowAlign::Left, {box(16, textLeft)}},
        {4560, RowAlign::Left, {box(17, textLeft)}},
        {4845, RowAlign::Left,
         {text(u"罚款于  月  日前缴至"_s, 840), box(18, 1380), box(19, 1720), box(20, 2640)}},
        {5115, RowAlign::Left, {text(u"地址："_s, textLeft), box(21, 960)}},
        {5400, RowAlign::Left, {text(u"逾期不缴纳罚款的，每日按罚款数额的3%加处罚款。"_s, 840)}},
        {5640, RowAlign::Left,
         {text(u"同时依据《中华人民共和国行政处罚法》第二十三条规定，责令改正(或责令自收到本处"_s, 840)}},
        {5880, RowAlign::Left, {text(u"罚决定书之日起      日内改正)上述违法行为。"_s, textLeft), box(22, 1800)}},
        {6165, RowAlign::Left,
         {text(u"如不服本处罚决定，可自收到本处罚决定书之日起      日内向"_s, 840), box(23, 4850), box(24, 5880)}},
        {6435, RowAlign::Left,
         {box(25, textLeft), text(u"卫生局或"_s, 2040), box(26, 2880), text(u"人民政府申请行政复议，"_s, 5760)}},
        {6720, RowAlign::Left,
         {text(u"或者       日内向"_s, textLeft), box(27, 890), box(28, 2040, 6705), text(u"人民法院起诉，"_s, 6480)}},
        {6960, RowAlign::Left,
         {text(u"但不得停止执行本处罚决定。逾期不申请行政复议或者不向人民法院起诉又不履行处罚决定"_s, textLeft)}},
        {7200, RowAlign::Left, {text(u"的，本机关将依法申请人民法院强制执行。"_s, textLeft)}},
        {7320, RowAlign::Left, {box(29, 4440)}},
        {7560, RowAlign::Left, {box(30, 5020), text(u"年   月   日"_s, 5400), box(31, 5640), box(32, 6080)}},
        {8040, RowAlign::Left, {text(u"备注：本文书一式两份，第一份交被处罚人，第二份留存卷宗备查。"_s, 720)}},
        {8400, RowAlign::Left, {text(u"中华人民共和国卫生部制定"_s, 5400)}},
    };
    w.lines = {
        hline(textLeft, textRight, 360),
        hline(1320, 4800, 1155),
        hline(1680, 2110, 1455),
        hline(2310, 2660, 1455),
        hline(2805, 3115, 1455),
        hline(840, textRight, 1725),
        {textLeft, 2010, textRight, 2040},
        hline(textLeft, textRight, 2295),
        hline(textLeft, textRight, 2565),
        hline(1800, 7320, 2835),
        hline(4080, textRight, 3105),
        hline(textLeft, 7200, 3405),
        hline(1080, textRight, 3675),
        hline(textLeft, 7200, 3960),
        hline(textLeft, textRight, 4485),
        hline(textLeft, textRight, 4770),
        hline(1320, 1560, 5040),
        hline(1680, 1920, 5040),
        hline(2640, textRight, 5040),
        hline(960, textRight, 5325),
        hline(1680, 2280, 6120),
        hline(4800, 5400, 6360),
        hline(5880, textRight, 6360),
        hline(textLeft, 2040, 6615),
        hline(2880, 5760, 6615),
        hline(840, 1440, 6915),
        hline(2040, 6360, 6915),
        hline(5040, 5400, 7755),
        hline(5550, 5880, 7755),
        hline(6000, 6280, 7755),
        hline(textLeft, textRight, 7920),
        hline(textLeft, textRight, 8280),
    };
    d.report = printedForm();
    return d;
}

} // namespace

const DocumentDescription &cfjdDescription()
{
    static const DocumentDescription d = make();
    return d;
}

} // namespace kelm
