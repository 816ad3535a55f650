// The rules of the document engine without widgets: the field save at a
// column's capacity, the line flow over a group of short lines, the
// description's derived sets and the placement of its rows.
#include "cases/documents/descriptions.h"
#include "cases/documents/filing/labg.h"
#include "cases/documents/filing/sljl.h"
#include "cases/engine/description.h"
#include "cases/engine/lineflow.h"
#include "cases/engine/windowlayout.h"
#include "platform/database.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;

namespace {

// Columns of a few display units each, kept in memory.
class ShortColumns : public LineStore {
public:
    ShortColumns(int first, QList<int> capacities) : m_first(first), m_capacities(std::move(capacities)) { }

    QString fit(int box, const QString &text) const override
    {
        return fitToUnits(text, m_capacities.at(box - m_first));
    }
    QString write(int box, const QString &text) override
    {
        writes.append(box);
        QString kept = fit(box, text);
        // A column that gives back something else than the start of the text.
        if (box == garbleBox && !kept.isEmpty())
            kept.back() = u'?';
        return kept;
    }

    QList<int> writes;
    int garbleBox = -1;

private:
    int m_first;
    QList<int> m_capacities;
};

std::vector<QString> lines(const QStringList &l) { return {l.begin(), l.end()}; }

} // namespace

class TestLineFlow : public QObject {
    Q_OBJECT
private slots:
    void saveField_data();
    void saveField();
    void flow_data();
    void flow();
    void filingDocumentSets_data();
    void filingDocumentSets();
    void descriptionsAreSound();
    void reportChecks_data();
    void reportChecks();
    void filingDocumentPlacement_data();
    void filingDocumentPlacement();
    void readingOrderRows();
    void boxUnderlines();
    void wrappedLabelRow();
    void numberLineLeft_data();
    void numberLineLeft();
};

void TestLineFlow::saveField_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<bool>("cut");
    // The column holds 8 display units: 8 digits or 4 Chinese characters.
    QTest::newRow("ascii fits") << u"200"_s << u"2002"_s << u"2002"_s << false << false;
    QTest::newRow("ascii typed at the end of a full box") << u"12345678"_s << u"123456789"_s << u"12345678"_s
                                                         << false << true;
    QTest::newRow("chinese fills the box") << u"二〇〇"_s << u"二〇〇二"_s << u"二〇〇二"_s << false << false;
    QTest::newRow("chinese into one free unit") << u"1234567"_s << u"1234567年"_s << u"1234567"_s << false
                                                << true;
    QTest::newRow("insertion pushing stored text off") << u"12345678"_s << u"1x2345678"_s << u"12345678"_s
                                                       << true << false;
    QTest::newRow("chinese insertion pushing stored text off") << u"二〇〇二"_s << u"二年〇〇二"_s
                                                               << u"二〇〇二"_s << true << false;
    QTest::newRow("paste at the end keeps what fits") << u"ab"_s << u"ab123456789"_s << u"ab123456"_s << false
                                                      << true;
    QTest::newRow("deleting") << u"12345678"_s << u"1234578"_s << u"1234578"_s << false << false;
}

void TestLineFlow::saveField()
{
    QFETCH(QString, before);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(bool, refused);
    QFETCH(bool, cut);
    ShortColumns store(0, {8});
    const FieldOutcome o = kelm::saveField(store, 0, before, typed);
    QCOMPARE(o.stored, stored);
    QCOMPARE(o.refused, refused);
    QCOMPARE(o.cut, cut);
    QCOMPARE(store.writes.size(), refused ? 0 : 1);
}

