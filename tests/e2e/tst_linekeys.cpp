// Keys in the lines of a paragraph, on the real event path: a key acts on
// a selection first, as in any text box, and only without one do
// Backspace and Left at a line's start and Right at its end move between
// lines. Nothing outside a selection is ever deleted. Typed Chinese
// arrives as an input method's commit and flows on like any edit.
#include "e2e/support/program.h"
#include "e2e/support/realinput.h"
#include "e2e/support/screen.h"
#include "e2e/support/userscript.h"
#include "platform/database.h"

#include <QApplication>
#include <QLineEdit>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::test;

namespace {

// The filing report's case summary: boxes 5 to 8, columns aqzy1..aqzy4.
constexpr int firstLine = 5;
const QString window = u"frm_labg"_s;

struct Key {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};
using Keys = QList<Key>;

QLineEdit *line(int box) { return qobject_cast<QLineEdit *>(childOf(window, u"Text1(%1)"_s.arg(box))); }

int focusedLine()
{
    QWidget *w = QApplication::focusWidget();
    for (int box = firstLine; box < firstLine + 4; ++box)
        if (w && w == line(box))
            return box;
    return -1;
}

QStringList storedLines(Database &db)
{
    const Rows rows = db.select(u"SELECT aqzy1, aqzy2, aqzy3, aqzy4 FROM labg WHERE dabh = '20020001'"_s);
    return rows.empty() ? QStringList() : QStringList(rows.values[0].begin(), rows.values[0].end());
}

} // namespace

Q_DECLARE_METATYPE(Keys)

class TestLineKeys : public QObject {
    Q_OBJECT
private slots:
    void keysInAContinuationLine_data();
    void keysInAContinuationLine();
    void inputMethodCommitFlows();

private:
    // Opens the filing report from the register, clicks into its second
    // summary line and runs `inWindow`; then closes both windows.
    bool inSecondLine(Program &p, const std::function<void(UserScript &)> &inWindow, QString *failure);
};

bool TestLineKeys::inSecondLine(Program &p, const std::function<void(UserScript &)> &inWindow, QString *failure)
{
    UserScript s;
    p.chooseMenu(s, u"xzxf"_s);
    s.await(u"the register is active"_s, [] { return isActive(u"xzcf_face"_s); })
        .act(u"click 立案报告"_s, [] {
            QWidget *box = childOf(u"xzcf_face"_s, u"Check1_2"_s);
            real::click(box, QPoint(6, box->height() / 2));
        })
        .await(u"the filing report is active"_s, [] { return isActive(window); })
        .act(u"click into the second line"_s, [] { real::click(line(firstLine + 1), QPoint(2, 5)); })
        .await(u"the second line has the focus"_s, [] { return focusedLine() == firstLine + 1; });
    inWindow(s);
    s.act(u"Esc"_s, [] { real::key(Qt::Key_Escape); })
        .await(u"the register is active"_s, [] { return isActive(u"xzcf_face"_s); })
        .act(u"Esc"_s, [] { real::key(Qt::Key_Escape); })
        .await(u"the main window is active"_s, [] { return isActive(u"main"_s); });
    const bool ok = s.run();
    *failure = s.failure();
    return ok;
}

