// 行政处罚听证告知书: the notice of the right to a hearing with its
// receipt, register index 6, table tzgz.
#pragma once

namespace kelm {

struct DocumentDescription;

const DocumentDescription &tzgzDescription();

} // namespace kelm
