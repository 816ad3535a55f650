// The windows of the on-site inspection record, the inquiry record, the
// statement and defence record, the sampling record and the evidence
// preservation notice on a real database: each opened from its register
// box, its columns, colours, memo box and typing limits, its tab order and
// keys, the sampling record's two parts, the notice's line groups and
// authority, deletion on closing and printing. Needs widgets: focus, keys
// and input-method commits reach real boxes.
#include "cases/documents/descriptions.h"
#include "cases/engine/description.h"
#include "cases/engine/documentwindow.h"
#include "data/appvalues.h"
#include "data/caserows.h"
#include "data/connection.h"
#include "platform/printsink.h"
#include "support/documentrows.h"
#include "support/testdb.h"
#include "support/ui/documenttesting.h"
#include "support/ui/recordingprinter.h"
#include "support/ui/scriptedmessages.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;

namespace {

using test::commit;
using test::press;

const QString caseNo = u"20020007"_s;

constexpr int X = 0;  // 现场检查笔录
constexpr int C = 11; // 陈述和申辩笔录
constexpr int W = 12; // 询问笔录
constexpr int Y = 13; // 采样记录
constexpr int B = 17; // 保存证据通知书

const QString &table(int k) { return documentAt(k).table; }

QString stored(int k, const QString &column) { return test::storedValue(table(k), column, caseNo); }

// Into the case's row, made as the register makes it.
void store(int k, const QString &column, const QString &value)
{
    fileDocument(db(), k, caseNo);
    db().exec(u"UPDATE %1 SET %2 = ? WHERE dabh = ?"_s.arg(table(k), column), {value, caseNo});
}

QString chars(const QString &c, int n) { return c.repeated(n); }

// The boxes' columns in box order, as the forms number them.
QStringList columnsOf(int k)
{
    switch (k) {
    case X:
        return {u"bjcr"_s, u"jcjg"_s,  u"jcdd"_s, u"jcsj_n"_s, u"jcsj_y"_s, u"jcsj_r"_s, u"jcsj_s"_s,
                u"jcsj_f"_s, u"jcsj_s2"_s, u"jcsj_f2"_s, u"jcjl"_s, u"bcqm"_s, u"bc_y"_s, u"bc_m"_s,
                u"bc_d"_s, u"jcqm"_s, u"jc_y"_s, u"jc_m"_s, u"jc_d"_s};
    case W:
        return {u"bxwr"_s,   u"xwjg"_s,  u"xwdd"_s,   u"xwsj_n"_s, u"xwsj_y"_s, u"xwsj_r"_s, u"xwsj_s1"_s,
                u"xwsj_f1"_s, u"xwsj_s2"_s, u"xwsj_f2"_s, u"xwnr"_s, u"bxwrqm"_s, u"xwrqm"_s, u"jlrqm"_s,
                u"nian1"_s,  u"yue1"_s,  u"ri1"_s,    u"nian2"_s,  u"yue2"_s,   u"ri2"_s};
    case C:
        return {u"dsr"_s,     u"csr"_s,     u"cbjg"_s,    u"cbr"_s,     u"csdd"_s,  u"cssj_n"_s,
                u"cssj_y"_s,  u"cssj_r"_s,  u"cssj_s1"_s, u"cssj_f1"_s, u"cssj_s2"_s, u"cssj_f2"_s,
                u"csnr"_s,    u"csrqm"_s,   u"cbrqm"_s,   u"jlrqm"_s,   u"nian1"_s, u"yue1"_s,
                u"ri1"_s,     u"nian2"_s,   u"yue2"_s,    u"ri2"_s};
    case Y:
        return {u"bh1"_s,    u"bcyr"_s,   u"cyjg"_s,  u"ypmc1"_s, u"ypbh1"_s,  u"ypscdw1"_s, u"ypgg"_s,
                u"cysl"_s,   u"cyfs"_s,   u"cysj_n"_s, u"cysj_y"_s, u"cysj_r"_s, u"cysj_s"_s, u"cysj_f"_s,
                u"cydd"_s,   u"cymd"_s,   u"gd"_s,    u"bcyrqm"_s, u"cyrqm"_s, u"bqm_n"_s,  u"bqm_y"_s,
                u"bqm_r"_s,  u"cqm_n"_s,  u"cqm_y"_s, u"cqm_r"_s, u"bh2"_s,    u"ypmc2"_s,  u"ypscdw2"_s,
                u"ypbh2"_s,  u"gg"_s,     u"sl"_s,    u"qtbj"_s};
    default:
        return {u"bh1"_s,     u"dsr"_s,     u"bcwp1"_s,   u"bcwp2"_s,   u"bcfs"_s,  u"bcdd"_s,  u"bcqx_n1"_s,
                u"bcqx_y1"_s, u"bcqx_r1"_s, u"bcqx_n2"_s, u"bcqx_y2"_s, u"bcqx_r2"_s, u"dsrqm"_s, u"cbrqm"_s,
                u"nian1"_s,   u"yue1"_s,    u"ri1"_s,     u"nian2"_s,   u"yue2"_s,  u"ri2"_s,   u"bh2"_s,
                u"dw"_s,      u"fs"_s,      u"bc"_s,      u"bc_n"_s,    u"bc_y"_s,  u"bc_r"_s,  u"wp1"_s,
                u"wp2"_s,     u"jg"_s,      u"nian"_s,    u"yue"_s,     u"ri"_s};
    }
}

// Entries written by hand, in red: the signatures, and in the on-site
// inspection record the signatures' dates as well.
QStringList handEntries(int k)
{
    switch (k) {
    case X:
        return {u"bcqm"_s, u"bc_y"_s, u"bc_m"_s, u"bc_d"_s, u"jcqm"_s, u"jc_y"_s, u"jc_m"_s, u"jc_d"_s};
    case W:
        return {u"bxwrqm"_s, u"xwrqm"_s, u"jlrqm"_s};
    case C:
        return {u"csrqm"_s, u"cbrqm"_s, u"jlrqm"_s};
    case Y:
        return {u"bcyrqm"_s, u"cyrqm"_s};
    default:
        return {u"dsrqm"_s, u"cbrqm"_s};
    }
}

// The memo box of a record, -1: none.
int memoOf(int k) { return k == X || k == W ? 10 : k == C ? 12 : -1; }

} // namespace

