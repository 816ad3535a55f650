// The statistics period as the period window's confirm button takes it
// from its two boxes into the application-wide start and end.
#pragma once

#include <QString>

namespace kelm::statistics {

// Reads the start box, then the end box, with the program's date reader,
// storing each date as it is read. Stops at the first text that is no
// date, leaving that value and the ones after it unchanged; true when
// both were stored. A start after the end is accepted.
bool storePeriod(const QString &startText, const QString &endText);

} // namespace kelm::statistics
