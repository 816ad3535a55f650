// The windows of the notice of the right to a hearing, the advance penalty
// notice and the hearing notification on a real database: opened from the
// register's boxes 6, 7 and 18, their line groups, keys, boxes, tab order,
// mouse pointer, printing and delete-on-close. Needs widgets: focus, keys
// and input-method commits reach real boxes.
#include "cases/engine/description.h"
#include "cases/engine/documentwindow.h"
#include "cases/engine/documentwindows.h"
#include "data/appvalues.h"
#include "data/connection.h"
#include "platform/busypointer.h"
#include "platform/printsink.h"
#include "support/documentrows.h"
#include "support/testdb.h"
#include "support/ui/documenttesting.h"
#include "support/ui/recordingprinter.h"
#include "support/ui/scriptedmessages.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;

namespace {

using test::commit;
using test::press;

const QString caseNo = u"20020007"_s;
constexpr int tzgz = 6;
constexpr int cfgz = 7;
constexpr int tztz = 18;

QString table(int k) { return documentAt(k).table; }

QString stored(int k, const QString &column)
{
    return test::storedValue(table(k), column, caseNo);
}

void store(int k, const QString &column, const QString &value)
{
    db().exec(u"UPDATE %1 SET %2 = ? WHERE dabh = ?"_s.arg(table(k), column), {value, caseNo});
}

QString chars(const QString &c, int n) { return c.repeated(n); }

const QColor blue(0, 0, 255);
const QColor red(255, 0, 0);
const QColor black(0, 0, 0);
const QColor darkGrey(64, 64, 64);

} // namespace

class TestNoticeDocuments : public test::DocumentWindowTest {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void opensFromTheRegister_data();
    void opensFromTheRegister();
    void deleteOnClose_data();
    void deleteOnClose();
    void lineGroups_data();
    void lineGroups();
    void keys_data();
    void keys();
    void boxes_data();
    void boxes();
    void tabOrder_data();
    void tabOrder();
    void mousePointer_data();
    void mousePointer();
    void printsTheRow_data();
    void printsTheRow();

private:
    DocumentWindow *open(int k) { return openFromRegister(k); }
};

void TestNoticeDocuments::init() { setUpWindowTest(caseNo); }

void TestNoticeDocuments::cleanup() { tearDownWindowTest(); }

void TestNoticeDocuments::opensFromTheRegister_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("authority"); // its box
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QSize>("size"); // twips; empty: not given by the form
    QTest::newRow("box 6: frm_tzgz") << tzgz << u"frm_tzgz"_s << u"行政处罚听证告知书"_s << 19 << black
                                     << QSize(8145, 8280);
    QTest::newRow("box 7: frm_cfgz") << cfgz << u"frm_cfgz"_s << u"行政处罚告知书"_s << 24 << darkGrey << QSize();
    QTest::newRow("box 18: frm_tztz") << tztz << u"frm_tztz"_s << u"行政处罚听证通知书"_s << 30 << black << QSize();
}

// A new row shows only the issuing authority, in its locked, centred box of
// the document's colour; typing into it changes nothing.
void TestNoticeDocuments::opensFromTheRegister()
{
    QFETCH(int, k);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(int, authority);
    QFETCH(QColor, colour);
    QFETCH(QSize, size);
    QVERIFY(open(k));
    QCOMPARE(m_window->objectName(), name);
    QCOMPARE(m_window->windowTitle(), caption);
    if (size.isValid())
        QCOMPARE(m_window->size(), QSize(px(size.width()), px(size.height())));
    QCOMPARE(m_window->pos(), QPoint(0, 0));
    QCOMPARE(m_window->palette().color(QPalette::Window), QColor(Qt::white));
    QCOMPARE(test::focusedBox(*m_window), 0);

    const DocumentDescription &d = m_window->description();
    QCOMPARE(d.boxes[std::size_t(authority)].column, documentAt(k).authorityColumn);
    for (int i = 0; i <= d.lastIndex(); ++i) {
        const QString expected = i == authority ? authorityText() : QString();
        QCOMPARE(line(i)->text(), expected);
        QCOMPARE(stored(k, d.boxes[std::size_t(i)].column), expected);
    }
    QLineEdit *box = line(authority);
    QVERIFY(box->isReadOnly());
    QCOMPARE(box->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    QCOMPARE(box->palette().color(QPalette::Text), colour);
    box->setFocus();
    QTest::keyClicks(box, u"ab"_s);
    QTest::keyClick(box, Qt::Key_Backspace);
    // No input method writes into it either.
    QVERIFY(!box->testAttribute(Qt::WA_InputMethodEnabled));
    QCOMPARE(box->text(), authorityText());
    QCOMPARE(stored(k, documentAt(k).authorityColumn), authorityText());
}

void TestNoticeDocuments::deleteOnClose_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("deleted");
    for (int k : {tzgz, cfgz, tztz}) {
        const QByteArray t = table(k).toLatin1();
        QTest::addRow("%s, ticked, Yes", t.constData()) << k << true << true << true;
        QTest::addRow("%s, ticked, No", t.constData()) << k << true << false << false;
        QTest::addRow("%s, clear", t.constData()) << k << false << false << false;
    }
}