class TestOnsiteDocuments : public test::DocumentWindowTest {
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
    void tooLongForItsColumn_data();
    void tooLongForItsColumn();
    void memoBox_data();
    void memoBox();
    void tabOrder_data();
    void tabOrder();
    void keys_data();
    void keys();
    void enterInAMemoMovesOnWithTheLineBreak_data();
    void enterInAMemoMovesOnWithTheLineBreak();
    void samplingRecordAndLabelStayApart();
    void noticeLineGroups_data();
    void noticeLineGroups();
    void deleteOnClose_data();
    void deleteOnClose();
    void printsWhatTheWindowShows_data();
    void printsWhatTheWindowShows();

private:
    DocumentWindow *open(int k) { return openFromRegister(k); }
    QWidget *box(int i) const { return m_window->box(i); }
    QPlainTextEdit *memo(int i) const { return qobject_cast<QPlainTextEdit *>(m_window->box(i)); }
    QString textOf(int i) const { return memo(i) ? memo(i)->toPlainText() : line(i)->text(); }
};

void TestOnsiteDocuments::init() { setUpWindowTest(caseNo); }

void TestOnsiteDocuments::cleanup() { tearDownWindowTest(); }

void TestOnsiteDocuments::opensFromItsRegisterBox_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QSize>("size"); // twips
    QTest::addColumn<bool>("white");
    QTest::addColumn<int>("authority"); // its box, -1: none
    QTest::newRow("现场检查笔录") << X << u"frm_xzbl"_s << u"现场检查笔录"_s << QSize(8190, 7320) << false << -1;
    QTest::newRow("询问笔录") << W << u"frm_xwbl"_s << u"询问笔录"_s << QSize(8190, 7680) << true << -1;
    QTest::newRow("陈述和申辩笔录") << C << u"frm_cssb"_s << u"陈述和申辩笔录"_s << QSize(8190, 8400) << true << -1;
    QTest::newRow("采样记录") << Y << u"frm_cyjl"_s << u"采样记录"_s << QSize(8190, 9240) << true << -1;
    QTest::newRow("保存证据通知书") << B << u"frm_bczj"_s << u"保存证据通知书"_s << QSize(8310, 8265) << true << 29;
}

