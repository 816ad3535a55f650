#include "data/connection.h"

#include <QCoreApplication>
#include <memory>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {
QString g_path;
std::unique_ptr<Database> g_db;
} // namespace

QString databasePath()
{
    if (!g_path.isEmpty())
        return g_path;
    return QCoreApplication::applicationDirPath() + u"/kelm.mdb"_s;
}

void setDatabasePath(const QString &path)
{
    closeDatabase();
    g_path = path;
}

Database &db()
{
    if (!g_db)
        g_db = std::make_unique<Database>(databasePath());
    return *g_db;
}

void closeDatabase() { g_db.reset(); }

} // namespace kelm
