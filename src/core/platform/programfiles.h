// Files that come with the program in its folder: pictures and help.
#pragma once

#include <QString>

namespace kelm {

// The program folder followed by relativePath ("picture/start.jpg").
QString programFile(const QString &relativePath);

} // namespace kelm
