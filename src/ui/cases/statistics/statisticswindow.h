// frm_cftj "卫生行政处罚统计列表": every time it becomes active it computes
// the statistics of the stored period and draws the figures in red over
// its ruled table; its print button previews the official sheet. The
// computation runs off the window's thread while the window shows its
// progress; closing the window stops it.
#pragma once

#include "platform/formwindow.h"

#include <QPointer>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;

namespace kelm {

class GridLabel;

namespace statistics {
struct PenaltyStatistics;
class StatisticsRun;
} // namespace statistics

class StatisticsWindow : public FormWindow {
    Q_OBJECT
public:
    explicit StatisticsWindow(QWidget *parent = nullptr);

    QPushButton *printButton() const { return m_print; }
    QProgressBar *progressBar() const { return m_progress; }
    // The drawn figures in drawing order (period, head totals, rows).
    const std::vector<GridLabel *> &figures() const { return m_figures; }
    // A computation is under way.
    bool computing() const;

    void activated() override;
    void unloaded() override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void draw(const statistics::PenaltyStatistics &result);
    void fail(const QString &message);
    void runEnded();
    void printSheet();

    QPushButton *m_print;
    QProgressBar *m_progress;
    QWidget *m_busy; // the progress with its caption
    std::vector<GridLabel *> m_figures;
    QPointer<statistics::StatisticsRun> m_run;
};

} // namespace kelm
