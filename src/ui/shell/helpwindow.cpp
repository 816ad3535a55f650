#include "shell/helpwindow.h"

#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kelm {

HelpWindow::HelpWindow(QWidget *parent) : QWidget(parent, Qt::Window), m_browser(new QTextBrowser(this))
{
    setObjectName(u"help"_s);
    setWindowTitle(u"Kelm 帮助"_s);
    resize(720, 560);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
}

void HelpWindow::showTopic(const QString &path)
{
    if (!QFileInfo(path).isReadable()) {
        m_browser->setHtml(u"<p>找不到帮助文件 %1。</p>"_s.arg(QDir::toNativeSeparators(path).toHtmlEscaped()));
        return;
    }
    m_browser->setSource(QUrl::fromLocalFile(path));
    m_browser->reload();
}

} // namespace kelm
