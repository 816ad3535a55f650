// 送达回执: the service receipt with its stub, register index 16, table sdhz.
#pragma once

namespace kelm {

struct DocumentDescription;

const DocumentDescription &sdhzDescription();

} // namespace kelm
