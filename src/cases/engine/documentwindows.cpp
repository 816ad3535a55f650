#include "cases/engine/documentwindows.h"

#include "data/documentcatalogue.h"
#include "shell/placeholderwindow.h"

namespace kelm {

FormWindow *createDocumentWindow(int registerIndex, QWidget *parent)
{
    return new PlaceholderWindow(documentAt(registerIndex).windowCaption, parent);
}

} // namespace kelm
