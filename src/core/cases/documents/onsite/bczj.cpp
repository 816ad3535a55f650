#include "cases/documents/onsite/bczj.h"

#include "cases/documents/onsite/formparts.h"

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

using namespace onsite;

// rep_bczj: the stub and the notice in one block, 宋体 12 pt, no page
// line; every printed entry stands on an underline but the authority's.
// The two signatures are written by hand: their labels print, their
// columns do not.
report::ReportLayout printedForm()
{
    using namespace report;
    constexpr int pitch = 450;
    ReportLayout r = documentReport(documentAt(17));
    r.reportHeader = printedHeading(u"保存证据通知书存根"_s, false);
    r.detail.height = 12360;
    Section &s = r.detail;
    auto at = [](int line) { return 60 + line * pitch; };
    // An entry after its label, on its underline.
    auto entry = [&s](int left, int top, const QString &words, const QString &column, int width = 0) {
        const std::vector<Item> items = printedLine(left, top, words, column, width);
        addItems(s, items);
        const Item &f = items.back();
        s.items.push_back(line(f.left, top + 285, f.left + f.width, top + 285));
    };
    // The stub.
    entry(printedWidth - 720 - 2880, at(0), u"编号："_s, u"bh1"_s, 2880);
    entry(0, at(1), u"当 事 人："_s, u"dsr"_s, 8400);
    entry(0, at(2), u"保存物品："_s, u"bcwp1"_s, 8400);
    entry(1200, at(3), QString(), u"bcwp2"_s, 8400);
    entry(0, at(4), u"保存方式："_s, u"bcfs"_s, 8400);
    entry(0, at(5), u"保存地点："_s, u"bcdd"_s, 8400);
    s.items.push_back(label(0, at(6), u"保存期限："_s, 1200));
    addItems(s, printedDate(1200, at(6), {u"bcqx_n1"_s, u"bcqx_y1"_s, u"bcqx_r1"_s}, u"年   月   日至"_s, true));
    addItems(s, printedDate(3360, at(6), {u"bcqx_n2"_s, u"bcqx_y2"_s, u"bcqx_r2"_s}, u"年   月   日"_s, true));
    addItems(s, {label(0, at(7) + 120, u"当事人签名："_s, 1440), label(5400, at(7) + 120, u"承办人签名："_s, 1440)});
    addItems(s, printedDate(1440, at(9), {u"nian1"_s, u"yue1"_s, u"ri1"_s}, u"年   月   日"_s, false));
    addItems(s, printedDate(6840, at(9), {u"nian2"_s, u"yue2"_s, u"ri2"_s}, u"年   月   日"_s, false));
    addItems(s, printedSeam(at(10) + 120));
    // The notice.
    s.items.push_back(printedTitle(u"保存证据通知书"_s, at(11) + 120));
    entry(printedWidth - 720 - 2880, at(13), u"编号："_s, u"bh2"_s, 2880);
    entry(0, at(14), QString(), u"dw"_s, 4800);
    s.items.push_back(label(480, at(15), u"根据《中华人民共和国行政处罚法》第三十七条第二款规定，我局决定对你（单位）的"_s,
                            printedWidth - 480));
    // "下列物品作为证据以" and "方式于" are one text with room for the method.
    s.items.push_back(label(0, at(16), u"下列物品作为证据以"_s + QString(56, u' ') + u"方式于"_s, 9600));
    s.items.push_back(field(2160, at(16), 6720, u"fs"_s));
    s.items.push_back(line(2160, at(16) + 285, 8880, at(16) + 285));
    entry(0, at(17), QString(), u"bc"_s, 5280);
    s.items.push_back(label(5280, at(17), u"进行登记保存，到"_s, 1920));
    addItems(s, printedDate(7200, at(17), {u"bc_n"_s, u"bc_y"_s, u"bc_r"_s}, u"年   月   日止："_s, true));
    entry(0, at(18), QString(), u"wp1"_s, 9600);
    entry(0, at(19), QString(), u"wp2"_s, 9600);
    s.items.push_back(label(480, at(20), u"以上物品在保存期限内应当妥为保管，未经本局同意，不得销毁或转移。"_s,
                            printedWidth - 480));
    s.items.push_back(field(5280, at(22), 3600, u"jg"_s).centred());
    addItems(s, printedDate(6240, at(23) + 120, {u"nian"_s, u"yue"_s, u"ri"_s}, u"年   月   日"_s, false));
    addItems(s, printedFooter(at(25)));
    return r;
}

