#include "shell/startup.h"

#include "data/connection.h"
#include "import/jetfile.h"
#include "platform/messages.h"
#include "platform/programfiles.h"
#include "platform/units.h"
#include "shell/loginwindow.h"
#include "shell/mainwindow.h"
#include "shell/conversionatstart.h"
#include "shell/password.h"
#include "shell/splashwindow.h"
#include "shell/wholefile.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

using namespace Qt::StringLiterals;

namespace kelm {

bool startSession()
{
    // What a restore or a conversion that was killed left beside the
    // database.
    removeLeftovers(databasePath());
    // An office's database of the earlier format is converted first.
    if (jet::isJetFile(databasePath()) && !convertAtStart(databasePath()))
        return false;
    QString stored;
    try {
        stored = storedPassword(db());
    } catch (const DbError &e) {
        showError(nullptr, e.message() + u"\n程序将退出。"_s);
        return false;
    }
    // Where a journal that another file's crash left beside the database
    // went.
    if (const QString notice = db().journalNotice(); !notice.isEmpty())
        inform(nullptr, notice, u"提示"_s);

    auto *splash = new SplashWindow;
    splash->setAttribute(Qt::WA_DeleteOnClose);
    auto *login = new LoginWindow(stored);
    login->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(login, &LoginWindow::closedWith, splash, [splash](bool admitted) {
        splash->close();
        if (!admitted)
            return;
        auto *main = new MainWindow;
        main->setAttribute(Qt::WA_DeleteOnClose);
        main->show();
        main->activateWindow();
    });
    splash->show();
    login->show();
    // The keyboard goes to the log-in, and from it to the main window, also
    // where no window manager gives it on (after the window of a
    // conversion, say).
    login->activateWindow();
    return true;
}

int runProgram(QApplication &app)
{
    // Qt's own texts (file dialogs, the boxes' context menus) in Chinese
    // where the translation is installed.
    QTranslator qtTexts;
    if (qtTexts.load(u"qtbase_zh_CN"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTexts);
    app.setFont(uiFont(9));
    app.setWindowIcon(QIcon(programFile(u"picture/kelm.png"_s)));
    if (!startSession())
        return 1;
    const int code = app.exec();
    closeDatabase();
    return code;
}

} // namespace kelm
