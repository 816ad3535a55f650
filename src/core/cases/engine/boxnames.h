// What a screen reader calls each box of a document window, worked out from
// the form's own wording around the box, so no document types names of its
// own: the label before a box ("当事人"), the words around the blank a box
// is laid over ("本案自 年"), a paragraph's label with the line
// ("案情摘要 第2行"), the phrase a box stands in where only a linking word
// leads into it ("在 举行听证"), or, for a box with nothing on its line, the
// label or box above it. A box whose name the form cannot give states it in
// its description (BoxSpec::name).
#pragma once

#include "cases/engine/description.h"

#include <QString>
#include <vector>

namespace kelm {

// One name for each box, by box index.
std::vector<QString> boxNames(const DocumentDescription &d);

} // namespace kelm
