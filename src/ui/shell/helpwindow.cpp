#include "shell/helpwindow.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kelm {

HelpWindow::HelpWindow(QWidget *parent) : FormWindow(parent), m_browser(new QTextBrowser(this))
{
    setObjectName(u"help"_s);
    setWindowTitle(u"Kelm 帮助"_s);
    setWindowFlag(Qt::WindowMinMaxButtonsHint);
    m_browser->setObjectName(u"page"_s);
    m_browser->setAccessibleName(u"帮助"_s);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(720, 560);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void HelpWindow::unloaded()
{
    if (QWidget *main = parentWidget(); main && main->isVisible())
        main->activateWindow();
}

// The page is named by its title, as a screen reader announces a page.
void HelpWindow::showTopic(const QString &path)
{
    if (!QFileInfo(path).isReadable()) {
        m_browser->setHtml(u"<p>找不到帮助文件 %1。</p>"_s.arg(QDir::toNativeSeparators(path).toHtmlEscaped()));
    } else {
        m_browser->setSource(QUrl::fromLocalFile(path));
        m_browser->reload();
    }
    const QString title = m_browser->documentTitle().trimmed();
    m_browser->setAccessibleName(title.isEmpty() ? u"帮助"_s : title);
}

} // namespace kelm
