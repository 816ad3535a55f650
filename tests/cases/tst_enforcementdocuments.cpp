// The windows of the application for compulsory enforcement, the case
// transfer letter, the service receipt and the case closure report on a
// real database: each opened from its register box, its columns, colours
// and authority box, its line groups, keys, typing limits and tab order,
// and its delete-on-close. Needs widgets: focus, keys and input-method
// commits reach real boxes.
#include "cases/documents/descriptions.h"
#include "cases/engine/description.h"
#include "cases/engine/documentwindow.h"
#include "cases/engine/documentwindows.h"
#include "data/appvalues.h"
#include "data/connection.h"
#include "support/documentrows.h"
#include "support/testdb.h"
#include "support/ui/documenttesting.h"
#include "support/ui/recordingprinter.h"
#include "support/ui/scriptedmessages.h"

#include <QApplication>
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

constexpr int Q = 9;  // 强制执行申请书
constexpr int J = 10; // 结案报告
constexpr int A = 14; // 案件移送书
constexpr int S = 16; // 送达回执

const QString &table(int k) { return documentAt(k).table; }

QString stored(int k, const QString &column)
{
    return test::storedValue(table(k), column, caseNo);
}

void store(int k, const QString &column, const QString &value)
{
    db().insertRow(table(k), {u"dabh"_s}, {caseNo});
    db().exec(u"UPDATE %1 SET %2 = ? WHERE dabh = ?"_s.arg(table(k), column), {value, caseNo});
}

QString chars(const QString &c, int n) { return c.repeated(n); }

// The boxes' columns in box order, as the forms number them.
QStringList columnsOf(int k)
{
    switch (k) {
    case Q:
        return {u"lb"_s,   u"nd"_s,   u"bh"_s,   u"fymc"_s, u"cf_y"_s, u"cf_m"_s, u"cf_d"_s,
                u"cf_lb"_s, u"cf_nd"_s, u"cf_bh"_s, u"cfdw"_s, u"zx_y"_s, u"zx_m"_s, u"zx_d"_s,
                u"sqdw"_s, u"sq_y"_s, u"sq_m"_s, u"sq_d"_s, u"qtzlfs"_s};
    case J:
        return {u"dss"_s,    u"ajly"_s,  u"la_y"_s,    u"la_m"_s,    u"la_d"_s,   u"ay"_s,
                u"xzsfh"_s,  u"zxyq"_s,  u"zxfs"_s,    u"zxjg"_s,    u"bszfly1"_s, u"bszfly2"_s,
                u"cbr"_s,    u"pbsj_y"_s, u"pbsj_m"_s, u"pbsj_d"_s,  u"spyj"_s,   u"fzr"_s,
                u"xzjg"_s,   u"mya"_s,   u"yuo"_s,     u"yi"_s};
    case A:
        return {u"bh1"_s,  u"dsr"_s,  u"ay1"_s,  u"ay2"_s,  u"ysrq_n"_s, u"ysrq_y"_s, u"ysrq_r"_s,
                u"sysjg"_s, u"jbr"_s, u"bz1"_s,  u"bz2"_s,  u"bz3"_s,    u"bh2"_s,    u"ysdw"_s,
                u"sl_n"_s, u"sl_y"_s, u"sl_r"_s, u"aj1"_s,  u"aj2"_s,    u"gd"_s,     u"cl"_s,
                u"dw"_s,   u"nian"_s, u"yue"_s,  u"ri"_s};
    default:
        return {u"bh1"_s,   u"ssdr"_s,  u"sdwj1"_s, u"sdfs"_s,  u"sddd1"_s, u"sdr"_s,   u"sdsj"_s, u"bz1"_s,
                u"bz2"_s,   u"bh2"_s,   u"sdwj2"_s, u"sddd2"_s, u"ssdrqm"_s, u"sdrqm"_s, u"nian1"_s,
                u"yue1"_s,  u"ri1"_s,   u"nian2"_s, u"yue2"_s,  u"ri2"_s,   u"bz3"_s,   u"bz4"_s};
    }
}

// Signatures, written by hand: red.
QStringList handEntries(int k)
{
    return k == J ? QStringList{u"cbr"_s, u"fzr"_s} : k == S ? QStringList{u"ssdrqm"_s, u"sdrqm"_s} : QStringList{};
}

} // namespace

