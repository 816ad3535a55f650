// The query window of the registers: a read-only grid over one table, a
// row of column buttons choosing the column that sorts the list and that
// the filter box matches by its leading characters, the count of the rows
// listed, a print button previewing the list report of exactly those rows,
// and a double-click handing the row's number back. Each query window is
// this design with its own table, columns, layout and return.
#pragma once

#include "data/appvalues.h"
#include "platform/formwindow.h"
#include "registers/querydesign.h"

#include <QRect>
#include <functional>

class QLineEdit;
class QPushButton;
class QTableView;

namespace kelm {

class ColumnButton;
class GridLabel;

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