DocumentDescription make()
{
    DocumentDescription d;
    d.document = documentAt(17);
    // A box laid over a label's blanks takes their width.
    d.boxes = {
        dataBox(u"bh1"_s, 2175),         // 0 the stub
        dataBox(u"dsr"_s, 6375),         // 1
        dataBox(u"bcwp1"_s, 6375),       // 2 its items preserved
        dataBox(u"bcwp2"_s, 6375),       // 3
        dataBox(u"bcfs"_s, 6375),        // 4
        dataBox(u"bcdd"_s, 6375),        // 5
        dataBox(u"bcqx_n1"_s, 375, 4),   // 6 the period from
        dataBox(u"bcqx_y1"_s, 360, 2),   // 7
        dataBox(u"bcqx_r1"_s, 360, 2),   // 8
        dataBox(u"bcqx_n2"_s, 375, 4),   // 9 to
        dataBox(u"bcqx_y2"_s, 360, 2),   // 10
        dataBox(u"bcqx_r2"_s, 360, 2),   // 11
        handBox(u"dsrqm"_s, 1440),       // 12 the party
        handBox(u"cbrqm"_s, 1440),       // 13 the handling officer
        dataBox(u"nian1"_s, 375, 4),     // 14 under the party's signature
        dataBox(u"yue1"_s, 360, 2),      // 15
        dataBox(u"ri1"_s, 360, 2),       // 16
        dataBox(u"nian2"_s, 375, 4),     // 17 under the officer's signature
        dataBox(u"yue2"_s, 360, 2),      // 18
        dataBox(u"ri2"_s, 360, 2),       // 19
        dataBox(u"bh2"_s, 2175),         // 20 the notice
        named(dataBox(u"dw"_s, 3615), u"当事人"_s), // 21 to whom
        dataBox(u"fs"_s, 5055),          // 22 by what method
        dataBox(u"bc"_s, 3975),          // 23 where
        dataBox(u"bc_n"_s, 450),         // 24 until: no typing limit
        dataBox(u"bc_y"_s, 270),         // 25
        dataBox(u"bc_r"_s, 180),         // 26
        named(dataBox(u"wp1"_s, 7215), u"保存物品"_s), // 27 its items preserved
        dataBox(u"wp2"_s, 7215),         // 28
        authorityBox(u"jg"_s, 2775),     // 29
        dataBox(u"nian"_s, 375, 4),      // 30 the notice's date
        dataBox(u"yue"_s, 360, 2),       // 31
        dataBox(u"ri"_s, 360, 2),        // 32
    };
    d.groups = {{2, 3}, {27, 28}};

    WindowDesign &w = d.window;
    w.width = 8310;
    w.height = 8265;
    w.rightMargin = textLeft + gridWidthTwips(u"当 事 人："_s, 9) + 6375;
    w.deleteBoxLeft = w.width - 1455;
    w.rowPitch = 315;
    w.underlineBoxes = true;
    const int items = textLeft + gridWidthTwips(u"保存物品："_s, 9);
    const int rightHalf = (textLeft + w.rightMargin) / 2;
    const int leftDate = textLeft + gridWidthTwips(u"当事人签名："_s, 9);
    const int rightDate = rightHalf + gridWidthTwips(u"承办人签名："_s, 9);
    const int authority = rightHalf + (w.rightMargin - rightHalf - 2775) / 2;
    const int noticeDate = authority + (2775 - 375 - gridWidthTwips(u"年    月    日"_s, 9)) / 2;
    w.rows = windowHeading(u"保存证据通知书存根"_s);
    addRows(w.rows, {
        {autoPlace, RowAlign::Right, {text(u"编号："_s), box(0)}},
        {autoPlace, RowAlign::Left, {text(u"当 事 人："_s), box(1)}},
        {autoPlace, RowAlign::Left, {text(u"保存物品："_s), box(2)}},
        {autoPlace, RowAlign::Left, {box(3, items)}},
        {autoPlace, RowAlign::Left, {text(u"保存方式："_s), box(4)}},
        {autoPlace, RowAlign::Left, {text(u"保存地点："_s), box(5)}},
        {autoPlace, RowAlign::Left,
         {text(u"保存期限："_s), box(6), textWithBoxes(u"年    月    日至"_s, {7, 8}), box(9),
          textWithBoxes(u"年    月    日"_s, {10, 11})}},
        {autoPlace, RowAlign::Left,
         {text(u"当事人签名："_s), box(12), text(u"承办人签名："_s, rightHalf), box(13)}},
        windowDates(14, leftDate, 17, rightDate),
        windowSeam(71),
        {autoPlace, RowAlign::Centre, {text(u"保存证据通知书"_s, autoPlace, 18, true)}},
        {autoPlace, RowAlign::Right, {text(u"编号："_s), box(20)}},
        {autoPlace, RowAlign::Left, {box(21)}},
        {autoPlace, RowAlign::Left,
         {text(u"根据《中华人民共和国行政处罚法》第三十七条第二款规定，我局决定对你（单位）的"_s)}},
        {autoPlace, RowAlign::Left, {text(u"下列物品作为证据以"_s), box(22), text(u"方式于"_s)}},
        {autoPlace, RowAlign::Left,
         {box(23), text(u"进行登记保"_s), textWithBoxes(u"存，到     年   月  日止："_s, {24, 25, 26})}},
        {autoPlace, RowAlign::Left, {box(27)}},
        {autoPlace, RowAlign::Left, {box(28)}},
        {autoPlace, RowAlign::Left, {text(u"以上物品在保存期限内应当妥为保管，未经本局同意，不得销毁或转移。"_s)}},
        {autoPlace, RowAlign::Left, {box(29, authority)}},
        {autoPlace, RowAlign::Left, windowDate(30, noticeDate)},
    });
    addRows(w.rows, windowFooter());
    d.report = printedForm();
    return d;
}

} // namespace

const DocumentDescription &bczjDescription()
{
    static const DocumentDescription d = make();
    return d;
}

} // namespace kelm
