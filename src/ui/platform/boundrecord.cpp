#include "platform/boundrecord.h"

#include "platform/columnfit.h"
#include "platform/messages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <SQLiteCpp/SQLiteCpp.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace kelm {

BoundRecord::BoundRecord(Database &db, RecordSource source, QWidget *owner)
    : QObject(owner), m_db(db), m_source(std::move(source)), m_owner(owner)
{
}

void BoundRecord::addBinding(const QString &column, QWidget *widget, Kind kind, bool written)
{
    m_bindings.push_back({column, widget, kind, written});
}

void BoundRecord::bind(const QString &column, QLineEdit *box)
{
    addBinding(column, box, Kind::Line);
    connect(box, &QLineEdit::textChanged, this, &BoundRecord::markChanged);
    fitToColumn(column, box);
}

void BoundRecord::fitToColumn(const QString &column, QLineEdit *box)
{
    if (const int units = m_db.capacity(m_source.table, column); box && units >= 0)
        new ColumnFit(box, units);
}

void BoundRecord::bind(const QString &column, QPlainTextEdit *box)
{
    addBinding(column, box, Kind::Plain);
    connect(box, &QPlainTextEdit::textChanged, this, &BoundRecord::markChanged);
}

void BoundRecord::bind(const QString &column, QTextEdit *box)
{
    addBinding(column, box, Kind::Rich);
    connect(box, &QTextEdit::textChanged, this, &BoundRecord::markChanged);
}

void BoundRecord::bind(const QString &column, QCheckBox *box)
{
    addBinding(column, box, Kind::Check);
    connect(box, &QCheckBox::toggled, this, &BoundRecord::markChanged);
}

void BoundRecord::show(const QString &column, QCheckBox *box) { addBinding(column, box, Kind::Check, false); }

void BoundRecord::bind(const QString &column, QComboBox *box)
{
    addBinding(column, box, Kind::Combo);
    fitToColumn(column, box->lineEdit());
    connect(box, &QComboBox::currentTextChanged, this, &BoundRecord::markChanged);
}

void BoundRecord::setNewRowValue(const QString &column, const QString &value)
{
    m_newRowValues.insert(column.toLower(), value);
}

void BoundRecord::markChanged()
{
    if (!m_loading)
        m_changed = true;
}

QString BoundRecord::controlValue(const Binding &b) const
{
    QWidget *w = b.widget;
    if (!w)
        return {};
    switch (b.kind) {
    case Kind::Line: return static_cast<QLineEdit *>(w)->text();
    case Kind::Plain: return static_cast<QPlainTextEdit *>(w)->toPlainText();
    case Kind::Rich: return static_cast<QTextEdit *>(w)->toPlainText();
    case Kind::Check: return static_cast<QCheckBox *>(w)->isChecked() ? u"1"_s : u"0"_s;
    case Kind::Combo: return static_cast<QComboBox *>(w)->currentText();
    }
    return {};
}

void BoundRecord::setControlValue(const Binding &b, const QString &value)
{
    QWidget *w = b.widget;
    if (!w || controlValue(b) == value)
        return;
    switch (b.kind) {
    case Kind::Line: static_cast<QLineEdit *>(w)->setText(value); break;
    case Kind::Plain: static_cast<QPlainTextEdit *>(w)->setPlainText(value); break;
    case Kind::Rich: static_cast<QTextEdit *>(w)->setPlainText(value); break;
    case Kind::Check: static_cast<QCheckBox *>(w)->setChecked(!value.isEmpty() && value != u"0"_s); break;
    case Kind::Combo: {
        auto *combo = static_cast<QComboBox *>(w);
        if (combo->isEditable())
            combo->setEditText(value);
        else
            combo->setCurrentIndex(combo->findText(value));
        break;
    }
    }
}

QString BoundRecord::orderClause() const
{
    return m_source.orderBy.isEmpty() ? u"rowid"_s : m_source.orderBy + u", rowid"_s;
}

