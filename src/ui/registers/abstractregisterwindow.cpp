#include "registers/abstractregisterwindow.h"

#include "data/connection.h"
#include "platform/busypointer.h"
#include "platform/nextnumber.h"
#include "platform/recordnavigator.h"
#include "platform/units.h"

#include <QDate>
#include <QPlainTextEdit>

using namespace Qt::StringLiterals;

namespace kelm {

AbstractRegisterWindow::AbstractRegisterWindow(const RecordSource &source, ReturnSlot slot, QString keyColumn,
                                               QWidget *parent)
    : FormWindow(parent), m_record(new BoundRecord(db(), source, this)),
      m_navigator(new RecordNavigator(m_record, this)), m_slot(slot), m_keyColumn(std::move(keyColumn))
{
    setFont(uiFont(9));
    // Only a register's save writes: leaving a record never stores a
    // pending change, since every change starts editing and editing ends
    // in 存盘, 取消 or the close question.
    m_record->setValidateHandler([](BoundRecord::Action, bool &save) { save = false; });
    connect(m_record, &BoundRecord::repositioned, this,
            [this] { setState(m_record->isEmpty() ? State::Empty : State::Browsing); });
}

void AbstractRegisterWindow::openRecord()
{
    try {
        m_record->open();
    } catch (const DbError &e) {
        showError(this, e.message());
    }
}

void AbstractRegisterWindow::setState(State state)
{
    m_state = state;
    m_navigator->setEnabled(state == State::Browsing);
    applyState(state);
}

void AbstractRegisterWindow::setFocusOrder(std::vector<QWidget *> order)
{
    order.insert(order.end(), m_navigator->buttons().begin(), m_navigator->buttons().end());
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    // The window opens where its order begins: Qt would take the first
    // control of its own focus chain, which the reordering leaves anywhere.
    order.front()->setFocus();
}

// Any edit of a box, typed or set by the window, starts editing; showing a
// record does not, its move ends in the browsing state.
void AbstractRegisterWindow::edited()
{
    if (!m_record->isLoading())
        setState(m_state == State::Adding ? State::Adding : State::Editing);
}

void AbstractRegisterWindow::place(int index, QWidget *box)
{
    if (m_textBoxes.size() <= std::size_t(index))
        m_textBoxes.resize(std::size_t(index) + 1);
    m_textBoxes[std::size_t(index)] = box;
    box->setObjectName(u"Text1_%1"_s.arg(index));
}

void AbstractRegisterWindow::bindText(int index, const QString &column, QLineEdit *box, bool edits)
{
    place(index, box);
    m_record->bind(column, box);
    if (edits)
        connect(box, &QLineEdit::textChanged, this, &AbstractRegisterWindow::edited);
}

void AbstractRegisterWindow::bindText(int index, const QString &column, QPlainTextEdit *box, bool edits)
{
    place(index, box);
    box->setTabChangesFocus(true);
    m_record->bind(column, box);
    if (edits)
        connect(box, &QPlainTextEdit::textChanged, this, &AbstractRegisterWindow::edited);
}

// qFatal, not an assertion: the check holds in a release build too, where
// a wrong index would otherwise end in a null pointer far from its cause.
QWidget *AbstractRegisterWindow::textBox(int index) const
{
    QWidget *box = index >= 0 && std::size_t(index) < m_textBoxes.size() ? m_textBoxes[std::size_t(index)] : nullptr;
    if (!box)
        qFatal("%s: no text box Text1(%d) is bound", qPrintable(objectName()), index);
    return box;
}

QLineEdit *AbstractRegisterWindow::lineBox(int index) const
{
    auto *line = qobject_cast<QLineEdit *>(textBox(index));
    if (!line)
        qFatal("%s: Text1(%d) is a multi-line box, not a line box", qPrintable(objectName()), index);
    return line;
}

QPlainTextEdit *AbstractRegisterWindow::memoBox(int index) const
{
    auto *memo = qobject_cast<QPlainTextEdit *>(textBox(index));
    if (!memo)
        qFatal("%s: Text1(%d) is neither a line box nor a multi-line box", qPrintable(objectName()), index);
    return memo;
}

QString AbstractRegisterWindow::text(int index) const
{
    if (auto *line = qobject_cast<QLineEdit *>(textBox(index)))
        return line->text();
    return memoBox(index)->toPlainText();
}

void AbstractRegisterWindow::setText(int index, const QString &value)
{
    if (auto *line = qobject_cast<QLineEdit *>(textBox(index)))
        line->setText(value);
    else
        memoBox(index)->setPlainText(value);
}

void AbstractRegisterWindow::activated()
{
    showDefaultPointer();
    if (m_record->isEmpty()) {
        setState(State::Empty);
        return;
    }
    setState(State::Browsing);
    showReturned();
}

void AbstractRegisterWindow::showReturned()
{
    if (m_slot.shouldFind())
        findReturned();
    else
        m_record->moveLast();
}

bool AbstractRegisterWindow::findReturned()
{
    return m_slot.shouldFind() && m_record->findFirst(m_keyColumn, *m_slot.number);
}

void AbstractRegisterWindow::deactivated() { m_slot.leave(shownNumber()); }

bool AbstractRegisterWindow::queryClose()
{
    if (m_state != State::Editing && m_state != State::Adding)
        return true;
    switch (ask(this, u"记录已更改，是否存盘？"_s, u"提示"_s, Buttons::YesNoCancel, Answer::Yes)) {
    case Answer::No: m_record->cancelUpdate(); return true;
    case Answer::Yes: return save();
    default: return false; // the edits stay pending on the record shown
    }
}

void AbstractRegisterWindow::unloaded() { *m_slot.flag = 0; }

void AbstractRegisterWindow::cancel()
{
    m_record->cancelUpdate();
    setState(m_record->isEmpty() ? State::Empty : State::Browsing);
}

std::optional<AbstractRegisterWindow::NewRecord> AbstractRegisterWindow::addRecord()
{
    NewRecord added{m_record->isEmpty(), QDate::currentDate().toString(u"yyyy"_s) + u"0001"_s};
    if (!added.tableWasEmpty) {
        if (!m_record->moveLast())
            return std::nullopt;
        added.proposedNumber = nextNumber(shownNumber());
    }
    if (!m_record->addNew())
        return std::nullopt;
    return added;
}

bool AbstractRegisterWindow::deleteShown(const QString &question, Buttons buttons, Icon icon,
                                         const BoundRecord::Related &related)
{
    if (ask(this, question, u"提示"_s, buttons, Answer::Yes, icon) != Answer::Yes)
        return false;
    try {
        m_record->deleteCurrent(related);
    } catch (const DbError &e) {
        showError(this, e.message());
        return false;
    }
    return true;
}

void AbstractRegisterWindow::openQuery(const QueryOpener &open)
{
    showHourglass();
    open(this, [this] { findReturned(); });
}

} // namespace kelm
