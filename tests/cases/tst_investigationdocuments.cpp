// The windows of the investigation conclusion report, the collegial
// deliberation record and the penalty approval form on a real database:
// their paragraphs and how they flow, their keys, their boxes, the
// authority box, the hidden box, the window's layout, and their place in
// the register. Needs widgets: focus, keys and input-method commits reach
// real boxes.
#include "cases/documents/investigation/dczj.h"
#include "cases/documents/investigation/hyjl.h"
#include "cases/documents/investigation/spb.h"
#include "cases/engine/description.h"
#include "cases/engine/documentwindow.h"
#include "cases/engine/documentwindows.h"
#include "cases/engine/windowlayout.h"
#include "data/appvalues.h"
#include "data/connection.h"
#include "data/schema.h"
#include "platform/busypointer.h"
#include "support/documentrows.h"
#include "support/testdb.h"
#include "support/ui/documenttesting.h"
#include "support/ui/scriptedmessages.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QtTest>
#include <numeric>

using namespace Qt::StringLiterals;
using namespace kelm;

namespace {

using test::commit;
using test::press;

const QString caseNo = u"20020007"_s;

constexpr int Z = 3; // 案件调查终结报告
constexpr int H = 4; // 合议记录
constexpr int P = 5; // 卫生行政处罚审批表

const DocumentDescription &described(int k)
{
    return k == Z ? dczjDescription() : k == H ? hyjlDescription() : spbDescription();
}

QString table(int k) { return documentAt(k).table; }
QString columnOf(int k, int box) { return described(k).boxes[std::size_t(box)].column; }

QString stored(int k, const QString &column)
{
    return test::storedValue(table(k), column, caseNo);
}

void store(int k, const QString &column, const QString &value)
{
    db().insertRow(table(k), {u"dabh"_s}, {caseNo});
    db().exec(u"UPDATE %1 SET %2 = ? WHERE dabh = ?"_s.arg(table(k), column), {value, caseNo});
}

// Full-width characters that the column of box holds.
int capacity(int k, int box)
{
    const schema::Table *t = schema::find(table(k).toStdString());
    return t->columns[std::size_t(box) + 1].capacity / 2;
}

QString chars(const QString &c, int n) { return c.repeated(n); }

QColor colourOf(const QWidget *w) { return w->palette().color(QPalette::Text); }

} // namespace

class TestInvestigationDocuments : public test::DocumentWindowTest {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void engineValues_data();
    void engineValues();
    void paragraphFlows_data();
    void paragraphFlows();
    void everyGroupCarries_data();
    void everyGroupCarries();
    void lastLinesAreCut_data();
    void lastLinesAreCut();
    void keys_data();
    void keys();
    void boxesSaveAtOnce_data();
    void boxesSaveAtOnce();
    void boxStyles_data();
    void boxStyles();
    void authorityBoxTakesNoTyping();
    void hiddenBoxIsNeverWritten();
    void tabOrder_data();
    void tabOrder();
    void pointerOnActivation_data();
    void pointerOnActivation();
    void opensFromRegisterBox_data();
    void opensFromRegisterBox();
    void windowLayout_data();
    void windowLayout();
    void labelsBeforeBoxes_data();
    void labelsBeforeBoxes();

private:
    DocumentWindow *open(int k) { return openOn(described(k)); }
};

void TestInvestigationDocuments::init() { setUpWindowTest(caseNo); }

void TestInvestigationDocuments::cleanup() { tearDownWindowTest(); }

void TestInvestigationDocuments::engineValues_data()
{
    using Boxes = std::vector<int>;
    QTest::addColumn<int>("k");
    QTest::addColumn<Boxes>("successors");
    QTest::addColumn<Boxes>("continuations");
    QTest::addColumn<int>("enterDown");
    QTest::addColumn<int>("up");
    QTest::addColumn<bool>("pointerReset");
    QTest::newRow("frm_dczj") << Z << Boxes{4, 5, 6, 8, 10, 12} << Boxes{5, 6, 7, 9, 11, 13} << 18 << 0 << true;
    QTest::newRow("frm_hyjl") << H << Boxes{1, 8, 9, 10, 12, 14, 16, 18} << Boxes{2, 9, 10, 11, 13, 15, 17, 19} << 24
                              << 1 << true;
    QTest::newRow("frm_spb") << P << Boxes{6, 7, 8, 10, 12, 14} << Boxes{7, 8, 9, 11, 13, 15} << 24 << 0 << false;
}

// What each document gives the engine: its sets, bounds and pointer reset.
void TestInvestigationDocuments::engineValues()
{
    using Boxes = std::vector<int>;
    QFETCH(int, k);
    QFETCH(Boxes, successors);
    QFETCH(Boxes, continuations);
    QFETCH(int, enterDown);
    QFETCH(int, up);
    QFETCH(bool, pointerReset);
    const DocumentDescription &d = described(k);
    QCOMPARE(d.document.index, k);
    QVERIFY(d.successorSet() == successors);
    QVERIFY(d.continuationSet() == continuations);
    QCOMPARE(d.enterDownLimit(), enterDown);
    QCOMPARE(d.upBound, up);
    QCOMPARE(d.pointerReset, pointerReset);
    QVERIFY(checkDescription(d).isEmpty());
}

