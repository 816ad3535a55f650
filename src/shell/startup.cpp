#include "shell/startup.h"

#include "data/connection.h"
#include "platform/messages.h"
#include "platform/units.h"

#include <QApplication>
#include <QMainWindow>

using namespace Qt::StringLiterals;

namespace kelm {

int runProgram(QApplication &app)
{
    app.setFont(uiFont(9));
    try {
        db();
    } catch (const DbError &e) {
        showError(nullptr, e.message());
        return 1;
    }
    QMainWindow main;
    main.setWindowTitle(u"Kelm"_s);
    main.resize(800, 600);
    main.show();
    return app.exec();
}

} // namespace kelm
