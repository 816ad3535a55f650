// Every window read as a screen reader reads it, through Qt's accessibility
// interface: each box, button, check box, picture and page has a name, no
// two in a window share one, and none is a frame's caption, a column code,
// a list box's value or spread with blanks; each window is read as one. The
// record navigator's caption and a query's count are there to be read.
// Needs widgets.
#include "cases/documents/descriptions.h"
#include "cases/engine/description.h"
#include "cases/engine/documentwindow.h"
#include "cases/engine/documentwindows.h"
#include "cases/register/casequery.h"
#include "cases/statistics/periodwindow.h"
#include "cases/statistics/statisticswindow.h"
#include "data/appvalues.h"
#include "data/connection.h"
#include "data/documentcatalogue.h"
#include "data/schema.h"
#include "exams/examquery.h"
#include "permits/permitqueries.h"
#include "permits/permitregisterwindow.h"
#include "permits/printing/layouteditorwindow.h"
#include "permits/printing/previewwindow.h"
#include "platform/accessiblenames.h"
#include "platform/modal.h"
#include "platform/pageview.h"
#include "platform/reportpreview.h"
#include "registers/querywindow.h"
#include "shell/aboutbox.h"
#include "shell/helpwindow.h"
#include "shell/loginwindow.h"
#include "shell/mainwindow.h"
#include "shell/passwordwindow.h"
#include "shell/windowfactory.h"
#include "support/testdb.h"
#include "support/ui/scriptedmessages.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QRegularExpression>
#include <QtTest>
#include <functional>
#include <map>
#include <memory>

using namespace Qt::StringLiterals;
using namespace kelm;

namespace {

// What a user reads or works with, as the accessibility tree has it.
struct Control {
    QString name;
    QString value;
    QAccessible::Role role;
    QWidget *widget; // nullptr for a part of a widget
};

const QList<QAccessible::Role> controlRoles = {
    QAccessible::EditableText, QAccessible::ComboBox, QAccessible::CheckBox,   QAccessible::RadioButton,
    QAccessible::PushButton,   QAccessible::ButtonMenu, QAccessible::SpinBox,  QAccessible::Slider,
    QAccessible::ScrollBar,    QAccessible::List,     QAccessible::Table,      QAccessible::Tree,
    QAccessible::Graphic,
};

// The controls under iface, and the static texts (as controls of their own
// role), not looking into a box's own parts (a list's rows, a memo's bars)
// but for the line of an editable list box, which takes the focus.
void collect(QAccessibleInterface *iface, std::vector<Control> &found)
{
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface *child = iface->child(i);
        if (!child || child->state().invisible)
            continue;
        const QAccessible::Role role = child->role();
        auto *widget = qobject_cast<QWidget *>(child->object());
        // A page that scrolls (a preview's pages, the help page) is read as
        // a whole, by its name.
        const bool page = qobject_cast<QAbstractScrollArea *>(child->object()) && !controlRoles.contains(role);
        if (controlRoles.contains(role) || role == QAccessible::StaticText || page)
            found.push_back({child->text(QAccessible::Name), child->text(QAccessible::Value),
                             page ? QAccessible::Document : role, widget});
        if (role == QAccessible::ComboBox) {
            if (auto *list = qobject_cast<QComboBox *>(widget); list && list->lineEdit())
                found.push_back({list->lineEdit()->accessibleName(), {}, QAccessible::EditableText, nullptr});
            continue;
        }
        if (controlRoles.contains(role) || qobject_cast<QAbstractScrollArea *>(child->object()))
            continue;
        collect(child, found);
    }
}

std::vector<Control> controlsOf(QWidget *window)
{
    std::vector<Control> found;
    collect(QAccessible::queryAccessibleInterface(window), found);
    return found;
}

QStringList everyColumn()
{
    QStringList columns;
    for (const schema::Table &t : schema::tables())
        for (const schema::Column &c : t.columns)
            columns << QString::fromUtf8(c.name.data(), qsizetype(c.name.size()));
    return columns;
}

// A name of words: no blanks at its ends, none spreading it.
bool isWords(const QString &name)
{
    return name.trimmed() == name && !name.contains(u"  "_s);
}

