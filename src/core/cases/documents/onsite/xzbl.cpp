#include "cases/documents/onsite/xzbl.h"

#include "cases/documents/onsite/formparts.h"

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

using namespace onsite;

// rep_xzbl: 宋体 12 pt under the heading with its hand-written page line.
// The findings print whole, in as many lines as they take; the two
// signatures are written by hand: their labels print, their columns do not.
report::ReportLayout printedForm()
{
    using namespace report;
    ReportLayout r = documentReport(documentAt(0));
    r.reportHeader = printedHeading(u" 现场检查笔录"_s, true);
    r.detail.height = 13000;
    addItems(r.detail, printedLine(0, 165, u"被检查人："_s, u"bjcr"_s));
    addItems(r.detail, printedLine(0, 585, u"检查机关："_s, u"jcjg"_s));
    addItems(r.detail, printedLine(0, 1005, u"检查地点："_s, u"jcdd"_s));
    addItems(r.detail, printedTimeLine(1425, u"检查时间："_s,
                                       {u"jcsj_n"_s, u"jcsj_y"_s, u"jcsj_r"_s, u"jcsj_s"_s, u"jcsj_f"_s,
                                        u"jcsj_s2"_s, u"jcsj_f2"_s}));
    addItems(r.detail, {label(0, 1845, u"检查记录："_s, 1200), field(0, 2265, printedWidth, u"jcjl"_s).grows(8640),
                        label(0, 11220, u"被检查人阅后签名："_s, 2160), label(5400, 11220, u"检查人员签名："_s, 1680)});
    addItems(r.detail, printedRecordFoot({u"bc_y"_s, u"bc_m"_s, u"bc_d"_s}, {u"jc_y"_s, u"jc_m"_s, u"jc_d"_s}));
    return r;
}

DocumentDescription make()
{
    DocumentDescription d;
    d.document = documentAt(0);
    const BoxSpec findings = memoBox(u"jcjl"_s, BoxSave::ReadBack);
    // Width 0: the box reaches the right margin. A box laid over a
    // label's blanks takes their width.
    d.boxes = {
        dataBox(u"bjcr"_s, 0),         // 0
        dataBox(u"jcjg"_s, 0),         // 1
        dataBox(u"jcdd"_s, 0),         // 2
        dataBox(u"jcsj_n"_s, 375, 4),  // 3 the inspection's date
        dataBox(u"jcsj_y"_s, 360, 2),  // 4
        dataBox(u"jcsj_r"_s, 360, 2),  // 5
        dataBox(u"jcsj_s"_s, 540, 2),  // 6 from
        dataBox(u"jcsj_f"_s, 360, 2),  // 7
        dataBox(u"jcsj_s2"_s, 540, 2), // 8 to
        dataBox(u"jcsj_f2"_s, 360, 2), // 9
        findings,                      // 10
        handBox(u"bcqm"_s, 1440),      // 11 the inspected party's signature
        handBox(u"bc_y"_s, 360),       // 12 and its date, red as the signature
        handBox(u"bc_m"_s, 180),       // 13
        handBox(u"bc_d"_s, 180),       // 14
        handBox(u"jcqm"_s, 1440),      // 15 the inspectors' signature
        handBox(u"jc_y"_s, 360),       // 16 and its date
        handBox(u"jc_m"_s, 180),       // 17
        handBox(u"jc_d"_s, 180),       // 18
    };

    WindowDesign &w = d.window;
    w.width = 8190;
    w.height = 7320;
    w.deleteBoxLeft = w.width - 1455;
    w.background = WindowBackground::System;
    w.underlineBoxes = true;
    const QString signatureDate = u"    年  月  日"_s;
    const int leftSignature = textLeft + gridWidthTwips(u"被检查人阅后签名："_s, 9);
    const int rightSignature = textRight - 1440;
    w.rows = windowHeading(u"现场检查笔录"_s);
    addRows(w.rows, {
        {autoPlace, RowAlign::Left, {text(u"被检查人："_s), box(0)}},
        {autoPlace, RowAlign::Left, {text(u"检查机关："_s), box(1)}},
        {autoPlace, RowAlign::Left, {text(u" 检查地点："_s), box(2)}},
        windowTimeLine(u"检查时间："_s, 3),
        {autoPlace, RowAlign::Left, {text(u"检查记录："_s)}},
        {autoPlace, RowAlign::Left, {box(10)}},
        {autoPlace, RowAlign::Left,
         {text(u"被检查人阅后签名："_s), box(11),
          text(u"检查人员签名："_s, rightSignature - gridWidthTwips(u"检查人员签名："_s, 9)), box(15)}},
        {autoPlace, RowAlign::Left,
         {textWithBoxes(signatureDate, {12, 13, 14}, leftSignature),
          textWithBoxes(signatureDate, {16, 17, 18}, rightSignature)}},
    });
    addRows(w.rows, windowFooter());
    d.report = printedForm();
    return d;
}

} // namespace

const DocumentDescription &xzblDescription()
{
    static const DocumentDescription d = make();
    return d;
}

} // namespace kelm
