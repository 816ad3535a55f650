#include "cases/documents/filing/labg.h"

#include "cases/engine/description.h"

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

constexpr int textRight = 7680;

// rep_labg: the body in 宋体 12 pt. The signatures and the approval opinion
// are written by hand: their labels print, their columns do not.
report::ReportLayout printedForm()
{
    using namespace report;
    constexpr int rule = 9615;
    ReportLayout r = documentReport(documentAt(2));
    r.reportHeader.height = 3135;
    r.reportHeader.items = {
        label(1710, 1095, u"卫  生  行  政  执  法  处  罚  文  书"_s, 6390).size(15.75),
        bar(0, 1470, rule),
        label(3075, 2025, u"立  案  报  告"_s, 3315).size(21.75).bolded(),
    };
    r.detail.height = 11460;
    r.detail.items = {
        label(0, 165, u"当 事 人："_s, 1350),
        field(1155, 165, 8610, u"dsr"_s),
        bar(0, 690, rule),
        label(0, 930, u"案件来源："_s, 1335),
        field(1155, 945, 3855, u"ajly"_s),
        label(5100, 930, u"受理时间："_s, 1395),
        field(6210, 945, 3465, u"slsj"_s).centred(),
        label(0, 1380, u"发案时间："_s, 1365),
        field(1140, 1395, 3885, u"fadd"_s),
        label(5100, 1380, u"发案地点："_s, 1290),
        field(6225, 1395, 3465, u"fasj"_s).centred(),
        label(0, 2070, u"案情摘要："_s).bolded(),
        field(480, 2400, 9195, u"aqzy1"_s),
        field(0, 2760, 9660, u"aqzy2"_s),
        field(0, 3120, 9660, u"aqzy3"_s),
        field(0, 3495, 9660, u"aqzy4"_s),
        label(510, 4260, u"经初步审查，当事人的行为违反了"_s, 3765),
        field(4080, 4260, 5580, u"wfxw1"_s),
        line(4050, 4560, 9660, 4560),
        field(0, 4740, 8670, u"wfxw2"_s),
        line(0, 5025, 8670, 5025),
        label(8700, 4725, u"的规定，"_s),
        label(0, 5160, u"依法应当给予行政处罚，建议予以立案。"_s),
        label(5715, 6375, u"经办人签名："_s),
        bar(0, 6840, rule),
        label(0, 7050, u"负责人审批意见："_s).bolded(),
        label(525, 8070, u"本案自    年  月  日起立案，由"_s, 3660),
        field(1230, 8085, 525, u"lasj_y"_s),
        field(1965, 8085, 285, u"lasj_m"_s),
        field(2430, 8085, 285, u"lasj_d"_s),
        line(1230, 8370, 1740, 8370),
        line(1935, 8370, 2220, 8370),
        line(2415, 8370, 2760, 8370),
        field(4185, 8085, 5475, u"cbr1"_s),
        line(4140, 8385, 9690, 8385),
        field(0, 8535, 3600, u"cbr2"_s),
        line(0, 8835, 3540, 8835),
        label(3600, 8535, u"承办。"_s),
        field(0, 9555, 3795, u"pbjg"_s).centred(),
        label(5700, 9555, u"负责人签名："_s),
        field(6240, 10335, 525, u"pbsj_y"_s),
        label(6810, 10320, u"年   月   日"_s, 1890),
        field(7095, 10335, 330, u"pbsj_m"_s),
        field(7725, 10335, 285, u"pbsj_d"_s),
        bar(0, 10800, rule),
        label(4920, 10920, u"中华人民共和国卫生部制定"_s, 3210),
    };
    return r;
}

