// 案件移送书: the case transfer letter with its stub, register index 14,
// table ajys.
#pragma once

namespace kelm {

struct DocumentDescription;

const DocumentDescription &ajysDescription();

} // namespace kelm