void TestInvestigationDocuments::paragraphFlows_data()
{
    // The four-line paragraph of each document; "外" marks a line above the
    // edited one that the flow must leave alone.
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("box");
    QTest::addColumn<QStringList>("before"); // the group's lines from its first
    QTest::addColumn<int>("caret");          // -1: at the end
    QTest::addColumn<QString>("typed");      // "\b": the Backspace key
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("focus");
    const QStringList empty{{}, {}, {}, {}};
    struct Doc {
        int k;
        int first;
        int cap1; // full-width characters of the first line
        int cap;  // of the others
        const char *name;
    };
    for (const Doc &doc : {Doc{Z, 4, 38, 40, "dczj wfss"}, Doc{H, 8, 38, 40, "hyjl ufss"}, Doc{P, 6, 32, 34, "spb wfxw"}}) {
        const int f = doc.first;
        const QString full1 = chars(u"甲"_s, doc.cap1);
        const QString full = chars(u"丁"_s, doc.cap);
        QTest::addRow("%s: a full first line carries into the second, the caret with it", doc.name)
            << doc.k << f << QStringList{full1, {}, {}, {}} << -1 << u"乙"_s << QStringList{full1, u"乙"_s, {}, {}}
            << f + 1;
        QTest::addRow("%s: past four lines the rest is dropped", doc.name)
            << doc.k << f << empty << 0 << chars(u"丙"_s, 200)
            << QStringList{chars(u"丙"_s, doc.cap1), chars(u"丙"_s, doc.cap), chars(u"丙"_s, doc.cap),
                           chars(u"丙"_s, doc.cap)}
            << f + 1;
        QTest::addRow("%s: shortening until all fits in line one empties the others", doc.name)
            << doc.k << f << QStringList{chars(u"甲"_s, doc.cap1 - 2), u"乙"_s, u"丙"_s, u"丁"_s} << -1 << u"\b"_s
            << QStringList{chars(u"甲"_s, doc.cap1 - 3) + u"乙丙丁"_s, {}, {}, {}} << f;
        QTest::addRow("%s: an edit in line two re-packs lines two to four only", doc.name)
            << doc.k << f + 1 << QStringList{u"一"_s, chars(u"二"_s, doc.cap), chars(u"三"_s, doc.cap), {}} << 0
            << u"戊"_s
            << QStringList{u"外"_s, u"戊"_s + chars(u"二"_s, doc.cap - 1), u"二"_s + chars(u"三"_s, doc.cap - 1),
                           u"三"_s}
            << f + 1;
        QTest::addRow("%s: an edit in line three re-packs lines three and four only", doc.name)
            << doc.k << f + 2 << QStringList{u"一"_s, u"二"_s, full, {}} << 0 << u"戊"_s
            << QStringList{u"外"_s, u"外"_s, u"戊"_s + chars(u"丁"_s, doc.cap - 1), u"丁"_s} << f + 2;
        QTest::addRow("%s: line four, the last, is cut and not carried", doc.name)
            << doc.k << f + 3 << QStringList{{}, {}, {}, full} << -1 << u"己"_s
            << QStringList{u"外"_s, u"外"_s, u"外"_s, full} << f + 3;
    }
}

void TestInvestigationDocuments::paragraphFlows()
{
    QFETCH(int, k);
    QFETCH(int, box);
    QFETCH(QStringList, before);
    QFETCH(int, caret);
    QFETCH(QString, typed);
    QFETCH(QStringList, after);
    QFETCH(int, focus);
    const int first = described(k).groupOf(box)->first;
    for (int i = 0; i < 4; ++i)
        store(k, columnOf(k, first + i), before[i]);
    open(k);
    for (int i = first; i < box; ++i)
        db().exec(u"UPDATE %1 SET %2 = '外' WHERE dabh = ?"_s.arg(table(k), columnOf(k, i)), {caseNo});
    line(box)->setFocus();
    line(box)->setCursorPosition(caret < 0 ? int(line(box)->text().size()) : caret);
    if (typed == u"\b"_s)
        press(line(box), Qt::Key_Backspace);
    else
        commit(line(box), typed);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(stored(k, columnOf(k, first + i)), after[i]);
        if (first + i >= box)
            QCOMPARE(line(first + i)->text(), after[i]);
    }
    QCOMPARE(test::focusedBox(*m_window), focus);
}

void TestInvestigationDocuments::everyGroupCarries_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("box");
    for (int k : {Z, H, P})
        for (const LineGroup &g : described(k).groups)
            QTest::addRow("%s from %s", qPrintable(table(k)), qPrintable(columnOf(k, g.first))) << k << g.first;
}

