#include "cases/documents/notice/tztz.h"

#include "cases/engine/description.h"

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

// rep_tztz: the counterfoil above the seam, the notice below it, one sheet.
// Every column prints; the counterfoil's dates and the notice's fields from
// dw to sjy stand on solid lines, its contact on dotted ones.
report::ReportLayout printedForm()
{
    using namespace report;
    ReportLayout r = documentReport(documentAt(18));
    r.reportHeader.height = 3150;
    r.reportHeader.items = {
        label(1815, 1065, u"卫  生  行  政  执  法  处  罚  文  书"_s, 6255).size(15.75),
        bar(0, 1455, 9540),
        label(2415, 1995, u"行政处罚听证通知书存根"_s, 5055).size(21.75).bolded(),
    };
    r.detail.height = 11490;
    r.detail.items = {
        label(5940, 0, u"编号："_s, 780),
        field(6615, 0, 3120, u"bh1"_s),
        label(0, 510, u"当 事 人："_s, 1305),
        field(1155, 510, 8580, u"dsr"_s),
        label(0, 885, u"听证时间："_s, 1290),
        field(1155, 885, 525, u"tzsj_n"_s),
        label(1725, 870, u"年   月   日   时"_s, 2220),
        field(2010, 885, 330, u"tzsj_y"_s),
        field(2640, 870, 285, u"tzsj_r"_s),
        field(3195, 885, 285, u"tzsj_s"_s),
        line(1170, 1185, 1695, 1185),
        line(1920, 1185, 2310, 1185),
        line(2565, 1185, 2985, 1185),
        line(3165, 1200, 3585, 1200),
        label(0, 1290, u"听证地点："_s, 1305),
        field(1155, 1290, 8595, u"tzdd"_s),
        label(0, 1665, u"听证方式："_s, 1305),
        field(1155, 1665, 8595, u"tzfs"_s),
        label(0, 2070, u"听证人员："_s, 1305),
        field(1155, 2070, 8595, u"tzry1"_s),
        field(1140, 2445, 8595, u"tzry2"_s),
        label(0, 2790, u"经 办 人："_s, 1305),
        field(1155, 2805, 8595, u"jbr"_s),
        label(0, 3195, u"发出时间："_s, 1290),
        field(1155, 3195, 525, u"fcsj_n"_s),
        label(1725, 3180, u"年   月   日"_s, 1890),
        field(2010, 3195, 330, u"fcsj_y"_s),
        field(2640, 3180, 285, u"fcsj_r"_s),
        line(1170, 3495, 1695, 3495),
        line(1920, 3495, 2310, 3495),
        line(2565, 3495, 2985, 3495),
        label(0, 3660, u"备    注："_s, 1290),
        field(1140, 3645, 8625, u"bz1"_s),
        field(1155, 4005, 8625, u"bz2"_s),
        label(0, 4515, u"请骑缝盖章"_s, 1245),
        line(1350, 4635, 9645, 4635).dotted(),

        label(2925, 5040, u"行政处罚听证通知书"_s, 4155).size(21.75).bolded(),
        label(5925, 5805, u"编号："_s, 780),
        field(6630, 5805, 2955, u"bh2"_s),
        field(0, 6360, 4875, u"dw"_s),
        line(60, 6675, 4875, 6675),
        label(510, 6780, u"你（单位）提出的听证要求已收悉。现决定于       年     月     日     午    时"_s, 9255),
        field(5445, 6780, 525, u"sj_n"_s),
        field(6600, 6780, 285, u"sj_y"_s),
        field(7380, 6780, 285, u"sj_r"_s),
        field(8250, 6780, 285, u"sj_w"_s),
        field(9045, 6780, 285, u"sj_s"_s),
        line(5280, 7065, 6150, 7065),
        line(6375, 7065, 6945, 7065),
        line(7200, 7080, 7815, 7080),
        line(8070, 7080, 8655, 7080),
        line(8880, 7080, 9375, 7080),
        label(0, 7215, u"在 "_s, 525),
        field(255, 7230, 5970, u"dd"_s),
        label(6240, 7230, u"举行        听证。听证主持人"_s, 3555),
        field(6720, 7230, 945, u"tz"_s),
        line(255, 7515, 6240, 7515),
        line(6720, 7515, 7650, 7515),
        label(0, 7650, u"              、听证员              、书记员          ，如认为上述人员与案件有直"_s, 9750),
        field(0, 7650, 1695, u"zcr"_s),
        field(2625, 7665, 1695, u"tzy"_s),
        field(5280, 7665, 1200, u"sjy"_s),
        line(60, 7935, 1725, 7935),
        line(2685, 7950, 4350, 7950),
        line(5340, 7950, 6510, 7950),
        label(0, 8085, u"接利害关系，可以申请回避。 请事先准备证据、通知证人和代理人，准时参加。 逾期视为"_s, 9735),
        label(0, 8505, u"放弃听证。"_s, 4905),
        label(30, 9315, u"联系电话："_s, 1245),
        field(1215, 9330, 3780, u"lxdh"_s),
        label(5610, 9315, u"联系人："_s, 1020),
        field(6525, 9330, 3270, u"lxr"_s),
        line(1275, 9615, 5025, 9615).dotted(),
        line(6585, 9615, 9825, 9615).dotted(),
        field(5790, 10035, 3795, u"gz"_s).centred(),
        field(6480, 10485, 525, u"nian"_s),
        label(7050, 10470, u"年   月   日"_s, 1890),
        field(7335, 10485, 330, u"yue"_s),
        field(7965, 10470, 285, u"ri"_s),
        bar(30, 11010, 9600),
        label(6300, 11085, u"中华人民共和国卫生部制定"_s, 3210),
    };
    return r;
}

