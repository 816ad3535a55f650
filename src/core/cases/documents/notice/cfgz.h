// 行政处罚事先告知书: the advance penalty notice, register index 7, table
// cfgz, printed by rep_gzs.
#pragma once

namespace kelm {

struct DocumentDescription;

const DocumentDescription &cfgzDescription();

} // namespace kelm