void TestLineFlow::flow_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<QStringList>("stored");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("caret");
    QTest::addColumn<int>("caretBefore");
    QTest::addColumn<bool>("caretStep");
    QTest::addColumn<QStringList>("result");
    QTest::addColumn<int>("caretBox");
    QTest::addColumn<int>("caretAt");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QString>("dropped");

    // A group of four lines on boxes 5 to 8, each line 4 display units.
    QTest::newRow("fits") << 5 << QStringList{u"ab"_s, {}, {}, {}} << QStringList{u"abc"_s, {}, {}, {}} << 3 << 2
                          << true << QStringList{u"abc"_s, {}, {}, {}} << 5 << 3 << false << QString();
    QTest::newRow("carry, next line empty")
        << 5 << QStringList{u"abcd"_s, {}, {}, {}} << QStringList{u"abcde"_s, {}, {}, {}} << 5 << 4 << true
        << QStringList{u"abcd"_s, u"e"_s, {}, {}} << 6 << 1 << false << QString();
    QTest::newRow("carry, next line holding text: caret after the carried character")
        << 5 << QStringList{u"abcd"_s, u"xy"_s, {}, {}} << QStringList{u"abcd"_s + u"e"_s, u"xy"_s, {}, {}} << 5
        << 4 << true << QStringList{u"abcd"_s, u"exy"_s, {}, {}} << 6 << 1 << false << QString();
    QTest::newRow("carry down every line")
        << 5 << QStringList{u"abcd"_s, u"wxyz"_s, u"pqrs"_s, u"t"_s}
        << QStringList{u"abcde"_s, u"wxyz"_s, u"pqrs"_s, u"t"_s} << 5 << 4 << true
        << QStringList{u"abcd"_s, u"ewxy"_s, u"zpqr"_s, u"st"_s} << 6 << 1 << false << QString();
    QTest::newRow("typing in the middle: the caret stays")
        << 5 << QStringList{u"abcd"_s, {}, {}, {}} << QStringList{u"abXcd"_s, {}, {}, {}} << 3 << 2 << true
        << QStringList{u"abXc"_s, u"d"_s, {}, {}} << 5 << 3 << false << QString();
    QTest::newRow("exactly full line, next holding text: caret at its start")
        << 5 << QStringList{u"abc"_s, u"xy"_s, {}, {}} << QStringList{u"abcd"_s, u"xy"_s, {}, {}} << 4 << 3 << true
        << QStringList{u"abcd"_s, u"xy"_s, {}, {}} << 6 << 0 << false << QString();
    QTest::newRow("no caret step without an edit in the line")
        << 5 << QStringList{u"abcd"_s, {}, {}, {}} << QStringList{u"abcde"_s, {}, {}, {}} << 5 << 5 << false
        << QStringList{u"abcd"_s, u"e"_s, {}, {}} << 5 << 4 << false << QString();
    QTest::newRow("deleting pulls the following lines up")
        << 5 << QStringList{u"abcd"_s, u"efgh"_s, u"ij"_s, {}} << QStringList{u"acd"_s, u"efgh"_s, u"ij"_s, {}}
        << 1 << 2 << true << QStringList{u"acde"_s, u"fghi"_s, u"j"_s, {}} << 5 << 1 << false << QString();
    QTest::newRow("deleting empties lines no longer needed")
        << 5 << QStringList{u"abcd"_s, u"e"_s, {}, {}} << QStringList{u"abd"_s, u"e"_s, {}, {}} << 2 << 3 << true
        << QStringList{u"abde"_s, {}, {}, {}} << 5 << 2 << false << QString();
    QTest::newRow("release in a middle line")
        << 6 << QStringList{u"wxyz"_s, u"pq"_s, {}} << QStringList{u"wxyzA"_s, u"pq"_s, {}} << 5 << 4 << true
        << QStringList{u"wxyz"_s, u"Apq"_s, {}} << 7 << 1 << false << QString();
    QTest::newRow("insertion that would drop stored text is refused")
        << 5 << QStringList{u"abcd"_s, u"efgh"_s, u"ijkl"_s, u"mnop"_s}
        << QStringList{u"aXbcd"_s, u"efgh"_s, u"ijkl"_s, u"mnop"_s} << 2 << 1 << true
        << QStringList{u"abcd"_s, u"efgh"_s, u"ijkl"_s, u"mnop"_s} << 5 << 1 << true << QString();
    QTest::newRow("typing at the end of a full paragraph's first line is refused")
        << 5 << QStringList{u"abcd"_s, u"efgh"_s, u"ijkl"_s, u"mnop"_s}
        << QStringList{u"abcdX"_s, u"efgh"_s, u"ijkl"_s, u"mnop"_s} << 5 << 4 << true
        << QStringList{u"abcd"_s, u"efgh"_s, u"ijkl"_s, u"mnop"_s} << 5 << 4 << true << QString();
    QTest::newRow("a paste longer than the empty group keeps what fits")
        << 5 << QStringList{{}, {}, {}, {}} << QStringList{u"abcdefghijklmnopQR"_s, {}, {}, {}} << 18 << 0 << true
        << QStringList{u"abcd"_s, u"efgh"_s, u"ijkl"_s, u"mnop"_s} << 6 << 4 << false << u"QR"_s;
    QTest::newRow("wide characters carry whole")
        << 5 << QStringList{u"中文"_s, {}, {}, {}} << QStringList{u"中a文"_s, {}, {}, {}} << 2 << 1 << true
        << QStringList{u"中a"_s, u"文"_s, {}, {}} << 6 << 0 << false << QString();
    QTest::newRow("apostrophes are text")
        << 5 << QStringList{u"O'Br"_s, {}, {}, {}} << QStringList{u"O'Bri'"_s, {}, {}, {}} << 6 << 5 << true
        << QStringList{u"O'Br"_s, u"i'"_s, {}, {}} << 6 << 2 << false << QString();
}

