// The case acceptance record's window on a real database: its five-line
// content group and the other groups, its keys, its boxes and authority
// column, and its place in the register. Needs widgets: focus, keys and
// input-method commits reach real boxes.
#include "cases/documents/filing/sljl.h"
#include "cases/engine/description.h"
#include "cases/engine/documentwindow.h"
#include "cases/engine/documentwindows.h"
#include "data/appvalues.h"
#include "data/connection.h"
#include "support/documentrows.h"
#include "support/testdb.h"
#include "support/ui/documenttesting.h"
#include "support/ui/scriptedmessages.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;

namespace {

using test::commit;
using test::press;

const QString caseNo = u"20020007"_s;
const QStringList content = {u"nr1"_s, u"nr2"_s, u"nr3"_s, u"nr4"_s, u"nr5"_s};

QString stored(const QString &column)
{
    return test::storedValue(u"sljl"_s, column, caseNo);
}

void store(const QString &column, const QString &value)
{
    db().insertRow(u"sljl"_s, {u"dabh"_s}, {caseNo});
    db().exec(u"UPDATE sljl SET %1 = ? WHERE dabh = ?"_s.arg(column), {value, caseNo});
}

QString chars(const QString &c, int n) { return c.repeated(n); }

} // namespace

class TestAcceptanceRecord : public test::DocumentWindowTest {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void contentFlow_data();
    void contentFlow();
    void otherGroups_data();
    void otherGroups();
    void keys_data();
    void keys();
    void boxes_data();
    void boxes();
    void opensFromRegisterBoxOne();

private:
    DocumentWindow *open() { return openOn(sljlDescription()); }
};

void TestAcceptanceRecord::init() { setUpWindowTest(caseNo); }

void TestAcceptanceRecord::cleanup() { tearDownWindowTest(); }

void TestAcceptanceRecord::contentFlow_data()
{
    // nr1 (box 4) holds 38 full-width characters, nr2 to nr5 40 each.
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<int>("box");
    QTest::addColumn<int>("caret"); // -1: at the end
    QTest::addColumn<QString>("typed"); // "\b": the Backspace key
    QTest::addColumn<QStringList>("after");
    const QString full1 = chars(u"甲"_s, 38);
    const QString full = chars(u"丁"_s, 40);
    const QStringList empty{{}, {}, {}, {}, {}};
    QTest::newRow("fits in nr1") << empty << 4 << 0 << u"甲乙"_s << QStringList{u"甲乙"_s, {}, {}, {}, {}};
    QTest::newRow("full nr1 carries into nr2")
        << QStringList{full1, {}, {}, {}, {}} << 4 << -1 << u"乙"_s << QStringList{full1, u"乙"_s, {}, {}, {}};
    QTest::newRow("more than five lines: the rest is dropped")
        << empty << 4 << 0 << chars(u"丙"_s, 200)
        << QStringList{chars(u"丙"_s, 38), chars(u"丙"_s, 40), chars(u"丙"_s, 40), chars(u"丙"_s, 40),
                       chars(u"丙"_s, 40)};
    QTest::newRow("an edit in nr3 re-packs nr3 to nr5 only")
        << QStringList{u"一"_s, u"二"_s, full, {}, {}} << 6 << 0 << u"戊"_s
        << QStringList{u"外"_s, u"外"_s, u"戊"_s + chars(u"丁"_s, 39), u"丁"_s, {}};
    QTest::newRow("deleting in nr1 until the paragraph fits empties the lines below")
        << QStringList{full1, u"乙"_s, {}, {}, {}} << 4 << -1 << u"\b"_s
        << QStringList{chars(u"甲"_s, 37) + u"乙"_s, {}, {}, {}, {}};
    QTest::newRow("nr5, the last line, is cut, not carried")
        << QStringList{{}, {}, {}, {}, full} << 8 << -1 << u"己"_s
        << QStringList{u"外"_s, u"外"_s, u"外"_s, u"外"_s, full};
}

void TestAcceptanceRecord::contentFlow()
{
    QFETCH(QStringList, before);
    QFETCH(int, box);
    QFETCH(int, caret);
    QFETCH(QString, typed);
    QFETCH(QStringList, after);
    for (int i = 0; i < 5; ++i)
        store(content[i], before[i]);
    open();
    // Lines above the edited one that a flow must leave alone.
    for (int i = 0; i < box - 4; ++i)
        db().exec(u"UPDATE sljl SET %1 = '外' WHERE dabh = ?"_s.arg(content[i]), {caseNo});
    line(box)->setFocus();
    line(box)->setCursorPosition(caret < 0 ? int(line(box)->text().size()) : caret);
    if (typed == u"\b"_s)
        press(line(box), Qt::Key_Backspace);
    else
        commit(line(box), typed);
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(stored(content[i]), after[i]);
        if (4 + i >= box)
            QCOMPARE(line(4 + i)->text(), after[i]);
    }
}