// A confirmed deletion removes the row and unticks the register's box k,
// with the register told first not to act on the untick.
void TestNoticeDocuments::deleteOnClose()
{
    QFETCH(int, k);
    QFETCH(bool, ticked);
    QFETCH(bool, yes);
    QFETCH(bool, deleted);
    open(k);
    m_window->deleteBox()->setChecked(ticked);
    m_messages->answer(yes ? Answer::Yes : Answer::No);
    m_window->close();
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_messages->shown.size(), ticked ? 1 : 0);
    if (ticked) {
        QCOMPARE(m_messages->lastText(), u"确认销除该案件资料吗？"_s);
        QCOMPARE(m_messages->shown[0].title, u"提示"_s);
    }
    const QString rows = db().scalar(u"SELECT COUNT(*) FROM %1 WHERE dabh = ?"_s.arg(table(k)), {caseNo});
    QCOMPARE(rows, deleted ? u"0"_s : u"1"_s);
    const QStringList calls{u"Check1(%1)=0"_s.arg(k)};
    QCOMPARE(m_register.calls, deleted ? calls : QStringList());
}

void TestNoticeDocuments::lineGroups_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QStringList>("columns"); // the group, first line first
    QTest::addColumn<int>("first");           // box of its first line
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<int>("box");      // the edited line
    QTest::addColumn<int>("caret");    // -1: at the end
    QTest::addColumn<QString>("typed"); // "\b": the Backspace key
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("focus"); // -1: not looked at

    const QStringList tzgzAct{u"wfxw1"_s, u"wfxw4"_s, u"wfxw5"_s};
    const QStringList cfgzAct{u"wfxw1"_s, u"wfxw4"_s, u"wfxw5"_s, u"wfxw6"_s};
    const QStringList staff{u"tzry1"_s, u"tzry2"_s};
    const QStringList remarks{u"bz1"_s, u"bz2"_s};
    const QString a = u"甲"_s;
    const QString b = u"乙"_s;

    // The act of frm_tzgz: 24, 40 and 35 full-width characters.
    QTest::newRow("tzgz act: wfxw1 flows on to wfxw5, the rest is dropped")
        << tzgz << tzgzAct << 6 << QStringList{{}, {}, {}} << 6 << 0 << chars(a, 24 + 40 + 35 + 5)
        << QStringList{chars(a, 24), chars(a, 40), chars(a, 35)} << -1;
    QTest::newRow("tzgz act: an edit in wfxw4 leaves wfxw1, even with wfxw4 and wfxw5 empty")
        << tzgz << tzgzAct << 6 << QStringList{u"一"_s, u"二"_s, {}} << 7 << -1 << u"\b"_s
        << QStringList{u"一"_s, {}, {}} << 7;
    QTest::newRow("tzgz act: wfxw5, the last line, is cut at once")
        << tzgz << tzgzAct << 6 << QStringList{u"一"_s, u"二"_s, chars(a, 35)} << 8 << -1 << b
        << QStringList{u"外"_s, u"外"_s, chars(a, 35)} << 8;
    QTest::newRow("tzgz provisions: wfgd1 into wfgd2")
        << tzgz << QStringList{u"wfgd1"_s, u"wfgd2"_s} << 9 << QStringList{{}, {}} << 9 << 0
        << chars(a, 36) + u"乙丙"_s << QStringList{chars(a, 36), u"乙丙"_s} << 10;
    QTest::newRow("tzgz basis: yjgd1 into yjgd2")
        << tzgz << QStringList{u"yjgd1"_s, u"yjgd2"_s} << 11 << QStringList{{}, {}} << 11 << 0
        << chars(a, 38) + u"乙丙"_s << QStringList{chars(a, 38), u"乙丙"_s} << 12;
    QTest::newRow("tzgz penalty: xzcf1 into xzcf2")
        << tzgz << QStringList{u"xzcf1"_s, u"xzcf2"_s} << 13 << QStringList{{}, {}} << 13 << 0
        << chars(a, 30) + u"乙丙"_s << QStringList{chars(a, 30), u"乙丙"_s} << 14;

    // The act of frm_cfgz: 21, 40, 40 and 35 full-width characters.
    QTest::newRow("cfgz act: wfxw1 flows on to wfxw6, the rest is dropped")
        << cfgz << cfgzAct << 6 << QStringList{{}, {}, {}, {}} << 6 << 0 << chars(a, 21 + 40 + 40 + 35 + 3)
        << QStringList{chars(a, 21), chars(a, 40), chars(a, 40), chars(a, 35)} << -1;
    QTest::newRow("cfgz act: a full wfxw1 typed at its end carries on, and so does the caret")
        << cfgz << cfgzAct << 6 << QStringList{chars(a, 21), {}, {}, {}} << 6 << -1 << b
        << QStringList{chars(a, 21), b, {}, {}} << 7;
    QTest::newRow("cfgz act: shortened to fit wfxw1, the lines below are emptied")
        << cfgz << cfgzAct << 6 << QStringList{chars(a, 19), b, b, {}} << 6 << -1 << u"\b"_s
        << QStringList{chars(a, 18) + b + b, {}, {}, {}} << 6;
    QTest::newRow("cfgz act: an edit in wfxw5 reflows wfxw5 and wfxw6 only")
        << cfgz << cfgzAct << 6 << QStringList{u"一"_s, u"二"_s, chars(b, 40), {}} << 8 << 0 << u"丙"_s
        << QStringList{u"外"_s, u"外"_s, u"丙"_s + chars(b, 39), b} << 8;
    QTest::newRow("cfgz act: wfxw6, the last line, is cut at once")
        << cfgz << cfgzAct << 6 << QStringList{{}, {}, {}, chars(a, 35)} << 9 << -1 << b
        << QStringList{u"外"_s, u"外"_s, u"外"_s, chars(a, 35)} << 9;
    QTest::newRow("cfgz penalty: xzcf1 into xzcf2")
        << cfgz << QStringList{u"xzcf1"_s, u"xzcf2"_s} << 14 << QStringList{{}, {}} << 14 << 0
        << chars(a, 30) + u"乙丙"_s << QStringList{chars(a, 30), u"乙丙"_s} << 15;
    QTest::newRow("cfgz place: csdd1 into csdd2, the rest is dropped")
        << cfgz << QStringList{u"csdd1"_s, u"csdd2"_s} << 19 << QStringList{{}, {}} << 19 << 0
        << chars(a, 24 + 14 + 4) << QStringList{chars(a, 24), chars(a, 14)} << -1;
    QTest::newRow("cfgz place: csdd2, the last line, is cut at once")
        << cfgz << QStringList{u"csdd1"_s, u"csdd2"_s} << 19 << QStringList{u"一"_s, chars(a, 14)} << 20 << -1
        << b << QStringList{u"一"_s, chars(a, 14)} << 20;

    // The counterfoil of frm_tztz: 35 full-width characters a line.
    QTest::newRow("tztz staff: tzry1 into tzry2, the rest is dropped")
        << tztz << staff << 8 << QStringList{{}, {}} << 8 << 0 << chars(a, 35 + 35 + 2)
        << QStringList{chars(a, 35), chars(a, 35)} << -1;
    QTest::newRow("tztz staff: a full tzry1 typed at its end moves on to tzry2")
        << tztz << staff << 8 << QStringList{chars(a, 35), {}} << 8 << -1 << b << QStringList{chars(a, 35), b} << 9;
    QTest::newRow("tztz staff: shortened to fit tzry1, tzry2 is emptied")
        << tztz << staff << 8 << QStringList{chars(a, 35), b} << 8 << -1 << u"\b"_s
        << QStringList{chars(a, 34) + b, {}} << 8;
    QTest::newRow("tztz staff: tzry2 is cut at once, tzry1 untouched")
        << tztz << staff << 8 << QStringList{{}, chars(a, 35)} << 9 << -1 << b
        << QStringList{u"外"_s, chars(a, 35)} << 9;
    QTest::newRow("tztz remarks: bz1 into bz2")
        << tztz << remarks << 14 << QStringList{{}, {}} << 14 << 0 << chars(a, 35) + u"乙丙"_s
        << QStringList{chars(a, 35), u"乙丙"_s} << 15;
    QTest::newRow("tztz remarks: shortened to fit bz1, bz2 is emptied")
        << tztz << remarks << 14 << QStringList{chars(a, 35), b} << 14 << -1 << u"\b"_s
        << QStringList{chars(a, 34) + b, {}} << 14;
}

