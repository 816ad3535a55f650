#include "platform/accessiblenames.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

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

// The pane a multi-line box draws its text on. Qt reads it as an object of
// its own, nameless, that has the focus whenever its box has it (the box
// is its focus proxy), and a screen reader then announces that pane
// instead of the box. It is part of the box: the box alone has the focus.
class MultiLinePaneAccessible : public QAccessibleWidget {
public:
    explicit MultiLinePaneAccessible(QWidget *pane) : QAccessibleWidget(pane, QAccessible::Client) { }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.focused = false;
        return s;
    }
};

bool isMultiLinePane(QObject *object)
{
    auto *box = qobject_cast<QAbstractScrollArea *>(object->parent());
    return box && box->viewport() == object && (qobject_cast<QPlainTextEdit *>(box) || qobject_cast<QTextEdit *>(box));
}

QAccessibleInterface *accessibleBox(const QString &className, QObject *object)
{
    if (className == QLatin1StringView(QComboBox::staticMetaObject.className()))
        return new ListBoxAccessible(static_cast<QComboBox *>(object));
    if (className == QLatin1StringView(QWidget::staticMetaObject.className()) && isMultiLinePane(object))
        return new MultiLinePaneAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

void readBoxesAsOne()
{
    static const bool installed = (QAccessible::installFactory(accessibleBox), true);
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
