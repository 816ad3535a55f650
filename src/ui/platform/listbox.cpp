#include "platform/listbox.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QSignalBlocker>

namespace kelm {

ListBox::ListBox(const QStringList &entries, QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // Qt's editable box completes the typed start of an entry inside the
    // text itself, keys or an input method's commit alike, and the whole
    // entry stays when the focus leaves: "食品" would be stored as
    // "食品摊贩". Without a completer the text stays as typed, and Qt also
    // matches a text to an entry only as it is written: "no.y.05-1" is
    // never turned into the entry "NO.Y.05-1".
    setCompleter(nullptr);
    addItems(entries);
    setEditText({});
    connect(this, &QComboBox::editTextChanged, this, &ListBox::followText);
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (!m_finishingEdit)
            emit chosen(index);
    });
}

void ListBox::setEntries(const QStringList &entries)
{
    const QString text = currentText();
    {
        const QSignalBlocker quiet(this);
        clear();
        addItems(entries);
        setEditText(text);
    }
    followText(text);
}

void ListBox::followText(const QString &text)
{
    const int entry = findText(text);
    if (entry >= 0 && entry != currentIndex())
        setCurrentIndex(entry);
}

// Leaving the box, or Enter in it, ends the editing of its text, which Qt
// may answer with `activated`: that is no choice.
void ListBox::focusOutEvent(QFocusEvent *event)
{
    const QScopedValueRollback finishing(m_finishingEdit, true);
    QComboBox::focusOutEvent(event);
}

void ListBox::keyPressEvent(QKeyEvent *event)
{
    const bool ends = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const QScopedValueRollback finishing(m_finishingEdit, m_finishingEdit || ends);
    QComboBox::keyPressEvent(event);
}

} // namespace kelm
