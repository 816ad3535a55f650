// The pages of a report one under the other on grey, drawn at a zoom. A
// page is laid out only when it comes into view and only the last few are
// kept, so a list of twenty thousand pages scrolls as lightly as one page
// and holds no more.
#pragma once

#include "platform/pagesource.h"

#include <QAbstractScrollArea>

#include <list>

namespace kelm::report {

class PageView : public QAbstractScrollArea {
    Q_OBJECT
public:
    enum class Fit { None, WholePage, PageWidth };

    static constexpr int keptPages = 12;

    explicit PageView(PageSource &pages, QWidget *parent = nullptr);

    // 1 draws the page at its size on screen (15 twips a pixel); a fit
    // follows the window's size until another zoom is set.
    void setZoom(double zoom);
    void setFit(Fit fit);
    double zoom() const { return m_zoom; }
    Fit fit() const { return m_fit; }

    // Scrolls page n's top into view; the page shown first from then on.
    void showPage(int n);
    // The page at the top of the view (the last one once the view has
    // reached the end).
    int currentPage() const { return m_current; }
    int keptPageCount() const { return int(m_kept.size()); }

signals:
    void currentPageChanged(int n);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void paintEvent(QPaintEvent *event) override;

private:
    struct Kept {
        int n;
        Page page;
        QString error;
    };
    const Kept &pageAt(int n);
    int pageWidth() const;
    int pageHeight() const;
    qint64 pitch() const { return pageHeight() + gap; }
    qint64 offset() const; // pixels from the content's top to the view's top
    void applyFit();
    void updateRanges();
    void updateCurrent();

    static constexpr int gap = 12; // pixels around and between pages

    PageSource &m_pages;
    double m_zoom = 1.0;
    Fit m_fit = Fit::None;
    // Scroll bar units are this many pixels, so that any number of pages
    // stays within the scroll bar's range.
    qint64 m_unit = 1;
    int m_current = 0;
    std::list<Kept> m_kept; // most recently drawn first
};

} // namespace kelm::report
