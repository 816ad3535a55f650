// The print preview of a report: its pages one under the other, page
// movement (首页, 上一页, 下一页, 末页 and a page number to go to), the
// zoom (整页, 页宽 or a percentage) and 打印, which sends every page to the
// default printer, one after the other. Pages are laid out as they come
// into view, so a preview of a million-row list opens at once and holds
// only the pages in view. Caption: the report's caption followed by
// "打印预演".
#pragma once

#include "platform/formwindow.h"
#include "platform/pagemodel.h"
#include "platform/pagesource.h"

#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace kelm::report {

class PageView;

class ReportPreview : public FormWindow {
    Q_OBJECT
public:
    explicit ReportPreview(std::unique_ptr<PageSource> pages, QWidget *parent = nullptr);
    explicit ReportPreview(PageModel model, QWidget *parent = nullptr);
    ~ReportPreview() override;

    PageSource &pages() const { return *m_pages; }
    PageView *view() const { return m_view; }
    QPushButton *printButton() const { return m_print; }
    QPushButton *firstButton() const { return m_first; }
    QPushButton *previousButton() const { return m_previous; }
    QPushButton *nextButton() const { return m_next; }
    QPushButton *lastButton() const { return m_last; }
    QSpinBox *pageBox() const { return m_pageBox; }
    QComboBox *zoomBox() const { return m_zoomBox; }

    void activated() override;

private:
    void showCurrent(int n);
    void chooseZoom(const QString &text);

    std::unique_ptr<PageSource> m_pages;
    PageView *m_view = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_first = nullptr;
    QPushButton *m_previous = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_last = nullptr;
    QSpinBox *m_pageBox = nullptr;
    QComboBox *m_zoomBox = nullptr;
};

} // namespace kelm::report
