// 陈述和申辩笔录: the statement and defence record, register index 11,
// table cssb; a plain document whose statement is one memo box kept as typed.
#pragma once

namespace kelm {

struct DocumentDescription;

const DocumentDescription &cssbDescription();

} // namespace kelm
