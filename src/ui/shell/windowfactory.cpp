#include "shell/windowfactory.h"

#include "cases/register/caseregisterwindow.h"
#include "exams/examregisterwindow.h"
#include "permits/permitregisterwindow.h"
#include "permits/reviewwindow.h"

namespace kelm {

FormWindow *createRegisterWindow(RegisterWindow which, QWidget *parent)
{
    switch (which) {
    case RegisterWindow::Permits: return new PermitRegisterWindow(parent);
    case RegisterWindow::Reviews: return new ReviewWindow(parent);
    case RegisterWindow::Exams: return new ExamRegisterWindow(parent);
    case RegisterWindow::Cases: return new CaseRegisterWindow(parent);
    }
    return nullptr;
}

} // namespace kelm
