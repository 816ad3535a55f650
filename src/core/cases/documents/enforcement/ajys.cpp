#include "cases/documents/enforcement/ajys.h"

#include "cases/documents/enforcement/formparts.h"

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

using namespace enforcement;

// rep_ajys: the body in 宋体 12 pt. Underlines only under the transfer
// date, the addressee, the date of acceptance, the case, the provision and
// the number of attachments.
report::ReportLayout printedForm()
{
    using namespace report;
    ReportLayout r = documentReport(documentAt(14));
    r.reportHeader = printedHeading(u"案件移送书存根"_s);
    r.detail.height = 9840;
    r.detail.items = {
        label(6000, 0, u"编号："_s, 720),
        field(6720, 0, 2925, u"bh1"_s),
        label(0, 420, u"当 事 人："_s, 1200),
        field(1200, 420, 8445, u"dsr"_s),
        label(0, 840, u"案    由："_s, 1200),
        field(1200, 840, 8445, u"ay1"_s),
        field(0, 1260, 9645, u"ay2"_s),
        label(0, 1680, u"移送日期："_s, 1200),
        field(1200, 1680, 600, u"ysrq_n"_s),
        label(1800, 1680, u"年   月   日"_s, 1440),
        field(2040, 1680, 360, u"ysrq_y"_s),
        field(2640, 1680, 360, u"ysrq_r"_s),
        line(1200, 1965, 1800, 1965),
        line(2040, 1965, 2400, 1965),
        line(2640, 1965, 3000, 1965),
        label(0, 2100, u"受移送机关："_s, 1440),
        field(1440, 2100, 8205, u"sysjg"_s),
        label(0, 2520, u"经 办 人："_s, 1200),
        field(1200, 2520, 8445, u"jbr"_s),
        label(0, 2940, u"备    注："_s, 1200),
        field(1200, 2940, 8445, u"bz1"_s),
        field(0, 3360, 9645, u"bz2"_s),
        field(0, 3780, 9645, u"bz3"_s),
        printedTitle(u"案 件 移 送 书"_s, 4800),
        label(6000, 5460, u"编号："_s, 720),
        field(6720, 5460, 2925, u"bh2"_s),
        field(0, 5880, 4140, u"ysdw"_s),
        line(0, 6165, 4140, 6165),
        label(480, 6300, u"我局于    年  月  日受理的"_s, 3120),
        field(1200, 6300, 480, u"sl_n"_s),
        field(1920, 6300, 240, u"sl_y"_s),
        field(2400, 6300, 240, u"sl_r"_s),
        line(1200, 6585, 1680, 6585),
        line(1920, 6585, 2160, 6585),
        line(2400, 6585, 2640, 6585),
        field(3600, 6300, 6045, u"aj1"_s),
        line(3600, 6585, 9645, 6585),
        field(0, 6720, 8880, u"aj2"_s),
        line(0, 7005, 8880, 7005),
        label(8880, 6720, u"案件，"_s, 720),
        label(0, 7140, u"根据"_s, 480),
        field(480, 7140, 7980, u"gd"_s),
        line(480, 7425, 8460, 7425),
        label(8460, 7140, u"的规定，"_s, 960),
        label(0, 7560, u"应当由你厅（局）处理。"_s, 2640),
        label(480, 7980, u"特此移送。案件查处结果请函告我局备查。"_s, 4560),
        field(4800, 8400, 4845, u"dw"_s).centred(),
        label(0, 8820, u"附件：有关材料      件。"_s, 2880),
        field(1680, 8820, 720, u"cl"_s),
        line(1680, 9105, 2400, 9105),
        field(7200, 8820, 480, u"nian"_s),
        label(7680, 8820, u"年   月   日"_s, 1440),
        field(7920, 8820, 360, u"yue"_s),
        field(8520, 8820, 360, u"ri"_s),
    };
    addItems(r.detail, printedSeam(4320));
    addItems(r.detail, printedFooter(9300));
    return r;
}

