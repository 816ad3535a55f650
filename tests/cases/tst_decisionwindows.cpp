// The penalty decision, the on-the-spot penalty decision and the
// order-to-correct notice in their windows on a real database: opening from
// the register with the authority, every box writing its own column only,
// the paragraphs flowing within their groups, the keys, the typing limits
// of the order's date parts, the pointer, printing and deleting. Needs
// widgets: focus, keys and input-method commits reach real boxes.
#include "cases/documents/descriptions.h"
#include "cases/engine/description.h"
#include "cases/engine/documentwindow.h"
#include "cases/engine/documentwindows.h"
#include "data/appvalues.h"
#include "data/connection.h"
#include "data/schema.h"
#include "platform/busypointer.h"
#include "platform/database.h"
#include "platform/gridlabel.h"
#include "support/documentrows.h"
#include "support/testdb.h"
#include "support/ui/documenttesting.h"
#include "support/ui/recordingprinter.h"
#include "support/ui/scriptedmessages.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;

Q_DECLARE_METATYPE(std::vector<int>)

namespace {

using test::commit;
using test::focusedBox;
using test::press;

const QString caseNo = u"20020007"_s;
constexpr int cfjd = 8;
constexpr int dccf = 19;
constexpr int zlgz = 21;

const DocumentDescription &description(int k) { return *documentDescription(k); }
QString table(int k) { return description(k).document.table; }

QString stored(int k, const QString &column)
{
    return test::storedValue(table(k), column, caseNo);
}

// The whole row in box order.
QStringList row(int k)
{
    QStringList values;
    for (const BoxSpec &b : description(k).boxes)
        values << stored(k, b.column);
    return values;
}

void store(int k, const QString &column, const QString &value)
{
    db().insertRow(table(k), {u"dabh"_s}, {caseNo});
    db().exec(u"UPDATE %1 SET %2 = ? WHERE dabh = ?"_s.arg(table(k), column), {value, caseNo});
}

// Display units a column holds (a full-width character takes 2).
int capacity(int k, const QString &column)
{
    for (const schema::Column &c : schema::find(table(k).toStdString())->columns)
        if (QString::fromUtf8(c.name.data(), qsizetype(c.name.size())) == column)
            return c.capacity;
    return -1;
}

int capacityInCharacters(int k, const QString &column) { return capacity(k, column) / 2; }

// A paragraph of n distinct-looking full-width characters.
QString paragraph(int n)
{
    const QString cycle = u"甲乙丙丁戊己庚辛壬癸"_s;
    QString p;
    for (int i = 0; i < n; ++i)
        p += cycle[i % cycle.size()];
    return p;
}

} // namespace

class TestDecisionWindows : public test::DocumentWindowTest {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void opensFromTheRegister_data();
    void opensFromTheRegister();
    void everyBoxWritesItsOwnColumn_data();
    void everyBoxWritesItsOwnColumn();
    void paragraphsFlowWithinTheirGroup_data();
    void paragraphsFlowWithinTheirGroup();
    void caretFollowsTheCarriedText_data();
    void caretFollowsTheCarriedText();
    void editsInsideAParagraph_data();
    void editsInsideAParagraph();
    void typingPastACapacity_data();
    void typingPastACapacity();
    void keys_data();
    void keys();
    void typingLimits_data();
    void typingLimits();
    void looks_data();
    void looks();
    void pointerOnActivation_data();
    void pointerOnActivation();
    void enforcementSentenceWraps();
    void printsItsOwnForm_data();
    void printsItsOwnForm();

private:
    DocumentWindow *open(int k) { return openFromRegister(k); }
};

void TestDecisionWindows::init() { setUpWindowTest(caseNo); }

void TestDecisionWindows::cleanup() { tearDownWindowTest(); }

