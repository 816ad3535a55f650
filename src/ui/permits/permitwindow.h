// What the permit register and the annual review window share beyond the
// register design: one permit of table wsxkz at a time, found by its
// permit number, in a window of the same size; list boxes that start
// editing when typed into; 查询 through the window's own query.
#pragma once

#include "registers/abstractregisterwindow.h"

namespace kelm {

class ListBox;

class PermitWindow : public AbstractRegisterWindow {
    Q_OBJECT
protected:
    PermitWindow(const RecordSource &source, ReturnSlot slot, QueryOpener openQuery, QWidget *parent);

    // A list box: choosing an entry or typing its text starts editing.
    void bindListBox(const QString &column, ListBox *box);

    QString shownNumber() const override;
    void query();

private:
    QueryOpener m_openQuery;
};

} // namespace kelm
