// The screen pointer: hourglass or default. Not a stack: setting the
// default pointer ends every hourglass, as the windows expect.
#pragma once

namespace kelm {

void showHourglass();
void showDefaultPointer();
bool hourglassShown();

} // namespace kelm
