// 现场检查笔录: the on-site inspection record, register index 0, table
// xzbl; a plain document whose findings are one memo box.
#pragma once

namespace kelm {

struct DocumentDescription;

const DocumentDescription &xzblDescription();

} // namespace kelm