class TestEnforcementDocuments : public test::DocumentWindowTest {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void opensFromItsRegisterBox_data();
    void opensFromItsRegisterBox();
    void boxes_data();
    void boxes();
    void typingLimits_data();
    void typingLimits();
    void tabOrder_data();
    void tabOrder();
    void keys_data();
    void keys();
    void lineGroups_data();
    void lineGroups();
    void groupLinesWaitForTheKeyRelease_data();
    void groupLinesWaitForTheKeyRelease();
    void deleteOnClose_data();
    void deleteOnClose();
    void printsWhatTheWindowShows_data();
    void printsWhatTheWindowShows();

private:
    DocumentWindow *open(int k) { return openFromRegister(k); }
};

void TestEnforcementDocuments::init() { setUpWindowTest(caseNo); }

void TestEnforcementDocuments::cleanup() { tearDownWindowTest(); }

void TestEnforcementDocuments::opensFromItsRegisterBox_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QSize>("size"); // twips
    QTest::addColumn<bool>("white");
    QTest::addColumn<int>("authority"); // its box, -1: none
    QTest::addColumn<int>("first");     // the box with the caret on opening
    QTest::newRow("强制执行申请书") << Q << u"frm_qzzx"_s << u"强制执行申请书"_s << QSize(8190, 6240) << false << 14
                             << 0;
    QTest::newRow("结案报告") << J << u"frm_jabg"_s << u"结案报告"_s << QSize(8115, 8040) << false << 18 << 0;
    QTest::newRow("案件移送书") << A << u"frm_ajys"_s << u"案件移送书"_s << QSize(8190, 8265) << true << 21 << 0;
    QTest::newRow("送达回执, the caret in the service time")
        << S << u"frm_sdhz"_s << u"送达回执"_s << QSize(8070, 8145) << true << -1 << 6;
}

// A case without the document's row gets the row as the register makes it:
// every box empty but the authority, which shows the issuing organisation
// with its seal note, black and centred, and takes no typing.
void TestEnforcementDocuments::opensFromItsRegisterBox()
{
    QFETCH(int, k);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QSize, size);
    QFETCH(bool, white);
    QFETCH(int, authority);
    QFETCH(int, first);
    QVERIFY(open(k));
    QCOMPARE(m_window->objectName(), name);
    QCOMPARE(m_window->windowTitle(), caption);
    QCOMPARE(m_window->size(), QSize(px(size.width()), px(size.height())));
    QCOMPARE(m_window->palette().color(QPalette::Window),
             white ? QColor(Qt::white) : QApplication::palette().color(QPalette::Base));
    QCOMPARE(test::focusedBox(*m_window), first);
    QVERIFY(!m_window->deleteBox()->isChecked());
    QCOMPARE(db().scalar(u"SELECT COUNT(*) FROM %1 WHERE dabh = ?"_s.arg(table(k)), {caseNo}), u"1"_s);
    for (int i = 0; i <= m_window->description().lastIndex(); ++i)
        QCOMPARE(line(i)->text(), i == authority ? authorityText() : QString());
    if (authority < 0)
        return;
    QLineEdit *box = line(authority);
    QVERIFY(box->isReadOnly());
    QCOMPARE(box->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    QCOMPARE(box->palette().color(QPalette::Text), QColor(0, 0, 0));
    box->setFocus();
    QTest::keyClicks(box, u"ab"_s);
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text(), authorityText());
    QCOMPARE(stored(k, documentAt(k).authorityColumn), authorityText());
}

void TestEnforcementDocuments::boxes_data()
{
    QTest::addColumn<int>("k");
    QTest::newRow("强制执行申请书") << Q;
    QTest::newRow("结案报告") << J;
    QTest::newRow("案件移送书") << A;
    QTest::newRow("送达回执") << S;
}

