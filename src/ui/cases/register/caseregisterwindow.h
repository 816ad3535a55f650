// xzcf_face "卫生行政处罚信息管理": the register of penalty cases, one case
// of table xzcf at a time. Adds a case under a proposed number, checks and
// saves it (carrying its documents along when its number changed), cancels,
// opens the case's documents, the case query and the statistics, and keeps
// the current case across the windows it opens.
#pragma once

#include "cases/engine/registerlink.h"
#include "registers/abstractregisterwindow.h"

#include <QString>
#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kelm {

class ListBox;

class CaseRegisterWindow : public AbstractRegisterWindow, public CaseRegisterLink {
    Q_OBJECT
public:
    explicit CaseRegisterWindow(QWidget *parent = nullptr);
    ~CaseRegisterWindow() override;

    void activated() override;
    void unloaded() override;

    void untickDocument(int registerIndex) override;

protected:
    void applyState(State state) override;
    QString shownNumber() const override;
    bool save() override;
    void cancel() override;

private:
    static constexpr int penaltyCount = 11; // Check2(0)..Check2(9) and the closure box Check2(10)
    static constexpr int closureBox = 10;

    void buildUnitFrame();
    void buildSummaryFrame();
    void buildClosureFrame();
    void buildDocumentFrame();
    void buildButtons();
    void setTabOrder();
    void bindColumns();
    // Text1(index), bound to its column of the case.
    template <typename Box>
    Box *bindBox(int index, Box *box);

    void setEntryEnabled(bool on);
    void setClosureControlsEnabled(bool on);
    void penaltyClicked(int box, bool ticked);
    void closureClicked(bool ticked);
    void setAmountEnabled(int penaltyBox, bool on); // its amount field and labels
    void setClosureTicked();
    void firstLevelChosen(int index);
    void fillSecondLevel(const QString &firstLevel);
    void caseShown();

    void documentClicked(int registerIndex);
    void add();
    void deleteCase();
    void statistics();

    QGroupBox *m_unitFrame = nullptr;     // Frame1
    QGroupBox *m_summaryFrame = nullptr;  // Frame3
    QGroupBox *m_closureFrame = nullptr;  // Frame4
    QGroupBox *m_documentFrame = nullptr; // Frame2

    ListBox *m_firstLevel = nullptr;  // Combo1
    ListBox *m_secondLevel = nullptr; // Combo2
    std::array<QCheckBox *, penaltyCount> m_penalty{}; // Check2(i)
    std::array<QCheckBox *, 22> m_documents{};         // Check1(k)
    QLabel *m_penaltyHeading = nullptr; // Label9
    QLabel *m_closedLabel = nullptr;    // Label11
    std::array<QLabel *, 6> m_amountLabels{}; // Label14..Label19

    QPushButton *m_add = nullptr;        // Command1
    QPushButton *m_delete = nullptr;     // Command2
    QPushButton *m_save = nullptr;       // Command3
    QPushButton *m_cancel = nullptr;     // Command4
    QPushButton *m_query = nullptr;      // Command6
    QPushButton *m_statistics = nullptr; // Command7

    // One-shot flags of sfja, msje, fkje, shsp, xhsp: set by a case deletion.
    std::array<int, 5> m_keepValue{};
};

} // namespace kelm
