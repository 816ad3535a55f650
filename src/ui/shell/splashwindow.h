// frm_hm: the start-up picture, borderless and centred, shown while the
// log-in window is open.
#pragma once

#include <QWidget>

namespace kelm {

class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget *parent = nullptr);
};

} // namespace kelm
