#include "cases/statistics/periodwindow.h"

#include "cases/statistics/statisticsperiod.h"
#include "cases/statistics/statisticsrun.h"
#include "platform/busypointer.h"
#include "platform/formcontrols.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

QLineEdit *dateBox(QWidget *parent, const QString &name, int left)
{
    auto *box = placed(new QLineEdit(parent), left, 480, 1095, 270);
    box->setObjectName(name);
    box->setToolTip(u"请按该格式填写：“2000-01-01”"_s);
    return box;
}

} // namespace

StatisticsPeriodWindow::StatisticsPeriodWindow(QWidget *parent)
    : FormWindow(parent), m_start(dateBox(this, u"Text1"_s, 120)), m_end(dateBox(this, u"Text2"_s, 1560)),
      m_confirm(formButton(this, u"Command1"_s, u"确认"_s, 240, 1080, 975)),
      m_cancel(formButton(this, u"Command2"_s, u"取消"_s, 1320, 1080, 975))
{
    setObjectName(u"frm_tjsj"_s);
    setWindowTitle(u"统计时间"_s);
    setFixedSize(px(2850), px(1635));

    QLabel *prompt = new QLabel(u"请输入统计时间"_s, this);
    prompt->move(px(120), px(120));
    prompt->adjustSize();
    // The two boxes share the prompt, a dash between them.
    m_start->setAccessibleName(u"统计时间 起"_s);
    m_end->setAccessibleName(u"统计时间 止"_s);

    setTabOrder(m_start, m_end);
    setTabOrder(m_end, m_confirm);
    setTabOrder(m_confirm, m_cancel);
    m_start->setFocus();

    connect(m_confirm, &QPushButton::clicked, this, &StatisticsPeriodWindow::confirm);
    // A run stopped by closing the statistics window may still be winding
    // down: a second one waits for it.
    if (auto *run = statistics::StatisticsRun::current()) {
        m_confirm->setEnabled(false);
        m_confirm->setToolTip(u"上一次统计正在结束，请稍候。"_s);
        connect(run, &statistics::StatisticsRun::ended, this, [this] {
            m_confirm->setEnabled(true);
            m_confirm->setToolTip({});
        });
    }
    connect(m_cancel, &QPushButton::clicked, this, &StatisticsPeriodWindow::close);
}

void StatisticsPeriodWindow::activated() { showDefaultPointer(); }

void StatisticsPeriodWindow::paintEvent(QPaintEvent *event)
{
    FormWindow::paintEvent(event);
    QPainter p(this);
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(px(1320), px(600), px(1440), px(600));
}

void StatisticsPeriodWindow::confirm()
{
    // A text that is no date ends the click: the window stays open with
    // its texts for the user to correct.
    if (!statistics::storePeriod(m_start->text(), m_end->text()))
        return;
    m_confirmed = true;
    close();
}

} // namespace kelm
