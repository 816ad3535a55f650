// A kelm.mdb of the earlier Jet format in the program folder, met at the
// start: the user is asked, the file is converted with progress and 取消,
// the original is kept beside the new file, and what was converted is
// shown. Anything but a finished conversion ends the program with nothing
// changed.
#pragma once

#include <QString>

namespace kelm {

// Asks about and converts the Jet database file `live`. True when live is
// now this program's database and the start goes on.
bool convertAtStart(const QString &live);

} // namespace kelm
