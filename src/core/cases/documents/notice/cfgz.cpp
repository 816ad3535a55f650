#include "cases/documents/notice/cfgz.h"

#include "cases/engine/description.h"

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

// rep_gzs: the national header and the title in the page header, the body
// in 宋体 12 pt. The columns from cfdw to csdd2 stand on underlines; the
// number, the contact lines, the authority and the date of issue do not.
report::ReportLayout printedForm()
{
    using namespace report;
    ReportLayout r = documentReport(documentAt(7));
    r.pageHeader.height = 3150;
    r.pageHeader.items = {
        label(1815, 1065, u"卫  生  行  政  执  法  处  罚  文  书"_s, 6255).size(15.75),
        bar(0, 1455, 9600),
        label(2835, 1995, u"行政处罚事先告知书"_s, 3930).size(21.75).bolded(),
    };
    r.detail.height = 9960;
    r.detail.items = {
        label(5280, 0, u"  Vesk卫罚告字[    ]第(     )号"_s, 3720),
        field(7080, 0, 480, u"nd"_s).centred(),
        field(8040, 0, 600, u"bh"_s).centred(),
        field(0, 510, 5280, u"cfdw"_s),
        line(0, 810, 5280, 810),
        label(480, 930, u"你（单位）于"_s, 1440),
        field(1920, 930, 600, u"sj_y"_s),
        line(1920, 1230, 2520, 1230),
        label(2520, 930, u"年   月   日从事"_s, 1920),
        field(2760, 930, 360, u"sj_m"_s),
        line(2760, 1230, 3120, 1230),
        field(3360, 930, 360, u"sj_d"_s),
        line(3360, 1230, 3720, 1230),
        field(4440, 930, 5040, u"wfxw1"_s),
        line(4440, 1230, 9480, 1230),
        field(0, 1350, 9600, u"wfxw4"_s),
        line(0, 1650, 9600, 1650),
        field(0, 1770, 9600, u"wfxw5"_s),
        line(0, 2070, 9600, 2070),
        field(0, 2190, 8400, u"wfxw6"_s),
        line(0, 2490, 8400, 2490),
        label(8400, 2190, u"的行为，"_s, 960),
        label(0, 2610, u"违反了"_s, 720),
        field(720, 2610, 8760, u"wfgd1"_s),
        line(720, 2910, 9480, 2910),
        field(0, 3030, 8400, u"wfgd2"_s),
        line(0, 3330, 8400, 3330),
        label(8400, 3030, u"的规定，"_s, 960),
        label(0, 3450, u"依据"_s, 480),
        field(480, 3450, 9120, u"yjgd1"_s),
        line(480, 3750, 9600, 3750),
        field(0, 3870, 8400, u"yjgd2"_s),
        line(0, 4170, 8400, 4170),
        label(8400, 3870, u"的规定，"_s, 960),
        label(0, 4290, u"本拟对你（单位）作出"_s, 2400),
        field(2400, 4290, 7320, u"xzcf1"_s).bolded(),
        line(2400, 4590, 9720, 4590),
        field(0, 4710, 6840, u"xzcf2"_s).bolded(),
        line(0, 5010, 6840, 5010),
        label(6840, 4710, u"的行政处罚。"_s, 1440),
        label(480, 5130, u"如你（单位）对此有异议，根据《中华人民共和国行政处罚法》第三十一条和第三十二"_s, 9120),
        label(0, 5550, u"条规定，可在     年   月   日到"_s, 3720),
        field(1440, 5550, 600, u"cssj_y"_s),
        line(1440, 5850, 2040, 5850),
        field(2280, 5550, 360, u"cssj_m"_s),
        line(2280, 5850, 2640, 5850),
        field(2880, 5550, 360, u"cssj_d"_s),
        line(2880, 5850, 3240, 5850),
        field(3720, 5550, 5760, u"csdd1"_s),
        line(3720, 5850, 9480, 5850),
        field(0, 5970, 3360, u"csdd2"_s),
        line(0, 6270, 3360, 6270),
        label(3360, 5970, u"进行陈述和申辩。逾期视为放弃陈述和申辩。"_s, 4800),
        label(0, 6390, u"地    址："_s, 1200),
        field(1200, 6390, 8400, u"jgdz"_s),
        label(0, 6810, u"联系电话："_s, 1200),
        field(1200, 6810, 8400, u"lxdh"_s),
        label(0, 7230, u"联 系 人："_s, 1200),
        field(1200, 7230, 8400, u"lxr"_s),
        field(5400, 7860, 3600, u"jgmc"_s).centred(),
        field(6000, 8310, 600, u"pbsj_y"_s),
        label(6600, 8310, u"年   月   日"_s, 1440),
        field(6840, 8310, 360, u"pbsj_m"_s),
        field(7440, 8310, 360, u"pbsj_d"_s),
        bar(0, 8850, 9600),
        label(0, 9000, u"备注：本文书一式两份，第一份交当事人，第二份留存卷宗备查。"_s, 6960),
        bar(0, 9420, 9600),
        label(6300, 9600, u"中华人民共和国卫生部制定"_s, 3210),
    };
    return r;
}

