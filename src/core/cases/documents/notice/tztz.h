// 行政处罚听证通知书: the hearing notification with its counterfoil,
// register index 18, table tztz.
#pragma once

namespace kelm {

struct DocumentDescription;

const DocumentDescription &tztzDescription();

} // namespace kelm
