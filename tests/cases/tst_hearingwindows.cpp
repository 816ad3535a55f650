// The hearing record and hearing opinion windows on a real database: where
// each box stands, its colour, its column and its typing limit; the line
// flow of every paragraph; the keys; the hearing opinion's own tab order;
// opening from the register's boxes 15 and 20, closing and printing.
// Needs widgets: focus, keys and input-method commits reach real boxes.
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

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;

namespace {

using test::commit;
using test::focusedBox;
using test::press;

const QString caseNo = u"20020007"_s;
constexpr int record = 15;  // 听证笔录, tzbl
constexpr int opinion = 20; // 听证意见书, tzyj

const DocumentDescription &described(int k) { return *documentDescription(k); }
QString table(int k) { return described(k).document.table; }
QString column(int k, int box) { return described(k).boxes.at(std::size_t(box)).column; }

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

} // namespace

class TestHearingWindows : public test::DocumentWindowTest {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void boxes_data();
    void boxes();
    void flows_data();
    void flows();
    void keys_data();
    void keys();
    void tabOrder_data();
    void tabOrder();
    void fullBoxTakesNoMore_data();
    void fullBoxTakesNoMore();
    void openingChangesNothing_data();
    void openingChangesNothing();
    void opensFromTheRegister_data();
    void opensFromTheRegister();
    void printsItsOwnRow_data();
    void printsItsOwnRow();

private:
    DocumentWindow *open(int k) { return openOn(described(k)); }
};

void TestHearingWindows::init() { setUpWindowTest(caseNo); }

void TestHearingWindows::cleanup() { tearDownWindowTest(); }

void TestHearingWindows::boxes_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QRect>("place"); // twips; the height is the form's
    QTest::addColumn<bool>("signature");
    QTest::addColumn<int>("limit"); // characters a user can type; 0: none
    struct Row {
        const char *column;
        int left, top, width;
        bool red = false;
        int limit = 0;
        int height = 180;
    };
    const Row hearingRecord[] = {
        {"dsr", 1320, 960, 6375},          {"wtdlr", 1560, 1320, 6135, false, 0, 230},
        {"ajcbjg", 1680, 1680, 6015},      {"ajcbr", 1560, 2040, 6135},
        {"tzy", 1320, 2400, 6375},         {"tzzcr", 1560, 2760, 3255},
        {"sjy", 5640, 2760, 2055},         {"tzfs", 1320, 3120, 6375},
        {"tzdd", 1320, 3480, 6375},        {"tzsj_n", 1440, 3840, 495, false, 4},
        {"tzsj_y", 2160, 3840, 195, false, 2}, {"tzsj_r", 2760, 3840, 195, false, 2},
        {"tzsj_w", 3240, 3840, 255, false, 4}, {"tzsj_s1", 3840, 3840, 195, false, 2},
        {"tzsj_s2", 4560, 3840, 195, false, 2}, {"ay1", 1320, 4200, 6375},
        {"ay2", 480, 4560, 7215},          {"ay3", 480, 4920, 7215},
        {"ay4", 480, 5280, 7215},          {"dsrqm", 1560, 5640, 6135, true},
        {"wtdlrqm", 1920, 6000, 5775, true}, {"ajcbrqm", 1920, 6360, 5775, true},
        {"tzyqm", 1560, 6720, 6135, true}, {"tzzcrqm", 1920, 7080, 1815, true},
        {"sjyqm", 5880, 7080, 1815, true}, {"nian", 5400, 7440, 495, false, 4},
        {"yue", 6120, 7440, 195, false, 2}, {"ri", 6720, 7440, 195, false, 2},
    };
    const Row hearingOpinion[] = {
        {"dsr", 1320, 840, 6375},          {"dlr", 1560, 1160, 6135, false, 0, 230},
        {"cbr", 1680, 1480, 6015},         {"cbjg", 1560, 1800, 6135},
        {"tzy", 1320, 2120, 6375},         {"zcr", 1560, 2440, 2295},
        {"sjy", 4800, 2440, 2895},         {"tzfs", 1320, 2760, 6375},
        {"tzsj", 1320, 3080, 2535},        {"tzdd", 4800, 3080, 2895},
        {"tzay1", 1320, 3400, 6375},       {"tzay2", 480, 3720, 7215},
        {"jbqk1", 1680, 4040, 6015},       {"jbqk2", 480, 4360, 7215},
        {"dsrly1", 1920, 4680, 5775},      {"dsrly2", 480, 5000, 7215},
        {"dsrly3", 480, 5320, 7215},       {"cbrly1", 2280, 5640, 5475},
        {"cbrly2", 480, 5960, 7215},       {"hyyj1", 1800, 6280, 5895},
        {"hyyj2", 480, 6600, 7215},        {"tzrqm", 1800, 6920, 2415, true},
        {"nian1", 5760, 6920, 495, false, 4}, {"yue1", 6480, 6920, 195, false, 2},
        {"ri1", 7080, 6920, 195, false, 2}, {"fzryj", 1560, 7340, 6135, true},
        {"fzrqm", 1560, 7660, 2535, true}, {"nian2", 5760, 7660, 495, false, 4},
        {"yue2", 6480, 7660, 195, false, 2}, {"ri2", 7080, 7660, 195, false, 2},
    };
    auto add = [](int k, const auto &rows) {
        int box = 0;
        for (const Row &r : rows) {
            QTest::addRow("%s box %d %s", qPrintable(documentAt(k).windowName()), box, r.column)
                << k << box << QString::fromLatin1(r.column) << QRect(r.left, r.top, r.width, r.height) << r.red
                << r.limit;
            ++box;
        }
    };
    add(record, hearingRecord);
    add(opinion, hearingOpinion);
}