// A paragraph flows on from the edited line to the last line of its group,
// never into the lines above it or into another group; the last line keeps
// what its column holds. "外" marks a line above the edited one that the
// database holds differently from its box: a flow that wrote it would show.
void TestNoticeDocuments::lineGroups()
{
    QFETCH(int, k);
    QFETCH(QStringList, columns);
    QFETCH(int, first);
    QFETCH(QStringList, before);
    QFETCH(int, box);
    QFETCH(int, caret);
    QFETCH(QString, typed);
    QFETCH(QStringList, after);
    QFETCH(int, focus);
    db().insertRow(table(k), {u"dabh"_s}, {caseNo});
    for (int i = 0; i < columns.size(); ++i)
        store(k, columns[i], before[i]);
    open(k);
    for (int i = 0; first + i < box; ++i)
        if (after[i] == u"外"_s)
            store(k, columns[i], u"外"_s);
    line(box)->setFocus();
    line(box)->setCursorPosition(caret < 0 ? int(line(box)->text().size()) : caret);
    if (typed == u"\b"_s)
        press(line(box), Qt::Key_Backspace);
    else
        commit(line(box), typed);
    for (int i = 0; i < columns.size(); ++i) {
        QCOMPARE(stored(k, columns[i]), after[i]);
        if (first + i >= box)
            QCOMPARE(line(first + i)->text(), after[i]);
    }
    if (focus >= 0)
        QCOMPARE(test::focusedBox(*m_window), focus);
    // Nothing outside the group was written.
    const DocumentDescription &d = m_window->description();
    for (const BoxSpec &s : d.boxes)
        if (!columns.contains(s.column) && s.column != documentAt(k).authorityColumn)
            QCOMPARE(stored(k, s.column), QString());
}