void TestDecisionWindows::opensFromTheRegister_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<int>("authorityBox");
    QTest::addColumn<QString>("authorityColumn");
    QTest::addColumn<bool>("confirm");
    QTest::newRow("cfjd, deleted on Yes") << cfjd << u"frm_cfjd"_s << u"行政处罚决定书"_s << QSize(8280, 8625) << 29
                                          << u"jgmc"_s << true;
    QTest::newRow("cfjd, kept on No") << cfjd << u"frm_cfjd"_s << u"行政处罚决定书"_s << QSize(8280, 8625) << 29
                                      << u"jgmc"_s << false;
    QTest::newRow("dccf, deleted on Yes") << dccf << u"frm_dccf"_s << u"当场行政处罚决定书"_s << QSize(8145, 8370)
                                          << 30 << u"dw"_s << true;
    QTest::newRow("dccf, kept on No") << dccf << u"frm_dccf"_s << u"当场行政处罚决定书"_s << QSize(8145, 8370)
                                      << 30 << u"dw"_s << false;
    QTest::newRow("zlgz, deleted on Yes") << zlgz << u"frm_zlgz"_s << u"责令改正通知书"_s << QSize(8085, 8280) << 34
                                          << u"jg"_s << true;
    QTest::newRow("zlgz, kept on No") << zlgz << u"frm_zlgz"_s << u"责令改正通知书"_s << QSize(8085, 8280) << 34
                                      << u"jg"_s << false;
}

// The register's box k opens the window on a new row that holds only the
// case number and the issuing authority, shown black, centred and locked;
// closing with "销  档" ticked asks, and Yes deletes the row and unticks
// box k while No keeps both. The window closes either way.
void TestDecisionWindows::opensFromTheRegister()
{
    QFETCH(int, k);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QSize, client);
    QFETCH(int, authorityBox);
    QFETCH(QString, authorityColumn);
    QFETCH(bool, confirm);
    open(k);
    QCOMPARE(m_window->objectName(), name);
    QCOMPARE(m_window->windowTitle(), caption);
    QCOMPARE(m_window->size(), QSize(px(client.width()), px(client.height())));
    QCOMPARE(focusedBox(*m_window), 0);
    QStringList expected;
    for (const BoxSpec &b : description(k).boxes)
        expected << (b.column == authorityColumn ? authorityText() : QString());
    QCOMPARE(row(k), expected);
    for (int i = 0; i <= description(k).lastIndex(); ++i)
        QCOMPARE(line(i)->text(), expected[i]);

    QLineEdit *authority = line(authorityBox);
    QVERIFY(authority->isReadOnly());
    QCOMPARE(authority->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    QCOMPARE(authority->palette().color(QPalette::Text), QColor(0, 0, 0));
    // No key and no input method reaches it.
    QVERIFY(!authority->testAttribute(Qt::WA_InputMethodEnabled));
    authority->setFocus();
    QTest::keyClicks(authority, u"ab"_s);
    QTest::keyClick(authority, Qt::Key_Backspace);
    QCOMPARE(authority->text(), authorityText());
    QCOMPARE(stored(k, authorityColumn), authorityText());

    m_window->deleteBox()->setChecked(true);
    m_messages->answer(confirm ? Answer::Yes : Answer::No);
    QVERIFY(m_window->close());
    QCOMPARE(m_messages->lastText(), u"确认销除该案件资料吗？"_s);
    const QString rows = db().scalar(u"SELECT COUNT(*) FROM %1 WHERE dabh = ?"_s.arg(table(k)), {caseNo});
    QCOMPARE(rows, confirm ? u"0"_s : u"1"_s);
    const QStringList calls = confirm ? QStringList{u"Check1(%1)=0"_s.arg(k)} : QStringList();
    QCOMPARE(m_register.calls, calls);
}

void TestDecisionWindows::everyBoxWritesItsOwnColumn_data()
{
    QTest::addColumn<int>("k");
    QTest::newRow("cfjd") << cfjd;
    QTest::newRow("dccf") << dccf;
    QTest::newRow("zlgz: the stub and the notice apart") << zlgz;
}

