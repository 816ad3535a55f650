// Opens work windows modally. Before the child shows, the opener loses the
// focus (its deactivated step); after the child has closed, `after` runs
// and then the opener becomes active again. Tests switch to non-blocking
// mode, drive the child and close it; the same steps then run on close.
#pragma once

#include <functional>

class QWidget;

namespace kelm {

class FormWindow;

enum class ModalMode { Blocking, NonBlocking };
void setModalMode(ModalMode mode);
ModalMode modalMode();

// Takes ownership of child (deleted after it closed).
void openModal(QWidget *opener, FormWindow *child, std::function<void()> after = {});

} // namespace kelm
