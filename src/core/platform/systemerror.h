// Why the system refused a file operation, told in the user's words. The C
// library's own texts are English ("Operation not permitted"); every
// message of the program says the cause in Chinese instead, by the error
// number, so that the user knows what to do about it.
#pragma once

#include <QString>

namespace kelm {

// The cause behind an errno value, as a short clause ("磁盘已满").
QString systemErrorText(int error);

} // namespace kelm