void TestNoticeDocuments::keys_data()
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

    QTest::newRow("tzgz: Right at the end of wfxw1 to wfxw4") << tzgz << 6 << -1 << right << 7;
    QTest::newRow("tzgz: Right at the end of wfxw4 to wfxw5") << tzgz << 7 << -1 << right << 8;
    QTest::newRow("tzgz: Right at the end of wfgd1 to wfgd2") << tzgz << 9 << -1 << right << 10;
    QTest::newRow("tzgz: Right at the end of xzcf1 to xzcf2") << tzgz << 13 << -1 << right << 14;
    for (int from : {8, 10, 12, 14, 2})
        QTest::addRow("tzgz: Right at the end of box %d stays", from) << tzgz << from << -1 << right << from;
    for (int from : {6, 9, 11, 13, 0})
        QTest::addRow("tzgz: Backspace at the start of box %d stays", from) << tzgz << from << 0 << bs << from;
    QTest::newRow("tzgz: Backspace at the start of wfxw4 to wfxw1") << tzgz << 7 << 0 << bs << 6;
    QTest::newRow("tzgz: Backspace at the start of wfxw5 to wfxw4") << tzgz << 8 << 0 << bs << 7;
    QTest::newRow("tzgz: Left at the start of xzcf2 to xzcf1") << tzgz << 14 << 0 << left << 13;
    QTest::newRow("tzgz: Enter in r2 stays") << tzgz << 34 << 0 << enter << 34;
    QTest::newRow("tzgz: Down in r2 stays") << tzgz << 34 << 0 << down << 34;
    QTest::newRow("tzgz: Up in nd stays") << tzgz << 0 << 0 << up << 0;
    QTest::newRow("tzgz: Enter in pbsj_d to nd2") << tzgz << 22 << 0 << enter << 23;
    QTest::newRow("tzgz: Enter in bh2 to dsr") << tzgz << 24 << 0 << enter << 25;
    QTest::newRow("tzgz: Up in nd2 to pbsj_d") << tzgz << 23 << 0 << up << 22;
    QTest::newRow("tzgz: Enter in lxr to the locked jgmc") << tzgz << 18 << 0 << enter << 19;

    const std::pair<int, int> cfgzCarries[] = {{6, 7}, {7, 8}, {8, 9}, {10, 11}, {12, 13}, {14, 15}, {19, 20}};
    for (const auto &[from, to] : cfgzCarries) {
        QTest::addRow("cfgz: Right at the end of box %d to %d", from, to) << cfgz << from << -1 << right << to;
        QTest::addRow("cfgz: Backspace at the start of box %d to %d", to, from) << cfgz << to << 0 << bs << from;
    }
    QTest::newRow("cfgz: Left at the start of csdd2 to csdd1") << cfgz << 20 << 0 << left << 19;
    for (int from : {9, 11, 13, 15, 20})
        QTest::addRow("cfgz: Right at the end of box %d stays", from) << cfgz << from << -1 << right << from;
    for (int from : {6, 10, 12, 14, 19})
        QTest::addRow("cfgz: Backspace at the start of box %d stays", from) << cfgz << from << 0 << bs << from;
    QTest::newRow("cfgz: Left at the start of wfxw1 stays") << cfgz << 6 << 0 << left << 6;
    QTest::newRow("cfgz: Enter in pbsj_d stays") << cfgz << 27 << 0 << enter << 27;
    QTest::newRow("cfgz: Down in pbsj_d stays") << cfgz << 27 << 0 << down << 27;
    QTest::newRow("cfgz: Up in nd stays") << cfgz << 0 << 0 << up << 0;
    QTest::newRow("cfgz: Enter in lxr to the locked jgmc") << cfgz << 23 << 0 << enter << 24;
    QTest::newRow("cfgz: Enter in jgmc to pbsj_y") << cfgz << 24 << 0 << enter << 25;
    QTest::newRow("cfgz: Up in pbsj_y to jgmc") << cfgz << 25 << 0 << up << 24;

    QTest::newRow("tztz: Right at the end of tzry1 to tzry2") << tztz << 8 << -1 << right << 9;
    QTest::newRow("tztz: Right at the end of bz1 to bz2") << tztz << 14 << -1 << right << 15;
    for (int from : {9, 15, 1, 17})
        QTest::addRow("tztz: Right at the end of box %d stays", from) << tztz << from << -1 << right << from;
    QTest::newRow("tztz: Backspace at the start of tzry2 to tzry1") << tztz << 9 << 0 << bs << 8;
    QTest::newRow("tztz: Left at the start of bz2 to bz1") << tztz << 15 << 0 << left << 14;
    for (int from : {8, 14, 10, 16})
        QTest::addRow("tztz: Backspace at the start of box %d stays", from) << tztz << from << 0 << bs << from;
    QTest::newRow("tztz: Enter in ri stays") << tztz << 33 << 0 << enter << 33;
    QTest::newRow("tztz: Down in ri stays") << tztz << 33 << 0 << down << 33;
    QTest::newRow("tztz: Up in bh1 stays") << tztz << 0 << 0 << up << 0;
    QTest::newRow("tztz: Enter in bz2 to bh2") << tztz << 15 << 0 << enter << 16;
    QTest::newRow("tztz: Enter in lxr to the locked gz") << tztz << 29 << 0 << enter << 30;
    QTest::newRow("tztz: Enter in gz to nian") << tztz << 30 << 0 << enter << 31;
    QTest::newRow("tztz: Up in dw to bh2") << tztz << 17 << 0 << up << 16;
}

