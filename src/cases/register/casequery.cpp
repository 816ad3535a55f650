#include "cases/register/casequery.h"

#include "platform/modal.h"
#include "shell/placeholderwindow.h"

using namespace Qt::StringLiterals;

namespace kelm {

void openCaseQuery(FormWindow *opener, std::function<void()> after)
{
    openModal(opener, new PlaceholderWindow(u"卫生行政执法查询"_s), std::move(after));
}

} // namespace kelm
