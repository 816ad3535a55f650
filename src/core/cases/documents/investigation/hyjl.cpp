#include "cases/documents/investigation/hyjl.h"

#include "cases/engine/description.h"

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

constexpr int textLeft = 480;
constexpr int textRight = 7680;
constexpr int indented = 840;
constexpr int afterLabel = 1320;

// rep_hyjl: header line, page count blanks and title in the page header,
// the body in 宋体 12 pt. Only the provisions and the legal basis stand on
// underlines; the two signatures are written by hand and print blank.
report::ReportLayout printedForm()
{
    using namespace report;
    constexpr int rule = 9615;
    ReportLayout r = documentReport(documentAt(4));
    r.pageHeader.height = 2760;
    r.pageHeader.items = {
        label(1710, 1095, u"卫  生  行  政  执  法  处  罚  文  书"_s, 6390).size(15.75),
        bar(0, 1470, rule),
        label(7980, 1620, u"第   页共   页"_s, 1680),
        line(8220, 1875, 8580, 1875),
        line(9060, 1875, 9420, 1875),
        label(3090, 2025, u"  合  议  记  录"_s, 3540).size(21.75).bolded(),
    };
    r.detail.height = 11730;
    r.detail.items = {
        label(0, 165, u"案    由："_s, 1200),
        field(1200, 165, 8460, u"ay"_s),
        field(1200, 525, 8460, u"bzfdu"_s),
        label(0, 945, u"合议机关："_s, 1200),
        field(1200, 945, 8460, u"hyjg"_s),
        label(0, 1365, u"合议主持人："_s, 1440),
        field(1440, 1365, 8220, u"hyzcy"_s),
        label(0, 1785, u"参加合议人员："_s, 1680),
        field(1680, 1785, 7980, u"hyyy"_s),
        label(0, 2205, u"合议时间："_s, 1200),
        field(1200, 2205, 4200, u"hydd"_s),
        label(5460, 2205, u"合议地点："_s, 1200),
        field(6660, 2205, 3000, u"hysj"_s),
        label(0, 2730, u"违法事实："_s).bolded(),
        field(480, 3150, 9180, u"ufss1"_s),
        field(0, 3510, 9660, u"ufss2"_s),
        field(0, 3870, 9660, u"ufss3"_s),
        field(0, 4230, 9660, u"ufss4"_s),
        label(0, 4710, u"相关证据："_s).bolded(),
        field(480, 5130, 9180, u"xgzj1"_s),
        field(0, 5490, 9660, u"xgzj2"_s),
        label(0, 5970, u"处理依据："_s).bolded(),
        label(0, 6390, u"    违反了"_s, 1200),
        field(1200, 6390, 8460, u"clyj1"_s),
        line(1200, 6675, 9660, 6675),
        field(0, 6810, 8400, u"clyj2"_s),
        line(0, 7095, 8400, 7095),
        label(8400, 6810, u"之规定。"_s, 960),
        label(0, 7230, u"    依据"_s, 960),
        field(960, 7230, 8700, u"yj1"_s),
        line(960, 7515, 9660, 7515),
        field(0, 7650, 8400, u"yj2"_s),
        line(0, 7935, 8400, 7935),
        label(8400, 7650, u"之规定。"_s, 960),
        label(0, 8130, u"合议建议："_s).bolded(),
        field(480, 8550, 9180, u"hyjy1"_s),
        field(0, 8910, 9660, u"hyjy2"_s),
        label(0, 9450, u"合议人员签名："_s, 1680),
        label(0, 10050, u"记录人签名："_s, 1440),
        field(7320, 10710, 480, u"pbsj_y"_s),
        label(7560, 10710, u"  年   月    日"_s, 1800),
        field(8070, 10710, 330, u"pbsj_m"_s),
        field(8700, 10710, 360, u"pbsj_d"_s),
        bar(0, 11190, rule),
        label(6780, 11310, u"中华人民共和国卫生部制定"_s, 2880),
    };
    return r;
}

