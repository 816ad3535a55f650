#include "cases/documents/hearing/tzbl.h"

#include "cases/engine/description.h"

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

constexpr int textLeft = 480;
constexpr int textRight = 7680;

// rep_tzbl: the body in 宋体 12 pt. The six signatures are written by hand:
// their labels print, their columns do not. The page count above the title
// is left for the pen as well.
report::ReportLayout printedForm()
{
    using namespace report;
    constexpr int rule = 9585;
    ReportLayout r = documentReport(documentAt(15));
    r.reportHeader.height = 3165;
    r.reportHeader.items = {
        label(1845, 1065, u"卫  生  行  政  执  法  处  罚  文  书"_s, 6360).size(15.75),
        bar(0, 1455, rule),
        label(7260, 1770, u"第    页共    页"_s, 1995),
        line(7500, 2025, 8025, 2025),
        line(8460, 2025, 8985, 2025),
        label(3360, 2310, u"听  证  笔  录"_s, 3315).size(21.75).bolded(),
    };
    r.detail.height = 11490;
    r.detail.items = {
        label(0, 210, u"当 事 人："_s, 1305),
        field(1155, 210, 8415, u"dsr"_s),
        label(0, 750, u"委托代理人："_s, 1530),
        field(1365, 720, 8190, u"wtdlr"_s),
        label(0, 1245, u"案件承办机关："_s, 1755),
        field(1605, 1230, 7965, u"ajcbjg"_s),
        label(0, 1725, u"案件承办人："_s, 1530),
        field(1365, 1710, 8190, u"ajcbr"_s),
        label(0, 2205, u"听 证 员："_s, 1305),
        field(1155, 2205, 8415, u"tzy"_s),
        label(0, 2715, u"听证主持人："_s, 1530),
        field(1365, 2700, 4545, u"tzzcr"_s),
        label(5925, 2685, u"书记员："_s, 1020),
        field(6840, 2685, 2760, u"sjy"_s),
        label(0, 3210, u"听证方式："_s, 1305),
        field(1155, 3210, 8445, u"tzfs"_s),
        label(15, 3660, u"听证地点："_s, 1305),
        field(1170, 3660, 8445, u"tzdd"_s),
        // The hearing time: each part in its own field in the blanks.
        label(0, 4140, u"听证时间："_s, 1305),
        field(1170, 4125, 525, u"tzsj_n"_s),
        label(1725, 4125, u"年   月   日"_s, 1500),
        field(2025, 4125, 330, u"tzsj_y"_s),
        field(2655, 4110, 285, u"tzsj_r"_s),
        label(2910, 4125, u"     午   时至   时"_s, 2520),
        field(3210, 4125, 330, u"tzsj_w"_s),
        field(3840, 4110, 285, u"tzsj_s1"_s),
        field(4650, 4110, 285, u"tzsj_s2"_s),
        line(1170, 4425, 1710, 4425),
        line(1935, 4440, 2355, 4440),
        line(2535, 4440, 2955, 4440),
        line(3165, 4440, 3585, 4440),
        line(3720, 4440, 4140, 4440),
        line(4560, 4440, 4980, 4440),
        label(0, 4650, u"案    由："_s, 1290),
        field(1200, 4650, 8400, u"ay1"_s),
        field(0, 5055, 9645, u"ay2"_s),
        field(0, 5415, 9645, u"ay3"_s),
        field(0, 5790, 9645, u"ay4"_s),
        label(0, 6495, u"当事人签名："_s, 1665),
        label(0, 7200, u"委托代理人签名："_s, 2040),
        label(0, 7890, u"案件承办人签名："_s, 2040),
        label(0, 8655, u"听证员签名："_s, 2040),
        label(0, 9450, u"听证主持人签名："_s, 2040),
        label(5865, 9525, u"书记员签名："_s, 1575),
        field(6555, 10305, 525, u"nian"_s),
        label(7125, 10290, u"年   月   日"_s, 1890),
        field(7410, 10305, 330, u"yue"_s),
        field(8040, 10290, 285, u"ri"_s),
        bar(0, 10980, rule),
        label(6300, 11070, u"中华人民共和国卫生部制定"_s, 3210),
    };
    return r;
}

