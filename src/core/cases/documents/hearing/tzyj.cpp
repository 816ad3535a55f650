#include "cases/documents/hearing/tzyj.h"

#include "cases/engine/description.h"

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

constexpr int textLeft = 480;
constexpr int textRight = 7680;

// rep_tzyj: the body in 宋体 12 pt. The two signatures are written by hand:
// their labels print, their columns do not; the opinion of the person in
// charge prints on its own line below its label.
report::ReportLayout printedForm()
{
    using namespace report;
    constexpr int rule = 9570;
    ReportLayout r = documentReport(documentAt(20));
    r.reportHeader.height = 3180;
    r.reportHeader.items = {
        label(1665, 1035, u"卫  生  行  政  执  法  处  罚  文  书"_s, 6285).size(15.75),
        bar(0, 1440, rule),
        label(3090, 2145, u"听 证 意 见 书"_s, 3315).size(21.75).bolded(),
    };
    r.detail.height = 11505;
    r.detail.items = {
        label(0, 210, u"当 事 人："_s, 1305),
        field(1155, 210, 8430, u"dsr"_s),
        label(0, 585, u"委托代理人："_s, 1530),
        field(1380, 585, 8220, u"dlr"_s),
        // cbr is what was typed after 案件承办机关, cbjg after 案件承办人.
        label(0, 975, u"案件承办机关："_s, 2175),
        field(1590, 975, 8370, u"cbr"_s),
        label(0, 1380, u"案件承办人："_s, 1530),
        field(1410, 1380, 8490, u"cbjg"_s),
        label(0, 1845, u"听 证 员："_s, 1395),
        field(1170, 1845, 8445, u"tzy"_s),
        label(0, 2325, u"听证主持人："_s, 2175),
        field(1395, 2325, 3030, u"zcr"_s),
        label(4485, 2310, u"书 记 员："_s, 1395),
        field(5655, 2310, 3975, u"sjy"_s),
        label(0, 2715, u"听证方式："_s, 1305),
        field(1155, 2715, 8490, u"tzfs"_s),
        label(0, 3120, u"听证时间："_s, 1395),
        // Ends a character before 听证地点 so a full time never runs into it.
        field(1170, 3120, 3090, u"tzsj"_s),
        label(4500, 3150, u"听证地点："_s, 1305),
        field(5655, 3150, 3975, u"tzdd"_s),
        label(0, 3600, u"听证案由："_s, 1305),
        field(1155, 3600, 8430, u"tzay1"_s),
        field(0, 3945, 9600, u"tzay2"_s),
        label(0, 4395, u"案件基本情况："_s, 1785),
        field(1620, 4395, 7980, u"jbqk1"_s),
        field(0, 4740, 9600, u"jbqk2"_s),
        label(0, 5205, u"当事人主要理由："_s, 2025),
        field(1890, 5205, 7710, u"dsrly1"_s),
        field(0, 5550, 9600, u"dsrly2"_s),
        field(0, 5925, 9600, u"dsrly3"_s),
        label(0, 6390, u"案件承办人主要理由："_s, 2460),
        field(2370, 6390, 7230, u"cbrly1"_s),
        field(0, 6735, 9600, u"cbrly2"_s),
        label(0, 7275, u"听证合议意见："_s, 1785),
        field(1620, 7275, 7995, u"hyyj1"_s),
        field(0, 7620, 9615, u"hyyj2"_s),
        label(0, 8220, u"听证人员签名："_s, 1800),
        field(6900, 8325, 525, u"nian1"_s),
        label(7470, 8310, u"年   月   日"_s, 1890),
        field(7755, 8325, 330, u"yue1"_s),
        field(8370, 8325, 285, u"ri1"_s),
        bar(0, 8730, rule),
        label(0, 8895, u"负责人意见："_s, 1560),
        field(495, 9240, 9105, u"fzryj"_s),
        label(5595, 9915, u"负责人签名："_s, 1560),
        field(6855, 10425, 525, u"nian2"_s),
        label(7425, 10410, u"年   月   日"_s, 1890),
        field(7710, 10425, 330, u"yue2"_s),
        field(8340, 10410, 285, u"ri2"_s),
        bar(0, 10995, rule),
        label(6330, 11115, u"中华人民共和国卫生部制定"_s, 3210),
    };
    return r;
}

