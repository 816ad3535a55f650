#include "platform/columnfit.h"

#include "platform/database.h"

#include <QApplication>
#include <QLineEdit>

#include <algorithm>

namespace kelm {

ColumnFit::ColumnFit(QLineEdit *box, int capacity) : QObject(box), m_box(box), m_capacity(capacity)
{
    m_last = box->text();
    connect(box, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (!m_box->isModified() || displayUnits(text) <= m_capacity)
            m_last = text;
    });
    connect(box, &QLineEdit::textEdited, this, &ColumnFit::edited);
}

QString ColumnFit::fit(const QString &before, const QString &after, int capacity, int *caret)
{
    // The edit replaced before[prefix, before.size() - suffix) with the
    // inserted text between the same common prefix and suffix.
    qsizetype prefix = 0;
    const qsizetype shortest = std::min(before.size(), after.size());
    while (prefix < shortest && before[prefix] == after[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shortest - prefix && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    // Never split a surrogate pair at either edge.
    if (prefix > 0 && after[prefix - 1].isHighSurrogate())
        --prefix;
    if (suffix > 0 && after[after.size() - suffix].isLowSurrogate())
        --suffix;
    const QString head = after.left(prefix);
    const QString tail = after.right(suffix);
    const QString inserted = after.mid(prefix, after.size() - prefix - suffix);
    const int room = std::max(0, capacity - displayUnits(head) - displayUnits(tail));
    const QString kept = fitToUnits(inserted, room);
    *caret = int(head.size() + kept.size());
    return head + kept + tail;
}

void ColumnFit::edited(const QString &text)
{
    if (displayUnits(text) <= m_capacity) {
        m_last = text;
        return;
    }
    int caret = 0;
    const QString fitted = fit(m_last, text, m_capacity, &caret);
    m_last = fitted;
    m_box->setText(fitted);
    m_box->setCursorPosition(caret);
    // setText clears the edit mark, but this is still the user's edit.
    m_box->setModified(true);
    QApplication::beep();
}

} // namespace kelm
