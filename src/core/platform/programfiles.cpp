#include "platform/programfiles.h"

#include <QCoreApplication>

namespace kelm {

QString programFile(const QString &relativePath)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + relativePath;
}

} // namespace kelm