// Each box stands where the form has it, in blue or (hand entries) red,
// and stores what is typed, apostrophes included, in its own column and no
// other; the date and time parts take only as many characters as the form
// has room for.
void TestHearingWindows::boxes()
{
    QFETCH(int, k);
    QFETCH(int, box);
    QFETCH(QString, column);
    QFETCH(QRect, place);
    QFETCH(bool, signature);
    QFETCH(int, limit);
    const DocumentDescription &d = described(k);
    QCOMPARE(d.boxes.at(std::size_t(box)).height, place.height());
    open(k);
    QLineEdit *b = line(box);
    QCOMPARE(b->geometry().topLeft(), QPoint(px(place.left()), px(place.top())));
    QCOMPARE(b->width(), px(place.width()));
    QVERIFY(!b->hasFrame());
    QVERIFY(!b->isReadOnly());
    QCOMPARE(b->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    QCOMPARE(b->palette().color(QPalette::Text), signature ? QColor(255, 0, 0) : QColor(0, 0, 255));

    b->setFocus();
    const QString typed = u"12'4567"_s;
    QTest::keyClicks(b, typed);
    const QString kept = limit > 0 ? typed.left(limit) : typed;
    QCOMPARE(b->text(), kept);
    QCOMPARE(stored(k, column), kept);
    for (const BoxSpec &other : d.boxes)
        if (other.column != column)
            QVERIFY2(stored(k, other.column).isEmpty(), qPrintable(other.column));
    if (limit == 4) { // the half-day word as well as the years
        b->clear();
        for (const QString &c : {u"上"_s, u"午"_s, u"下"_s, u"午"_s, u"时"_s})
            commit(b, c);
        QCOMPARE(stored(k, column), u"上午下午"_s);
    }
}

void TestHearingWindows::flows_data()
{
    // tzbl: ay1 holds 35 full-width characters, ay2 to ay4 40 each.
    // tzyj: tzay1 35, jbqk1 33, dsrly1 32, cbrly1 30, hyyj1 32 (and a
    // half-width one), every following line 40.
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("first");         // the group's first box
    QTest::addColumn<QStringList>("before"); // the group's lines
    QTest::addColumn<int>("box");
    QTest::addColumn<int>("caret"); // -1: at the end
    QTest::addColumn<QString>("typed"); // "\b": the Backspace key
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("focus"); // the caret follows the first carry only
    const QStringList four{{}, {}, {}, {}};
    const QString full35 = chars(u"甲"_s, 35);
    const QString full40 = chars(u"丁"_s, 40);
    QTest::newRow("tzbl: ay1 full, one more goes to the start of ay2")
        << record << 15 << QStringList{full35, u"乙乙"_s, {}, {}} << 15 << -1 << u"丙"_s
        << QStringList{full35, u"丙乙乙"_s, {}, {}} << 16;
    QTest::newRow("tzbl: shortening ay1 until the paragraph fits empties ay2 to ay4")
        << record << 15 << QStringList{chars(u"甲"_s, 30), u"乙"_s, u"丙"_s, u"丁"_s} << 15 << -1 << u"\b"_s
        << QStringList{chars(u"甲"_s, 29) + u"乙丙丁"_s, {}, {}, {}} << 15;
    QTest::newRow("tzbl: more than four lines, the surplus is lost")
        << record << 15 << four << 15 << 0 << chars(u"丙"_s, 200)
        << QStringList{chars(u"丙"_s, 35), chars(u"丙"_s, 40), chars(u"丙"_s, 40), chars(u"丙"_s, 40)} << 16;
    QTest::newRow("tzbl: an edit in ay3 re-flows ay3 and ay4 only")
        << record << 15 << QStringList{u"一"_s, u"二"_s, full40, {}} << 17 << 0 << u"戊"_s
        << QStringList{u"外"_s, u"外"_s, u"戊"_s + chars(u"丁"_s, 39), u"丁"_s} << 17;
    QTest::newRow("tzbl: ay4, the last line, is cut, not carried")
        << record << 15 << QStringList{{}, {}, {}, full40} << 18 << -1 << u"己"_s
        << QStringList{u"外"_s, u"外"_s, u"外"_s, full40} << 18;
    QTest::newRow("tzyj: dsrly1 flows into dsrly2 and dsrly3, the rest is lost")
        << opinion << 14 << QStringList{{}, {}, {}} << 14 << 0
        << chars(u"甲"_s, 32) + chars(u"乙"_s, 40) + chars(u"丙"_s, 40) + u"丁丁"_s
        << QStringList{chars(u"甲"_s, 32), chars(u"乙"_s, 40), chars(u"丙"_s, 40)} << 15;
    QTest::newRow("tzyj: an edit in dsrly2 re-flows dsrly2 and dsrly3, never dsrly1")
        << opinion << 14 << QStringList{u"一"_s, full40, {}} << 15 << 0 << u"戊"_s
        << QStringList{u"外"_s, u"戊"_s + chars(u"丁"_s, 39), u"丁"_s} << 15;
    QTest::newRow("tzyj: shortening dsrly1 until the paragraph fits empties dsrly2 and dsrly3")
        << opinion << 14 << QStringList{chars(u"甲"_s, 30), u"乙"_s, u"丙"_s} << 14 << -1 << u"\b"_s
        << QStringList{chars(u"甲"_s, 29) + u"乙丙"_s, {}, {}} << 14;
    QTest::newRow("tzyj: the cause of the hearing, tzay1 into tzay2")
        << opinion << 10 << QStringList{{}, {}} << 10 << 0 << full35 + u"乙丙"_s
        << QStringList{full35, u"乙丙"_s} << 11;
    QTest::newRow("tzyj: the facts, jbqk1 into jbqk2")
        << opinion << 12 << QStringList{{}, {}} << 12 << 0 << chars(u"甲"_s, 33) + u"乙丙"_s
        << QStringList{chars(u"甲"_s, 33), u"乙丙"_s} << 13;
    QTest::newRow("tzyj: the case officer's arguments, cbrly1 into cbrly2")
        << opinion << 17 << QStringList{{}, {}} << 17 << 0 << chars(u"甲"_s, 30) + u"乙丙"_s
        << QStringList{chars(u"甲"_s, 30), u"乙丙"_s} << 18;
    QTest::newRow("tzyj: the panel's opinion, hyyj1 into hyyj2")
        << opinion << 19 << QStringList{{}, {}} << 19 << 0 << chars(u"甲"_s, 32) + u"乙丙"_s
        << QStringList{chars(u"甲"_s, 32), u"乙丙"_s} << 20;
    QTest::newRow("tzyj: hyyj2, the last line, is cut, not carried")
        << opinion << 19 << QStringList{{}, full40} << 20 << -1 << u"己"_s << QStringList{u"外"_s, full40} << 20;
}

// A paragraph flows down its own group from the edited line; the lines
// above it and every other column are left alone.
void TestHearingWindows::flows()
{
    QFETCH(int, k);
    QFETCH(int, first);
    QFETCH(QStringList, before);
    QFETCH(int, box);
    QFETCH(int, caret);
    QFETCH(QString, typed);
    QFETCH(QStringList, after);
    QFETCH(int, focus);
    for (int i = 0; i < before.size(); ++i)
        store(k, column(k, first + i), before[i]);
    open(k);
    // Lines above the edited one that a flow must not write.
    for (int i = first; i < box; ++i)
        store(k, column(k, i), u"外"_s);
    line(box)->setFocus();
    line(box)->setCursorPosition(caret < 0 ? int(line(box)->text().size()) : caret);
    if (typed == u"\b"_s)
        press(line(box), Qt::Key_Backspace);
    else
        commit(line(box), typed);
    for (int i = 0; i < after.size(); ++i) {
        QCOMPARE(stored(k, column(k, first + i)), after[i]);
        if (first + i >= box)
            QCOMPARE(line(first + i)->text(), after[i]);
    }
    QCOMPARE(focusedBox(*m_window), focus);
    for (int i = 0; i <= described(k).lastIndex(); ++i)
        if (i < first || i >= first + after.size())
            QVERIFY2(stored(k, column(k, i)).isEmpty(), qPrintable(column(k, i)));
}

void TestHearingWindows::keys_data()
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
    QTest::newRow("tzbl: Backspace at the start of ay2 to ay1") << record << 16 << 0 << bs << 15;
    QTest::newRow("tzbl: Left at the start of ay4 to ay3") << record << 18 << 0 << left << 17;
    QTest::newRow("tzbl: Backspace at the start of ay1 stays") << record << 15 << 0 << bs << 15;
    QTest::newRow("tzbl: Left at the start of the to-hour stays") << record << 14 << 0 << left << 14;
    QTest::newRow("tzbl: Right at the end of ay1 to ay2") << record << 15 << -1 << right << 16;
    QTest::newRow("tzbl: Right at the end of ay2 to ay3") << record << 16 << -1 << right << 17;
    QTest::newRow("tzbl: Right at the end of ay3 to ay4") << record << 17 << -1 << right << 18;
    QTest::newRow("tzbl: Right at the end of ay4 stays") << record << 18 << -1 << right << 18;
    QTest::newRow("tzbl: Right at the end of tzdd stays") << record << 8 << -1 << right << 8;
    QTest::newRow("tzbl: Enter in the to-hour to ay1") << record << 14 << 0 << enter << 15;
    QTest::newRow("tzbl: Enter in yue to ri") << record << 26 << 0 << enter << 27;
    QTest::newRow("tzbl: Enter in ri stays") << record << 27 << 0 << enter << 27;
    QTest::newRow("tzbl: Down in ri stays") << record << 27 << 0 << down << 27;
    QTest::newRow("tzbl: Up in dsr stays") << record << 0 << 0 << up << 0;
    QTest::newRow("tzbl: Up in dsrqm to ay4") << record << 19 << 0 << up << 18;
    QTest::newRow("tzyj: Backspace at the start of dsrly2 to dsrly1") << opinion << 15 << 0 << bs << 14;
    QTest::newRow("tzyj: Backspace at the start of dsrly3 to dsrly2") << opinion << 16 << 0 << bs << 15;
    QTest::newRow("tzyj: Left at the start of tzay2 to tzay1") << opinion << 11 << 0 << left << 10;
    QTest::newRow("tzyj: Left at the start of jbqk2 to jbqk1") << opinion << 13 << 0 << left << 12;
    QTest::newRow("tzyj: Backspace at the start of cbrly2 to cbrly1") << opinion << 18 << 0 << bs << 17;
    QTest::newRow("tzyj: Backspace at the start of hyyj2 to hyyj1") << opinion << 20 << 0 << bs << 19;
    QTest::newRow("tzyj: Backspace at the start of tzay1 stays") << opinion << 10 << 0 << bs << 10;
    QTest::newRow("tzyj: Backspace at the start of jbqk1 stays") << opinion << 12 << 0 << bs << 12;
    QTest::newRow("tzyj: Backspace at the start of dsrly1 stays") << opinion << 14 << 0 << bs << 14;
    QTest::newRow("tzyj: Backspace at the start of cbrly1 stays") << opinion << 17 << 0 << bs << 17;
    QTest::newRow("tzyj: Backspace at the start of hyyj1 stays") << opinion << 19 << 0 << bs << 19;
    QTest::newRow("tzyj: Right at the end of dsrly2 to dsrly3") << opinion << 15 << -1 << right << 16;
    QTest::newRow("tzyj: Right at the end of tzay1 to tzay2") << opinion << 10 << -1 << right << 11;
    QTest::newRow("tzyj: Right at the end of tzay2 stays") << opinion << 11 << -1 << right << 11;
    QTest::newRow("tzyj: Right at the end of jbqk2 stays") << opinion << 13 << -1 << right << 13;
    QTest::newRow("tzyj: Right at the end of dsrly3 stays") << opinion << 16 << -1 << right << 16;
    QTest::newRow("tzyj: Right at the end of cbrly2 stays") << opinion << 18 << -1 << right << 18;
    QTest::newRow("tzyj: Right at the end of hyyj2 stays") << opinion << 20 << -1 << right << 20;
    QTest::newRow("tzyj: Enter in yue2 to ri2") << opinion << 28 << 0 << enter << 29;
    QTest::newRow("tzyj: Enter in ri2 stays") << opinion << 29 << 0 << enter << 29;
    QTest::newRow("tzyj: Down in ri2 stays") << opinion << 29 << 0 << down << 29;
    QTest::newRow("tzyj: Down in hyyj2 to tzrqm") << opinion << 20 << 0 << down << 21;
    QTest::newRow("tzyj: Up in dsr stays") << opinion << 0 << 0 << up << 0;
    QTest::newRow("tzyj: Up in tzrqm to hyyj2") << opinion << 21 << 0 << up << 20;
}

