#include "cases/documents/investigation/spb.h"

#include "cases/engine/description.h"

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

constexpr int textLeft = 480;
// The bold proposed penalty reaches a little further than the other lines.
constexpr int textRight = 6735;
constexpr int indented = 840;
constexpr int afterLabel = 1320;

// rep_spb: the title once in the report header, no header line and no
// footer; the body in 宋体 12 pt, every printed column but the dates on an
// underline. The officer's and the approver's signatures and the approval
// opinion are written by hand: their labels print, their columns do not.
report::ReportLayout printedForm()
{
    using namespace report;
    constexpr int rule = 9615;
    ReportLayout r = documentReport(documentAt(5));
    r.reportHeader.height = 1320;
    r.reportHeader.items = {
        label(2850, 600, u"卫生行政处罚审批表"_s, 3960).size(21.75).bolded(),
    };
    r.detail.height = 10320;
    r.detail.items = {
        bar(0, 120, rule),
        label(0, 360, u"案    由："_s, 1200),
        field(1200, 360, 8460, u"ay"_s),
        line(1200, 645, 9660, 645),
        label(0, 780, u"案件来源："_s, 1200),
        field(1200, 780, 8460, u"ajly"_s),
        line(1200, 1065, 9660, 1065),
        label(0, 1200, u"被处罚单位："_s, 1440),
        field(1440, 1200, 8220, u"cfdw"_s),
        line(1440, 1485, 9660, 1485),
        label(0, 1620, u"地    址："_s, 1200),
        field(1200, 1620, 8460, u"dz"_s),
        line(1200, 1905, 9660, 1905),
        label(0, 2040, u"经济性质："_s, 1200),
        field(1200, 2040, 2760, u"jjxz"_s),
        line(1200, 2325, 3960, 2325),
        label(4320, 2040, u"法人代表/负责人："_s, 2040),
        field(6360, 2040, 3300, u"fzr"_s),
        line(6360, 2325, 9660, 2325),
        bar(0, 2520, rule),
        label(0, 2700, u"主要违法事实："_s).bolded(),
        field(480, 3120, 9180, u"wfxw1"_s),
        line(480, 3405, 9660, 3405),
        field(0, 3480, 9660, u"wfxw4"_s),
        line(0, 3765, 9660, 3765),
        field(0, 3840, 9660, u"wfxw5"_s),
        line(0, 4125, 9660, 4125),
        field(0, 4200, 9660, u"wfxw6"_s),
        line(0, 4485, 9660, 4485),
        label(0, 4620, u"   上述事实违反了"_s, 2040),
        field(2040, 4620, 7620, u"wfgd1"_s),
        line(2040, 4905, 9660, 4905),
        field(0, 5040, 7260, u"wfgd2"_s),
        line(0, 5325, 7260, 5325),
        label(7260, 5040, u"的规定，"_s, 960),
        label(0, 5460, u"   依据"_s, 840),
        field(840, 5460, 8820, u"yjgd1"_s),
        line(840, 5745, 9660, 5745),
        field(0, 5880, 7380, u"yjgd2"_s),
        line(0, 6165, 7380, 6165),
        label(7380, 5880, u"的规定，"_s, 960),
        label(0, 6300, u"拟给予以下行政处罚："_s, 2400),
        field(480, 6720, 9180, u"xzcf1"_s).bolded(),
        line(480, 7005, 9660, 7005),
        field(0, 7080, 9660, u"xzcf2"_s).bolded(),
        line(0, 7365, 9660, 7365),
        label(0, 7680, u"承办人签字："_s, 1440),
        field(7695, 7680, 525, u"cssj_y"_s),
        label(8220, 7680, u"年  月  日"_s, 1200),
        field(8460, 7680, 240, u"cssj_m"_s),
        field(8940, 7680, 240, u"cssj_d"_s),
        bar(0, 8160, rule),
        label(0, 8400, u"审批意见："_s).bolded(),
        label(0, 9600, u"负责人签字："_s, 1440),
        field(7695, 9600, 525, u"pbsj_y"_s),
        label(8220, 9600, u"年  月  日"_s, 1200),
        field(8460, 9600, 240, u"pbsj_m"_s),
        field(8940, 9600, 240, u"pbsj_d"_s),
        bar(0, 10080, rule),
    };
    return r;
}

