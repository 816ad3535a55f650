#include "e2e/support/screen.h"

#include "platform/progresswindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

#include <functional>

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

namespace {
QMessageBox *shownMessageWhere(const std::function<bool(const QString &)> &matches)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible() && matches(box->text()))
            return box;
    return nullptr;
}
} // namespace

QMessageBox *shownMessage(const QString &text)
{
    return shownMessageWhere([&](const QString &shown) { return shown == text; });
}

QMessageBox *shownMessageWith(const QString &part)
{
    return shownMessageWhere([&](const QString &shown) { return shown.contains(part); });
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