// What is wrong with the names of a window's controls.
QStringList nameProblems(QWidget *window)
{
    static const QStringList columns = everyColumn();
    static const QRegularExpression code(u"^[a-z][a-z0-9_]*$"_s);
    std::vector<Control> controls = controlsOf(window);
    std::erase_if(controls, [](const Control &c) { return c.role == QAccessible::StaticText; });
    QStringList problems;
    std::map<QString, int> seen;
    for (const Control &c : controls) {
        const QString where = c.widget ? c.widget->objectName() : u"a part"_s;
        if (c.name.isEmpty()) {
            problems << u"%1 (role %2) has no name"_s.arg(where).arg(int(c.role));
            continue;
        }
        if (columns.contains(c.name, Qt::CaseInsensitive) || code.match(c.name).hasMatch()
            || (c.widget && c.name == c.widget->objectName()))
            problems << u"%1 is named by a code: %2"_s.arg(where, c.name);
        if (c.role == QAccessible::ComboBox && c.name == c.value)
            problems << u"%1 is named by its value: %2"_s.arg(where, c.name);
        if (!isWords(c.name))
            problems << u"%1 is named with blanks that only spread it: \"%2\""_s.arg(where, c.name);
        // An editable list box's line is named as its box.
        if (c.widget && ++seen[c.name] == 2)
            problems << u"two controls are named %1"_s.arg(c.name);
    }
    // A frame's caption names a control only where it is the caption of
    // that control alone.
    for (const QGroupBox *frame : window->findChildren<QGroupBox *>()) {
        std::vector<const Control *> inside;
        for (const Control &c : controls)
            if (c.widget && frame->isAncestorOf(c.widget))
                inside.push_back(&c);
        for (const Control &c : controls)
            if (c.widget && !frame->title().isEmpty() && (c.name == frame->title() || c.name == spokenLabel(frame->title()))
                && !(inside.size() == 1 && inside.front() == &c))
                problems << u"%1 is named by the frame %2"_s.arg(c.widget->objectName(), frame->title());
    }
    return problems;
}

// The names of the entries of a menu bar and of its menus.
QStringList menuNames(QMenuBar *bar)
{
    QStringList names;
    std::vector<QWidget *> holders = {bar};
    for (QAction *a : bar->actions())
        if (a->menu())
            holders.push_back(a->menu());
    for (QWidget *holder : holders) {
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(holder);
        for (int i = 0; i < iface->childCount(); ++i)
            if (iface->child(i)->role() == QAccessible::MenuItem)
                names << iface->child(i)->text(QAccessible::Name);
    }
    return names;
}

bool readable(QWidget *window, const QString &start)
{
    for (const Control &c : controlsOf(window))
        if (c.name.startsWith(start) || c.value.startsWith(start))
            return true;
    return false;
}

using Factory = std::function<QWidget *()>;

// What a screen reader reads for the control that has the focus: a box
// inside a spin or list box is read as that box.
QString focusedName(QWidget *window)
{
    QWidget *w = window->focusWidget();
    if (!w)
        return {};
    if (w->accessibleName().isEmpty() && w->parentWidget() && !w->parentWidget()->accessibleName().isEmpty())
        return w->parentWidget()->accessibleName();
    return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
}

// The names Tab reaches from `from`, `from` first, the window active.
QStringList tabbedNames(QWidget *from, qsizetype steps)
{
    QWidget *window = from->window();
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        return {u"the window did not become active"_s};
    from->setFocus(Qt::TabFocusReason);
    QStringList names{focusedName(window)};
    for (qsizetype i = 0; i < steps; ++i) {
        QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
        names << focusedName(window);
    }
    return names;
}

// The window that `start` (made with it) is in, and where Tab starts.
using TabStart = std::function<QWidget *(QWidget *window)>;

} // namespace

Q_DECLARE_METATYPE(Factory)
Q_DECLARE_METATYPE(TabStart)

class TestAccessibleNames : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void workWindows_data();
    void workWindows();
    void documentWindows_data();
    void documentWindows();
    void queryFilterFollowsItsPrompt();
    void menuEntries();
    void tabFollowsTheScreen_data();
    void tabFollowsTheScreen();
    void printPictureIsAButton_data();
    void printPictureIsAButton();
    void statisticsCaptionsReadAsWords();

private:
    std::unique_ptr<test::TestDatabase> m_db;
};

void TestAccessibleNames::initTestCase()
{
    setModalMode(ModalMode::NonBlocking);
    m_db = std::make_unique<test::TestDatabase>();
    test::ScriptedMessages::install();
    // A row in each register, so each navigator has a record to tell of.
    db().exec(u"INSERT INTO xzcf (dabh, dwmc, dwlb1, dwlb2) VALUES ('20020001', '单位', '食品卫生', '饮食')"_s);
    db().exec(u"INSERT INTO wsxkz (xkzh, dwmc, xh) VALUES ('20020001', '单位', 'NO.Y.05-1')"_s);
    db().exec(u"INSERT INTO jktj (tjbh, xm, tjhg, pxhg) VALUES ('20020001', '甲', '合格', '合格')"_s);
    app().caseNo = u"20020001"_s;
}

void TestAccessibleNames::cleanupTestCase() { m_db.reset(); }

