// The preview's page number box. Any number can be typed: one past the
// last page goes to the last page, 0 or less to the first, when it is
// entered, where a plain spin box would refuse the digit that makes the
// number too large and keep the page it shows.
#pragma once

#include <QSpinBox>

namespace kelm::report {

class PageNumberBox : public QSpinBox {
    Q_OBJECT
public:
    using QSpinBox::QSpinBox;

protected:
    QValidator::State validate(QString &text, int &pos) const override;
    void fixup(QString &text) const override;
};

} // namespace kelm::report
