// Lets a register's line box take only what its column keeps: an edit
// (typing, a paste, an input method's commit, a drop) that would make the
// text longer than the column's capacity keeps the part of the inserted
// text that fits, and beeps, as a document box does. So what the box shows
// is what a save stores. Text set by the program is left as it is.
#pragma once

#include <QObject>
#include <QString>

class QLineEdit;

namespace kelm {

class ColumnFit : public QObject {
    Q_OBJECT
public:
    // capacity in display units (a full-width character counts 2).
    ColumnFit(QLineEdit *box, int capacity);

    // What an edit from `before` to `after` leaves when the text may hold
    // `capacity` units: the inserted part cut to what fits. The caret
    // position goes to `caret`.
    static QString fit(const QString &before, const QString &after, int capacity, int *caret);

private:
    void edited(const QString &text);

    QLineEdit *m_box;
    int m_capacity;
    QString m_last; // the text before the user's edit
};

} // namespace kelm