DocumentDescription make()
{
    DocumentDescription d;
    d.document = documentAt(20);

    BoxSpec dlr = dataBox(u"dlr"_s, 6135);
    dlr.height = 230;
    d.boxes = {
        dataBox(u"dsr"_s, 6375),         // 0
        dlr,                             // 1
        dataBox(u"cbr"_s, 6015),         // 2 after 案件承办机关：
        dataBox(u"cbjg"_s, 6135),        // 3 after 案件承办人：
        dataBox(u"tzy"_s, 6375),         // 4
        dataBox(u"zcr"_s, 2295),         // 5
        dataBox(u"sjy"_s, 2895),         // 6
        dataBox(u"tzfs"_s, 6375),        // 7
        dataBox(u"tzsj"_s, 2535),        // 8 the hearing time as one text
        dataBox(u"tzdd"_s, 2895),        // 9
        dataBox(u"tzay1"_s, 6375),       // 10
        dataBox(u"tzay2"_s, 7215),       // 11
        dataBox(u"jbqk1"_s, 6015),       // 12
        dataBox(u"jbqk2"_s, 7215),       // 13
        dataBox(u"dsrly1"_s, 5775),      // 14
        dataBox(u"dsrly2"_s, 7215),      // 15
        dataBox(u"dsrly3"_s, 7215),      // 16
        dataBox(u"cbrly1"_s, 5475),      // 17
        dataBox(u"cbrly2"_s, 7215),      // 18
        dataBox(u"hyyj1"_s, 5895),       // 19
        dataBox(u"hyyj2"_s, 7215),       // 20
        handBox(u"tzrqm"_s, 2415),       // 21
        dataBox(u"nian1"_s, 495, 4),     // 22
        dataBox(u"yue1"_s, 195, 2),      // 23
        dataBox(u"ri1"_s, 195, 2),       // 24
        handBox(u"fzryj"_s, 6135),       // 25
        handBox(u"fzrqm"_s, 2535),       // 26
        dataBox(u"nian2"_s, 495, 4),     // 27
        dataBox(u"yue2"_s, 195, 2),      // 28
        dataBox(u"ri2"_s, 195, 2),       // 29
    };
    d.groups = {{10, 11}, {12, 13}, {14, 16}, {17, 18}, {19, 20}};

    WindowDesign &w = d.window;
    w.width = 8100;
    w.height = 8355;
    w.deleteBoxLeft = 7080;
    // The form's own order: down to the case officer's arguments, the
    // delete-on-close box, then the foot of the form upwards.
    w.tabOrder = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, deleteBoxTab,
                  29, 28, 27, 25, 26, 24, 23, 22, 21, 19, 18, 20};
    w.rows = {
        {0, RowAlign::Left, {text(u"卫  生  行  政  执  法  处  罚  文  书"_s, 1920, 12)}},
        {360, RowAlign::Left, {text(u"听 证 意 见 书"_s, 2880, 18, true)}},
        {840, RowAlign::Left, {text(u"当 事 人："_s, textLeft), box(0, 1320)}},
        {1160, RowAlign::Left, {text(u"委托代理人："_s, textLeft), box(1, 1560)}},
        {1480, RowAlign::Left, {text(u"案件承办机关："_s, textLeft), box(2, 1680)}},
        {1800, RowAlign::Left, {text(u"案件承办人："_s, textLeft), box(3, 1560)}},
        {2120, RowAlign::Left, {text(u"听 证 员："_s, textLeft), box(4, 1320)}},
        {2440, RowAlign::Left,
         {text(u"听证主持人："_s, textLeft), box(5, 1560), text(u"书 记 员："_s, 3960), box(6, 4800)}},
        {2760, RowAlign::Left, {text(u"听证方式："_s, textLeft), box(7, 1320)}},
        {3080, RowAlign::Left,
         {text(u"听证时间："_s, textLeft), box(8, 1320), text(u"听证地点："_s, 3960), box(9, 4800)}},
        {3400, RowAlign::Left, {text(u"听证案由："_s, textLeft), box(10, 1320)}},
        {3720, RowAlign::Left, {box(11, textLeft)}},
        {4040, RowAlign::Left, {text(u"案件基本情况："_s, textLeft), box(12, 1680)}},
        {4360, RowAlign::Left, {box(13, textLeft)}},
        {4680, RowAlign::Left, {text(u"当事人主要理由："_s, textLeft), box(14, 1920)}},
        {5000, RowAlign::Left, {box(15, textLeft)}},
        {5320, RowAlign::Left, {box(16, textLeft)}},
        {5640, RowAlign::Left, {text(u"案件承办人主要理由："_s, textLeft), box(17, 2280)}},
        {5960, RowAlign::Left, {box(18, textLeft)}},
        {6280, RowAlign::Left, {text(u"听证合议意见："_s, textLeft), box(19, 1800)}},
        {6600, RowAlign::Left, {box(20, textLeft)}},
        {6920, RowAlign::Left,
         {text(u"听证人员签名："_s, textLeft), box(21, 1800), box(22, 5760), text(u"年    月    日"_s, 6240),
          box(23, 6480), box(24, 7080)}},
        {7340, RowAlign::Left, {text(u"负责人意见："_s, textLeft), box(25, 1560)}},
        {7660, RowAlign::Left,
         {text(u"负责人签名："_s, textLeft), box(26, 1560), box(27, 5760), text(u"年    月    日"_s, 6240),
          box(28, 6480), box(29, 7080)}},
        {8120, RowAlign::Left, {text(u"中华人民共和国卫生部制定"_s, 5400)}},
    };
    w.lines = {
        hline(textLeft, textRight, 300),
        hline(1320, textRight, 1080),
        hline(1560, textRight, 1400),
        hline(1680, textRight, 1700),
        hline(1560, textRight, 2040),
        hline(1320, textRight, 2350),
        hline(1560, 3840, 2670),
        hline(4800, textRight, 2670),
        hline(1320, textRight, 3000),
        hline(1320, 3840, 3300),
        hline(4800, textRight, 3300),
        hline(1320, textRight, 3620),
        hline(textLeft, textRight, 3960),
        hline(1680, textRight, 4280),
        hline(textLeft, textRight, 4600),
        hline(1920, textRight, 4920),
        hline(textLeft, textRight, 5250),
        hline(textLeft, textRight, 5550),
        hline(2160, textRight, 5880),
        hline(textLeft, textRight, 6200),
        hline(1800, textRight, 6500),
        hline(textLeft, textRight, 6840),
        hline(1800, 4200, 7150),
        hline(5760, 6240, 7150),
        hline(6600, 6840, 7150),
        hline(7080, 7440, 7150),
        hline(textLeft, textRight, 7230),
        hline(1560, textRight, 7560),
        hline(1560, 4080, 7920),
        hline(5760, 6240, 7920),
        hline(6480, 6720, 7920),
        hline(6960, 7320, 7920),
        hline(textLeft, textRight, 8020),
    };
    d.report = printedForm();
    return d;
}

} // namespace

const DocumentDescription &tzyjDescription()
{
    static const DocumentDescription d = make();
    return d;
}

} // namespace kelm
