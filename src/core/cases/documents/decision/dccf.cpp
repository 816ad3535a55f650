#include "cases/documents/decision/dccf.h"

#include "cases/engine/description.h"

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

constexpr int textLeft = 480;
constexpr int textRight = 7680;

report::Item dots(int left, int top, int width)
{
    return report::line(left, top, left + width, top).dotted();
}

// rep_dccf: header and title in the page header, the body in 宋体 12 pt
// over dotted underlines. The officers sign by hand: their label prints,
// zfry does not. The first line of the correction sentence is wider than
// its box and runs to 9975 twips, so this form has narrower margins than
// the others and keeps it on the printable area.
report::ReportLayout printedForm()
{
    using namespace report;
    ReportLayout r = documentReport(documentAt(19));
    r.page.leftMargin = 960;
    r.page.rightMargin = 960;
    r.pageHeader.height = 3150;
    r.pageHeader.items = {
        label(1725, 1035, u"卫  生  行  政  执  法  处  罚  文  书"_s, 6480).size(15.75),
        bar(0, 1455, 9600, 10),
        label(2760, 1950, u"当场行政处罚决定书"_s, 4140).size(21.75).bolded(),
    };
    r.detail.height = 11460;
    r.detail.items = {
        label(numberLineLeft(5580, 12), 75, u"  Vesk卫(  )罚字[    ]第(     )号"_s, 3780),
        field(6420, 90, 300, u"lb"_s),
        field(7410, 60, 480, u"nd"_s),
        field(8355, 60, 615, u"hao"_s),
        label(15, 480, u"被处罚人："_s, 1245),
        field(1215, 480, 4815, u"bcfr"_s),
        dots(1185, 765, 4815),
        label(495, 900, u"我局于      年     月     日对你(单位)"_s, 4635),
        field(1320, 885, 525, u"jc_n"_s),
        field(2370, 900, 285, u"jc_y"_s),
        field(3165, 900, 285, u"jc_r"_s),
        field(5100, 900, 4530, u"jc1"_s),
        dots(1200, 1170, 735),
        dots(2040, 1155, 705),
        dots(3000, 1155, 630),
        dots(5100, 1185, 4560),
        field(0, 1245, 7440, u"jc2"_s),
        label(7425, 1260, u"进行现场检查，发现"_s, 2220),
        dots(0, 1530, 7470),
        label(0, 1605, u"有下列违法行为："_s, 2685),
        field(480, 1905, 9135, u"wfxw1"_s),
        dots(480, 2190, 9135),
        field(0, 2250, 9615, u"wfxw2"_s),
        dots(0, 2535, 9600),
        field(0, 2595, 9615, u"wfxw3"_s),
        dots(0, 2880, 9600),
        field(0, 2940, 9615, u"wfxw4"_s),
        dots(0, 3225, 9600),
        label(435, 3315, u"以上行为有"_s, 1290),
        field(1680, 3315, 7140, u"zj"_s),
        label(8820, 3315, u"为证。"_s, 1065),
        dots(1710, 3600, 7155),
        label(405, 3735, u"上述行为已违反了"_s, 1965),
        field(2340, 3720, 7275, u"wfgd1"_s),
        dots(2355, 4005, 7245),
        field(0, 4080, 8640, u"wfgd2"_s),
        label(8640, 4080, u"的规定，"_s, 1155),
        dots(15, 4350, 8610),
        label(0, 4485, u"依据"_s, 570),
        field(525, 4470, 9105, u"yj1"_s),
        dots(525, 4740, 9105),
        field(0, 4830, 8685, u"yj2"_s),
        label(8700, 4830, u"的规定，"_s, 1110),
        dots(0, 5130, 8700),
        label(0, 5220, u"予以         元人民币罚款的行政处罚。"_s, 5550),
        field(495, 5205, 1065, u"fk"_s),
        dots(495, 5490, 1065),
        label(495, 5655, u"罚款于    月    日前缴至"_s, 3045),
        field(1350, 5655, 285, u"jk_y"_s),
        field(2070, 5655, 300, u"jk_r"_s),
        field(3420, 5655, 6180, u"jkdw"_s),
        dots(1155, 5955, 510),
        dots(1890, 5955, 495),
        dots(3390, 5970, 6195),
        label(0, 6045, u"地址："_s, 840),
        field(690, 6045, 8910, u"jkdz"_s),
        dots(570, 6330, 9045),
        label(495, 6435, u"逾期不缴纳罚款的，每日按罚款数额的3%加处罚款。"_s, 5640),
        label(495, 6750, u"同时依据《中华人民共和国行政处罚法》第二十三条规定，责令改正(或责令自收到本处罚"_s, 9135),
        label(0, 7095, u"决定书之日起     日内改正)上述违法行为。"_s, 6870),
        field(1590, 7095, 360, u"gzqx"_s),
        dots(1455, 7380, 570),
        label(510, 7425, u"如不服本处罚决定，可自收到本处罚决定书之日起    日内向"_s, 6570),
        field(5895, 7410, 300, u"fyqx"_s),
        field(7065, 7395, 2490, u"fyj1"_s),
        dots(5820, 7695, 420),
        dots(7050, 7695, 2535),
        field(0, 7770, 1935, u"fyj2"_s),
        label(1965, 7785, u"卫生局或"_s, 1005),
        field(2955, 7785, 4620, u"fyzf"_s),
        label(7545, 7770, u"人民政府申请复议，"_s, 2220),
        dots(0, 8070, 1905),
        dots(2955, 8085, 4575),
        label(0, 8160, u"或者    日内向"_s, 1770),
        field(600, 8145, 300, u"qsqx"_s),
        field(1740, 8160, 3315, u"fy"_s),
        label(5085, 8160, u"人民法院起诉,但不得停止执行本处罚决定。"_s, 4845),
        dots(510, 8460, 435),
        dots(1800, 8460, 3270),
        label(0, 8520, u"逾期不申请行政复议或者不向人民法院起诉又不履行处罚决定的，本局将依法申请人民法院"_s, 9705),
        label(0, 8925, u"强制执行。"_s, 6075),
        field(0, 9675, 2925, u"dw"_s).centred(),
        label(6270, 9735, u"执法人员签名："_s, 1755),
        field(6840, 10380, 615, u"nian"_s),
        label(7395, 10365, u"年   月   日"_s, 1545),
        field(7665, 10365, 315, u"yue"_s),
        field(8280, 10350, 315, u"ri"_s),
        bar(0, 10950, 9600),
        label(4710, 11025, u"中华人民共和国卫生部制定"_s, 2970),
    };
    return r;
}

