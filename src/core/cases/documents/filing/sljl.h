// 案件受理记录: the case acceptance record, register index 1, table sljl.
#pragma once

namespace kelm {

struct DocumentDescription;

const DocumentDescription &sljlDescription();

} // namespace kelm
