// The window of a case document whose own form is not built yet. It keeps
// the contract of every document window: it stands on the current case's
// row of its table only (creating the row when the case has none), and
// closing it with "销  档" ticked asks whether to delete that row; on 是 the
// row goes and the register's box is unticked without the register acting
// on the untick.
#pragma once

#include "platform/formwindow.h"

class QCheckBox;
class QLabel;

namespace kelm {

class PlaceholderDocument : public FormWindow {
    Q_OBJECT
public:
    PlaceholderDocument(int registerIndex, QWidget *parent);

    void activated() override;
    bool queryClose() override;

private:
    int m_index;
    QString m_caseNo; // the row this window stands on
    QLabel *m_row;
    QCheckBox *m_deleteOnClose;
};

} // namespace kelm
