#include "cases/engine/documentwindow.h"

#include "cases/engine/boxnames.h"
#include "cases/engine/documentprinting.h"
#include "cases/engine/linebox.h"
#include "cases/engine/memobox.h"
#include "cases/engine/registerlink.h"
#include "cases/engine/windowlayout.h"
#include "data/appvalues.h"
#include "data/connection.h"
#include "platform/accessiblenames.h"
#include "platform/busypointer.h"
#include "platform/gridlabel.h"
#include "platform/messages.h"

#include <QApplication>
#include <QCheckBox>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

constexpr int deleteBoxWidth = 1455;
constexpr int deleteBoxHeight = 255;
constexpr unsigned deleteBoxText = 0x00C00000;
constexpr unsigned deleteBoxBack = 0x00C0E0FF;

void setColours(QWidget *w, QColor text, QColor back)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Text, text);
    pal.setColor(QPalette::WindowText, text);
    pal.setColor(QPalette::Base, back);
    pal.setColor(QPalette::Window, back);
    w->setPalette(pal);
}

} // namespace

DocumentWindow::DocumentWindow(DocumentDescription description, QWidget *parent)
    : FormWindow(parent), m_desc(std::move(description)), m_row(m_desc), m_stored(m_desc.boxes.size())
{
    build();
}

void DocumentWindow::build()
{
    setWindowTitle(m_desc.document.windowCaption);
    setObjectName(m_desc.document.windowName());
    setFixedSize(px(m_desc.window.width), px(m_desc.window.height));
    const QColor ground = m_desc.window.background == WindowBackground::White
                              ? QColor(Qt::white)
                              : QApplication::palette().color(QPalette::Base);
    setColours(this, Qt::black, ground);
    setAutoFillBackground(true);

    const WindowLayout layout = placeWindow(m_desc);
    m_lines = layout.lines;
    for (const PlacedText &t : layout.texts) {
        auto *label = new GridLabel(t.text, songti(t.points, t.bold), this);
        label->setLineWidth(t.width);
        label->move(px(t.left), px(t.top));
        label->resize(label->sizeHint());
    }
    const std::vector<QString> names = boxNames(m_desc);
    for (int i = 0; i <= m_desc.lastIndex(); ++i) {
        const BoxSpec &spec = m_desc.boxes[std::size_t(i)];
        DocumentBox *b = spec.memo ? static_cast<DocumentBox *>(new MemoBox(i, spec, this, this))
                                   : static_cast<DocumentBox *>(new LineBox(i, spec, this, this));
        QWidget *w = b->widget();
        w->setObjectName(u"Text1(%1)"_s.arg(i));
        w->setAccessibleName(names[std::size_t(i)]);
        w->setFont(songti(9, spec.bold));
        setColours(w, vbColor(spec.colour), spec.memo ? QColor(Qt::white) : ground);
        if (spec.memo) {
            // A memo's single border is black, whatever colour its text.
            QPalette pal = w->palette();
            pal.setColor(QPalette::WindowText, Qt::black);
            w->setPalette(pal);
        }
        const QRect r = layout.boxes[std::size_t(i)];
        // A single line keeps its top and is never lower than its font.
        const int height = spec.memo ? px(r.height()) : std::max(px(r.height()), w->fontMetrics().height());
        w->setGeometry(px(r.x()), px(r.y()), px(r.width()), height);
        if (!spec.visible) {
            w->hide();
            w->setFocusPolicy(Qt::NoFocus);
        }
        m_boxes.push_back(b);
    }

    m_picture = new PrintPicture(this);
    connect(m_picture, &PrintPicture::clicked, this, &DocumentWindow::print);
    setPrintControl(m_picture, u"按空格键或回车键打印本文书。"_s);

    m_deleteBox = new QCheckBox(u"销  档"_s, this);
    m_deleteBox->setObjectName(u"Check1"_s);
    m_deleteBox->setAccessibleName(spokenLabel(m_deleteBox->text()));
    m_deleteBox->setFont(songti(9));
    m_deleteBox->setToolTip(u"如选择该项，关闭窗口后本资料将被删除！"_s);
    setColours(m_deleteBox, vbColor(deleteBoxText), vbColor(deleteBoxBack));
    m_deleteBox->setAutoFillBackground(true);
    m_deleteBox->setGeometry(pxRect(m_desc.window.deleteBoxLeft, 0, deleteBoxWidth, deleteBoxHeight));

    setTabOrder();
}

