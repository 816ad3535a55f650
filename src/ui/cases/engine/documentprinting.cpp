#include "cases/engine/documentprinting.h"

#include "cases/engine/description.h"
#include "data/appvalues.h"
#include "data/reportsources.h"
#include "platform/messages.h"
#include "platform/printsink.h"
#include "platform/reportengine.h"

using namespace Qt::StringLiterals;

namespace kelm {

void printDocument(const DocumentDescription &description, QWidget *parent)
{
    const report::ReportLayout &layout = description.report;
    report::PageModel pages;
    try {
        const ReportSource *source = reportSource(layout.name);
        if (!source)
            throw DbError(u"报表 %1 没有数据来源。"_s.arg(layout.name));
        const Rows rows = reportRows(*source);
        // A blank form would look like the case's document.
        if (rows.empty()) {
            showError(parent,
                      u"案件 %1 没有%2的资料，没有打印。"_s.arg(app().caseNo, description.document.windowCaption));
            return;
        }
        pages = report::layoutReport(layout, rows);
    } catch (const DbError &e) {
        showError(parent, e.message());
        return;
    }
    report::printPages(parent, pages);
}

} // namespace kelm
