#include "cases/documents/enforcement/qzzx.h"

#include "cases/documents/enforcement/formparts.h"

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

using namespace enforcement;

// rep_qzzx: 宋体 12 pt, the title in the report header, no header line, no
// footer. Its wording differs from the window's in places (the commas of
// the deadline sentence, the names of the attachments), as the form has it.
report::ReportLayout printedForm()
{
    using namespace report;
    ReportLayout r = documentReport(documentAt(9));
    r.reportHeader = {1200, {printedTitle(u"强制执行申请书"_s, 360)}};
    r.detail.height = 8880;
    r.detail.items = {
        label(5040, 0, u"  Vesk卫(   )强申字[     ]第(     )号"_s, 4560),
        field(6120, 0, 360, u"lb"_s),
        field(7440, 0, 600, u"nd"_s),
        field(8520, 0, 600, u"bh"_s),
        bar(0, 420, printedWidth),
        field(0, 780, 3600, u"fymc"_s),
        line(0, 1065, 3600, 1065),
        label(0, 1260, u"    我局于     年   月   日以Vesk卫(    )罚字[      ]第(     )号的"_s, 7920),
        field(1200, 1260, 600, u"cf_y"_s),
        field(2040, 1260, 360, u"cf_m"_s),
        field(2640, 1260, 360, u"cf_d"_s),
        field(4320, 1260, 480, u"cf_lb"_s),
        field(5520, 1260, 720, u"cf_nd"_s),
        field(6720, 1260, 600, u"cf_bh"_s),
        line(1200, 1545, 1800, 1545),
        line(2040, 1545, 2400, 1545),
        line(2640, 1545, 3000, 1545),
        label(0, 1740, u"行政处罚决定书对"_s, 1920),
        field(1920, 1740, 5400, u"cfdw"_s),
        line(1920, 2025, 7320, 2025),
        label(7320, 1740, u"作出"_s, 480),
        label(0, 2220, u"行政处罚决定,规定当事人在     年   月   日前履行行政处罚决定，但"_s, 7680),
        field(3000, 2220, 600, u"zx_y"_s),
        field(3840, 2220, 360, u"zx_m"_s),
        field(4440, 2220, 360, u"zx_d"_s),
        line(3000, 2505, 3600, 2505),
        line(3840, 2505, 4200, 2505),
        line(4440, 2505, 4800, 2505),
        label(0, 2700, u"当事人在规定的期限内拒不履行。根据《中华人民共和国行政处罚法》第"_s, 7680),
        label(0, 3180, u"五十一条规定，特申请你院强制执行。"_s, 4080),
        field(5400, 4140, 4245, u"sqdw"_s).centred(),
        bar(0, 5340, printedWidth),
        label(0, 5580, u"附："_s, 480),
        label(480, 5580, u"1、《行政处罚决定书》一份"_s, 3000),
        label(480, 6060, u"2、《送达回执》一份"_s, 2280),
        label(480, 6540, u"3、其他资料   份"_s, 1920),
        field(1800, 6540, 360, u"qtzlfs"_s),
    };
    addItems(r.detail, printedDate(6690, 4620, u"sq_y"_s, u"sq_m"_s, u"sq_d"_s));
    return r;
}

BoxSpec inBrackets(const QString &column, int width)
{
    BoxSpec b = dataBox(column, width);
    b.underlined = false;
    return b;
}

DocumentDescription make()
{
    DocumentDescription d;
    d.document = documentAt(9);
    // Width 0: the box runs to the end of its line. A box laid over a
    // label's blanks takes their width.
    d.boxes = {
        inBrackets(u"lb"_s, 200),       // 0 the application's number
        inBrackets(u"nd"_s, 375),       // 1
        inBrackets(u"bh"_s, 375),       // 2
        named(dataBox(u"fymc"_s, 2535), u"人民法院"_s), // 3 the court
        dataBox(u"cf_y"_s, 375),        // 4 the penalty decision's date
        dataBox(u"cf_m"_s, 200),        // 5
        dataBox(u"cf_d"_s, 200),        // 6
        dataBox(u"cf_lb"_s, 200),       // 7 and number
        dataBox(u"cf_nd"_s, 375),       // 8
        dataBox(u"cf_bh"_s, 375),       // 9
        dataBox(u"cfdw"_s, 3975),       // 10 the party
        dataBox(u"zx_y"_s, 375),        // 11 the deadline
        dataBox(u"zx_m"_s, 200),        // 12
        dataBox(u"zx_d"_s, 200),        // 13
        authorityBox(u"sqdw"_s, 2775),  // 14
        dataBox(u"sq_y"_s, 375),        // 15 the application's date
        dataBox(u"sq_m"_s, 200),        // 16
        dataBox(u"sq_d"_s, 200),        // 17
        dataBox(u"qtzlfs"_s, 200),      // 18
    };

    WindowDesign &w = d.window;
    w.width = 8190;
    w.height = 6240;
    w.rightMargin = lineEnd;
    w.deleteBoxLeft = w.width - 1455;
    w.background = WindowBackground::System;
    w.underlineBoxes = true; // every box but the number's and the authority's
    const QString date = u"年   月   日"_s;
    // The applicant at the right, its date centred under it.
    const int authorityLeft = lineEnd - 2775;
    const int dateLeft = authorityLeft + (2775 - 375 - gridWidthTwips(date, 9)) / 2;
    const int attachments = textLeft + gridWidthTwips(u"附："_s, 9);
    w.rows = {
        {600, RowAlign::Centre, {text(u"强制执行申请书"_s, autoPlace, 18, true)}},
        {1200, RowAlign::RightHalf, {textWithBoxes(u"Vesk卫(   )强申字[     ]第(     )号"_s, {0, 1, 2})}},
        {1680, RowAlign::Left, {box(3, textLeft)}},
        {2040, RowAlign::Left,
         {textWithBoxes(u"我局于     年   月   日以Vesk卫(    )罚字[      ]第(     )号的"_s, {4, 5, 6, 7, 8, 9},
                        indent)}},
        {2400, RowAlign::Left, {text(u"行政处罚决定书对"_s, textLeft), box(10), text(u"作出"_s)}},
        {2760, RowAlign::Left,
         {textWithBoxes(u"行政处罚决定，规定当事人在     年   月   日前履行行政处罚决定,但"_s, {11, 12, 13}, textLeft)}},
        {3120, RowAlign::Left, {text(u"当事人在规定的期限内拒不履行。根据《中华人民共和国行政处罚法》第"_s, textLeft)}},
        {3480, RowAlign::Left, {text(u"五十一条规定，特申请你院强制执行。"_s, textLeft)}},
        {3960, RowAlign::Left, {box(14, authorityLeft)}},
        {4320, RowAlign::Left, {box(15, dateLeft), textWithBoxes(date, {16, 17})}},
        {4800, RowAlign::Left, {text(u"附：1、《卫生行政处罚决定书》一份"_s, textLeft)}},
        {5160, RowAlign::Left, {text(u"2、《卫生行政处罚决定书送达回证》一份"_s, attachments)}},
        {5520, RowAlign::Left, {textWithBoxes(u"3、其他资料   份"_s, {18}, attachments)}},
    };
    w.lines = {
        hline(textLeft, lineEnd, 1500),
        hline(textLeft, lineEnd, 4680),
    };
    d.report = printedForm();
    return d;
}

} // namespace

const DocumentDescription &qzzxDescription()
{
    static const DocumentDescription d = make();
    return d;
}

} // namespace kelm