// A case without the document's row gets the row as the register makes it:
// every box empty but the authority, which shows the issuing organisation
// with its seal note, black and centred, and takes no typing. The caret
// starts in the first box; the memo is a bordered box of several lines
// with a scroll bar.
void TestOnsiteDocuments::opensFromItsRegisterBox()
{
    QFETCH(int, k);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QSize, size);
    QFETCH(bool, white);
    QFETCH(int, authority);
    QVERIFY(open(k));
    QCOMPARE(m_window->objectName(), name);
    QCOMPARE(m_window->windowTitle(), caption);
    QCOMPARE(m_window->size(), QSize(px(size.width()), px(size.height())));
    QCOMPARE(m_window->palette().color(QPalette::Window),
             white ? QColor(Qt::white) : QApplication::palette().color(QPalette::Base));
    QCOMPARE(test::focusedBox(*m_window), 0);
    QVERIFY(!m_window->deleteBox()->isChecked());
    QCOMPARE(db().scalar(u"SELECT COUNT(*) FROM %1 WHERE dabh = ?"_s.arg(table(k)), {caseNo}), u"1"_s);
    for (int i = 0; i <= m_window->description().lastIndex(); ++i) {
        QCOMPARE(textOf(i), i == authority ? authorityText() : QString());
        QCOMPARE(memo(i) != nullptr, i == memoOf(k));
    }
    if (memoOf(k) >= 0) {
        QPlainTextEdit *m = memo(memoOf(k));
        QCOMPARE(m->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(m->frameShape(), QFrame::Box);
        QVERIFY(m->width() > px(7000) && m->height() >= px(3000));
    }
    if (authority < 0)
        return;
    QLineEdit *a = line(authority);
    QVERIFY(a->isReadOnly());
    QCOMPARE(a->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    QCOMPARE(a->palette().color(QPalette::Text), QColor(0, 0, 0));
    a->setFocus();
    QTest::keyClicks(a, u"ab"_s);
    commit(a, u"甲"_s);
    QCOMPARE(a->text(), authorityText());
    QCOMPARE(stored(k, u"jg"_s), authorityText());
}

void TestOnsiteDocuments::boxes_data()
{
    QTest::addColumn<int>("k");
    QTest::newRow("现场检查笔录") << X;
    QTest::newRow("询问笔录") << W;
    QTest::newRow("陈述和申辩笔录") << C;
    QTest::newRow("采样记录") << Y;
    QTest::newRow("保存证据通知书") << B;
}

// Box i shows column i + 1 of the form's table, in blue, what is written by
// hand in red, the authority in black; whatever is typed, apostrophes
// included, is stored as typed in that column and no other.
void TestOnsiteDocuments::boxes()
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
        QCOMPARE(box(i)->palette().color(QPalette::Text), colour);
        if (column == authority)
            continue;
        box(i)->setFocus();
        commit(box(i), u"年'"_s);
        QCOMPARE(stored(k, column), u"年'"_s);
    }
    for (int i = 0; i < columns.size(); ++i)
        QCOMPARE(stored(k, columns[i]), columns[i] == authority ? authorityText() : u"年'"_s);
}

