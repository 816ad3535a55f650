#include "platform/reportpreview.h"

#include "platform/busypointer.h"
#include "platform/pagepainter.h"
#include "platform/printsink.h"
#include "platform/units.h"

#include <QAbstractScrollArea>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kelm::report {

namespace {

constexpr int gap = 12; // pixels around and between pages

// Pages stacked vertically, painted only where they are visible, so a
// list of hundreds of pages scrolls as lightly as one page.
class PageView : public QAbstractScrollArea {
public:
    explicit PageView(const PageModel &model, QWidget *parent) : QAbstractScrollArea(parent), m_model(model)
    {
        m_pageWidth = px(paperWidth(model.page));
        m_pageHeight = px(paperHeight(model.page));
        verticalScrollBar()->setSingleStep(20);
        horizontalScrollBar()->setSingleStep(20);
    }

    QSize contentSize() const
    {
        const int n = std::max(m_model.pageCount(), 1);
        const qint64 h = qint64(n) * (m_pageHeight + gap) + gap;
        return {m_pageWidth + 2 * gap, int(std::min<qint64>(h, std::numeric_limits<int>::max()))};
    }

protected:
    void resizeEvent(QResizeEvent *) override { updateRanges(); }
    void scrollContentsBy(int, int) override { viewport()->update(); }

    void paintEvent(QPaintEvent *) override
    {
        QPainter p(viewport());
        p.fillRect(viewport()->rect(), QColor(128, 128, 128));
        const int x0 = gap - horizontalScrollBar()->value();
        const qint64 top = verticalScrollBar()->value();
        const int pitch = m_pageHeight + gap;
        const int firstPage = int(std::max<qint64>(0, (top - gap) / pitch));
        for (int i = firstPage; i < m_model.pageCount(); ++i) {
            const qint64 y = gap + qint64(i) * pitch - top;
            if (y > viewport()->height())
                break;
            const QRect paper(x0, int(y), m_pageWidth, m_pageHeight);
            p.fillRect(paper.translated(3, 3), QColor(64, 64, 64));
            p.fillRect(paper, Qt::white);
            p.save();
            p.setClipRect(paper);
            p.translate(paper.topLeft());
            paintPage(p, m_model.pages[std::size_t(i)], 1440.0 / twipsPerPixel);
            p.restore();
        }
    }

private:
    void updateRanges()
    {
        const QSize content = contentSize();
        horizontalScrollBar()->setRange(0, std::max(0, content.width() - viewport()->width()));
        horizontalScrollBar()->setPageStep(viewport()->width());
        verticalScrollBar()->setRange(0, std::max(0, content.height() - viewport()->height()));
        verticalScrollBar()->setPageStep(viewport()->height());
    }

    const PageModel &m_model;
    int m_pageWidth = 0;
    int m_pageHeight = 0;
};

} // namespace

ReportPreview::ReportPreview(PageModel model, QWidget *parent) : FormWindow(parent), m_model(std::move(model))
{
    setWindowTitle(m_model.caption + u"打印预演"_s);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);

    m_print = new QPushButton(u"打印"_s, this);
    m_print->setAutoDefault(false);
    auto *pages = new QLabel(u"共 %1 页"_s.arg(m_model.pageCount()), this);
    auto *bar = new QHBoxLayout;
    bar->addWidget(m_print);
    bar->addWidget(pages);
    bar->addStretch();

    auto *view = new PageView(m_model, this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(bar);
    layout->addWidget(view, 1);

    connect(m_print, &QPushButton::clicked, this, [this] { printPages(this, m_model); });

    const QSize content = view->contentSize() + QSize(40, 60);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        resize(content.boundedTo(screen->availableGeometry().size() * 0.9));
    else
        resize(content);
}

void ReportPreview::activated() { showDefaultPointer(); }

} // namespace kelm::report
