// main "Kelm": the frame once the user is let in. It holds only the menu
// bar and the title banner; every work window opens modally over it.
// Closing it by any route asks "确认退出吗？".
#pragma once

#include "shell/helpwindow.h"
#include "shell/windowfactory.h"

#include <QMainWindow>
#include <QPointer>

namespace kelm {

class TitleBanner;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);

    TitleBanner *banner() const { return m_banner; }
    HelpWindow *helpWindow() const { return m_help; }
    // The name the backup and restore dialogs propose next.
    QString proposedFileName() const { return m_fileName; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void openRegister(RegisterWindow which);
    void showHelp();

    TitleBanner *m_banner;
    QPointer<HelpWindow> m_help;
    QString m_fileName;
};

} // namespace kelm
