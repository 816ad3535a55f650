#include "data/reportsources.h"

#include "data/appvalues.h"
#include "data/connection.h"
#include "data/documentcatalogue.h"
#include "data/listquery.h"
#include "platform/reportengine.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace kelm {

const std::vector<ReportSource> &reportSources()
{
    static const std::vector<ReportSource> list = [] {
        std::vector<ReportSource> v = {
            {3, u"wsxkz"_s, {u"DataReport6"_s, u"rep_ns"_s}, ReportRows::ListQuery},
            {13, u"jktj"_s, {u"rep_jktj"_s}, ReportRows::ListQuery},
            {14, u"xzcf"_s, {u"rep_xzcf"_s}, ReportRows::ListQuery},
            {15, u"xzcftj"_s, {u"rep_tj"_s}, ReportRows::WholeTable},
        };
        for (const DocumentEntry &d : documentCatalogue())
            v.push_back({d.command, d.table, {d.report}, ReportRows::CaseRow});
        std::sort(v.begin(), v.end(), [](const auto &a, const auto &b) { return a.command < b.command; });
        return v;
    }();
    return list;
}

const ReportSource *reportSource(const QString &report)
{
    for (const ReportSource &s : reportSources())
        if (s.reports.contains(report))
            return &s;
    return nullptr;
}

Rows reportRows(const ReportSource &source)
{
    switch (source.rows) {
    case ReportRows::CaseRow:
        return db().select(u"SELECT * FROM %1 WHERE dabh = ?"_s.arg(source.table), {app().caseNo});
    case ReportRows::ListQuery:
        if (app().listQuery.table.compare(source.table, Qt::CaseInsensitive) != 0)
            throw DbError(u"当前没有可打印的查询列表。"_s);
        return listRows(app().listQuery);
    case ReportRows::WholeTable: break;
    }
    return db().select(u"SELECT * FROM %1"_s.arg(source.table));
}

report::PageModel buildReport(const report::ReportLayout &layout)
{
    const ReportSource *source = reportSource(layout.name);
    if (!source)
        throw DbError(u"报表 %1 没有数据来源。"_s.arg(layout.name));
    return report::layoutReport(layout, reportRows(*source));
}

} // namespace kelm
