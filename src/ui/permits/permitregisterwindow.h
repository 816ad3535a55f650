// xkz "卫生许可证管理": the register of health permits, one permit of table
// wsxkz at a time in table order. Adds a permit under a proposed number,
// checks and saves it (giving it its first next-review date), cancels,
// deletes, opens the permit query, and hands the shown permit to permit
// printing; keeps the current permit across the windows it opens.
#pragma once

#include "permits/permitwindow.h"
#include "permits/printing/permitonscreen.h"

class QPushButton;

namespace kelm {

class ListBox;

class PermitRegisterWindow : public PermitWindow, public PermitOnScreen {
    Q_OBJECT
public:
    explicit PermitRegisterWindow(QWidget *parent = nullptr);

    QWidget *printOpener() override { return this; }
    PermitTexts shownPermit() const override;
    PermitPrintLines &printLines() override { return m_printLines; }

protected:
    void applyState(State state) override;
    bool save() override;

private:
    void buildApprovalFrames();
    void buildButtons();
    void setTabOrder();
    void setEntryEnabled(bool on);

    void add();
    void deletePermit();

    ListBox *m_model = nullptr;    // Combo1(0)
    ListBox *m_category = nullptr; // Combo1(1)

    QPushButton *m_add = nullptr;      // Command1
    QPushButton *m_delete = nullptr;   // Command2
    QPushButton *m_save = nullptr;     // Command3
    QPushButton *m_cancel = nullptr;   // Command4
    QPushButton *m_print = nullptr;    // Command5
    QPushButton *m_copy = nullptr;     // Command6
    QPushButton *m_query = nullptr;    // Command7
    QPushButton *m_settings = nullptr; // Command8

    PermitPrintLines m_printLines;
};

} // namespace kelm
