// A permit's particulars as both permit windows show them: the frame
// 单位信息 with the unit's boxes and the frame 许可证信息 with the permit's,
// laid out alike in the permit register and the annual review window. Only
// the floor area box has another index in each, and the category list box
// its own entries.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class QGroupBox;
class QLineEdit;
class QWidget;

namespace kelm {

class ListBox;

struct PermitParticulars {
    struct Box {
        int index;      // Text1(index)
        QString column; // of wsxkz
        QLineEdit *box;
    };
    QGroupBox *unitFrame = nullptr;   // Frame1
    QGroupBox *permitFrame = nullptr; // Frame2
    std::vector<Box> boxes;           // Text1(0)..Text1(10), Text1(16), the floor area
    ListBox *model = nullptr;         // Combo1(0), xh
    ListBox *category = nullptr;      // Combo1(1), lb

    // Lays the two frames out on window.
    static PermitParticulars build(QWidget *window, int floorAreaBox, const QStringList &categories);
};

// A list box of the permit windows with its object name and entries.
ListBox *permitListBox(QWidget *parent, const QString &name, const QStringList &entries);

} // namespace kelm