// A paragraph one line and two characters long flows on into its own
// group's second line and nowhere else.
void TestInvestigationDocuments::everyGroupCarries()
{
    QFETCH(int, k);
    QFETCH(int, box);
    const DocumentDescription &d = described(k);
    const LineGroup &g = *d.groupOf(box);
    open(k);
    line(box)->setFocus();
    const QString full = chars(u"甲"_s, capacity(k, box));
    commit(line(box), full + u"乙丙"_s);
    QCOMPARE(stored(k, columnOf(k, box)), full);
    QCOMPARE(stored(k, columnOf(k, box + 1)), u"乙丙"_s);
    QCOMPARE(line(box + 1)->text(), u"乙丙"_s);
    QCOMPARE(test::focusedBox(*m_window), box + 1);
    for (int i = 0; i <= d.lastIndex(); ++i)
        if (i < g.first || i > g.first + 1)
            if (columnOf(k, i) != d.document.authorityColumn)
                QVERIFY2(stored(k, columnOf(k, i)).isEmpty(), qPrintable(columnOf(k, i)));
}

void TestInvestigationDocuments::lastLinesAreCut_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("box");
    for (int k : {Z, H, P})
        for (const LineGroup &g : described(k).groups)
            QTest::addRow("%s %s", qPrintable(table(k)), qPrintable(columnOf(k, g.last))) << k << g.last;
}

// The last line of a group is saved at each change like any box: what its
// column cannot hold is cut at once, and the line above is not written.
void TestInvestigationDocuments::lastLinesAreCut()
{
    QFETCH(int, k);
    QFETCH(int, box);
    const QString full = chars(u"丁"_s, capacity(k, box));
    store(k, columnOf(k, box - 1), u"上"_s);
    store(k, columnOf(k, box), full);
    open(k);
    db().exec(u"UPDATE %1 SET %2 = '外' WHERE dabh = ?"_s.arg(table(k), columnOf(k, box - 1)), {caseNo});
    line(box)->setFocus();
    line(box)->end(false);
    commit(line(box), u"己"_s);
    QCOMPARE(stored(k, columnOf(k, box)), full);
    QCOMPARE(line(box)->text(), full);
    QCOMPARE(stored(k, columnOf(k, box - 1)), u"外"_s);
    QCOMPARE(test::focusedBox(*m_window), box);
}