// Text typed into any box, an apostrophe included, is stored and shown as
// typed in that box's column and nowhere else: the stub's party, violation,
// deadline and number never reach the notice's, and the reverse.
void TestDecisionWindows::everyBoxWritesItsOwnColumn()
{
    QFETCH(int, k);
    open(k);
    const DocumentDescription &d = description(k);
    for (int i = 0; i <= d.lastIndex(); ++i) {
        if (d.boxes[std::size_t(i)].locked)
            continue;
        QStringList expected = row(k);
        line(i)->setFocus();
        commit(line(i), u"7'"_s);
        expected[i] = u"7'"_s;
        QCOMPARE(row(k), expected);
        QCOMPARE(line(i)->text(), u"7'"_s);
    }
}

void TestDecisionWindows::paragraphsFlowWithinTheirGroup_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("first");
    QTest::addColumn<QStringList>("columns");
    QTest::newRow("cfjd facts found") << cfjd << 7 << QStringList{u"wfxw1"_s, u"wfxw4"_s, u"wfxw5"_s, u"wfxw6"_s};
    QTest::newRow("cfjd provisions violated") << cfjd << 12 << QStringList{u"wfgd1"_s, u"wfgd2"_s};
    QTest::newRow("cfjd legal basis") << cfjd << 14 << QStringList{u"yjgd1"_s, u"yjgd2"_s};
    QTest::newRow("cfjd penalty decided") << cfjd << 16 << QStringList{u"xzcf1"_s, u"xzcf2"_s};
    QTest::newRow("cfjd reviewing bureau") << cfjd << 24 << QStringList{u"fyjg1"_s, u"fyjg2"_s};
    QTest::newRow("dccf what was inspected") << dccf << 7 << QStringList{u"jc1"_s, u"jc2"_s};
    QTest::newRow("dccf violations found") << dccf << 9
                                           << QStringList{u"wfxw1"_s, u"wfxw2"_s, u"wfxw3"_s, u"wfxw4"_s};
    QTest::newRow("dccf provisions violated") << dccf << 14 << QStringList{u"wfgd1"_s, u"wfgd2"_s};
    QTest::newRow("dccf legal basis") << dccf << 16 << QStringList{u"yj1"_s, u"yj2"_s};
    QTest::newRow("dccf reviewing bureau") << dccf << 25 << QStringList{u"fyj1"_s, u"fyj2"_s};
    QTest::newRow("zlgz violation (stub)") << zlgz << 4 << QStringList{u"wfxw1"_s, u"wfxw2"_s};
    QTest::newRow("zlgz act found") << zlgz << 23 << QStringList{u"xw1"_s, u"xw2"_s};
    QTest::newRow("zlgz provisions violated") << zlgz << 25 << QStringList{u"wfgd1"_s, u"wfgd2"_s};
    QTest::newRow("zlgz legal basis") << zlgz << 27 << QStringList{u"yj1"_s, u"yj2"_s};
}

// A paragraph longer than its lines fills each line column to its capacity
// in turn; what the last line cannot hold is dropped, and nothing outside
// the group changes. Shortening it again pulls the text up and empties the
// lines below, columns and boxes.
void TestDecisionWindows::paragraphsFlowWithinTheirGroup()
{
    QFETCH(int, k);
    QFETCH(int, first);
    QFETCH(QStringList, columns);
    open(k);
    const QStringList before = row(k);
    int total = 0;
    for (const QString &c : columns)
        total += capacityInCharacters(k, c);
    const QString text = paragraph(total + 3);
    line(first)->setFocus();
    commit(line(first), text);
    QStringList expected = before;
    int taken = 0;
    for (int j = 0; j < columns.size(); ++j) {
        const int n = capacityInCharacters(k, columns[j]);
        expected[first + j] = text.mid(taken, n);
        taken += n;
        QCOMPARE(line(first + j)->text(), expected[first + j]);
    }
    QCOMPARE(row(k), expected);

    // Replacing the first line re-packs the paragraph, an apostrophe kept.
    line(first)->setFocus();
    line(first)->selectAll();
    commit(line(first), u"甲'"_s);
    QString rest = u"甲'"_s + text.mid(capacityInCharacters(k, columns[0]), total - capacityInCharacters(k, columns[0]));
    for (int j = 0; j < columns.size(); ++j) {
        const QString kept = fitToUnits(rest, capacity(k, columns[j]));
        QCOMPARE(stored(k, columns[j]), kept);
        QCOMPARE(line(first + j)->text(), kept);
        rest = rest.mid(kept.size());
    }
    QVERIFY(rest.isEmpty());
}

