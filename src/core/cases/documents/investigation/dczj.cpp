#include "cases/documents/investigation/dczj.h"

#include "cases/engine/description.h"

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

constexpr int textLeft = 480;
constexpr int textRight = 7680;
constexpr int indented = 840;
constexpr int afterLabel = 1320;

// rep_dczj: header line and title in the page header, the body in 宋体
// 12 pt. The case officer signs by hand: the label prints, cbrqm does not.
report::ReportLayout printedForm()
{
    using namespace report;
    constexpr int rule = 9615;
    ReportLayout r = documentReport(documentAt(3));
    r.pageHeader.height = 2760;
    r.pageHeader.items = {
        label(1710, 1095, u"卫  生  行  政  执  法  处  罚  文  书 "_s, 6390).size(15.75),
        bar(0, 1470, rule),
        label(2325, 2025, u"案 件 调 查 终 结 报 告"_s, 5040).size(21.75).bolded(),
    };
    r.detail.height = 10200;
    r.detail.items = {
        label(0, 165, u"案    由："_s, 1200),
        field(1200, 165, 8460, u"ay"_s),
        label(0, 585, u"当 事 人："_s, 1200),
        field(1200, 585, 8460, u"dsr"_s),
        label(0, 1005, u"承办机关："_s, 1200),
        field(1200, 1005, 8460, u"cbjg"_s),
        label(0, 1425, u"承 办 人："_s, 1200),
        field(1200, 1425, 8460, u"cbr"_s),
        label(0, 1950, u"案情及违法事实："_s).bolded(),
        field(480, 2370, 9180, u"wfss1"_s),
        field(0, 2730, 9660, u"wfss2"_s),
        field(0, 3090, 9660, u"wfss3"_s),
        field(0, 3450, 9660, u"wfss4"_s),
        label(0, 3930, u"相关证据："_s).bolded(),
        field(480, 4350, 9180, u"xgyj1"_s),
        field(0, 4710, 9660, u"xgyj2"_s),
        label(0, 5190, u"争议要点："_s).bolded(),
        field(480, 5610, 9180, u"zyyd1"_s),
        field(0, 5970, 9660, u"zyyd2"_s),
        label(0, 6450, u"处理建议："_s).bolded(),
        field(480, 6870, 9180, u"cljy1"_s),
        field(0, 7230, 9660, u"cljy2"_s),
        field(0, 8400, 3795, u"jgmc"_s).centred(),
        label(5700, 8400, u"承办人签名："_s, 1440),
        field(6240, 9180, 525, u"pbsj_y"_s),
        label(6810, 9180, u"年   月   日"_s, 1890),
        field(7080, 9180, 330, u"pbsj_m"_s),
        field(7665, 9180, 330, u"pbsj_d"_s),
        bar(0, 9660, rule),
        label(6780, 9780, u"中华人民共和国卫生部制定"_s, 2880),
    };
    return r;
}

DocumentDescription make()
{
    DocumentDescription d;
    d.document = documentAt(3);
    d.boxes = {
        dataBox(u"ay"_s, 6375),          // 0
        dataBox(u"dsr"_s, 6375),         // 1
        dataBox(u"cbjg"_s, 6375),        // 2
        dataBox(u"cbr"_s, 6375),         // 3
        dataBox(u"wfss1"_s, 6855),       // 4
        dataBox(u"wfss2"_s, 7215),       // 5
        dataBox(u"wfss3"_s, 7215),       // 6
        dataBox(u"wfss4"_s, 7215),       // 7
        dataBox(u"xgyj1"_s, 6855),       // 8
        dataBox(u"xgyj2"_s, 7215),       // 9
        dataBox(u"zyyd1"_s, 6855),       // 10
        dataBox(u"zyyd2"_s, 7215),       // 11
        dataBox(u"cljy1"_s, 6855),       // 12
        dataBox(u"cljy2"_s, 7215),       // 13
        authorityBox(u"jgmc"_s, 2775),   // 14
        handBox(u"cbrqm"_s, 2775),       // 15
        dataBox(u"pbsj_y"_s, 400),       // 16
        dataBox(u"pbsj_m"_s, 200),       // 17
        dataBox(u"pbsj_d"_s, 255),       // 18
    };
    d.groups = {{4, 7}, {8, 9}, {10, 11}, {12, 13}};
    d.pointerReset = true;

    WindowDesign &w = d.window;
    w.width = 8175;
    w.height = 8280;
    w.deleteBoxLeft = 7200;
    w.underlineBoxes = true;
    w.rows = {
        {120, RowAlign::Left, {text(u"卫  生  行  政  执  法  处  罚  文  书"_s, 1800, 12)}},
        {600, RowAlign::Left, {text(u"案 件 调 查 终 结 报 告"_s, 2010, 18, true)}},
        {1080, RowAlign::Left, {text(u"案    由："_s, textLeft), box(0, afterLabel)}},
        {1440, RowAlign::Left, {text(u"当 事 人："_s, textLeft), box(1, afterLabel)}},
        {1800, RowAlign::Left, {text(u"承办机关："_s, textLeft), box(2, afterLabel)}},
        {2160, RowAlign::Left, {text(u"承 办 人："_s, textLeft), box(3, afterLabel)}},
        {2520, RowAlign::Left, {text(u"案情及违法事实："_s, textLeft, 9, true)}},
        {2760, RowAlign::Left, {box(4, indented)}},
        {3120, RowAlign::Left, {box(5, textLeft)}},
        {3480, RowAlign::Left, {box(6, textLeft)}},
        {3840, RowAlign::Left, {box(7, textLeft)}},
        {4200, RowAlign::Left, {text(u"相关证据："_s, textLeft, 9, true)}},
        {4440, RowAlign::Left, {box(8, indented)}},
        {4800, RowAlign::Left, {box(9, textLeft)}},
        {5160, RowAlign::Left, {text(u"争议要点："_s, textLeft, 9, true)}},
        {5400, RowAlign::Left, {box(10, indented)}},
        {5760, RowAlign::Left, {box(11, textLeft)}},
        {6120, RowAlign::Left, {text(u"处理建议："_s, textLeft, 9, true)}},
        {6360, RowAlign::Left, {box(12, indented)}},
        {6720, RowAlign::Left, {box(13, textLeft)}},
        {7200, RowAlign::Left, {box(14, textLeft), text(u"承办人签名："_s, 3840), box(15, 4920)}},
        {7560, RowAlign::Left,
         {box(16, 6105), text(u"年   月    日"_s, 6510), box(17, 6725), box(18, 7190)}},
        {8040, RowAlign::Left, {text(u"中华人民共和国卫生部制定"_s, 5520)}},
    };
    w.lines = {
        hline(textLeft, textRight, 480),
        hline(textLeft, textRight, 7920),
    };
    d.report = printedForm();
    return d;
}

} // namespace

const DocumentDescription &dczjDescription()
{
    static const DocumentDescription d = make();
    return d;
}

} // namespace kelm