// Moves follow box indexes; a move changes no line.
void TestNoticeDocuments::keys()
{
    QFETCH(int, k);
    QFETCH(int, from);
    QFETCH(int, caret);
    QFETCH(int, key);
    QFETCH(int, to);
    db().insertRow(table(k), {u"dabh"_s}, {caseNo});
    open(k);
    const DocumentDescription &d = m_window->description();
    for (const LineGroup &g : d.groups)
        for (int i = g.first; i <= g.last; ++i)
            store(k, d.boxes[std::size_t(i)].column, u"字"_s);
    m_window->activated();
    line(from)->setFocus();
    line(from)->setCursorPosition(caret < 0 ? int(line(from)->text().size()) : caret);
    press(line(from), Qt::Key(key));
    QCOMPARE(test::focusedBox(*m_window), to);
    if (to < from && key != Qt::Key_Up)
        QCOMPARE(line(to)->cursorPosition(), int(line(to)->text().size()));
    for (const LineGroup &g : d.groups)
        for (int i = g.first; i <= g.last; ++i)
            QCOMPARE(stored(k, d.boxes[std::size_t(i)].column), u"字"_s);
}

void TestNoticeDocuments::boxes_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("spoken"); // its name for a screen reader
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("centred");
    QTest::addColumn<QString>("typed");  // keys
    QTest::addColumn<QString>("kept");   // what the box and its column then hold
    QTest::newRow("tzgz nd") << tzgz << 0 << u"nd"_s << u"行政处罚听证告知书 Vesk卫罚告字 第"_s << blue << false
                             << false << u"2002"_s << u"2002"_s;
    QTest::newRow("tzgz wfsj_m, no limit of its own")
        << tzgz << 4 << u"wfsj_m"_s << u"你(单位)于 月"_s << blue << false << false << u"0512"_s << u"0512"_s;
    QTest::newRow("tzgz wfxw5, a group's last line")
        << tzgz << 8 << u"wfxw5"_s << u"从事 第3行"_s << blue << false << false << u"ab'c"_s << u"ab'c"_s;
    QTest::newRow("tzgz lxr") << tzgz << 18 << u"lxr"_s << u"联系人"_s << blue << false << false << u"li'si"_s
                              << u"li'si"_s;
    QTest::newRow("tzgz nd2, the receipt's own number")
        << tzgz << 23 << u"nd2"_s << u"行政处罚听证告知书回执 Vesk卫罚告字 第"_s << blue << false << false << u"2003"_s
        << u"2003"_s;
    QTest::newRow("tzgz qm2, signature") << tzgz << 31 << u"qm2"_s << u"当事人签名"_s << red << false << false
                                         << u"sign"_s << u"sign"_s;
    QTest::newRow("tzgz r2, capacity 8") << tzgz << 34 << u"r2"_s << u"当事人签名 日"_s << blue << false << false
                                         << u"123456789"_s << u"12345678"_s;
    QTest::newRow("cfgz nd, centred") << cfgz << 0 << u"nd"_s << u"Vesk卫罚告字 第"_s << blue << false << true
                                      << u"2002"_s << u"2002"_s;
    QTest::newRow("cfgz bh, centred") << cfgz << 1 << u"bh"_s << u"Vesk卫罚告字第 号"_s << blue << false << true
                                      << u"0012"_s << u"0012"_s;
    QTest::newRow("cfgz sj_m, a four-character month")
        << cfgz << 4 << u"sj_m"_s << u"你（单位）于 月"_s << blue << false << false << u"1112"_s << u"1112"_s;
    QTest::newRow("cfgz wfxw6") << cfgz << 9 << u"wfxw6"_s << u"从事 第4行"_s << blue << false << false << u"x"_s
                                << u"x"_s;
    QTest::newRow("cfgz xzcf2, bold") << cfgz << 15 << u"xzcf2"_s << u"本局拟对你(单位)作出 第2行"_s << blue << true
                                      << false << u"fine"_s << u"fine"_s;
    QTest::newRow("cfgz lxr") << cfgz << 23 << u"lxr"_s << u"联系人"_s << blue << false << false << u"wang"_s
                              << u"wang"_s;
    QTest::newRow("cfgz pbsj_d") << cfgz << 27 << u"pbsj_d"_s << u"盖章机关 日"_s << blue << false << false << u"3131"_s
                                 << u"3131"_s;
    QTest::newRow("tztz bh1") << tztz << 0 << u"bh1"_s << u"行政处罚听证通知书存根 编号"_s << blue << false << false
                              << u"No.1"_s << u"No.1"_s;
    QTest::newRow("tztz tzsj_n, 4 typed")
        << tztz << 2 << u"tzsj_n"_s << u"听证时间 年"_s << blue << false << false << u"200212"_s << u"2002"_s;
    QTest::newRow("tztz tzsj_s, 2 typed")
        << tztz << 5 << u"tzsj_s"_s << u"听证时间 时"_s << blue << false << false << u"0930"_s << u"09"_s;
    QTest::newRow("tztz fcsj_n, 4 typed")
        << tztz << 11 << u"fcsj_n"_s << u"发出时间 年"_s << blue << false << false << u"20021"_s << u"2002"_s;
    QTest::newRow("tztz fcsj_r, 2 typed")
        << tztz << 13 << u"fcsj_r"_s << u"发出时间 日"_s << blue << false << false << u"123"_s << u"12"_s;
    QTest::newRow("tztz bz2") << tztz << 15 << u"bz2"_s << u"备注 第2行"_s << blue << false << false << u"it's"_s
                              << u"it's"_s;
    QTest::newRow("tztz sj_y, no limit") << tztz << 19 << u"sj_y"_s << u"现决定于 月"_s << blue << false << false
                                         << u"1112"_s << u"1112"_s;
    QTest::newRow("tztz sj_s, no limit") << tztz << 22 << u"sj_s"_s << u"现决定于 时"_s << blue << false << false
                                         << u"0930"_s << u"0930"_s;
    QTest::newRow("tztz nian, 4 typed") << tztz << 31 << u"nian"_s << u"盖章机关 年"_s << blue << false << false
                                        << u"20023"_s << u"2002"_s;
    QTest::newRow("tztz ri, 2 typed") << tztz << 33 << u"ri"_s << u"盖章机关 日"_s << blue << false << false << u"301"_s
                                      << u"30"_s;
}

