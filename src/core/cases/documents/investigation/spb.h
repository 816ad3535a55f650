// 卫生行政处罚审批表: the penalty approval form, register index 5, table spb.
#pragma once

namespace kelm {

struct DocumentDescription;

const DocumentDescription &spbDescription();

} // namespace kelm
