#include "shell/mainwindow.h"

#include "platform/busypointer.h"
#include "platform/keyboarduse.h"
#include "platform/messages.h"
#include "platform/modal.h"
#include "platform/programfiles.h"
#include "platform/units.h"
#include "shell/aboutbox.h"
#include "shell/backupmenu.h"
#include "shell/helpwindow.h"
#include "shell/menucaptionstyle.h"
#include "shell/passwordwindow.h"
#include "shell/titlebanner.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>

using namespace Qt::StringLiterals;

namespace kelm {

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent), m_banner(new TitleBanner(this)), m_fileName(u"bc_kelm"_s)
{
    KeyboardUse::install();
    setObjectName(u"main"_s);
    setWindowTitle(u"Kelm"_s);
    setCentralWidget(m_banner);
    buildMenus();
    resize(px(11880), px(7320) + menuBar()->sizeHint().height());
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen()->availableGeometry()));
}

void MainWindow::buildMenus()
{
    QMenuBar *bar = menuBar();
    // The entries show the form's captions; their actions hold the words.
    auto *captions = new MenuCaptionStyle;
    captions->setParent(this);
    bar->setStyle(captions);
    auto topMenu = [bar, captions](const QString &caption) {
        QMenu *m = bar->addMenu(caption);
        captions->setCaption(m->menuAction(), caption);
        m->setStyle(captions);
        return m;
    };
    auto item = [this, captions](QMenu *menu, const char *name, const QString &caption, auto slot) {
        QAction *action = menu->addAction(caption);
        captions->setCaption(action, caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, slot);
    };
    auto separator = [](QMenu *menu, const char *name) {
        menu->addSeparator()->setObjectName(QString::fromLatin1(name));
    };

    QMenu *system = topMenu(u"  系统  "_s);
    system->setObjectName(u"xt"_s);
    item(system, "bf", u"数据备份"_s, [this] { backUpFromMenu(this, m_fileName); });
    item(system, "hf", u"数据恢复"_s, [this] { restoreFromMenu(this, m_fileName); });
    separator(system, "fhjh");
    item(system, "mmsz", u"密码设置"_s, [this] { openModal(this, new PasswordWindow(this)); });
    separator(system, "gxfgdhf");
    item(system, "tc", u"退    出"_s, [this] { close(); });

    QMenu *permits = topMenu(u"卫生许可证管理"_s);
    permits->setObjectName(u"wsxkz"_s);
    item(permits, "xkzff", u"卫生许可证发放管理"_s, [this] { openRegister(RegisterWindow::Permits); });
    item(permits, "xkzns", u"卫生许可证年审管理"_s, [this] { openRegister(RegisterWindow::Reviews); });

    // These two entries are commands themselves, without a menu.
    QAction *exams = bar->addAction(u"健康体检及卫生知识培训管理"_s);
    exams->setObjectName(u"tjb"_s);
    connect(exams, &QAction::triggered, this, [this] { openRegister(RegisterWindow::Exams); });
    QAction *cases = bar->addAction(u"卫生行政处罚管理"_s);
    cases->setObjectName(u"xzxf"_s);
    connect(cases, &QAction::triggered, this, [this] { openRegister(RegisterWindow::Cases); });

    QMenu *help = topMenu(u"帮助"_s);
    help->setObjectName(u"qt"_s);
    item(help, "bz", u"帮    助"_s, [this] { showHelp(); });
    separator(help, "krjg");
    item(help, "bq", u"版权信息"_s, [this] { openModal(this, new AboutBox(this)); });
}

void MainWindow::openRegister(RegisterWindow which)
{
    // The register resets the pointer when it first becomes active; the
    // reset here ends an hourglass left by any window it opened.
    showHourglass();
    openModal(this, createRegisterWindow(which, this), [] { showDefaultPointer(); });
}

void MainWindow::showHelp()
{
    if (!m_help)
        m_help = new HelpWindow(this);
    m_help->showTopic(programFile(u"help/help.htm"_s));
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (ask(this, u"确认退出吗？"_s, u"提示"_s, Buttons::YesNo, Answer::Yes, Icon::None) != Answer::Yes) {
        event->ignore();
        return;
    }
    if (m_help)
        m_help->close();
    event->accept();
}

} // namespace kelm
