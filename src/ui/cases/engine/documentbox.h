// A box of a document window (Text1(i)) as the engine sees it, single-line
// or memo. Each box reports its keys, mouse buttons and the user's edits to
// the window that owns it. An edit is any change of its text that the
// program did not make itself: typing, an input-method commit, a paste by
// key, menu or mouse, a drop. It is reported when the widget has finished
// handling the event that made it.
#pragma once

#include <QEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QString>

class QWidget;

namespace kelm {

class BoxHost {
public:
    virtual ~BoxHost() = default;
    virtual void boxKeyPressed(int box, int key) = 0; // before the box handles the key
    virtual void boxKeyReleased(int box) = 0;
    virtual void boxMousePressed(int box, Qt::MouseButton button) = 0;
    virtual void boxMouseReleased(int box) = 0;
    virtual void boxEdited(int box) = 0;
    virtual void boxLeft(int box) = 0;       // the focus went elsewhere
    virtual void boxMenuClosed(int box) = 0; // its context menu took the button release
};

class DocumentBox {
public:
    DocumentBox(int index, BoxHost *host) : m_index(index), m_host(host) { }
    virtual ~DocumentBox() = default;

    int index() const { return m_index; }
    virtual QWidget *widget() = 0;
    virtual QString text() const = 0;
    // Sets the text; not an edit.
    virtual void setText(const QString &text) = 0;
    // The start of the selection, or the caret.
    virtual int caret() const = 0;
    virtual bool hasSelection() const = 0;
    // A position beyond the end puts the caret at the end.
    virtual void setCaret(int position) = 0;
    // Where the caret stood before the user's last edit.
    int caretBeforeEdit() const { return m_caretBeforeEdit; }

protected:
    int m_index;
    BoxHost *m_host;
    QString m_known; // the text as last set or reported
    int m_caretBeforeEdit = 0;
    int m_depth = 0;
};

// The event handling both kinds of box share, over their widget class.
template <class Widget>
class TextBox : public Widget, public DocumentBox {
public:
    TextBox(int index, BoxHost *host, QWidget *parent) : Widget(parent), DocumentBox(index, host) { }

    QWidget *widget() override { return this; }

protected:
    // Widgets send themselves events while they handle one: only the
    // outermost sees the text before the edit.
    template <class Handle>
    bool tracked(QEvent *e, Handle handle)
    {
        const int before = caret();
        ++m_depth;
        const bool handled = handle(e);
        --m_depth;
        if (m_depth == 0 && text() != m_known) {
            m_known = text();
            m_caretBeforeEdit = before;
            m_host->boxEdited(m_index);
        }
        if (m_depth == 0 && e->type() == QEvent::ContextMenu)
            m_host->boxMenuClosed(m_index);
        return handled;
    }

    bool event(QEvent *e) override
    {
        return tracked(e, [this](QEvent *ev) { return Widget::event(ev); });
    }
    // A locked box takes no typing: Qt's boxes would take an input
    // method's commit even when read-only.
    void inputMethodEvent(QInputMethodEvent *e) override
    {
        if (Widget::isReadOnly()) {
            e->ignore();
            return;
        }
        Widget::inputMethodEvent(e);
    }
    void keyPressEvent(QKeyEvent *e) override
    {
        m_host->boxKeyPressed(m_index, e->key());
        Widget::keyPressEvent(e);
    }
    void keyReleaseEvent(QKeyEvent *e) override
    {
        m_host->boxKeyReleased(m_index);
        Widget::keyReleaseEvent(e);
    }
    void mousePressEvent(QMouseEvent *e) override
    {
        m_host->boxMousePressed(m_index, e->button());
        Widget::mousePressEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent *e) override
    {
        Widget::mouseReleaseEvent(e);
        m_host->boxMouseReleased(m_index);
    }
    void focusOutEvent(QFocusEvent *e) override
    {
        Widget::focusOutEvent(e);
        m_host->boxLeft(m_index);
    }
};

} // namespace kelm
