#include "cases/register/documentcheckbox.h"

namespace kelm {

DocumentCheckBox::DocumentCheckBox(const QString &caption, int *clickFlag, QWidget *parent)
    : QCheckBox(caption, parent), m_clickFlag(clickFlag)
{
}

void DocumentCheckBox::nextCheckState()
{
    *m_clickFlag = 1;
    QCheckBox::nextCheckState();
    *m_clickFlag = 0;
}

} // namespace kelm
