// 合议记录: the collegial deliberation record, register index 4, table hyjl.
#pragma once

namespace kelm {

struct DocumentDescription;

const DocumentDescription &hyjlDescription();

} // namespace kelm
