// 听证意见书: the hearing opinion, register index 20, table tzyj.
#pragma once

namespace kelm {

struct DocumentDescription;

const DocumentDescription &tzyjDescription();

} // namespace kelm
