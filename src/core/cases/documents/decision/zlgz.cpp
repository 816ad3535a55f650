#include "cases/documents/decision/zlgz.h"

#include "cases/engine/description.h"

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

constexpr int textLeft = 480;
constexpr int textRight = 7680;

const QString seam = u"-"_s.repeated(70);

report::Item under(int left, int top, int width) { return report::line(left, top, left + width, top); }

// rep_zlgz: stub and notice on one sheet, everything in the detail section,
// the body in 宋体 12 pt. Each part prints its own number and deadline; the
// officers sign the stub by hand, so qm does not print.
report::ReportLayout printedForm()
{
    using namespace report;
    constexpr int rule = 9630;
    ReportLayout r = documentReport(documentAt(21));
    r.detail.height = 14730;
    r.detail.items = {
        label(1695, 1140, u"卫  生  行  政  执  法  处  罚  文  书"_s, 6315).size(15.75),
        bar(0, 1485, rule),
        label(2775, 2025, u"责令改正通知书存根"_s, 4170).size(21.75).bolded(),
        label(numberLineLeft(5340, 12), 3030, u"  Vesk卫(  )改字[    ]第(     )号"_s, 3765),
        field(6165, 3045, 300, u"zi12"_s),
        field(7155, 3015, 480, u"nd1"_s),
        field(8100, 3015, 615, u"hao1"_s),
        label(15, 3630, u"当 事 人："_s, 1305),
        field(1170, 3630, 8430, u"dsr"_s),
        label(15, 4035, u"违法行为："_s, 1305),
        field(1170, 4035, 8430, u"wfxw1"_s),
        field(15, 4410, 9600, u"wfxw2"_s),
        label(15, 4815, u"改正内容："_s, 1305),
        field(1170, 4815, 8430, u"gznr"_s),
        label(15, 5220, u"改正期限："_s, 1290),
        field(1155, 5220, 525, u"gzqx_n"_s),
        label(1725, 5220, u"年   月   日"_s, 1890),
        field(2010, 5220, 330, u"gzqx_y"_s),
        field(2640, 5205, 285, u"gzqx_r"_s),
        label(2940, 5220, u"     时   分"_s, 1890),
        field(3225, 5220, 330, u"gzqx_s"_s),
        field(3855, 5205, 285, u"gzqx_f"_s),
        under(1170, 5505, 525),
        under(2595, 5505, 360),
        under(1950, 5520, 360),
        under(3795, 5520, 360),
        under(3180, 5535, 360),
        label(15, 5685, u"执法人员签名："_s, 1740),
        field(1665, 6405, 525, u"qm_n"_s),
        label(2235, 6420, u"年   月   日"_s, 1890),
        field(2520, 6405, 330, u"qm_y"_s),
        field(3150, 6390, 285, u"qm_r"_s),
        label(15, 7005, u"请骑缝盖章"_s + seam, 9750),
        label(3255, 7770, u"责令改正通知书"_s, 3210).size(21.75).bolded(),
        label(numberLineLeft(5055, 12), 8700, u"  Vesk卫(  )改字[    ]第(     )号"_s, 3930),
        field(5865, 8715, 300, u"zi2"_s),
        field(6855, 8685, 480, u"nd2"_s),
        field(7800, 8685, 615, u"hao2"_s),
        field(0, 9315, 4815, u"dw"_s),
        under(0, 9615, 4725),
        label(510, 9825, u"经查，你（单"_s, 1815),
        label(1935, 9810, u"位）于    年  月  日从事的"_s, 3165),
        field(2640, 9795, 525, u"jc_n"_s),
        field(3375, 9795, 285, u"jc_y"_s),
        field(3840, 9795, 285, u"jc_r"_s),
        field(5085, 9825, 4485, u"xw1"_s),
        under(2640, 10095, 540),
        under(3330, 10080, 360),
        under(3795, 10080, 360),
        under(5085, 10125, 4515),
        field(0, 10215, 8685, u"xw2"_s),
        label(8700, 10230, u"的行为，"_s, 1005),
        under(0, 10515, 8700),
        label(0, 10635, u"违反了"_s, 780),
        field(750, 10620, 8820, u"wfgd1"_s),
        under(750, 10890, 8820),
        field(0, 10980, 8655, u"wfgd2"_s),
        label(8670, 11025, u"的规定，"_s, 1110),
        under(0, 11280, 8670),
        label(0, 11400, u"现依据"_s, 765),
        field(720, 11385, 8865, u"yj1"_s),
        under(720, 11655, 8865),
        field(0, 11745, 8640, u"yj2"_s),
        label(8655, 11745, u"的规定，"_s, 1110),
        under(0, 12045, 8655),
        label(0, 12150, u"责令你单位于"_s, 1485),
        field(1470, 12105, 525, u"gz_n"_s),
        label(2040, 12150, u"年   月   日"_s, 1890),
        field(2325, 12105, 330, u"gz_y"_s),
        field(2955, 12105, 285, u"gz_r"_s),
        label(3255, 12150, u"     时   分前改正上述行为。"_s, 3570),
        field(3540, 12105, 330, u"gz_s"_s),
        field(4170, 12120, 285, u"gz_f"_s),
        under(1440, 12420, 555),
        under(2880, 12420, 360),
        under(3465, 12420, 360),
        under(4110, 12420, 360),
        under(2280, 12405, 360),
        field(5190, 13110, 3795, u"jg"_s).centred(),
        field(6045, 13620, 525, u"nian"_s),
        label(6630, 13650, u"年   月   日"_s, 1890),
        field(6900, 13620, 330, u"yue"_s),
        field(7530, 13605, 285, u"ri"_s),
        bar(0, 14235, rule, 10),
        label(6060, 14340, u"中华人民共和国卫生部制定"_s, 3210),
    };
    return r;
}