void TestDecisionWindows::caretFollowsTheCarriedText_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("next");
    QTest::addColumn<QString>("nextBefore");
    QTest::newRow("cfjd wfxw1 into an empty wfxw4") << cfjd << 7 << u"wfxw1"_s << u"wfxw4"_s << QString();
    QTest::newRow("dccf jc1 into an empty jc2") << dccf << 7 << u"jc1"_s << u"jc2"_s << QString();
    QTest::newRow("zlgz xw1 into an empty xw2") << zlgz << 23 << u"xw1"_s << u"xw2"_s << QString();
    QTest::newRow("zlgz xw1 into xw2 holding text") << zlgz << 23 << u"xw1"_s << u"xw2"_s << u"丙丁"_s;
}

// Typing at the end of a full first line: the character moves to the
// start of the next line and the caret follows it there, standing right
// after it whether or not that line held text.
void TestDecisionWindows::caretFollowsTheCarriedText()
{
    QFETCH(int, k);
    QFETCH(int, box);
    QFETCH(QString, column);
    QFETCH(QString, next);
    QFETCH(QString, nextBefore);
    const QString full = u"甲"_s.repeated(capacityInCharacters(k, column));
    store(k, column, full);
    store(k, next, nextBefore);
    open(k);
    line(box)->setFocus();
    line(box)->end(false);
    commit(line(box), u"乙"_s);
    QCOMPARE(stored(k, column), full);
    QCOMPARE(stored(k, next), u"乙"_s + nextBefore);
    QCOMPARE(focusedBox(*m_window), box + 1);
    QCOMPARE(line(box + 1)->cursorPosition(), 1);
}

void TestDecisionWindows::editsInsideAParagraph_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("box");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("typed"); // "\b": the Backspace key
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("focus");
    const QString w1 = u"甲"_s.repeated(capacityInCharacters(dccf, u"wfxw1"_s));
    const QString w2 = u"乙"_s.repeated(capacityInCharacters(dccf, u"wfxw2"_s));
    const QString f1 = u"甲"_s.repeated(capacityInCharacters(cfjd, u"wfxw1"_s));
    QTest::newRow("dccf: typing in the middle of a full wfxw1 carries its end, the caret stays")
        << dccf << 9 << 3 << u"丙"_s << QStringList{w1, {}, {}, {}}
        << QStringList{w1.left(3) + u"丙"_s + w1.mid(4), u"甲"_s, {}, {}} << 9;
    QTest::newRow("dccf: deleting in wfxw2 pulls wfxw3 and wfxw4 up, wfxw1 stays")
        << dccf << 10 << 1 << u"\b"_s << QStringList{u"甲"_s, w2, u"丙丁"_s, u"戊"_s}
        << QStringList{u"甲"_s, w2.mid(1) + u"丙"_s, u"丁戊"_s, {}} << 10;
    QTest::newRow("cfjd: deleting in wfxw1 until the facts fit empties the lines below")
        << cfjd << 7 << int(f1.size()) << u"\b"_s << QStringList{f1, u"乙"_s, {}, {}}
        << QStringList{f1.left(f1.size() - 1) + u"乙"_s, {}, {}, {}} << 7;
}

