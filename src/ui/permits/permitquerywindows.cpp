#include "permits/permitquerywindows.h"

#include "permits/permitqueries.h"
#include "platform/modal.h"
#include "registers/querywindow.h"

namespace kelm {

void openPermitQuery(FormWindow *opener, std::function<void()> after)
{
    openModal(opener, new QueryWindow(permitQueryDesign()), std::move(after));
}

void openReviewQuery(FormWindow *opener, std::function<void()> after)
{
    openModal(opener, new QueryWindow(reviewQueryDesign()), std::move(after));
}

} // namespace kelm
