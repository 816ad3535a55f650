#include "data/connection.h"

#include "data/schema.h"

#include <QCoreApplication>
#include <memory>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

QString g_path;
std::unique_ptr<Database> g_db;

int columnCapacity(const QString &table, const QString &column)
{
    const schema::Table *t = schema::find(table.toStdString());
    if (!t)
        return -1;
    for (const schema::Column &c : t->columns) {
        if (QString::fromUtf8(c.name.data(), qsizetype(c.name.size())).compare(column, Qt::CaseInsensitive) == 0)
            return c.kind == schema::Kind::Text ? c.capacity : -1;
    }
    return -1;
}

} // namespace

const StoredSchema &storedSchema()
{
    static const StoredSchema schema{schema::version, columnCapacity};
    return schema;
}

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
        g_db = std::make_unique<Database>(databasePath(), storedSchema());
    return *g_db;
}

void closeDatabase() { g_db.reset(); }

} // namespace kelm