// Each box outside the successor set stores its own column at every key,
// leaving every other column of the row as it was (a receipt's or a
// counterfoil's particulars are its own); a typing limit takes only so
// many characters.
void TestNoticeDocuments::boxes()
{
    QFETCH(int, k);
    QFETCH(int, box);
    QFETCH(QString, column);
    QFETCH(QString, spoken);
    QFETCH(QColor, colour);
    QFETCH(bool, bold);
    QFETCH(bool, centred);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    open(k);
    QLineEdit *b = line(box);
    QCOMPARE(b->accessibleName(), spoken);
    QCOMPARE(b->palette().color(QPalette::Text), colour);
    QCOMPARE(b->font().bold(), bold);
    QCOMPARE(bool(b->alignment() & Qt::AlignHCenter), centred);
    QVERIFY(!b->isReadOnly());
    b->setFocus();
    QTest::keyClicks(b, typed);
    QCOMPARE(b->text(), kept);
    QCOMPARE(stored(k, column), kept);
    for (const BoxSpec &s : m_window->description().boxes)
        if (s.column != column && s.column != documentAt(k).authorityColumn)
            QCOMPARE(stored(k, s.column), QString());
}

void TestNoticeDocuments::tabOrder_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QList<int>>("order"); // -1: the delete-on-close box
    QList<int> tzgzOrder;
    for (int i = 0; i <= 22; ++i)
        tzgzOrder << i;
    tzgzOrder << -1 << 25 << 26 << 27 << 28 << 29 << 30 << 31 << 34 << 33 << 32 << 23 << 24;
    QList<int> cfgzOrder{0, 1, 2};
    for (int i = 6; i <= 27; ++i)
        cfgzOrder << i;
    cfgzOrder << -1 << 4 << 5 << 3;
    QList<int> tztzOrder;
    for (int i = 0; i <= 33; ++i)
        tztzOrder << i;
    tztzOrder << -1;
    QTest::newRow("frm_tzgz: the notice, 销档, the receipt's answer, its number") << tzgz << tzgzOrder;
    QTest::newRow("frm_cfgz: the date of the act last") << cfgz << cfgzOrder;
    QTest::newRow("frm_tztz: box order") << tztz << tztzOrder;
}

