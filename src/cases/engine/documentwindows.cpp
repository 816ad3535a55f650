#include "cases/engine/documentwindows.h"

#include "cases/documents/descriptions.h"
#include "cases/engine/documentwindow.h"
#include "cases/engine/placeholderdocument.h"
#include "data/documentcatalogue.h"

namespace kelm {

FormWindow *createDocumentWindow(int registerIndex, QWidget *parent)
{
    if (const DocumentDescription *d = documentDescription(registerIndex))
        return new DocumentWindow(*d, parent);
    return new PlaceholderDocument(registerIndex, parent);
}

} // namespace kelm
