#include "cases/documents/onsite/cyjl.h"

#include "cases/documents/onsite/formparts.h"

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

using namespace onsite;

// rep_cyjl: the record and its sample label in one block, 宋体 12 pt, no
// page line. Underlines only under the sampling time and the provisions;
// the two signatures are written by hand: their labels print, their
// columns do not.
report::ReportLayout printedForm()
{
    using namespace report;
    constexpr int pitch = 480;
    ReportLayout r = documentReport(documentAt(13));
    r.reportHeader = printedHeading(u"采  样  记  录"_s, false);
    r.detail.height = 11640;
    Section &s = r.detail;
    // Record: a line every pitch from the top. A field followed on its line
    // by another entry's caption ends one character before it, so that a
    // full field never reads on into the caption.
    auto at = [](int line) { return 60 + line * pitch; };
    addItems(s, printedLine(printedWidth - 720 - 2880, at(0), u"编号："_s, u"bh1"_s, 2880));
    addItems(s, printedLine(0, at(1), u"被采样人："_s, u"bcyr"_s));
    addItems(s, printedLine(0, at(2), u"采样机构："_s, u"cyjg"_s));
    addItems(s, printedLine(0, at(3), u"样品名称："_s, u"ypmc1"_s, 4080));
    addItems(s, printedLine(5520, at(3), u"样品编号："_s, u"ypbh1"_s));
    addItems(s, printedLine(0, at(4), u"样品生产单位："_s, u"ypscdw1"_s));
    addItems(s, printedLine(0, at(5), u"样品规格："_s, u"ypgg"_s, 4080));
    addItems(s, printedLine(5520, at(5), u"采样数量："_s, u"cysl"_s));
    addItems(s, printedLine(0, at(6), u"采样方式："_s, u"cyfs"_s));
    s.items.push_back(label(0, at(7), u"采样时间："_s, 1200));
    addItems(s, printedDate(1200, at(7), {u"cysj_n"_s, u"cysj_y"_s, u"cysj_r"_s}, u"年   月   日"_s, true));
    s.items.push_back(label(3120, at(7), u"     时   分"_s, 1440));
    s.items.push_back(field(3120, at(7), 600, u"cysj_s"_s));
    s.items.push_back(line(3120, at(7) + 285, 3720, at(7) + 285));
    s.items.push_back(field(3960, at(7), 360, u"cysj_f"_s));
    s.items.push_back(line(3960, at(7) + 285, 4320, at(7) + 285));
    addItems(s, printedLine(0, at(8), u"采样地点："_s, u"cydd"_s));
    addItems(s, printedLine(0, at(9), u"采样目的："_s, u"cymd"_s));
    addItems(s, {label(480, at(10), u"已按照"_s, 720), field(1200, at(10), 7680, u"gd"_s),
                 line(1200, at(10) + 285, 8880, at(10) + 285), label(8880, at(10), u"规定"_s, 480),
                 label(0, at(11), u"无偿采取以上样品作鉴定检验使用。"_s, 3840),
                 label(0, at(12) + 120, u"被采样人签名："_s, 1680), label(5400, at(12) + 120, u"采样人签名："_s, 1440)});
    addItems(s, printedDate(1680, at(14), {u"bqm_n"_s, u"bqm_y"_s, u"bqm_r"_s}, u"年   月   日"_s, false));
    addItems(s, printedDate(6840, at(14), {u"cqm_n"_s, u"cqm_y"_s, u"cqm_r"_s}, u"年   月   日"_s, false));
    s.items.push_back(
        label(0, at(15), u"备注：采样记录一式三份，第一份交被采样人作为凭证，第二份随样品送检，第三份留存卷宗备查。"_s,
              printedWidth)
            .size(10.5));
    const QString footer = u"中华人民共和国卫生部制定"_s;
    s.items.push_back(label(printedWidth - 2880, at(16), footer, 2880));
    addItems(s, printedSeam(at(17) + 120));
    // The sample label.
    s.items.push_back(printedTitle(u"样  品  标  记"_s, at(18) + 120));
    addItems(s, printedLine(printedWidth - 720 - 2880, at(20), u"编号："_s, u"bh2"_s, 2880));
    addItems(s, printedLine(0, at(21), u"样品名称："_s, u"ypmc2"_s));
    addItems(s, printedLine(0, at(22), u"样品生产单位："_s, u"ypscdw2"_s, 4800));
    addItems(s, printedLine(printedWidth - 1680 - 1200, at(22), u"样品编号："_s, u"ypbh2"_s));
    addItems(s, printedLine(0, at(23), u"规格："_s, u"gg"_s, 2640));
    addItems(s, printedLine(3600, at(23), u"数量："_s, u"sl"_s, 2160));
    addItems(s, printedLine(6720, at(23), u"其他标记："_s, u"qtbj"_s));
    s.items.push_back(bar(0, at(24), printedWidth));
    return r;
}

