#include "cases/documents/enforcement/sdhz.h"

#include "cases/documents/enforcement/formparts.h"

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

using namespace enforcement;

// rep_sdhz: the body in 宋体 12 pt, no field underlined. The signatures are
// written by hand: their labels print, blank space follows them.
report::ReportLayout printedForm()
{
    using namespace report;
    ReportLayout r = documentReport(documentAt(16));
    r.reportHeader = printedHeading(u"送 达 回 执 存 根"_s);
    r.detail.height = 9780;
    r.detail.items = {
        label(6000, 0, u"编号："_s, 720),
        field(6720, 0, 2925, u"bh1"_s),
        label(0, 420, u"受送达人："_s, 1200),
        field(1200, 420, 8445, u"ssdr"_s),
        label(0, 840, u"送达文件："_s, 1200),
        field(1200, 840, 8445, u"sdwj1"_s),
        label(0, 1260, u"送达方式："_s, 1200),
        field(1200, 1260, 8445, u"sdfs"_s),
        label(0, 1680, u"送达地点："_s, 1200),
        field(1200, 1680, 8445, u"sddd1"_s),
        label(0, 2100, u"送 达 人："_s, 1200),
        field(1200, 2100, 8445, u"sdr"_s),
        label(0, 2520, u"送达时间："_s, 1200),
        field(1200, 2520, 8445, u"sdsj"_s),
        label(0, 2940, u"备    注："_s, 1200),
        field(480, 3360, 9165, u"bz1"_s),
        field(0, 3780, 9645, u"bz2"_s),
        printedTitle(u"送 达 回 执"_s, 4800),
        label(6000, 5460, u"编号："_s, 720),
        field(6720, 5460, 2925, u"bh2"_s),
        label(0, 5880, u"送达文件："_s, 1200),
        field(1200, 5880, 8445, u"sdwj2"_s),
        label(0, 6300, u"送达地点："_s, 1200),
        field(1200, 6300, 8445, u"sddd2"_s),
        label(0, 6960, u"受送达人签名："_s, 1680),
        label(5400, 6960, u"送达人签名："_s, 1440),
        field(1680, 7500, 480, u"nian1"_s),
        label(2160, 7500, u"年   月   日"_s, 1440),
        field(2400, 7500, 360, u"yue1"_s),
        field(3000, 7500, 360, u"ri1"_s),
        field(6840, 7500, 480, u"nian2"_s),
        label(7320, 7500, u"年   月   日"_s, 1440),
        field(7560, 7500, 360, u"yue2"_s),
        field(8160, 7500, 360, u"ri2"_s),
        label(0, 7980, u"备    注："_s, 1200),
        field(480, 8400, 9165, u"bz3"_s),
        field(0, 8820, 9645, u"bz4"_s),
    };
    addItems(r.detail, printedSeam(4320));
    addItems(r.detail, printedFooter(9300));
    return r;
}

