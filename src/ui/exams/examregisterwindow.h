// frm_jktj "健康检查及卫生知识培训信息管理": the register of workers' health
// examinations and hygiene training, one record of table jktj at a time in
// table order. Adds a record (no number proposed), checks its number and
// stores it, cancels, deletes, and hands over to the examination query,
// closing itself first. The two results are kept in hidden boxes that
// their option pairs mirror; a failed examination empties and locks the
// transfer section. Keeps the current examination number across the
// windows it opens until it closes.
#pragma once

#include "registers/abstractregisterwindow.h"

#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kelm {

class ExamRegisterWindow : public AbstractRegisterWindow {
    Q_OBJECT
public:
    explicit ExamRegisterWindow(QWidget *parent = nullptr);

protected:
    void applyState(State state) override;
    QString shownNumber() const override;
    bool save() override;
    void showReturned() override;

private:
    void buildParticulars();
    void buildResultFrames();
    void buildTransferFrame();
    void buildButtons();
    void setTabOrder();
    // A new line box Text1(index) in frame, bound to column.
    QLineEdit *addBox(int index, const char16_t *column, QWidget *frame, int left, int top, int width,
                      int height = 270);

    void setEntryEnabled(bool on);
    void showResults();
    void chooseResult(int box, int option);

    void add();
    void deleteRecord();
    void query();

    std::array<QRadioButton *, 2> m_examResult{};  // Option1(0) 合格, Option1(1) 不合格
    std::array<QRadioButton *, 2> m_trainResult{}; // Option2(0), Option2(1)
    QGroupBox *m_transfer = nullptr;               // 调离情况
    std::array<QLabel *, 4> m_transferLabels{};    // Label9..Label12

    QPushButton *m_query = nullptr;  // Command6
    QPushButton *m_add = nullptr;    // Command1
    QPushButton *m_delete = nullptr; // Command2
    QPushButton *m_save = nullptr;   // Command3
    QPushButton *m_cancel = nullptr; // Command4
};

} // namespace kelm