void TestLineKeys::keysInAContinuationLine_data()
{
    QTest::addColumn<Keys>("keys");
    QTest::addColumn<int>("focusAfter");
    QTest::addColumn<QString>("firstAfter");
    QTest::addColumn<QString>("secondAfter");
    const int above = firstLine, here = firstLine + 1, below = firstLine + 2;
    const QString first = u"一二三"_s, second = u"abcdef"_s;
    const Key home{Qt::Key_Home}, end{Qt::Key_End}, selectAll{Qt::Key_A, Qt::ControlModifier};
    const Key toStart{Qt::Key_Home, Qt::ShiftModifier}, oneBack{Qt::Key_Left, Qt::ShiftModifier};
    const Key backspace{Qt::Key_Backspace}, del{Qt::Key_Delete}, left{Qt::Key_Left}, right{Qt::Key_Right};

    QTest::newRow("select all, Backspace") << Keys{selectAll, backspace} << here << first << QString();
    QTest::newRow("from the end Shift+Home, Backspace") << Keys{end, toStart, backspace} << here << first << QString();
    QTest::newRow("select all, Delete") << Keys{selectAll, del} << here << first << QString();
    QTest::newRow("Shift+Left at the end, Backspace") << Keys{end, oneBack, backspace} << here << first << u"abcde"_s;
    QTest::newRow("select all, Left collapses") << Keys{selectAll, left} << here << first << second;
    QTest::newRow("select all, Right collapses") << Keys{selectAll, right} << here << first << second;
    QTest::newRow("select all, Left, Backspace moves up") << Keys{selectAll, left, backspace} << above << first << second;
    QTest::newRow("Backspace at the start moves up") << Keys{home, backspace} << above << first << second;
    QTest::newRow("Left at the start moves up") << Keys{home, left} << above << first << second;
    QTest::newRow("Right at the end moves down") << Keys{end, right} << below << first << second;
    QTest::newRow("Delete at the end joins nothing") << Keys{end, del} << here << first << second;
}

void TestLineKeys::keysInAContinuationLine()
{
    QFETCH(Keys, keys);
    QFETCH(int, focusAfter);
    QFETCH(QString, firstAfter);
    QFETCH(QString, secondAfter);
    Program p;
    p.db().exec(u"INSERT INTO xzcf (dabh, slsj, dwlb1, bg3, msje, fkje, shsp, xhsp) "
                "VALUES ('20020001', '2002-01-05', '食品卫生', 1, '0', '0', '0', '0')"_s);
    p.db().exec(u"INSERT INTO labg (dabh, aqzy1, aqzy2) VALUES ('20020001', '一二三', 'abcdef')"_s);
    const QStringList expected{firstAfter, secondAfter, QString(), QString()};
    QString failure;
    const bool ran = inSecondLine(
        p,
        [&](UserScript &s) {
            s.act(u"the keys"_s, [keys] {
                for (const Key &k : keys)
                    real::key(k.key, k.modifiers);
            });
            auto settled = [&p, expected, focusAfter] {
                return focusedLine() == focusAfter && storedLines(p.db()) == expected
                       && line(firstLine)->text() == expected[0] && line(firstLine + 1)->text() == expected[1];
            };
            s.await(u"the lines and the focus as expected"_s, settled).holds(u"and they stay so"_s, settled, 400);
        },
        &failure);
    QVERIFY2(ran, qPrintable(failure + u" stored: "_s + storedLines(p.db()).join(u'|')
                             + u", focus in box %1"_s.arg(focusedLine())));
}

// No key events: the commit alone saves the line and carries what the line
// cannot hold into the next one.
void TestLineKeys::inputMethodCommitFlows()
{
    Program p;
    p.db().exec(u"INSERT INTO xzcf (dabh, slsj, dwlb1, bg3, msje, fkje, shsp, xhsp) "
                "VALUES ('20020001', '2002-01-05', '食品卫生', 1, '0', '0', '0', '0')"_s);
    p.db().exec(u"INSERT INTO labg (dabh, aqzy1, aqzy2) VALUES ('20020001', '一二三', 'abcdef')"_s);
    // The second line holds 80 units: 6 letters and 37 full-width characters.
    const QStringList expected{u"一二三"_s, u"abcdef"_s + u"中"_s.repeated(37), u"中"_s.repeated(3), QString()};
    QString failure;
    const bool ran = inSecondLine(
        p,
        [&](UserScript &s) {
            s.act(u"End"_s, [] { real::key(Qt::Key_End); })
                .await(u"the caret at the end"_s, [] { return line(firstLine + 1)->cursorPosition() == 6; })
                .act(u"commit 40 characters"_s, [] { real::commit(u"中"_s.repeated(40)); })
                .await(u"the paragraph flowed and is stored"_s, [&p, expected] {
                    return storedLines(p.db()) == expected && line(firstLine + 2)->text() == expected[2];
                });
        },
        &failure);
    QVERIFY2(ran, qPrintable(failure + u" stored: "_s + storedLines(p.db()).join(u'|')));
}

QTEST_MAIN(TestLineKeys)
#include "tst_linekeys.moc"
