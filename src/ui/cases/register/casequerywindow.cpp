#include "cases/register/casequerywindow.h"

#include "cases/register/casequery.h"
#include "platform/modal.h"
#include "registers/querywindow.h"

namespace kelm {

void openCaseQuery(FormWindow *opener, std::function<void()> after)
{
    openModal(opener, new QueryWindow(caseQueryDesign()), std::move(after));
}

} // namespace kelm
