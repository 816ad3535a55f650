// 保存证据通知书: the evidence preservation notice with its stub, register
// index 17, table bczj; two line groups, the issuing authority in jg.
#pragma once

namespace kelm {

struct DocumentDescription;

const DocumentDescription &bczjDescription();

} // namespace kelm
