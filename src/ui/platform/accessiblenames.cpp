#include "platform/accessiblenames.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace kelm {

void nameBox(QWidget *box, const QString &name)
{
    box->setAccessibleName(name);
    if (auto *list = qobject_cast<QComboBox *>(box); list && list->lineEdit())
        list->lineEdit()->setAccessibleName(name);
}

void nameAfter(QWidget *box, QLabel *label)
{
    label->setBuddy(box);
    nameBox(box, spokenLabel(label->text()));
}

} // namespace kelm
