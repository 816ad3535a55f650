// A plain window with a caption, for a work window that is not there yet.
#pragma once

#include "platform/formwindow.h"

namespace kelm {

class PlaceholderWindow : public FormWindow {
    Q_OBJECT
public:
    explicit PlaceholderWindow(const QString &caption, QWidget *parent = nullptr);

    // Like every register: the hourglass of the opening menu item ends here.
    void activated() override;
};

} // namespace kelm
