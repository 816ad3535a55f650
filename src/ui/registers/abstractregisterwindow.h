// What the register windows share of their design: one record of one table
// at a time in a bound record, written only by the register's save, with
// its navigator along the bottom edge; the state that every edit starts and
// every move ends; adding after the
// last record, deleting, cancelling; the text boxes Text1(i) bound by
// index; the close question; and the return
// protocol. A child window opened over the register leaves the shown number
// in the register's return slot, and the register shows that record again
// when it becomes active. Each register adds its controls, its checks and
// its messages.
#pragma once

#include "data/appvalues.h"
#include "platform/boundrecord.h"
#include "platform/formwindow.h"
#include "platform/messages.h"

#include <QLineEdit>

#include <functional>
#include <optional>
#include <vector>

class QPlainTextEdit;

namespace kelm {

class RecordNavigator;

class AbstractRegisterWindow : public FormWindow {
    Q_OBJECT
public:
    // Adding is told apart from Editing only by a register that treats a
    // new record differently; the others edit a new record as any other.
    enum class State { Browsing, Editing, Adding, Empty };
    // Opens a query window over opener; `after` runs once it closed.
    using QueryOpener = std::function<void(FormWindow *opener, std::function<void()> after)>;

    State state() const { return m_state; }
    BoundRecord *record() const { return m_record; }

    void activated() override;
    void deactivated() override;
    bool queryClose() override;
    // The return flag drops: the next opening shows the last record.
    void unloaded() override;

protected:
    // keyColumn: the column of the numbers the return slot holds.
    AbstractRegisterWindow(const RecordSource &source, ReturnSlot slot, QString keyColumn, QWidget *parent);

    // Enables the controls of a state.
    virtual void applyState(State state) = 0;
    // The text of the number box, as the user sees it.
    virtual QString shownNumber() const = 0;
    // Checks and stores the record edited; false keeps it editing.
    virtual bool save() = 0;
    // On becoming active with records to show: the one the return slot
    // names, else the last.
    virtual void showReturned();
    // Drops the edits and shows the record as stored.
    virtual void cancel();

    // Shows the first record; a failure is shown over the window.
    void openRecord();
    void setState(State state);
    // The window's focus order: order, then the navigator's buttons; the
    // window opens with the focus on the first of order.
    void setFocusOrder(std::vector<QWidget *> order);
    // A change of a box: starts editing unless a record is being shown.
    void edited();

    // Binds the register's text box Text1(index), a line or a multi-line
    // box, to column: the record shown fills it, and with `edits` every
    // change of its text starts editing. A multi-line box passes Tab on, as
    // every other box does. Returns the box.
    template <typename Box>
    Box *bindTextBox(int index, const QString &column, Box *box, bool edits = true)
    {
        bindText(index, column, box, edits);
        return box;
    }
    // Text1(index), its text as the user sees it, and the text put in it.
    // An index with no box, or lineBox of a multi-line box, is a fault of
    // the window's code: it stops the program, naming the box.
    QWidget *textBox(int index) const;
    QLineEdit *lineBox(int index) const;
    QString text(int index) const;
    void setText(int index, const QString &value);

    struct NewRecord {
        bool tableWasEmpty;
        // This year's first number in an empty table, else the number after
        // the last record's.
        QString proposedNumber;
    };
    // Shows the last record and starts a new one after it; nothing when
    // either failed.
    std::optional<NewRecord> addRecord();
    // Asks `question` (提示, default 是); on 是 deletes the shown record
    // together with `related` in one transaction. False when nothing was
    // deleted; a failure is shown. The caller shows the neighbour.
    bool deleteShown(const QString &question, Buttons buttons, Icon icon, const BoundRecord::Related &related = {});
    // Shows the record the return slot names; false when it names none or
    // no record holds its number.
    bool findReturned();
    // Opens the register's query; once it closed, the record it returned.
    void openQuery(const QueryOpener &open);

    BoundRecord *m_record;
    RecordNavigator *m_navigator;

private:
    // Only a line or a multi-line box can be bound: any other widget is
    // refused when the window is compiled.
    void bindText(int index, const QString &column, QLineEdit *box, bool edits);
    void bindText(int index, const QString &column, QPlainTextEdit *box, bool edits);
    void place(int index, QWidget *box);
    QPlainTextEdit *memoBox(int index) const;

    std::vector<QWidget *> m_textBoxes; // Text1(i)
    ReturnSlot m_slot;
    QString m_keyColumn;
    State m_state = State::Browsing;
};

} // namespace kelm
