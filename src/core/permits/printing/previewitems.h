// The on-screen previews' texts: fixed positions (twips on the preview
// surface) and sizes of their own, never the print layout, drawn over a
// picture of the blank form. Models 1 and 2 draw labels and the issue date
// in Chinese numerals; model 3 and the copy draw values only, their
// pictures carry the labels.
#pragma once

#include "permits/printing/permitsheet.h"
#include "platform/pagemodel.h"

namespace kelm {

// The preview of a certificate model or of the copy: the permit's texts
// and the six lines the preparation left for that form. A permit number
// shorter than four characters has no serial, so its line is left out.
report::Page previewPage(PermitForm form, const PermitTexts &permit, const FormLines &lines);

// The blank form under the preview, relative to the program folder.
QString previewPicture(PermitForm form);

} // namespace kelm
