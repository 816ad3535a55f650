// 责令改正通知书: the order-to-correct notice with its stub in one window,
// register index 21, table zlgz.
#pragma once

namespace kelm {

struct DocumentDescription;

const DocumentDescription &zlgzDescription();

} // namespace kelm
