#include "data/prepare.h"

#include "data/connection.h"
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
    {"jktj", "tjrq"},  {"jktj", "gz"},  {"jktj", "dwmc"},  {"jktj", "dz"},  {"jktj", "tjhg"}, {"jktj", "dlsj"},
};

// The delivered print layout (table dycc): per set its 整体 row, then one
// row per printed item in print order, named for the item; left and top in
// millimetres, font size in points. Model 1 prints on A3 landscape, model 2
// on A4 landscape (model 1 scaled by 3/4), model 3 on A4 portrait, the copy
// on A5 portrait. The reference values are delivered equal to these.
// Every item's widest text stays on its sheet, as the layout editor
// demands: model 3's category, which may run to 25 full-width characters
// near the right edge, prints at 10 pt.
struct LayoutSeed {
    char16_t set;
    const char16_t *name;
    double left;
    double top;
    double size;
};
constexpr LayoutSeed layoutSeeds[] = {
    {u'1', u"整体", 0, 0, 10},
    {u'1', u"地区简称", 250, 70, 14},
    {u'1', u"许可证类别", 266, 70, 14},
    {u'1', u"许可证年度", 286, 70, 14},
    {u'1', u"许可证编号", 305, 70, 14},
    {u'1', u"单位名称", 97, 95, 16},
    {u'1', u"负责人", 97, 127, 16},
    {u'1', u"地址", 97, 144, 16},
    {u'1', u"许可项目", 97, 176, 16},
    {u'1', u"发证机关", 250, 215, 16},
    {u'1', u"发证年（大写）", 250, 232, 16},
    {u'1', u"发证月（大写）", 279, 232, 16},
    {u'1', u"发证日（大写）", 297, 232, 16},
    {u'1', u"有效期起年", 97, 255, 16},
    {u'1', u"有效期起月", 114, 255, 16},
    {u'1', u"有效期起日", 125.5, 255, 16},
    {u'1', u"有效期止年", 142.5, 255, 16},
    {u'1', u"有效期止月", 159.5, 255, 16},
    {u'1', u"有效期止日", 171, 255, 16},
    {u'2', u"整体", 0, 0, 10},
    {u'2', u"地区简称", 187.5, 52.5, 10.5},
    {u'2', u"许可证类别", 199.5, 52.5, 10.5},
    {u'2', u"许可证年度", 214.5, 52.5, 10.5},
    {u'2', u"许可证编号", 228.75, 52.5, 10.5},
    {u'2', u"单位名称", 72.75, 71.25, 12},
    {u'2', u"负责人", 72.75, 95.25, 12},
    {u'2', u"地址", 72.75, 108, 12},
    {u'2', u"许可项目", 72.75, 132, 12},
    {u'2', u"发证机关", 187.5, 161.25, 12},
    {u'2', u"发证年（大写）", 187.5, 174, 12},
    {u'2', u"发证月（大写）", 209.25, 174, 12},
    {u'2', u"发证日（大写）", 222.75, 174, 12},
    {u'2', u"有效期起年", 72.75, 191.25, 12},
    {u'2', u"有效期起月", 85.5, 191.25, 12},
    {u'2', u"有效期起日", 94.125, 191.25, 12},
    {u'2', u"有效期止年", 106.875, 191.25, 12},
    {u'2', u"有效期止月", 119.625, 191.25, 12},
    {u'2', u"有效期止日", 128.25, 191.25, 12},
    {u'3', u"整体", 0, 0, 10},
    {u'3', u"地区简称", 110, 60, 10.5},
    {u'3', u"许可证类别", 121.5, 60, 10},
    {u'3', u"许可证年度", 134.5, 60, 10.5},
    {u'3', u"许可证编号", 147.5, 60, 10.5},
    {u'3', u"单位名称", 35, 85, 12},
    {u'3', u"负责人", 35, 105, 12},
    {u'3', u"地址", 35, 117, 12},
    {u'3', u"许可项目", 35, 137, 12},
    {u'3', u"发证机关", 120, 200, 12},
    {u'3', u"发证年", 120, 212, 12},
    {u'3', u"发证月", 133, 212, 12},
    {u'3', u"发证日", 141.5, 212, 12},
    {u'3', u"有效期起年", 50, 160, 12},
    {u'3', u"有效期起月", 63, 160, 12},
    {u'3', u"有效期起日", 71.5, 160, 12},
    {u'3', u"有效期止年", 84, 160, 12},
    {u'3', u"有效期止月", 97, 160, 12},
    {u'3', u"有效期止日", 105.5, 160, 12},
    {u'4', u"整体", 0, 0, 10},
    {u'4', u"地区简称", 40, 30, 9},
    {u'4', u"许可证类别", 49.5, 30, 9},
    {u'4', u"许可证年度", 61, 30, 9},
    {u'4', u"许可证编号", 72, 30, 9},
    {u'4', u"发证机关", 70, 170, 10},
    {u'4', u"发证年", 70, 182, 10},
    {u'4', u"发证月", 81, 182, 10},
    {u'4', u"发证日", 88, 182, 10},
    {u'4', u"单位名称", 45, 50, 10},
    {u'4', u"负责人", 45, 68, 10},
    {u'4', u"地址", 45, 78, 10},
    {u'4', u"经济性质", 45, 96, 10},
    {u'4', u"许可项目", 45, 106, 10},
    {u'4', u"有效期起年", 45, 128, 10},
    {u'4', u"有效期起月", 56, 128, 10},
    {u'4', u"有效期起日", 63, 128, 10},
    {u'4', u"有效期止年", 73.5, 128, 10},
    {u'4', u"有效期止月", 84.5, 128, 10},
    {u'4', u"有效期止日", 91.5, 128, 10},
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

void prepareTables(Database &db)
{
    for (const schema::Table &t : schema::tables()) {
        db.exec(createTableSql(str(t.name)));
        if (!t.key.empty()) {
            db.exec(u"CREATE %1INDEX %2_%3 ON %2 (%3)"_s.arg(t.uniqueKey ? u"UNIQUE "_s : QString(), str(t.name),
                                                             str(t.key)));
        }
    }
    for (const Index &i : listIndexes) {
        if (schema::find(i.table))
            db.exec(u"CREATE INDEX %1_%2 ON %1 (%2)"_s.arg(QString::fromUtf8(i.table), QString::fromUtf8(i.column)));
    }
    const schema::Table *wslo = schema::find("wslo");
    db.exec(u"INSERT INTO wslo (abcd, %1) VALUES (?, ?)"_s.arg(str(wslo->columns[1].name)),
            {initialPassword, backupMarker});
    db.exec(u"INSERT INTO xzcftj DEFAULT VALUES"_s);
    for (const LayoutSeed &r : layoutSeeds) {
        const QString left = QString::number(r.left), top = QString::number(r.top), size = QString::number(r.size);
        db.exec(u"INSERT INTO dycc (xkzlx, xmmc, xml, xmu, xmzh, de_xml, de_xmu, de_xmzh) "
                "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"_s,
                {QString(QChar(r.set)), QString::fromUtf16(r.name), left, top, size, left, top, size});
    }
    db.exec(u"PRAGMA user_version = %1"_s.arg(schema::version));
}

void prepareDatabase(const QString &path)
{
    if (QFileInfo::exists(path))
        throw DbError(u"文件 %1 已存在，不能覆盖。"_s.arg(path));
    const QString temp = path + u".part"_s;
    QFile::remove(temp);
    {
        auto db = Database::createNew(temp, storedSchema());
        Transaction tx(*db);
        prepareTables(*db);
        tx.commit();
    }
    if (!QFile::rename(temp, path)) {
        QFile::remove(temp);
        throw DbError(u"无法写入文件 %1。"_s.arg(path));
    }
}

} // namespace kelm
