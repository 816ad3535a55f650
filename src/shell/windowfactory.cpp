#include "shell/windowfactory.h"

#include "cases/register/caseregisterwindow.h"
#include "shell/placeholderwindow.h"

using namespace Qt::StringLiterals;

namespace kelm {

FormWindow *createRegisterWindow(RegisterWindow which, QWidget *parent)
{
    switch (which) {
    case RegisterWindow::Permits: return new PlaceholderWindow(u"卫生许可证管理"_s, parent);
    case RegisterWindow::Reviews: return new PlaceholderWindow(u"卫生许可证年审管理"_s, parent);
    case RegisterWindow::Exams: return new PlaceholderWindow(u"健康检查及卫生知识培训信息管理"_s, parent);
    case RegisterWindow::Cases: return new CaseRegisterWindow(parent);
    }
    return nullptr;
}

} // namespace kelm