DocumentDescription make()
{
    DocumentDescription d;
    d.document = documentAt(4);
    // hyjly: bound like every box, but nothing shows, writes or prints it.
    BoxSpec hidden = dataBox(u"hyjly"_s, 1215);
    hidden.visible = false;
    hidden.save = BoxSave::Never;
    d.boxes = {
        hidden,                          // 0
        dataBox(u"ay"_s, 6375),          // 1
        dataBox(u"bzfdu"_s, 6375),       // 2
        dataBox(u"hyjg"_s, 6375),        // 3
        dataBox(u"hyzcy"_s, 6135),       // 4
        dataBox(u"hyyy"_s, 6015),        // 5
        dataBox(u"hydd"_s, 3135),        // 6 after 合议时间：
        dataBox(u"hysj"_s, 2295),        // 7 after 合议地点：
        dataBox(u"ufss1"_s, 6855),       // 8
        dataBox(u"ufss2"_s, 7215),       // 9
        dataBox(u"ufss3"_s, 7215),       // 10
        dataBox(u"ufss4"_s, 7215),       // 11
        dataBox(u"xgzj1"_s, 6855),       // 12
        dataBox(u"xgzj2"_s, 7215),       // 13
        dataBox(u"clyj1"_s, 6255),       // 14
        dataBox(u"clyj2"_s, 6375),       // 15
        dataBox(u"yj1"_s, 6495),         // 16
        dataBox(u"yj2"_s, 6375),         // 17
        dataBox(u"hyjy1"_s, 6855),       // 18
        dataBox(u"hyjy2"_s, 7215),       // 19
        handBox(u"hyrqm"_s, 6015),       // 20
        handBox(u"jlrqm"_s, 1935),       // 21
        dataBox(u"pbsj_y"_s, 400),       // 22
        dataBox(u"pbsj_m"_s, 200),       // 23
        dataBox(u"pbsj_d"_s, 200),       // 24
    };
    d.groups = {{1, 2}, {8, 11}, {12, 13}, {14, 15}, {16, 17}, {18, 19}};
    // Up never reaches the hidden box.
    d.upBound = 1;
    d.pointerReset = true;

    WindowDesign &w = d.window;
    w.width = 8175;
    w.height = 9960;
    w.deleteBoxLeft = 7200;
    w.underlineBoxes = true;
    w.tabOrder = {6, 1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24,
                  deleteBoxTab};
    w.rows = {
        {120, RowAlign::Left, {text(u"卫  生  行  政  执  法  处  罚  文  书"_s, 1800, 12)}},
        {600, RowAlign::Left, {text(u"合  议  记  录"_s, 2820, 18, true), box(0, 6480)}},
        {1080, RowAlign::Left, {text(u"案    由："_s, textLeft), box(1, afterLabel)}},
        {1440, RowAlign::Left, {box(2, afterLabel)}},
        {1800, RowAlign::Left, {text(u"合议机关："_s, textLeft), box(3, afterLabel)}},
        {2160, RowAlign::Left, {text(u"合议主持人："_s, textLeft), box(4, 1560)}},
        {2520, RowAlign::Left, {text(u"参加合议人员："_s, textLeft), box(5, 1680)}},
        {2880, RowAlign::Left,
         {text(u"合议时间："_s, textLeft), box(6, afterLabel), text(u"合议地点："_s, 4560), box(7, 5400)}},
        {3240, RowAlign::Left, {text(u"违法事实："_s, textLeft, 9, true)}},
        {3480, RowAlign::Left, {box(8, indented)}},
        {3840, RowAlign::Left, {box(9, textLeft)}},
        {4200, RowAlign::Left, {box(10, textLeft)}},
        {4560, RowAlign::Left, {box(11, textLeft)}},
        {4920, RowAlign::Left, {text(u"相关证据："_s, textLeft, 9, true)}},
        {5160, RowAlign::Left, {box(12, indented)}},
        {5520, RowAlign::Left, {box(13, textLeft)}},
        {5880, RowAlign::Left, {text(u"处理依据："_s, textLeft, 9, true)}},
        {6120, RowAlign::Left, {text(u"违反了"_s, indented), box(14, 1440)}},
        {6480, RowAlign::Left, {box(15, textLeft), text(u"之规定，"_s, 6900)}},
        {6840, RowAlign::Left, {text(u"依据"_s, indented), box(16, 1200)}},
        {7200, RowAlign::Left, {box(17, textLeft), text(u"之规定，"_s, 6900)}},
        {7560, RowAlign::Left, {text(u"合议建议："_s, textLeft, 9, true)}},
        {7800, RowAlign::Left, {box(18, indented)}},
        {8160, RowAlign::Left, {box(19, textLeft)}},
        {8520, RowAlign::Left, {text(u"合议人员签名："_s, textLeft), box(20, 1680)}},
        {8880, RowAlign::Left, {text(u"记录人签名："_s, textLeft), box(21, 1560)}},
        {9240, RowAlign::Left,
         {box(22, 6195), text(u"年   月   日"_s, 6600), box(23, 6815), box(24, 7265)}},
        {9720, RowAlign::Left, {text(u"中华人民共和国卫生部制定"_s, 5520)}},
    };
    w.lines = {
        hline(textLeft, textRight, 480),
        hline(textLeft, textRight, 9600),
    };
    d.report = printedForm();
    return d;
}

} // namespace

const DocumentDescription &hyjlDescription()
{
    static const DocumentDescription d = make();
    return d;
}

} // namespace kelm