DocumentDescription make()
{
    DocumentDescription d;
    d.document = documentAt(15);

    BoxSpec wtdlr = dataBox(u"wtdlr"_s, 6135);
    wtdlr.height = 230;
    d.boxes = {
        dataBox(u"dsr"_s, 6375),         // 0
        wtdlr,                           // 1
        dataBox(u"ajcbjg"_s, 6015),      // 2
        dataBox(u"ajcbr"_s, 6135),       // 3
        dataBox(u"tzy"_s, 6375),         // 4
        dataBox(u"tzzcr"_s, 3255),       // 5
        dataBox(u"sjy"_s, 2055),         // 6
        dataBox(u"tzfs"_s, 6375),        // 7
        dataBox(u"tzdd"_s, 6375),        // 8
        dataBox(u"tzsj_n"_s, 495, 4),    // 9
        dataBox(u"tzsj_y"_s, 195, 2),    // 10
        dataBox(u"tzsj_r"_s, 195, 2),    // 11
        dataBox(u"tzsj_w"_s, 255, 4),    // 12 上 or 下, before 午
        dataBox(u"tzsj_s1"_s, 195, 2),   // 13
        dataBox(u"tzsj_s2"_s, 195, 2),   // 14
        dataBox(u"ay1"_s, 6375),         // 15
        dataBox(u"ay2"_s, 7215),         // 16
        dataBox(u"ay3"_s, 7215),         // 17
        dataBox(u"ay4"_s, 7215),         // 18
        handBox(u"dsrqm"_s, 6135),       // 19
        handBox(u"wtdlrqm"_s, 5775),     // 20
        handBox(u"ajcbrqm"_s, 5775),     // 21
        handBox(u"tzyqm"_s, 6135),       // 22
        handBox(u"tzzcrqm"_s, 1815),     // 23
        handBox(u"sjyqm"_s, 1815),       // 24
        dataBox(u"nian"_s, 495, 4),      // 25
        dataBox(u"yue"_s, 195, 2),       // 26
        dataBox(u"ri"_s, 195, 2),        // 27
    };
    d.groups = {{15, 18}};

    WindowDesign &w = d.window;
    w.width = 8085;
    w.height = 8160;
    w.deleteBoxLeft = 7080;
    w.rows = {
        {0, RowAlign::Left, {text(u"卫  生  行  政  执  法  处  罚  文  书"_s, 1800, 12)}},
        {480, RowAlign::Left, {text(u"听  证  笔  录"_s, 2880, 18, true)}},
        {960, RowAlign::Left, {text(u"当 事 人："_s, textLeft), box(0, 1320)}},
        {1320, RowAlign::Left, {text(u"委托代理人："_s, textLeft), box(1, 1560)}},
        {1680, RowAlign::Left, {text(u"案件承办机关："_s, textLeft), box(2, 1680)}},
        {2040, RowAlign::Left, {text(u"案件承办人："_s, textLeft), box(3, 1560)}},
        {2400, RowAlign::Left, {text(u"听 证 员："_s, textLeft), box(4, 1320)}},
        {2760, RowAlign::Left,
         {text(u"听证主持人："_s, textLeft), box(5, 1560), text(u"书记员："_s, 4920), box(6, 5640)}},
        {3120, RowAlign::Left, {text(u"听证方式："_s, textLeft), box(7, 1320)}},
        {3480, RowAlign::Left, {text(u"听证地点："_s, textLeft), box(8, 1320)}},
        // Year 年 month 月 day 日 half-day 午 from 时至 to 时, the parts in
        // the runs of blanks.
        {3840, RowAlign::Left,
         {text(u"听证时间："_s, textLeft), box(9, 1440), text(u"年    月    日"_s, 1920), box(10, 2160),
          box(11, 2760), box(12, 3240), text(u"午    时至    时"_s, 3600), box(13, 3840), box(14, 4560)}},
        {4200, RowAlign::Left, {text(u"案    由："_s, textLeft), box(15, 1320)}},
        {4560, RowAlign::Left, {box(16, textLeft)}},
        {4920, RowAlign::Left, {box(17, textLeft)}},
        {5280, RowAlign::Left, {box(18, textLeft)}},
        {5640, RowAlign::Left, {text(u"当事人签名："_s, textLeft), box(19, 1560)}},
        {6000, RowAlign::Left, {text(u"委托代理人签名："_s, textLeft), box(20, 1920)}},
        {6360, RowAlign::Left, {text(u"案件承办人签名："_s, textLeft), box(21, 1920)}},
        {6720, RowAlign::Left, {text(u"听证员签名："_s, textLeft), box(22, 1560)}},
        {7080, RowAlign::Left,
         {text(u"听证主持人签名："_s, textLeft), box(23, 1920), text(u"书记员签名："_s, 4800), box(24, 5880)}},
        {7440, RowAlign::Left, {box(25, 5400), text(u"年    月    日"_s, 5880), box(26, 6120), box(27, 6720)}},
        {7920, RowAlign::Left, {text(u"中华人民共和国卫生部制定"_s, 5400)}},
    };
    w.lines = {
        hline(textLeft, textRight, 360),
        underBox(1320, 960),
        underBox(1560, 1320),
        underBox(1680, 1680),
        underBox(1560, 2040),
        underBox(1320, 2400),
        underBox(1560, 2760, 4800),
        underBox(5640, 2760),
        underBox(1320, 3120),
        underBox(1320, 3480),
        underBox(1440, 3840, 1920),
        underBox(2160, 3840, 2400),
        underBox(2640, 3840, 3000),
        underBox(3240, 3840, 3480),
        underBox(3840, 3840, 4080),
        underBox(4440, 3840, 4800),
        underBox(1320, 4200),
        underBox(textLeft, 4560),
        underBox(textLeft, 4920),
        underBox(textLeft, 5280),
        underBox(1560, 5640),
        underBox(1920, 6000),
        underBox(1920, 6360),
        underBox(1680, 6720),
        underBox(1920, 7080, 3720),
        underBox(5880, 7080),
        underBox(5400, 7440, 5880),
        underBox(6120, 7440, 6360),
        underBox(6600, 7440, 6960),
        hline(textLeft, textRight, 7800),
    };
    d.report = printedForm();
    return d;
}

} // namespace

const DocumentDescription &tzblDescription()
{
    static const DocumentDescription d = make();
    return d;
}

} // namespace kelm
