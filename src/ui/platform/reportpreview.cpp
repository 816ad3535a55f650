#include "platform/reportpreview.h"

#include "platform/accessiblenames.h"
#include "platform/busypointer.h"
#include "platform/modelpages.h"
#include "platform/pagenumberbox.h"
#include "platform/pageview.h"
#include "platform/printsink.h"
#include "platform/units.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

using namespace Qt::StringLiterals;

namespace kelm::report {

namespace {

QString percent(double zoom) { return u"%1%"_s.arg(std::lround(zoom * 100)); }

const QString wholePage = u"整页"_s;
const QString pageWidth = u"页宽"_s;
const QStringList zoomChoices = {wholePage, pageWidth, u"50%"_s, u"75%"_s, u"100%"_s, u"150%"_s, u"200%"_s};

QPushButton *button(const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setAutoDefault(false);
    return b;
}

// A label that names the box after it, for the eye and for screen readers.
QLabel *labelFor(const QString &text, QWidget *box, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    nameAfter(box, l);
    return l;
}

} // namespace

ReportPreview::ReportPreview(PageModel model, QWidget *parent)
    : ReportPreview(std::make_unique<ModelPages>(std::move(model)), parent)
{
}

ReportPreview::ReportPreview(std::unique_ptr<PageSource> pages, QWidget *parent)
    : FormWindow(parent), m_pages(std::move(pages))
{
    setWindowTitle(m_pages->caption() + u"打印预演"_s);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    const int count = m_pages->pageCount();

    m_print = button(u"打印"_s, this);
    m_first = button(u"首页"_s, this);
    m_previous = button(u"上一页"_s, this);
    m_next = button(u"下一页"_s, this);
    m_last = button(u"末页"_s, this);
    m_pageBox = new PageNumberBox(this);
    m_pageBox->setRange(1, std::max(count, 1));
    m_pageBox->setKeyboardTracking(false);
    m_pageBox->setMinimumWidth(90);
    m_zoomBox = new QComboBox(this);
    m_zoomBox->setEditable(true);
    m_zoomBox->setInsertPolicy(QComboBox::NoInsert);
    m_zoomBox->addItems(zoomChoices);
    m_zoomBox->setCurrentIndex(int(zoomChoices.indexOf(percent(1))));

    auto *bar = new QHBoxLayout;
    bar->addWidget(m_print);
    bar->addSpacing(16);
    bar->addWidget(m_first);
    bar->addWidget(m_previous);
    bar->addWidget(labelFor(u"页码："_s, m_pageBox, this));
    bar->addWidget(m_pageBox);
    bar->addWidget(new QLabel(u"共 %1 页"_s.arg(count), this));
    bar->addWidget(m_next);
    bar->addWidget(m_last);
    bar->addSpacing(16);
    bar->addWidget(labelFor(u"显示比例："_s, m_zoomBox, this));
    bar->addWidget(m_zoomBox);
    bar->addStretch();

    m_view = new PageView(*m_pages, this);
    m_view->setAccessibleName(u"预演页面"_s);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(bar);
    layout->addWidget(m_view, 1);

    // Screen order: the page box stands between 上一页 and 下一页.
    setTabOrder(m_print, m_first);
    setTabOrder(m_first, m_previous);
    setTabOrder(m_previous, m_pageBox);
    setTabOrder(m_pageBox, m_next);
    setTabOrder(m_next, m_last);
    setTabOrder(m_last, m_zoomBox);
    setTabOrder(m_zoomBox, m_view);

    connect(m_print, &QPushButton::clicked, this, [this] { printPages(this, *m_pages); });
    setPrintControl(m_print, u"打印全部页。"_s);
    connect(m_first, &QPushButton::clicked, this, [this] { m_view->showPage(0); });
    connect(m_previous, &QPushButton::clicked, this, [this] { m_view->showPage(m_view->currentPage() - 1); });
    connect(m_next, &QPushButton::clicked, this, [this] { m_view->showPage(m_view->currentPage() + 1); });
    connect(m_last, &QPushButton::clicked, this, [this] { m_view->showPage(m_pages->pageCount() - 1); });
    connect(m_pageBox, &QSpinBox::valueChanged, this, [this](int n) {
        if (n - 1 != m_view->currentPage())
            m_view->showPage(n - 1);
    });
    connect(m_view, &PageView::currentPageChanged, this, &ReportPreview::showCurrent);
    connect(m_zoomBox, &QComboBox::textActivated, this, &ReportPreview::chooseZoom);
    connect(m_zoomBox->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { chooseZoom(m_zoomBox->currentText()); });
    showCurrent(0);

    const QSize content(px(paperWidth(m_pages->paper())) + 60, px(paperHeight(m_pages->paper())) + 90);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        resize(content.boundedTo(screen->availableGeometry().size() * 0.9));
    else
        resize(content);
}

ReportPreview::~ReportPreview() = default;

void ReportPreview::showCurrent(int n)
{
    const int last = m_pages->pageCount() - 1;
    {
        const QSignalBlocker block(m_pageBox);
        m_pageBox->setValue(n + 1);
    }
    m_first->setEnabled(n > 0);
    m_previous->setEnabled(n > 0);
    m_next->setEnabled(n < last);
    m_last->setEnabled(n < last);
}

void ReportPreview::chooseZoom(const QString &text)
{
    if (text == wholePage) {
        m_view->setFit(PageView::Fit::WholePage);
    } else if (text == pageWidth) {
        m_view->setFit(PageView::Fit::PageWidth);
    } else {
        bool ok = false;
        const double value = QString(text).remove(u'%').trimmed().toDouble(&ok);
        if (ok && value > 0)
            m_view->setZoom(value / 100);
        // A listed percentage becomes the current item, so that the arrow
        // keys go on from it.
        const QString shown = percent(m_view->zoom());
        const int listed = m_zoomBox->findText(shown);
        if (listed >= 0)
            m_zoomBox->setCurrentIndex(listed);
        else
            m_zoomBox->setEditText(shown);
    }
}

void ReportPreview::activated() { showDefaultPointer(); }

} // namespace kelm::report
