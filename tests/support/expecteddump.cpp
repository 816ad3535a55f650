#include "support/expecteddump.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <SQLiteCpp/SQLiteCpp.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace kelm::test {

namespace {

// A value as text that tells NULL, a number and a text apart.
QString shown(const QJsonValue &v)
{
    if (v.isNull())
        return u"<null>"_s;
    if (v.isDouble())
        return u"#"_s + QString::number(v.toInteger());
    return u"'"_s + v.toString() + u"'"_s;
}

QString shown(const SQLite::Column &c)
{
    if (c.isNull())
        return u"<null>"_s;
    if (c.isInteger())
        return u"#"_s + QString::number(c.getInt64());
    return u"'"_s + QString::fromUtf8(c.getText()) + u"'"_s;
}

struct Row {
    QString key;
    QString values;
};

// Rows sorted by key where the order does not matter; a stable sort keeps
// rows of one key in their order.
QStringList ordered(std::vector<Row> rows, bool orderMatters)
{
    if (!orderMatters)
        std::stable_sort(rows.begin(), rows.end(), [](const Row &a, const Row &b) { return a.key < b.key; });
    QStringList out;
    for (const Row &r : rows)
        out << r.values;
    return out;
}

} // namespace

QString differenceFromExpected(const QString &path, const QString &expectedJson)
{
    QFile f(expectedJson);
    if (!f.open(QIODevice::ReadOnly))
        return u"cannot read "_s + expectedJson;
    const QJsonObject tables = QJsonDocument::fromJson(f.readAll()).object().value(u"tables"_s).toObject();
    if (tables.isEmpty())
        return u"no tables in "_s + expectedJson;
    SQLite::Database db(path.toStdString(), SQLite::OPEN_READONLY);
    for (auto t = tables.begin(); t != tables.end(); ++t) {
        const QJsonObject table = t.value().toObject();
        const bool orderMatters = table.value(u"order_matters"_s).toBool();
        const QString key = table.value(u"key"_s).toString();
        QStringList columns;
        for (const QJsonValue &c : table.value(u"columns"_s).toArray())
            columns << c.toString();
        std::vector<Row> expected;
        for (const QJsonValue &r : table.value(u"rows"_s).toArray()) {
            QStringList values;
            for (const QString &c : std::as_const(columns))
                values << shown(r.toObject().value(c));
            expected.push_back({r.toObject().value(key).toString(), values.join(u" | "_s)});
        }
        std::vector<Row> actual;
        SQLite::Statement st(db, u"SELECT %1 FROM %2 ORDER BY rowid"_s.arg(columns.join(u", "_s), t.key()).toStdString());
        const int keyColumn = int(columns.indexOf(key));
        while (st.executeStep()) {
            QStringList values;
            for (int i = 0; i < st.getColumnCount(); ++i)
                values << shown(st.getColumn(i));
            actual.push_back({keyColumn >= 0 ? QString::fromUtf8(st.getColumn(keyColumn).getText()) : QString(),
                              values.join(u" | "_s)});
        }
        const QStringList want = ordered(expected, orderMatters);
        const QStringList got = ordered(actual, orderMatters);
        if (want.size() != got.size())
            return u"%1: %2 rows, expected %3"_s.arg(t.key()).arg(got.size()).arg(want.size());
        for (qsizetype i = 0; i < want.size(); ++i)
            if (want[i] != got[i])
                return u"%1 row %2 (%3):\n got      %4\n expected %5"_s.arg(t.key()).arg(i).arg(columns.join(u", "_s),
                                                                                         got[i].left(2000), want[i].left(2000));
    }
    return {};
}

void patchFile(const QString &path, qint64 offset, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite) || !f.seek(offset) || f.write(bytes) != bytes.size())
        qFatal("cannot patch %s", qPrintable(path));
}

void patchFile(const QString &path, qint64 offset, const QByteArray &was, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || !f.seek(offset) || f.read(was.size()) != was)
        qFatal("%s is not the file the offsets were taken from", qPrintable(path));
    f.close();
    patchFile(path, offset, bytes);
}

} // namespace kelm::test