DocumentDescription make()
{
    DocumentDescription d;
    d.document = documentAt(16);
    // Width 0: the box runs to the end of its line. A box laid over a
    // label's blanks takes their width.
    d.boxes = {
        dataBox(u"bh1"_s, 2175),      // 0 the stub
        dataBox(u"ssdr"_s, 0),        // 1
        dataBox(u"sdwj1"_s, 0),       // 2
        dataBox(u"sdfs"_s, 0),        // 3
        dataBox(u"sddd1"_s, 0),       // 4
        dataBox(u"sdr"_s, 0),         // 5
        dataBox(u"sdsj"_s, 0),        // 6 one free text
        dataBox(u"bz1"_s, 0),         // 7
        dataBox(u"bz2"_s, 0),         // 8
        dataBox(u"bh2"_s, 2175),      // 9 the receipt
        dataBox(u"sdwj2"_s, 0),       // 10
        dataBox(u"sddd2"_s, 0),       // 11
        handBox(u"ssdrqm"_s, 1935),   // 12
        handBox(u"sdrqm"_s, 1875),    // 13
        dataBox(u"nian1"_s, 375, 4),  // 14
        dataBox(u"yue1"_s, 200, 2),   // 15
        dataBox(u"ri1"_s, 200, 2),    // 16
        dataBox(u"nian2"_s, 375, 4),  // 17
        dataBox(u"yue2"_s, 200, 2),   // 18
        dataBox(u"ri2"_s, 200, 2),    // 19
        dataBox(u"bz3"_s, 0),         // 20
        dataBox(u"bz4"_s, 0),         // 21
    };
    d.groups = {{7, 8}, {20, 21}};

    WindowDesign &w = d.window;
    w.width = 8070;
    w.height = 8145;
    w.rightMargin = lineEnd;
    w.deleteBoxLeft = w.width - 1455;
    w.underlineBoxes = true;
    const QString date = u"年    月    日"_s;
    const int numberLeft = lineEnd - 2175;
    const int numberLabel = numberLeft - gridWidthTwips(u"编号："_s, 9);
    // Each signature with its date under it: the person served at the left,
    // the server at the right.
    const int servedLeft = textLeft + gridWidthTwips(u"受送达人签名："_s, 9);
    const int serverLeft = lineEnd - 1875;
    const int serverLabel = serverLeft - gridWidthTwips(u"送达人签名："_s, 9);
    const int serverDate = lineEnd - 375 - gridWidthTwips(date, 9);
    w.rows = {
        {120, RowAlign::Centre, {text(u"卫  生  行  政  执  法  处  罚  文  书"_s, autoPlace, 12)}},
        {600, RowAlign::Centre, {text(u" 送达回执存根"_s, autoPlace, 18, true)}},
        {1080, RowAlign::Left, {text(u"编号："_s, numberLabel), box(0, numberLeft)}},
        {1380, RowAlign::Left, {text(u"受送达人："_s, textLeft), box(1)}},
        {1680, RowAlign::Left, {text(u"送达文件："_s, textLeft), box(2)}},
        {1980, RowAlign::Left, {text(u"送达方式："_s, textLeft), box(3)}},
        {2280, RowAlign::Left, {text(u"送达地点："_s, textLeft), box(4)}},
        {2580, RowAlign::Left, {text(u"送 达 人："_s, textLeft), box(5)}},
        {2880, RowAlign::Left, {text(u"送达时间："_s, textLeft), box(6)}},
        {3180, RowAlign::Left, {text(u"备注："_s, textLeft)}},
        {3420, RowAlign::Left, {box(7, indent)}},
        {3720, RowAlign::Left, {box(8, textLeft)}},
        windowSeam(4080),
        {4380, RowAlign::Centre, {text(u"送 达 回 执"_s, autoPlace, 18, true)}},
        {4860, RowAlign::Left, {text(u"编号："_s, numberLabel), box(9, numberLeft)}},
        {5160, RowAlign::Left, {text(u"送达文件："_s, textLeft), box(10)}},
        {5460, RowAlign::Left, {text(u"送达地点："_s, textLeft), box(11)}},
        {5880, RowAlign::Left,
         {text(u"受送达人签名："_s, textLeft), box(12, servedLeft), text(u"送达人签名："_s, serverLabel),
          box(13, serverLeft)}},
        {6240, RowAlign::Left,
         {box(14, servedLeft), textWithBoxes(date, {15, 16}), box(17, serverDate), textWithBoxes(date, {18, 19})}},
        {6600, RowAlign::Left, {text(u"备注："_s, textLeft)}},
        {6840, RowAlign::Left, {box(20, indent)}},
        {7140, RowAlign::Left, {box(21, textLeft)}},
        {7680, RowAlign::Right, {text(u"中华人民共和国卫生部制定"_s)}},
    };
    w.lines = {
        hline(textLeft, lineEnd, 480),
        hline(textLeft, lineEnd, 7560),
    };
    // The service time first: the window opens with the caret in it.
    w.tabOrder = {6, 13, 3, 9, 0, 1, 2, 4, 5, 7, 11, 12, 17, 18, 19, 8, deleteBoxTab, 14, 15, 16, 20, 21, 10};
    d.report = printedForm();
    return d;
}

} // namespace

const DocumentDescription &sdhzDescription()
{
    static const DocumentDescription d = make();
    return d;
}

} // namespace kelm
