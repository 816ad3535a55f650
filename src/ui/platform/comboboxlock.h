// A list box the user can read but not change, as a locked list box of the
// forms: its edit line is read-only, and neither a click on its arrow, the
// wheel nor a key opens its list or moves to another entry. Code still sets
// its text, so a bound record shows its value.
#pragma once

#include <QObject>

class QComboBox;

namespace kelm {

class ComboBoxLock : public QObject {
    Q_OBJECT
public:
    // The box must be editable.
    explicit ComboBoxLock(QComboBox *box);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QComboBox *m_box;
};

} // namespace kelm
