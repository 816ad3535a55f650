// 行政处罚决定书: the penalty decision, register index 8, table cfjd.
#pragma once

namespace kelm {

struct DocumentDescription;

const DocumentDescription &cfjdDescription();

} // namespace kelm
