// The windows from the keyboard, on the real event path: Tab and Shift+Tab
// leave every query grid and Enter on a row does what a double-click does;
// Tab reaches the column buttons and the record navigator; passing through
// a window's list boxes changes nothing, while a choice from a list starts
// editing; what is typed into a list box is what it keeps and stores; Esc
// closes the help window.
#include "e2e/support/program.h"
#include "e2e/support/realinput.h"
#include "e2e/support/screen.h"
#include "e2e/support/userscript.h"
#include "permits/printing/layouteditorwindow.h"
#include "platform/boundrecord.h"
#include "platform/database.h"
#include "registers/columnbutton.h"
#include "registers/querywindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QHash>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::test;

namespace {

// Three records in each register. Each list box shows a text that is an
// entry of its list, but not the list's first: as a record shows it.
void seed(Database &db)
{
    for (const QString &n : {u"20020001"_s, u"20020002"_s, u"20020003"_s}) {
        db.exec(u"INSERT INTO xzcf (dabh, slsj, dwlb1, dwlb2, dwmc, msje, fkje, shsp, xhsp) "
                "VALUES (?, '2002-03-05', '公共场所', '浴室', ?, '0', '0', '0', '0')"_s,
                {n, u"单位"_s + n});
        db.exec(u"INSERT INTO jktj (tjbh, xm, tjhg, pxhg) VALUES (?, ?, '合格', '不合格')"_s, {n, u"姓名"_s + n});
    }
    for (const QString &n : {u"200200001"_s, u"200200002"_s, u"200200003"_s})
        db.exec(u"INSERT INTO wsxkz (xkzh, dwmc, xh, lb, nsjg) VALUES (?, ?, 'NO.Y.05-2', '食证', '不合格')"_s,
                {n, u"单位"_s + n});
}

QString boxText(const QString &window, const QString &box)
{
    auto *line = qobject_cast<QLineEdit *>(childOf(window, box));
    return line ? line->text() : QString();
}

QWidget *focused() { return QApplication::focusWidget(); }

// A register edits while its save button (Command3) is enabled.
bool editing(const QString &window)
{
    QWidget *save = childOf(window, u"Command3"_s);
    return save && save->isEnabled();
}

// Steps: once browsing again, Esc closes the register without a question.
void closeRegister(UserScript &s, const QString &window)
{
    s.await(window + u" is active and browsing"_s, [window] { return isActive(window) && !editing(window); })
        .act(u"Esc"_s, [] { real::key(Qt::Key_Escape); })
        .await(u"the main window is active"_s, [] { return isActive(u"main"_s); });
}

QueryWindow *query(const QString &name) { return qobject_cast<QueryWindow *>(shownWindow(name)); }

QComboBox *listBox(const QString &window, const QString &name)
{
    return qobject_cast<QComboBox *>(childOf(window, name));
}

// Steps: open the list of a list box by its arrow and click its entry.
void chooseFromList(UserScript &s, const QString &window, const QString &box, const QString &entry)
{
    s.act(u"open the list of "_s + box,
          [=] {
              QComboBox *c = listBox(window, box);
              real::click(c, QPoint(c->width() - 6, c->height() / 2));
          })
        .await(u"the list is open"_s, [=] { return listBox(window, box)->view()->isVisible(); })
        .act(u"click "_s + entry, [=] {
            QAbstractItemView *view = listBox(window, box)->view();
            const QModelIndex at = view->model()->index(listBox(window, box)->findText(entry), 0);
            real::click(view->viewport(), view->visualRect(at).center());
        });
}

// Steps: click into the text of a list box and put `text` in place of all
// of it, typed key by key or committed as an input method commits Chinese.
void typeIntoList(UserScript &s, const QString &window, const QString &box, const QString &text, bool byKeys)
{
    s.act(u"click into "_s + box, [=] { real::click(listBox(window, box)->lineEdit()); })
        .await(box + u" has the focus"_s, [=] { return focused() == listBox(window, box); })
        .act(u"Ctrl+A"_s, [] { real::key(Qt::Key_A, Qt::ControlModifier); })
        .await(u"its text selected"_s, [=] {
            const QLineEdit *line = listBox(window, box)->lineEdit();
            return line->selectedText() == line->text();
        })
        .act(u"type "_s + text, [=] { byKeys ? real::type(text) : real::commit(text); })
        .await(u"the text as typed"_s, [=] { return listBox(window, box)->currentText() == text; });
}

// Steps: Tab to each widget of `through` in turn and on past the last, the
// window browsing all the while.
void tabThrough(UserScript &s, const QString &window, const QStringList &through)
{
    for (const QString &name : through) {
        s.act(u"Tab"_s, [] { real::key(Qt::Key_Tab); })
            .await(u"the focus in "_s + name, [=] { return focused() && focused()->objectName() == name; })
            .await(u"still browsing"_s, [=] { return !editing(window); }, 2000);
    }
    s.act(u"Tab on"_s, [] { real::key(Qt::Key_Tab); })
        .holds(u"nothing started editing"_s, [=] { return !editing(window); });
}

struct Register {
    QString bar, item, name, queryButton, queryName, numberBox, second;
    bool gridFirst;       // the query's focus order starts at its grid, the count box after it
    bool closesForQuery;  // the register closes before its query opens
};

const Register registers[] = {
    {u"xzxf"_s, {}, u"xzcf_face"_s, u"Command6"_s, u"frm_cfcx"_s, u"Text1_0"_s, u"20020002"_s, false, false},
    {u"wsxkz"_s, u"xkzff"_s, u"xkz"_s, u"Command7"_s, u"xkzcx"_s, u"Text1_6"_s, u"200200002"_s, true, false},
    {u"wsxkz"_s, u"xkzns"_s, u"ns"_s, u"Command7"_s, u"nscx"_s, u"Text1_6"_s, u"200200002"_s, true, false},
    {u"tjb"_s, {}, u"frm_jktj"_s, u"Command6"_s, u"tjcx"_s, u"Text1_0"_s, u"20020002"_s, false, true},
};

// Values a saved record holds, by column.
using Stored = QHash<QString, QString>;

// Steps: the register from the menu, then its query.
void openQuery(UserScript &s, const Program &p, const Register &r)
{
    p.chooseMenu(s, r.bar, r.item);
    s.await(u"the register is active"_s, [=] { return isActive(r.name); })
        .act(u"查询"_s, [=] { real::click(childOf(r.name, r.queryButton)); })
        .await(u"the query is active"_s, [=] { return isActive(r.queryName); });
}

// Steps: the query, and a click into the cell of its second row in
// `column`, which gives the grid the focus.
void openQueryOnSecondRow(UserScript &s, const Program &p, const Register &r, int column)
{
    openQuery(s, p, r);
    const QString q = r.queryName;
    s.act(u"click the second row"_s,
          [q, column] {
              QTableView *grid = query(q)->grid();
              real::click(grid->viewport(), grid->visualRect(grid->model()->index(1, column)).center());
          })
        .await(u"the grid has the focus"_s, [q] { return focused() == query(q)->grid(); });
}

} // namespace