DocumentDescription make()
{
    DocumentDescription d;
    d.document = documentAt(14);
    // Width 0: the box runs to the end of its line. A box laid over a
    // label's blanks takes their width.
    d.boxes = {
        dataBox(u"bh1"_s, 2175),       // 0 the stub
        dataBox(u"dsr"_s, 0),          // 1
        dataBox(u"ay1"_s, 0),          // 2
        dataBox(u"ay2"_s, 0),          // 3
        dataBox(u"ysrq_n"_s, 375, 4),  // 4
        dataBox(u"ysrq_y"_s, 200, 2),  // 5
        dataBox(u"ysrq_r"_s, 200, 2),  // 6
        dataBox(u"sysjg"_s, 0),        // 7
        dataBox(u"jbr"_s, 0),          // 8
        dataBox(u"bz1"_s, 0),          // 9
        dataBox(u"bz2"_s, 0),          // 10
        dataBox(u"bz3"_s, 0),          // 11
        dataBox(u"bh2"_s, 2175),       // 12 the letter
        named(dataBox(u"ysdw"_s, 3135), u"受移送机关"_s), // 13
        dataBox(u"sl_n"_s, 375),       // 14
        dataBox(u"sl_y"_s, 200),       // 15
        dataBox(u"sl_r"_s, 200),       // 16
        dataBox(u"aj1"_s, 0),          // 17
        dataBox(u"aj2"_s, 6600),       // 18
        dataBox(u"gd"_s, 6015),        // 19
        dataBox(u"cl"_s, 375),         // 20
        authorityBox(u"dw"_s, 2775),   // 21
        dataBox(u"nian"_s, 375, 4),    // 22
        dataBox(u"yue"_s, 200, 2),     // 23
        dataBox(u"ri"_s, 200, 2),      // 24
    };
    d.groups = {{2, 3}, {9, 11}, {17, 18}};

    WindowDesign &w = d.window;
    w.width = 8190;
    w.height = 8265;
    w.rightMargin = lineEnd;
    w.deleteBoxLeft = w.width - 1455;
    w.underlineBoxes = true; // every box but the locked authority box
    const QString date = u"年    月    日"_s;
    const int numberLeft = lineEnd - 2175;
    const int numberLabel = numberLeft - gridWidthTwips(u"编号："_s, 9);
    // The letter's date at the right end of the attachment line.
    const int dateLeft = lineEnd - 375 - gridWidthTwips(date, 9);
    // The authority centred in the right half.
    const int authorityLeft = (textLeft + lineEnd) / 2 + ((lineEnd - textLeft) / 2 - 2775) / 2;
    w.rows = {
        {120, RowAlign::Centre, {text(u"卫  生  行  政  执  法  处  罚  文  书"_s, autoPlace, 12)}},
        {600, RowAlign::Centre, {text(u"案件移送书存根"_s, autoPlace, 18, true)}},
        {1080, RowAlign::Left, {text(u"编号："_s, numberLabel), box(0, numberLeft)}},
        {1380, RowAlign::Left, {text(u"当 事 人："_s, textLeft), box(1)}},
        {1680, RowAlign::Left, {text(u"案    由："_s, textLeft), box(2)}},
        {1980, RowAlign::Left, {box(3, textLeft)}},
        {2280, RowAlign::Left, {text(u"移送日期："_s, textLeft), box(4), textWithBoxes(date, {5, 6})}},
        {2580, RowAlign::Left, {text(u"受移送机关："_s, textLeft), box(7)}},
        {2880, RowAlign::Left, {text(u"经 办 人："_s, textLeft), box(8)}},
        {3180, RowAlign::Left, {text(u"备    注："_s, textLeft), box(9)}},
        {3480, RowAlign::Left, {box(10, textLeft)}},
        {3780, RowAlign::Left, {box(11, textLeft)}},
        windowSeam(4140),
        {4440, RowAlign::Centre, {text(u"案 件 移 送 书"_s, autoPlace, 18, true)}},
        {4920, RowAlign::Left, {text(u"编号："_s, numberLabel), box(12, numberLeft)}},
        {5220, RowAlign::Left, {box(13, textLeft)}},
        {5520, RowAlign::Left,
         {textWithBoxes(u"我局于     年   月  日受理的"_s, {14, 15, 16}, indent), box(17)}},
        {5820, RowAlign::Left, {box(18, textLeft), text(u"案件，"_s)}},
        {6120, RowAlign::Left, {text(u"根据"_s, textLeft), box(19), text(u"的规定，"_s)}},
        {6420, RowAlign::Left, {text(u"应当由你厅（局）处理。"_s, textLeft)}},
        {6720, RowAlign::Left, {text(u"特此移送。案件查处结果请函告我局备查。"_s, indent)}},
        {7020, RowAlign::Left, {box(21, authorityLeft)}},
        {7320, RowAlign::Left,
         {text(u"附件：有关材料"_s, textLeft), box(20), text(u"件。"_s), box(22, dateLeft),
          textWithBoxes(date, {23, 24})}},
        {7800, RowAlign::Right, {text(u"中华人民共和国卫生部制定"_s)}},
    };
    w.lines = {
        hline(textLeft, lineEnd, 480),
        hline(textLeft, lineEnd, 7680),
    };
    d.report = printedForm();
    return d;
}

} // namespace

const DocumentDescription &ajysDescription()
{
    static const DocumentDescription d = make();
    return d;
}

} // namespace kelm
