// frm_cftj "卫生行政处罚统计列表": every time it becomes active it computes
// the statistics of the stored period and draws the figures in red over
// its ruled table; its print button previews the official sheet.
#pragma once

#include "platform/formwindow.h"

#include <vector>

class QPushButton;

namespace kelm {

class GridLabel;

class StatisticsWindow : public FormWindow {
    Q_OBJECT
public:
    explicit StatisticsWindow(QWidget *parent = nullptr);

    QPushButton *printButton() const { return m_print; }
    // The drawn figures in drawing order (period, head totals, rows).
    const std::vector<GridLabel *> &figures() const { return m_figures; }

    void activated() override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void printSheet();

    QPushButton *m_print;
    std::vector<GridLabel *> m_figures;
};

} // namespace kelm