Q_DECLARE_METATYPE(Register)

class TestKeyboardRound : public QObject {
    Q_OBJECT
private slots:
    void queryGridLetsTabOut_data();
    void queryGridLetsTabOut();
    void enterPicksTheRow_data();
    void enterPicksTheRow();
    void columnButtonsByKeyboard();
    void navigatorByKeyboard();
    void passingListBoxesChangesNothing_data();
    void passingListBoxesChangesNothing();
    void clickInAndAwayChangesNothing();
    void layoutEditorListByKeyboard();
    void choiceFromListStartsEditing();
    void typingAPermitListStartsEditing();
    void typedTextIsStoredAsTyped_data();
    void typedTextIsStoredAsTyped();
    void typedModelIsNoModelToPrint();
    void helpClosesOnEsc();
};

void TestKeyboardRound::queryGridLetsTabOut_data()
{
    QTest::addColumn<Register>("r");
    for (const Register &r : registers)
        QTest::newRow(qPrintable(r.queryName)) << r;
}

// Tab and Shift+Tab leave the grid for the controls before and after it,
// in the window's focus order, whichever cell holds the focus.
void TestKeyboardRound::queryGridLetsTabOut()
{
    QFETCH(Register, r);
    Program p;
    seed(p.db());
    UserScript s;
    openQueryOnSecondRow(s, p, r, 2);
    const QString q = r.queryName;
    s.act(u"Tab"_s, [] { real::key(Qt::Key_Tab); })
        .await(u"the focus went on past the grid"_s, [q, r] {
            QueryWindow *w = query(q);
            QWidget *next = r.gridFirst ? static_cast<QWidget *>(w->countBox()) : w->printButton();
            return focused() == next;
        })
        .act(u"Shift+Tab"_s, [] { real::key(Qt::Key_Tab, Qt::ShiftModifier); })
        .await(u"back in the grid"_s, [q] { return focused() == query(q)->grid(); })
        .act(u"Shift+Tab"_s, [] { real::key(Qt::Key_Tab, Qt::ShiftModifier); })
        .await(u"the focus went back past the grid"_s, [q] {
            QWidget *f = focused();
            return f && f != query(q)->grid() && f->window() == query(q);
        })
        .act(u"Esc"_s, [] { real::key(Qt::Key_Escape); })
        .await(u"the query closed"_s, [q] { return !shownWindow(q); });
    if (r.closesForQuery)
        s.await(u"the main window is active"_s, [] { return isActive(u"main"_s); });
    else
        closeRegister(s, r.name);
    QVERIFY2(s.run(), qPrintable(s.failure()));
}