// Box i shows column i + 1 of the form's table, in blue, a signature in
// red, the authority in black; whatever is typed, apostrophes included, is
// stored as typed in that column and no other.
void TestEnforcementDocuments::boxes()
{
    QFETCH(int, k);
    open(k);
    const QStringList columns = columnsOf(k);
    QCOMPARE(m_window->description().lastIndex() + 1, int(columns.size()));
    const QString authority = documentAt(k).authorityColumn;
    for (int i = 0; i < columns.size(); ++i) {
        const QString &column = columns[i];
        const QColor colour = column == authority              ? QColor(0, 0, 0)
                              : handEntries(k).contains(column) ? QColor(255, 0, 0)
                                                                : QColor(0, 0, 255);
        QCOMPARE(line(i)->palette().color(QPalette::Text), colour);
        if (column == authority)
            continue;
        line(i)->setFocus();
        commit(line(i), u"年'"_s);
        QCOMPARE(stored(k, column), u"年'"_s);
    }
    for (int i = 0; i < columns.size(); ++i)
        QCOMPARE(stored(k, columns[i]), columns[i] == authority ? authorityText() : u"年'"_s);
}

void TestEnforcementDocuments::typingLimits_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("ajys transfer year: no fifth character") << A << 4 << u"20021"_s << u"2002"_s;
    QTest::newRow("ajys transfer month: no third") << A << 5 << u"123"_s << u"12"_s;
    QTest::newRow("ajys transfer day: no third") << A << 6 << u"123"_s << u"12"_s;
    QTest::newRow("ajys letter year") << A << 22 << u"20021"_s << u"2002"_s;
    QTest::newRow("ajys letter month") << A << 23 << u"123"_s << u"12"_s;
    QTest::newRow("ajys letter day") << A << 24 << u"123"_s << u"12"_s;
    QTest::newRow("ajys year of acceptance: its column decides") << A << 14 << u"123456789"_s << u"12345678"_s;
    QTest::newRow("ajys month of acceptance") << A << 15 << u"123"_s << u"123"_s;
    QTest::newRow("ajys day of acceptance") << A << 16 << u"123"_s << u"123"_s;
    QTest::newRow("sdhz year under the person served") << S << 14 << u"20021"_s << u"2002"_s;
    QTest::newRow("sdhz month") << S << 15 << u"123"_s << u"12"_s;
    QTest::newRow("sdhz day") << S << 16 << u"123"_s << u"12"_s;
    QTest::newRow("sdhz year under the server") << S << 17 << u"20021"_s << u"2002"_s;
    QTest::newRow("sdhz month under the server") << S << 18 << u"123"_s << u"12"_s;
    QTest::newRow("sdhz day under the server") << S << 19 << u"123"_s << u"12"_s;
    QTest::newRow("sdhz service time: any text") << S << 6 << u"2002-05-26 9:30"_s << u"2002-05-26 9:30"_s;
    QTest::newRow("jabg filing year takes more than four") << J << 2 << u"20021"_s << u"20021"_s;
    QTest::newRow("jabg a four-digit month") << J << 3 << u"1234"_s << u"1234"_s;
    QTest::newRow("jabg approval day") << J << 21 << u"123"_s << u"123"_s;
    QTest::newRow("qzzx decision year takes more than four") << Q << 4 << u"20021"_s << u"20021"_s;
    QTest::newRow("qzzx application day") << Q << 17 << u"123"_s << u"123"_s;
    QTest::newRow("qzzx party cut by its column")
        << Q << 10 << chars(u"ab"_s, 30) << chars(u"ab"_s, 22);
}

// Year, month and day boxes that the form limits refuse more characters;
// every other box holds what its column holds, and the caret stays at the
// end of what was kept.
void TestEnforcementDocuments::typingLimits()
{
    QFETCH(int, k);
    QFETCH(int, box);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    open(k);
    line(box)->setFocus();
    QTest::keyClicks(line(box), typed);
    QCOMPARE(line(box)->text(), kept);
    QCOMPARE(stored(k, columnsOf(k)[box]), kept);
    QCOMPARE(line(box)->cursorPosition(), int(kept.size()));
}

void TestEnforcementDocuments::tabOrder_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QList<int>>("order"); // -1: the delete-on-close box
    QList<int> boxOrder;
    for (int i = 0; i <= 18; ++i)
        boxOrder << i;
    QTest::newRow("强制执行申请书: the box order") << Q << (QList<int>(boxOrder) << -1);
    QList<int> closure{0, 1};
    for (int i = 5; i <= 21; ++i)
        closure << i;
    closure << -1 << 2 << 3 << 4;
    QTest::newRow("结案报告: the filing date last") << J << closure;
    for (int i = 19; i <= 24; ++i)
        boxOrder << i;
    QTest::newRow("案件移送书: the box order") << A << (boxOrder << -1);
    QTest::newRow("送达回执: from the service time")
        << S << QList<int>{6, 13, 3, 9, 0, 1, 2, 4, 5, 7, 11, 12, 17, 18, 19, 8, -1, 14, 15, 16, 20, 21, 10};
}

