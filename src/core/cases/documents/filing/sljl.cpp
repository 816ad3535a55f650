#include "cases/documents/filing/sljl.h"

#include "cases/engine/description.h"

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

constexpr int textLeft = 480;
constexpr int textRight = 7680;

// rep_sljl: the body in 宋体 12 pt, three rules and no underlines. The two
// signatures are written by hand: their labels print, their columns do not.
report::ReportLayout printedForm()
{
    using namespace report;
    constexpr int rule = 9645;
    ReportLayout r = documentReport(documentAt(1));
    r.reportHeader.height = 3135;
    r.reportHeader.items = {
        label(1860, 1095, u"卫  生  行  政  执  法  处  罚  文  书"_s, 6435).size(15),
        bar(0, 1470, rule),
        label(2865, 2085, u"案 件 受 理 记 录"_s, 4095).size(21.75).bolded(),
    };
    r.detail.height = 11460;
    r.detail.items = {
        label(0, 135, u"案件来源："_s, 1365),
        field(1215, 150, 8475, u"ajly"_s),
        // The label's box is one line of 1260 twips: only "受理时间：" shows,
        // and the free text of slsj follows it.
        label(0, 615, u"受理时间：    年  月  日"_s, 1260).cutAt(255),
        field(1230, 660, 8490, u"slsj"_s),
        label(0, 1110, u"案发单位(人)："_s, 1770),
        field(1695, 1110, 8010, u"afdw1"_s),
        field(15, 1470, 9675, u"afdw2"_s),
        label(0, 2070, u"内容："_s).bolded(),
        field(495, 2505, 9180, u"nr1"_s),
        field(0, 2880, 9690, u"nr2"_s),
        field(0, 3255, 9690, u"nr3"_s),
        field(0, 3660, 9690, u"nr4"_s),
        field(0, 4065, 9690, u"nr5"_s),
        label(0, 4530, u"处理意见："_s).bolded(),
        field(480, 4950, 9285, u"clyj1"_s),
        field(0, 5385, 9735, u"clyj2"_s),
        field(0, 5805, 9735, u"clyj3"_s),
        label(5505, 6975, u"经办人签名："_s),
        bar(0, 7590, rule),
        label(0, 7905, u"负责人意见："_s).bolded(),
        field(480, 8400, 9285, u"fzryj1"_s),
        field(0, 8835, 9735, u"fzryj2"_s),
        field(0, 9765, 4185, u"jgmc"_s).centred(),
        label(5460, 9795, u"负责人签名："_s),
        label(6495, 10350, u"     年  月  日  "_s, 2055),
        field(6570, 10350, 570, u"sj_y"_s),
        field(7350, 10350, 285, u"sj_m"_s),
        field(7815, 10350, 285, u"sj_d"_s),
        bar(0, 10845, rule),
        label(6195, 10980, u"中华人民共和国卫生部制定"_s, 3105),
    };
    r.reportFooter.height = 360;
    return r;
}

DocumentDescription make()
{
    DocumentDescription d;
    d.document = documentAt(1);
    d.boxes = {
        dataBox(u"ajly"_s, 6375),        // 0
        dataBox(u"slsj"_s, 6375),        // 1
        dataBox(u"afdw1"_s, 6015),       // 2
        dataBox(u"afdw2"_s, 7215),       // 3
        dataBox(u"nr1"_s, 6855),         // 4
        dataBox(u"nr2"_s, 7215),         // 5
        dataBox(u"nr3"_s, 7215),         // 6
        dataBox(u"nr4"_s, 7215),         // 7
        dataBox(u"nr5"_s, 7215),         // 8
        dataBox(u"clyj1"_s, 6855),       // 9
        dataBox(u"clyj2"_s, 7215),       // 10
        dataBox(u"clyj3"_s, 7215),       // 11
        handBox(u"jbr"_s, 2775),         // 12
        dataBox(u"fzryj1"_s, 6855),      // 13
        dataBox(u"fzryj2"_s, 7215),      // 14
        handBox(u"fzrqm"_s, 1815),       // 15
        authorityBox(u"jgmc"_s, 2775),   // 16
        dataBox(u"sj_y"_s, 375),         // 17
        dataBox(u"sj_m"_s, 200),         // 18
        dataBox(u"sj_d"_s, 200),         // 19
    };
    d.groups = {{2, 3}, {4, 8}, {9, 11}, {13, 14}};

    WindowDesign &w = d.window;
    w.width = 8145;
    w.height = 8280;
    w.deleteBoxLeft = 7200;
    w.rows = {
        {0, RowAlign::Left, {text(u"卫  生  行  政  执  法  处  罚  文  书"_s, 1920, 12)}},
        {480, RowAlign::Left, {text(u"案 件 受 理 记 录 "_s, 2640, 18, true)}},
        {960, RowAlign::Left, {text(u"案件来源："_s, textLeft), box(0, 1320)}},
        {1320, RowAlign::Left, {text(u"受理时间："_s, textLeft), box(1, 1320)}},
        {1680, RowAlign::Left, {text(u"案发单位(人)："_s, textLeft), box(2, 1680)}},
        {2040, RowAlign::Left, {box(3, textLeft)}},
        {2400, RowAlign::Left, {text(u"内容："_s, textLeft, 9, true)}},
        {2640, RowAlign::Left, {box(4, 840)}},
        {3000, RowAlign::Left, {box(5, textLeft)}},
        {3360, RowAlign::Left, {box(6, textLeft)}},
        {3720, RowAlign::Left, {box(7, textLeft)}},
        {4080, RowAlign::Left, {box(8, textLeft)}},
        {4440, RowAlign::Left, {text(u"处理意见："_s, textLeft, 9, true)}},
        {4680, RowAlign::Left, {box(9, 840)}},
        {5040, RowAlign::Left, {box(10, textLeft)}},
        {5400, RowAlign::Left, {box(11, textLeft)}},
        {5760, RowAlign::Left, {text(u"经办人签名："_s, 3840), box(12, 4920)}},
        {6240, RowAlign::Left, {text(u"负责人意见："_s, textLeft, 9, true)}},
        {6480, RowAlign::Left, {box(13, 840)}},
        {6840, RowAlign::Left, {box(14, textLeft)}},
        {7200, RowAlign::Left, {box(16, textLeft), text(u"负责人签名："_s, 4800), box(15, 5880)}},
        {7560, RowAlign::Left, {box(17, 5715), text(u"年   月   日"_s, 6120), box(18, 6360), box(19, 6840)}},
        {8040, RowAlign::Left, {text(u"中华人民共和国卫生部制定"_s, 5400)}},
    };
    w.lines = {
        hline(textLeft, textRight, 360),
        hline(textLeft, textRight, 6120),
        hline(textLeft, textRight, 7920),
        underBox(1320, 960),
        underBox(1320, 1320),
        underBox(1680, 1680),
        underBox(textLeft, 2040),
        underBox(840, 2640),
        underBox(textLeft, 3000),
        underBox(textLeft, 3360),
        underBox(textLeft, 3720),
        underBox(textLeft, 4080),
        underBox(840, 4680),
        underBox(textLeft, 5040),
        underBox(textLeft, 5400),
        underBox(4800, 5760),
        underBox(840, 6480),
        underBox(textLeft, 6840),
        underBox(5880, 7200),
        hline(5700, 6060, 7800),
        hline(6300, 6540, 7800),
        hline(6780, 7020, 7800),
    };
    d.report = printedForm();
    return d;
}

} // namespace

const DocumentDescription &sljlDescription()
{
    static const DocumentDescription d = make();
    return d;
}

} // namespace kelm
