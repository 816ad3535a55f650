// frm_bq "版权信息": the program's logo and name; closed with its close box.
#pragma once

#include "platform/formwindow.h"

namespace kelm {

class AboutBox : public FormWindow {
    Q_OBJECT
public:
    explicit AboutBox(QWidget *parent = nullptr);
};

} // namespace kelm