void TestHearingWindows::keys()
{
    QFETCH(int, k);
    QFETCH(int, from);
    QFETCH(int, caret);
    QFETCH(int, key);
    QFETCH(int, to);
    const DocumentDescription &d = described(k);
    for (const BoxSpec &b : d.boxes)
        store(k, b.column, u"字"_s);
    open(k);
    line(from)->setFocus();
    line(from)->setCursorPosition(caret < 0 ? int(line(from)->text().size()) : caret);
    press(line(from), Qt::Key(key));
    QCOMPARE(focusedBox(*m_window), to);
    if (to < from && key != Qt::Key_Up)
        QCOMPARE(line(to)->cursorPosition(), int(line(to)->text().size()));
    // A move is no edit: every column keeps its text.
    for (const BoxSpec &b : d.boxes)
        QCOMPARE(stored(k, b.column), u"字"_s);
}

void TestHearingWindows::tabOrder_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<std::vector<int>>("order"); // from the box focused on opening; -1: "销  档"
    std::vector<int> boxOrder;
    for (int i = 0; i <= 27; ++i)
        boxOrder.push_back(i);
    boxOrder.push_back(-1);
    QTest::newRow("tzbl: the boxes in order, then 销档") << record << boxOrder;
    QTest::newRow("tzyj: down to cbrly1, 销档, then up from the foot")
        << opinion
        << std::vector<int>{0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, -1,
                            29, 28, 27, 25, 26, 24, 23, 22, 21, 19, 18, 20};
}

