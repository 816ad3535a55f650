#include "cases/documents/filing/labg.h"

#include "cases/engine/description.h"

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

// Boxes stand on an underline 240 twips below their top.
constexpr int underlineDrop = 240;
constexpr int textRight = 7680;

Segment under(int left, int boxTop, int right = textRight) { return hline(left, right, boxTop + underlineDrop); }

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
        dataBox(u"cbr1"_s, 3975),        // 16
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
        under(1320, 1080),
        under(1320, 1560, 4200),
        under(5160, 1560),
        under(1320, 1920, 4200),
        under(5160, 1920),
        under(840, 2520),
        under(480, 2880),
        under(480, 3240),
        under(480, 3600),
        under(3480, 3960),
        under(480, 4320, 6840),
        under(4920, 4920),
        under(480, 5640),
        hline(1440, 1800, 6240),
        hline(2040, 2280, 6240),
        hline(2400, 2640, 6240),
        under(3720, 6000),
        under(480, 6360, 3120),
        under(5640, 6960),
        hline(5400, 5880, 7680),
        hline(6120, 6360, 7680),
        hline(6600, 6960, 7680),
    };
    return d;
}

} // namespace

const DocumentDescription &labgDescription()
{
    static const DocumentDescription d = make();
    return d;
}

} // namespace kelm