// Tab from the box that has the caret on opening visits every box and the
// delete-on-close box in the form's order.
void TestEnforcementDocuments::tabOrder()
{
    QFETCH(int, k);
    QFETCH(QList<int>, order);
    open(k);
    QList<int> visited;
    for (qsizetype n = 0; n < order.size(); ++n) {
        QWidget *w = QApplication::focusWidget();
        visited << (w == m_window->deleteBox() ? -1 : test::focusedBox(*m_window));
        QTest::keyClick(w, Qt::Key_Tab);
    }
    QCOMPARE(visited, order);
    // Tabbing through stores nothing.
    for (const QString &c : columnsOf(k))
        QCOMPARE(stored(k, c), c == documentAt(k).authorityColumn ? authorityText() : QString());
}

void TestEnforcementDocuments::keys_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("caret"); // -1: at the end
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("to");
    const int enter = Qt::Key_Return;
    const int down = Qt::Key_Down;
    const int up = Qt::Key_Up;
    const int right = Qt::Key_Right;
    const int left = Qt::Key_Left;
    const int bs = Qt::Key_Backspace;
    QTest::newRow("qzzx Enter in qtzlfs stays") << Q << 18 << 0 << enter << 18;
    QTest::newRow("qzzx Down in qtzlfs stays") << Q << 18 << 0 << down << 18;
    QTest::newRow("qzzx Up in lb stays") << Q << 0 << 0 << up << 0;
    QTest::newRow("qzzx Enter in bh to fymc") << Q << 2 << 0 << enter << 3;
    QTest::newRow("qzzx Enter in cfdw to zx_y") << Q << 10 << 0 << enter << 11;
    QTest::newRow("qzzx Enter in zx_d to the locked sqdw") << Q << 13 << 0 << enter << 14;
    QTest::newRow("qzzx Up in sq_y to sqdw") << Q << 15 << 0 << up << 14;
    QTest::newRow("qzzx Right at the end of fymc stays") << Q << 3 << -1 << right << 3;
    QTest::newRow("qzzx Backspace at the start of cf_m stays") << Q << 5 << 0 << bs << 5;

    QTest::newRow("jabg Right at the end of bszfly1") << J << 10 << -1 << right << 11;
    QTest::newRow("jabg Backspace at the start of bszfly2") << J << 11 << 0 << bs << 10;
    QTest::newRow("jabg Left at the start of bszfly2") << J << 11 << 0 << left << 10;
    QTest::newRow("jabg Right at the end of bszfly2 stays") << J << 11 << -1 << right << 11;
    QTest::newRow("jabg Backspace at the start of bszfly1 stays") << J << 10 << 0 << bs << 10;
    QTest::newRow("jabg Right at the end of zxjg stays") << J << 9 << -1 << right << 9;
    QTest::newRow("jabg Left at the start of cbr stays") << J << 12 << 0 << left << 12;
    QTest::newRow("jabg Enter in yi stays") << J << 21 << 0 << enter << 21;
    QTest::newRow("jabg Down in yi stays") << J << 21 << 0 << down << 21;
    QTest::newRow("jabg Up in dss stays") << J << 0 << 0 << up << 0;
    QTest::newRow("jabg Enter in ajly to the filing year") << J << 1 << 0 << enter << 2;
    QTest::newRow("jabg Up in yi to yuo") << J << 21 << 0 << up << 20;

    QTest::newRow("ajys Enter in ri stays") << A << 24 << 0 << enter << 24;
    QTest::newRow("ajys Down in ri stays") << A << 24 << 0 << down << 24;
    QTest::newRow("ajys Up in bh1 stays") << A << 0 << 0 << up << 0;
    QTest::newRow("ajys Enter in bz3 to the letter's number") << A << 11 << 0 << enter << 12;
    QTest::newRow("ajys Down in bz3 to the letter's number") << A << 11 << 0 << down << 12;
    QTest::newRow("ajys Right at the end of ay1") << A << 2 << -1 << right << 3;
    QTest::newRow("ajys Right at the end of bz1") << A << 9 << -1 << right << 10;
    QTest::newRow("ajys Right at the end of bz2") << A << 10 << -1 << right << 11;
    QTest::newRow("ajys Right at the end of aj1") << A << 17 << -1 << right << 18;
    QTest::newRow("ajys Right at the end of ay2 stays") << A << 3 << -1 << right << 3;
    QTest::newRow("ajys Right at the end of bz3 stays") << A << 11 << -1 << right << 11;
    QTest::newRow("ajys Right at the end of aj2 stays") << A << 18 << -1 << right << 18;
    QTest::newRow("ajys Backspace at the start of ay2") << A << 3 << 0 << bs << 2;
    QTest::newRow("ajys Left at the start of bz2") << A << 10 << 0 << left << 9;
    QTest::newRow("ajys Backspace at the start of bz3") << A << 11 << 0 << bs << 10;
    QTest::newRow("ajys Left at the start of aj2") << A << 18 << 0 << left << 17;
    QTest::newRow("ajys Backspace at the start of ay1 stays") << A << 2 << 0 << bs << 2;
    QTest::newRow("ajys Left at the start of bz1 stays") << A << 9 << 0 << left << 9;
    QTest::newRow("ajys Backspace at the start of aj1 stays") << A << 17 << 0 << bs << 17;

    QTest::newRow("sdhz Enter in bz2 to the receipt's number") << S << 8 << 0 << enter << 9;
    QTest::newRow("sdhz Down in bz2 to the receipt's number") << S << 8 << 0 << down << 9;
    QTest::newRow("sdhz Enter in bz4 stays") << S << 21 << 0 << enter << 21;
    QTest::newRow("sdhz Down in bz4 stays") << S << 21 << 0 << down << 21;
    QTest::newRow("sdhz Up in bh1 stays") << S << 0 << 0 << up << 0;
    QTest::newRow("sdhz Right at the end of bz1") << S << 7 << -1 << right << 8;
    QTest::newRow("sdhz Right at the end of bz3") << S << 20 << -1 << right << 21;
    QTest::newRow("sdhz Right at the end of bz2 stays") << S << 8 << -1 << right << 8;
    QTest::newRow("sdhz Right at the end of bz4 stays") << S << 21 << -1 << right << 21;
    QTest::newRow("sdhz Backspace at the start of bz2") << S << 8 << 0 << bs << 7;
    QTest::newRow("sdhz Left at the start of bz4") << S << 21 << 0 << left << 20;
    QTest::newRow("sdhz Backspace at the start of bz1 stays") << S << 7 << 0 << bs << 7;
    QTest::newRow("sdhz Left at the start of bz3 stays") << S << 20 << 0 << left << 20;
}

