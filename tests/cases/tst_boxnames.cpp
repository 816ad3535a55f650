// What a screen reader calls the boxes of the document windows, worked out
// from the forms' own wording: the rules on a small form, and every box of
// the 22 documents named, once in its window, never by its column code.
#include "cases/documents/descriptions.h"
#include "cases/engine/boxnames.h"
#include "cases/engine/description.h"
#include "data/schema.h"
#include "platform/spokenlabel.h"

#include <QRegularExpression>
#include <QtTest>
#include <map>

using namespace Qt::StringLiterals;
using namespace kelm;

namespace {

// A counterfoil and its notice, with one box of each kind of place a box
// has on the forms.
DocumentDescription smallForm()
{
    DocumentDescription d;
    d.document = documentAt(2); // its authority column: pbjg
    d.boxes = {
        dataBox(u"dsr"_s, 2775),                          // 0
        dataBox(u"lasj_y"_s, 375),                        // 1
        dataBox(u"lasj_m"_s, 225),                        // 2
        dataBox(u"lasj_d"_s, 220),                        // 3
        dataBox(u"aqzy1"_s, 6855),                        // 4
        dataBox(u"aqzy2"_s, 7215),                        // 5
        handBox(u"jbr"_s, 1500),                          // 6
        dataBox(u"jb_y"_s, 375),                          // 7
        dataBox(u"jb_m"_s, 195),                          // 8
        dataBox(u"jb_d"_s, 195),                          // 9
        authorityBox(u"pbjg"_s, 2775),                    // 10
        dataBox(u"lb"_s, 270),                            // 11
        dataBox(u"nd"_s, 450),                            // 12
        dataBox(u"bh"_s, 450),                            // 13
        dataBox(u"zj"_s, 2000),                           // 14
        named(dataBox(u"cfdw"_s, 3000), u"被处罚单位"_s), // 15
        dataBox(u"bh1"_s, 2000),                          // 16
        dataBox(u"bh2"_s, 2000),                          // 17
        dataBox(u"zcr"_s, 1095),                          // 18
    };
    d.groups = {{4, 5}};
    d.window.width = 8175;
    d.window.height = 8000;
    d.window.rows = {
        {autoPlace, RowAlign::Centre, {text(u"存  根"_s, autoPlace, 18, true)}},
        {autoPlace, RowAlign::Left, {text(u"编号："_s), box(16)}},
        {autoPlace, RowAlign::Left, {text(u"当 事 人："_s), box(0)}},
        {autoPlace, RowAlign::Left, {textWithBoxes(u"本案自     年   月  日起立案"_s, {1, 2, 3})}},
        {autoPlace, RowAlign::Left, {text(u"案情摘要："_s)}},
        {autoPlace, RowAlign::Indent, {box(4)}},
        {autoPlace, RowAlign::Left, {box(5)}},
        {autoPlace, RowAlign::Left,
         {text(u"经办人签名："_s), box(6), box(7, 5400), textWithBoxes(u"年    月    日"_s, {8, 9})}},
        {autoPlace, RowAlign::Left, {box(10, 4800)}},
        {autoPlace, RowAlign::RightHalf, {textWithBoxes(u"Vesk卫(   )罚字[     ]年第(     )号"_s, {11, 12, 13})}},
        {autoPlace, RowAlign::Left, {text(u"以上事实有"_s), box(14), text(u"为证。"_s)}},
        {autoPlace, RowAlign::Centre, {text(u"通  知  书"_s, autoPlace, 18, true)}},
        {autoPlace, RowAlign::Left, {text(u"编号："_s), box(17)}},
        {autoPlace, RowAlign::Left, {box(15), text(u"："_s)}},
        {autoPlace, RowAlign::Left, {text(u"定于本局举行听证。听证主持人"_s)}},
        {autoPlace, RowAlign::Left, {box(18), text(u"、听证员"_s)}},
    };
    return d;
}

QStringList columnsOf(const QString &table)
{
    QStringList columns;
    for (const schema::Column &c : schema::find(table.toStdString())->columns)
        columns << QString::fromUtf8(c.name.data(), qsizetype(c.name.size()));
    return columns;
}

} // namespace

