#include "data/prepare.h"

#include "data/schema.h"
#include "platform/database.h"

#include <QFile>
#include <QFileInfo>
#include <SQLiteCpp/SQLiteCpp.h>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

QString str(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

// Columns the query windows filter and sort on, indexed so that a list of a
// million rows opens and narrows at once.
struct Index {
    const char *table;
    const char *column;
};
constexpr Index listIndexes[] = {
    {"xzcf", "dwmc"}, {"xzcf", "slsj"}, {"wsxkz", "dwmc"}, {"jktj", "xm"},
    {"xzcf", "dwdz"}, {"xzcf", "fzr"},  {"xzcf", "jjxz"},  {"xzcf", "dh"},
    {"wsxkz", "lb"},  {"wsxkz", "xh"},  {"wsxkz", "dwdz"}, {"wsxkz", "jjxz"}, {"wsxkz", "fzrq"},
    {"wsxkz", "xkxm"}, {"wsxkz", "nsrq"}, {"wsxkz", "nsjg"}, {"wsxkz", "xcnsrq"},
};

} // namespace

QString createTableSql(const QString &table)
{
    const schema::Table *t = schema::find(table.toStdString());
    if (!t)
        throw DbError(u"未知的表 %1"_s.arg(table));
    QStringList defs;
    for (const schema::Column &c : t->columns) {
        const QString name = str(c.name);
        switch (c.kind) {
        case schema::Kind::Text:
            defs << u"%1 VARCHAR(%2) COLLATE NOCASE"_s.arg(name).arg(c.capacity);
            break;
        case schema::Kind::Memo: defs << u"%1 TEXT COLLATE NOCASE"_s.arg(name); break;
        case schema::Kind::YesNo: defs << u"%1 INTEGER NOT NULL DEFAULT 0"_s.arg(name); break;
        }
    }
    return u"CREATE TABLE %1 (%2)"_s.arg(str(t->name), defs.join(u", "_s));
}

void prepareDatabase(const QString &path)
{
    if (QFileInfo::exists(path))
        throw DbError(u"文件 %1 已存在，不能覆盖。"_s.arg(path));
    const QString temp = path + u".part"_s;
    QFile::remove(temp);
    {
        auto db = Database::createNew(temp);
        Transaction tx(*db);
        for (const schema::Table &t : schema::tables()) {
            db->exec(createTableSql(str(t.name)));
            if (!t.key.empty()) {
                db->exec(u"CREATE %1INDEX %2_%3 ON %2 (%3)"_s.arg(t.uniqueKey ? u"UNIQUE "_s : QString(),
                                                                  str(t.name), str(t.key)));
            }
        }
        for (const Index &i : listIndexes) {
            if (schema::find(i.table))
                db->exec(u"CREATE INDEX %1_%2 ON %1 (%2)"_s.arg(QString::fromUtf8(i.table), QString::fromUtf8(i.column)));
        }
        const schema::Table *wslo = schema::find("wslo");
        db->exec(u"INSERT INTO wslo (abcd, %1) VALUES (?, ?)"_s.arg(str(wslo->columns[1].name)),
                 {initialPassword, backupMarker});
        db->exec(u"INSERT INTO xzcftj DEFAULT VALUES"_s);
        db->exec(u"PRAGMA user_version = %1"_s.arg(schema::version));
        tx.commit();
    }
    if (!QFile::rename(temp, path)) {
        QFile::remove(temp);
        throw DbError(u"无法写入文件 %1。"_s.arg(path));
    }
}

} // namespace kelm
