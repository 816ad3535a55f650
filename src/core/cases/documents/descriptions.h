// The case documents that have their description, by register index.
#pragma once

#include <vector>

namespace kelm {

struct DocumentDescription;

// nullptr when document k has no description yet.
const DocumentDescription *documentDescription(int registerIndex);
std::vector<const DocumentDescription *> documentDescriptions();

} // namespace kelm