void TestAccessibleNames::workWindows_data()
{
    QTest::addColumn<Factory>("make");
    QTest::addColumn<QString>("readable"); // the start of a text there to be read, if any
    const QString navigator = u"记录：共1条  第1条"_s;
    const QString count = u"查询总数合计："_s;
    auto registerWindow = [](RegisterWindow which) { return [which] { return static_cast<QWidget *>(createRegisterWindow(which, nullptr)); }; };
    auto query = [](QueryDesign (*design)()) { return [design] { return static_cast<QWidget *>(new QueryWindow(design())); }; };
    QTest::newRow("case register") << Factory(registerWindow(RegisterWindow::Cases)) << navigator;
    QTest::newRow("permit register") << Factory(registerWindow(RegisterWindow::Permits)) << navigator;
    QTest::newRow("annual review") << Factory(registerWindow(RegisterWindow::Reviews)) << navigator;
    QTest::newRow("examination register") << Factory(registerWindow(RegisterWindow::Exams)) << navigator;
    QTest::newRow("case query") << Factory(query(caseQueryDesign)) << count;
    QTest::newRow("permit query") << Factory(query(permitQueryDesign)) << count;
    QTest::newRow("annual review query") << Factory(query(reviewQueryDesign)) << count;
    QTest::newRow("examination query") << Factory(query(examQueryDesign)) << count;
    QTest::newRow("password") << Factory([] { return static_cast<QWidget *>(new PasswordWindow); }) << QString();
    QTest::newRow("statistics period") << Factory([] { return static_cast<QWidget *>(new StatisticsPeriodWindow); })
                                       << QString();
    QTest::newRow("statistics") << Factory([] { return static_cast<QWidget *>(new StatisticsWindow); }) << QString();
    QTest::newRow("layout editor") << Factory([] { return static_cast<QWidget *>(new LayoutEditorWindow); })
                                   << QString();
    QTest::newRow("certificate preview") << Factory([] {
        auto *permits = new PermitRegisterWindow;
        return static_cast<QWidget *>(PermitPreviewWindow::certificate(permits));
    }) << QString();
    QTest::newRow("copy preview") << Factory([] {
        auto *permits = new PermitRegisterWindow;
        return static_cast<QWidget *>(PermitPreviewWindow::copy(permits));
    }) << QString();
    QTest::newRow("list preview") << Factory([] {
        report::PageModel pages;
        pages.caption = u"行政处罚查询列表"_s;
        return static_cast<QWidget *>(new report::ReportPreview(std::move(pages)));
    }) << u"共 0 页"_s;
    QTest::newRow("log-in") << Factory([] { return static_cast<QWidget *>(new LoginWindow(u"kelm"_s)); }) << QString();
    QTest::newRow("main window") << Factory([] { return static_cast<QWidget *>(new MainWindow); }) << QString();
    QTest::newRow("about") << Factory([] { return static_cast<QWidget *>(new AboutBox); }) << QString();
    QTest::newRow("help") << Factory([] { return static_cast<QWidget *>(new HelpWindow); }) << QString();
}

void TestAccessibleNames::workWindows()
{
    QFETCH(Factory, make);
    QFETCH(QString, readable);
    QWidget *made = make();
    // A preview belongs to the register it was opened from.
    std::unique_ptr<QWidget> window(made->parentWidget() ? made->parentWidget() : made);
    made->show();
    const QStringList problems = nameProblems(made);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
    if (!readable.isEmpty())
        QVERIFY2(::readable(made, readable), qPrintable(readable));
    // Read as a window, never as a pane without a role.
    const QAccessible::Role role = QAccessible::queryAccessibleInterface(made)->role();
    QVERIFY2(role == QAccessible::Dialog || role == QAccessible::Window, qPrintable(QString::number(int(role))));
}

// The menus are read by their words, not by the blanks that spread their
// captions on the bar.
void TestAccessibleNames::menuEntries()
{
    MainWindow main;
    main.show();
    const QStringList names = menuNames(main.menuBar());
    QCOMPARE(names.size(), 5 + 4 + 2 + 2);
    for (const QString &name : names)
        QVERIFY2(!name.isEmpty() && isWords(name), qPrintable(u"\""_s + name + u'"'));
    QVERIFY(names.contains(u"系统"_s));
    QVERIFY(names.contains(u"退出"_s));
}

void TestAccessibleNames::documentWindows_data()
{
    QTest::addColumn<int>("k");
    for (const DocumentEntry &e : documentCatalogue())
        QTest::newRow(qPrintable(e.windowCaption)) << e.index;
}

void TestAccessibleNames::documentWindows()
{
    QFETCH(int, k);
    std::unique_ptr<QWidget> window(createDocumentWindow(k, nullptr));
    window->show();
    const QStringList problems = nameProblems(window.get());
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
    QVERIFY(readable(window.get(), u"打印"_s));
    QVERIFY(readable(window.get(), u"销档"_s));
}