// Tab from the first box visits the boxes and the delete-on-close box in
// the form's order, then the print picture (-2), and comes back round.
void TestNoticeDocuments::tabOrder()
{
    QFETCH(int, k);
    QFETCH(QList<int>, order);
    open(k);
    order << -2;
    auto widget = [&](int entry) {
        return entry == -2 ? static_cast<QWidget *>(m_window->printPicture())
               : entry < 0 ? static_cast<QWidget *>(m_window->deleteBox())
                           : line(entry);
    };
    QVERIFY(widget(order[0])->hasFocus());
    for (qsizetype n = 1; n <= order.size(); ++n) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY2(widget(order[n % order.size()])->hasFocus(), qPrintable(QString::number(order[n % order.size()])));
    }
}

void TestNoticeDocuments::mousePointer_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<bool>("resets");
    QTest::newRow("frm_tzgz keeps it") << tzgz << false;
    QTest::newRow("frm_cfgz sets the default pointer") << cfgz << true;
    QTest::newRow("frm_tztz keeps it") << tztz << false;
}

void TestNoticeDocuments::mousePointer()
{
    QFETCH(int, k);
    QFETCH(bool, resets);
    showHourglass();
    open(k);
    QCOMPARE(hourglassShown(), !resets);
}

void TestNoticeDocuments::printsTheRow_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("party"); // a box that prints
    QTest::addColumn<int>("hand");  // a box written by hand, -1: none
    QTest::addColumn<QStringList>("printed");
    QTest::addColumn<QStringList>("notPrinted");
    QTest::newRow("rep_tzgz: 听告 on both numbers, no signature")
        << tzgz << 2 << 31 << QStringList{u"  Vesk卫听告字[     ]第(     )号"_s, u"当事人签名："_s}
        << QStringList{u"Vesk卫罚告字[     ]第(     )号"_s};
    QTest::newRow("rep_gzs: 本拟对你（单位）作出")
        << cfgz << 2 << -1 << QStringList{u"本拟对你（单位）作出"_s} << QStringList{u"本局拟对你(单位)作出"_s};
    QTest::newRow("rep_tztz: 请骑缝盖章 between the counterfoil and the notice")
        << tztz << 17 << -1 << QStringList{u"请骑缝盖章"_s, u"行政处罚听证通知书存根"_s, u"行政处罚听证通知书"_s}
        << QStringList{u"请盖骑缝章"_s + QString(70, u'-')};
}

