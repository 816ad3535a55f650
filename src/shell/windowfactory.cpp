#include "shell/windowfactory.h"

#include "cases/register/caseregisterwindow.h"
#include "permits/permitregisterwindow.h"
#include "permits/reviewwindow.h"
#include "shell/placeholderwindow.h"

using namespace Qt::StringLiterals;

namespace kelm {

FormWindow *createRegisterWindow(RegisterWindow which, QWidget *parent)
{
    switch (which) {
    case RegisterWindow::Permits: return new PermitRegisterWindow(parent);
    case RegisterWindow::Reviews: return new ReviewWindow(parent);
    case RegisterWindow::Exams: return new PlaceholderWindow(u"健康检查及卫生知识培训信息管理"_s, parent);
    case RegisterWindow::Cases: return new CaseRegisterWindow(parent);
    }
    return nullptr;
}

} // namespace kelm
