#include "cases/engine/documentwindows.h"

#include "cases/documents/descriptions.h"
#include "cases/engine/documentwindow.h"
#include "data/documentcatalogue.h"
#include "shell/placeholderwindow.h"

namespace kelm {

FormWindow *createDocumentWindow(int registerIndex, QWidget *parent)
{
    if (const DocumentDescription *d = documentDescription(registerIndex))
        return new DocumentWindow(*d, parent);
    return new PlaceholderWindow(documentAt(registerIndex).windowCaption, parent);
}

} // namespace kelm