// The document's own order, then the print picture: so Tab from the last
// control and Shift+Tab from the first reach it.
void DocumentWindow::setTabOrder()
{
    QWidget *before = nullptr;
    for (int entry : m_desc.tabOrder()) {
        QWidget *w = entry == deleteBoxTab ? m_deleteBox : box(entry);
        if (before)
            QWidget::setTabOrder(before, w);
        before = w;
    }
    QWidget::setTabOrder(before, m_picture);
}

QWidget *DocumentWindow::box(int index) const { return m_boxes.at(std::size_t(index))->widget(); }

void DocumentWindow::activated()
{
    move(0, 0);
    if (m_desc.pointerReset)
        showDefaultPointer();
    flushPending();
    try {
        showRow(m_row.open(app().caseNo));
    } catch (const DbError &e) {
        showError(this, e.message());
        close();
        return;
    }
    if (!m_opened) {
        m_opened = true;
        const int first = m_desc.tabOrder().front();
        (first == deleteBoxTab ? static_cast<QWidget *>(m_deleteBox) : box(first))->setFocus(Qt::OtherFocusReason);
    }
}

void DocumentWindow::showRow(const std::vector<QString> &values)
{
    for (std::size_t i = 0; i < m_boxes.size(); ++i) {
        m_stored[i] = values[i];
        m_boxes[i]->setText(values[i]);
        m_boxes[i]->setCaret(0);
    }
}

bool DocumentWindow::queryClose()
{
    flushPending();
    if (!m_deleteBox->isChecked())
        return true;
    if (ask(this, u"确认销除该案件资料吗？"_s, u"提示"_s, Buttons::YesNo, Answer::Yes, Icon::None) != Answer::Yes)
        return true;
    try {
        m_row.remove();
    } catch (const DbError &e) {
        showError(this, e.message());
        return true;
    }
    if (CaseRegisterLink *reg = caseRegister())
        reg->untickDocument(m_desc.document.index);
    return true;
}

void DocumentWindow::print()
{
    flushPending();
    app().caseNo = m_row.caseNo();
    printDocument(m_desc, this);
}

void DocumentWindow::paintEvent(QPaintEvent *event)
{
    FormWindow::paintEvent(event);
    QPainter p(this);
    p.setPen(QPen(Qt::black, 1));
    for (const Segment &s : m_lines)
        p.drawLine(px(s.x1), px(s.y1), px(s.x2), px(s.y2));
}

void DocumentWindow::keyReleaseEvent(QKeyEvent *event)
{
    // A release that no box took (the focus was elsewhere by then).
    m_keyDown = false;
    FormWindow::keyReleaseEvent(event);
}

void DocumentWindow::moveFocus(int index) { box(index)->setFocus(Qt::OtherFocusReason); }