// An edit inside a paragraph re-packs the lines from the edited one down.
void TestDecisionWindows::editsInsideAParagraph()
{
    QFETCH(int, k);
    QFETCH(int, box);
    QFETCH(int, caret);
    QFETCH(QString, typed);
    QFETCH(QStringList, before);
    QFETCH(QStringList, after);
    QFETCH(int, focus);
    const int first = k == dccf ? 9 : 7;
    const DocumentDescription &d = description(k);
    for (int i = 0; i < 4; ++i)
        store(k, d.boxes[std::size_t(first + i)].column, before[i]);
    open(k);
    line(box)->setFocus();
    line(box)->setCursorPosition(caret);
    if (typed == u"\b"_s)
        press(line(box), Qt::Key_Backspace);
    else
        commit(line(box), typed);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(stored(k, d.boxes[std::size_t(first + i)].column), after[i]);
        QCOMPARE(line(first + i)->text(), after[i]);
    }
    QCOMPARE(focusedBox(*m_window), focus);
    if (typed != u"\b"_s)
        QCOMPARE(line(box)->cursorPosition(), caret + 1);
}

void TestDecisionWindows::typingPastACapacity_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("column");
    QTest::newRow("cfjd cfdw") << cfjd << 3 << u"cfdw"_s;
    QTest::newRow("cfjd zm") << cfjd << 11 << u"zm"_s;
    QTest::newRow("cfjd jkdw") << cfjd << 20 << u"jkdw"_s;
    QTest::newRow("cfjd wfxw6, the last line") << cfjd << 10 << u"wfxw6"_s;
    QTest::newRow("dccf bcfr") << dccf << 3 << u"bcfr"_s;
    QTest::newRow("dccf wfxw4, the last line") << dccf << 12 << u"wfxw4"_s;
    QTest::newRow("zlgz dsr") << zlgz << 3 << u"dsr"_s;
    QTest::newRow("zlgz yj2, the last line") << zlgz << 28 << u"yj2"_s;
}

// A single box, or the last line of a group, keeps what its column holds:
// a character typed at the end of a full box vanishes, the caret stays.
void TestDecisionWindows::typingPastACapacity()
{
    QFETCH(int, k);
    QFETCH(int, box);
    QFETCH(QString, column);
    const QString full = u"甲"_s.repeated(capacityInCharacters(k, column));
    store(k, column, full);
    open(k);
    line(box)->setFocus();
    line(box)->end(false);
    commit(line(box), u"乙"_s);
    QCOMPARE(stored(k, column), full);
    QCOMPARE(line(box)->text(), full);
    QCOMPARE(line(box)->cursorPosition(), int(full.size()));
}

