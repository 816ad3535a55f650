#include "permits/permitwindow.h"

#include "platform/listbox.h"
#include "platform/recordnavigator.h"
#include "platform/units.h"

#include <QLineEdit>
#include <QPlainTextEdit>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {
constexpr int numberBox = 6; // Text1(6): xkzh in both windows
}

PermitWindow::PermitWindow(const RecordSource &source, ReturnSlot slot, QueryOpener openQuery, QWidget *parent)
    : AbstractRegisterWindow(source, slot, u"xkzh"_s, parent), m_openQuery(std::move(openQuery))
{
    setFixedSize(px(8715), px(5400));
    m_navigator->setGeometry(pxRect(0, 5055, 8715, 345));
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

void PermitWindow::bindListBox(const QString &column, ListBox *box)
{
    m_record->bind(column, box);
    connect(box, &QComboBox::editTextChanged, this, &PermitWindow::edited);
    connect(box, &ListBox::chosen, this, &PermitWindow::edited);
}

QString PermitWindow::text(int index) const
{
    QWidget *w = box(index);
    if (auto *line = qobject_cast<QLineEdit *>(w))
        return line->text();
    return static_cast<QPlainTextEdit *>(w)->toPlainText();
}

QString PermitWindow::shownNumber() const { return text(numberBox); }

void PermitWindow::query() { openQuery(m_openQuery); }

} // namespace kelm