// Tab walks the window in the form's order, then the print picture (-2),
// and comes round to where it started; the first box has the focus when
// the window opens.
void TestHearingWindows::tabOrder()
{
    QFETCH(int, k);
    QFETCH(std::vector<int>, order);
    open(k);
    auto focused = [&] {
        return m_window->deleteBox()->hasFocus() ? -1 : m_window->printPicture()->hasFocus() ? -2 : focusedBox(*m_window);
    };
    order.push_back(-2);
    std::vector<int> walked{focused()};
    for (std::size_t n = 1; n <= order.size(); ++n) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked.push_back(focused());
    }
    order.push_back(order.front());
    QCOMPARE(walked, order);
}

void TestHearingWindows::fullBoxTakesNoMore_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("box");
    QTest::addColumn<int>("capacity"); // full-width characters
    QTest::newRow("tzbl: the hearing place") << record << 8 << 35;
    QTest::newRow("tzyj: the hearing time") << opinion << 8 << 14;
}

// A character typed into a full box that is no paragraph line vanishes:
// the box shows what its column holds, the caret where it was.
void TestHearingWindows::fullBoxTakesNoMore()
{
    QFETCH(int, k);
    QFETCH(int, box);
    QFETCH(int, capacity);
    const QString full = chars(u"室"_s, capacity);
    store(k, column(k, box), full);
    open(k);
    line(box)->setFocus();
    line(box)->setCursorPosition(3);
    commit(line(box), u"甲"_s);
    QCOMPARE(line(box)->text(), full);
    QCOMPARE(stored(k, column(k, box)), full);
    QCOMPARE(line(box)->cursorPosition(), 3);
}

