#include "shell/conversionsummarywindow.h"

#include "platform/accessiblenames.h"
#include "platform/units.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kelm {

ConversionSummaryWindow::ConversionSummaryWindow(const QString &title, const QString &heading, const QString &summary,
                                                 QWidget *parent)
    : FormWindow(parent), m_heading(new QLabel(heading, this)), m_summary(new QPlainTextEdit(summary, this)),
      m_close(new QPushButton(u"确定"_s, this))
{
    setObjectName(u"conversionSummary"_s);
    setWindowTitle(title);
    resize(px(9600), px(7200));

    m_heading->setWordWrap(true);
    m_heading->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *listLabel = new QLabel(u"转换结果："_s, this);
    m_summary->setReadOnly(true);
    // Selectable and copyable from the keyboard too, with a caret to move.
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_summary->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    nameAfter(m_summary, listLabel);
    m_close->setDefault(true);
    connect(m_close, &QPushButton::clicked, this, &ConversionSummaryWindow::close);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(m_close, QDialogButtonBox::AcceptRole);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addWidget(listLabel);
    layout->addWidget(m_summary, 1);
    layout->addWidget(buttons);
    setTabOrder(m_summary, m_close);
    m_summary->setFocus();
}

} // namespace kelm
