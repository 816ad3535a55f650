#include "data/reportsources.h"

#include "data/appvalues.h"
#include "data/connection.h"
#include "data/documentcatalogue.h"
#include "data/listquery.h"
#include "platform/pagedreport.h"
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

namespace {

const ReportSource &sourceOf(const report::ReportLayout &layout)
{
    const ReportSource *source = reportSource(layout.name);
    if (!source)
        throw DbError(u"报表 %1 没有数据来源。"_s.arg(layout.name));
    return *source;
}

// The list query, when it lists the source's table.
const ListQuery &checkedList(const ReportSource &source, const ListQuery &query)
{
    if (query.table.compare(source.table, Qt::CaseInsensitive) != 0)
        throw DbError(u"当前没有可打印的查询列表。"_s);
    return query;
}

} // namespace

Rows reportRows(const ReportSource &source)
{
    switch (source.rows) {
    case ReportRows::CaseRow:
        return db().select(u"SELECT * FROM %1 WHERE dabh = ?"_s.arg(source.table), {app().caseNo});
    case ReportRows::ListQuery: return listRows(checkedList(source, app().listQuery));
    case ReportRows::WholeTable: break;
    }
    return db().select(u"SELECT * FROM %1"_s.arg(source.table));
}

std::optional<PreparedList> prepareList(Database &db, const report::ReportLayout &layout, const ListQuery &query,
                                        qint64 expected, Progress &progress)
{
    const ReportSource &source = sourceOf(layout);
    const std::optional<RowIds> ids = readRowIds(db, checkedList(source, query), expected, progress);
    if (!ids)
        return std::nullopt;
    ListRows rows(db, source.table, report::fieldColumns(layout), *ids);
    std::optional<report::PageIndex> index = report::paginate(layout, rows, progress);
    if (!index)
        return std::nullopt;
    return PreparedList{*ids, std::move(*index)};
}

std::unique_ptr<report::PageSource> listPages(const report::ReportLayout &layout, const ListQuery &query,
                                              PreparedList prepared)
{
    const ReportSource &source = sourceOf(layout);
    checkedList(source, query);
    auto rows = std::make_shared<ListRows>(db(), source.table, report::fieldColumns(layout), prepared.ids);
    return std::make_unique<report::PagedReport>(layout, std::move(rows), std::move(prepared.index));
}

report::PageModel buildReport(const report::ReportLayout &layout)
{
    const ReportSource &source = sourceOf(layout);
    if (source.rows != ReportRows::ListQuery)
        return report::layoutReport(layout, reportRows(source));
    const ListQuery query = app().listQuery;
    const std::unique_ptr<report::PageSource> pages = listPages(layout, query, *prepareList(db(), layout, query, 0));
    report::PageModel model;
    model.caption = pages->caption();
    model.page = pages->paper();
    for (int n = 0; n < pages->pageCount(); ++n)
        model.pages.push_back(pages->page(n));
    return model;
}

} // namespace kelm