void TestHearingWindows::openingChangesNothing_data()
{
    QTest::addColumn<int>("k");
    QTest::newRow("frm_tzbl") << record;
    QTest::newRow("frm_tzyj") << opinion;
}

// Opening the window on a case shows its row and leaves every stored text
// as it was, also lines of a paragraph that are not packed.
void TestHearingWindows::openingChangesNothing()
{
    QFETCH(int, k);
    const DocumentDescription &d = described(k);
    for (const BoxSpec &b : d.boxes)
        store(k, b.column, b.typingLimit > 0 ? u"12"_s : u"的'"_s + b.column);
    open(k);
    for (int i = 0; i <= d.lastIndex(); ++i) {
        const QString expected = d.boxes[std::size_t(i)].typingLimit > 0 ? u"12"_s : u"的'"_s + column(k, i);
        QCOMPARE(line(i)->text(), expected);
        QCOMPARE(stored(k, column(k, i)), expected);
    }
    m_window->close();
    for (int i = 0; i <= d.lastIndex(); ++i)
        QVERIFY(!stored(k, column(k, i)).isEmpty());
}

void TestHearingWindows::opensFromTheRegister_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("tick");   // the delete-on-close box
    QTest::addColumn<bool>("answer"); // Yes to "确认销除该案件资料吗？"
    const QSize tzbl(8085, 8160);
    const QSize tzyj(8100, 8355);
    QTest::newRow("tzbl, 销档 and Yes") << record << u"frm_tzbl"_s << u"听证笔录"_s << tzbl << true << true;
    QTest::newRow("tzbl, 销档 and No") << record << u"frm_tzbl"_s << u"听证笔录"_s << tzbl << true << false;
    QTest::newRow("tzbl, closed plainly") << record << u"frm_tzbl"_s << u"听证笔录"_s << tzbl << false << false;
    QTest::newRow("tzyj, 销档 and Yes") << opinion << u"frm_tzyj"_s << u"听证意见书"_s << tzyj << true << true;
    QTest::newRow("tzyj, 销档 and No") << opinion << u"frm_tzyj"_s << u"听证意见书"_s << tzyj << true << false;
    QTest::newRow("tzyj, closed plainly") << opinion << u"frm_tzyj"_s << u"听证意见书"_s << tzyj << false << false;
}