void TestInvestigationDocuments::keys_data()
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
    const auto row = [](const char *name, int k, int from, int caret, int key, int to) {
        QTest::newRow(name) << k << from << caret << key << to;
    };
    row("dczj Right at the end of wfss1 to wfss2", Z, 4, -1, right, 5);
    row("dczj Right at the end of wfss2 to wfss3", Z, 5, -1, right, 6);
    row("dczj Right at the end of wfss3 to wfss4", Z, 6, -1, right, 7);
    row("dczj Right at the end of xgyj1 to xgyj2", Z, 8, -1, right, 9);
    row("dczj Right at the end of zyyd1 to zyyd2", Z, 10, -1, right, 11);
    row("dczj Right at the end of cljy1 to cljy2", Z, 12, -1, right, 13);
    row("dczj Right at the end of wfss4 stays", Z, 7, -1, right, 7);
    row("dczj Right at the end of xgyj2 stays", Z, 9, -1, right, 9);
    row("dczj Right at the end of zyyd2 stays", Z, 11, -1, right, 11);
    row("dczj Right at the end of cljy2 stays", Z, 13, -1, right, 13);
    row("dczj Right at the end of ay stays", Z, 0, -1, right, 0);
    row("dczj Backspace at the start of wfss2 to wfss1", Z, 5, 0, bs, 4);
    row("dczj Left at the start of wfss3 to wfss2", Z, 6, 0, left, 5);
    row("dczj Backspace at the start of wfss4 to wfss3", Z, 7, 0, bs, 6);
    row("dczj Left at the start of xgyj2 to xgyj1", Z, 9, 0, left, 8);
    row("dczj Backspace at the start of zyyd2 to zyyd1", Z, 11, 0, bs, 10);
    row("dczj Backspace at the start of cljy2 to cljy1", Z, 13, 0, bs, 12);
    row("dczj Backspace at the start of wfss1 stays", Z, 4, 0, bs, 4);
    row("dczj Left at the start of xgyj1 stays", Z, 8, 0, left, 8);
    row("dczj Backspace at the start of zyyd1 stays", Z, 10, 0, bs, 10);
    row("dczj Backspace at the start of cljy1 stays", Z, 12, 0, bs, 12);
    row("dczj Enter in cljy2 to the locked jgmc", Z, 13, 0, enter, 14);
    row("dczj Enter in jgmc to cbrqm", Z, 14, 0, enter, 15);
    row("dczj Up in cbrqm back to jgmc", Z, 15, 0, up, 14);
    row("dczj Enter in wfss4 to xgyj1", Z, 7, 0, enter, 8);
    row("dczj Up in xgyj1 to wfss4", Z, 8, 0, up, 7);
    row("dczj Enter in pbsj_d stays", Z, 18, 0, enter, 18);
    row("dczj Down in pbsj_d stays", Z, 18, 0, down, 18);
    row("dczj Up in ay stays", Z, 0, 0, up, 0);

    row("hyjl Up in ay stays", H, 1, 0, up, 1);
    row("hyjl Up in bzfdu to ay", H, 2, 0, up, 1);
    row("hyjl Enter in pbsj_d stays", H, 24, 0, enter, 24);
    row("hyjl Down in pbsj_d stays", H, 24, 0, down, 24);
    row("hyjl Enter in pbsj_m to pbsj_d", H, 23, 0, enter, 24);
    row("hyjl Down in pbsj_m to pbsj_d", H, 23, 0, down, 24);
    row("hyjl Enter in hyyy to hydd, by index", H, 5, 0, enter, 6);
    row("hyjl Up in hysj to hydd", H, 7, 0, up, 6);
    row("hyjl Backspace at the start of bzfdu to ay", H, 2, 0, bs, 1);
    row("hyjl Backspace at the start of ufss2 to ufss1", H, 9, 0, bs, 8);
    row("hyjl Left at the start of ufss3 to ufss2", H, 10, 0, left, 9);
    row("hyjl Backspace at the start of ufss4 to ufss3", H, 11, 0, bs, 10);
    row("hyjl Backspace at the start of xgzj2 to xgzj1", H, 13, 0, bs, 12);
    row("hyjl Backspace at the start of clyj2 to clyj1", H, 15, 0, bs, 14);
    row("hyjl Left at the start of yj2 to yj1", H, 17, 0, left, 16);
    row("hyjl Backspace at the start of hyjy2 to hyjy1", H, 19, 0, bs, 18);
    row("hyjl Backspace at the start of hyrqm stays", H, 20, 0, bs, 20);
    row("hyjl Backspace at the start of ay stays", H, 1, 0, bs, 1);
    row("hyjl Left at the start of ay stays", H, 1, 0, left, 1);
    row("hyjl Backspace at the start of ufss1 stays", H, 8, 0, bs, 8);
    row("hyjl Backspace at the start of xgzj1 stays", H, 12, 0, bs, 12);
    row("hyjl Backspace at the start of clyj1 stays", H, 14, 0, bs, 14);
    row("hyjl Backspace at the start of yj1 stays", H, 16, 0, bs, 16);
    row("hyjl Backspace at the start of hyjy1 stays", H, 18, 0, bs, 18);
    row("hyjl Right at the end of ay to bzfdu", H, 1, -1, right, 2);
    row("hyjl Right at the end of ufss1 to ufss2", H, 8, -1, right, 9);
    row("hyjl Right at the end of ufss2 to ufss3", H, 9, -1, right, 10);
    row("hyjl Right at the end of ufss3 to ufss4", H, 10, -1, right, 11);
    row("hyjl Right at the end of xgzj1 to xgzj2", H, 12, -1, right, 13);
    row("hyjl Right at the end of clyj1 to clyj2", H, 14, -1, right, 15);
    row("hyjl Right at the end of yj1 to yj2", H, 16, -1, right, 17);
    row("hyjl Right at the end of hyjy1 to hyjy2", H, 18, -1, right, 19);
    row("hyjl Right at the end of ufss4 stays", H, 11, -1, right, 11);
    row("hyjl Right at the end of hyjy2 stays", H, 19, -1, right, 19);

    row("spb Right at the end of wfxw1 to wfxw4", P, 6, -1, right, 7);
    row("spb Right at the end of wfxw4 to wfxw5", P, 7, -1, right, 8);
    row("spb Right at the end of wfxw5 to wfxw6", P, 8, -1, right, 9);
    row("spb Right at the end of wfgd1 to wfgd2", P, 10, -1, right, 11);
    row("spb Right at the end of yjgd1 to yjgd2", P, 12, -1, right, 13);
    row("spb Right at the end of xzcf1 to xzcf2", P, 14, -1, right, 15);
    row("spb Right at the end of wfxw6 stays", P, 9, -1, right, 9);
    row("spb Right at the end of wfgd2 stays", P, 11, -1, right, 11);
    row("spb Right at the end of yjgd2 stays", P, 13, -1, right, 13);
    row("spb Right at the end of xzcf2 stays", P, 15, -1, right, 15);
    row("spb Backspace at the start of wfxw4 to wfxw1", P, 7, 0, bs, 6);
    row("spb Left at the start of wfxw5 to wfxw4", P, 8, 0, left, 7);
    row("spb Backspace at the start of wfxw6 to wfxw5", P, 9, 0, bs, 8);
    row("spb Backspace at the start of wfgd2 to wfgd1", P, 11, 0, bs, 10);
    row("spb Left at the start of yjgd2 to yjgd1", P, 13, 0, left, 12);
    row("spb Backspace at the start of xzcf2 to xzcf1", P, 15, 0, bs, 14);
    row("spb Backspace at the start of wfxw1 stays", P, 6, 0, bs, 6);
    row("spb Backspace at the start of wfgd1 stays", P, 10, 0, bs, 10);
    row("spb Left at the start of yjgd1 stays", P, 12, 0, left, 12);
    row("spb Backspace at the start of xzcf1 stays", P, 14, 0, bs, 14);
    row("spb Enter in wfxw6 to wfgd1", P, 9, 0, enter, 10);
    row("spb Enter in pbsj_d stays", P, 24, 0, enter, 24);
    row("spb Down in pbsj_d stays", P, 24, 0, down, 24);
    row("spb Up in ay stays", P, 0, 0, up, 0);
}

