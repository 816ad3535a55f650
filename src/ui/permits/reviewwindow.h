// ns "卫生许可证年审管理": the annual review of the health permits, one
// permit of table wsxkz at a time in permit number order. The permit's
// particulars are shown read-only; only its review (date, result, action,
// remarks, next review) is edited and saved. Opens the annual review query
// and keeps the current permit across it.
#pragma once

#include "permits/permitwindow.h"

#include <array>

class QPushButton;

namespace kelm {

class ListBox;

class ReviewWindow : public PermitWindow {
    Q_OBJECT
public:
    explicit ReviewWindow(QWidget *parent = nullptr);

protected:
    void applyState(State state) override;
    bool save() override;

private:
    void buildReviewFrame();
    void buildButtons();
    void setTabOrder();

    std::array<ListBox *, 3> m_combo{}; // Combo1(i): model, category, result

    QPushButton *m_close = nullptr;  // Command1
    QPushButton *m_save = nullptr;   // Command3
    QPushButton *m_cancel = nullptr; // Command4
    QPushButton *m_query = nullptr;  // Command7
};

} // namespace kelm
