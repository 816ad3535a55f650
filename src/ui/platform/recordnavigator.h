// The bar along a register window's bottom edge: first, previous, next and
// last buttons around the caption "记录：共N条  第M条", which follows every
// move of its record. Disabling the bar disables all four buttons. The
// buttons are reached by Tab and pressed by the space bar.
#pragma once

#include <QWidget>

#include <array>

class QLabel;

namespace kelm {

class BoundRecord;

class RecordNavigator : public QWidget {
    Q_OBJECT
public:
    RecordNavigator(BoundRecord *record, QWidget *parent);

    QString caption() const;
    // First, previous, next, last: their place in the window's focus order.
    const std::array<QWidget *, 4> &buttons() const { return m_buttons; }

private:
    void refresh();

    BoundRecord *m_record;
    QLabel *m_caption;
    std::array<QWidget *, 4> m_buttons{};
};

} // namespace kelm
