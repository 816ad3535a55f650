#include "cases/register/casequery.h"

#include "data/appvalues.h"
#include "registers/querydesign.h"

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

ListReportDesign caseListReport()
{
    ListReportDesign r;
    r.name = u"rep_xzcf"_s;
    r.caption = u"行政处罚查询列表"_s;
    r.title = u"行政处罚查询列表"_s;
    r.columns = {
        {u"案件编号"_s, u"dabh"_s, 75, 915},
        {u"       单   位   名   称"_s, u"dwmc"_s, 1080, 4395},
        {u"        单   位  地   址"_s, u"dwdz"_s, 5580, 4680},
        {u"负 责 人"_s, u"fzr"_s, 10395, 1230},
        {u"经济性质"_s, u"jjxz"_s, 11775, 1020},
        {u"电话"_s, u"dh"_s, 12930, 1845},
    };
    r.headRules = {30, 1035, 5520, 10320, 11685, 12855, 14850};
    r.detailRules = r.headRules;
    // The ruled table is 14820 twips wide: it fits across A4 landscape.
    r.page.orientation = QPageLayout::Landscape;
    return r;
}

} // namespace

QueryDesign caseQueryDesign()
{
    QueryDesign d;
    d.name = u"frm_cfcx"_s;
    d.caption = u"卫生行政执法查询"_s;
    d.table = u"xzcf"_s;
    d.keyColumn = u"dabh"_s;
    d.gridColumns = {
        {u"案件编号"_s, u"dabh"_s, 1050}, {u"单位名称"_s, u"dwmc"_s, 2700}, {u"单位地址"_s, u"dwdz"_s, 3000},
        {u"负责人"_s, u"fzr"_s, 900},     {u"经济性质"_s, u"jjxz"_s, 1050}, {u"电话"_s, u"dh"_s, 1140},
    };
    d.buttons = {
        {u"案件编号"_s, u"案件编号："_s, u"dabh"_s, 1200}, {u"单位名称"_s, u"单位名称："_s, u"dwmc"_s, 2160},
        {u"单位地址"_s, u"单位地址："_s, u"dwdz"_s, 3120}, {u"负 责 人"_s, u"负 责 人："_s, u"fzr"_s, 4080},
        {u"经济性质"_s, u"经济性质："_s, u"jjxz"_s, 5040}, {u"电    话"_s, u"电    话："_s, u"dh"_s, 6000},
    };
    d.listReport = caseListReport();
    d.client = {10140, 7185};
    d.grid = {0, 0, 10095, 5775};
    d.frame = {360, 5880, 7215, 1095};
    d.filterWidth = 5775;
    d.countBox = {7800, 6120};
    d.printButton = {7800, 6600, 1455, 375};
    d.closeButton = {9240, 6600, 855, 375};
    d.chosen = [](const QString &number) { app().caseSlot().leave(number); };
    return d;
}

} // namespace kelm
