// xkzdy "卫生许可证打印设置": adjusts the print layout table dycc. The user
// chooses a certificate model or the copy, picks a row of its layout set
// (an item, or 整体, which moves the whole print) and changes its top, left
// and font size by typing or with the spin bar beside each value, one step
// per change; "确认" stores the row, "取消" abandons the change. Only the
// values in use of existing rows are written, never a reference value.
#pragma once

#include "permits/printing/sheetbounds.h"
#include "platform/formwindow.h"

#include <array>
#include <optional>

class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace kelm {

class BoundRecord;

class LayoutEditorWindow : public FormWindow {
    Q_OBJECT
public:
    explicit LayoutEditorWindow(QWidget *parent = nullptr);

    // The chosen set, "1" to "4".
    QString currentSet() const { return m_set; }
    bool isEditing() const { return m_editing; }
    BoundRecord *record() const { return m_record; }

    void activated() override;
    bool queryClose() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Spin {
        QLineEdit *box;
        QScrollBar *bar;
        int previous = 500;
    };

    void buildModelFrame();
    void buildPositionFrame();
    void buildSizeFrame();
    QLineEdit *valueBox(QWidget *frame, int index, int left, int top, int width);
    void addSpin(QLineEdit *box, const QString &name, int left, int top);

    void chooseModel(int n);
    void chooseItem(int row);
    void showRow(bool found);
    void edited();
    void step(Spin &spin, int value);
    bool store();
    std::optional<OffSheet> offSheet();
    void cancelEdit();
    void setEditing(bool on);

    BoundRecord *m_record;
    QString m_set;
    bool m_editing = false;
    bool m_quiet = false; // the window itself empties the boxes
    std::array<QRadioButton *, 4> m_options{};
    QListWidget *m_list = nullptr;       // List1
    std::array<QLineEdit *, 6> m_boxes{}; // Text1(0)..Text1(5)
    std::array<Spin, 3> m_spins{};       // VScroll1..VScroll3
    QPushButton *m_confirm = nullptr;    // Command1
    QPushButton *m_cancel = nullptr;     // Command2
};

} // namespace kelm