// The register's box opens the document's window on a row that holds the
// case number alone: every box is empty and none is an authority box.
// Closing deletes the row only after 销档 and Yes, and then unticks the
// register's box without the register acting on it; the window closes in
// every case.
void TestHearingWindows::opensFromTheRegister()
{
    QFETCH(int, k);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QSize, size);
    QFETCH(bool, tick);
    QFETCH(bool, answer);
    std::unique_ptr<FormWindow> made(createDocumentWindow(k, nullptr));
    m_window.reset(qobject_cast<DocumentWindow *>(made.get()));
    QVERIFY(m_window);
    made.release();
    m_window->show();
    m_window->activated();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QCOMPARE(m_window->objectName(), name);
    QCOMPARE(m_window->windowTitle(), caption);
    QCOMPARE(m_window->size(), QSize(px(size.width()), px(size.height())));
    QCOMPARE(m_window->pos(), QPoint(0, 0));
    QCOMPARE(m_window->palette().color(QPalette::Window), QColor(Qt::white));
    QVERIFY(!described(k).pointerReset);
    QCOMPARE(focusedBox(*m_window), 0);
    QCOMPARE(m_window->deleteBox()->geometry().topLeft(), QPoint(px(7080), 0));
    QVERIFY(!m_window->deleteBox()->isChecked());
    QCOMPARE(m_window->printPicture()->toolTip(), u"打印"_s);
    QCOMPARE(db().scalar(u"SELECT COUNT(*) FROM %1 WHERE dabh = ?"_s.arg(table(k)), {caseNo}), u"1"_s);
    for (int i = 0; i <= described(k).lastIndex(); ++i) {
        QVERIFY(line(i)->text().isEmpty());
        QVERIFY(stored(k, column(k, i)).isEmpty());
        QVERIFY(!line(i)->isReadOnly());
    }

    m_window->deleteBox()->setChecked(tick);
    m_messages->answer(answer ? Answer::Yes : Answer::No);
    QVERIFY(m_window->close());
    QVERIFY(!m_window->isVisible());
    if (tick) {
        QCOMPARE(m_messages->shown.size(), 1);
        QCOMPARE(m_messages->lastText(), u"确认销除该案件资料吗？"_s);
        QCOMPARE(m_messages->shown[0].title, u"提示"_s);
    } else {
        QVERIFY(m_messages->shown.isEmpty());
    }
    const bool deleted = tick && answer;
    QCOMPARE(db().scalar(u"SELECT COUNT(*) FROM %1 WHERE dabh = ?"_s.arg(table(k)), {caseNo}),
             deleted ? u"0"_s : u"1"_s);
    const QStringList unticked{u"Check1(%1)=0"_s.arg(k)};
    QCOMPARE(m_register.calls, deleted ? unticked : QStringList());
}