// Enter, Down and Up walk the boxes in index order; Right, Left and
// Backspace cross only between the lines of a group. A move is no edit.
void TestEnforcementDocuments::keys()
{
    QFETCH(int, k);
    QFETCH(int, from);
    QFETCH(int, caret);
    QFETCH(int, key);
    QFETCH(int, to);
    const QStringList columns = columnsOf(k);
    const QString authority = documentAt(k).authorityColumn;
    for (const QString &c : columns)
        store(k, c, c == authority ? authorityText() : u"字"_s);
    open(k);
    line(from)->setFocus();
    line(from)->setCursorPosition(caret < 0 ? int(line(from)->text().size()) : caret);
    press(line(from), Qt::Key(key));
    QCOMPARE(test::focusedBox(*m_window), to);
    if (to < from && key != Qt::Key_Up)
        QCOMPARE(line(to)->cursorPosition(), int(line(to)->text().size()));
    for (const QString &c : columns)
        QCOMPARE(stored(k, c), c == authority ? authorityText() : u"字"_s);
}

void TestEnforcementDocuments::lineGroups_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("first"); // the group's first box
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<int>("box"); // the edited line
    QTest::addColumn<int>("caret"); // -1: at the end
    QTest::addColumn<QString>("typed"); // "\b": the Backspace key
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("focus");
    // Lines hold 28 (bszfly1), 35 (ay1, bz1 of ajys), 23 (aj1), 38 (bz1,
    // bz3 of sdhz), 36 (aj2) or 40 (the full lines) full-width characters.
    const QString full28 = chars(u"甲"_s, 28);
    QTest::newRow("jabg bszfly1 full: the carry goes ahead of bszfly2")
        << J << 10 << QStringList{full28, u"乙"_s} << 10 << -1 << u"丙"_s << QStringList{full28, u"丙乙"_s} << 11;
    QTest::newRow("jabg deleting in bszfly1 pulls bszfly2 up and empties it")
        << J << 10 << QStringList{full28, u"乙"_s} << 10 << -1 << u"\b"_s
        << QStringList{chars(u"甲"_s, 27) + u"乙"_s, QString()} << 10;
    QTest::newRow("jabg bszfly2 overflowing is cut, not carried")
        << J << 10 << QStringList{u"甲"_s, chars(u"乙"_s, 40)} << 11 << -1 << u"丙"_s
        << QStringList{u"甲"_s, chars(u"乙"_s, 40)} << 11;
    QTest::newRow("ajys ay1 carries into ay2")
        << A << 2 << QStringList{{}, {}} << 2 << 0 << chars(u"丙"_s, 36)
        << QStringList{chars(u"丙"_s, 35), u"丙"_s} << 3;
    QTest::newRow("ajys a remark that fits in bz1 empties bz2 and bz3")
        << A << 9 << QStringList{u"甲"_s, u"乙"_s, u"丙"_s} << 9 << 1 << u"丁"_s
        << QStringList{u"甲丁乙丙"_s, QString(), QString()} << 9;
    QTest::newRow("ajys a long remark fills the three lines, the rest is dropped")
        << A << 9 << QStringList{{}, {}, {}} << 9 << 0 << chars(u"丙"_s, 200)
        << QStringList{chars(u"丙"_s, 35), chars(u"丙"_s, 40), chars(u"丙"_s, 40)} << 10;
    QTest::newRow("ajys an edit of bz2 never changes bz1")
        << A << 9 << QStringList{u"一"_s, chars(u"丁"_s, 40), QString()} << 10 << 0 << u"戊"_s
        << QStringList{u"一"_s, u"戊"_s + chars(u"丁"_s, 39), u"丁"_s} << 10;
    QTest::newRow("ajys aj1 carries into aj2")
        << A << 17 << QStringList{{}, {}} << 17 << 0 << chars(u"丙"_s, 24)
        << QStringList{chars(u"丙"_s, 23), u"丙"_s} << 18;
    QTest::newRow("ajys aj2 overflowing is cut")
        << A << 17 << QStringList{{}, chars(u"乙"_s, 36)} << 18 << -1 << u"丙"_s
        << QStringList{{}, chars(u"乙"_s, 36)} << 18;
    QTest::newRow("sdhz bz1 carries into bz2")
        << S << 7 << QStringList{{}, {}} << 7 << 0 << chars(u"丙"_s, 39)
        << QStringList{chars(u"丙"_s, 38), u"丙"_s} << 8;
    QTest::newRow("sdhz shortening bz3 so that it holds all empties bz4")
        << S << 20 << QStringList{chars(u"甲"_s, 38), u"乙"_s} << 20 << -1 << u"\b"_s
        << QStringList{chars(u"甲"_s, 37) + u"乙"_s, QString()} << 20;
    QTest::newRow("sdhz bz4 overflowing is cut, nothing moves back into bz3")
        << S << 20 << QStringList{u"甲"_s, chars(u"乙"_s, 40)} << 21 << -1 << u"丙"_s
        << QStringList{u"甲"_s, chars(u"乙"_s, 40)} << 21;
}

