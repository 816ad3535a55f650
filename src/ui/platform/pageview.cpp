#include "platform/pageview.h"

#include "platform/database.h"
#include "platform/pagepainter.h"
#include "platform/units.h"

#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace kelm::report {

namespace {
constexpr double minZoom = 0.1;
constexpr double maxZoom = 8.0;
} // namespace

PageView::PageView(PageSource &pages, QWidget *parent) : QAbstractScrollArea(parent), m_pages(pages)
{
    verticalScrollBar()->setSingleStep(20);
    horizontalScrollBar()->setSingleStep(20);
    setFocusPolicy(Qt::StrongFocus);
}

void PageView::setZoom(double zoom)
{
    m_fit = Fit::None;
    const int page = m_current;
    m_zoom = std::clamp(zoom, minZoom, maxZoom);
    updateRanges();
    showPage(page);
}

void PageView::setFit(Fit fit)
{
    const int page = m_current;
    m_fit = fit;
    applyFit();
    updateRanges();
    showPage(page);
}

void PageView::applyFit()
{
    const double w = paperWidth(m_pages.paper()) / double(twipsPerPixel);
    const double h = paperHeight(m_pages.paper()) / double(twipsPerPixel);
    const double across = (viewport()->width() - 2.0 * gap) / w;
    switch (m_fit) {
    case Fit::None: return;
    case Fit::PageWidth: m_zoom = across; break;
    case Fit::WholePage: m_zoom = std::min(across, (viewport()->height() - 2.0 * gap) / h); break;
    }
    m_zoom = std::clamp(m_zoom, minZoom, maxZoom);
}

int PageView::pageWidth() const { return int(std::lround(paperWidth(m_pages.paper()) * m_zoom / twipsPerPixel)); }
int PageView::pageHeight() const { return int(std::lround(paperHeight(m_pages.paper()) * m_zoom / twipsPerPixel)); }

qint64 PageView::offset() const { return qint64(verticalScrollBar()->value()) * m_unit; }

void PageView::showPage(int n)
{
    n = std::clamp(n, 0, std::max(m_pages.pageCount() - 1, 0));
    verticalScrollBar()->setValue(int(std::min<qint64>(qint64(n) * pitch() / m_unit, verticalScrollBar()->maximum())));
    if (m_current != n) {
        m_current = n;
        emit currentPageChanged(n);
    }
    viewport()->update();
}

void PageView::updateCurrent()
{
    const QScrollBar *bar = verticalScrollBar();
    const int last = std::max(m_pages.pageCount() - 1, 0);
    const int n = bar->maximum() > 0 && bar->value() == bar->maximum()
        ? last
        : int(std::clamp<qint64>(offset() / pitch(), 0, last));
    if (n != m_current) {
        m_current = n;
        emit currentPageChanged(n);
    }
}

void PageView::updateRanges()
{
    const qint64 height = qint64(std::max(m_pages.pageCount(), 1)) * pitch() + gap;
    const qint64 room = std::numeric_limits<int>::max() / 2;
    m_unit = std::max<qint64>(1, (height + room - 1) / room);
    const int view = viewport()->height();
    QScrollBar *v = verticalScrollBar();
    v->setRange(0, int(std::max<qint64>(0, (height - view + m_unit - 1) / m_unit)));
    v->setPageStep(int(std::max<qint64>(1, view / m_unit)));
    v->setSingleStep(int(std::max<qint64>(1, 20 / m_unit)));
    QScrollBar *h = horizontalScrollBar();
    h->setRange(0, std::max(0, pageWidth() + 2 * gap - viewport()->width()));
    h->setPageStep(viewport()->width());
    viewport()->update();
}

void PageView::resizeEvent(QResizeEvent *)
{
    if (m_fit != Fit::None) {
        const int page = m_current;
        applyFit();
        updateRanges();
        showPage(page);
        return;
    }
    updateRanges();
}

void PageView::scrollContentsBy(int, int)
{
    updateCurrent();
    viewport()->update();
}

const PageView::Kept &PageView::pageAt(int n)
{
    const auto found = std::find_if(m_kept.begin(), m_kept.end(), [n](const Kept &k) { return k.n == n; });
    if (found != m_kept.end()) {
        m_kept.splice(m_kept.begin(), m_kept, found);
        return m_kept.front();
    }
    Kept made{n, {}, {}};
    try {
        made.page = m_pages.page(n);
    } catch (const DbError &e) {
        made.error = e.message();
    }
    m_kept.push_front(std::move(made));
    if (int(m_kept.size()) > keptPages)
        m_kept.pop_back();
    return m_kept.front();
}

void PageView::paintEvent(QPaintEvent *)
{
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), QColor(128, 128, 128));
    const int width = pageWidth();
    const int height = pageHeight();
    // Centred while narrower than the view.
    const int x0 = std::max(gap, (viewport()->width() - width) / 2) - horizontalScrollBar()->value();
    const qint64 top = offset();
    const int first = int(std::max<qint64>(0, (top - gap) / pitch()));
    for (int n = first; n < m_pages.pageCount(); ++n) {
        const qint64 y = gap + qint64(n) * pitch() - top;
        if (y > viewport()->height())
            break;
        const QRect paper(x0, int(y), width, height);
        p.fillRect(paper.translated(3, 3), QColor(64, 64, 64));
        p.fillRect(paper, Qt::white);
        const Kept &page = pageAt(n);
        p.save();
        p.setClipRect(paper);
        p.translate(paper.topLeft());
        if (page.error.isEmpty()) {
            paintPage(p, page.page, 1440.0 / twipsPerPixel * m_zoom);
        } else {
            p.setPen(Qt::red);
            p.drawText(QRect(QPoint(0, 0), paper.size()).adjusted(gap, gap, -gap, -gap),
                       Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, u"无法显示此页：%1"_s.arg(page.error));
        }
        p.restore();
    }
}

} // namespace kelm::report