void TestOnsiteDocuments::typingLimits_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("xzbl inspection year: no fifth character") << X << 3 << u"20021"_s << u"2002"_s;
    QTest::newRow("xzbl inspection month: no third") << X << 4 << u"123"_s << u"12"_s;
    QTest::newRow("xzbl end minute: no third") << X << 9 << u"123"_s << u"12"_s;
    QTest::newRow("xzbl signature year: its column decides") << X << 12 << u"123456789"_s << u"12345678"_s;
    QTest::newRow("xzbl signature day") << X << 18 << u"123"_s << u"123"_s;
    QTest::newRow("xwbl start hour") << W << 6 << u"123"_s << u"12"_s;
    QTest::newRow("xwbl year under the person questioned") << W << 14 << u"20021"_s << u"2002"_s;
    QTest::newRow("xwbl day under the questioner") << W << 19 << u"123"_s << u"12"_s;
    QTest::newRow("cssb statement year") << C << 5 << u"20021"_s << u"2002"_s;
    QTest::newRow("cssb statement year takes letters") << C << 5 << u"abcde"_s << u"abcd"_s;
    QTest::newRow("cssb end minute") << C << 11 << u"123"_s << u"12"_s;
    QTest::newRow("cssb speaker's year") << C << 16 << u"20021"_s << u"2002"_s;
    QTest::newRow("cssb officers' year") << C << 19 << u"20021"_s << u"2002"_s;
    QTest::newRow("cssb officers' month") << C << 20 << u"123"_s << u"12"_s;
    QTest::newRow("cyjl sampling year") << Y << 9 << u"20021"_s << u"2002"_s;
    QTest::newRow("cyjl sampling minute") << Y << 13 << u"123"_s << u"12"_s;
    QTest::newRow("cyjl party's year") << Y << 19 << u"20021"_s << u"2002"_s;
    QTest::newRow("cyjl sampler's day") << Y << 24 << u"123"_s << u"12"_s;
    QTest::newRow("cyjl quantity: its column decides") << Y << 30 << chars(u"9"_s, 25) << chars(u"9"_s, 20);
    QTest::newRow("bczj period year") << B << 6 << u"20021"_s << u"2002"_s;
    QTest::newRow("bczj period end day") << B << 11 << u"123"_s << u"12"_s;
    QTest::newRow("bczj preserved until: more than four") << B << 24 << u"200212"_s << u"200212"_s;
    QTest::newRow("bczj preserved until, month") << B << 25 << u"123"_s << u"123"_s;
    QTest::newRow("bczj notice year") << B << 30 << u"20021"_s << u"2002"_s;
    QTest::newRow("bczj notice day") << B << 32 << u"123"_s << u"12"_s;
}

// Year, month, day, hour and minute boxes that the form limits refuse more
// characters, whatever they are; every other box holds what its column
// holds, and the caret stays at the end of what was kept.
void TestOnsiteDocuments::typingLimits()
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

void TestOnsiteDocuments::tooLongForItsColumn_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("box");
    QTest::addColumn<int>("fits"); // full-width characters its column holds
    QTest::newRow("xzbl the inspected party") << X << 0 << 35;
    QTest::newRow("xzbl the place, after its blank") << X << 2 << 34;
    QTest::newRow("xwbl the person questioned") << W << 0 << 35;
    QTest::newRow("cssb the party") << C << 0 << 35;
    QTest::newRow("cssb the place") << C << 4 << 32;
    QTest::newRow("cyjl the producer in the record") << Y << 5 << 33;
    QTest::newRow("cyjl other marks on the label") << Y << 31 << 7;
    QTest::newRow("bczj the addressee") << B << 21 << 20;
}

// A text longer than its column: the column keeps its leading part and the
// box shows it at once, the caret at the end; an insertion into a full box
// that would push stored text off is refused, the caret where it was.
void TestOnsiteDocuments::tooLongForItsColumn()
{
    QFETCH(int, k);
    QFETCH(int, box);
    QFETCH(int, fits);
    const QString column = columnsOf(k)[box];
    open(k);
    line(box)->setFocus();
    commit(line(box), chars(u"甲"_s, fits) + u"乙丙"_s);
    QCOMPARE(stored(k, column), chars(u"甲"_s, fits));
    QCOMPARE(line(box)->text(), chars(u"甲"_s, fits));
    QCOMPARE(line(box)->cursorPosition(), fits);
    line(box)->setCursorPosition(3);
    commit(line(box), u"乙"_s);
    QCOMPARE(stored(k, column), chars(u"甲"_s, fits));
    QCOMPARE(line(box)->text(), chars(u"甲"_s, fits));
    QCOMPARE(line(box)->cursorPosition(), 3);
}

void TestOnsiteDocuments::memoBox_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<bool>("readBack");
    QTest::newRow("现场检查笔录: the findings, read back") << X << true;
    QTest::newRow("询问笔录: questions and answers, as typed") << W << false;
    QTest::newRow("陈述和申辩笔录: the statement, as typed") << C << false;
}

