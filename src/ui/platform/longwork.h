// Work that can take longer than a moment (backup, restore, preparing a
// large list) runs on a thread of its own while the program's windows stay
// responsive. For the first half second the hourglass shows and input waits,
// so nothing else starts meanwhile; then a progress window shows the stage
// and its bar, with 取消 where the work allows it. The call returns when the
// work has ended; an exception of the work is thrown again here.
//
// The work must not touch widgets nor the program's own connection: it
// opens what it reads itself.
#pragma once

#include "platform/progress.h"

#include <functional>

class QWidget;

namespace kelm {

void runLongWork(QWidget *parent, const QString &title, const std::function<void(Progress &)> &work);

} // namespace kelm