void TestInvestigationDocuments::keys()
{
    QFETCH(int, k);
    QFETCH(int, from);
    QFETCH(int, caret);
    QFETCH(int, key);
    QFETCH(int, to);
    const DocumentDescription &d = described(k);
    QStringList lines;
    for (const LineGroup &g : d.groups)
        for (int i = g.first; i <= g.last; ++i)
            lines << columnOf(k, i);
    for (const QString &c : lines)
        store(k, c, u"字"_s);
    store(k, columnOf(k, from), u"字"_s);
    open(k);
    line(from)->setFocus();
    line(from)->setCursorPosition(caret < 0 ? int(line(from)->text().size()) : caret);
    press(line(from), Qt::Key(key));
    QCOMPARE(test::focusedBox(*m_window), to);
    if (to < from && key != Qt::Key_Up)
        QCOMPARE(line(to)->cursorPosition(), int(line(to)->text().size()));
    // A move is no edit: every line keeps its text.
    for (const QString &c : lines)
        QCOMPARE(stored(k, c), u"字"_s);
}

void TestInvestigationDocuments::boxesSaveAtOnce_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("spoken"); // its name for a screen reader
    struct Box {
        int box;
        const char16_t *column, *spoken;
    };
    const auto rows = [](int k, std::initializer_list<Box> boxes) {
        for (const Box &b : boxes)
            QTest::addRow("%s box %d %s", qPrintable(table(k)), b.box, qPrintable(QString::fromUtf16(b.column)))
                << k << b.box << QString::fromUtf16(b.column) << QString::fromUtf16(b.spoken);
    };
    rows(Z, {
                {0, u"ay", u"案由"},
                {1, u"dsr", u"当事人"},
                {2, u"cbjg", u"承办机关"},
                {3, u"cbr", u"承办人"},
                {7, u"wfss4", u"案情及违法事实 第4行"},
                {9, u"xgyj2", u"相关证据 第2行"},
                {11, u"zyyd2", u"争议要点 第2行"},
                {13, u"cljy2", u"处理建议 第2行"},
                {15, u"cbrqm", u"承办人签名"},
                {16, u"pbsj_y", u"承办人签名 年"},
                {17, u"pbsj_m", u"承办人签名 月"},
                {18, u"pbsj_d", u"承办人签名 日"},
            });
    rows(H, {
                {2, u"bzfdu", u"案由 第2行"},
                {3, u"hyjg", u"合议机关"},
                {4, u"hyzcy", u"合议主持人"},
                {5, u"hyyy", u"参加合议人员"},
                {6, u"hydd", u"合议时间"},
                {7, u"hysj", u"合议地点"},
                {11, u"ufss4", u"违法事实 第4行"},
                {13, u"xgzj2", u"相关证据 第2行"},
                {15, u"clyj2", u"违反了 第2行"},
                {17, u"yj2", u"依据 第2行"},
                {19, u"hyjy2", u"合议建议 第2行"},
                {20, u"hyrqm", u"合议人员签名"},
                {21, u"jlrqm", u"记录人签名"},
                {22, u"pbsj_y", u"合议人员签名 年"},
                {23, u"pbsj_m", u"合议人员签名 月"},
                {24, u"pbsj_d", u"合议人员签名 日"},
            });
    rows(P, {
                {0, u"ay", u"案由"},
                {1, u"ajly", u"案件来源"},
                {2, u"cfdw", u"被处罚单位"},
                {3, u"dz", u"地址"},
                {4, u"jjxz", u"经济性质"},
                {5, u"fzr", u"法人代表/负责人"},
                {9, u"wfxw6", u"主要违法事实 第4行"},
                {11, u"wfgd2", u"上述事实违反了 第2行"},
                {13, u"yjgd2", u"依据 第2行"},
                {15, u"xzcf2", u"拟给予以下行政处罚 第2行"},
                {16, u"cbr", u"承办人"},
                {17, u"cssj_y", u"承办人 年"},
                {18, u"cssj_m", u"承办人 月"},
                {19, u"cssj_d", u"承办人 日"},
                {20, u"spyj1", u"审批意见"},
                {21, u"fzrqm", u"负责人签字"},
                {22, u"pbsj_y", u"负责人签字 年"},
                {23, u"pbsj_m", u"负责人签字 月"},
                {24, u"pbsj_d", u"负责人签字 日"},
            });
}