void TestDecisionWindows::keys_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("caret"); // -1: at the end
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("to");
    const int bs = Qt::Key_Backspace;
    const int left = Qt::Key_Left;
    const int right = Qt::Key_Right;
    const int enter = Qt::Key_Return;
    const int down = Qt::Key_Down;
    const int up = Qt::Key_Up;
    QTest::newRow("cfjd Right at the end of wfxw1 to wfxw4") << cfjd << 7 << -1 << right << 8;
    QTest::newRow("cfjd Right at the end of wfxw4 to wfxw5") << cfjd << 8 << -1 << right << 9;
    QTest::newRow("cfjd Right at the end of wfxw5 to wfxw6") << cfjd << 9 << -1 << right << 10;
    QTest::newRow("cfjd Right at the end of fyjg1 to fyjg2") << cfjd << 24 << -1 << right << 25;
    QTest::newRow("cfjd Right at the end of wfxw6 stays") << cfjd << 10 << -1 << right << 10;
    QTest::newRow("cfjd Right at the end of zm stays") << cfjd << 11 << -1 << right << 11;
    QTest::newRow("cfjd Right at the end of fyjg2 stays") << cfjd << 25 << -1 << right << 25;
    QTest::newRow("cfjd Backspace at the start of wfxw4 to wfxw1") << cfjd << 8 << 0 << bs << 7;
    QTest::newRow("cfjd Backspace at the start of fyjg2 to fyjg1") << cfjd << 25 << 0 << bs << 24;
    QTest::newRow("cfjd Left at the start of xzcf2 to xzcf1") << cfjd << 17 << 0 << left << 16;
    QTest::newRow("cfjd Backspace at the start of wfxw1 stays") << cfjd << 7 << 0 << bs << 7;
    QTest::newRow("cfjd Backspace at the start of zm stays") << cfjd << 11 << 0 << bs << 11;
    QTest::newRow("cfjd Enter in pbsj_d stays") << cfjd << 32 << 0 << enter << 32;
    QTest::newRow("cfjd Down in pbsj_d stays") << cfjd << 32 << 0 << down << 32;
    QTest::newRow("cfjd Up in lb stays") << cfjd << 0 << 0 << up << 0;
    QTest::newRow("cfjd Enter in qsjg to the locked jgmc") << cfjd << 28 << 0 << enter << 29;
    QTest::newRow("cfjd Enter in jgmc to pbsj_y") << cfjd << 29 << 0 << enter << 30;
    QTest::newRow("cfjd Up in pbsj_y to jgmc") << cfjd << 30 << 0 << up << 29;
    QTest::newRow("dccf Right at the end of wfxw1 to wfxw2") << dccf << 9 << -1 << right << 10;
    QTest::newRow("dccf Right at the end of wfxw2 to wfxw3") << dccf << 10 << -1 << right << 11;
    QTest::newRow("dccf Right at the end of wfxw3 to wfxw4") << dccf << 11 << -1 << right << 12;
    QTest::newRow("dccf Right at the end of wfxw4 stays") << dccf << 12 << -1 << right << 12;
    QTest::newRow("dccf Right at the end of jc2 stays") << dccf << 8 << -1 << right << 8;
    QTest::newRow("dccf Right at the end of wfgd2 stays") << dccf << 15 << -1 << right << 15;
    QTest::newRow("dccf Right at the end of yj2 stays") << dccf << 17 << -1 << right << 17;
    QTest::newRow("dccf Right at the end of fyj2 stays") << dccf << 26 << -1 << right << 26;
    QTest::newRow("dccf Backspace at the start of wfxw1 stays") << dccf << 9 << 0 << bs << 9;
    QTest::newRow("dccf Backspace at the start of wfxw2 to wfxw1") << dccf << 10 << 0 << bs << 9;
    QTest::newRow("dccf Left at the start of jc2 to jc1") << dccf << 8 << 0 << left << 7;
    QTest::newRow("dccf Enter in ri stays") << dccf << 34 << 0 << enter << 34;
    QTest::newRow("dccf Up in lb stays") << dccf << 0 << 0 << up << 0;
    QTest::newRow("dccf Enter in fy to the locked dw") << dccf << 29 << 0 << enter << 30;
    QTest::newRow("dccf Down in dw to zfry") << dccf << 30 << 0 << down << 31;
    QTest::newRow("dccf Up in zfry to dw") << dccf << 31 << 0 << up << 30;
    QTest::newRow("zlgz Right at the end of wfxw1 to wfxw2") << zlgz << 4 << -1 << right << 5;
    QTest::newRow("zlgz Right at the end of yj1 to yj2") << zlgz << 27 << -1 << right << 28;
    QTest::newRow("zlgz Right at the end of wfxw2 stays") << zlgz << 5 << -1 << right << 5;
    QTest::newRow("zlgz Right at the end of xw2 stays") << zlgz << 24 << -1 << right << 24;
    QTest::newRow("zlgz Right at the end of wfgd2 stays") << zlgz << 26 << -1 << right << 26;
    QTest::newRow("zlgz Right at the end of yj2 stays") << zlgz << 28 << -1 << right << 28;
    QTest::newRow("zlgz Backspace at the start of xw1 stays") << zlgz << 23 << 0 << bs << 23;
    QTest::newRow("zlgz Backspace at the start of xw2 to xw1") << zlgz << 24 << 0 << bs << 23;
    QTest::newRow("zlgz Enter in ri stays") << zlgz << 37 << 0 << enter << 37;
    QTest::newRow("zlgz Down in ri stays") << zlgz << 37 << 0 << down << 37;
    QTest::newRow("zlgz Up in zi12 stays") << zlgz << 0 << 0 << up << 0;
    QTest::newRow("zlgz Enter from the stub's last box to the notice") << zlgz << 15 << 0 << enter << 16;
    QTest::newRow("zlgz Up from the notice back to the stub") << zlgz << 16 << 0 << up << 15;
    QTest::newRow("zlgz Enter in gz_f to the locked jg") << zlgz << 33 << 0 << enter << 34;
}