void TestKeyboardRound::enterPicksTheRow_data() { queryGridLetsTabOut_data(); }

// Enter on a row picks it as a double-click does: the query closes and the
// register stands on that record.
void TestKeyboardRound::enterPicksTheRow()
{
    QFETCH(Register, r);
    Program p;
    seed(p.db());
    UserScript s;
    openQueryOnSecondRow(s, p, r, 0);
    s.act(u"Enter"_s, [] { real::key(Qt::Key_Return); })
        .await(u"the register is active again"_s, [r] { return isActive(r.name); })
        .holds(u"on the chosen record"_s,
               [r] { return !shownWindow(r.queryName) && boxText(r.name, r.numberBox) == r.second; });
    closeRegister(s, r.name);
    QVERIFY2(s.run(), qPrintable(s.failure()));
}

// Tab goes close, count, filter, then each column button in turn; the
// space bar chooses the focused button.
void TestKeyboardRound::columnButtonsByKeyboard()
{
    Program p;
    seed(p.db());
    UserScript s;
    openQuery(s, p, registers[0]);
    const QString q = registers[0].queryName;
    s.await(u"the close button has the focus"_s, [q] { return focused() == query(q)->closeButton(); });
    for (int i = 0; i < 4; ++i)
        s.act(u"Tab"_s, [] { real::key(Qt::Key_Tab); });
    s.await(u"the second column button has the focus"_s, [q] { return focused() == query(q)->columnButton(1); })
        .act(u"space"_s, [] { real::key(Qt::Key_Space); })
        .await(u"单位名称 is chosen, the filter box focused"_s, [q] {
            QueryWindow *w = query(q);
            return w->chosenButton() == 1 && w->columnButton(1)->isChosen() && focused() == w->filterBox();
        })
        .act(u"Esc"_s, [] { real::key(Qt::Key_Escape); })
        .await(u"the query closed"_s, [q] { return !shownWindow(q); });
    closeRegister(s, registers[0].name);
    QVERIFY2(s.run(), qPrintable(s.failure()));
}