// Each box outside the successor set stores its own column at every
// change, an apostrophe as typed, a date part any text its column holds.
void TestInvestigationDocuments::boxesSaveAtOnce()
{
    QFETCH(int, k);
    QFETCH(int, box);
    QFETCH(QString, column);
    QFETCH(QString, spoken);
    open(k);
    QCOMPARE(line(box)->accessibleName(), spoken);
    line(box)->setFocus();
    commit(line(box), u"2002年"_s);
    QCOMPARE(stored(k, column), u"2002年"_s);
    QTest::keyClicks(line(box), u"x'"_s);
    QCOMPARE(stored(k, column), u"2002年x'"_s);
    QCOMPARE(line(box)->text(), u"2002年x'"_s);
}

void TestInvestigationDocuments::boxStyles_data()
{
    using Boxes = std::vector<int>;
    QTest::addColumn<int>("k");
    QTest::addColumn<Boxes>("red");
    QTest::addColumn<Boxes>("bold");
    QTest::addColumn<int>("authority"); // -1: none
    QTest::newRow("frm_dczj: cbrqm red, jgmc black") << Z << Boxes{15} << Boxes{} << 14;
    QTest::newRow("frm_hyjl: the two signatures red") << H << Boxes{20, 21} << Boxes{} << -1;
    QTest::newRow("frm_spb: cbr, spyj1, fzrqm red; the proposed penalty bold")
        << P << Boxes{16, 20, 21} << Boxes{14, 15} << -1;
}

// Typed data and dates blue, hand entries red, the authority black,
// centred and locked; no box limits its typing but by its column.
void TestInvestigationDocuments::boxStyles()
{
    using Boxes = std::vector<int>;
    QFETCH(int, k);
    QFETCH(Boxes, red);
    QFETCH(Boxes, bold);
    QFETCH(int, authority);
    const DocumentDescription &d = described(k);
    open(k);
    const auto in = [](const Boxes &set, int i) { return std::find(set.begin(), set.end(), i) != set.end(); };
    for (int i = 0; i <= d.lastIndex(); ++i) {
        if (!d.boxes[std::size_t(i)].visible)
            continue;
        const QLineEdit *b = line(i);
        const QColor colour = i == authority ? QColor(0, 0, 0) : in(red, i) ? QColor(255, 0, 0) : QColor(0, 0, 255);
        QVERIFY2(colourOf(b) == colour, qPrintable(columnOf(k, i)));
        QCOMPARE(b->font().bold(), in(bold, i));
        QCOMPARE(b->isReadOnly(), i == authority);
        QCOMPARE(bool(b->alignment() & Qt::AlignHCenter), i == authority);
        QCOMPARE(d.boxes[std::size_t(i)].typingLimit, 0);
    }
}

// The register's box 3 makes the row with the authority, which the locked
// box shows and no typing changes.
void TestInvestigationDocuments::authorityBoxTakesNoTyping()
{
    std::unique_ptr<FormWindow> made(createDocumentWindow(Z, nullptr));
    m_window.reset(qobject_cast<DocumentWindow *>(made.release()));
    m_window->show();
    m_window->activated();
    QCOMPARE(stored(Z, u"jgmc"_s), authorityText());
    QCOMPARE(line(14)->text(), authorityText());
    line(14)->setFocus();
    QTest::keyClicks(line(14), u"ab"_s);
    QTest::keyClick(line(14), Qt::Key_Backspace);
    commit(line(14), u"甲"_s);
    QCOMPARE(line(14)->text(), authorityText());
    QCOMPARE(stored(Z, u"jgmc"_s), authorityText());
}

// hyjly sits behind a hidden box: shown nowhere, reached by no key, and
// never written whatever the window does.
void TestInvestigationDocuments::hiddenBoxIsNeverWritten()
{
    db().insertRow(u"hyjl"_s, {u"dabh"_s, u"hyjly"_s}, {caseNo, u"内部"_s});
    open(H);
    QVERIFY(!line(0)->isVisible());
    QCOMPARE(line(0)->focusPolicy(), Qt::NoFocus);
    line(1)->setFocus();
    commit(line(1), chars(u"甲"_s, 40));
    press(line(2), Qt::Key_Home);
    press(line(2), Qt::Key_Backspace);
    press(line(1), Qt::Key_Up);
    press(line(1), Qt::Key_Home);
    press(line(1), Qt::Key_Backspace);
    QCOMPARE(test::focusedBox(*m_window), 1);
    QCOMPARE(stored(H, u"ay"_s), chars(u"甲"_s, 35));
    m_window->close();
    QCOMPARE(db().scalar(u"SELECT hyjly FROM hyjl WHERE dabh = ?"_s, {caseNo}), u"内部"_s);
}

void TestInvestigationDocuments::tabOrder_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<std::vector<int>>("order"); // from the box that opens with the focus
    std::vector<int> boxOrder(19);
    std::iota(boxOrder.begin(), boxOrder.end(), 0);
    QTest::newRow("frm_dczj: the box order") << Z << boxOrder;
    QTest::newRow("frm_hyjl: the time first, then 1 to 5 and 7 to 24")
        << H << std::vector<int>{6, 1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};
    boxOrder.resize(25);
    std::iota(boxOrder.begin(), boxOrder.end(), 0);
    QTest::newRow("frm_spb: the box order") << P << boxOrder;
}