// A memo stores its whole text, line breaks and apostrophes included, at
// every change, and the window shows it again when it opens anew. Where
// the column keeps less than was typed, a memo that is read back shows what
// was kept; the others keep showing what was typed, their caret untouched.
void TestOnsiteDocuments::memoBox()
{
    QFETCH(int, k);
    QFETCH(bool, readBack);
    const int i = memoOf(k);
    const QString column = columnsOf(k)[i];
    const QString text = u"问：你叫什么名字？\n答：O'Brien。\n"_s + chars(u"记"_s, 3000);
    open(k);
    memo(i)->setFocus();
    commit(memo(i), text);
    QCOMPARE(stored(k, column), text);
    QCOMPARE(memo(i)->toPlainText(), text);
    QCOMPARE(memo(i)->textCursor().position(), int(text.size()));

    tearDownWindowTest();
    setUpWindowTest(caseNo);
    store(k, column, text);
    open(k);
    QCOMPARE(memo(i)->toPlainText(), text);

    // A column that keeps only five characters.
    db().exec(u"CREATE TRIGGER cut AFTER UPDATE OF %2 ON %1 WHEN length(NEW.%2) > 5 BEGIN "
              "UPDATE %1 SET %2 = substr(NEW.%2, 1, 5) WHERE dabh = NEW.dabh; END"_s.arg(table(k), column));
    memo(i)->setFocus();
    memo(i)->moveCursor(QTextCursor::Start);
    memo(i)->moveCursor(QTextCursor::Right);
    commit(memo(i), u"甲"_s);
    const QString typed = text.left(1) + u"甲"_s + text.mid(1);
    QCOMPARE(stored(k, column), typed.left(5));
    QCOMPARE(memo(i)->toPlainText(), readBack ? typed.left(5) : typed);
    QCOMPARE(memo(i)->textCursor().position(), 2);
}

void TestOnsiteDocuments::tabOrder_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QList<int>>("order"); // -1: the delete-on-close box
    auto boxOrder = [](int last) {
        QList<int> order;
        for (int i = 0; i <= last; ++i)
            order << i;
        return order << -1;
    };
    QTest::newRow("现场检查笔录: the box order, through the memo") << X << boxOrder(18);
    QTest::newRow("询问笔录: the box order, through the memo") << W << boxOrder(19);
    QList<int> statement;
    for (int i = 0; i <= 13; ++i)
        statement << i;
    statement << 16 << 17 << 18 << 14 << 15 << 19 << 20 << 21 << -1;
    QTest::newRow("陈述和申辩笔录: the speaker's date under the speaker's signature") << C << statement;
    QTest::newRow("采样记录: the box order, into the sample label") << Y << boxOrder(31);
    QTest::newRow("保存证据通知书: the box order, the authority too") << B << boxOrder(32);
}

// Tab from the first box visits every box and the delete-on-close box in
// the form's order; a memo passes the Tab on instead of taking it.
void TestOnsiteDocuments::tabOrder()
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

