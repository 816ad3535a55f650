// One record of one table at a time, shown in the window's controls: the
// stand-in for the bound data control of the register windows and the
// layout editor. It keeps only the row ids of its source, in order, and
// reads one row per move, so moving and finding cost the same at a hundred
// rows as at a hundred thousand.
//
// Controls are bound to columns by name. Showing a row fills them (their
// change signals fire, isLoading() is true meanwhile); a control that
// changes while not loading marks the record changed, and a changed record
// is written when it is left (a move, a find, addNew, close) unless the
// validate handler says not to. Every value goes in as a parameter, text
// fitted to its column's capacity.
#pragma once

#include "platform/database.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <functional>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QTextEdit;
class QWidget;

namespace kelm {

// The rows a bound record walks through: one table, in insertion order or
// in the order of one column (compared as text, ignoring case). Names come
// from fixed lists in the code.
struct RecordSource {
    QString table;
    QString orderBy; // empty: insertion order

    static RecordSource tableOrder(const QString &table) { return {table, {}}; }
    static RecordSource sorted(const QString &table, const QString &column) { return {table, column}; }
};

class BoundRecord : public QObject {
    Q_OBJECT
public:
    enum class EditMode { None, Editing, Adding };
    // What is about to leave the current row (told to the validate handler).
    enum class Action { MoveFirst, MovePrevious, MoveNext, MoveLast, Find, AddNew, Requery, Unload };
    using ValidateHandler = std::function<void(Action action, bool &save)>;
    // Further writes that must succeed or fail together with the row's.
    using Related = std::function<void(Database &db)>;

    // owner: the window; write failures on leaving a row are shown over it.
    BoundRecord(Database &db, RecordSource source, QWidget *owner);

    void bind(const QString &column, QLineEdit *box);
    void bind(const QString &column, QPlainTextEdit *box);
    void bind(const QString &column, QTextEdit *box);
    void bind(const QString &column, QCheckBox *box);     // ticked = 1
    // Shows the column in the box but never writes it: its owner stores the
    // column itself, together with what the column stands for.
    void show(const QString &column, QCheckBox *box);
    void bind(const QString &column, QComboBox *box);     // its (edit) text
    // What a bound column shows in a new record; others start empty/unticked.
    void setNewRowValue(const QString &column, const QString &value);
    void setValidateHandler(ValidateHandler handler) { m_validate = std::move(handler); }

    // Reads the source and shows its first row. Throws DbError.
    void open();
    // Reads the source again and stays on the current row where it still is.
    bool requery();

    // Moves; false when there is nowhere to go or the row could not be left
    // or read (then the record stays where it was). Never throw.
    bool moveFirst();
    bool movePrevious();
    bool moveNext();
    bool moveLast();
    // Shows the first row, in source order, whose column equals value
    // (ignoring case). False, staying put, when none does.
    bool findFirst(const QString &column, const QString &value);
    // The same where every column equals its value.
    bool findFirst(const std::vector<std::pair<QString, QString>> &match);
    // Shows the row last written by this record (added or changed).
    bool moveLastModified();

    int recordCount() const { return int(m_rowids.size()); }
    bool isEmpty() const { return m_rowids.empty(); }
    // Zero-based place of the current row; -1 when there is none.
    int absolutePosition() const { return m_hasCurrent ? m_pos : -1; }
    bool hasCurrent() const { return m_hasCurrent; }
    // "记录：共N条  第M条"
    QString caption() const;
    // A column of the current row as the database holds it.
    QString storedValue(const QString &column) const;

    EditMode editMode() const { return m_mode; }
    bool isChanged() const { return m_changed; }
    bool isLoading() const { return m_loading; }

    // Starts a new record: the current row's pending changes are written
    // first, then the controls show the new-row values.
    bool addNew();
    void edit();
    // Writes every bound control into the current row, or inserts the new
    // record, together with `related` in one transaction, and shows the
    // stored row. Throws DuplicateKey when the key exists, DbError on any
    // other failure; then nothing is written and the controls keep their
    // values.
    void update(const Related &related = {});
    // Drops a pending new record or the changes to the current row and shows
    // the current row again; nothing of it will be written.
    void cancelUpdate();
    // Deletes the current row together with `related` in one transaction.
    // Afterwards there is no current row: moveNext shows the row that
    // followed it, movePrevious the one before. Throws DbError.
    void deleteCurrent(const Related &related = {});
    // After a deletion: shows the row that followed the deleted one, else
    // the one before, else the empty source. False when no row is left.
    bool showNeighbour();
    // The window closes: pending changes are written unless the validate
    // handler says not to. False when that write failed (already shown).
    bool close();

signals:
    // The controls show a row or a new record; still loading.
    void filled();
    // A move has arrived on a row (or found the source empty).
    void repositioned();

private:
    enum class Kind { Line, Plain, Rich, Check, Combo };
    struct Binding {
        QString column;
        QPointer<QWidget> widget;
        Kind kind;
        bool written = true;
    };

    void addBinding(const QString &column, QWidget *widget, Kind kind, bool written = true);
    // The box takes only what the column keeps.
    void fitToColumn(const QString &column, QLineEdit *box);
    QString controlValue(const Binding &b) const;
    void setControlValue(const Binding &b, const QString &value);
    void markChanged();

    std::vector<qint64> readRowids();
    qint64 rowidAt(int pos) const { return m_rowids[std::size_t(pos)]; }
    int positionOf(qint64 rowid) const;
    QString orderClause() const;
    void fetch(qint64 rowid);
    void fill();
    bool leave(Action action);
    bool moveTo(int pos, Action action);
    bool arrive(int pos);
    qint64 write(const Related &related);

    Database &m_db;
    RecordSource m_source;
    QWidget *m_owner;
    std::vector<Binding> m_bindings;
    QHash<QString, QString> m_newRowValues; // by lower-case column
    ValidateHandler m_validate;

    std::vector<qint64> m_rowids;
    int m_pos = 0;
    bool m_hasCurrent = false;
    QHash<QString, QString> m_row; // current row by lower-case column
    qint64 m_lastModified = 0;
    EditMode m_mode = EditMode::None;
    bool m_changed = false;
    bool m_loading = false;
};

} // namespace kelm