// The filter box is named by the prompt before it, which names the column
// chosen.
void TestAccessibleNames::queryFilterFollowsItsPrompt()
{
    QueryWindow window(examQueryDesign());
    window.show();
    QLineEdit *filter = window.filterBox();
    QCOMPARE(filter->accessibleName(), u"体检编号"_s);
    window.chooseColumn(2);
    QCOMPARE(filter->accessibleName(), u"姓名"_s);
}

void TestAccessibleNames::tabFollowsTheScreen_data()
{
    QTest::addColumn<Factory>("make");
    QTest::addColumn<TabStart>("start");
    QTest::addColumn<QStringList>("order");
    auto named = [](const QString &name) {
        return TabStart([name](QWidget *window) {
            for (QWidget *c : window->findChildren<QWidget *>())
                if (QAccessible::queryAccessibleInterface(c)->text(QAccessible::Name) == name)
                    return c;
            return static_cast<QWidget *>(nullptr);
        });
    };
    QTest::newRow("list preview, on its second page") << Factory([] {
        report::PageModel pages;
        pages.caption = u"行政处罚查询列表"_s;
        pages.pages.resize(3);
        auto *preview = new report::ReportPreview(std::move(pages));
        preview->view()->showPage(1);
        return static_cast<QWidget *>(preview);
    }) << named(u"打印"_s)
       << QStringList{u"打印"_s, u"首页"_s, u"上一页"_s, u"页码"_s, u"下一页"_s, u"末页"_s, u"显示比例"_s, u"预演页面"_s, u"打印"_s};
    QTest::newRow("certificate preview") << Factory([] {
        return static_cast<QWidget *>(PermitPreviewWindow::certificate(new PermitRegisterWindow));
    }) << named(u"卫生许可证"_s) << QStringList{u"卫生许可证"_s, u"打印"_s, u"取消"_s, u"卫生许可证"_s};
    QTest::newRow("copy preview") << Factory([] {
        return static_cast<QWidget *>(PermitPreviewWindow::copy(new PermitRegisterWindow));
    }) << named(u"打印"_s) << QStringList{u"打印"_s, u"取消"_s, u"卫生许可证副本"_s, u"打印"_s};
}

void TestAccessibleNames::tabFollowsTheScreen()
{
    QFETCH(Factory, make);
    QFETCH(TabStart, start);
    QFETCH(QStringList, order);
    QWidget *made = make();
    std::unique_ptr<QWidget> window(made->parentWidget() ? made->parentWidget() : made);
    QWidget *from = start(made);
    QVERIFY(from);
    QCOMPARE(tabbedNames(from, order.size() - 1), order);
}

void TestAccessibleNames::printPictureIsAButton_data() { documentWindows_data(); }

// The print picture is read as a button that prints and says how, and Tab
// reaches it after the document's last control, before its first.
void TestAccessibleNames::printPictureIsAButton()
{
    QFETCH(int, k);
    auto *window = static_cast<DocumentWindow *>(createDocumentWindow(k, nullptr));
    std::unique_ptr<QWidget> owner(window);
    QAccessibleInterface *picture = QAccessible::queryAccessibleInterface(window->printPicture());
    QCOMPARE(picture->role(), QAccessible::Button);
    QCOMPARE(picture->text(QAccessible::Name), u"打印"_s);
    QVERIFY(picture->text(QAccessible::Description).contains(u"Ctrl+P"_s));
    QVERIFY(picture->actionInterface() && picture->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));

    const std::vector<int> order = window->description().tabOrder();
    auto control = [window](int entry) {
        return entry == deleteBoxTab ? static_cast<QWidget *>(window->deleteBox()) : window->box(entry);
    };
    const QString last = control(order.back())->accessibleName();
    const QString first = control(order.front())->accessibleName();
    QCOMPARE(tabbedNames(control(order.back()), 2), (QStringList{last, u"打印"_s, first}));
}

// The table's captions, spread over the grid as they are drawn ("责  令改
// 正"), are read by their words.
void TestAccessibleNames::statisticsCaptionsReadAsWords()
{
    StatisticsWindow window;
    window.show();
    QStringList texts;
    for (const Control &c : controlsOf(&window))
        if (c.role == QAccessible::StaticText) {
            QVERIFY2(isWords(c.name), qPrintable(u"\""_s + c.name + u'"'));
            texts << c.name;
        }
    for (const QString &caption : {u"警告"_s, u"责令改正"_s, u"责令停产停业"_s, u"吊销许可证"_s, u"处罚户次"_s, u"其他"_s, u"总计"_s})
        QVERIFY2(texts.contains(caption), qPrintable(caption));
}

QTEST_MAIN(TestAccessibleNames)
#include "tst_accessiblenames.moc"
