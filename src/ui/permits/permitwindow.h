// What the permit register and the annual review window share beyond the
// register design: one permit of table wsxkz at a time, found by its
// permit number, in a window of the same size; the boxes Text1(i) bound by
// index; 查询 through the window's own query.
#pragma once

#include "registers/abstractregisterwindow.h"

#include <vector>

namespace kelm {

class ListBox;

class PermitWindow : public AbstractRegisterWindow {
    Q_OBJECT
protected:
    PermitWindow(const RecordSource &source, ReturnSlot slot, QueryOpener openQuery, QWidget *parent);

    // Binds Text1(index), a line or a multi-line box; with `edits` each
    // change of its text starts editing.
    void bindBox(int index, const QString &column, QWidget *box, bool edits = true);
    // A list box: choosing an entry or typing its text starts editing.
    void bindListBox(const QString &column, ListBox *box);
    QWidget *box(int index) const { return m_text.at(std::size_t(index)); }
    QString text(int index) const;

    QString shownNumber() const override;
    void query();

private:
    QueryOpener m_openQuery;
    std::vector<QWidget *> m_text; // Text1(i)
};

} // namespace kelm
