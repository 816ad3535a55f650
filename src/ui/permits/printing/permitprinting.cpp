#include "permits/printing/permitprinting.h"

#include "data/connection.h"
#include "permits/permitregisterwindow.h"
#include "permits/printing/layouteditorwindow.h"
#include "permits/printing/previewwindow.h"
#include "platform/busypointer.h"
#include "platform/messages.h"
#include "platform/modal.h"
#include "platform/printsink.h"

namespace kelm {

namespace {

std::optional<PrintLayout> layoutOrMessage(QWidget *parent, PermitForm form)
{
    try {
        return readPrintLayout(db(), form);
    } catch (const LayoutError &e) {
        showError(parent, e.message);
    }
    return std::nullopt;
}

// Leaves the form's six lines for its preview; false when its layout
// cannot print (already said), so no print window opens.
bool prepare(PermitRegisterWindow *permits, PermitForm form)
{
    const std::optional<PrintLayout> layout = layoutOrMessage(permits, form);
    if (!layout) {
        showDefaultPointer();
        return false;
    }
    storeLines(permits->printLines(), form, prepareLines(form, shownPermit(permits), *layout));
    return true;
}

} // namespace

// A model that is none of the three is said, and its print window opens
// all the same: it shows a white sheet and prints nothing.
void printPermit(PermitRegisterWindow *permits)
{
    showHourglass();
    if (const std::optional<PermitForm> form = certificateForm(permits->modelText())) {
        if (!prepare(permits, *form))
            return;
    } else {
        inform(permits, unknownModelMessage());
    }
    openModal(permits, PermitPreviewWindow::certificate(permits));
}

void printCopy(PermitRegisterWindow *permits)
{
    showHourglass();
    if (prepare(permits, PermitForm::Copy))
        openModal(permits, PermitPreviewWindow::copy(permits));
}

void openLayoutEditor(PermitRegisterWindow *permits)
{
    showHourglass();
    openModal(permits, new LayoutEditorWindow(permits));
}

PermitTexts shownPermit(const PermitRegisterWindow *permits)
{
    PermitTexts p;
    p.model = permits->modelText();
    p.category = permits->categoryText();
    p.unitName = permits->boxText(0);
    p.address = permits->boxText(1);
    p.person = permits->boxText(2);
    p.nature = permits->boxText(3);
    p.number = permits->boxText(6);
    p.items = permits->boxText(8);
    p.issued = permits->boxText(9);
    p.validTo = permits->boxText(10);
    return p;
}

bool printSheet(QWidget *parent, PermitForm form, const PermitTexts &permit)
{
    const std::optional<PrintLayout> layout = layoutOrMessage(parent, form);
    return layout && report::printPages(parent, permitSheet(form, permit, *layout));
}

} // namespace kelm
