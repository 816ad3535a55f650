#include "cases/engine/documentwindows.h"

#include "cases/documents/descriptions.h"
#include "cases/engine/documentwindow.h"
#include "data/documentcatalogue.h"

namespace kelm {

FormWindow *createDocumentWindow(int registerIndex, QWidget *parent)
{
    return new DocumentWindow(*documentDescription(registerIndex), parent);
}

} // namespace kelm
