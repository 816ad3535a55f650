#include "permits/permitwindow.h"

#include "data/connection.h"
#include "platform/busypointer.h"
#include "platform/messages.h"
#include "platform/recordnavigator.h"
#include "platform/units.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {
constexpr int numberBox = 6; // Text1(6): xkzh in both windows
}

PermitWindow::PermitWindow(const RecordSource &source, ReturnSlot slot, QueryOpener openQuery, QWidget *parent)
    : FormWindow(parent), m_record(new BoundRecord(db(), source, this)),
      m_navigator(new RecordNavigator(m_record, this)), m_slot(slot), m_openQuery(std::move(openQuery))
{
    setFont(uiFont(9));
    setFixedSize(px(8715), px(5400));
    connect(m_record, &BoundRecord::repositioned, this,
            [this] { setState(m_record->isEmpty() ? State::Empty : State::Browsing); });
}

void PermitWindow::bindBox(int index, const QString &column, QWidget *box, bool edits)
{
    if (m_text.size() <= std::size_t(index))
        m_text.resize(std::size_t(index) + 1);
    m_text[std::size_t(index)] = box;
    box->setObjectName(u"Text1_%1"_s.arg(index));
    if (auto *line = qobject_cast<QLineEdit *>(box)) {
        m_record->bind(column, line);
        if (edits)
            connect(line, &QLineEdit::textChanged, this, &PermitWindow::edited);
    } else {
        auto *memo = static_cast<QPlainTextEdit *>(box);
        memo->setTabChangesFocus(true);
        m_record->bind(column, memo);
        if (edits)
            connect(memo, &QPlainTextEdit::textChanged, this, &PermitWindow::edited);
    }
}

void PermitWindow::bindListBox(const QString &column, QComboBox *box)
{
    m_record->bind(column, box);
    connect(box, &QComboBox::editTextChanged, this, &PermitWindow::edited);
    connect(box, &QComboBox::activated, this, &PermitWindow::edited);
}

QString PermitWindow::text(int index) const
{
    QWidget *w = box(index);
    if (auto *line = qobject_cast<QLineEdit *>(w))
        return line->text();
    return static_cast<QPlainTextEdit *>(w)->toPlainText();
}

void PermitWindow::openRecord()
{
    m_navigator->setGeometry(pxRect(0, 5055, 8715, 345));
    try {
        m_record->open();
    } catch (const DbError &e) {
        showError(this, e.message());
    }
}

void PermitWindow::setState(State state)
{
    m_state = state;
    m_navigator->setEnabled(state == State::Browsing);
    applyState(state);
}

// Any edit of a box, typed or set by the window, starts editing; showing a
// permit does not, its move ends in the browsing state.
void PermitWindow::edited()
{
    if (!m_record->isLoading())
        setState(State::Editing);
}

void PermitWindow::activated()
{
    showDefaultPointer();
    setActiveButtons();
    if (m_record->isEmpty()) {
        setState(State::Empty);
        return;
    }
    if (m_slot.shouldFind())
        m_record->findFirst(u"xkzh"_s, *m_slot.number);
    else
        m_record->moveLast();
}

void PermitWindow::deactivated() { m_slot.leave(text(numberBox)); }

bool PermitWindow::queryClose()
{
    if (m_state != State::Editing) {
        m_record->close();
        return true;
    }
    switch (ask(this, u"记录已更改，是否存盘？"_s, u"提示"_s, Buttons::YesNoCancel, Answer::Yes)) {
    case Answer::No: m_record->cancelUpdate(); return true;
    case Answer::Yes: return save();
    default: return false; // the edits stay pending on the permit shown
    }
}

void PermitWindow::unloaded() { *m_slot.flag = 0; }

void PermitWindow::cancel()
{
    m_record->cancelUpdate();
    setState(m_record->isEmpty() ? State::Empty : State::Browsing);
}

void PermitWindow::query()
{
    showHourglass();
    m_openQuery(this, [this] {
        if (m_slot.shouldFind())
            m_record->findFirst(u"xkzh"_s, *m_slot.number);
    });
}

} // namespace kelm