// The print picture prints the window's row: what was typed, the wording
// of paper, and no hand entry.
void TestNoticeDocuments::printsTheRow()
{
    QFETCH(int, k);
    QFETCH(int, party);
    QFETCH(int, hand);
    QFETCH(QStringList, printed);
    QFETCH(QStringList, notPrinted);
    test::RecordingPrinter &printer = test::RecordingPrinter::install();
    open(k);
    line(party)->setFocus();
    commit(line(party), u"城关饭店"_s);
    printed << u"城关饭店"_s;
    if (hand >= 0) {
        line(hand)->setFocus();
        commit(line(hand), u"签名甲"_s);
        QCOMPARE(stored(k, m_window->description().boxes[std::size_t(hand)].column), u"签名甲"_s);
        notPrinted << u"签名甲"_s;
    }
    QTest::mouseClick(m_window->printPicture(), Qt::LeftButton);
    QCOMPARE(printer.printed.size(), 1);
    QCOMPARE(printer.printed[0].pageCount(), 1);
    const QStringList texts = printer.printed[0].texts(0);
    for (const QString &t : printed)
        QVERIFY2(texts.contains(t), qPrintable(t));
    for (const QString &t : notPrinted)
        QVERIFY2(!texts.contains(t), qPrintable(t));
    QVERIFY(m_messages->shown.isEmpty());
}

QTEST_MAIN(TestNoticeDocuments)
#include "tst_noticedocuments.moc"
