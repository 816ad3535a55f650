#include "cases/documents/onsite/xwbl.h"

#include "cases/documents/onsite/formparts.h"

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

using namespace onsite;

// rep_xwbl: 宋体 12 pt under the heading with its hand-written page line.
// The questions and answers print whole, in as many lines as they take;
// the three signatures are written by hand: their labels print, their
// columns do not.
report::ReportLayout printedForm()
{
    using namespace report;
    ReportLayout r = documentReport(documentAt(12));
    r.reportHeader = printedHeading(u"询  问  笔  录"_s, true);
    r.detail.height = 13000;
    addItems(r.detail, printedLine(0, 165, u"被询问人："_s, u"bxwr"_s));
    addItems(r.detail, printedLine(0, 585, u"询问机关："_s, u"xwjg"_s));
    addItems(r.detail, printedLine(0, 1005, u"询问地点："_s, u"xwdd"_s));
    addItems(r.detail, printedTimeLine(1425, u"询问时间："_s,
                                       {u"xwsj_n"_s, u"xwsj_y"_s, u"xwsj_r"_s, u"xwsj_s1"_s, u"xwsj_f1"_s,
                                        u"xwsj_s2"_s, u"xwsj_f2"_s}));
    addItems(r.detail, {label(0, 1845, u"询问内容："_s, 1200), field(0, 2265, printedWidth, u"xwnr"_s).grows(8160),
                        label(0, 10740, u"被询问人阅后签名："_s, 2160), label(5400, 10740, u"询问人签名："_s, 1440),
                        label(5400, 11280, u"记录人签名："_s, 1440)});
    addItems(r.detail, printedRecordFoot({u"nian1"_s, u"yue1"_s, u"ri1"_s}, {u"nian2"_s, u"yue2"_s, u"ri2"_s}));
    return r;
}

DocumentDescription make()
{
    DocumentDescription d;
    d.document = documentAt(12);
    // What was asked and answered: written at each change and left as typed.
    const BoxSpec content = memoBox(u"xwnr"_s, BoxSave::NoReadBack);
    // Width 0: the box reaches the right margin. A box laid over a
    // label's blanks takes their width.
    d.boxes = {
        dataBox(u"bxwr"_s, 0),         // 0
        dataBox(u"xwjg"_s, 0),         // 1
        dataBox(u"xwdd"_s, 0),         // 2
        dataBox(u"xwsj_n"_s, 375, 4),  // 3 the questioning's date
        dataBox(u"xwsj_y"_s, 360, 2),  // 4
        dataBox(u"xwsj_r"_s, 360, 2),  // 5
        dataBox(u"xwsj_s1"_s, 540, 2), // 6 from
        dataBox(u"xwsj_f1"_s, 360, 2), // 7
        dataBox(u"xwsj_s2"_s, 540, 2), // 8 to
        dataBox(u"xwsj_f2"_s, 360, 2), // 9
        content,                       // 10
        handBox(u"bxwrqm"_s, 1440),    // 11 the person questioned
        handBox(u"xwrqm"_s, 1440),     // 12 the questioner
        handBox(u"jlrqm"_s, 1440),     // 13 the recorder
        dataBox(u"nian1"_s, 375, 4),   // 14 under the person questioned
        dataBox(u"yue1"_s, 360, 2),    // 15
        dataBox(u"ri1"_s, 360, 2),     // 16
        dataBox(u"nian2"_s, 375, 4),   // 17 under the questioner and recorder
        dataBox(u"yue2"_s, 360, 2),    // 18
        dataBox(u"ri2"_s, 360, 2),     // 19
    };

    WindowDesign &w = d.window;
    w.width = 8190;
    w.height = 7680;
    w.deleteBoxLeft = w.width - 1455;
    w.underlineBoxes = true;
    const int leftSignature = textLeft + gridWidthTwips(u"被询问人阅后签名："_s, 9);
    const int rightLabels = textRight - 1440 - gridWidthTwips(u"询问人签名："_s, 9);
    const int rightDate = textRight - 375 - gridWidthTwips(u"年    月    日"_s, 9);
    w.rows = windowHeading(u"询  问  笔  录"_s);
    addRows(w.rows, {
        {autoPlace, RowAlign::Left, {text(u"被询问人："_s), box(0)}},
        {autoPlace, RowAlign::Left, {text(u"询问机关："_s), box(1)}},
        {autoPlace, RowAlign::Left, {text(u"询问地点："_s), box(2)}},
        windowTimeLine(u"询问时间："_s, 3),
        {autoPlace, RowAlign::Left, {text(u"询问内容："_s)}},
        {autoPlace, RowAlign::Left, {box(10)}},
        {autoPlace, RowAlign::Left,
         {text(u"被询问人阅后签名："_s), box(11), text(u"询问人签名："_s, rightLabels), box(12)}},
        {autoPlace, RowAlign::Left, {text(u"记录人签名："_s, rightLabels), box(13)}},
        windowDates(14, leftSignature, 17, rightDate),
    });
    addRows(w.rows, windowFooter());
    d.report = printedForm();
    return d;
}

} // namespace

const DocumentDescription &xwblDescription()
{
    static const DocumentDescription d = make();
    return d;
}

} // namespace kelm