void TestAcceptanceRecord::otherGroups_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QStringList>("columns");
    QTest::addColumn<int>("capacity"); // full-width characters of the first line
    QTest::newRow("unit or person, boxes 2-3") << 2 << QStringList{u"afdw1"_s, u"afdw2"_s} << 33;
    QTest::newRow("proposed handling, boxes 9-11")
        << 9 << QStringList{u"clyj1"_s, u"clyj2"_s, u"clyj3"_s} << 38;
    QTest::newRow("opinion of the person in charge, boxes 13-14")
        << 13 << QStringList{u"fzryj1"_s, u"fzryj2"_s} << 38;
}

// A paragraph longer than its first line flows on into its own group only.
void TestAcceptanceRecord::otherGroups()
{
    QFETCH(int, box);
    QFETCH(QStringList, columns);
    QFETCH(int, capacity);
    open();
    line(box)->setFocus();
    commit(line(box), chars(u"甲"_s, capacity) + u"乙丙"_s);
    QCOMPARE(stored(columns[0]), chars(u"甲"_s, capacity));
    QCOMPARE(stored(columns[1]), u"乙丙"_s);
    QCOMPARE(line(box + 1)->text(), u"乙丙"_s);
    for (int i = 2; i < columns.size(); ++i)
        QCOMPARE(stored(columns[i]), QString());
    QCOMPARE(stored(u"jbr"_s), QString());
    QCOMPARE(test::focusedBox(*m_window), box + 1);
}

void TestAcceptanceRecord::keys_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("caret"); // -1: at the end
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("to");
    const int bs = Qt::Key_Backspace;
    QTest::newRow("Backspace at the start of nr3 to nr2") << 6 << 0 << bs << 5;
    QTest::newRow("Left at the start of afdw2 to afdw1") << 3 << 0 << int(Qt::Key_Left) << 2;
    QTest::newRow("Backspace at the start of afdw1 stays") << 2 << 0 << bs << 2;
    QTest::newRow("Backspace at the start of nr1 stays") << 4 << 0 << bs << 4;
    QTest::newRow("Backspace at the start of clyj1 stays") << 9 << 0 << bs << 9;
    QTest::newRow("Backspace at the start of fzryj1 stays") << 13 << 0 << bs << 13;
    QTest::newRow("Right at the end of clyj2 to clyj3") << 10 << -1 << int(Qt::Key_Right) << 11;
    QTest::newRow("Right at the end of afdw2 stays") << 3 << -1 << int(Qt::Key_Right) << 3;
    QTest::newRow("Right at the end of nr5 stays") << 8 << -1 << int(Qt::Key_Right) << 8;
    QTest::newRow("Right at the end of clyj3 stays") << 11 << -1 << int(Qt::Key_Right) << 11;
    QTest::newRow("Right at the end of fzryj2 stays") << 14 << -1 << int(Qt::Key_Right) << 14;
    QTest::newRow("Enter in fzrqm to the locked jgmc") << 15 << 0 << int(Qt::Key_Return) << 16;
    QTest::newRow("Enter in jgmc to sj_y") << 16 << 0 << int(Qt::Key_Return) << 17;
    QTest::newRow("Enter in sj_d stays") << 19 << 0 << int(Qt::Key_Return) << 19;
    QTest::newRow("Down in sj_d stays") << 19 << 0 << int(Qt::Key_Down) << 19;
    QTest::newRow("Up in ajly stays") << 0 << 0 << int(Qt::Key_Up) << 0;
    QTest::newRow("Up in slsj to ajly") << 1 << 0 << int(Qt::Key_Up) << 0;
}

void TestAcceptanceRecord::keys()
{
    QFETCH(int, from);
    QFETCH(int, caret);
    QFETCH(int, key);
    QFETCH(int, to);
    const QStringList lines = {u"afdw1"_s, u"afdw2"_s, u"nr1"_s,    u"nr2"_s,    u"nr3"_s,   u"nr4"_s,
                               u"nr5"_s,   u"clyj1"_s, u"clyj2"_s,  u"clyj3"_s,  u"fzryj1"_s, u"fzryj2"_s};
    for (const QString &c : lines)
        store(c, u"字"_s);
    open();
    line(from)->setFocus();
    line(from)->setCursorPosition(caret < 0 ? int(line(from)->text().size()) : caret);
    press(line(from), Qt::Key(key));
    QCOMPARE(test::focusedBox(*m_window), to);
    if (to < from && key != Qt::Key_Up)
        QCOMPARE(line(to)->cursorPosition(), int(line(to)->text().size()));
    // A move is no edit: every line keeps its text.
    for (const QString &c : lines)
        QCOMPARE(stored(c), u"字"_s);
}

