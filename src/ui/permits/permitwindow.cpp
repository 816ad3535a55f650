#include "permits/permitwindow.h"

#include "platform/listbox.h"
#include "platform/recordnavigator.h"
#include "platform/units.h"

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

void PermitWindow::bindListBox(const QString &column, ListBox *box)
{
    m_record->bind(column, box);
    connect(box, &QComboBox::editTextChanged, this, &PermitWindow::edited);
    connect(box, &ListBox::chosen, this, &PermitWindow::edited);
}

QString PermitWindow::shownNumber() const { return text(numberBox); }

void PermitWindow::query() { openQuery(m_openQuery); }

} // namespace kelm