DocumentDescription make()
{
    DocumentDescription d;
    d.document = documentAt(19);
    d.pointerReset = true;
    d.boxes = {
        dataBox(u"lb"_s, 200),                 // 0 number: category mark
        centred(dataBox(u"nd"_s, 400)),        // 1 number: year
        centred(dataBox(u"hao"_s, 375)),       // 2 number: serial
        dataBox(u"bcfr"_s, 3615),              // 3
        dataBox(u"jc_n"_s, 375),               // 4 inspection date
        dataBox(u"jc_y"_s, 255),               // 5
        dataBox(u"jc_r"_s, 200),               // 6
        dataBox(u"jc1"_s, 3375),               // 7 what was inspected, 2 lines
        dataBox(u"jc2"_s, 5415),               // 8
        dataBox(u"wfxw1"_s, 6855),             // 9 violations found, 4 lines
        dataBox(u"wfxw2"_s, 7215),             // 10
        dataBox(u"wfxw3"_s, 7215),             // 11
        dataBox(u"wfxw4"_s, 7215),             // 12
        dataBox(u"zj"_s, 5295),                // 13
        dataBox(u"wfgd1"_s, 5415),             // 14
        dataBox(u"wfgd2"_s, 6375),             // 15
        dataBox(u"yj1"_s, 6735),               // 16
        dataBox(u"yj2"_s, 6375),               // 17
        dataBox(u"fk"_s, 735),                 // 18 fine in yuan
        dataBox(u"jk_y"_s, 200),               // 19 payment deadline: month
        dataBox(u"jk_r"_s, 200),               // 20 and day
        dataBox(u"jkdw"_s, 4575),              // 21
        dataBox(u"jkdz"_s, 6735),              // 22
        dataBox(u"gzqx"_s, 200),               // 23
        dataBox(u"fyqx"_s, 255),               // 24
        dataBox(u"fyj1"_s, 1935),              // 25
        dataBox(u"fyj2"_s, 1455),              // 26
        dataBox(u"fyzf"_s, 3495),              // 27
        dataBox(u"qsqx"_s, 200),               // 28
        dataBox(u"fy"_s, 2415),                // 29
        authorityBox(u"dw"_s, 2175),           // 30
        handBox(u"zfry"_s, 1695),              // 31 officers' signature
        dataBox(u"nian"_s, 375),               // 32
        dataBox(u"yue"_s, 200),                // 33
        dataBox(u"ri"_s, 200),                 // 34
    };
    d.groups = {{7, 8}, {9, 12}, {14, 15}, {16, 17}, {25, 26}};

    WindowDesign &w = d.window;
    w.width = 8145;
    w.height = 8370;
    w.deleteBoxLeft = 7200;
    w.rows = {
        {0, RowAlign::Left, {text(u"卫  生  行  政  执  法  处  罚  文  书"_s, 1800, 12)}},
        {360, RowAlign::Left, {text(u"当场行政处罚决定书"_s, 2280, 18, true)}},
        {765, RowAlign::Left,
         {text(u"Vesk卫(   )罚字[     ]年第(     )号"_s, numberLineLeft(4440, 9)), box(0, 4950), box(1, 5760),
          box(2, 6765)}},
        {960, RowAlign::Left, {text(u"被处罚人："_s, textLeft), box(3, 1320)}},
        {1245, RowAlign::Left,
         {text(u"我局于       年    月   日对你（单位）"_s, 840), box(4, 1560), box(5, 2280), box(6, 2760),
          box(7, 4320)}},
        {1560, RowAlign::Left, {box(8, textLeft), text(u"进行现场检查，发现"_s, 6000)}},
        {1850, RowAlign::Left, {text(u"有下列违法行为："_s, textLeft)}},
        {2115, RowAlign::Left, {box(9, 840)}},
        {2400, RowAlign::Left, {box(10, textLeft)}},
        {2685, RowAlign::Left, {box(11, textLeft)}},
        {2970, RowAlign::Left, {box(12, textLeft)}},
        {3240, RowAlign::Left, {text(u"以上行为有"_s, 840), box(13, 1800), text(u"为证。"_s, 7080)}},
        {3495, RowAlign::Left, {text(u"上述行为已违反了"_s, 840), box(14, 2280)}},
        {3795, RowAlign::Left, {box(15, textLeft), text(u"的规定，"_s, 6960)}},
        {4080, RowAlign::Left, {text(u"现依据"_s, textLeft), box(16, 1080)}},
        {4320, RowAlign::Left, {box(17, textLeft, 4350), text(u"的规定，"_s, 6960)}},
        {4680, RowAlign::Left, {text(u"予以          元人民币罚款的行政处罚。"_s, textLeft), box(18, 960)}},
        {4965, RowAlign::Left,
         {text(u"罚款于    月    日前缴至"_s, 840), box(19, 1440), box(20, 2040), box(21, 3000)}},
        {5235, RowAlign::Left, {text(u"地址："_s, textLeft), box(22, 960)}},
        {5520, RowAlign::Left, {text(u"逾期不缴纳罚款的，每日按罚款数额的3%加处罚款。"_s, 840)}},
        {5760, RowAlign::Left,
         {text(u"同时依据《中华人民共和国行政处罚法》第二十三条规定，责令改正（或责令自收到本"_s, 840)}},
        {6000, RowAlign::Left, {text(u"处罚决定书之日起    日内改正）上述违法行为。"_s, textLeft), box(23, 2040)}},
        {6225, RowAlign::Left,
         {text(u"如不服本处罚决定，可自收到本处罚决定书之日起    日内向"_s, 840), box(24, 4920, 6230),
          box(25, 5760, 6230)}},
        {6435, RowAlign::Left,
         {box(26, textLeft), text(u"卫生局或"_s, 1920), box(27, 2640), text(u"人民政府申请复议，"_s, 6120)}},
        {6705, RowAlign::Left, {text(u"或者    日内向"_s, textLeft), box(28, 960, 6720), box(29, 1800, 6720)}},
        {6720, RowAlign::Left, {text(u"人民法院起诉，但不得停止执行本处罚决定。"_s, 4200)}},
        {6960, RowAlign::Left,
         {wrappedText(u"逾期不申请行政复议或者不向人民法院起诉又不履行处罚决定的，本机关将依法申请人民法院强制执行。"_s,
                      textLeft, 7215)}},
        {7440, RowAlign::Left, {box(30, textLeft), text(u"执法人员签名："_s, 4200), box(31, 5520)}},
        {7800, RowAlign::Left, {box(32, 5640), text(u"年   月   日"_s, 6000), box(33, 6240), box(34, 6675)}},
        {8160, RowAlign::Left, {text(u"中华人民共和国卫生部制定"_s, 5400)}},
    };
    w.lines = {
        hline(textLeft, textRight, 300),
        hline(1320, 4920, 1155),
        hline(1440, 2040, 1440),
        hline(2160, 2510, 1440),
        hline(2640, 2950, 1440),
        hline(4320, textRight, 1440),
        hline(textLeft, 6000, 1755),
        hline(840, textRight, 2325),
        hline(textLeft, textRight, 2610),
        hline(textLeft, textRight, 2895),
        hline(textLeft, textRight, 3165),
        hline(1800, 7080, 3435),
        {2280, 3705, textRight, 3720},
        hline(textLeft, 6960, 4005),
        hline(1080, textRight, 4275),
        hline(textLeft, 6960, 4560),
        hline(840, 1680, 4875),
        hline(1320, 1680, 5160),
        hline(1920, 2280, 5160),
        hline(3000, textRight, 5160),
        hline(960, textRight, 5445),
        hline(1920, 2280, 6195),
        hline(4800, 5160, 6405),
        hline(5760, textRight, 6405),
        hline(textLeft, 1920, 6615),
        hline(2640, 6120, 6615),
        hline(840, 1200, 6915),
        hline(1800, 4200, 6915),
        hline(5520, 7200, 7635),
        hline(5640, 6000, 7995),
        hline(6150, 6480, 7995),
        hline(6600, 6880, 7995),
        hline(textLeft, textRight, 8040),
    };
    d.report = printedForm();
    return d;
}

} // namespace

const DocumentDescription &dccfDescription()
{
    static const DocumentDescription d = make();
    return d;
}

} // namespace kelm