void TestOnsiteDocuments::keys_data()
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
    QTest::newRow("xzbl Enter in bjcr to jcjg") << X << 0 << 0 << enter << 1;
    QTest::newRow("xzbl Down in jcsj_f2 to the memo") << X << 9 << 0 << down << 10;
    QTest::newRow("xzbl Up in bcqm to the memo") << X << 11 << 0 << up << 10;
    QTest::newRow("xzbl Enter in bc_d to jcqm") << X << 14 << 0 << enter << 15;
    QTest::newRow("xzbl Enter in jc_m to jc_d") << X << 17 << 0 << enter << 18;
    QTest::newRow("xzbl Enter in jc_d stays") << X << 18 << 0 << enter << 18;
    QTest::newRow("xzbl Down in jc_d stays") << X << 18 << 0 << down << 18;
    QTest::newRow("xzbl Up in bjcr stays") << X << 0 << 0 << up << 0;
    QTest::newRow("xzbl Right at the end of bjcr stays") << X << 0 << -1 << right << 0;
    QTest::newRow("xzbl Backspace at the start of jcjg stays") << X << 1 << 0 << bs << 1;
    QTest::newRow("xwbl Enter in yue2 to ri2") << W << 18 << 0 << enter << 19;
    QTest::newRow("xwbl Enter in ri2 stays") << W << 19 << 0 << enter << 19;
    QTest::newRow("xwbl Down in ri2 stays") << W << 19 << 0 << down << 19;
    QTest::newRow("xwbl Up in bxwr stays") << W << 0 << 0 << up << 0;
    QTest::newRow("xwbl Up in ri2 to yue2") << W << 19 << 0 << up << 18;
    QTest::newRow("cssb Enter in csrqm to cbrqm") << C << 13 << 0 << enter << 14;
    QTest::newRow("cssb Down in csrqm to cbrqm") << C << 13 << 0 << down << 14;
    QTest::newRow("cssb Up in nian1 to jlrqm") << C << 16 << 0 << up << 15;
    QTest::newRow("cssb Enter in ri1 to nian2") << C << 18 << 0 << enter << 19;
    QTest::newRow("cssb Enter in ri2 stays") << C << 21 << 0 << enter << 21;
    QTest::newRow("cssb Down in ri2 stays") << C << 21 << 0 << down << 21;
    QTest::newRow("cssb Up in dsr stays") << C << 0 << 0 << up << 0;
    QTest::newRow("cyjl Enter in gd to bcyrqm") << Y << 16 << 0 << enter << 17;
    QTest::newRow("cyjl Enter in cqm_r to the label's bh2") << Y << 24 << 0 << enter << 25;
    QTest::newRow("cyjl Up in bh2 to cqm_r") << Y << 25 << 0 << up << 24;
    QTest::newRow("cyjl Enter in qtbj stays") << Y << 31 << 0 << enter << 31;
    QTest::newRow("cyjl Down in qtbj stays") << Y << 31 << 0 << down << 31;
    QTest::newRow("cyjl Up in bh1 stays") << Y << 0 << 0 << up << 0;
    QTest::newRow("bczj Right at the end of bcwp1") << B << 2 << -1 << right << 3;
    QTest::newRow("bczj Right at the end of wp1") << B << 27 << -1 << right << 28;
    QTest::newRow("bczj Right at the end of bcwp2 stays") << B << 3 << -1 << right << 3;
    QTest::newRow("bczj Right at the end of wp2 stays") << B << 28 << -1 << right << 28;
    QTest::newRow("bczj Backspace at the start of bcwp2") << B << 3 << 0 << bs << 2;
    QTest::newRow("bczj Left at the start of wp2") << B << 28 << 0 << left << 27;
    QTest::newRow("bczj Backspace at the start of bcwp1 stays") << B << 2 << 0 << bs << 2;
    QTest::newRow("bczj Left at the start of wp1 stays") << B << 27 << 0 << left << 27;
    QTest::newRow("bczj Enter in wp2 to the locked jg") << B << 28 << 0 << enter << 29;
    QTest::newRow("bczj Up in nian to jg") << B << 30 << 0 << up << 29;
    QTest::newRow("bczj Enter in yue to ri") << B << 31 << 0 << enter << 32;
    QTest::newRow("bczj Enter in ri stays") << B << 32 << 0 << enter << 32;
    QTest::newRow("bczj Down in ri stays") << B << 32 << 0 << down << 32;
    QTest::newRow("bczj Up in bh1 stays") << B << 0 << 0 << up << 0;
}

// Enter, Down and Up walk the boxes in index order; Right, Left and
// Backspace cross only between the lines of a group. A move is no edit.
void TestOnsiteDocuments::keys()
{
    QFETCH(int, k);
    QFETCH(int, from);
    QFETCH(int, caret);
    QFETCH(int, key);
    QFETCH(int, to);
    const QStringList columns = columnsOf(k);
    const QString authority = documentAt(k).authorityColumn;
    for (const QString &c : columns)
        if (c != authority)
            store(k, c, u"字"_s);
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

void TestOnsiteDocuments::enterInAMemoMovesOnWithTheLineBreak_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("key");
    QTest::newRow("xzbl Enter in jcjl to bcqm") << X << int(Qt::Key_Return);
    QTest::newRow("xwbl Enter in xwnr to bxwrqm") << W << int(Qt::Key_Return);
    QTest::newRow("cssb Enter in csnr to csrqm") << C << int(Qt::Key_Return);
    QTest::newRow("cssb Down in csnr to csrqm") << C << int(Qt::Key_Down);
    QTest::newRow("cssb Up in csnr to cssj_f2") << C << int(Qt::Key_Up);
}