// A paragraph re-packs from the edited line down its own group: what a
// line's column does not hold goes to the next line, the lines no longer
// needed are emptied, and the last line keeps only what its column holds.
void TestEnforcementDocuments::lineGroups()
{
    QFETCH(int, k);
    QFETCH(int, first);
    QFETCH(QStringList, before);
    QFETCH(int, box);
    QFETCH(int, caret);
    QFETCH(QString, typed);
    QFETCH(QStringList, after);
    QFETCH(int, focus);
    const QStringList columns = columnsOf(k);
    for (qsizetype i = 0; i < before.size(); ++i)
        store(k, columns[first + i], before[i]);
    open(k);
    line(box)->setFocus();
    line(box)->setCursorPosition(caret < 0 ? int(line(box)->text().size()) : caret);
    if (typed == u"\b"_s)
        press(line(box), Qt::Key_Backspace);
    else
        commit(line(box), typed);
    for (qsizetype i = 0; i < after.size(); ++i) {
        QCOMPARE(stored(k, columns[first + i]), after[i]);
        QCOMPARE(line(first + int(i))->text(), after[i]);
    }
    QCOMPARE(test::focusedBox(*m_window), focus);
}

void TestEnforcementDocuments::groupLinesWaitForTheKeyRelease_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("box");
    QTest::newRow("jabg bszfly1") << J << 10;
    QTest::newRow("ajys ay1") << A << 2;
    QTest::newRow("ajys bz1") << A << 9;
    QTest::newRow("ajys bz2") << A << 10;
    QTest::newRow("ajys aj1") << A << 17;
    QTest::newRow("sdhz bz1") << S << 7;
    QTest::newRow("sdhz bz3") << S << 20;
}