// The window opens with the caret in the tab order's first box; Tab runs
// through the boxes and ends on the delete-on-close box.
void TestInvestigationDocuments::tabOrder()
{
    QFETCH(int, k);
    QFETCH(std::vector<int>, order);
    open(k);
    for (std::size_t n = 0; n < order.size(); ++n) {
        QCOMPARE(test::focusedBox(*m_window), order[n]);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QVERIFY(m_window->deleteBox()->hasFocus());
}

void TestInvestigationDocuments::pointerOnActivation_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<bool>("reset");
    QTest::newRow("frm_dczj resets it") << Z << true;
    QTest::newRow("frm_hyjl resets it") << H << true;
    QTest::newRow("frm_spb leaves it") << P << false;
}

void TestInvestigationDocuments::pointerOnActivation()
{
    QFETCH(int, k);
    QFETCH(bool, reset);
    showHourglass();
    open(k);
    QCOMPARE(hourglassShown(), !reset);
}

void TestInvestigationDocuments::opensFromRegisterBox_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QSize>("size"); // twips
    QTest::addColumn<int>("focus");
    QTest::addColumn<bool>("yes");
    for (bool yes : {true, false}) {
        const char *answer = yes ? "Yes deletes" : "No keeps";
        QTest::addRow("box 3, %s", answer) << Z << u"案件调查终结报告"_s << QSize(8175, 8280) << 0 << yes;
        QTest::addRow("box 4, %s", answer) << H << u"合议记录"_s << QSize(8175, 9960) << 6 << yes;
        QTest::addRow("box 5, %s", answer) << P << u"卫生行政处罚审批表"_s << QSize(7215, 8400) << 0 << yes;
    }
}

// The register's box k opens the window on a row as the register makes it;
// closing with "销  档" ticked asks, and Yes deletes the row and unticks
// box k without the register acting on it.
void TestInvestigationDocuments::opensFromRegisterBox()
{
    QFETCH(int, k);
    QFETCH(QString, caption);
    QFETCH(QSize, size);
    QFETCH(int, focus);
    QFETCH(bool, yes);
    std::unique_ptr<FormWindow> made(createDocumentWindow(k, nullptr));
    m_window.reset(qobject_cast<DocumentWindow *>(made.release()));
    QVERIFY(m_window);
    m_window->show();
    m_window->activated();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QCOMPARE(m_window->objectName(), u"frm_"_s + table(k));
    QCOMPARE(m_window->windowTitle(), caption);
    QCOMPARE(m_window->size(), QSize(px(size.width()), px(size.height())));
    QCOMPARE(test::focusedBox(*m_window), focus);
    QVERIFY(!m_window->deleteBox()->isChecked());
    const DocumentDescription &d = described(k);
    for (int i = 0; i <= d.lastIndex(); ++i)
        QCOMPARE(line(i)->text(), k == Z && i == 14 ? authorityText() : QString());

    m_window->deleteBox()->setChecked(true);
    m_messages->answer(yes ? Answer::Yes : Answer::No);
    m_window->close();
    QCOMPARE(m_messages->lastText(), u"确认销除该案件资料吗？"_s);
    QCOMPARE(m_messages->shown.last().title, u"提示"_s);
    QCOMPARE(db().scalar(u"SELECT COUNT(*) FROM %1 WHERE dabh = ?"_s.arg(table(k)), {caseNo}), yes ? u"0"_s : u"1"_s);
    const QStringList calls = yes ? QStringList{u"Check1(%1)=0"_s.arg(k)} : QStringList{};
    QCOMPARE(m_register.calls, calls);
}

void TestInvestigationDocuments::windowLayout_data()
{
    QTest::addColumn<int>("k");
    QTest::newRow("frm_dczj") << Z;
    QTest::newRow("frm_hyjl") << H;
    QTest::newRow("frm_spb") << P;
}

