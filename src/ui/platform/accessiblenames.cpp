#include "platform/accessiblenames.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

// Qt names a list box by its text on this platform; here it is named by its
// label like every other box, and its text is its value.
class ListBoxAccessible : public QAccessibleWidget {
public:
    explicit ListBoxAccessible(QComboBox *box) : QAccessibleWidget(box, QAccessible::ComboBox) { }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return box()->currentText();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override { return QAccessibleWidget::actionNames() << showMenuAction(); }

    void doAction(const QString &name) override
    {
        if (name == showMenuAction())
            box()->showPopup();
        else
            QAccessibleWidget::doAction(name);
    }

private:
    QComboBox *box() const { return static_cast<QComboBox *>(widget()); }
};

QAccessibleInterface *accessibleListBox(const QString &className, QObject *object)
{
    if (className == QLatin1StringView(QComboBox::staticMetaObject.className()))
        return new ListBoxAccessible(static_cast<QComboBox *>(object));
    return nullptr;
}

} // namespace

void readListBoxesByName()
{
    static const bool installed = (QAccessible::installFactory(accessibleListBox), true);
    Q_UNUSED(installed);
}

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
