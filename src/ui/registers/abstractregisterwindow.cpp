#include "registers/abstractregisterwindow.h"

#include "data/connection.h"
#include "platform/busypointer.h"
#include "platform/nextnumber.h"
#include "platform/recordnavigator.h"
#include "platform/units.h"

#include <QDate>

using namespace Qt::StringLiterals;

namespace kelm {

AbstractRegisterWindow::AbstractRegisterWindow(const RecordSource &source, ReturnSlot slot, QString keyColumn,
                                               QWidget *parent)
    : FormWindow(parent), m_record(new BoundRecord(db(), source, this)),
      m_navigator(new RecordNavigator(m_record, this)), m_slot(slot), m_keyColumn(std::move(keyColumn))
{
    setFont(uiFont(9));
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
}

// Any edit of a box, typed or set by the window, starts editing; showing a
// record does not, its move ends in the browsing state.
void AbstractRegisterWindow::edited()
{
    if (!m_record->isLoading())
        setState(m_state == State::Adding ? State::Adding : State::Editing);
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
    if (m_state != State::Editing && m_state != State::Adding) {
        // Nothing is asked: a change that started no editing is written
        // as the window closes, unless the register writes only on saving.
        // A failed write was shown already and does not keep it open.
        m_record->close();
        return true;
    }
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
