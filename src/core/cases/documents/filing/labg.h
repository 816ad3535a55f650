// 立案报告: the case filing report, register index 2, table labg.
#pragma once

namespace kelm {

struct DocumentDescription;

const DocumentDescription &labgDescription();

} // namespace kelm
