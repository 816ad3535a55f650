#include "e2e/support/screen.h"

#include "platform/progresswindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

using namespace Qt::StringLiterals;

namespace kelm::test {

QWidget *shownWindow(const QString &objectName)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->objectName() == objectName)
            return w;
    return nullptr;
}

int shownCount(const QString &objectName)
{
    int n = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        n += w->isVisible() && w->objectName() == objectName ? 1 : 0;
    return n;
}

bool isActive(const QString &objectName) { return activeName() == objectName && !objectName.isEmpty(); }

QString activeName()
{
    const QWidget *w = QApplication::activeWindow();
    return w ? w->objectName() : QString();
}

QMessageBox *shownMessage(const QString &text)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible() && box->text() == text)
            return box;
    return nullptr;
}

QAbstractButton *messageButton(QMessageBox *box, const QString &caption)
{
    if (!box)
        return nullptr;
    for (QAbstractButton *b : box->buttons())
        if (b->text() == caption)
            return b;
    return nullptr;
}

bool anyMessage()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<QMessageBox *>(w) && w->isVisible())
            return true;
    return false;
}

ProgressWindow *progressWindow() { return qobject_cast<ProgressWindow *>(shownWindow(u"progress"_s)); }

} // namespace kelm::test