DocumentDescription make()
{
    DocumentDescription d;
    d.document = documentAt(5);
    d.boxes = {
        dataBox(u"ay"_s, 5295),          // 0
        dataBox(u"ajly"_s, 5295),        // 1
        dataBox(u"cfdw"_s, 5175),        // 2
        dataBox(u"dz"_s, 5295),          // 3
        dataBox(u"jjxz"_s, 1815),        // 4
        dataBox(u"fzr"_s, 1815),         // 5
        dataBox(u"wfxw1"_s, 5775),       // 6
        dataBox(u"wfxw4"_s, 6135),       // 7
        dataBox(u"wfxw5"_s, 6135),       // 8
        dataBox(u"wfxw6"_s, 6135),       // 9
        dataBox(u"wfgd1"_s, 4575),       // 10
        dataBox(u"wfgd2"_s, 5415),       // 11
        dataBox(u"yjgd1"_s, 5415),       // 12
        dataBox(u"yjgd2"_s, 5535),       // 13
        bolded(dataBox(u"xzcf1"_s, 5895)),     // 14
        bolded(dataBox(u"xzcf2"_s, 6255)),     // 15
        handBox(u"cbr"_s, 2775),         // 16
        dataBox(u"cssj_y"_s, 375),       // 17
        dataBox(u"cssj_m"_s, 200),       // 18
        dataBox(u"cssj_d"_s, 200),       // 19
        handBox(u"spyj1"_s, 6135),       // 20
        handBox(u"fzrqm"_s, 1815),       // 21
        dataBox(u"pbsj_y"_s, 375),       // 22
        dataBox(u"pbsj_m"_s, 200),       // 23
        dataBox(u"pbsj_d"_s, 200),       // 24
    };
    d.groups = {{6, 9}, {10, 11}, {12, 13}, {14, 15}};

    WindowDesign &w = d.window;
    w.width = 7215;
    w.height = 8400;
    w.deleteBoxLeft = 6240;
    w.underlineBoxes = true;
    w.rows = {
        {240, RowAlign::Left, {text(u"卫生行政处罚审批表"_s, 1980, 18, true)}},
        {840, RowAlign::Left, {text(u"案    由："_s, textLeft), box(0, afterLabel)}},
        {1200, RowAlign::Left, {text(u"案件来源："_s, textLeft), box(1, afterLabel)}},
        {1560, RowAlign::Left, {text(u"被处罚单位："_s, textLeft), box(2, 1500)}},
        {1920, RowAlign::Left, {text(u"地    址："_s, textLeft), box(3, afterLabel)}},
        {2280, RowAlign::Left,
         {text(u"经济性质："_s, textLeft), box(4, afterLabel), text(u"法人代表/负责人："_s, 3270), box(5, 4800)}},
        {2760, RowAlign::Left, {text(u"主要违法事实："_s, textLeft, 9, true)}},
        {3000, RowAlign::Left, {box(6, indented)}},
        {3360, RowAlign::Left, {box(7, textLeft)}},
        {3720, RowAlign::Left, {box(8, textLeft)}},
        {4080, RowAlign::Left, {box(9, textLeft)}},
        {4440, RowAlign::Left, {text(u"上述事实违反了"_s, indented), box(10, 2100)}},
        {4800, RowAlign::Left, {box(11, textLeft), text(u"之规定，"_s, 5895)}},
        {5160, RowAlign::Left, {text(u"依据"_s, indented), box(12, 1200)}},
        {5520, RowAlign::Left, {box(13, textLeft), text(u"之规定，"_s, 6015)}},
        {5880, RowAlign::Left, {text(u"拟给予以下行政处罚："_s, textLeft)}},
        {6120, RowAlign::Left, {box(14, indented)}},
        {6480, RowAlign::Left, {box(15, textLeft)}},
        {6840, RowAlign::Left,
         {text(u"承办人："_s, textLeft), box(16, 1140), box(17, 5145), text(u"年   月   日"_s, 5535), box(18, 5750),
          box(19, 6200)}},
        {7320, RowAlign::Left, {text(u"审批意见："_s, textLeft, 9, true)}},
        {7560, RowAlign::Left, {box(20, textLeft)}},
        {7920, RowAlign::Left,
         {text(u"负责人签字："_s, textLeft), box(21, 1500), box(22, 5145), text(u"年   月   日     "_s, 5535),
          box(23, 5750), box(24, 6200)}},
    };
    w.lines = {
        hline(textLeft, textRight, 720),
        hline(textLeft, textRight, 2640),
        hline(textLeft, textRight, 7200),
        hline(textLeft, textRight, 8280),
    };
    d.report = printedForm();
    return d;
}

} // namespace

const DocumentDescription &spbDescription()
{
    static const DocumentDescription d = make();
    return d;
}

} // namespace kelm
