// 询问笔录: the inquiry record, register index 12, table xwbl; a plain
// document whose questions and answers are one memo box kept as typed.
#pragma once

namespace kelm {

struct DocumentDescription;

const DocumentDescription &xwblDescription();

} // namespace kelm
