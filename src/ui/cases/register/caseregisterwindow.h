// xzcf_face "卫生行政处罚信息管理": the register of penalty cases, one case
// of table xzcf at a time. Adds a case under a proposed number, checks and
// saves it (carrying its documents along when its number changed), cancels,
// opens the case's documents, the case query and the statistics, and keeps
// the current case across the windows it opens.
#pragma once

#include "cases/engine/registerlink.h"
#include "platform/formwindow.h"

#include <QString>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kelm {

class BoundRecord;
class RecordNavigator;

class CaseRegisterWindow : public FormWindow, public CaseRegisterLink {
    Q_OBJECT
public:
    enum class State { Browsing, Editing, Adding, Empty };

    explicit CaseRegisterWindow(QWidget *parent = nullptr);
    ~CaseRegisterWindow() override;

    void activated() override;
    void deactivated() override;
    bool queryClose() override;
    void unloaded() override;

    void untickDocument(int registerIndex) override;

    State state() const { return m_state; }
    BoundRecord *record() const { return m_record; }

private:
    static constexpr int textCount = 15;
    static constexpr int penaltyCount = 11; // Check2(0)..Check2(9) and the closure box Check2(10)
    static constexpr int closureBox = 10;

    void buildUnitFrame();
    void buildSummaryFrame();
    void buildClosureFrame();
    void buildDocumentFrame();
    void buildButtons();
    void setTabOrder();
    void bindColumns();

    QString text(int box) const;
    void setText(int box, const QString &value);
    void setState(State state, bool tableWasEmpty = false);
    void setClosureControlsEnabled(bool on);
    void textChanged();
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
    bool save();
    void cancel();
    void query();
    void statistics();

    BoundRecord *m_record = nullptr;
    RecordNavigator *m_navigator = nullptr;
    State m_state = State::Browsing;

    QGroupBox *m_unitFrame = nullptr;     // Frame1
    QGroupBox *m_summaryFrame = nullptr;  // Frame3
    QGroupBox *m_closureFrame = nullptr;  // Frame4
    QGroupBox *m_documentFrame = nullptr; // Frame2

    std::array<QWidget *, textCount> m_text{}; // Text1(i); 8 and 9 are multi-line
    QComboBox *m_firstLevel = nullptr;  // Combo1
    QComboBox *m_secondLevel = nullptr; // Combo2
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