// Shift+Tab from the first box reaches the navigator's buttons, last one
// first; the space bar moves to the record before.
void TestKeyboardRound::navigatorByKeyboard()
{
    Program p;
    seed(p.db());
    UserScript s;
    p.chooseMenu(s, u"wsxkz"_s, u"xkzff"_s);
    s.await(u"the register is active on the last permit"_s,
            [] { return isActive(u"xkz"_s) && boxText(u"xkz"_s, u"Text1_6"_s) == u"200200003"_s; })
        .await(u"the first box has the focus"_s, [] { return focused() == childOf(u"xkz"_s, u"Text1_0"_s); })
        .act(u"Shift+Tab"_s, [] { real::key(Qt::Key_Tab, Qt::ShiftModifier); })
        .await(u"最后一条 has the focus"_s, [] { return focused() && focused()->accessibleName() == u"最后一条"_s; })
        .act(u"Shift+Tab twice"_s,
             [] {
                 real::key(Qt::Key_Tab, Qt::ShiftModifier);
                 real::key(Qt::Key_Tab, Qt::ShiftModifier);
             })
        .await(u"上一条 has the focus"_s, [] { return focused() && focused()->accessibleName() == u"上一条"_s; })
        .act(u"space"_s, [] { real::key(Qt::Key_Space); })
        .await(u"the second permit is shown"_s, [] { return boxText(u"xkz"_s, u"Text1_6"_s) == u"200200002"_s; })
        .holds(u"browsing"_s, [] { return !editing(u"xkz"_s); });
    closeRegister(s, u"xkz"_s);
    QVERIFY2(s.run(), qPrintable(s.failure()));
}

void TestKeyboardRound::passingListBoxesChangesNothing_data()
{
    QTest::addColumn<QString>("bar");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("from");      // clicked first
    QTest::addColumn<QStringList>("through"); // then Tab through these
    QTest::newRow("case register") << u"xzxf"_s << QString() << u"xzcf_face"_s << u"Text1_7"_s
                                   << QStringList{u"Text1_8"_s, u"Text1_9"_s, u"Combo1"_s, u"Combo2"_s,
                                                  u"Check2_10"_s};
    QTest::newRow("permit register") << u"wsxkz"_s << u"xkzff"_s << u"xkz"_s << u"Text1_16"_s
                                     << QStringList{u"Text1_17"_s, u"Combo1_0"_s, u"Combo1_1"_s, u"Text1_6"_s};
    QTest::newRow("annual review") << u"wsxkz"_s << u"xkzns"_s << u"ns"_s << u"Text1_12"_s
                                   << QStringList{u"Combo1_2"_s, u"Text1_13"_s};
    QTest::newRow("annual review, locked lists") << u"wsxkz"_s << u"xkzns"_s << u"ns"_s << u"Text1_14"_s
                                                 << QStringList{u"Combo1_0"_s, u"Combo1_1"_s, u"Text1_6"_s};
    QTest::newRow("examination register") << u"tjb"_s << QString() << u"frm_jktj"_s << u"Text1_7"_s
                                          << QStringList{u"Option1_0"_s, u"Text1_8"_s, u"Option2_0"_s,
                                                         u"Text1_9"_s, u"Text1_10"_s};
}

// Tab through a register's list boxes, each showing a record's entry that
// is not its list's first: the register keeps browsing.
void TestKeyboardRound::passingListBoxesChangesNothing()
{
    QFETCH(QString, bar);
    QFETCH(QString, item);
    QFETCH(QString, window);
    QFETCH(QString, from);
    QFETCH(QStringList, through);
    Program p;
    seed(p.db());
    UserScript s;
    p.chooseMenu(s, bar, item);
    s.await(u"the register is active"_s, [window] { return isActive(window); })
        .act(u"click "_s + from, [window, from] { real::click(childOf(window, from)); })
        .await(u"its box has the focus"_s, [window, from] { return focused() == childOf(window, from); });
    tabThrough(s, window, through);
    closeRegister(s, window);
    QVERIFY2(s.run(), qPrintable(s.failure()));
}

// A click into the second-level list's text and a click into another box:
// still browsing, and the case's categories as stored.
void TestKeyboardRound::clickInAndAwayChangesNothing()
{
    Program p;
    seed(p.db());
    const QString w = u"xzcf_face"_s;
    UserScript s;
    p.chooseMenu(s, u"xzxf"_s);
    s.await(u"the register is active"_s, [w] { return isActive(w); })
        .act(u"click into 小类"_s, [w] { real::click(listBox(w, u"Combo2"_s)->lineEdit()); })
        .await(u"小类 has the focus"_s, [w] { return focused() == listBox(w, u"Combo2"_s); })
        .act(u"click into 单位名称"_s, [w] { real::click(childOf(w, u"Text1_2"_s)); })
        .await(u"单位名称 has the focus"_s, [w] { return focused() == childOf(w, u"Text1_2"_s); })
        .holds(u"browsing on the case as stored"_s, [w] {
            return !editing(w) && listBox(w, u"Combo1"_s)->currentText() == u"公共场所"_s
                   && listBox(w, u"Combo2"_s)->currentText() == u"浴室"_s;
        });
    closeRegister(s, w);
    QVERIFY2(s.run(), qPrintable(s.failure()));
}