DocumentDescription make()
{
    DocumentDescription d;
    d.document = documentAt(21);
    BoxSpec gznr = dataBox(u"gznr"_s, 6375);
    gznr.height = 230;
    d.boxes = {
        // The stub (存根).
        dataBox(u"zi12"_s, 200),               // 0 number: category mark
        centred(dataBox(u"nd1"_s, 400)),       // 1 number: year
        centred(dataBox(u"hao1"_s, 375)),      // 2 number: serial
        dataBox(u"dsr"_s, 6375),               // 3
        dataBox(u"wfxw1"_s, 6375),             // 4 violation, 2 lines
        dataBox(u"wfxw2"_s, 7215),             // 5
        gznr,                                  // 6
        dataBox(u"gzqx_n"_s, 495, 4),          // 7 deadline: year
        dataBox(u"gzqx_y"_s, 195, 2),          // 8 month
        dataBox(u"gzqx_r"_s, 195, 2),          // 9 day
        dataBox(u"gzqx_s"_s, 195, 2),          // 10 hour
        dataBox(u"gzqx_f"_s, 195, 2),          // 11 minute
        handBox(u"qm"_s, 6015),                // 12 officers' signature
        dataBox(u"qm_n"_s, 495, 4),            // 13
        dataBox(u"qm_y"_s, 195, 2),            // 14
        dataBox(u"qm_r"_s, 195, 2),            // 15
        // The notice, below the seam.
        dataBox(u"zi2"_s, 200),                // 16 number: category mark
        centred(dataBox(u"nd2"_s, 400)),       // 17 number: year
        centred(dataBox(u"hao2"_s, 375)),      // 18 number: serial
        named(dataBox(u"dw"_s, 3135), u"当事人"_s), // 19 addressee
        dataBox(u"jc_n"_s, 495, 4),            // 20 date of the act found
        // Month and day stay inside their runs of three blanks: a box is
        // opaque and would hide the strokes of 月 beside it.
        dataBox(u"jc_y"_s, 210, 4),            // 21
        dataBox(u"jc_r"_s, 255, 4),            // 22
        dataBox(u"xw1"_s, 2895),               // 23 the act, 2 lines
        dataBox(u"xw2"_s, 6315),               // 24
        dataBox(u"wfgd1"_s, 6495),             // 25
        dataBox(u"wfgd2"_s, 6315),             // 26
        dataBox(u"yj1"_s, 6495),               // 27
        dataBox(u"yj2"_s, 6315),               // 28
        dataBox(u"gz_n"_s, 375),               // 29 deadline: year
        dataBox(u"gz_y"_s, 225),               // 30 month
        dataBox(u"gz_r"_s, 220),               // 31 day
        dataBox(u"gz_s"_s, 230),               // 32 hour
        dataBox(u"gz_f"_s, 230),               // 33 minute
        authorityBox(u"jg"_s, 2775),           // 34
        dataBox(u"nian"_s, 495, 4),            // 35
        dataBox(u"yue"_s, 195, 2),             // 36
        dataBox(u"ri"_s, 195, 2),              // 37
    };
    d.groups = {{4, 5}, {23, 24}, {25, 26}, {27, 28}};

    WindowDesign &w = d.window;
    w.width = 8085;
    w.height = 8280;
    w.deleteBoxLeft = 7080;
    const QString number = u"Vesk卫(   )改字[     ]年第(     )号"_s;
    w.rows = {
        {0, RowAlign::Left, {text(u"卫  生  行  政  执  法  处  罚  文  书"_s, 1800, 12)}},
        {360, RowAlign::Left, {text(u"责令改正通知书存根"_s, 2280, 18, true)}},
        {840, RowAlign::Left, {text(number, numberLineLeft(4560, 9)), box(0, 5070), box(1, 5880), box(2, 6885)}},
        {1080, RowAlign::Left, {text(u"当 事 人："_s, textLeft), box(3, 1320)}},
        {1440, RowAlign::Left, {text(u"违法行为："_s, textLeft), box(4, 1320)}},
        {1800, RowAlign::Left, {box(5, textLeft)}},
        {2160, RowAlign::Left, {text(u"改正内容："_s, textLeft), box(6, 1320)}},
        {2520, RowAlign::Left,
         {text(u"改正期限："_s, textLeft), box(7, 1440), text(u"年    月    日"_s, 1920), box(8, 2160), box(9, 2760),
          text(u"      时    分"_s, 3000), box(10, 3240), box(11, 3840)}},
        {2880, RowAlign::Left, {text(u"执法人员签名："_s, textLeft), box(12, 1680)}},
        {3240, RowAlign::Left, {box(13, 1800), text(u"年    月    日"_s, 2280), box(14, 2520), box(15, 3120)}},
        {3480, RowAlign::Left, {text(u"请盖骑缝章"_s + seam, textLeft)}},
        {3720, RowAlign::Left, {text(u"责令改正通知书"_s, 2880, 18, true)}},
        {4200, RowAlign::Left,
         {text(number, numberLineLeft(4560, 9)), box(16, 5070), box(17, 5880), box(18, 6885)}},
        {4320, RowAlign::Left, {box(19, 600)}},
        {4680, RowAlign::Left,
         {text(u"经查，你（单位）于      年   月   日从事的"_s, 960), box(20, 2640), box(21, 3360), box(22, 3750),
          box(23, 4800)}},
        {5040, RowAlign::Left, {box(24, 600), text(u"的行为，"_s, 6960)}},
        {5400, RowAlign::Left, {text(u"违反了"_s, 600), box(25, 1200)}},
        {5760, RowAlign::Left, {box(26, 600), text(u"的规定，"_s, 6960)}},
        {6120, RowAlign::Left, {text(u"现依据"_s, 600), box(27, 1200)}},
        {6480, RowAlign::Left, {box(28, 600), text(u"的规定，"_s, 6960)}},
        {6840, RowAlign::Left,
         {text(u"责令你（单位）于      年    月    日    时   分前改正上述行为。"_s, 600), box(29, 2160),
          box(30, 2820), box(31, 3360), box(32, 3915), box(33, 4440)}},
        {7320, RowAlign::Left, {box(34, 4800)}},
        {7560, RowAlign::Left, {box(35, 5400), text(u"年    月    日"_s, 5880), box(36, 6120), box(37, 6720)}},
        {8040, RowAlign::Left, {text(u"中华人民共和国卫生部制定"_s, 5280)}},
    };
    // Underlines 240 twips below the top of their row.
    w.lines = {
        hline(textLeft, textRight, 360),
        underBox(1320, 1080),
        underBox(1320, 1440),
        underBox(textLeft, 1800),
        underBox(1320, 2160),
        underBox(1440, 2520, 1920),
        underBox(2160, 2520, 2400),
        underBox(2640, 2520, 3000),
        underBox(3240, 2520, 3480),
        underBox(3720, 2520, 4080),
        underBox(1680, 2880),
        underBox(1800, 3240, 2280),
        underBox(2520, 3240, 2760),
        underBox(3000, 3240, 3360),
        underBox(600, 4320, 3600),
        underBox(2520, 4680, 3000),
        underBox(3240, 4680, 3480),
        underBox(3720, 4680, 3960),
        underBox(4800, 4680),
        underBox(600, 5040, 6960),
        underBox(1200, 5400),
        underBox(600, 5760, 6960),
        underBox(1200, 6120),
        underBox(600, 6480, 6960),
        underBox(2160, 6840, 2520),
        underBox(2760, 6840, 3120),
        underBox(3240, 6840, 3600),
        underBox(3840, 6840, 4200),
        underBox(4320, 6840, 4680),
        underBox(5400, 7560, 5880),
        underBox(6120, 7560, 6360),
        underBox(6600, 7560, 6960),
        hline(600, textRight, 7920),
    };
    d.report = printedForm();
    return d;
}

} // namespace

const DocumentDescription &zlgzDescription()
{
    static const DocumentDescription d = make();
    return d;
}

} // namespace kelm
