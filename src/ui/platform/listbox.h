// A list box of the forms: a list into which the user may also type, and
// what is typed stays exactly as typed. Only the user's choice from the
// list counts as a choice (chosen) and puts an entry in place of the text:
// Qt's own editable combo box also reports an entry as activated when the
// focus merely leaves, or Enter is pressed, on a text that matches an
// entry, which is how it looks after a record was shown. Its current entry
// follows its text, so the arrow keys and the opened list go on from the
// entry shown.
#pragma once

#include <QComboBox>

namespace kelm {

class ListBox : public QComboBox {
    Q_OBJECT
public:
    explicit ListBox(const QStringList &entries = {}, QWidget *parent = nullptr);

    // Puts other entries in the list; the text stays as it is.
    void setEntries(const QStringList &entries);

signals:
    // The user chose entry `index` from the list: with the mouse, by the
    // arrow keys or the wheel, or through the opened list.
    void chosen(int index);

protected:
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void followText(const QString &text);

    bool m_finishingEdit = false;
};

} // namespace kelm
