// What a screen reader is told when Tab reaches a multi-line box, on the
// real event path with Qt's accessibility on (a desktop's accessibility
// bus of the test's own): the focus event names the box by its label as
// an editable text, and the box is the one object of its window that says
// it has the focus. Nothing inside it (the pane its text is drawn on)
// claims the focus as a nameless object of its own.
#include "e2e/support/accessibilitybus.h"
#include "e2e/support/program.h"
#include "e2e/support/realinput.h"
#include "e2e/support/screen.h"
#include "e2e/support/userscript.h"
#include "platform/database.h"

#include <QAccessible>
#include <QApplication>
#include <QPointer>
#include <QtTest>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::test;

namespace {

// What the last focus event told.
struct Told {
    QPointer<QObject> object;
    QString name;
    QAccessible::Role role = QAccessible::NoRole;
};
Told g_focus;

void listen(QAccessibleEvent *event)
{
    if (event->type() != QAccessible::Focus)
        return;
    QAccessibleInterface *iface = event->accessibleInterface();
    g_focus = {event->object(), iface ? iface->text(QAccessible::Name) : QString(),
               iface ? iface->role() : QAccessible::NoRole};
}

// An object as a screen reader reads it, with the widget behind it.
QString reading(const QString &name, QAccessible::Role role, const QObject *object)
{
    return u"\"%1\" (role %2, %3)"_s.arg(name).arg(int(role)).arg(object ? object->objectName() : QString());
}

// Every object under iface that says it has the focus.
void focusedUnder(QAccessibleInterface *iface, QStringList &found)
{
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface *child = iface->child(i);
        if (!child)
            continue;
        if (child->state().focused)
            found << reading(child->text(QAccessible::Name), child->role(), child->object());
        focusedUnder(child, found);
    }
}

QWidget *focused() { return QApplication::focusWidget(); }

// The control Tab leaves for the box.
QWidget *before(QWidget *box)
{
    QWidget *w = box->previousInFocusChain();
    while (w != box && !(w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)))
        w = w->previousInFocusChain();
    return w;
}

using Open = std::function<void(UserScript &, const Program &)>;

Open fromMenu(const QString &bar, const QString &item, const QString &window)
{
    return [=](UserScript &s, const Program &p) {
        p.chooseMenu(s, bar, item);
        s.await(window + u" is active"_s, [window] { return isActive(window); });
    };
}

} // namespace

Q_DECLARE_METATYPE(Open)

class TestScreenReaderFocus : public QObject {
    Q_OBJECT
public:
    explicit TestScreenReaderFocus(const AccessibilityBus &bus) : m_bus(bus) { }

private slots:
    void initTestCase();
    void tabToAMultiLineBox_data();
    void tabToAMultiLineBox();

private:
    const AccessibilityBus &m_bus;
};

void TestScreenReaderFocus::initTestCase()
{
    QVERIFY2(m_bus.failure().isEmpty(), qPrintable(m_bus.failure()));
    QTRY_VERIFY_WITH_TIMEOUT(QAccessible::isActive(), 20000);
    // What Qt would send a screen reader over the bus comes here instead.
    QAccessible::installUpdateHandler(listen);
}

void TestScreenReaderFocus::tabToAMultiLineBox_data()
{
    QTest::addColumn<Open>("open");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("windows"); // to close with Esc afterwards
    const Open cases = fromMenu(u"xzxf"_s, {}, u"xzcf_face"_s);
    QTest::newRow("case register, 案情简介") << cases << u"xzcf_face"_s << u"案情简介"_s << 1;
    QTest::newRow("case register, 处罚内容") << cases << u"xzcf_face"_s << u"处罚内容"_s << 1;
    const Open permits = fromMenu(u"wsxkz"_s, u"xkzff"_s, u"xkz"_s);
    QTest::newRow("permit register, 年审情况") << permits << u"xkz"_s << u"年审情况"_s << 1;
    QTest::newRow("permit register, 备注") << permits << u"xkz"_s << u"备注"_s << 1;
    const Open reviews = fromMenu(u"wsxkz"_s, u"xkzns"_s, u"ns"_s);
    QTest::newRow("annual review, 处理情况") << reviews << u"ns"_s << u"处理情况"_s << 1;
    QTest::newRow("annual review, 备注") << reviews << u"ns"_s << u"备注"_s << 1;
    QTest::newRow("questioning record, its record") << Open([cases](UserScript &s, const Program &p) {
        cases(s, p);
        s.act(u"click 询问笔录"_s, [] {
             QWidget *box = childOf(u"xzcf_face"_s, u"Check1_12"_s);
             real::click(box, QPoint(6, box->height() / 2));
         }).await(u"the record is active"_s, [] { return isActive(u"frm_xwbl"_s); });
    }) << u"frm_xwbl"_s << u"询问内容"_s << 2;
}

void TestScreenReaderFocus::tabToAMultiLineBox()
{
    QFETCH(Open, open);
    QFETCH(QString, window);
    QFETCH(QString, name);
    QFETCH(int, windows);
    Program p;
    p.db().exec(u"INSERT INTO xzcf (dabh, slsj, dwlb1, dwlb2, dwmc, msje, fkje, shsp, xhsp) "
                "VALUES ('20020001', '2002-03-05', '食品卫生', '饮食', '单位', '0', '0', '0', '0')"_s);
    p.db().exec(u"INSERT INTO wsxkz (xkzh, dwmc, xh, lb) VALUES ('200200001', '单位', 'NO.Y.05-1', '食证')"_s);
    UserScript s;
    open(s, p);
    auto box = [window, name] { return childNamed(window, name); };
    QString expected;
    QString told;       // what the focus event gave
    QStringList claimed; // what says it has the focus
    s.act(u"focus the control before the box"_s, [box] { before(box())->setFocus(Qt::OtherFocusReason); })
        .await(u"it has the focus"_s, [box] { return before(box())->hasFocus(); })
        .act(u"Tab"_s, [] {
            g_focus = {};
            real::key(Qt::Key_Tab);
        })
        .await(u"the box has the focus, told"_s, [box] { return focused() == box() && g_focus.object == box(); })
        .act(u"read the window"_s, [window, name, box, &expected, &told, &claimed] {
            expected = reading(name, QAccessible::EditableText, box());
            told = reading(g_focus.name, g_focus.role, g_focus.object);
            focusedUnder(QAccessible::queryAccessibleInterface(shownWindow(window)), claimed);
        });
    for (int i = 0; i < windows; ++i) {
        auto closing = std::make_shared<QPointer<QWidget>>();
        s.act(u"Esc"_s,
              [closing] {
                  *closing = QApplication::activeWindow();
                  real::key(Qt::Key_Escape);
              })
            .await(u"it closed"_s, [closing] { return !*closing || !(*closing)->isVisible(); });
    }
    s.await(u"the main window is active"_s, [] { return isActive(u"main"_s); });
    QVERIFY2(s.run(), qPrintable(s.failure()));

    QCOMPARE(told, expected);
    QCOMPARE(claimed.join(u"; "_s), expected);
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    AccessibilityBus bus;
    TestScreenReaderFocus test(bus);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_screenreaderfocus.moc"
