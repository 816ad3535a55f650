#include "registers/querywindow.h"

#include "data/connection.h"
#include "data/listquery.h"
#include "data/reportsources.h"
#include "platform/accessiblenames.h"
#include "platform/busypointer.h"
#include "platform/gridlabel.h"
#include "platform/longwork.h"
#include "platform/messages.h"
#include "platform/modal.h"
#include "platform/reportpreview.h"
#include "platform/units.h"
#include "registers/columnbutton.h"

#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTableView>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {
// Places inside the frame, twips.
constexpr int promptLeft = 240;
constexpr int rowTop = 240;
constexpr int filterLeft = 1200;
constexpr int boxHeight = 270;
constexpr int plateTop = 600;
constexpr int plateHeight = 375;
constexpr int gridRowHeight = 270;

const QString countText = QStringLiteral("查询总数合计：");

QPushButton *commandButton(const QString &text, const QRect &twips, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setGeometry(pxRect(twips.x(), twips.y(), twips.width(), twips.height()));
    b->setAutoDefault(false);
    return b;
}
} // namespace

QueryWindow::QueryWindow(QueryDesign design, QWidget *parent)
    : FormWindow(parent), m_design(std::move(design)), m_model(new QueryTableModel(m_design.gridColumns, this))
{
    setObjectName(m_design.name);
    setWindowTitle(m_design.caption);
    if (m_design.sizable) {
        resize(px(m_design.client.width()), px(m_design.client.height()));
        setWindowFlag(Qt::WindowMinMaxButtonsHint);
    } else {
        setFixedSize(px(m_design.client.width()), px(m_design.client.height()));
    }

    m_grid = new QTableView(this);
    const QRect &g = m_design.grid;
    m_grid->setGeometry(pxRect(g.x(), g.y(), g.width(), g.height()));
    m_grid->setModel(m_model);
    m_grid->setFont(songti(9));
    m_grid->horizontalHeader()->setFont(songti(9));
    m_grid->horizontalHeader()->setSectionsClickable(false);
    m_grid->horizontalHeader()->setHighlightSections(false);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(px(gridRowHeight));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setWordWrap(false);
    // Tab leaves the grid, as it leaves any other control; Enter on a row
    // does what a double-click does.
    m_grid->setTabKeyNavigation(false);
    m_grid->installEventFilter(this);
    m_grid->setToolTip(m_design.gridTip);
    for (std::size_t i = 0; i < m_design.gridColumns.size(); ++i)
        if (m_design.gridColumns[i].width > 0)
            m_grid->setColumnWidth(int(i), px(m_design.gridColumns[i].width));
    m_grid->viewport()->installEventFilter(this);
    // The grid has no label: it is the list its report prints.
    m_grid->setAccessibleName(m_design.listReport.caption);

    auto *frame = new QGroupBox(u"选择查询方式"_s, this);
    const QRect &f = m_design.frame;
    frame->setGeometry(pxRect(f.x(), f.y(), f.width(), f.height()));
    m_prompt = new GridLabel(m_design.prompt, songti(9), frame);
    m_prompt->move(px(promptLeft), px(rowTop));
    m_prompt->adjustSize();
    m_filter = new QLineEdit(frame);
    m_filter->setGeometry(pxRect(filterLeft, rowTop, m_design.filterWidth, boxHeight));
    nameAfter(m_filter, m_prompt);
    for (std::size_t i = 0; i < m_design.buttons.size(); ++i) {
        const QueryButton &b = m_design.buttons[i];
        auto *button = new ColumnButton(b.caption, b.plateWidth, plateHeight, frame);
        button->move(px(b.plateLeft), px(plateTop));
        // Told by its frame: the prompt names the filter box by the caption alone.
        button->setAccessibleName(frame->title() + u' ' + spokenLabel(b.caption));
        connect(button, &ColumnButton::clicked, this, [this, i] { chooseColumn(int(i)); });
        m_buttons.push_back(button);
    }

    m_count = new QLineEdit(this);
    m_count->setReadOnly(true);
    m_count->setAccessibleName(spokenLabel(countText));
    m_count->setGeometry(pxRect(m_design.countBox.x(), m_design.countBox.y(), m_design.countWidth, boxHeight));
    QPalette blue = m_count->palette();
    blue.setColor(QPalette::Text, vbColor(vbBlue));
    m_count->setPalette(blue);

    m_print = commandButton(m_design.printCaption, m_design.printButton, this);
    m_close = commandButton(u"关闭"_s, m_design.closeButton, this);

    // The form's focus order, with the column buttons after the filter box
    // they serve, from left to right.
    std::vector<QWidget *> order = {m_count, m_filter};
    order.insert(order.end(), m_buttons.begin(), m_buttons.end());
    if (m_design.gridFirst) {
        order.insert(order.begin(), m_grid);
        order.insert(order.end(), {m_close, m_print});
    } else {
        order.insert(order.begin(), m_close);
        order.insert(order.end(), {m_grid, m_print});
    }
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    order.front()->setFocus();

    connect(m_filter, &QLineEdit::textChanged, this, &QueryWindow::filterChanged);
    connect(m_print, &QPushButton::clicked, this, &QueryWindow::printList);
    connect(m_close, &QPushButton::clicked, this, &QueryWindow::close);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    showList({m_design.table, m_design.keyColumn, {}, {}});
}