void TestAcceptanceRecord::boxes_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("spoken"); // its name for a screen reader
    QTest::addColumn<QColor>("colour");
    const QColor blue(0, 0, 255);
    const QColor red(255, 0, 0);
    QTest::newRow("ajly") << 0 << u"ajly"_s << u"案件来源"_s << blue;
    QTest::newRow("slsj, free text") << 1 << u"slsj"_s << u"受理时间"_s << blue;
    QTest::newRow("afdw2") << 3 << u"afdw2"_s << u"案发单位(人) 第2行"_s << blue;
    QTest::newRow("nr5") << 8 << u"nr5"_s << u"内容 第5行"_s << blue;
    QTest::newRow("clyj3") << 11 << u"clyj3"_s << u"处理意见 第3行"_s << blue;
    QTest::newRow("jbr, signature") << 12 << u"jbr"_s << u"经办人签名"_s << red;
    QTest::newRow("fzryj2") << 14 << u"fzryj2"_s << u"负责人意见 第2行"_s << blue;
    QTest::newRow("fzrqm, signature") << 15 << u"fzrqm"_s << u"负责人签名"_s << red;
    QTest::newRow("sj_y, no typing limit") << 17 << u"sj_y"_s << u"负责人签名 年"_s << blue;
    QTest::newRow("sj_m") << 18 << u"sj_m"_s << u"负责人签名 月"_s << blue;
    QTest::newRow("sj_d") << 19 << u"sj_d"_s << u"负责人签名 日"_s << blue;
}

// Each box outside the successor set stores its column at every change.
void TestAcceptanceRecord::boxes()
{
    QFETCH(int, box);
    QFETCH(QString, column);
    QFETCH(QString, spoken);
    QFETCH(QColor, colour);
    open();
    QCOMPARE(line(box)->accessibleName(), spoken);
    QCOMPARE(line(box)->palette().color(QPalette::Text), colour);
    line(box)->setFocus();
    commit(line(box), u"2002年"_s);
    QCOMPARE(stored(column), u"2002年"_s);
    QTest::keyClicks(line(box), u"x'"_s);
    QCOMPARE(stored(column), u"2002年x'"_s);
}

// The register's box 1 opens this window; a case without its row gets the
// row as the register makes it, with the authority in jgmc, shown in a
// locked, centred, black box; deleting it unticks box 1.
void TestAcceptanceRecord::opensFromRegisterBoxOne()
{
    std::unique_ptr<FormWindow> made(createDocumentWindow(1, nullptr));
    m_window.reset(qobject_cast<DocumentWindow *>(made.get()));
    QVERIFY(m_window);
    made.release();
    m_window->show();
    m_window->activated();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QCOMPARE(m_window->objectName(), u"frm_sljl"_s);
    QCOMPARE(m_window->windowTitle(), u"案件受理记录"_s);
    QCOMPARE(m_window->size(), QSize(px(8145), px(8280)));
    QCOMPARE(test::focusedBox(*m_window), 0);

    QCOMPARE(stored(u"jgmc"_s), authorityText());
    QCOMPARE(line(16)->text(), authorityText());
    QVERIFY(line(16)->isReadOnly());
    QCOMPARE(line(16)->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    QCOMPARE(line(16)->palette().color(QPalette::Text), QColor(0, 0, 0));
    line(16)->setFocus();
    QTest::keyClicks(line(16), u"ab"_s);
    QTest::keyClick(line(16), Qt::Key_Backspace);
    QCOMPARE(line(16)->text(), authorityText());
    QCOMPARE(stored(u"jgmc"_s), authorityText());

    m_window->deleteBox()->setChecked(true);
    m_messages->answer(Answer::Yes);
    m_window->close();
    QCOMPARE(m_messages->lastText(), u"确认销除该案件资料吗？"_s);
    QCOMPARE(db().scalar(u"SELECT COUNT(*) FROM sljl WHERE dabh = ?"_s, {caseNo}), u"0"_s);
    QCOMPARE(m_register.calls, (QStringList{u"Check1(1)=0"_s}));
}

QTEST_MAIN(TestAcceptanceRecord)
#include "tst_acceptancerecord.moc"