// Everything inside the window, nothing over anything else, every typed
// box on an underline of its own width: boxes may lie over a label's
// blanks only (and over the empty right half of a closing "："). The
// print picture and the delete-on-close box stay clear of both.
void TestInvestigationDocuments::windowLayout()
{
    QFETCH(int, k);
    const DocumentDescription &d = described(k);
    const WindowLayout l = placeWindow(d);
    const QRect window(0, 0, d.window.width, d.window.height);
    std::vector<QRect> boxes;
    for (std::size_t i = 0; i < d.boxes.size(); ++i) {
        const QRect &r = l.boxes[i];
        if (!d.boxes[i].visible)
            continue;
        QVERIFY2(window.contains(r), qPrintable(d.boxes[i].column));
        const bool underlined = std::any_of(l.lines.begin(), l.lines.end(), [&](const Segment &s) {
            return s.y1 == r.y() + 240 && s.y2 == s.y1 && s.x1 == r.x() && s.x2 == r.x() + r.width();
        });
        QCOMPARE(underlined, !d.boxes[i].locked);
        boxes.push_back(r);
    }
    // Each label's characters, one cell each, but its blanks.
    std::vector<std::pair<QRect, QChar>> cells;
    for (const PlacedText &t : l.texts) {
        const int height = int(t.points * 20);
        QVERIFY2(t.left + gridWidthTwips(t.text, t.points) <= d.window.width, qPrintable(t.text));
        for (qsizetype c = 0; c < t.text.size(); ++c)
            if (t.text[c] != u' ')
                cells.emplace_back(QRect(t.left + gridOffsetTwips(t.text, c, t.points), t.top,
                                         gridWidthTwips(t.text.mid(c, 1), t.points), height),
                                   t.text[c]);
    }
    const QRect picture(0, 0, 480, 480);
    const QRect deleteBox(d.window.deleteBoxLeft, 0, 1455, 255);
    for (std::size_t a = 0; a < boxes.size(); ++a) {
        for (std::size_t b = a + 1; b < boxes.size(); ++b)
            QVERIFY(!boxes[a].intersects(boxes[b]));
        for (const auto &[cell, ch] : cells) {
            const QRect over = boxes[a].intersected(cell);
            QVERIFY2(over.isEmpty() || (ch == u'：' && over.width() <= cell.width() / 2),
                     qPrintable(u"%1 over %2"_s.arg(boxes[a].x()).arg(ch)));
        }
        QVERIFY(!boxes[a].intersects(picture) && !boxes[a].intersects(deleteBox));
    }
    for (const auto &[cell, ch] : cells)
        QVERIFY(!cell.intersects(picture) && !cell.intersects(deleteBox));
}

void TestInvestigationDocuments::labelsBeforeBoxes_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("label"); // empty: a paragraph line
    QTest::addColumn<int>("indent");    // a paragraph line's left from the margin
    const auto row = [](int k, int box, const QString &label, int indent = 0) {
        QTest::addRow("%s box %d %s", qPrintable(table(k)), box, qPrintable(label.isEmpty() ? columnOf(k, box) : label))
            << k << box << label << indent;
    };
    row(Z, 0, u"案    由："_s);
    row(Z, 1, u"当 事 人："_s);
    row(Z, 2, u"承办机关："_s);
    row(Z, 3, u"承 办 人："_s);
    for (int box : {4, 8, 10, 12})
        row(Z, box, {}, 360);
    for (int box : {5, 6, 7, 9, 11, 13, 14})
        row(Z, box, {});
    row(Z, 15, u"承办人签名："_s);
    row(H, 1, u"案    由："_s);
    row(H, 2, {}, 840); // under ay, after its label
    row(H, 3, u"合议机关："_s);
    row(H, 4, u"合议主持人："_s);
    row(H, 5, u"参加合议人员："_s);
    row(H, 6, u"合议时间："_s);
    row(H, 7, u"合议地点："_s);
    for (int box : {8, 12, 18})
        row(H, box, {}, 360);
    for (int box : {9, 10, 11, 13, 15, 17, 19})
        row(H, box, {});
    row(H, 14, u"违反了"_s);
    row(H, 16, u"依据"_s);
    row(H, 20, u"合议人员签名："_s);
    row(H, 21, u"记录人签名："_s);
    row(P, 0, u"案    由："_s);
    row(P, 1, u"案件来源："_s);
    row(P, 2, u"被处罚单位："_s);
    row(P, 3, u"地    址："_s);
    row(P, 4, u"经济性质："_s);
    row(P, 5, u"法人代表/负责人："_s);
    for (int box : {6, 14})
        row(P, box, {}, 360);
    for (int box : {7, 8, 9, 11, 13, 15, 20})
        row(P, box, {});
    row(P, 10, u"上述事实违反了"_s);
    row(P, 12, u"依据"_s);
    row(P, 16, u"承办人："_s);
    row(P, 21, u"负责人签字："_s);
}

// The window reads as the form: each box right after its wording on the
// same line, a paragraph's first line two characters in, the lines that
// continue it and the other boxes without wording at the margin.
void TestInvestigationDocuments::labelsBeforeBoxes()
{
    QFETCH(int, k);
    QFETCH(int, box);
    QFETCH(QString, label);
    QFETCH(int, indent);
    const DocumentDescription &d = described(k);
    const WindowLayout l = placeWindow(d);
    const QRect r = l.boxes[std::size_t(box)];
    // The nearest text ending at or before the box on its line.
    const PlacedText *before = nullptr;
    for (const PlacedText &t : l.texts) {
        const int end = t.left + gridWidthTwips(t.text, t.points);
        if (t.top == r.y() && end <= r.x() + 90 && (!before || t.left > before->left))
            before = &t;
    }
    if (label.isEmpty()) {
        QVERIFY(!before);
        QCOMPARE(r.x(), d.window.leftMargin + indent);
        return;
    }
    QVERIFY(before);
    QCOMPARE(before->text, label);
    QVERIFY(std::abs(before->left + gridWidthTwips(label, before->points) - r.x()) <= 90);
}

QTEST_MAIN(TestInvestigationDocuments)
#include "tst_investigationdocuments.moc"
