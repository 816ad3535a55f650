#include "exams/examquery.h"

#include "data/appvalues.h"
#include "registers/querydesign.h"

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

ListReportDesign examListReport()
{
    ListReportDesign r;
    r.name = u"rep_jktj"_s;
    r.caption = u"健康体检及卫生知识培训查询列表"_s;
    r.title = u"健 康 体 检 及 卫 生 知 识 培 训 查 询 列 表"_s;
    // Each field stands just inside its column's rules.
    struct Column {
        const char16_t *head, *column;
        int from, to;
    };
    static constexpr Column columns[] = {
        {u"体检编号", u"tjbh", 30, 1140},
        {u"体检日期", u"tjrq", 1140, 2520},
        {u"姓  名", u"xm", 2520, 3690},
        {u"性别", u"xb", 3690, 4440},
        {u"工  种", u"gz", 4440, 5700},
        {u"       单   位   名   称", u"dwmc", 5700, 10410},
        {u"        单   位  地   址", u"dz", 10410, 15510},
        {u"体检结果", u"tjhg", 15510, 16590},
        {u"培训结果", u"pxhg", 16590, 17700},
        {u"调离时间", u"dlsj", 17700, 19035},
    };
    for (const Column &c : columns) {
        r.columns.push_back({QString::fromUtf16(c.head), QString::fromUtf16(c.column), c.from + 45, c.to - c.from - 90});
        r.headRules.push_back(c.from);
    }
    r.headRules.push_back(19035);
    r.detailRules = r.headRules;
    // The ruled table is 19005 twips wide: it fits across A3 landscape.
    r.page.paper = QPageSize::A3;
    r.page.orientation = QPageLayout::Landscape;
    return r;
}

} // namespace

QueryDesign examQueryDesign()
{
    QueryDesign d;
    d.name = u"tjcx"_s;
    d.caption = u"健康体检及卫生知识培训信息查询"_s;
    d.table = u"jktj"_s;
    d.keyColumn = u"tjbh"_s;
    d.gridColumns = {
        {u"体检编号"_s, u"tjbh"_s, 1000}, {u"体检日期"_s, u"tjrq"_s, 1000}, {u"姓名"_s, u"xm"_s, 800},
        {u"性别"_s, u"xb"_s, 600},        {u"工种"_s, u"gz"_s, 900},         {u"单位名称"_s, u"dwmc"_s, 1950},
        {u"地址"_s, u"dz"_s, 1950},       {u"体检结果"_s, u"tjhg"_s, 900},   {u"培训结果"_s, u"pxhg"_s, 900},
        {u"调离时间"_s, u"dlsj"_s, 1000},
    };
    const std::pair<QString, QString> buttons[] = {
        {u"体检编号"_s, u"体检编号："_s}, {u"体检时间"_s, u"体检日期："_s}, {u"  姓 名"_s, u"姓    名："_s},
        {u"  工 种"_s, u"工    种："_s},  {u"单位名称"_s, u"单位名称："_s}, {u"单位地址"_s, u"地    址："_s},
        {u"体检结果"_s, u"体检结果："_s}, {u"调离时间"_s, u"调离日期："_s},
    };
    const QString columns[] = {u"tjbh"_s, u"tjrq"_s, u"xm"_s, u"gz"_s, u"dwmc"_s, u"dz"_s, u"tjhg"_s, u"dlsj"_s};
    for (std::size_t i = 0; i < std::size(buttons); ++i)
        d.buttons.push_back({buttons[i].first, buttons[i].second, columns[i], 360 + 960 * int(i)});
    d.listReport = examListReport();
    d.sizable = true;
    d.prompt = u"体检编号："_s;
    d.gridTip = u"双击所选记录显示详细信息。"_s;
    d.printCaption = u"打印查询"_s;
    d.client = {11370, 6990};
    d.grid = {0, 0, 11295, 5775};
    d.frame = {120, 5850, 8175, 1095};
    d.filterWidth = 6495;
    d.countBox = {8520, 6090};
    d.countWidth = 2535;
    d.printButton = {8520, 6570, 1215, 375};
    d.closeButton = {9840, 6570, 1215, 375};
    d.chosen = [](const QString &number) { app().examSlot().leave(number); };
    return d;
}

} // namespace kelm
