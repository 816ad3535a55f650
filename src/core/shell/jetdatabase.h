// An office's Jet database file taken in: converted into a file of this
// program, the original kept beside it; or converted into a new file of
// the administrator's choosing.
#pragma once

#include "import/jetconversion.h"
#include "platform/progress.h"

#include <QString>

namespace kelm {

// The name the Jet original of the database file `live` is kept under
// beside it once converted: "kelm.Jet原文件.mdb", numbered when another file
// has that name.
QString keptJetOriginal(const QString &live);

// Converts the Jet database file `live` into one of this program's: the
// new file takes live's name and the original stays beside it under kept.
// Until the new file is complete and synced, live is only read and
// cancelling is safe; killed at any moment, live is either the Jet file as
// it was or the converted file with the original kept.
jet::Conversion convertDatabaseInPlace(const QString &live, const QString &kept, Progress &progress = noProgress());

// Converts the Jet file jetFile into the new database file newFile, which
// it never overwrites: newFile appears whole or not at all.
jet::Conversion convertToNewFile(const QString &jetFile, const QString &newFile, Progress &progress = noProgress());

} // namespace kelm