// The layout editor's item list: passing it keeps the set's 整体 row and
// the choosing state; the arrow key, a choice, shows the next item's row.
void TestKeyboardRound::layoutEditorListByKeyboard()
{
    Program p;
    seed(p.db());
    auto editor = [] { return qobject_cast<LayoutEditorWindow *>(shownWindow(u"xkzdy"_s)); };
    auto item = [editor] { return editor()->record()->storedValue(u"xmmc"_s); };
    UserScript s;
    p.chooseMenu(s, u"wsxkz"_s, u"xkzff"_s);
    s.await(u"the register is active"_s, [] { return isActive(u"xkz"_s); })
        .act(u"打印设置"_s, [] { real::click(childOf(u"xkz"_s, u"Command8"_s)); })
        .await(u"the layout editor is active on 整体, the list focused"_s, [=] {
            return isActive(u"xkzdy"_s) && item() == u"整体"_s && focused() == childOf(u"xkzdy"_s, u"List1"_s);
        })
        .act(u"Tab on"_s, [] { real::key(Qt::Key_Tab); })
        .holds(u"整体 still shown, choosing"_s, [=] { return item() == u"整体"_s && !editor()->isEditing(); })
        .act(u"back into the list, Down"_s,
             [] {
                 real::key(Qt::Key_Tab, Qt::ShiftModifier);
                 real::key(Qt::Key_Down);
             })
        .await(u"the second item's row is shown"_s, [=] {
            auto *list = qobject_cast<QListWidget *>(childOf(u"xkzdy"_s, u"List1"_s));
            return list->currentRow() == 1 && item() == list->item(1)->text() && !editor()->isEditing();
        })
        .act(u"Esc"_s, [] { real::key(Qt::Key_Escape); })
        .await(u"the register is active again"_s, [] { return isActive(u"xkz"_s); });
    closeRegister(s, u"xkz"_s);
    QVERIFY2(s.run(), qPrintable(s.failure()));
}

// A choice from each register's list starts editing and runs the list's
// rule: the case's first level refills the second.
void TestKeyboardRound::choiceFromListStartsEditing()
{
    Program p;
    seed(p.db());
    UserScript s;
    p.chooseMenu(s, u"xzxf"_s);
    s.await(u"the case register is active"_s, [] { return isActive(u"xzcf_face"_s); });
    chooseFromList(s, u"xzcf_face"_s, u"Combo1"_s, u"其他"_s);
    s.await(u"editing, the second level emptied"_s, [] {
         return editing(u"xzcf_face"_s) && listBox(u"xzcf_face"_s, u"Combo2"_s)->count() == 0
                && listBox(u"xzcf_face"_s, u"Combo2"_s)->currentText() == u"浴室"_s;
     })
        .act(u"取消"_s, [] { real::click(childOf(u"xzcf_face"_s, u"Command4"_s)); });
    closeRegister(s, u"xzcf_face"_s);
    p.chooseMenu(s, u"wsxkz"_s, u"xkzff"_s);
    s.await(u"the permit register is active"_s, [] { return isActive(u"xkz"_s); });
    chooseFromList(s, u"xkz"_s, u"Combo1_1"_s, u"消证"_s);
    s.await(u"editing"_s, [] { return editing(u"xkz"_s); })
        .act(u"取消"_s, [] { real::click(childOf(u"xkz"_s, u"Command4"_s)); });
    closeRegister(s, u"xkz"_s);
    p.chooseMenu(s, u"wsxkz"_s, u"xkzns"_s);
    s.await(u"the annual review is active"_s, [] { return isActive(u"ns"_s); });
    chooseFromList(s, u"ns"_s, u"Combo1_2"_s, u"合格"_s);
    s.await(u"editing"_s, [] { return editing(u"ns"_s); })
        .act(u"Down in the list box, its next entry"_s, [] { real::key(Qt::Key_Down); })
        .await(u"不合格 chosen, still editing"_s, [] {
            return editing(u"ns"_s) && listBox(u"ns"_s, u"Combo1_2"_s)->currentText() == u"不合格"_s;
        })
        .act(u"取消"_s, [] { real::click(childOf(u"ns"_s, u"Command4"_s)); });
    closeRegister(s, u"ns"_s);
    QVERIFY2(s.run(), qPrintable(s.failure()));
    QCOMPARE(p.db().scalar(u"SELECT count(*) FROM xzcf WHERE dwlb1 = '公共场所'"_s), u"3"_s);
    QCOMPARE(p.db().scalar(u"SELECT count(*) FROM wsxkz WHERE lb = '食证'"_s), u"3"_s);
}

