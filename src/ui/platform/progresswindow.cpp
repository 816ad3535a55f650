#include "platform/progresswindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {
// The bar counts in thousandths: a byte count of a large file does not fit
// the bar's own range.
constexpr int barRange = 1000;
} // namespace

ProgressWindow::ProgressWindow(const QString &title, QWidget *parent) : QDialog(parent)
{
    setObjectName(u"progress"_s);
    setWindowTitle(title);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    m_stage = new QLabel(this);
    m_bar = new QProgressBar(this);
    m_bar->setAccessibleName(u"进度"_s);
    m_bar->setMinimumWidth(360);
    m_cancel = new QPushButton(u"取消"_s, this);
    m_cancel->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_stage);
    layout->addWidget(m_bar);
    layout->addLayout(buttons);
    connect(m_cancel, &QPushButton::clicked, this, &ProgressWindow::cancelRequested);
}

void ProgressWindow::giveKeyboardBack(QWidget *opener)
{
    if (opener && opener->window()->isVisible())
        opener->window()->activateWindow();
}

void ProgressWindow::showStage(const QString &text, qint64 steps, qint64 done, bool cancellable)
{
    m_stage->setText(text);
    if (steps > 0) {
        m_bar->setRange(0, barRange);
        m_bar->setValue(int(std::clamp<qint64>(done * barRange / steps, 0, barRange)));
    } else {
        m_bar->setRange(0, 0);
    }
    m_cancel->setEnabled(cancellable);
}

void ProgressWindow::reject()
{
    if (m_cancel->isEnabled())
        emit cancelRequested();
}

void ProgressWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
    reject();
}

} // namespace kelm