std::vector<qint64> BoundRecord::readRowids()
{
    // In table order the row ids come from the smallest index that holds
    // them all, far faster than walking the rows themselves, and are sorted
    // here.
    const bool tableOrder = m_source.orderBy.isEmpty();
    const QString sql = tableOrder ? u"SELECT rowid FROM %1"_s.arg(m_source.table)
                                   : u"SELECT rowid FROM %1 ORDER BY %2"_s.arg(m_source.table, orderClause());
    std::vector<qint64> ids;
    try {
        SQLite::Statement st(m_db.raw(), sql.toStdString());
        while (st.executeStep())
            ids.push_back(st.getColumn(0).getInt64());
    } catch (const SQLite::Exception &e) {
        throw engineError(e, m_db.path());
    }
    if (tableOrder)
        std::sort(ids.begin(), ids.end());
    return ids;
}

int BoundRecord::positionOf(qint64 rowid) const
{
    if (m_source.orderBy.isEmpty()) {
        const auto it = std::lower_bound(m_rowids.begin(), m_rowids.end(), rowid);
        return it != m_rowids.end() && *it == rowid ? int(it - m_rowids.begin()) : -1;
    }
    const auto it = std::find(m_rowids.begin(), m_rowids.end(), rowid);
    return it != m_rowids.end() ? int(it - m_rowids.begin()) : -1;
}

void BoundRecord::fetch(qint64 rowid)
{
    const Rows rows = m_db.select(u"SELECT * FROM %1 WHERE rowid = ?"_s.arg(m_source.table), {rowid});
    m_row.clear();
    if (rows.empty())
        return;
    for (std::size_t c = 0; c < rows.columns.size(); ++c)
        m_row.insert(rows.columns[c].toLower(), rows.values[0][c]);
}

void BoundRecord::fill()
{
    const QHash<QString, QString> none;
    const QHash<QString, QString> &values = m_mode == EditMode::Adding ? m_newRowValues : m_hasCurrent ? m_row : none;
    m_loading = true;
    for (const Binding &b : m_bindings)
        setControlValue(b, values.value(b.column.toLower()));
    emit filled();
    m_loading = false;
    m_changed = false;
}

QString BoundRecord::caption() const
{
    return u"记录：共%1条  第%2条"_s.arg(recordCount()).arg(absolutePosition() + 1);
}

QString BoundRecord::storedValue(const QString &column) const
{
    return m_hasCurrent ? m_row.value(column.toLower()) : QString();
}

void BoundRecord::open()
{
    m_rowids = readRowids();
    m_mode = EditMode::None;
    m_hasCurrent = !m_rowids.empty();
    m_pos = 0;
    if (m_hasCurrent)
        fetch(rowidAt(0));
    fill();
    emit repositioned();
}

bool BoundRecord::requery()
{
    if (!leave(Action::Requery))
        return false;
    const qint64 current = m_hasCurrent ? rowidAt(m_pos) : 0;
    try {
        m_rowids = readRowids();
    } catch (const DbError &e) {
        showError(m_owner, e.message());
        return false;
    }
    if (m_rowids.empty()) {
        m_hasCurrent = false;
        m_pos = 0;
        fill();
        emit repositioned();
        return true;
    }
    return arrive(std::max(0, positionOf(current)));
}

bool BoundRecord::leave(Action action)
{
    if (!m_hasCurrent && m_mode != EditMode::Adding)
        return true;
    bool save = m_changed;
    if (m_validate)
        m_validate(action, save);
    if (save) {
        try {
            write({});
        } catch (const DbError &e) {
            showError(m_owner, e.message());
            return false;
        }
    }
    m_mode = EditMode::None;
    m_changed = false;
    return true;
}

bool BoundRecord::arrive(int pos)
{
    try {
        fetch(rowidAt(pos));
    } catch (const DbError &e) {
        showError(m_owner, e.message());
        return false;
    }
    m_pos = pos;
    m_hasCurrent = true;
    fill();
    emit repositioned();
    return true;
}

bool BoundRecord::moveTo(int pos, Action action)
{
    if (pos < 0 || pos >= recordCount())
        return false;
    const qint64 target = rowidAt(pos);
    if (!leave(action))
        return false;
    // Writing the left row may have re-sorted the source.
    const int now = positionOf(target);
    return now >= 0 && arrive(now);
}

bool BoundRecord::moveFirst() { return moveTo(0, Action::MoveFirst); }
bool BoundRecord::moveLast() { return moveTo(recordCount() - 1, Action::MoveLast); }
bool BoundRecord::moveNext() { return moveTo(m_hasCurrent ? m_pos + 1 : m_pos, Action::MoveNext); }
bool BoundRecord::movePrevious() { return moveTo(m_pos - 1, Action::MovePrevious); }

