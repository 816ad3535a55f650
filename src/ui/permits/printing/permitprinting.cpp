#include "permits/printing/permitprinting.h"

#include "data/connection.h"
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
bool prepare(PermitOnScreen *permits, PermitForm form)
{
    const std::optional<PrintLayout> layout = layoutOrMessage(permits->printOpener(), form);
    if (!layout) {
        showDefaultPointer();
        return false;
    }
    storeLines(permits->printLines(), form, prepareLines(form, permits->shownPermit(), *layout));
    return true;
}

} // namespace

// A model that is none of the three is said, and its print window opens
// all the same: it shows a white sheet and prints nothing.
void printPermit(PermitOnScreen *permits)
{
    showHourglass();
    if (const std::optional<PermitForm> form = certificateForm(permits->shownPermit().model)) {
        if (!prepare(permits, *form))
            return;
    } else {
        inform(permits->printOpener(), unknownModelMessage());
    }
    openModal(permits->printOpener(), PermitPreviewWindow::certificate(permits));
}

void printCopy(PermitOnScreen *permits)
{
    showHourglass();
    if (prepare(permits, PermitForm::Copy))
        openModal(permits->printOpener(), PermitPreviewWindow::copy(permits));
}

void openLayoutEditor(PermitOnScreen *permits)
{
    showHourglass();
    openModal(permits->printOpener(), new LayoutEditorWindow(permits->printOpener()));
}

bool printSheet(QWidget *parent, PermitForm form, const PermitTexts &permit)
{
    const std::optional<PrintLayout> layout = layoutOrMessage(parent, form);
    return layout && report::printPages(parent, permitSheet(form, permit, *layout));
}

} // namespace kelm