void TestDecisionWindows::keys()
{
    QFETCH(int, k);
    QFETCH(int, from);
    QFETCH(int, caret);
    QFETCH(int, key);
    QFETCH(int, to);
    const DocumentDescription &d = description(k);
    for (const LineGroup &g : d.groups)
        for (int i = g.first; i <= g.last; ++i)
            store(k, d.boxes[std::size_t(i)].column, u"字"_s);
    store(k, d.boxes[std::size_t(from)].column, u"字"_s);
    const QStringList before = row(k);
    open(k);
    line(from)->setFocus();
    line(from)->setCursorPosition(caret < 0 ? int(line(from)->text().size()) : caret);
    press(line(from), Qt::Key(key));
    QCOMPARE(focusedBox(*m_window), to);
    if (to < from && key != Qt::Key_Up)
        QCOMPARE(line(to)->cursorPosition(), int(line(to)->text().size()));
    // A move is no edit.
    QCOMPARE(row(k), before);
}

void TestDecisionWindows::typingLimits_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<std::vector<int>>("boxes");
    QTest::addColumn<QString>("kept"); // of "1234567890"
    QTest::newRow("zlgz years take 4") << zlgz << std::vector<int>{7, 13, 20, 35} << u"1234"_s;
    QTest::newRow("zlgz month and day of the act found take 4") << zlgz << std::vector<int>{21, 22} << u"1234"_s;
    QTest::newRow("zlgz stub deadline, signature and notice date parts take 2")
        << zlgz << std::vector<int>{8, 9, 10, 11, 14, 15, 36, 37} << u"12"_s;
    QTest::newRow("zlgz notice deadline: up to the column") << zlgz << std::vector<int>{29, 30, 31, 32, 33}
                                                            << u"12345678"_s;
    QTest::newRow("cfjd date parts: up to the column") << cfjd << std::vector<int>{4, 5, 6, 18, 19, 30, 31, 32}
                                                       << u"12345678"_s;
    QTest::newRow("dccf date parts: up to the column") << dccf << std::vector<int>{4, 5, 6, 19, 20, 32, 33, 34}
                                                       << u"12345678"_s;
}

// Typing limits stop keys only; the column's capacity does the rest.
void TestDecisionWindows::typingLimits()
{
    QFETCH(int, k);
    QFETCH(std::vector<int>, boxes);
    QFETCH(QString, kept);
    open(k);
    for (int box : boxes) {
        line(box)->setFocus();
        QTest::keyClicks(line(box), u"1234567890"_s);
        QCOMPARE(line(box)->text(), kept);
        QCOMPARE(stored(k, description(k).boxes[std::size_t(box)].column), kept);
    }
}

void TestDecisionWindows::looks_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("spoken"); // its name for a screen reader
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("centred");
    const QColor blue(0, 0, 255);
    const QColor red(255, 0, 0);
    QTest::newRow("cfjd cfdw") << cfjd << 3 << u"被处罚人"_s << blue << false << false;
    QTest::newRow("cfjd nd, centred") << cfjd << 1 << u"罚字 年"_s << blue << false << true;
    QTest::newRow("cfjd xzcf1, bold") << cfjd << 16 << u"对你(单位)作出下列行政处罚 第1行"_s << blue << true << false;
    QTest::newRow("cfjd xzcf2, bold") << cfjd << 17 << u"对你(单位)作出下列行政处罚 第2行"_s << blue << true << false;
    QTest::newRow("cfjd qsqx, centred") << cfjd << 27 << u"或者 日内向人民法院起诉"_s << blue << false << true;
    QTest::newRow("dccf zfry, signature") << dccf << 31 << u"执法人员签名"_s << red << false << false;
    QTest::newRow("dccf hao, centred") << dccf << 2 << u"罚字第 号"_s << blue << false << true;
    QTest::newRow("dccf fk") << dccf << 18 << u"予以 元人民币罚款的行政处罚"_s << blue << false << false;
    QTest::newRow("zlgz qm, signature") << zlgz << 12 << u"执法人员签名"_s << red << false << false;
    QTest::newRow("zlgz hao2, centred") << zlgz << 18 << u"责令改正通知书 改字第 号"_s << blue << false << true;
}

