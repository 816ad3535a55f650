#include "import/jetconverter.h"

#include "data/prepare.h"
#include "data/schema.h"
#include "platform/database.h"

#include <QFileInfo>
#include <SQLiteCpp/Database.h>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace kelm::jet {

namespace {

// Progress is told after this many rows: several times a second at the
// speed rows arrive, without a lock taken for every row.
constexpr qint64 rowsPerReport = 256;

QString str(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

const QString wsloName = u"wslo"_s;
const QString passwordColumn = u"abcd"_s;
// The marker is read by its place, the second column, whatever its name.
constexpr int markerOrdinal = 1;
// What the restore has always said of a file without the marker.
const QString notABackup = u"该文件不是正确的备份文件或文件已损坏！"_s;

int jetColumn(const Table &table, const QString &name)
{
    for (std::size_t i = 0; i < table.columns.size(); ++i)
        if (table.columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

// A yes/no stored as another type: a number (0 is no) or a word that says
// yes or no; nothing else is read as either.
std::optional<int> readYesNo(const QString &text)
{
    const QString word = text.trimmed().toLower();
    bool number = false;
    const double n = word.toDouble(&number);
    if (number)
        return n != 0 ? 1 : 0;
    static const QStringList yes{u"true"_s, u"yes"_s, u"on"_s, u"是"_s, u"真"_s};
    static const QStringList no{u"false"_s, u"no"_s, u"off"_s, u"否"_s, u"假"_s};
    if (yes.contains(word))
        return 1;
    if (no.contains(word))
        return 0;
    return std::nullopt;
}

} // namespace

// How one table of the file goes into the database.
struct JetConverter::Plan {
    explicit Plan(const Table &t) : jet(t) { }
    ~Plan() { sqlite3_finalize(insert); }
    Plan(const Plan &) = delete;
    Plan &operator=(const Plan &) = delete;

    const Table &jet;
    // nullptr: a table this program has not.
    const schema::Table *kelm = nullptr;
    QString name;
    // For each column of the program's table, the file's column it is
    // taken from; -1 where the file has none.
    std::vector<int> source;
    // The file's column of the program's unique key; -1 for none.
    int keyColumn = -1;
    sqlite3_stmt *insert = nullptr;
    // The text bound to each column, alive until the row is stored.
    std::vector<QByteArray> bound;
    qint64 rows = 0;
};

JetConverter::JetConverter(Database &target, Progress &progress) : m_target(target), m_progress(progress) { }

JetConverter::~JetConverter() = default;

void JetConverter::stop(ConversionFailure failure, const QString &reason)
{
    if (stopped())
        return;
    m_failure = failure;
    m_reason = reason;
}

void JetConverter::begin(const FileInfo &file, const std::vector<Table> &tables)
{
    m_tables = tables;
    m_summary.source = file.textEncoding.isEmpty()
        ? u"Jet %1 格式"_s.arg(file.jetVersion)
        : u"Jet %1 格式，文字按 %2 解码"_s.arg(file.jetVersion).arg(file.textEncoding);
    qint64 rows = 0;
    bool hasWslo = false;
    for (const Table &t : tables) {
        rows += t.recordedRows;
        hasWslo = hasWslo || t.name.compare(wsloName, Qt::CaseInsensitive) == 0;
    }
    if (!hasWslo)
        stop(ConversionFailure::NotABackup, notABackup);
    m_progress.stage(u"正在转换数据……"_s, rows, true);
}

void JetConverter::beginTable(int table)
{
    if (stopped() || table < 0 || std::size_t(table) >= m_tables.size())
        return;
    m_plan = std::make_unique<Plan>(m_tables[std::size_t(table)]);
    Plan &p = *m_plan;
    p.kelm = schema::find(p.jet.name.toStdString());
    if (!p.kelm)
        return;
    p.name = str(p.kelm->name);
    m_tablesTaken << p.name;
    const bool wslo = p.name == wsloName;
    QStringList names;
    std::vector<bool> taken(p.jet.columns.size(), false);
    for (std::size_t i = 0; i < p.kelm->columns.size(); ++i) {
        const QString column = str(p.kelm->columns[i].name);
        names << column;
        int from = wslo && int(i) == markerOrdinal ? markerOrdinal : jetColumn(p.jet, column);
        if (from >= int(p.jet.columns.size()))
            from = -1;
        p.source.push_back(from);
        if (from < 0)
            m_summary.missingColumns << p.name + u'.' + column;
        else
            taken[std::size_t(from)] = true;
        if (p.kelm->uniqueKey && p.kelm->key == p.kelm->columns[i].name)
            p.keyColumn = from;
    }
    for (std::size_t j = 0; j < taken.size(); ++j)
        if (!taken[j])
            m_summary.unknownColumns << p.name + u'.' + p.jet.columns[j].name;
    p.bound.resize(p.kelm->columns.size());
    try {
        // The file's rows replace what a new database holds (the prepared
        // layout rows, password and statistics row).
        m_target.exec(u"DELETE FROM %1"_s.arg(p.name));
    } catch (const DbError &) {
        stop(ConversionFailure::Refused, targetFailure());
        return;
    }
    const QByteArray sql = u"INSERT INTO %1 (%2) VALUES (%3)"_s
                               .arg(p.name, names.join(u", "_s), QStringList(names.size(), u"?"_s).join(u", "_s))
                               .toUtf8();
    if (sqlite3_prepare_v3(m_target.raw().getHandle(), sql.constData(), int(sql.size()), SQLITE_PREPARE_PERSISTENT,
                           &p.insert, nullptr)
        != SQLITE_OK)
        stop(ConversionFailure::Refused, targetFailure());
}

void JetConverter::checkLogin(const Plan &p, const std::vector<Value> &values)
{
    if (values.size() <= std::size_t(markerOrdinal) || values[markerOrdinal].null
        || values[markerOrdinal].text != backupMarker) {
        stop(ConversionFailure::NotABackup, notABackup);
        return;
    }
    const int password = p.source[0];
    if (password < 0 || std::size_t(password) >= values.size() || values[std::size_t(password)].null)
        stop(ConversionFailure::Refused,
             u"文件中的登录密码（表 wslo 的 abcd）是空值，转换以后无法登录，因此没有转换。"_s);
}

void JetConverter::row(const std::vector<Value> &values)
{
    if (stopped() || !m_plan)
        return;
    Plan &p = *m_plan;
    ++p.rows;
    if (++m_rowsRead % rowsPerReport == 0)
        m_progress.advance(m_rowsRead);
    if (!p.kelm)
        return;
    if (p.name == wsloName && p.rows == 1) {
        checkLogin(p, values);
        if (stopped())
            return;
    }
    insert(p, values);
}

void JetConverter::insert(Plan &p, const std::vector<Value> &values)
{
    // Keys only for what is listed: a unique key names the row, any other
    // row is told by its place in the file's table.
    const auto key = [&] {
        if (p.keyColumn >= 0 && std::size_t(p.keyColumn) < values.size()) {
            const Value &k = values[std::size_t(p.keyColumn)];
            if (!k.null && !k.text.isEmpty())
                return k.text;
        }
        return u"第 %1 行"_s.arg(p.rows);
    };
    for (std::size_t i = 0; i < p.kelm->columns.size(); ++i) {
        const schema::Column &c = p.kelm->columns[i];
        const int from = p.source[i];
        const int param = int(i) + 1;
        const Value *v = from >= 0 && std::size_t(from) < values.size() ? &values[std::size_t(from)] : nullptr;
        const ColumnType type = from >= 0 ? p.jet.columns[std::size_t(from)].type : ColumnType::Other;
        if (c.kind == schema::Kind::YesNo) {
            int yes = 0;
            if (v && !v->null && !v->text.isEmpty()) {
                const std::optional<int> read = type == ColumnType::YesNo ? (v->text == u"1"_s ? 1 : 0)
                                                                          : readYesNo(v->text);
                if (!read)
                    m_summary.notYesNo.add(p.name, str(c.name), key());
                yes = read.value_or(0);
            }
            sqlite3_bind_int(p.insert, param, yes);
            continue;
        }
        if (!v || v->null) {
            sqlite3_bind_null(p.insert, param);
            continue;
        }
        if (v->undecodable)
            m_summary.undecodable.add(p.name, str(c.name), key());
        if (type == ColumnType::DateTime && v->text.size() > 10)
            m_summary.timeOfDay.add(p.name, str(c.name), key());
        else if (c.kind == schema::Kind::Text && displayUnits(v->text) > c.capacity)
            m_summary.longerThanBox.add(p.name, str(c.name), key());
        p.bound[i] = v->text.toUtf8();
        sqlite3_bind_text(p.insert, param, p.bound[i].constData(), int(p.bound[i].size()), SQLITE_STATIC);
    }
    const int result = sqlite3_step(p.insert);
    sqlite3_reset(p.insert);
    if (result == SQLITE_DONE)
        return;
    if ((result & 0xff) == SQLITE_CONSTRAINT && p.keyColumn >= 0 && std::size_t(p.keyColumn) < values.size())
        refuseDuplicate(p, values[std::size_t(p.keyColumn)].text);
    else
        stop(ConversionFailure::Refused, targetFailure());
}

void JetConverter::refuseDuplicate(const Plan &p, const QString &key)
{
    const QString column = str(p.kelm->key);
    QString earlier;
    try {
        earlier = m_target.scalar(u"SELECT %1 FROM %2 WHERE %1 = ?"_s.arg(column, p.name), {key});
    } catch (const DbError &) {
        earlier = key;
    }
    if (earlier == key)
        stop(ConversionFailure::Refused,
             u"文件的表 %1 中编号（%2）“%3”有不止一行，本程序的每个编号只能有一行，因此没有转换。"_s.arg(p.name, column, key));
    else
        stop(ConversionFailure::Refused,
             u"文件的表 %1 中编号（%2）“%3”和“%4”只有字母的大小写不同，本程序把它们当作同一个编号，因此没有转换。"
             "请先在原来的程序中改正其中一个。"_s.arg(p.name, column, earlier, key));
}

QString JetConverter::targetFailure() const
{
    sqlite3 *handle = m_target.raw().getHandle();
    return u"无法在 %1 写入转换后的数据库：%2"_s.arg(
        QFileInfo(m_target.path()).absolutePath(),
        failureCause(sqlite3_extended_errcode(handle), sqlite3_system_errno(handle)));
}

void JetConverter::endTable(int)
{
    if (!m_plan)
        return;
    const Plan &p = *m_plan;
    if (!stopped() && !p.kelm)
        m_summary.unknownTables << u"%1（%2 行）"_s.arg(p.jet.name).arg(p.rows);
    if (!stopped() && p.name == wsloName && p.rows == 0)
        stop(ConversionFailure::NotABackup, notABackup);
    m_progress.advance(m_rowsRead);
    m_plan.reset();
}

void JetConverter::finish()
{
    if (stopped())
        return;
    for (const schema::Table &t : schema::tables()) {
        const QString name = str(t.name);
        ConversionSummary::TableRows rows{name, 0, false};
        try {
            rows.rows = m_target.scalar(u"SELECT COUNT(*) FROM %1"_s.arg(name)).toLongLong();
        } catch (const DbError &) {
            stop(ConversionFailure::Refused, targetFailure());
            return;
        }
        if (!m_tablesTaken.contains(name)) {
            m_summary.missingTables << name;
            rows.prepared = rows.rows > 0;
        }
        m_summary.tables.push_back(rows);
    }
}

} // namespace kelm::jet
