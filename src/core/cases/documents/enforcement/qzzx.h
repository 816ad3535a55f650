// 强制执行申请书: the application for compulsory enforcement, register
// index 9, table qzzx; a plain document without header or footer.
#pragma once

namespace kelm {

struct DocumentDescription;

const DocumentDescription &qzzxDescription();

} // namespace kelm
