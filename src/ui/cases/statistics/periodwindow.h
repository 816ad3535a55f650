// frm_tjsj "统计时间": asks for the statistics period. Confirming stores
// the two dates and closes the window; the statistics window then opens in
// its place, so closing that returns to the case register.
#pragma once

#include "platform/formwindow.h"

class QLineEdit;
class QPushButton;

namespace kelm {

class StatisticsPeriodWindow : public FormWindow {
    Q_OBJECT
public:
    explicit StatisticsPeriodWindow(QWidget *parent = nullptr);

    QLineEdit *startBox() const { return m_start; }
    QLineEdit *endBox() const { return m_end; }
    QPushButton *confirmButton() const { return m_confirm; }
    QPushButton *cancelButton() const { return m_cancel; }
    // Closed by the confirm button with a period stored.
    bool confirmed() const { return m_confirmed; }

    void activated() override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void confirm();

    QLineEdit *m_start;
    QLineEdit *m_end;
    QPushButton *m_confirm;
    QPushButton *m_cancel;
    bool m_confirmed = false;
};

} // namespace kelm