DocumentDescription make()
{
    DocumentDescription d;
    d.document = documentAt(7);

    // The number parts sit centred in the brackets of the number line.
    BoxSpec nd = centred(dataBox(u"nd"_s, 375));
    nd.underlined = false;
    BoxSpec bh = nd;
    bh.column = u"bh"_s;
    d.boxes = {
        nd,                                         // 0
        bh,                                         // 1
        named(dataBox(u"cfdw"_s, 3975), u"被处罚单位"_s), // 2
        dataBox(u"sj_y"_s, 375),                    // 3
        dataBox(u"sj_m"_s, 200),                    // 4
        dataBox(u"sj_d"_s, 200),                    // 5
        dataBox(u"wfxw1"_s, 3855),                  // 6
        dataBox(u"wfxw4"_s, 7215),                  // 7
        dataBox(u"wfxw5"_s, 7215),                  // 8
        dataBox(u"wfxw6"_s, 6375),                  // 9
        dataBox(u"wfgd1"_s, 6615),                  // 10
        dataBox(u"wfgd2"_s, 6375),                  // 11
        dataBox(u"yjgd1"_s, 6855),                  // 12
        dataBox(u"yjgd2"_s, 6375),                  // 13
        bolded(dataBox(u"xzcf1"_s, 5535)),          // 14
        bolded(dataBox(u"xzcf2"_s, 5150)),          // 15
        dataBox(u"cssj_y"_s, 375),                  // 16
        dataBox(u"cssj_m"_s, 200),                  // 17
        dataBox(u"cssj_d"_s, 200),                  // 18
        dataBox(u"csdd1"_s, 4335),                  // 19
        dataBox(u"csdd2"_s, 2535),                  // 20
        dataBox(u"jgdz"_s, 6375),                   // 21
        dataBox(u"lxdh"_s, 6375),                   // 22
        dataBox(u"lxr"_s, 6375),                    // 23
        authorityBox(u"jgmc"_s, 2775, vbDarkGrey),  // 24
        dataBox(u"pbsj_y"_s, 375),                  // 25
        dataBox(u"pbsj_m"_s, 200),                  // 26
        dataBox(u"pbsj_d"_s, 200),                  // 27
    };
    d.groups = {{6, 9}, {10, 11}, {12, 13}, {14, 15}, {19, 20}};
    d.pointerReset = true;

    WindowDesign &w = d.window;
    w.width = 8145;
    w.height = 7860;
    w.rowPitch = 300;
    w.underlineBoxes = true;
    w.rows = {
        {autoPlace, RowAlign::Centre, {text(u"卫  生  行  政  执  法  处  罚  文  书"_s, autoPlace, 12)}, true},
        {autoPlace, RowAlign::Centre, {text(u"行政处罚事先告知书"_s, autoPlace, 18, true)}},
        {autoPlace, RowAlign::RightHalf, {textWithBoxes(u"Vesk卫罚告字[     ]第(     )号"_s, {0, 1})}},
        {autoPlace, RowAlign::Left, {box(2)}},
        {autoPlace, RowAlign::Indent,
         {text(u"你（单位）于"_s), textWithBoxes(u"   年   月   日从事"_s, {3, 4, 5}), box(6)}},
        {autoPlace, RowAlign::Left, {box(7)}},
        {autoPlace, RowAlign::Left, {box(8)}},
        {autoPlace, RowAlign::Left, {box(9), text(u"的行为，"_s)}},
        {autoPlace, RowAlign::Left, {text(u"违反了"_s), box(10)}},
        {autoPlace, RowAlign::Left, {box(11), text(u"的规定，"_s)}},
        {autoPlace, RowAlign::Left, {text(u"依据"_s), box(12)}},
        {autoPlace, RowAlign::Left, {box(13), text(u"的规定，"_s)}},
        {autoPlace, RowAlign::Left, {text(u"本局拟对你(单位)作出"_s), box(14)}},
        {autoPlace, RowAlign::Left, {box(15), text(u"的行政处罚。"_s)}},
        {autoPlace, RowAlign::Left,
         {text(u"    如你（单位）对此有异议，根据《中华人民共和国行政处罚法》第三十一条和第三十二"_s)}},
        {autoPlace, RowAlign::Left, {textWithBoxes(u"条规定，可在    年   月   日到"_s, {16, 17, 18}), box(19)}},
        {autoPlace, RowAlign::Left, {box(20), text(u"进行陈述和申辩。逾期视为放弃陈述和申辩。"_s)}},
        {autoPlace, RowAlign::Left, {text(u"地    址："_s), box(21)}},
        {autoPlace, RowAlign::Left, {text(u"联系电话："_s), box(22)}},
        {autoPlace, RowAlign::Left, {text(u"联 系 人："_s), box(23)}},
        {autoPlace, RowAlign::Left, {box(24, 4500)}},
        {autoPlace, RowAlign::Left, {textWithBoxes(u"   年   月   日"_s, {25, 26, 27}, 5212)}},
        {autoPlace, RowAlign::Left, {}, true},
        {autoPlace, RowAlign::Left, {text(u"备注：本文书一式两份，第一份交当事人，第二份留存卷宗备查。"_s)}, true},
        {autoPlace, RowAlign::RightHalf, {text(u"中华人民共和国卫生部制定"_s)}},
    };
    // The number, the addressee and the act, the delete-on-close box, then
    // the date of the act.
    w.tabOrder = {0,  1,  2,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17,
                  18, 19, 20, 21, 22, 23, 24, 25, 26, 27, deleteBoxTab, 4, 5, 3};
    d.report = printedForm();
    return d;
}

} // namespace

const DocumentDescription &cfgzDescription()
{
    static const DocumentDescription d = make();
    return d;
}

} // namespace kelm