void TestLineFlow::flow()
{
    QFETCH(int, first);
    QFETCH(QStringList, stored);
    QFETCH(QStringList, texts);
    QFETCH(int, caret);
    QFETCH(int, caretBefore);
    QFETCH(bool, caretStep);
    QFETCH(QStringList, result);
    QFETCH(int, caretBox);
    QFETCH(int, caretAt);
    QFETCH(bool, refused);
    QFETCH(QString, dropped);
    ShortColumns store(first, QList<int>(texts.size(), 4));
    FlowRequest r;
    r.first = first;
    r.texts = lines(texts);
    r.stored = lines(stored);
    r.caret = caret;
    r.caretBeforeEdit = caretBefore;
    r.caretStep = caretStep;
    const FlowOutcome o = flowLineGroup(r, store);
    QCOMPARE(o.refused, refused);
    QCOMPARE(o.lines, lines(result));
    QCOMPARE(o.caretBox, caretBox);
    QCOMPARE(o.caret, caretAt);
    QCOMPARE(o.dropped, dropped);
    // One statement per line from the edited one down, none when refused.
    QList<int> expected;
    if (!refused)
        for (int b = first; b < first + texts.size(); ++b)
            expected.append(b);
    QCOMPARE(store.writes, expected);
}

void TestLineFlow::filingDocumentSets_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("authority");
    QTest::addColumn<std::vector<int>>("continuation");
    QTest::addColumn<std::vector<int>>("successor");
    QTest::addColumn<int>("last");
    QTest::newRow("立案报告") << 2 << u"labg"_s << u"立案报告"_s << u"pbjg"_s << std::vector<int>{6, 7, 8, 10, 17}
                          << std::vector<int>{5, 6, 7, 9, 16} << 22;
    QTest::newRow("案件受理记录") << 1 << u"sljl"_s << u"案件受理记录"_s << u"jgmc"_s
                            << std::vector<int>{3, 5, 6, 7, 8, 10, 11, 14}
                            << std::vector<int>{2, 4, 5, 6, 7, 9, 10, 13} << 19;
}

void TestLineFlow::filingDocumentSets()
{
    QFETCH(int, k);
    QFETCH(QString, table);
    QFETCH(QString, caption);
    QFETCH(QString, authority);
    QFETCH(std::vector<int>, continuation);
    QFETCH(std::vector<int>, successor);
    QFETCH(int, last);
    const DocumentDescription &d = *documentDescription(k);
    QCOMPARE(d.continuationSet(), continuation);
    QCOMPARE(d.successorSet(), successor);
    QCOMPARE(d.lastIndex(), last);
    QCOMPARE(d.enterDownLimit(), last);
    QCOMPARE(d.upBound, 0);
    QVERIFY(!d.pointerReset);
    QCOMPARE(d.document.table, table);
    QCOMPARE(d.document.windowCaption, caption);
    QCOMPARE(d.document.authorityColumn, authority);
    QCOMPARE(d.report.name, u"rep_"_s + table);
    std::vector<int> order;
    for (int i = 0; i <= last; ++i)
        order.push_back(i);
    order.push_back(deleteBoxTab);
    QCOMPARE(d.tabOrder(), order);
}

// Every description matches its table's stored column order and keeps
// every move on a box that can take the focus.
void TestLineFlow::descriptionsAreSound()
{
    for (const DocumentDescription *d : documentDescriptions())
        QVERIFY2(checkDescription(*d).isEmpty(), qPrintable(checkDescription(*d).join(u"; "_s)));
    QCOMPARE(documentDescription(2), &labgDescription());
    QCOMPARE(documentDescription(1), &sljlDescription());
    QCOMPARE(documentDescription(documentCount), nullptr);
}

void TestLineFlow::reportChecks_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("problem");
    QTest::newRow("another document's report") << u"name"_s << u"the report is named rep_sljl, not rep_labg"_s;
    QTest::newRow("a field over no column") << u"field"_s << u"the report prints nosuch, which is no column of labg"_s;
    QTest::newRow("taller than a sheet") << u"tall"_s << u"the report does not fit on one sheet"_s;
}