// Enter moves on from a memo as from any box, and the memo still takes
// the key: a line break where its caret stood, stored at once. Down and Up
// move on and change nothing.
void TestOnsiteDocuments::enterInAMemoMovesOnWithTheLineBreak()
{
    QFETCH(int, k);
    QFETCH(int, key);
    const int i = memoOf(k);
    const QString column = columnsOf(k)[i];
    store(k, column, u"甲乙"_s);
    open(k);
    memo(i)->setFocus();
    memo(i)->moveCursor(QTextCursor::Start);
    memo(i)->moveCursor(QTextCursor::Right);
    press(memo(i), Qt::Key(key));
    QCOMPARE(test::focusedBox(*m_window), key == Qt::Key_Up ? i - 1 : i + 1);
    const QString after = key == Qt::Key_Return ? u"甲\n乙"_s : u"甲乙"_s;
    QCOMPARE(memo(i)->toPlainText(), after);
    QCOMPARE(stored(k, column), after);
}

// The record's sample name, number and producer and the label's are typed
// twice: nothing of one part reaches the other.
void TestOnsiteDocuments::samplingRecordAndLabelStayApart()
{
    open(Y);
    const QList<std::pair<int, int>> twins = {{3, 26}, {4, 28}, {5, 27}};
    for (const auto &[record, label] : twins) {
        line(record)->setFocus();
        commit(line(record), u"大米"_s);
        QCOMPARE(line(label)->text(), QString());
        QCOMPARE(stored(Y, columnsOf(Y)[label]), QString());
        line(label)->setFocus();
        commit(line(label), u"面粉"_s);
        QCOMPARE(line(record)->text(), u"大米"_s);
        QCOMPARE(stored(Y, columnsOf(Y)[record]), u"大米"_s);
        QCOMPARE(stored(Y, columnsOf(Y)[label]), u"面粉"_s);
    }
}

void TestOnsiteDocuments::noticeLineGroups_data()
{
    QTest::addColumn<int>("first"); // the group's first box
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<int>("box"); // the edited line
    QTest::addColumn<int>("caret"); // -1: at the end
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("focus");
    // bcwp1 and bcwp2 hold 35 full-width characters, wp1 and wp2 40.
    QTest::newRow("bcwp1 carries into bcwp2") << 2 << QStringList{{}, {}} << 2 << 0 << chars(u"丙"_s, 36)
                                              << QStringList{chars(u"丙"_s, 35), u"丙"_s} << 3;
    QTest::newRow("a stub list that fits in bcwp1 empties bcwp2")
        << 2 << QStringList{u"甲"_s, u"乙"_s} << 2 << 1 << u"丁"_s << QStringList{u"甲丁乙"_s, QString()} << 2;
    QTest::newRow("a stub list longer than both lines loses its end")
        << 2 << QStringList{{}, {}} << 2 << 0 << chars(u"丙"_s, 100)
        << QStringList{chars(u"丙"_s, 35), chars(u"丙"_s, 35)} << 3;
    QTest::newRow("bcwp2 is cut at once, nothing moves back")
        << 2 << QStringList{u"甲"_s, chars(u"乙"_s, 35)} << 3 << -1 << u"丙"_s
        << QStringList{u"甲"_s, chars(u"乙"_s, 35)} << 3;
    QTest::newRow("wp1 carries into wp2") << 27 << QStringList{{}, {}} << 27 << 0 << chars(u"丙"_s, 41)
                                          << QStringList{chars(u"丙"_s, 40), u"丙"_s} << 28;
    QTest::newRow("a notice list that fits in wp1 empties wp2")
        << 27 << QStringList{chars(u"甲"_s, 40), u"乙"_s} << 27 << 40 << u"\b"_s
        << QStringList{chars(u"甲"_s, 39) + u"乙"_s, QString()} << 27;
}

