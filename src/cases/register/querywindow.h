// The query window of the registers: a read-only grid over one table, a
// row of column buttons choosing the column that sorts the list and that
// the filter box matches by its leading characters, the count of the rows
// listed, a print button previewing the list report of exactly those rows,
// and a double-click handing the row's number back. Each query window is
// this design with its own table, columns, layout and return.
#pragma once

#include "cases/register/listreport.h"
#include "data/appvalues.h"
#include "platform/formwindow.h"
#include "platform/querytablemodel.h"

#include <QRect>
#include <functional>

class QLineEdit;
class QPushButton;
class QTableView;

namespace kelm {

class ColumnButton;
class GridLabel;

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

class QueryWindow : public FormWindow {
    Q_OBJECT
public:
    explicit QueryWindow(QueryDesign design, QWidget *parent = nullptr);

    void activated() override;
    // Lets go of the list's open statement, as the window's connection ends.
    void unloaded() override;

    // The chosen button's index, -1 while none is chosen.
    int chosenButton() const { return m_chosen; }

    QTableView *grid() const { return m_grid; }
    QueryTableModel *model() const { return m_model; }
    QLineEdit *filterBox() const { return m_filter; }
    QLineEdit *countBox() const { return m_count; }
    GridLabel *promptLabel() const { return m_prompt; }
    ColumnButton *columnButton(int index) const { return m_buttons.at(std::size_t(index)); }
    QPushButton *printButton() const { return m_print; }
    QPushButton *closeButton() const { return m_close; }

    void chooseColumn(int index);
    void chooseRow();   // what a double-click on the grid does
    void printList();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void filterChanged(const QString &text);
    void showList(const ListQuery &query);
    void showCount();

    QueryDesign m_design;
    int m_chosen = -1;
    qint64 m_rowCount = 0;
    QueryTableModel *m_model;
    QTableView *m_grid;
    GridLabel *m_prompt;
    QLineEdit *m_filter;
    QLineEdit *m_count;
    QPushButton *m_print;
    QPushButton *m_close;
    std::vector<ColumnButton *> m_buttons;
};

} // namespace kelm
