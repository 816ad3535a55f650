// kelm-import JETFILE NEWFILE: converts an office's Jet kelm.mdb, or a Jet
// backup of it, into a new database file of this program, without windows,
// for an administrator moving several offices. Prints what was converted
// and listed; never overwrites NEWFILE.
#include "shell/jetdatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        err << "usage: kelm-import JETFILE NEWFILE\n";
        return 2;
    }
    const kelm::jet::Conversion result = kelm::convertToNewFile(args.at(1), args.at(2));
    if (!result.ok()) {
        err << u"没有转换 %1：%2"_s.arg(QDir::toNativeSeparators(args.at(1)), result.reason) << '\n';
        return 1;
    }
    out << u"已把 %1 转换为 %2。"_s.arg(QDir::toNativeSeparators(args.at(1)), QDir::toNativeSeparators(args.at(2)))
        << "\n\n"
        << result.summary.text() << '\n';
    return 0;
}
