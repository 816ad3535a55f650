// Printing a case document through its report, for the case whose number
// is current (app().caseNo), on the default printer without a dialog.
#pragma once

class QWidget;

namespace kelm {

struct DocumentDescription;

void printDocument(const DocumentDescription &description, QWidget *parent);

} // namespace kelm
