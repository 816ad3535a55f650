// A document box of the case register. Only the user's own toggle of the
// box (a mouse click, the space bar, an accessibility action) raises the
// register's click flag, for as long as that toggle is being handled, the
// modal document window included; a toggle made by the program (showing a
// case, the register's re-tick, a document window's untick) finds the flag
// down and opens nothing.
#pragma once

#include <QCheckBox>

namespace kelm {

class DocumentCheckBox : public QCheckBox {
    Q_OBJECT
public:
    DocumentCheckBox(const QString &caption, int *clickFlag, QWidget *parent);

protected:
    void nextCheckState() override;

private:
    int *m_clickFlag;
};

} // namespace kelm
