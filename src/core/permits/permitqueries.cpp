#include "permits/permitqueries.h"

#include "data/appvalues.h"
#include "registers/querydesign.h"

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

// What the two permit queries share: table, key, layout, and a list report
// that passes over its failures without a word.
QueryDesign permitTableQuery(const QString &name, const QString &caption)
{
    QueryDesign d;
    d.name = name;
    d.caption = caption;
    d.table = u"wsxkz"_s;
    d.keyColumn = u"xkzh"_s;
    d.quietReportFailure = true;
    d.gridFirst = true;
    d.client = {11325, 7215};
    d.grid = {0, 0, 11295, 5775};
    d.frame = {360, 5880, 8175, 1095};
    d.filterWidth = 6495;
    d.countBox = {8760, 6120};
    d.printButton = {8760, 6600, 1455, 375};
    d.closeButton = {10200, 6600, 975, 375};
    return d;
}

// The lists' ruled tables are 19005 twips wide: they fit across A3 landscape.
ListReportDesign permitListReport(const QString &name, const QString &caption, const QString &title)
{
    ListReportDesign r;
    r.name = name;
    r.caption = caption;
    r.title = title;
    r.page.paper = QPageSize::A3;
    r.page.orientation = QPageLayout::Landscape;
    return r;
}

} // namespace

QueryDesign permitQueryDesign()
{
    QueryDesign d = permitTableQuery(u"xkzcx"_s, u"卫生许可证查询"_s);
    d.gridColumns = {
        {u"编号"_s, u"xkzh"_s, 1350},     {u"类别"_s, u"lb"_s, 600},       {u"型号"_s, u"xh"_s, 1050},
        {u"单位名称"_s, u"dwmc"_s, 2300}, {u"单位地址"_s, u"dwdz"_s, 2300}, {u"经济性质"_s, u"jjxz"_s, 900},
        {u"发证日期"_s, u"fzrq"_s, 1050}, {u"许可项目"_s, u"xkxm"_s, 1450},
    };
    d.buttons = {
        {u"编    号"_s, u"编    号："_s, u"xkzh"_s, 360},     {u"类    别"_s, u"类    别："_s, u"lb"_s, 1320},
        {u"型    号"_s, u"型    号："_s, u"xh"_s, 2280},       {u"单位名称"_s, u"单位名称："_s, u"dwmc"_s, 3240},
        {u"单位地址"_s, u"单位地址："_s, u"dwdz"_s, 4200},     {u"经济性质"_s, u"经济性质："_s, u"jjxz"_s, 5160},
        {u"发证日期"_s, u"发证日期："_s, u"fzrq"_s, 6120},     {u"许可项目"_s, u"许可项目："_s, u"xkxm"_s, 7080},
    };
    ListReportDesign &r = d.listReport = permitListReport(u"DataReport6"_s, u"卫生许可证查询列表"_s,
                                                          u"《卫  生  许  可  证》  查  询  列  表"_s);
    r.columns = {
        {u"许可证号"_s, u"xkzh"_s, 75, 915},
        {u"类别"_s, u"lb"_s, 1110, 345},
        {u" 型    号"_s, u"xh"_s, 1560, 1005},
        {u"       单   位   名   称"_s, u"dwmc"_s, 2655, 4395},
        {u"        单   位  地   址"_s, u"dwdz"_s, 7170, 4020},
        {u"经济性质"_s, u"jjxz"_s, 11295, 885},
        {u"发证日期"_s, u"fzrq"_s, 12255, 1200},
        {u"     许   可   项   目"_s, u"xkxm"_s, 13500, 3060},
        {u"负 责 人"_s, u"fzr"_s, 16650, 885},
        {u"电话"_s, u"dhhm"_s, 17640, 1305},
    };
    r.headRules = {30, 1035, 1515, 2610, 7110, 11220, 12225, 13470, 16605, 17550, 19035};
    r.detailRules = {30, 1035, 1515, 2610, 7110, 11235, 12225, 13470, 16605, 17550, 19035};
    d.chosen = [](const QString &number) { app().permitSlot().leave(number); };
    return d;
}

QueryDesign reviewQueryDesign()
{
    QueryDesign d = permitTableQuery(u"nscx"_s, u"卫生许可证年审查询"_s);
    d.gridColumns = {
        {u"编号"_s, u"xkzh"_s, 1350},     {u"单位名称"_s, u"dwmc"_s, 2550}, {u"单位地址"_s, u"dwdz"_s, 2700},
        {u"发证日期"_s, u"fzrq"_s, 1050}, {u"年审日期"_s, u"nsrq"_s, 1050}, {u"年审结果"_s, u"nsjg"_s, 900},
        {u"下次应年审日期"_s, u"xcnsrq"_s, 1400},
    };
    d.buttons = {
        {u"编    号"_s, u"编    号："_s, u"xkzh"_s, 360},
        {u"单位名称"_s, u"单位名称："_s, u"dwmc"_s, 1320},
        {u"单位地址"_s, u"单位地址："_s, u"dwdz"_s, 2280},
        {u"发证日期"_s, u"发证日期："_s, u"fzrq"_s, 3240},
        {u"年审日期"_s, u"年审日期："_s, u"nsrq"_s, 4200},
        {u"年审结果"_s, u"年审结果："_s, u"nsjg"_s, 5160},
        {u"下次应年审日期"_s, u"下次应年审日期："_s, u"xcnsrq"_s, 6120, 1575},
    };
    ListReportDesign &r = d.listReport = permitListReport(u"rep_ns"_s, u"卫生许可证年审查询列表"_s,
                                                          u"《卫  生  许  可  证》  年  审  查  询  列  表"_s);
    r.columns = {
        {u"许可证号"_s, u"xkzh"_s, 75, 915},
        {u"       单   位   名   称"_s, u"dwmc"_s, 1080, 4395},
        {u"        单   位  地   址"_s, u"dwdz"_s, 5580, 4680},
        {u"发证日期"_s, u"fzrq"_s, 10395, 1230},
        {u"负 责 人"_s, u"fzr"_s, 11775, 1020},
        {u"电话"_s, u"dhhm"_s, 12930, 1845},
        {u"年审日期"_s, u"nsrq"_s, 14925, 1065},
        {u"年审情况"_s, u"nsjg"_s, 16185, 1080},
        {u"下次应年审日期"_s, u"xcnsrq"_s, 17415, 1575},
    };
    r.headRules = {30, 1035, 5520, 10320, 11685, 12855, 14850, 16080, 17340, 19035};
    r.detailRules = r.headRules;
    d.chosen = [](const QString &number) { app().reviewSlot().leave(number); };
    return d;
}

} // namespace kelm
