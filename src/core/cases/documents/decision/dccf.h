// 当场行政处罚决定书: the on-the-spot penalty decision, register index 19,
// table dccf.
#pragma once

namespace kelm {

struct DocumentDescription;

const DocumentDescription &dccfDescription();

} // namespace kelm
