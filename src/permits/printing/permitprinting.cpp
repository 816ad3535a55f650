#include "permits/printing/permitprinting.h"

#include "permits/permitprintlines.h"
#include "permits/permitregisterwindow.h"
#include "platform/messages.h"

using namespace Qt::StringLiterals;

namespace kelm {

// Until the print windows exist only the model of the permit is checked.
void printPermit(PermitRegisterWindow *permits)
{
    if (!permitModels().contains(permits->modelText()))
        inform(permits, u"请按表中所列项目填写“许可证型号”！"_s);
}

void printCopy(PermitRegisterWindow *) { }

void openLayoutEditor(PermitRegisterWindow *) { }

} // namespace kelm
