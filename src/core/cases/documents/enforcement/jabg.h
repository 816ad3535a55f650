// 结案报告: the case closure report, register index 10, table jabg.
#pragma once

namespace kelm {

struct DocumentDescription;

const DocumentDescription &jabgDescription();

} // namespace kelm