void TestHearingWindows::printsItsOwnRow_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("printedColumn");
    QTest::newRow("rep_tzbl") << record << u"tzdd"_s;
    QTest::newRow("rep_tzyj") << opinion << u"fzryj"_s;
}

// The print picture prints the window's case on the default printer: the
// typed values, never the signatures.
void TestHearingWindows::printsItsOwnRow()
{
    QFETCH(int, k);
    QFETCH(QString, printedColumn);
    test::RecordingPrinter &printer = test::RecordingPrinter::install();
    open(k);
    const int printedBox = int(std::find_if(described(k).boxes.begin(), described(k).boxes.end(),
                                            [&](const BoxSpec &b) { return b.column == printedColumn; })
                               - described(k).boxes.begin());
    line(printedBox)->setFocus();
    commit(line(printedBox), u"本局第一会议室"_s);
    const int signature = k == record ? 19 : 26;
    line(signature)->setFocus();
    commit(line(signature), u"亲笔签名"_s);
    QTest::mouseClick(m_window->printPicture(), Qt::LeftButton);
    QCOMPARE(printer.printed.size(), 1);
    const QStringList texts = printer.printed[0].texts(0);
    QCOMPARE(printer.printed[0].caption, documentAt(k).windowCaption);
    QVERIFY2(texts.contains(u"本局第一会议室"_s), qPrintable(texts.join(u'|')));
    QVERIFY(!texts.join(u'|').contains(u"亲笔签名"_s));
    QVERIFY(m_messages->shown.isEmpty());
    report::setPrintSink(nullptr);
}

QTEST_MAIN(TestHearingWindows)
#include "tst_hearingwindows.moc"
