#include "cases/documents/onsite/cssb.h"

#include "cases/documents/onsite/formparts.h"

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

using namespace onsite;

// rep_cssb: 宋体 12 pt under the heading with its hand-written page line.
// The statement prints whole, in as many lines as it takes; the three
// signatures are written by hand: their labels print, their columns do not.
report::ReportLayout printedForm()
{
    using namespace report;
    ReportLayout r = documentReport(documentAt(11));
    r.reportHeader = printedHeading(u"陈述和申辩笔录"_s, true);
    r.detail.height = 13000;
    addItems(r.detail, printedLine(0, 165, u"当 事 人："_s, u"dsr"_s));
    addItems(r.detail, printedLine(0, 585, u"陈述申辩人："_s, u"csr"_s));
    addItems(r.detail, printedLine(0, 1005, u"承办机关："_s, u"cbjg"_s));
    addItems(r.detail, printedLine(0, 1425, u"承 办 人："_s, u"cbr"_s));
    addItems(r.detail, printedLine(0, 1845, u"陈述和申辩地点："_s, u"csdd"_s));
    addItems(r.detail, printedTimeLine(2265, u"陈述和申辩时间："_s,
                                       {u"cssj_n"_s, u"cssj_y"_s, u"cssj_r"_s, u"cssj_s1"_s, u"cssj_f1"_s,
                                        u"cssj_s2"_s, u"cssj_f2"_s}));
    addItems(r.detail, {label(0, 2685, u"陈述和申辩内容："_s, 1920),
                        field(0, 3105, printedWidth, u"csnr"_s).grows(7440),
                        label(0, 10740, u"陈述申辩人阅后签名："_s, 2400), label(5400, 10740, u"承办人签名："_s, 1440),
                        label(5400, 11280, u"记录人签名："_s, 1440)});
    addItems(r.detail, printedRecordFoot({u"nian1"_s, u"yue1"_s, u"ri1"_s}, {u"nian2"_s, u"yue2"_s, u"ri2"_s}));
    return r;
}

DocumentDescription make()
{
    DocumentDescription d;
    d.document = documentAt(11);
    // What the party states: written at each change and left as typed.
    const BoxSpec content = memoBox(u"csnr"_s, BoxSave::NoReadBack);
    // Width 0: the box reaches the right margin. A box laid over a
    // label's blanks takes their width.
    d.boxes = {
        dataBox(u"dsr"_s, 0),          // 0
        dataBox(u"csr"_s, 0),          // 1
        dataBox(u"cbjg"_s, 0),         // 2
        dataBox(u"cbr"_s, 0),          // 3
        dataBox(u"csdd"_s, 0),         // 4
        dataBox(u"cssj_n"_s, 375, 4),  // 5 the statement's date
        dataBox(u"cssj_y"_s, 360, 2),  // 6
        dataBox(u"cssj_r"_s, 360, 2),  // 7
        dataBox(u"cssj_s1"_s, 540, 2), // 8 from
        dataBox(u"cssj_f1"_s, 360, 2), // 9
        dataBox(u"cssj_s2"_s, 540, 2), // 10 to
        dataBox(u"cssj_f2"_s, 360, 2), // 11
        content,                       // 12
        handBox(u"csrqm"_s, 1440),     // 13 the speaker
        handBox(u"cbrqm"_s, 1440),     // 14 the case officer
        handBox(u"jlrqm"_s, 1440),     // 15 the recorder
        dataBox(u"nian1"_s, 375, 4),   // 16 under the speaker's signature
        dataBox(u"yue1"_s, 360, 2),    // 17
        dataBox(u"ri1"_s, 360, 2),     // 18
        dataBox(u"nian2"_s, 375, 4),   // 19 under the officers' signatures
        dataBox(u"yue2"_s, 360, 2),    // 20
        dataBox(u"ri2"_s, 360, 2),     // 21
    };

    WindowDesign &w = d.window;
    w.width = 8190;
    w.height = 8400;
    w.deleteBoxLeft = w.width - 1455;
    w.underlineBoxes = true;
    // Tab follows the page: the speaker's date under the speaker's
    // signature, then the officers' signatures and their date.
    w.tabOrder = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 16, 17, 18, 14, 15, 19, 20, 21, deleteBoxTab};
    const int leftSignature = textLeft + gridWidthTwips(u"陈述申辩人阅后签名："_s, 9);
    const int rightLabels = textRight - 1440 - gridWidthTwips(u"承办人签名："_s, 9);
    const int rightDate = textRight - 375 - gridWidthTwips(u"年    月    日"_s, 9);
    w.rows = windowHeading(u"陈述和申辩笔录"_s);
    addRows(w.rows, {
        {autoPlace, RowAlign::Left, {text(u"当 事 人："_s), box(0)}},
        {autoPlace, RowAlign::Left, {text(u"陈述申辩人："_s), box(1)}},
        {autoPlace, RowAlign::Left, {text(u"承办机关："_s), box(2)}},
        {autoPlace, RowAlign::Left, {text(u"承 办 人："_s), box(3)}},
        {autoPlace, RowAlign::Left, {text(u"陈述和申辩地点："_s), box(4)}},
        windowTimeLine(u"陈述和申辩时间："_s, 5),
        {autoPlace, RowAlign::Left, {text(u"陈述和申辩内容："_s)}},
        {autoPlace, RowAlign::Left, {box(12)}},
        {autoPlace, RowAlign::Left,
         {text(u"陈述申辩人阅后签名："_s), box(13), text(u"承办人签名："_s, rightLabels), box(14)}},
        {autoPlace, RowAlign::Left, {text(u"记录人签名："_s, rightLabels), box(15)}},
        windowDates(16, leftSignature, 19, rightDate),
    });
    addRows(w.rows, windowFooter());
    d.report = printedForm();
    return d;
}

} // namespace

const DocumentDescription &cssbDescription()
{
    static const DocumentDescription d = make();
    return d;
}

} // namespace kelm