// A printed form that would print another table's row, nothing, or a
// blank second sheet is caught before any window uses it.
void TestLineFlow::reportChecks()
{
    QFETCH(QString, fault);
    QFETCH(QString, problem);
    DocumentDescription d = labgDescription();
    if (fault == u"name"_s)
        d.report.name = u"rep_sljl"_s;
    else if (fault == u"field"_s)
        d.report.detail.items.push_back(report::field(0, 0, 100, u"nosuch"_s));
    else
        d.report.reportFooter.height = 2000;
    QCOMPARE(checkDescription(d), QStringList{problem});
}

void TestLineFlow::filingDocumentPlacement_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("box");
    QTest::addColumn<QRect>("rect");
    QTest::newRow("labg dsr") << 2 << 0 << QRect(1320, 1080, 6375, 180);
    QTest::newRow("labg ajly, 230 high") << 2 << 1 << QRect(1320, 1560, 2895, 230);
    QTest::newRow("labg aqzy1 indented") << 2 << 5 << QRect(840, 2520, 6855, 180);
    QTest::newRow("labg wfxw1 after its sentence") << 2 << 9 << QRect(3540, 3960, 4215, 180);
    QTest::newRow("labg lasj_y over the blanks") << 2 << 13 << QRect(1455, 6000, 375, 180);
    QTest::newRow("labg pbjg") << 2 << 19 << QRect(480, 6960, 2775, 180);
    QTest::newRow("labg pbsj_d") << 2 << 22 << QRect(6720, 7440, 195, 180);
    QTest::newRow("sljl ajly") << 1 << 0 << QRect(1320, 960, 6375, 180);
    QTest::newRow("sljl afdw1 after its label") << 1 << 2 << QRect(1680, 1680, 6015, 180);
    QTest::newRow("sljl afdw2 at the margin") << 1 << 3 << QRect(480, 2040, 7215, 180);
    QTest::newRow("sljl nr1 indented") << 1 << 4 << QRect(840, 2640, 6855, 180);
    QTest::newRow("sljl nr5") << 1 << 8 << QRect(480, 4080, 7215, 180);
    QTest::newRow("sljl clyj1 indented") << 1 << 9 << QRect(840, 4680, 6855, 180);
    QTest::newRow("sljl jbr") << 1 << 12 << QRect(4920, 5760, 2775, 180);
    QTest::newRow("sljl fzryj2") << 1 << 14 << QRect(480, 6840, 7215, 180);
    QTest::newRow("sljl fzrqm") << 1 << 15 << QRect(5880, 7200, 1815, 180);
    QTest::newRow("sljl jgmc") << 1 << 16 << QRect(480, 7200, 2775, 180);
    QTest::newRow("sljl sj_y") << 1 << 17 << QRect(5715, 7560, 375, 180);
    QTest::newRow("sljl sj_d") << 1 << 19 << QRect(6840, 7560, 200, 180);
}

void TestLineFlow::filingDocumentPlacement()
{
    QFETCH(int, k);
    QFETCH(int, box);
    QFETCH(QRect, rect);
    QCOMPARE(placeWindow(*documentDescription(k)).boxes.at(std::size_t(box)), rect);
}

// A document given as rows in reading order, without coordinates.
void TestLineFlow::readingOrderRows()
{
    DocumentDescription d;
    d.boxes = {dataBox(u"lb"_s, 200), dataBox(u"nd"_s, 400), dataBox(u"ay"_s, 0), dataBox(u"y"_s, 375),
               dataBox(u"m"_s, 200), dataBox(u"d"_s, 200), authorityBox(u"jg"_s, 2775)};
    d.window.underlineBoxes = true;
    d.window.rows = {
        {autoPlace, RowAlign::Centre, {text(u"标  题"_s, autoPlace, 18, true)}},
        {autoPlace, RowAlign::RightHalf, {textWithBoxes(u"Vesk卫(   )罚字[     ]号"_s, {0, 1})}},
        {autoPlace, RowAlign::Left, {text(u"案    由："_s), gap(90), box(2)}, true},
        {autoPlace, RowAlign::Right, {box(3), textWithBoxes(u"年   月   日"_s, {4, 5})}},
        {autoPlace, RowAlign::Indent, {box(6)}},
    };
    const WindowLayout l = placeWindow(d);
    QCOMPARE(l.texts.size(), std::size_t(4));
    // The title row: 18 pt, centred between the margins, 480 twips high.
    QCOMPARE(l.texts[0].top, 120);
    QCOMPARE(l.texts[0].left, (480 + 7680 - (2 * 360 + 2 * 180)) / 2);
    // The number line from the middle, its boxes over its runs of blanks.
    QCOMPARE(l.texts[1].top, 600);
    QCOMPARE(l.texts[1].left, 4080);
    QCOMPARE(l.boxes[0], QRect(4080 + 4 * 90 + 180 + 90, 600, 3 * 90, 180));
    QCOMPARE(l.boxes[1], QRect(4080 + 4 * 90 + 180 + 90 + 270 + 90 + 2 * 180 + 90, 600, 5 * 90, 180));
    // A label, a gap and a box reaching to the right margin, then a rule.
    QCOMPARE(l.boxes[2], QRect(480 + 5 * 180 + 90, 960, 7680 - 480 - 5 * 180 - 90, 180));
    // The date at the right: the year box, then the label holding month and day.
    const int dateWidth = 375 + 3 * 180 + 6 * 90;
    QCOMPARE(l.boxes[3], QRect(7680 - dateWidth, 1320, 375, 180));
    QCOMPARE(l.boxes[4], QRect(7680 - dateWidth + 375 + 180, 1320, 270, 180));
    QCOMPARE(l.boxes[6], QRect(840, 1680, 2775, 180));
    // Underlines under every unlocked box, none under the authority box.
    const std::vector<Segment> &lines = l.lines;
    QVERIFY(std::find(lines.begin(), lines.end(), hline(480, 7680, 960 + 360 - 60)) != lines.end());
    QVERIFY(std::find(lines.begin(), lines.end(), hline(480 + 900 + 90, 7680, 960 + 240)) != lines.end());
    QVERIFY(std::none_of(lines.begin(), lines.end(), [](const Segment &s) { return s.y1 == 1680 + 240; }));
}

