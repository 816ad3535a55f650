#include "cases/statistics/statisticswindow.h"

#include "cases/statistics/penaltystatistics.h"
#include "cases/statistics/statisticsdrawing.h"
#include "cases/statistics/statisticsrun.h"
#include "cases/statistics/statisticssheet.h"
#include "data/appvalues.h"
#include "data/connection.h"
#include "platform/busypointer.h"
#include "platform/formcontrols.h"
#include "platform/gridlabel.h"
#include "platform/messages.h"
#include "platform/modal.h"
#include "platform/reportpreview.h"
#include "platform/spokenlabel.h"
#include "platform/units.h"

#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

constexpr double windowSize = 9;
constexpr double groupSize = 12;
constexpr unsigned int paleBackground = 0x00E3F2FF;
constexpr unsigned int groupGreen = 0x0000FF00;

struct Caption {
    QString text;
    int left;
    int top;
};

// Two lines high where the caption wraps at this width.
constexpr int headingWidth = 600;

// The column heads, left to right.
const std::array<Caption, statistics::screenColumnCount> headings = {{
    {u"警  告"_s, 1920, 720},        {u"责  令改  正"_s, 2640, 600}, {u"责  令收  回"_s, 3360, 600},
    {u"责令停产停业"_s, 4080, 600}, {u"责  令销  毁"_s, 4800, 600}, {u"没收违法所得"_s, 5520, 600},
    {u"没  收金  额"_s, 6240, 600}, {u"罚  款"_s, 6960, 720},        {u"罚  款金  额"_s, 7680, 600},
    {u"吊  销许可证"_s, 8400, 600}, {u"取  缔"_s, 9120, 720},        {u"免  予处  罚"_s, 9840, 600},
    {u"处  罚户  次"_s, 10560, 600},
}};

const std::array<QString, 4> headCaptions = {u"统计时间："_s, u"案件总数："_s, u"立案总数："_s, u"结案总数："_s};

// The group each screen row is drawn in, by row.
QString groupOf(std::size_t row)
{
    if (row < 7)
        return u"食品卫生"_s;
    return row < 14 ? u"公共场所"_s : QString();
}

// Figure i of drawnFigures as a screen reader reads it: its row and column
// with the figure ("食品卫生 饮食 罚款：1"), or its caption ("案件总数：3").
QString figureName(std::size_t i, const QString &figure)
{
    const QString value = figure.trimmed();
    if (i < headCaptions.size())
        return headCaptions[i] + value;
    const std::size_t row = (i - headCaptions.size()) / headings.size();
    const std::size_t column = (i - headCaptions.size()) % headings.size();
    const QString group = groupOf(row);
    const QString rowName = spokenLabel(statistics::screenRows()[row].label);
    return (group.isEmpty() ? rowName : group + u' ' + rowName) + u' ' + spokenLabel(headings[column].text) + u'：'
           + value;
}

// A caption of the table, read by its words without the blanks that
// spread it over the grid.
GridLabel *captionLabel(const QString &text, const QFont &font, QWidget *parent)
{
    auto *l = new GridLabel(text, font, parent);
    l->setAccessibleName(spokenLabel(text));
    return l;
}

void onGreen(QLabel *label)
{
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, vbColor(groupGreen));
    label->setPalette(pal);
    label->setAutoFillBackground(true);
}

struct Rule {
    int x1, y1, x2, y2;
};

// Over the middle of the table while a computation runs.
QWidget *busyPanel(QWidget *parent, QProgressBar *bar)
{
    auto *panel = placed(new QFrame(parent), 3240, 2880, 4800, 960);
    panel->setFrameShape(QFrame::Box);
    panel->setAutoFillBackground(true);
    auto *layout = new QVBoxLayout(panel);
    layout->addWidget(new QLabel(u"正在统计，请稍候……"_s, panel), 0, Qt::AlignHCenter);
    bar->setParent(panel);
    bar->setRange(0, 100);
    bar->setAccessibleName(u"统计进度"_s);
    bar->setFocusPolicy(Qt::TabFocus);
    layout->addWidget(bar);
    panel->hide();
    return panel;
}

std::vector<Rule> tableRules()
{
    std::vector<Rule> rules;
    for (int x : {1800, 2520, 3240, 3960, 4680, 5400, 6120, 6840, 7560, 8280, 9000, 9720, 10440})
        rules.push_back({x, 480, x, 6960});
    rules.push_back({480, 960, 480, 6000}); // between the group labels and the row labels
    for (int y : {960, 3480, 6000, 6480})
        rules.push_back({120, y, 11160, y});
    for (int y : {1320, 1680, 2040, 2400, 2760, 3120, 3840, 4200, 4560, 4920, 5280, 5640})
        rules.push_back({480, y, 11160, y});
    return rules;
}

} // namespace

