#include "e2e/support/realinput.h"

#include <QAbstractEventDispatcher>
#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QDeadlineTimer>
#include <QInputMethodEvent>
#include <QWidget>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <xcb/xproto.h>

#include <stdexcept>

namespace kelm::test::real {

namespace {

// A connection of the test's own, as xdotool would have: the program's
// connection is Qt's.
Display *display()
{
    static Display *d = [] {
        Display *opened = XOpenDisplay(nullptr);
        int event = 0, error = 0, major = 0, minor = 0;
        if (!opened || !XTestQueryExtension(opened, &event, &error, &major, &minor))
            throw std::runtime_error("no X display with the XTEST extension");
        return opened;
    }();
    return d;
}

KeySym keySym(Qt::Key key)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return XK_a + (key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return XK_0 + (key - Qt::Key_0);
    switch (key) {
    case Qt::Key_Backspace: return XK_BackSpace;
    case Qt::Key_Delete: return XK_Delete;
    case Qt::Key_Left: return XK_Left;
    case Qt::Key_Right: return XK_Right;
    case Qt::Key_Up: return XK_Up;
    case Qt::Key_Down: return XK_Down;
    case Qt::Key_Home: return XK_Home;
    case Qt::Key_End: return XK_End;
    case Qt::Key_Return: return XK_Return;
    case Qt::Key_Enter: return XK_KP_Enter;
    case Qt::Key_Escape: return XK_Escape;
    case Qt::Key_Tab: return XK_Tab;
    case Qt::Key_Space: return XK_space;
    case Qt::Key_Minus: return XK_minus;
    case Qt::Key_Period: return XK_period;
    default: throw std::invalid_argument("no key symbol for this key");
    }
}

void sendKey(KeySym sym, bool down)
{
    XTestFakeKeyEvent(display(), XKeysymToKeycode(display(), sym), down ? True : False, CurrentTime);
}

void sendButton(Qt::MouseButton button, bool down)
{
    const unsigned number = button == Qt::RightButton ? 3 : button == Qt::MiddleButton ? 2 : 1;
    XTestFakeButtonEvent(display(), number, down ? True : False, CurrentTime);
}

void pointTo(QWidget *w, QPoint at)
{
    const QPoint global = w->mapToGlobal(at.isNull() ? w->rect().center() : at);
    XTestFakeMotionEvent(display(), -1, global.x(), global.y(), CurrentTime);
}

// Handed to the server, which has then queued what it causes for the
// program.
void deliver() { XSync(display(), False); }

// Takes a mark of this type, sent to one of the program's windows, out of
// what the program receives, and notes that it has come.
class Mark : public QAbstractNativeEventFilter {
public:
    explicit Mark(Atom type) : m_type(type) { }
    bool nativeEventFilter(const QByteArray &kind, void *message, qintptr *) override
    {
        if (kind != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_client_message_event_t *>(message);
        if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE || event->type != m_type)
            return false;
        came = true;
        return true;
    }
    bool came = false;

private:
    Atom m_type;
};

} // namespace

void click(QWidget *w, QPoint at, Qt::MouseButton button)
{
    pointTo(w, at);
    sendButton(button, true);
    sendButton(button, false);
    deliver();
}

void clickQueued(QWidget *w)
{
    click(w);
    // The server sends the program its events in order: a mark sent after
    // the click comes after it, and input is left waiting while the mark is
    // looked for.
    Display *d = display();
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = Window(w->window()->winId());
    e.xclient.message_type = XInternAtom(d, "KELM_TEST_MARK", False);
    e.xclient.format = 32;
    Mark mark(e.xclient.message_type);
    QCoreApplication::instance()->installNativeEventFilter(&mark);
    XSendEvent(d, e.xclient.window, False, NoEventMask, &e);
    deliver();
    const QDeadlineTimer limit(10000);
    while (!mark.came && !limit.hasExpired())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QCoreApplication::instance()->removeNativeEventFilter(&mark);
    // Input left waiting is taken only once the program is told that events
    // have come, as it is when any arrive.
    QCoreApplication::eventDispatcher()->wakeUp();
}

void doubleClick(QWidget *w, QPoint at)
{
    pointTo(w, at);
    for (int i = 0; i < 2; ++i) {
        sendButton(Qt::LeftButton, true);
        sendButton(Qt::LeftButton, false);
    }
    deliver();
}

void key(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    const std::pair<Qt::KeyboardModifier, KeySym> held[] = {
        {Qt::ControlModifier, XK_Control_L}, {Qt::ShiftModifier, XK_Shift_L}, {Qt::AltModifier, XK_Alt_L}};
    for (const auto &[modifier, sym] : held)
        if (modifiers & modifier)
            sendKey(sym, true);
    sendKey(keySym(key), true);
    sendKey(keySym(key), false);
    for (const auto &[modifier, sym] : held)
        if (modifiers & modifier)
            sendKey(sym, false);
    deliver();
}

void type(const QString &text)
{
    for (const QChar typed : text) {
        const bool capital = typed >= u'A' && typed <= u'Z';
        const QChar c = capital ? typed.toLower() : typed;
        const KeySym sym = c.isDigit()                ? KeySym(XK_0 + (c.unicode() - u'0'))
                           : c >= u'a' && c <= u'z' ? KeySym(XK_a + (c.unicode() - u'a'))
                           : c == u'-'              ? KeySym(XK_minus)
                           : c == u'.'              ? KeySym(XK_period)
                           : c == u' '              ? KeySym(XK_space)
                                                    : throw std::invalid_argument("no key for this character");
        if (capital)
            sendKey(XK_Shift_L, true);
        sendKey(sym, true);
        sendKey(sym, false);
        if (capital)
            sendKey(XK_Shift_L, false);
    }
    deliver();
}

void closeBox(QWidget *window)
{
    Display *d = display();
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = Window(window->winId());
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = long(XInternAtom(d, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, Window(window->winId()), False, NoEventMask, &e);
    deliver();
}

void commit(const QString &text)
{
    QInputMethodEvent e;
    e.setCommitString(text);
    if (QObject *target = QGuiApplication::focusObject())
        QCoreApplication::sendEvent(target, &e);
}

} // namespace kelm::test::real