DocumentDescription make()
{
    DocumentDescription d;
    d.document = documentAt(18);
    d.boxes = {
        dataBox(u"bh1"_s, 2175),         // 0 counterfoil
        dataBox(u"dsr"_s, 6375),         // 1
        dataBox(u"tzsj_n"_s, 495, 4),    // 2
        dataBox(u"tzsj_y"_s, 195, 2),    // 3
        dataBox(u"tzsj_r"_s, 195, 2),    // 4
        dataBox(u"tzsj_s"_s, 195, 2),    // 5
        dataBox(u"tzdd"_s, 6375),        // 6
        dataBox(u"tzfs"_s, 6375),        // 7
        dataBox(u"tzry1"_s, 6375),       // 8
        dataBox(u"tzry2"_s, 6375),       // 9
        dataBox(u"jbr"_s, 6375),         // 10
        dataBox(u"fcsj_n"_s, 495, 4),    // 11
        dataBox(u"fcsj_y"_s, 195, 2),    // 12
        dataBox(u"fcsj_r"_s, 195, 2),    // 13
        dataBox(u"bz1"_s, 6375),         // 14
        dataBox(u"bz2"_s, 6375),         // 15
        dataBox(u"bh2"_s, 2175),         // 16 notice
        named(dataBox(u"dw"_s, 3615), u"当事人"_s), // 17
        dataBox(u"sj_n"_s, 375),         // 18
        dataBox(u"sj_y"_s, 225),         // 19
        dataBox(u"sj_r"_s, 220),         // 20
        dataBox(u"sj_w"_s, 255),         // 21
        dataBox(u"sj_s"_s, 255),         // 22
        dataBox(u"dd"_s, 4335),          // 23
        dataBox(u"tz"_s, 580),           // 24
        dataBox(u"zcr"_s, 1095),         // 25
        dataBox(u"tzy"_s, 1095),         // 26
        dataBox(u"sjy"_s, 975),          // 27
        dataBox(u"lxdh"_s, 2775),        // 28
        dataBox(u"lxr"_s, 2415),         // 29
        authorityBox(u"gz"_s, 2775),     // 30
        dataBox(u"nian"_s, 495, 4),      // 31
        dataBox(u"yue"_s, 195, 2),       // 32
        dataBox(u"ri"_s, 195, 2),        // 33
    };
    d.groups = {{8, 9}, {14, 15}};

    WindowDesign &w = d.window;
    w.width = 8145;
    w.height = 8640;
    w.rowPitch = 300;
    w.underlineBoxes = true;
    const int underFirstLine = 480 + 900; // a paragraph's second line
    w.rows = {
        {autoPlace, RowAlign::Centre, {text(u"卫  生  行  政  执  法  处  罚  文  书"_s, autoPlace, 12)}, true},
        {autoPlace, RowAlign::Centre, {text(u"行政处罚听证通知书存根"_s, autoPlace, 18, true)}},
        {autoPlace, RowAlign::RightHalf, {text(u"编号："_s), box(0)}},
        {autoPlace, RowAlign::Left, {text(u"当 事 人："_s), box(1)}},
        {autoPlace, RowAlign::Left,
         {text(u"听证时间："_s), box(2), textWithBoxes(u"年    月    日    时"_s, {3, 4, 5})}},
        {autoPlace, RowAlign::Left, {text(u"听证地点："_s), box(6)}},
        {autoPlace, RowAlign::Left, {text(u"听证方式："_s), box(7)}},
        {autoPlace, RowAlign::Left, {text(u"听证人员："_s), box(8)}},
        {autoPlace, RowAlign::Left, {box(9, underFirstLine)}},
        {autoPlace, RowAlign::Left, {text(u"经 办 人："_s), box(10)}},
        {autoPlace, RowAlign::Left, {text(u"发出时间："_s), box(11), textWithBoxes(u"年    月    日"_s, {12, 13})}},
        {autoPlace, RowAlign::Left, {text(u"备    注："_s), box(14)}},
        {autoPlace, RowAlign::Left, {box(15, underFirstLine)}},
        {autoPlace, RowAlign::Left,
         {text(u"请盖骑缝章----------------------------------------------------------------------"_s)}},
        {autoPlace, RowAlign::Centre, {text(u"行政处罚听证通知书"_s, autoPlace, 18, true)}},
        {autoPlace, RowAlign::RightHalf, {text(u"编号："_s), box(16)}},
        {autoPlace, RowAlign::Left, {box(17)}},
        {autoPlace, RowAlign::Indent,
         {textWithBoxes(u"你（单位）提出的听证要求已收悉。现决定于      年     月     日     午     时"_s,
                        {18, 19, 20, 21, 22})}},
        {autoPlace, RowAlign::Left,
         {textWithBoxes(u"在                                                  举行        听证。听证主持人"_s,
                        {23, 24})}},
        {autoPlace, RowAlign::Left,
         {textWithBoxes(u"             、听证员             、书记员            ，如认为上述人员与案件有直"_s,
                        {25, 26, 27})}},
        {autoPlace, RowAlign::Left,
         {text(u"接利害关系，可以申请回避。 请事先准备证据、通知证人和代理人，准时参加。 逾期视为"_s)}},
        {autoPlace, RowAlign::Left, {text(u"放弃听证。"_s)}},
        {autoPlace, RowAlign::Left, {text(u"联系电话："_s), box(28), text(u"联系人："_s, 4545), box(29)}},
        {autoPlace, RowAlign::Left, {box(30, 4500)}},
        {autoPlace, RowAlign::Left, {box(31, 5010), textWithBoxes(u"年    月    日"_s, {32, 33})}},
        {autoPlace, RowAlign::Left, {}, true},
        {autoPlace, RowAlign::RightHalf, {text(u"中华人民共和国卫生部制定"_s)}},
    };
    d.report = printedForm();
    return d;
}

} // namespace

const DocumentDescription &tztzDescription()
{
    static const DocumentDescription d = make();
    return d;
}

} // namespace kelm
