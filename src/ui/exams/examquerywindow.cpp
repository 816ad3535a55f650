#include "exams/examquerywindow.h"

#include "data/appvalues.h"
#include "exams/examquery.h"
#include "exams/examregisterwindow.h"
#include "platform/modal.h"
#include "registers/querywindow.h"

namespace kelm {

// The register is opened again only after the query has gone, so closing
// it leads back to the main window.
void openExamQuery(QWidget *opener)
{
    openModal(opener, new QueryWindow(examQueryDesign(), opener), [opener] {
        if (app().examSlot().shouldFind())
            openModal(opener, new ExamRegisterWindow(opener));
    });
}

} // namespace kelm