void DocumentWindow::boxKeyPressed(int index, int key)
{
    // A press without a release (a held key repeating, or a second key):
    // the release handling first, so a held key flows as it repeats.
    if (m_keyDown)
        boxKeyReleased(index);
    m_keyDown = true;
    DocumentBox *b = m_boxes[std::size_t(index)];
    // A key acts on a selection first, as in any text box: Backspace removes
    // it where it stands, Left and Right collapse it. Only without one do
    // these keys cross into the neighbouring line.
    const bool free = !b->hasSelection();
    switch (key) {
    case Qt::Key_Backspace:
    case Qt::Key_Left:
        if (free && m_desc.continues(index) && b->caret() == 0) {
            moveFocus(index - 1);
            m_boxes[std::size_t(index - 1)]->setCaret(int(m_boxes[std::size_t(index - 1)]->text().size()));
            m_moved = true;
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down:
        if (index < m_desc.enterDownLimit())
            moveFocus(index + 1);
        break;
    case Qt::Key_Up:
        if (index > m_desc.upBound)
            moveFocus(index - 1);
        break;
    case Qt::Key_Right:
        if (free && m_desc.carries(index) && b->caret() == b->text().size()) {
            moveFocus(index + 1);
            m_moved = true;
        }
        break;
    default:
        break;
    }
}

void DocumentWindow::boxKeyReleased(int index)
{
    m_keyDown = false;
    const bool moved = std::exchange(m_moved, false);
    if (m_pending >= 0 && m_pending != index)
        flow(m_pending, false); // changed by a key after the focus had left it
    else if (!moved && m_pending == index)
        flow(index, true);
}

void DocumentWindow::boxMousePressed(int, Qt::MouseButton button)
{
    if (button == Qt::RightButton)
        m_rightButton = true;
}

void DocumentWindow::boxMouseReleased(int index)
{
    if (std::exchange(m_rightButton, false))
        flow(index, true);
}

void DocumentWindow::boxMenuClosed(int index) { boxMouseReleased(index); }

void DocumentWindow::boxEdited(int index)
{
    if (!m_desc.carries(index)) {
        save(index);
        return;
    }
    if (m_pending != index) {
        flushPending();
        m_pending = index;
        m_pendingCaret = m_boxes[std::size_t(index)]->caretBeforeEdit();
    }
    // No key release follows an input-method commit, a paste from the
    // menu or a drop.
    if (!m_keyDown)
        flow(index, true);
}

void DocumentWindow::boxLeft(int index)
{
    if (m_pending == index)
        flow(index, false);
}

void DocumentWindow::flushPending()
{
    if (m_pending >= 0)
        flow(m_pending, false);
}

void DocumentWindow::save(int index)
{
    const BoxSpec &spec = m_desc.boxes[std::size_t(index)];
    if (spec.save == BoxSave::Never)
        return;
    DocumentBox *b = m_boxes[std::size_t(index)];
    const QString typed = b->text();
    FieldOutcome o;
    try {
        o = saveField(m_row, index, m_stored[std::size_t(index)], typed, spec.save == BoxSave::ReadBack);
    } catch (const DbError &e) {
        showError(this, e.message());
        showStored(index, index);
        return;
    }
    m_stored[std::size_t(index)] = o.stored;
    if (o.refused) {
        b->setText(o.stored);
        b->setCaret(b->caretBeforeEdit());
    } else if (spec.save == BoxSave::ReadBack && o.stored != typed) {
        const int caret = b->caret();
        b->setText(o.stored);
        b->setCaret(caret);
    }
    if (o.refused || o.cut)
        QApplication::beep();
}

// afterKey: the flow follows the user's edit of this line where the caret
// is, so the caret may follow carried text into the next line.
void DocumentWindow::flow(int index, bool afterKey)
{
    if (!m_desc.carries(index))
        return;
    const bool edited = m_pending == index;
    if (edited)
        m_pending = -1;
    const int last = m_desc.groupOf(index)->last;
    FlowRequest request;
    request.first = index;
    for (int j = index; j <= last; ++j) {
        request.texts.push_back(m_boxes[std::size_t(j)]->text());
        request.stored.push_back(m_stored[std::size_t(j)]);
    }
    request.caret = m_boxes[std::size_t(index)]->caret();
    request.caretBeforeEdit = edited ? m_pendingCaret : request.caret;
    request.caretStep = afterKey && edited;
    FlowOutcome o;
    try {
        Transaction tx(db());
        o = flowLineGroup(request, m_row);
        tx.commit();
    } catch (const DbError &e) {
        showError(this, e.message());
        showStored(index, last);
        return;
    }
    for (int j = index; j <= last; ++j) {
        const QString &line = o.lines[std::size_t(j - index)];
        m_stored[std::size_t(j)] = line;
        if (m_boxes[std::size_t(j)]->text() != line)
            m_boxes[std::size_t(j)]->setText(line);
    }
    if (o.caretBox != index)
        moveFocus(o.caretBox);
    m_boxes[std::size_t(o.caretBox)]->setCaret(o.caret);
    if (o.refused || !o.dropped.isEmpty())
        QApplication::beep();
}

void DocumentWindow::showStored(int first, int last)
{
    try {
        const std::vector<QString> values = m_row.read();
        for (int j = first; j <= last; ++j)
            m_stored[std::size_t(j)] = values[std::size_t(j)];
    } catch (const DbError &) {
        // The row cannot be read either: it still holds what was last stored.
    }
    for (int j = first; j <= last; ++j)
        m_boxes[std::size_t(j)]->setText(m_stored[std::size_t(j)]);
}

} // namespace kelm
