// 听证笔录: the hearing record, register index 15, table tzbl.
#pragma once

namespace kelm {

struct DocumentDescription;

const DocumentDescription &tzblDescription();

} // namespace kelm