// Typing into a permit's list box is an edit of the permit, kept as typed
// also where it is an entry written otherwise.
void TestKeyboardRound::typingAPermitListStartsEditing()
{
    Program p;
    seed(p.db());
    UserScript s;
    p.chooseMenu(s, u"wsxkz"_s, u"xkzff"_s);
    s.await(u"the register is active"_s, [] { return isActive(u"xkz"_s); })
        .act(u"click into 许可证型号 and type"_s,
             [] {
                 real::click(listBox(u"xkz"_s, u"Combo1_0"_s)->lineEdit());
                 real::key(Qt::Key_End);
                 real::type(u"x"_s);
             })
        .await(u"editing, the text as typed"_s, [] {
            return editing(u"xkz"_s) && listBox(u"xkz"_s, u"Combo1_0"_s)->currentText() == u"NO.Y.05-2x"_s;
        })
        .act(u"type an entry in small letters instead, Tab"_s,
             [] {
                 real::key(Qt::Key_A, Qt::ControlModifier);
                 real::type(u"no.y.05-1"_s);
                 real::key(Qt::Key_Tab);
             })
        .await(u"the focus has left"_s, [] { return focused() == childOf(u"xkz"_s, u"Combo1_1"_s); })
        .holds(u"the text stays as typed, not the entry"_s,
               [] { return listBox(u"xkz"_s, u"Combo1_0"_s)->currentText() == u"no.y.05-1"_s; })
        .act(u"取消"_s, [] { real::click(childOf(u"xkz"_s, u"Command4"_s)); });
    closeRegister(s, u"xkz"_s);
    QVERIFY2(s.run(), qPrintable(s.failure()));
}

void TestKeyboardRound::typedTextIsStoredAsTyped_data()
{
    QTest::addColumn<Register>("r");
    QTest::addColumn<QString>("chosenBox"); // a list chosen from first, if any
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("byKeys"); // else an input-method commit
    QTest::addColumn<QString>("table");
    QTest::addColumn<Stored>("stored");
    QTest::newRow("case category") << registers[0] << QString() << QString() << u"Combo1"_s << u"公共"_s << false
                                   << u"xzcf"_s << Stored{{u"dwlb1"_s, u"公共"_s}};
    // The food list, whose 食品摊贩 starts as typed, comes with 食品卫生.
    QTest::newRow("case subcategory, after a choice")
        << registers[0] << u"Combo1"_s << u"食品卫生"_s << u"Combo2"_s << u"食品"_s << false << u"xzcf"_s
        << Stored{{u"dwlb1"_s, u"食品卫生"_s}, {u"dwlb2"_s, u"食品"_s}};
    QTest::newRow("permit model, by keys") << registers[1] << QString() << QString() << u"Combo1_0"_s
                                           << u"NO.Y.05"_s << true << u"wsxkz"_s
                                           << Stored{{u"xh"_s, u"NO.Y.05"_s}};
    QTest::newRow("permit category") << registers[1] << QString() << QString() << u"Combo1_1"_s << u"消"_s << false
                                     << u"wsxkz"_s << Stored{{u"lb"_s, u"消"_s}};
    QTest::newRow("review result") << registers[2] << QString() << QString() << u"Combo1_2"_s << u"合"_s << false
                                   << u"wsxkz"_s << Stored{{u"nsjg"_s, u"合"_s}};
}