bool BoundRecord::moveLastModified()
{
    const int pos = m_lastModified ? positionOf(m_lastModified) : -1;
    return moveTo(pos, Action::MoveLast);
}

bool BoundRecord::findFirst(const QString &column, const QString &value) { return findFirst({{column, value}}); }

bool BoundRecord::findFirst(const std::vector<std::pair<QString, QString>> &match)
{
    if (isEmpty() || !leave(Action::Find))
        return false;
    QStringList conditions;
    Params values;
    for (const auto &[column, value] : match) {
        conditions << column + u" = ?"_s;
        values.emplace_back(value);
    }
    QString found;
    try {
        found = m_db.scalar(u"SELECT rowid FROM %1 WHERE %2 ORDER BY %3 LIMIT 1"_s.arg(
                                m_source.table, conditions.join(u" AND "_s), orderClause()),
                            values);
    } catch (const DbError &e) {
        showError(m_owner, e.message());
        return false;
    }
    const int pos = found.isEmpty() ? -1 : positionOf(found.toLongLong());
    return pos >= 0 && arrive(pos);
}

bool BoundRecord::addNew()
{
    if (!leave(Action::AddNew))
        return false;
    m_mode = EditMode::Adding;
    fill();
    return true;
}

void BoundRecord::edit()
{
    if (m_hasCurrent && m_mode == EditMode::None)
        m_mode = EditMode::Editing;
}

qint64 BoundRecord::write(const Related &related)
{
    std::vector<QString> columns;
    Params values;
    for (const Binding &b : m_bindings) {
        if (!b.written)
            continue;
        const QString value = controlValue(b);
        columns.push_back(b.column);
        if (b.kind == Kind::Check)
            values.emplace_back(value == u"1"_s ? 1 : 0);
        else
            values.emplace_back(value);
    }
    const bool inserting = m_mode == EditMode::Adding || !m_hasCurrent;
    Transaction tx(m_db);
    qint64 rowid = 0;
    if (inserting) {
        rowid = m_db.addRow(m_source.table, columns, values);
    } else {
        rowid = rowidAt(m_pos);
        m_db.updateRows(m_source.table, columns, values, u"rowid = ?"_s, {rowid});
    }
    if (related)
        related(m_db);
    std::vector<qint64> rowids;
    if (!m_source.orderBy.isEmpty()) {
        rowids = readRowids();
    } else {
        rowids = m_rowids;
        if (inserting)
            rowids.insert(std::lower_bound(rowids.begin(), rowids.end(), rowid), rowid);
    }
    tx.commit();

    m_rowids = std::move(rowids);
    m_pos = positionOf(rowid);
    m_hasCurrent = true;
    m_lastModified = rowid;
    m_mode = EditMode::None;
    m_changed = false;
    return rowid;
}

void BoundRecord::update(const Related &related)
{
    if (!m_hasCurrent && m_mode != EditMode::Adding)
        return;
    fetch(write(related));
    fill();
}

void BoundRecord::cancelUpdate()
{
    m_mode = EditMode::None;
    m_changed = false;
    if (m_hasCurrent) {
        try {
            fetch(rowidAt(m_pos));
        } catch (const DbError &e) {
            showError(m_owner, e.message());
        }
    }
    fill();
}

void BoundRecord::deleteCurrent(const Related &related)
{
    if (!m_hasCurrent)
        return;
    const qint64 rowid = rowidAt(m_pos);
    Transaction tx(m_db);
    if (related)
        related(m_db);
    m_db.exec(u"DELETE FROM %1 WHERE rowid = ?"_s.arg(m_source.table), {rowid});
    tx.commit();
    m_rowids.erase(m_rowids.begin() + m_pos);
    m_hasCurrent = false;
    m_mode = EditMode::None;
    m_changed = false;
    if (m_lastModified == rowid)
        m_lastModified = 0;
}

bool BoundRecord::showNeighbour()
{
    if (moveNext() || movePrevious())
        return true;
    requery();
    return false;
}

bool BoundRecord::close() { return leave(Action::Unload); }

} // namespace kelm
