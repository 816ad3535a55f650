// kelm-initdb FILE: prepares a complete new database file.
#include "data/prepare.h"
#include "platform/database.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        err << "usage: kelm-initdb FILE\n";
        return 2;
    }
    try {
        kelm::prepareDatabase(args.at(1));
    } catch (const kelm::DbError &e) {
        err << e.message() << '\n';
        return 1;
    }
    return 0;
}
