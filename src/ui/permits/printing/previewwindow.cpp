#include "permits/printing/previewwindow.h"

#include "permits/printing/permitprinting.h"
#include "permits/printing/previewitems.h"
#include "platform/busypointer.h"
#include "platform/formcontrols.h"
#include "platform/messages.h"
#include "platform/pagepainter.h"
#include "platform/programfiles.h"

#include <QFrame>
#include <QGuiApplication>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

// Twips on the surface are screen pixels at 15 twips each.
constexpr double surfaceDpi = 1440.0 / twipsPerPixel;

struct Design {
    QString name;
    QString caption;
    int clientWidth;
    int clientHeight;
    int surfaceWidth;
    int printLeft;
    int cancelLeft;
    QString shows; // what the surface is read as
};

const Design certificateDesign{u"frm_dyyy"_s, u"卫生许可证打印预演"_s, 7350, 5925, 7335, 1200, 4320, u"卫生许可证"_s};
const Design copyDesign{u"frm_dyfb"_s, u"卫生许可证副本打印预演"_s, 7605, 5955, 7575, 1440, 4560, u"卫生许可证副本"_s};

} // namespace

PreviewSurface::PreviewSurface(QWidget *parent) : QWidget(parent)
{
    setObjectName(u"Picture1"_s);
    setFocusPolicy(Qt::StrongFocus);
}

void PreviewSurface::draw(const QString &pictureFile, const report::Page &texts)
{
    m_image = QImage(size(), QImage::Format_RGB32);
    m_image.fill(Qt::white);
    QPainter painter(&m_image);
    const QImage picture(pictureFile);
    m_hasPicture = !picture.isNull();
    if (m_hasPicture)
        painter.drawImage(QPoint(0, 0), picture);
    report::paintPage(painter, texts, surfaceDpi);
    painter.end();
    m_texts = texts;
    QStringList shown;
    for (const report::PageItem &i : texts.items)
        shown << i.text;
    setAccessibleDescription(shown.join(u'\n'));
    update();
}

void PreviewSurface::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_image.isNull())
        painter.fillRect(rect(), Qt::white);
    else
        painter.drawImage(QPoint(0, 0), m_image);
}

PermitPreviewWindow *PermitPreviewWindow::certificate(PermitOnScreen *permits)
{
    return new PermitPreviewWindow(permits, false);
}

PermitPreviewWindow *PermitPreviewWindow::copy(PermitOnScreen *permits)
{
    return new PermitPreviewWindow(permits, true);
}

PermitPreviewWindow::PermitPreviewWindow(PermitOnScreen *permits, bool copy)
    : FormWindow(permits->printOpener()), m_permits(permits), m_copy(copy), m_surface(new PreviewSurface(this))
{
    const Design &d = copy ? copyDesign : certificateDesign;
    setObjectName(d.name);
    setWindowTitle(d.caption);
    setFont(uiFont(9));
    setFixedSize(px(d.clientWidth), px(d.clientHeight));
    m_surface->setGeometry(pxRect(0, 0, d.surfaceWidth, 5175));
    m_surface->setAccessibleName(d.shows);
    auto *bar = placed(new QFrame(this), 0, 5280, d.surfaceWidth, 615);
    bar->setObjectName(u"Picture2"_s);
    bar->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_print = formButton(bar, u"Command1"_s, u"打印"_s, d.printLeft, 120, 1695);
    m_cancel = formButton(bar, u"Command2"_s, u"取消"_s, d.cancelLeft, 120, 1695);
    connect(m_print, &QPushButton::clicked, this, &PermitPreviewWindow::print);
    connect(m_cancel, &QPushButton::clicked, this, &PermitPreviewWindow::close);
    setPrintControl(m_print, u"打印%1。"_s.arg(d.shows));
    // 打印 before 取消, as they stand; the copy's surface comes last.
    if (copy) {
        setTabOrder(m_print, m_cancel);
        setTabOrder(m_cancel, m_surface);
        m_print->setFocus();
    } else {
        setTabOrder(m_surface, m_print);
        setTabOrder(m_print, m_cancel);
        m_surface->setFocus();
    }
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

// The texts are read afresh from the register; a certificate model that is
// none of the three leaves the surface white.
void PermitPreviewWindow::activated()
{
    showDefaultPointer();
    const PermitTexts permit = m_permits->shownPermit();
    const std::optional<PermitForm> form = m_copy ? PermitForm::Copy : certificateForm(permit.model);
    if (!form)
        return;
    m_surface->draw(programFile(previewPicture(*form)),
                    previewPage(*form, permit, linesOf(m_permits->printLines(), *form)));
}

void PermitPreviewWindow::unloaded()
{
    if (m_copy)
        clearCopyLines(m_permits->printLines());
    else
        clearCertificateLines(m_permits->printLines());
}

// A certificate whose model is none of the three cannot print; saying so
// again beats a click that silently does nothing.
void PermitPreviewWindow::print()
{
    const PermitTexts permit = m_permits->shownPermit();
    if (m_copy) {
        printSheet(this, PermitForm::Copy, permit);
    } else if (const std::optional<PermitForm> form = certificateForm(permit.model)) {
        printSheet(this, *form, permit);
    } else {
        inform(this, unknownModelMessage());
    }
}

} // namespace kelm