// A line that has a line after it in its group stores nothing while the
// key is down; the release stores it.
void TestEnforcementDocuments::groupLinesWaitForTheKeyRelease()
{
    QFETCH(int, k);
    QFETCH(int, box);
    const QString column = columnsOf(k)[box];
    open(k);
    line(box)->setFocus();
    QTest::keyPress(line(box), Qt::Key_A);
    QCOMPARE(line(box)->text(), u"a"_s);
    QCOMPARE(stored(k, column), QString());
    QTest::keyRelease(line(box), Qt::Key_A);
    QCOMPARE(stored(k, column), u"a"_s);
}

void TestEnforcementDocuments::deleteOnClose_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<bool>("yes");
    for (int k : {Q, J, A, S}) {
        const QByteArray name = documentAt(k).windowCaption.toUtf8();
        QTest::addRow("%s, not ticked", name.constData()) << k << false << false;
        QTest::addRow("%s, ticked, 否", name.constData()) << k << true << false;
        QTest::addRow("%s, ticked, 是", name.constData()) << k << true << true;
    }
}

// Ticked "销  档" and 是 deletes the case's row and unticks the register's
// box, which must not act on it; otherwise the row and the tick stay.
void TestEnforcementDocuments::deleteOnClose()
{
    QFETCH(int, k);
    QFETCH(bool, ticked);
    QFETCH(bool, yes);
    open(k);
    m_window->deleteBox()->setChecked(ticked);
    m_messages->answer(yes ? Answer::Yes : Answer::No);
    m_window->close();
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_messages->shown.size(), ticked ? 1 : 0);
    if (ticked)
        QCOMPARE(m_messages->lastText(), u"确认销除该案件资料吗？"_s);
    const bool gone = ticked && yes;
    QCOMPARE(db().scalar(u"SELECT COUNT(*) FROM %1 WHERE dabh = ?"_s.arg(table(k)), {caseNo}),
             gone ? u"0"_s : u"1"_s);
    const QStringList calls{u"Check1(%1)=0"_s.arg(k)};
    QCOMPARE(m_register.calls, gone ? calls : QStringList());
}

void TestEnforcementDocuments::printsWhatTheWindowShows_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("box");
    QTest::newRow("强制执行申请书, the court") << Q << 3;
    QTest::newRow("结案报告, the second line of the reasons") << J << 11;
    QTest::newRow("案件移送书, the addressee") << A << 13;
    QTest::newRow("送达回执, the service time") << S << 6;
}

// The print picture prints the window's own case, as just typed, apostrophe
// and all, on one page of the document's form, straight to the printer.
void TestEnforcementDocuments::printsWhatTheWindowShows()
{
    QFETCH(int, k);
    QFETCH(int, box);
    test::RecordingPrinter &printer = test::RecordingPrinter::install();
    open(k);
    line(box)->setFocus();
    commit(line(box), u"张三's 饭店"_s);
    app().caseNo = u"20020008"_s;
    QTest::mouseClick(m_window->printPicture(), Qt::LeftButton);
    QCOMPARE(app().caseNo, caseNo);
    QCOMPARE(printer.printed.size(), 1);
    const report::PageModel &m = printer.printed[0];
    QCOMPARE(m.pageCount(), 1);
    QCOMPARE(m.caption, documentAt(k).windowCaption);
    QVERIFY2(m.texts(0).contains(u"张三's 饭店"_s), qPrintable(m.texts(0).join(u'|')));
    QVERIFY(m_messages->shown.isEmpty());
    report::setPrintSink(nullptr);
}

QTEST_MAIN(TestEnforcementDocuments)
#include "tst_enforcementdocuments.moc"