DocumentDescription make()
{
    DocumentDescription d;
    d.document = documentAt(13);
    // Width 0: the box reaches the right margin. A box laid over a
    // label's blanks takes their width.
    d.boxes = {
        dataBox(u"bh1"_s, 2160),       // 0 the record
        dataBox(u"bcyr"_s, 0),         // 1
        dataBox(u"cyjg"_s, 0),         // 2
        dataBox(u"ypmc1"_s, 3240),     // 3
        dataBox(u"ypbh1"_s, 2160),     // 4
        dataBox(u"ypscdw1"_s, 0),      // 5
        dataBox(u"ypgg"_s, 3240),      // 6
        dataBox(u"cysl"_s, 2160),      // 7
        dataBox(u"cyfs"_s, 0),         // 8
        dataBox(u"cysj_n"_s, 375, 4),  // 9 the sampling's date and time
        dataBox(u"cysj_y"_s, 360, 2),  // 10
        dataBox(u"cysj_r"_s, 360, 2),  // 11
        dataBox(u"cysj_s"_s, 360, 2),  // 12
        dataBox(u"cysj_f"_s, 360, 2),  // 13
        dataBox(u"cydd"_s, 0),         // 14
        dataBox(u"cymd"_s, 0),         // 15
        dataBox(u"gd"_s, 5760),        // 16
        handBox(u"bcyrqm"_s, 2160),    // 17 the party sampled
        handBox(u"cyrqm"_s, 1260),     // 18 the sampler
        dataBox(u"bqm_n"_s, 375, 4),   // 19 under the party's signature
        dataBox(u"bqm_y"_s, 360, 2),   // 20
        dataBox(u"bqm_r"_s, 360, 2),   // 21
        dataBox(u"cqm_n"_s, 375, 4),   // 22 under the sampler's signature
        dataBox(u"cqm_y"_s, 360, 2),   // 23
        dataBox(u"cqm_r"_s, 360, 2),   // 24
        dataBox(u"bh2"_s, 2160),       // 25 the sample label
        dataBox(u"ypmc2"_s, 0),        // 26
        dataBox(u"ypscdw2"_s, 3600),   // 27
        dataBox(u"ypbh2"_s, 1260),     // 28
        dataBox(u"gg"_s, 2160),        // 29
        dataBox(u"sl"_s, 1800),        // 30
        dataBox(u"qtbj"_s, 1260),      // 31
    };

    WindowDesign &w = d.window;
    w.width = 8190;
    w.height = 9240;
    w.deleteBoxLeft = w.width - 1455;
    w.underlineBoxes = true;
    const int rightHalf = (textLeft + textRight) / 2;
    const int leftDate = textLeft + gridWidthTwips(u"被采样人签名："_s, 9);
    const int rightDate = rightHalf + gridWidthTwips(u"采样人签名："_s, 9);
    const int labelNumber = textRight - 1260 - gridWidthTwips(u"样品编号："_s, 9);
    w.rows = windowHeading(u"采  样  记  录"_s);
    addRows(w.rows, {
        {autoPlace, RowAlign::Right, {text(u"编号："_s), box(0)}},
        {autoPlace, RowAlign::Left, {text(u"被采样人："_s), box(1)}},
        {autoPlace, RowAlign::Left, {text(u"采样机构："_s), box(2)}},
        {autoPlace, RowAlign::Left, {text(u"样品名称："_s), box(3), text(u"样品编号："_s), box(4)}},
        {autoPlace, RowAlign::Left, {text(u"样品生产单位："_s), box(5)}},
        {autoPlace, RowAlign::Left, {text(u"样品规格："_s), box(6), text(u"采样数量："_s), box(7)}},
        {autoPlace, RowAlign::Left, {text(u"采样方式："_s), box(8)}},
        {autoPlace, RowAlign::Left,
         {text(u"采样时间："_s), box(9), textWithBoxes(u"年    月    日    时    分"_s, {10, 11, 12, 13})}},
        {autoPlace, RowAlign::Left, {text(u"采样地点："_s), box(14)}},
        {autoPlace, RowAlign::Left, {text(u"采样目的："_s), box(15)}},
        {autoPlace, RowAlign::Indent, {text(u"已按照"_s), box(16), text(u"规定"_s)}},
        {autoPlace, RowAlign::Left, {text(u"无偿采取以上样品作鉴定检验使用。"_s)}},
        {autoPlace, RowAlign::Left,
         {text(u"被采样人签名："_s), box(17), text(u"采样人签名："_s, rightHalf), box(18)}},
        windowDates(19, leftDate, 22, rightDate),
        {autoPlace, RowAlign::Left,
         {text(u"备注:采样记录一式三份,第一份交被采样人作为凭证,第二份随样品送检,第三份留存卷宗备查。"_s, autoPlace,
               7.5)}},
        {autoPlace, RowAlign::Right, {text(u"中华人民共和国卫生部制定"_s)}},
        windowSeam(70),
        {autoPlace, RowAlign::Centre, {text(u"样  品  标  记"_s, autoPlace, 18, true)}},
        {autoPlace, RowAlign::Right, {text(u"编号："_s), box(25)}},
        {autoPlace, RowAlign::Left, {text(u"样品名称："_s), box(26)}},
        {autoPlace, RowAlign::Left,
         {text(u"样品生产单位："_s), box(27), text(u"样品编号："_s, labelNumber), box(28)}},
        {autoPlace, RowAlign::Left,
         {text(u"规格："_s), box(29), text(u"数量："_s), box(30), text(u"其他标记："_s), box(31)}, true},
    });
    d.report = printedForm();
    return d;
}

} // namespace

const DocumentDescription &cyjlDescription()
{
    static const DocumentDescription d = make();
    return d;
}

} // namespace kelm
