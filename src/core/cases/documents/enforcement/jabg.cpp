#include "cases/documents/enforcement/jabg.h"

#include "cases/documents/enforcement/formparts.h"

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

using namespace enforcement;

// rep_jabg: the body in 宋体 12 pt. Both signatures are written by hand:
// their labels print, their places stay empty.
report::ReportLayout printedForm()
{
    using namespace report;
    ReportLayout r = documentReport(documentAt(10));
    r.reportHeader = printedHeading(u"结  案  报  告"_s);
    r.detail.height = 9900;
    r.detail.items = {
        label(0, 165, u"当 事 人："_s, 1200),
        field(1200, 165, 8445, u"dss"_s),
        label(0, 645, u"案件来源："_s, 1200),
        field(1200, 645, 8445, u"ajly"_s),
        label(0, 1125, u"立案日期："_s, 1200),
        label(1200, 1125, u"     年   月   日"_s, 2040),
        field(1200, 1125, 600, u"la_y"_s),
        field(2040, 1125, 360, u"la_m"_s),
        field(2640, 1125, 360, u"la_d"_s),
        line(1200, 1410, 1800, 1410),
        line(2040, 1410, 2400, 1410),
        line(2640, 1410, 3000, 1410),
        label(0, 1605, u"案  由："_s, 960).bolded(),
        field(480, 2085, 9165, u"ay"_s),
        label(0, 2565, u"(1)行政处罚决定书文号："_s, 2760),
        field(2760, 2565, 6885, u"xzsfh"_s),
        label(480, 3045, u"执行方式："_s, 1200),
        field(1680, 3045, 7965, u"zxyq"_s),
        label(480, 3525, u"执行日期："_s, 1200),
        field(1680, 3525, 7965, u"zxfs"_s),
        label(480, 4005, u"执行结果："_s, 1200),
        field(1680, 4005, 7965, u"zxjg"_s),
        label(0, 4485, u"(2)不作行政处罚的理由："_s, 2760),
        field(2760, 4485, 6885, u"bszfly1"_s),
        field(0, 4965, 9645, u"bszfly2"_s),
        label(480, 5445, u"建议本案予以结案。"_s, 2160),
        label(0, 6165, u"承办人签名："_s, 1440),
        bar(0, 6645, printedWidth),
        label(0, 6825, u"负责人审批意见："_s, 1920).bolded(),
        field(0, 7305, 9645, u"spyj"_s),
        label(0, 8265, u"负责人签名："_s, 1440),
        field(5400, 8265, 4245, u"xzjg"_s).centred(),
    };
    addItems(r.detail, printedDate(7800, 6165, u"pbsj_y"_s, u"pbsj_m"_s, u"pbsj_d"_s));
    addItems(r.detail, printedDate(6690, 8745, u"mya"_s, u"yuo"_s, u"yi"_s));
    addItems(r.detail, printedFooter(9300));
    return r;
}