DocumentDescription make()
{
    DocumentDescription d;
    d.document = documentAt(2);

    BoxSpec ajly = dataBox(u"ajly"_s, 2895);
    ajly.height = 230;
    d.boxes = {
        dataBox(u"dsr"_s, 6375),         // 0
        ajly,                            // 1
        dataBox(u"slsj"_s, 2535),        // 2
        dataBox(u"fadd"_s, 2895),        // 3 after 发案时间：
        dataBox(u"fasj"_s, 2535),        // 4 after 发案地点：
        dataBox(u"aqzy1"_s, 6855),       // 5
        dataBox(u"aqzy2"_s, 7215),       // 6
        dataBox(u"aqzy3"_s, 7215),       // 7
        dataBox(u"aqzy4"_s, 7215),       // 8
        dataBox(u"wfxw1"_s, 4215),       // 9
        dataBox(u"wfxw2"_s, 6375),       // 10
        handBox(u"jbr"_s, 2775),         // 11
        handBox(u"spyj"_s, 7215),        // 12
        dataBox(u"lasj_y"_s, 375),       // 13
        dataBox(u"lasj_m"_s, 225),       // 14
        dataBox(u"lasj_d"_s, 220),       // 15
        named(dataBox(u"cbr1"_s, 3975), u"承办人"_s), // 16
        dataBox(u"cbr2"_s, 2775),        // 17
        handBox(u"fzr"_s, 2055),         // 18
        authorityBox(u"pbjg"_s, 2775),   // 19
        dataBox(u"pbsj_y"_s, 495, 4),    // 20
        dataBox(u"pbsj_m"_s, 195, 2),    // 21
        dataBox(u"pbsj_d"_s, 195, 2),    // 22
    };
    d.groups = {{5, 8}, {9, 10}, {16, 17}};

    WindowDesign &w = d.window;
    w.width = 8175;
    w.height = 8250;
    w.deleteBoxLeft = 7200;
    w.rows = {
        {120, RowAlign::Left, {text(u"卫  生  行  政  执  法  处  罚  文  书"_s, 1800, 12)}},
        {600, RowAlign::Left, {text(u"立  案  报  告"_s, 2760, 18, true)}},
        {1080, RowAlign::Left, {text(u"当 事 人："_s, 480), box(0, 1320)}},
        {1560, RowAlign::Left,
         {text(u"案件来源："_s, 480), box(1, 1320), text(u"受理时间："_s, 4320), box(2, 5160)}},
        {1920, RowAlign::Left,
         {text(u"发案时间："_s, 480), box(3, 1320), text(u"发案地点："_s, 4320), box(4, 5160)}},
        {2280, RowAlign::Left, {text(u"案情摘要："_s, 480)}},
        {2520, RowAlign::Left, {box(5, 840)}},
        {2880, RowAlign::Left, {box(6, 480)}},
        {3240, RowAlign::Left, {box(7, 480)}},
        {3600, RowAlign::Left, {box(8, 480)}},
        {3960, RowAlign::Left, {text(u"    经初步审查，当事人的行为违反了"_s, 480), box(9, 3540)}},
        {4320, RowAlign::Left, {box(10, 480), text(u"的规定，"_s, 6960)}},
        {4680, RowAlign::Left, {text(u"依法应当给予行政处罚，建议予以立案。"_s, 480)}},
        {4920, RowAlign::Left, {text(u"经办人签名："_s, 3840), box(11, 4920)}},
        {5400, RowAlign::Left, {text(u"负责人审批意见："_s, 480)}},
        {5640, RowAlign::Left, {box(12, 480)}},
        {6000, RowAlign::Left,
         {text(u"本案自     年   月  日起立案，由        "_s, 840), box(13, 1455), box(14, 2040), box(15, 2445),
          box(16, 3720)}},
        {6360, RowAlign::Left, {box(17, 480), text(u"承办。"_s, 3240)}},
        {6960, RowAlign::Left, {box(19, 480), text(u"负责人签名："_s, 4560), box(18, 5640)}},
        {7440, RowAlign::Left,
         {box(20, 5400), text(u"年    月    日"_s, 5880), box(21, 6120), box(22, 6720)}},
        {7920, RowAlign::Left, {text(u"中华人民共和国卫生部制定"_s, 5400)}},
    };
    w.lines = {
        hline(480, textRight, 480),
        hline(480, textRight, 1440),
        hline(480, textRight, 5280),
        hline(480, textRight, 7800),
        underBox(1320, 1080),
        underBox(1320, 1560, 4200),
        underBox(5160, 1560),
        underBox(1320, 1920, 4200),
        underBox(5160, 1920),
        underBox(840, 2520),
        underBox(480, 2880),
        underBox(480, 3240),
        underBox(480, 3600),
        underBox(3480, 3960),
        underBox(480, 4320, 6840),
        underBox(4920, 4920),
        underBox(480, 5640),
        hline(1440, 1800, 6240),
        hline(2040, 2280, 6240),
        hline(2400, 2640, 6240),
        underBox(3720, 6000),
        underBox(480, 6360, 3120),
        underBox(5640, 6960),
        hline(5400, 5880, 7680),
        hline(6120, 6360, 7680),
        hline(6600, 6960, 7680),
    };
    d.report = printedForm();
    return d;
}

} // namespace

const DocumentDescription &labgDescription()
{
    static const DocumentDescription d = make();
    return d;
}

} // namespace kelm