class TestBoxNames : public QObject {
    Q_OBJECT
private slots:
    void spokenLabels_data();
    void spokenLabels();
    void namesFromTheWording_data();
    void namesFromTheWording();
    void namesInWholeWordsOfTheForms_data();
    void namesInWholeWordsOfTheForms();
    void everyDocumentBoxHasItsOwnName_data();
    void everyDocumentBoxHasItsOwnName();
};

void TestBoxNames::spokenLabels_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("spoken");
    QTest::newRow("spread over the grid") << u"电      话"_s << u"电话"_s;
    QTest::newRow("closing colon") << u"当 事 人："_s << u"当事人"_s;
    QTest::newRow("half-width colon") << u"编号:"_s << u"编号"_s;
    QTest::newRow("slash kept") << u"法人/负责人"_s << u"法人/负责人"_s;
    QTest::newRow("a model, as it stands") << u"NO.Y.05-1"_s << u"NO.Y.05-1"_s;
    QTest::newRow("half-width words keep one blank") << u"Kelm   2002"_s << u"Kelm 2002"_s;
    QTest::newRow("leading blanks") << u"  姓 名"_s << u"姓名"_s;
}

void TestBoxNames::spokenLabels()
{
    QFETCH(QString, label);
    QFETCH(QString, spoken);
    QCOMPARE(spokenLabel(label), spoken);
}

void TestBoxNames::namesFromTheWording_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("name");
    QTest::newRow("the label before it") << 0 << u"当事人"_s;
    QTest::newRow("over a label's blank: year") << 1 << u"本案自 年"_s;
    QTest::newRow("month, the subject carried on") << 2 << u"本案自 月"_s;
    QTest::newRow("day") << 3 << u"本案自 日"_s;
    QTest::newRow("a paragraph under its label, line 1") << 4 << u"案情摘要 第1行"_s;
    QTest::newRow("line 2") << 5 << u"案情摘要 第2行"_s;
    QTest::newRow("a signature") << 6 << u"经办人签名"_s;
    QTest::newRow("its date, further along the line") << 7 << u"经办人签名 年"_s;
    QTest::newRow("its date's day") << 9 << u"经办人签名 日"_s;
    QTest::newRow("the authority, without a label") << 10 << u"盖章机关"_s;
    QTest::newRow("document number, in brackets") << 11 << u"Vesk卫 罚字"_s;
    QTest::newRow("document number, year") << 12 << u"罚字 年"_s;
    QTest::newRow("document number, serial") << 13 << u"罚字第 号"_s;
    QTest::newRow("between two words") << 14 << u"以上事实有 为证"_s;
    QTest::newRow("stated in the description") << 15 << u"被处罚单位"_s;
    QTest::newRow("shared by two parts: the counterfoil's") << 16 << u"存根 编号"_s;
    QTest::newRow("shared by two parts: the notice's") << 17 << u"通知书 编号"_s;
    QTest::newRow("the line above runs on into it") << 18 << u"听证主持人"_s;
}

void TestBoxNames::namesFromTheWording()
{
    QFETCH(int, box);
    QFETCH(QString, name);
    QCOMPARE(boxNames(smallForm()).at(std::size_t(box)), name);
}

