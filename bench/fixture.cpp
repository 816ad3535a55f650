#include "fixture.h"

#include "data/connection.h"
#include "data/prepare.h"
#include "data/schema.h"
#include "platform/database.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <SQLiteCpp/SQLiteCpp.h>

#include <random>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace kelm::fixture {

namespace {

QString str(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

const QStringList units = {u"城关饭店"_s, u"新华食品厂"_s, u"东方宾馆"_s, u"红星浴室"_s, u"阳光超市"_s,
                           u"金桥酒家"_s, u"和平理发店"_s, u"明珠歌舞厅"_s};

QString sample(const schema::Column &c, int row, std::mt19937 &rng)
{
    if (c.kind == schema::Kind::YesNo)
        return QString::number(rng() % 2);
    const QString name = str(c.name);
    if (c.kind == schema::Kind::Memo)
        return u"经查，该单位未取得卫生许可证擅自从事食品经营活动，现场发现过期食品若干。"_s;
    if (c.capacity >= 20)
        return fitToUnits(units[row % units.size()] + u"有关情况说明第"_s + QString::number(row) + u"项"_s,
                          c.capacity);
    return fitToUnits(QString::number(2000 + row % 7), c.capacity);
}

void fill(SQLite::Database &db, const schema::Table &t, const QString &keyPrefix, int count, std::mt19937 &rng)
{
    QStringList names, marks;
    for (const schema::Column &c : t.columns) {
        names << str(c.name);
        marks << u"?"_s;
    }
    SQLite::Statement st(db, u"INSERT INTO %1 (%2) VALUES (%3)"_s.arg(str(t.name), names.join(u','), marks.join(u','))
                                 .toStdString());
    for (int row = 0; row < count; ++row) {
        int i = 1;
        for (const schema::Column &c : t.columns) {
            QString v = str(c.name).compare(str(t.key), Qt::CaseInsensitive) == 0
                ? keyPrefix + u"%1"_s.arg(row + 1, 4 + (count > 9999 ? 2 : 0), 10, QChar(u'0'))
                : sample(c, row, rng);
            if (c.kind == schema::Kind::YesNo)
                st.bind(i, v.toInt());
            else
                st.bind(i, v.toStdString());
            ++i;
        }
        st.exec();
        st.reset();
    }
}

} // namespace

void make(const QString &path, const Size &size)
{
    QFile::remove(path);
    prepareDatabase(path);
    Database db(path, storedSchema());
    SQLite::Database &raw = db.raw();
    raw.exec("PRAGMA synchronous=OFF");
    raw.exec("PRAGMA journal_mode=OFF");
    std::mt19937 rng(42);
    SQLite::Transaction tx(raw);
    fill(raw, *schema::find("xzcf"), u"20"_s, size.cases, rng);
    for (const schema::Table *t : schema::documentTables())
        fill(raw, *t, u"20"_s, size.cases, rng);
    fill(raw, *schema::find("wsxkz"), u"2002"_s, size.permits, rng);
    fill(raw, *schema::find("jktj"), u"20"_s, size.exams, rng);
    tx.commit();
    raw.exec("PRAGMA journal_mode=DELETE");
}

QString cached(const Size &size)
{
    const QString dir = QCoreApplication::applicationDirPath() + u"/bench-data"_s;
    QDir().mkpath(dir);
    const QString path = dir + u"/fixture-%1-%2-%3.mdb"_s.arg(size.cases).arg(size.permits).arg(size.exams);
    if (!QFile::exists(path)) {
        make(path + u".tmp"_s, size);
        QFile::rename(path + u".tmp"_s, path);
    }
    syncFile(path);
    return path;
}

void syncFile(const QString &path)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        ::fsync(file.handle());
}

} // namespace kelm::fixture