// A number part in brackets stands on no line of its own; the box beside
// it still does, as far below its top as the form draws its lines.
void TestLineFlow::boxUnderlines()
{
    DocumentDescription d;
    d.boxes = {dataBox(u"nd"_s, 450), dataBox(u"dw"_s, 3615)};
    d.boxes[0].underlined = false;
    d.window.underlineBoxes = true;
    d.window.rows = {{600, RowAlign::Left, {textWithBoxes(u"第[     ]号"_s, {0}), box(1)}}};
    const WindowLayout l = placeWindow(d);
    QCOMPARE(l.lines.size(), std::size_t(1));
    QCOMPARE(l.lines[0], hline(l.boxes[1].left(), l.boxes[1].left() + 3615, 840));
    // Rows set close together: the line runs nearer its box.
    d.window.underlineDrop = 210;
    QCOMPARE(placeWindow(d).lines[0], hline(l.boxes[1].left(), l.boxes[1].left() + 3615, 810));
}

// A label of a fixed width breaks onto further lines: the row below it
// starts under its last line.
void TestLineFlow::wrappedLabelRow()
{
    DocumentDescription d;
    d.boxes = {dataBox(u"a"_s, 2000)};
    const QString sentence = u"逾期不申请行政复议或者不向人民法院起诉"_s; // 19 characters
    d.window.rows = {
        {autoPlace, RowAlign::Left, {wrappedText(sentence, 480, 8 * 180 + 90)}},
        {autoPlace, RowAlign::Left, {box(0)}},
    };
    const WindowLayout l = placeWindow(d);
    QCOMPARE(l.texts.size(), std::size_t(1));
    QCOMPARE(l.texts[0].text, sentence);
    QCOMPARE(l.texts[0].width, 8 * 180 + 90);
    QCOMPARE(gridLines(sentence, l.texts[0].width, 9),
             (QStringList{u"逾期不申请行政复"_s, u"议或者不向人民法"_s, u"院起诉"_s}));
    QCOMPARE(l.boxes[0], QRect(480, 120 + 3 * 180 + 120, 2000, 180));
}

// A number line keeps the form's brackets where they are: it starts the
// extra width of the four-letter place name further left.
void TestLineFlow::numberLineLeft_data()
{
    QTest::addColumn<double>("points");
    QTest::addColumn<int>("formLeft");
    QTest::addColumn<int>("left");
    QTest::newRow("window, 9 pt") << 9.0 << 4320 << 4140;
    QTest::newRow("printed form, 12 pt") << 12.0 << 5625 << 5385;
}

void TestLineFlow::numberLineLeft()
{
    QFETCH(double, points);
    QFETCH(int, formLeft);
    QFETCH(int, left);
    QCOMPARE(kelm::numberLineLeft(formLeft, points), left);
    // The first bracket opens where it would after one full-width character.
    const QString line = u"Vesk卫(   )"_s;
    QCOMPARE(left + gridOffsetTwips(line, line.indexOf(u'(') + 1, points),
             formLeft + gridWidthTwips(u"某卫("_s, points));
}

QTEST_GUILESS_MAIN(TestLineFlow)
#include "tst_lineflow.moc"
