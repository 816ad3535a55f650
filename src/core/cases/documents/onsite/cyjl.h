// 采样记录: the sampling record with its sample label, register index 13,
// table cyjl; a plain document of single-line boxes.
#pragma once

namespace kelm {

struct DocumentDescription;

const DocumentDescription &cyjlDescription();

} // namespace kelm