// Each list of items re-packs from the edited line down its own group;
// no other box changes.
void TestOnsiteDocuments::noticeLineGroups()
{
    QFETCH(int, first);
    QFETCH(QStringList, before);
    QFETCH(int, box);
    QFETCH(int, caret);
    QFETCH(QString, typed);
    QFETCH(QStringList, after);
    QFETCH(int, focus);
    const QStringList columns = columnsOf(B);
    for (qsizetype i = 0; i < before.size(); ++i)
        store(B, columns[first + i], before[i]);
    open(B);
    line(box)->setFocus();
    line(box)->setCursorPosition(caret < 0 ? int(line(box)->text().size()) : caret);
    if (typed == u"\b"_s)
        press(line(box), Qt::Key_Backspace);
    else
        commit(line(box), typed);
    for (qsizetype i = 0; i < after.size(); ++i) {
        QCOMPARE(stored(B, columns[first + i]), after[i]);
        QCOMPARE(line(first + int(i))->text(), after[i]);
    }
    QCOMPARE(test::focusedBox(*m_window), focus);
    for (int i = 0; i < columns.size(); ++i)
        if (i < first || i >= first + before.size())
            QCOMPARE(stored(B, columns[i]), columns[i] == u"jg"_s ? authorityText() : QString());
}

void TestOnsiteDocuments::deleteOnClose_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<bool>("yes");
    for (int k : {X, W, C, Y, B}) {
        const QByteArray name = documentAt(k).windowCaption.toUtf8();
        QTest::addRow("%s, not ticked", name.constData()) << k << false << false;
        QTest::addRow("%s, ticked, 否", name.constData()) << k << true << false;
        QTest::addRow("%s, ticked, 是", name.constData()) << k << true << true;
    }
}

// Ticked "销  档" and 是 deletes the case's row and unticks the register's
// box, which must not act on it; otherwise the row and the tick stay. The
// case's other documents stay whatever the answer.
void TestOnsiteDocuments::deleteOnClose()
{
    QFETCH(int, k);
    QFETCH(bool, ticked);
    QFETCH(bool, yes);
    const int other = k == X ? Y : X;
    db().insertRow(table(other), {u"dabh"_s}, {caseNo});
    open(k);
    m_window->deleteBox()->setChecked(ticked);
    m_messages->answer(yes ? Answer::Yes : Answer::No);
    m_window->close();
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_messages->shown.size(), ticked ? 1 : 0);
    if (ticked) {
        QCOMPARE(m_messages->lastText(), u"确认销除该案件资料吗？"_s);
        QCOMPARE(m_messages->shown.last().title, u"提示"_s);
    }
    const bool gone = ticked && yes;
    QCOMPARE(db().scalar(u"SELECT COUNT(*) FROM %1 WHERE dabh = ?"_s.arg(table(k)), {caseNo}),
             gone ? u"0"_s : u"1"_s);
    QCOMPARE(db().scalar(u"SELECT COUNT(*) FROM %1 WHERE dabh = ?"_s.arg(table(other)), {caseNo}), u"1"_s);
    const QStringList calls{u"Check1(%1)=0"_s.arg(k)};
    QCOMPARE(m_register.calls, gone ? calls : QStringList());
}

void TestOnsiteDocuments::printsWhatTheWindowShows_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("box");
    QTest::newRow("现场检查笔录, the findings") << X << 10;
    QTest::newRow("询问笔录, the questions and answers") << W << 10;
    QTest::newRow("陈述和申辩笔录, the place") << C << 4;
    QTest::newRow("采样记录, the label's sample name") << Y << 26;
    QTest::newRow("保存证据通知书, the notice's first line of items") << B << 27;
}

// The print picture prints the window's own case, as just typed, apostrophe
// and all, on one page of the document's form, straight to the printer.
void TestOnsiteDocuments::printsWhatTheWindowShows()
{
    QFETCH(int, k);
    QFETCH(int, box);
    test::RecordingPrinter &printer = test::RecordingPrinter::install();
    open(k);
    m_window->box(box)->setFocus();
    commit(m_window->box(box), u"张三's 饭店"_s);
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

QTEST_MAIN(TestOnsiteDocuments)
#include "tst_onsitedocuments.moc"
