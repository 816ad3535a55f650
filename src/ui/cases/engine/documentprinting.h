// Printing a case document through its report, for the case whose number
// is current (app().caseNo), on the default printer: all pages, no dialog,
// no preview. A missing row, a database failure, no default printer or a
// failing printer print nothing and show "错误".
#pragma once

class QWidget;

namespace kelm {

struct DocumentDescription;

void printDocument(const DocumentDescription &description, QWidget *parent);

} // namespace kelm