void TestBoxNames::namesInWholeWordsOfTheForms_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("name");
    QTest::newRow("a paragraph's line broken inside a word") << u"frm_cfjd"_s << 22
                                                             << u"责令改正或责令自收到本处罚决定书之日起 日"_s;
    QTest::newRow("the same sentence broken between words") << u"frm_bczj"_s << 22
                                                            << u"我局决定对你（单位）的下列物品作为证据以 方式于"_s;
    QTest::newRow("two pieces of wording on one line") << u"frm_bczj"_s << 23 << u"方式于 进行登记保存"_s;
    QTest::newRow("a date's unit with the word it makes: 日前") << u"frm_cfjd"_s << 20 << u"缴至"_s;
    QTest::newRow("a date's unit with the word it makes: 日内") << u"frm_cfjd"_s << 28 << u"或者向 人民法院起诉"_s;
    QTest::newRow("a label under a date runs on from nothing") << u"frm_jabg"_s << 5 << u"案由"_s;
    QTest::newRow("nor a list's next item") << u"frm_qzzx"_s << 18 << u"其他资料 份"_s;
    QTest::newRow("nor a line after a line of boxes") << u"frm_qzzx"_s << 10 << u"行政处罚决定书对 作出"_s;
    QTest::newRow("after 在 alone: the phrase it stands in") << u"frm_tztz"_s << 23 << u"在 举行听证"_s;
    QTest::newRow("after 或者 alone, a span of days") << u"frm_cfjd"_s << 27 << u"或者 日内向人民法院起诉"_s;
    QTest::newRow("the same in the other decision") << u"frm_dccf"_s << 28 << u"或者 日内向人民法院起诉"_s;
    QTest::newRow("a place after a date starts its own phrase") << u"frm_cfgz"_s << 19 << u"到 进行陈述和申辩 第1行"_s;
    QTest::newRow("到 with the clause before it") << u"frm_bczj"_s << 24 << u"进行登记保存到 年"_s;
    QTest::newRow("its day, the subject carried on") << u"frm_bczj"_s << 26 << u"进行登记保存到 日"_s;
    QTest::newRow("the end of a range goes on with its start") << u"frm_xzbl"_s << 8 << u"检查时间至 时"_s;
}

// A name never holds a piece of a word that a line break or a blank cut
// off; the sentence is followed across the break only where it runs on.
void TestBoxNames::namesInWholeWordsOfTheForms()
{
    QFETCH(QString, window);
    QFETCH(int, box);
    QFETCH(QString, name);
    for (const DocumentDescription *d : documentDescriptions())
        if (d->document.windowName() == window) {
            QCOMPARE(boxNames(*d).at(std::size_t(box)), name);
            return;
        }
    QFAIL("no such document");
}

void TestBoxNames::everyDocumentBoxHasItsOwnName_data()
{
    QTest::addColumn<int>("k");
    for (const DocumentDescription *d : documentDescriptions())
        QTest::newRow(qPrintable(d->document.windowName())) << d->document.index;
}

// Each box a user can reach has a name of words, one that no other box of
// its window has; a column code is no name.
void TestBoxNames::everyDocumentBoxHasItsOwnName()
{
    QFETCH(int, k);
    const DocumentDescription &d = *documentDescription(k);
    const std::vector<QString> names = boxNames(d);
    const QStringList columns = columnsOf(d.document.table);
    static const QRegularExpression code(u"^[A-Za-z0-9_()]+$"_s);
    std::map<QString, int> seen;
    for (int i = 0; i <= d.lastIndex(); ++i) {
        if (!d.boxes[std::size_t(i)].visible)
            continue;
        const QString &name = names[std::size_t(i)];
        QVERIFY2(!name.isEmpty(), qPrintable(u"box %1 has no name"_s.arg(i)));
        QVERIFY2(!columns.contains(name, Qt::CaseInsensitive) && !code.match(name).hasMatch(),
                 qPrintable(u"box %1 is named %2"_s.arg(i).arg(name)));
        const auto [at, fresh] = seen.emplace(name, i);
        QVERIFY2(fresh, qPrintable(u"boxes %1 and %2 are both %3"_s.arg(at->second).arg(i).arg(name)));
    }
}

QTEST_GUILESS_MAIN(TestBoxNames)
#include "tst_boxnames.moc"