DocumentDescription make()
{
    DocumentDescription d;
    d.document = documentAt(10);
    // Width 0: the box runs to the end of its line. A box laid over a
    // label's blanks takes their width.
    d.boxes = {
        dataBox(u"dss"_s, 0),           // 0
        dataBox(u"ajly"_s, 0),          // 1
        dataBox(u"la_y"_s, 375),        // 2
        dataBox(u"la_m"_s, 200),        // 3
        dataBox(u"la_d"_s, 255),        // 4
        dataBox(u"ay"_s, 0),            // 5
        dataBox(u"xzsfh"_s, 0),         // 6
        dataBox(u"zxyq"_s, 0),          // 7 manner of execution
        dataBox(u"zxfs"_s, 0),          // 8 date of execution
        dataBox(u"zxjg"_s, 0),          // 9
        dataBox(u"bszfly1"_s, 0),       // 10
        dataBox(u"bszfly2"_s, 0),       // 11
        handBox(u"cbr"_s, 2775),        // 12
        dataBox(u"pbsj_y"_s, 375),      // 13
        dataBox(u"pbsj_m"_s, 200),      // 14
        dataBox(u"pbsj_d"_s, 255),      // 15
        dataBox(u"spyj"_s, 0),          // 16
        handBox(u"fzr"_s, 1935),        // 17
        authorityBox(u"xzjg"_s, 2775),  // 18
        dataBox(u"mya"_s, 375),         // 19
        dataBox(u"yuo"_s, 200),         // 20
        dataBox(u"yi"_s, 200),          // 21
    };
    d.groups = {{10, 11}};
    d.pointerReset = true;

    WindowDesign &w = d.window;
    w.width = 8115;
    w.height = 8040;
    w.rightMargin = lineEnd;
    w.deleteBoxLeft = w.width - 1455;
    w.background = WindowBackground::System;
    w.underlineBoxes = true; // every box but the locked authority box
    const QString date = u"年    月   日"_s;
    // The dates at the right end of their lines.
    const int dateLeft = lineEnd - 375 - gridWidthTwips(date, 9);
    // The approval date under the authority, centred under it.
    const int authorityLeft = lineEnd - 2775;
    const int approvalLeft = authorityLeft + (2775 - 375 - gridWidthTwips(date, 9)) / 2;
    w.rows = {
        {120, RowAlign::Centre, {text(u"卫  生  行  政  执  法  处  罚  文  书"_s, autoPlace, 12)}},
        {600, RowAlign::Centre, {text(u"结  案  报  告"_s, autoPlace, 18, true)}},
        {1080, RowAlign::Left, {text(u"当 事 人："_s, textLeft), box(0)}},
        {1440, RowAlign::Left, {text(u"案件来源："_s, textLeft), box(1)}},
        {1800, RowAlign::Left, {text(u"立案日期："_s, textLeft), box(2), textWithBoxes(date, {3, 4})}},
        {2160, RowAlign::Left, {text(u"案  由："_s, textLeft, 9, true)}},
        {2400, RowAlign::Left, {box(5, indent)}},
        {2760, RowAlign::Left, {text(u"(1)行政处罚决定书文号："_s, textLeft), box(6)}},
        {3120, RowAlign::Left, {text(u"执行方式："_s, indent), box(7)}},
        {3480, RowAlign::Left, {text(u"执行日期："_s, indent), box(8)}},
        {3840, RowAlign::Left, {text(u"执行结果："_s, indent), box(9)}},
        {4200, RowAlign::Left, {text(u"(2)不作行政处罚的理由："_s, textLeft), box(10)}},
        {4560, RowAlign::Left, {box(11, textLeft)}},
        {4920, RowAlign::Left, {text(u"建议本案予以结案。"_s, indent)}},
        {5400, RowAlign::Left,
         {text(u"承办人签名："_s, textLeft), box(12), box(13, dateLeft), textWithBoxes(date, {14, 15})}},
        {5880, RowAlign::Left, {text(u"负责人审批意见："_s, textLeft, 9, true)}},
        {6120, RowAlign::Left, {box(16, textLeft)}},
        {6600, RowAlign::Left, {text(u"负责人签名："_s, textLeft), box(17), box(18, authorityLeft)}},
        {6960, RowAlign::Left, {box(19, approvalLeft), textWithBoxes(date, {20, 21})}},
        {7560, RowAlign::Right, {text(u"中华人民共和国卫生部制定"_s)}},
    };
    w.lines = {
        hline(textLeft, lineEnd, 480),
        hline(textLeft, lineEnd, 5760),
        hline(textLeft, lineEnd, 7440),
    };
    // Tab: the filing date's parts come last, after the delete-on-close box.
    w.tabOrder = {0, 1};
    for (int i = 5; i <= 21; ++i)
        w.tabOrder.push_back(i);
    w.tabOrder.insert(w.tabOrder.end(), {deleteBoxTab, 2, 3, 4});
    d.report = printedForm();
    return d;
}

} // namespace

const DocumentDescription &jabgDescription()
{
    static const DocumentDescription d = make();
    return d;
}

} // namespace kelm