void QueryWindow::activated() { showDefaultPointer(); }

void QueryWindow::unloaded() { m_model->clear(); }

void QueryWindow::chooseColumn(int index)
{
    for (std::size_t i = 0; i < m_buttons.size(); ++i)
        m_buttons[i]->setChosen(int(i) == index);
    const QueryButton &b = m_design.buttons.at(std::size_t(index));
    m_prompt->setText(b.prompt);
    m_prompt->adjustSize();
    nameAfter(m_filter, m_prompt);
    {
        // Emptying the box would first relist by the column chosen before;
        // the new column's list below replaces that at once.
        const QSignalBlocker quiet(m_filter);
        m_filter->clear();
    }
    m_filter->setFocus();
    m_chosen = index;
    showList({m_design.table, b.column, {}, {}});
}

void QueryWindow::filterChanged(const QString &text)
{
    if (m_chosen < 0) {
        showCount();
        return;
    }
    const QString &column = m_design.buttons.at(std::size_t(m_chosen)).column;
    if (text.isEmpty())
        showList({m_design.table, column, {}, {}});
    else
        showList({m_design.table, column, column, text});
}

void QueryWindow::showList(const ListQuery &query)
{
    app().listQuery = query;
    try {
        const ListStatement s = listStatement(query);
        m_model->setStatement(db(), s.sql, s.params);
        m_rowCount = listCount(query);
    } catch (const DbError &e) {
        m_rowCount = m_model->rowCount();
        showCount();
        showError(this, e.message());
        return;
    }
    if (m_model->rowCount() > 0)
        m_grid->setCurrentIndex(m_model->index(0, 0));
    showCount();
}

void QueryWindow::showCount() { m_count->setText(countText + QString::number(m_rowCount)); }

void QueryWindow::chooseRow()
{
    const QModelIndex current = m_grid->currentIndex();
    if (!current.isValid())
        return;
    const QString number = m_model->text(current.row(), 0);
    if (m_design.chosen)
        m_design.chosen(number);
    close();
}

void QueryWindow::printList()
{
    const report::ReportLayout layout = listReportLayout(m_design.listReport);
    const ListQuery query = app().listQuery;
    const QString path = databasePath();
    const qint64 expected = m_rowCount;
    std::unique_ptr<report::PageSource> pages;
    try {
        // Reading the list's row ids takes a moment for a large list: off
        // the window's thread, on a connection of its own.
        std::optional<PreparedList> prepared;
        runLongWork(this, layout.caption, [&](Progress &progress) {
            Database own(path, storedSchema());
            prepared = prepareList(own, layout, query, expected, progress);
        });
        if (!prepared)
            return;
        pages = listPages(layout, query, std::move(*prepared));
    } catch (const DbError &e) {
        if (!m_design.quietReportFailure)
            showError(this, e.message());
        return;
    }
    openModal(this, new report::ReportPreview(std::move(pages), this));
}

bool QueryWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        chooseRow();
        return true;
    }
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            chooseRow();
            return true;
        }
    }
    return FormWindow::eventFilter(watched, event);
}

} // namespace kelm
