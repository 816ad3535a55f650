// The space-key rule of a register's number box: pressing space locks the
// box, so a space is never typed into a number, and releasing it unlocks
// the box, also when it was locked before (then a stored number can be
// edited, and the save carries its records along). With beep the press
// also beeps, as the layout editor's value boxes do.
#pragma once

#include <QObject>

class QLineEdit;

namespace kelm {

class SpaceKeyLock : public QObject {
    Q_OBJECT
public:
    explicit SpaceKeyLock(QLineEdit *box, bool beep = false);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_box;
    bool m_beep;
};

} // namespace kelm
