// 案件调查终结报告: the investigation conclusion report, register index 3,
// table dczj.
#pragma once

namespace kelm {

struct DocumentDescription;

const DocumentDescription &dczjDescription();

} // namespace kelm
