// A query window's design, one per register's query: its table, the grid's
// columns, the buttons choosing the sort and filter column, its list
// report, its layout in twips and what a double-click does.
#pragma once

#include "platform/querytablemodel.h"
#include "registers/listreport.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>
#include <vector>

namespace kelm {

struct QueryButton {
    QString caption; // caption label
    QString prompt;  // prompt label text while chosen
    QString column;  // sort and filter column
    int plateLeft;   // twips in the frame
    int plateWidth = 975;
};

struct QueryDesign {
    QString name; // the window's name (frm_cfcx, xkzcx, nscx, tjcx)
    QString caption;
    QString table;
    // Orders the list while no button is chosen; the first grid column,
    // whose value a double-click returns.
    QString keyColumn;
    std::vector<GridColumn> gridColumns;
    std::vector<QueryButton> buttons;
    ListReportDesign listReport;
    // The permit queries pass over a list report that cannot be made
    // without a word; the others say why.
    bool quietReportFailure = false;
    // The focus order starts at the grid; otherwise at the close button.
    bool gridFirst = false;
    // A sizable border with minimise and maximise buttons; the controls
    // keep their places when the window is resized.
    bool sizable = false;
    // Texts the instances word differently: the prompt label while no
    // button is chosen, the grid's tooltip, the print button.
    QString prompt = QStringLiteral("编    号：");
    QString gridTip = QStringLiteral("双击所选记录显示详细内容");
    QString printCaption = QStringLiteral("打印查询列表");

    // Layout in twips: the client area, and the controls that move with it.
    QSize client;
    QRect grid;
    QRect frame;
    int filterWidth = 0; // the filter box in the frame, at 1200, 240
    QPoint countBox;
    int countWidth = 2295; // the count box is 270 high
    QRect printButton;
    QRect closeButton;

    // The double-clicked row's number; the window closes after it.
    std::function<void(const QString &number)> chosen;
};

} // namespace kelm