StatisticsWindow::StatisticsWindow(QWidget *parent)
    : FormWindow(parent), m_print(formButton(this, u"Command1"_s, u"打印食监报表"_s, 9480, 0, 1695)),
      m_progress(new QProgressBar), m_busy(busyPanel(this, m_progress))
{
    setObjectName(u"frm_cftj"_s);
    setWindowTitle(u"卫生行政处罚统计列表"_s);
    setFixedSize(px(11280), px(7110));
    setFont(uiFont(windowSize));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, vbColor(paleBackground));
    setPalette(pal);
    setAutoFillBackground(true);
    connect(m_print, &QPushButton::clicked, this, &StatisticsWindow::printSheet);

    const QFont font = uiFont(windowSize);
    auto single = [this, &font](const Caption &c) {
        auto *l = captionLabel(c.text, font, this);
        l->move(px(c.left), px(c.top));
        l->adjustSize();
    };
    const std::array<int, 4> headLefts = {120, 3240, 5400, 7560};
    for (std::size_t i = 0; i < headCaptions.size(); ++i)
        single({headCaptions[i], headLefts[i], 120});

    for (const Caption &c : headings) {
        auto *l = captionLabel(c.text, font, this);
        l->setLineWidth(headingWidth);
        l->setGeometry(pxRect(c.left, c.top, headingWidth, 960 - c.top));
    }

    const auto &rows = statistics::screenRows();
    for (std::size_t r = 0; r + 2 < rows.size(); ++r)
        single({rows[r].label, 600, 1080 + 360 * int(r)});
    const QFont groupFont = songti(groupSize);
    for (const Caption &c : {Caption{rows[14].label, 480, 6120}, Caption{rows[15].label, 480, 6600}}) {
        auto *l = captionLabel(c.text, groupFont, this);
        l->setGeometry(pxRect(c.left, c.top, 720, 240));
        onGreen(l);
    }
    for (const Caption &c : {Caption{u"食品卫生"_s, 240, 1680}, Caption{u"公共场所"_s, 240, 4200}}) {
        auto *l = captionLabel(c.text, groupFont, this);
        l->setLineWidth(255);
        l->setGeometry(pxRect(c.left, c.top, 255, 1020));
        onGreen(l);
    }
}

void StatisticsWindow::paintEvent(QPaintEvent *event)
{
    FormWindow::paintEvent(event);
    QPainter p(this);
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(pxRect(120, 480, 11055, 6495));
    for (const Rule &r : tableRules())
        p.drawLine(px(r.x1), px(r.y1), px(r.x2), px(r.y2));
}

bool StatisticsWindow::computing() const { return m_run; }

void StatisticsWindow::activated()
{
    showDefaultPointer();
    if (m_run)
        return;
    m_run = statistics::StatisticsRun::start(databasePath(), app().statsStart, app().statsEnd);
    connect(m_run, &statistics::StatisticsRun::progressed, m_progress, &QProgressBar::setValue);
    connect(m_run, &statistics::StatisticsRun::finished, this, &StatisticsWindow::draw);
    connect(m_run, &statistics::StatisticsRun::failed, this, &StatisticsWindow::fail);
    connect(m_run, &statistics::StatisticsRun::ended, this, &StatisticsWindow::runEnded);
    m_progress->setValue(0);
    m_busy->raise();
    m_busy->show();
    // The progress holds the focus while 打印食监报表 cannot be used, so the
    // window never stands without one.
    m_progress->setFocus();
    m_print->setEnabled(false);
}

void StatisticsWindow::unloaded()
{
    if (!m_run)
        return;
    m_run->disconnect(this);
    m_run->cancel();
    m_run = nullptr;
}

void StatisticsWindow::runEnded()
{
    m_run = nullptr;
    m_print->setEnabled(true);
    m_print->setFocus();
    m_busy->hide();
}

void StatisticsWindow::fail(const QString &message)
{
    showError(this, message);
    // Nothing to show yet: back to the register. Later the figures of the
    // last computation stay, which are also the sheet's.
    if (m_figures.empty())
        close();
}

void StatisticsWindow::draw(const statistics::PenaltyStatistics &result)
{
    const std::vector<statistics::DrawnFigure> drawn = statistics::drawnFigures(result);
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        const statistics::DrawnFigure &f = drawn[i];
        if (i == m_figures.size()) {
            auto *label = new GridLabel(QString(), font(), this);
            QPalette pal = label->palette();
            pal.setColor(QPalette::WindowText, vbColor(vbRed));
            label->setPalette(pal);
            label->show();
            m_figures.push_back(label);
        }
        GridLabel *label = m_figures[i];
        label->setText(f.text);
        label->setAccessibleName(figureName(i, f.text));
        label->setFont(uiFont(statistics::fittingSize(displayUnits(f.text), f.room, windowSize)));
        label->move(px(f.x), px(f.y));
        label->adjustSize();
    }
}

void StatisticsWindow::printSheet()
{
    report::PageModel pages;
    try {
        pages = statistics::statisticsSheet();
    } catch (const DbError &e) {
        showError(this, e.message());
        return;
    }
    openModal(this, new report::ReportPreview(std::move(pages), this));
}

} // namespace kelm