// The start of an entry typed into a list box stays as typed when the
// focus leaves, and 存盘 stores it so; an entry chosen before is stored as
// chosen.
void TestKeyboardRound::typedTextIsStoredAsTyped()
{
    QFETCH(Register, r);
    QFETCH(QString, chosenBox);
    QFETCH(QString, chosen);
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(bool, byKeys);
    QFETCH(QString, table);
    QFETCH(Stored, stored);
    Program p;
    seed(p.db());
    const QString w = r.name;
    UserScript s;
    p.chooseMenu(s, r.bar, r.item);
    s.await(u"the register is active"_s, [w] { return isActive(w); });
    if (!chosen.isEmpty()) {
        chooseFromList(s, w, chosenBox, chosen);
        s.await(u"the choice starts editing"_s, [w] { return editing(w); });
    }
    typeIntoList(s, w, box, typed, byKeys);
    s.act(u"Tab"_s, [] { real::key(Qt::Key_Tab); })
        .await(u"the focus has left"_s, [=] { return focused() != listBox(w, box); })
        .holds(u"editing, the text as typed"_s,
               [=] { return editing(w) && listBox(w, box)->currentText() == typed; })
        .act(u"存盘"_s, [w] { real::click(childOf(w, u"Command3"_s)); });
    closeRegister(s, w);
    QVERIFY2(s.run(), qPrintable(s.failure()));
    // The seeded records hold other texts: only the saved one holds these.
    for (const auto &[column, value] : stored.asKeyValueRange())
        QCOMPARE(p.db().scalar(u"SELECT count(*) FROM %1 WHERE %2 = ?"_s.arg(table, column), {value}), u"1"_s);
}

// A model typed as the start of an entry is no model of the list: 打印正本
// says so before its print window opens.
void TestKeyboardRound::typedModelIsNoModelToPrint()
{
    Program p;
    seed(p.db());
    const QString message = u"请按表中所列项目填写“许可证型号”！"_s;
    UserScript s;
    p.chooseMenu(s, u"wsxkz"_s, u"xkzff"_s);
    s.await(u"the register is active"_s, [] { return isActive(u"xkz"_s); });
    typeIntoList(s, u"xkz"_s, u"Combo1_0"_s, u"NO.Y.05"_s, true);
    s.act(u"存盘"_s, [] { real::click(childOf(u"xkz"_s, u"Command3"_s)); })
        .await(u"browsing on the saved permit"_s, [] { return !editing(u"xkz"_s); })
        .act(u"打印正本"_s, [] { real::click(childOf(u"xkz"_s, u"Command5"_s)); })
        .await(u"the model is refused in words"_s, [message] { return shownMessage(message) != nullptr; })
        .act(u"确定"_s, [message] { real::click(messageButton(shownMessage(message), u"确定"_s)); })
        .await(u"the print window is active"_s, [] { return isActive(u"frm_dyyy"_s); })
        .act(u"its close box"_s, [] { real::closeBox(shownWindow(u"frm_dyyy"_s)); });
    closeRegister(s, u"xkz"_s);
    QVERIFY2(s.run(), qPrintable(s.failure()));
    QCOMPARE(p.db().scalar(u"SELECT count(*) FROM wsxkz WHERE xh = 'NO.Y.05'"_s), u"1"_s);
}

// 帮助 → 帮助 opens the help centred on the screen; Esc closes it.
void TestKeyboardRound::helpClosesOnEsc()
{
    Program p;
    UserScript s;
    p.chooseMenu(s, u"qt"_s, u"bz"_s);
    s.await(u"the help is active"_s, [] { return isActive(u"help"_s); })
        .holds(u"centred on the screen"_s, [] {
            QWidget *help = shownWindow(u"help"_s);
            return help
                   && (help->frameGeometry().center() - help->screen()->availableGeometry().center())
                              .manhattanLength()
                          <= 24;
        }, 100)
        .act(u"Esc"_s, [] { real::key(Qt::Key_Escape); })
        .await(u"the help is gone, the main window active"_s,
               [] { return !shownWindow(u"help"_s) && isActive(u"main"_s); });
    QVERIFY2(s.run(), qPrintable(s.failure()));
}

QTEST_MAIN(TestKeyboardRound)
#include "tst_keyboardround.moc"
