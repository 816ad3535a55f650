// The bar along a register window's bottom edge: first, previous, next and
// last buttons around the caption "记录：共N条  第M条", which follows every
// move of its record. Disabling the bar disables all four buttons.
#pragma once

#include <QWidget>

class QLabel;

namespace kelm {

class BoundRecord;

class RecordNavigator : public QWidget {
    Q_OBJECT
public:
    RecordNavigator(BoundRecord *record, QWidget *parent);

    QString caption() const;

private:
    void refresh();

    BoundRecord *m_record;
    QLabel *m_caption;
};

} // namespace kelm