void TestDecisionWindows::looks()
{
    QFETCH(int, k);
    QFETCH(int, box);
    QFETCH(QString, spoken);
    QFETCH(QColor, colour);
    QFETCH(bool, bold);
    QFETCH(bool, centred);
    open(k);
    QCOMPARE(line(box)->accessibleName(), spoken);
    QCOMPARE(line(box)->palette().color(QPalette::Text), colour);
    QCOMPARE(line(box)->font().bold(), bold);
    QCOMPARE(bool(line(box)->alignment() & Qt::AlignHCenter), centred);
    QVERIFY(!line(box)->isReadOnly());
}

void TestDecisionWindows::pointerOnActivation_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<bool>("reset");
    QTest::newRow("cfjd resets the pointer") << cfjd << true;
    QTest::newRow("dccf resets the pointer") << dccf << true;
    QTest::newRow("zlgz leaves it") << zlgz << false;
}

void TestDecisionWindows::pointerOnActivation()
{
    QFETCH(int, k);
    QFETCH(bool, reset);
    showHourglass();
    open(k);
    QCOMPARE(hourglassShown(), !reset);
    showDefaultPointer();
}

// The on-the-spot decision's enforcement sentence is one label 7215 twips
// wide that breaks after its fortieth character.
void TestDecisionWindows::enforcementSentenceWraps()
{
    open(dccf);
    const QString sentence =
        u"逾期不申请行政复议或者不向人民法院起诉又不履行处罚决定的，本机关将依法申请人民法院强制执行。"_s;
    GridLabel *label = nullptr;
    for (auto *l : m_window->findChildren<GridLabel *>())
        if (l->text() == sentence)
            label = l;
    QVERIFY(label);
    QCOMPARE(label->lines(), (QStringList{sentence.left(40), sentence.mid(40)}));
    QCOMPARE(label->geometry().topLeft(), QPoint(px(480), px(6960)));
    QVERIFY(label->geometry().bottom() < px(7440));
}

void TestDecisionWindows::printsItsOwnForm_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("column");
    QTest::newRow("rep_cfjd") << cfjd << u"行政处罚决定书"_s << u"cfdw"_s;
    QTest::newRow("rep_dccf") << dccf << u"当场行政处罚决定书"_s << u"bcfr"_s;
    QTest::newRow("rep_zlgz") << zlgz << u"责令改正通知书存根"_s << u"dsr"_s;
}

// The print picture prints the window's own row on one page of the
// document's form.
void TestDecisionWindows::printsItsOwnForm()
{
    QFETCH(int, k);
    QFETCH(QString, title);
    QFETCH(QString, column);
    test::RecordingPrinter &printer = test::RecordingPrinter::install();
    open(k);
    store(k, column, u"某饭店"_s);
    app().caseNo = u"20029999"_s;
    QTest::mouseClick(m_window->printPicture(), Qt::LeftButton);
    QCOMPARE(app().caseNo, caseNo);
    QCOMPARE(printer.printed.size(), 1);
    QCOMPARE(printer.printed[0].pageCount(), 1);
    const QStringList texts = printer.printed[0].texts(0);
    QVERIFY(texts.contains(title));
    QVERIFY(texts.contains(u"某饭店"_s));
    QVERIFY(texts.contains(authorityText()));
}

QTEST_MAIN(TestDecisionWindows)
#include "tst_decisionwindows.moc"
