// The bound record: moves, finds, edits and writes of one row at a time
// through bound controls. Needs widgets, since it binds real controls.
#include "platform/boundrecord.h"
#include "platform/columnfit.h"
#include "platform/recordnavigator.h"
#include "support/testdb.h"
#include "support/ui/scriptedmessages.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;

namespace {

// A window with four controls bound to xzcf, or to wsxkz sorted by xkzh.
struct Form {
    QWidget window;
    QLineEdit *key = new QLineEdit(&window);
    QLineEdit *name = new QLineEdit(&window);
    QPlainTextEdit *memo = new QPlainTextEdit(&window);
    QCheckBox *flag = new QCheckBox(&window);
    QComboBox *combo = new QComboBox(&window);
    BoundRecord record;

    explicit Form(Database &db, bool sortedPermits = false)
        : record(db,
                 sortedPermits ? RecordSource::sorted(u"wsxkz"_s, u"xkzh"_s) : RecordSource::tableOrder(u"xzcf"_s),
                 &window)
    {
        combo->setEditable(true);
        if (sortedPermits) {
            record.bind(u"xkzh"_s, key);
            record.bind(u"dwmc"_s, name);
            return;
        }
        record.bind(u"dabh"_s, key);
        record.bind(u"dwmc"_s, name);
        record.bind(u"aqjj"_s, memo);
        record.bind(u"bg1"_s, flag);
        record.bind(u"dwlb1"_s, combo);
    }
};

void addCases(Database &db, const QStringList &numbers)
{
    for (const QString &n : numbers)
        db.exec(u"INSERT INTO xzcf (dabh, dwmc) VALUES (?, ?)"_s, {n, u"单位"_s + n});
}

QString stored(Database &db, const QString &column, const QString &caseNo)
{
    return db.scalar(u"SELECT %1 FROM xzcf WHERE dabh = ?"_s.arg(column), {caseNo});
}

} // namespace

class TestBoundRecord : public QObject {
    Q_OBJECT
private slots:
    void init() { m_script = &test::ScriptedMessages::install(); }
    void showsRowsInInsertionOrder();
    void movesStopAtTheEnds();
    void navigatorCaption();
    void findFirst_data();
    void findFirst();
    void loadingMarksNothing();
    void changeIsWrittenOnLeaving();
    void validateCanRefuseTheWrite();
    void addAndUpdate();
    void updateFitsAndReadsBack();
    void editKeepsWhatFits_data();
    void editKeepsWhatFits();
    void pasteShowsWhatIsStored();
    void duplicateKeyWritesNothing();
    void relatedFailureRollsBack();
    void cancelAfterAddAndAfterEdit();
    void deleteThenMove_data();
    void deleteThenMove();
    void sortedSourceFollowsItsOrder();
    void emptySource();

private:
    test::ScriptedMessages *m_script = nullptr;
};

void TestBoundRecord::showsRowsInInsertionOrder()
{
    test::TestDatabase tdb;
    addCases(tdb.db(), {u"20009999"_s, u"20001111"_s, u"20005555"_s});
    Form f(tdb.db());
    f.record.open();
    QCOMPARE(f.key->text(), u"20009999"_s);
    QVERIFY(f.record.moveNext());
    QCOMPARE(f.key->text(), u"20001111"_s);
    QVERIFY(f.record.moveLast());
    QCOMPARE(f.key->text(), u"20005555"_s);
    QCOMPARE(f.name->text(), u"单位20005555"_s);
    QCOMPARE(f.record.absolutePosition(), 2);
}

void TestBoundRecord::movesStopAtTheEnds()
{
    test::TestDatabase tdb;
    addCases(tdb.db(), {u"20020001"_s, u"20020002"_s});
    Form f(tdb.db());
    f.record.open();
    QVERIFY(!f.record.movePrevious());
    QCOMPARE(f.key->text(), u"20020001"_s);
    QVERIFY(f.record.moveLast());
    QVERIFY(!f.record.moveNext());
    QCOMPARE(f.key->text(), u"20020002"_s);
    QCOMPARE(f.record.absolutePosition(), 1);
}

void TestBoundRecord::navigatorCaption()
{
    test::TestDatabase tdb;
    addCases(tdb.db(), {u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s});
    Form f(tdb.db());
    RecordNavigator nav(&f.record, &f.window);
    f.record.open();
    QCOMPARE(nav.caption(), u"记录：共5条  第1条"_s);
    f.record.moveNext();
    f.record.moveNext();
    QCOMPARE(nav.caption(), u"记录：共5条  第3条"_s);
}

void TestBoundRecord::findFirst_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("shown");
    QTest::newRow("exact") << u"20020002"_s << true << u"20020002"_s;
    QTest::newRow("ignores case") << u"ab'c%_1"_s << true << u"AB'C%_1"_s;
    QTest::newRow("wildcards are data") << u"20%"_s << false << u"20020003"_s;
    QTest::newRow("no such row stays") << u"19990001"_s << false << u"20020003"_s;
}

void TestBoundRecord::findFirst()
{
    QFETCH(QString, value);
    QFETCH(bool, found);
    QFETCH(QString, shown);
    test::TestDatabase tdb;
    addCases(tdb.db(), {u"20020001"_s, u"20020002"_s, u"AB'C%_1"_s, u"20020003"_s});
    Form f(tdb.db());
    f.record.open();
    f.record.moveLast();
    QCOMPARE(f.record.findFirst(u"dabh"_s, value), found);
    QCOMPARE(f.key->text(), shown);
}

void TestBoundRecord::loadingMarksNothing()
{
    test::TestDatabase tdb;
    tdb.db().exec(u"INSERT INTO xzcf (dabh, dwmc, aqjj, bg1, dwlb1) VALUES ('1', 'a', '简介', 1, '其他')"_s);
    addCases(tdb.db(), {u"2"_s});
    Form f(tdb.db());
    int changesWhileLoading = 0;
    connect(f.name, &QLineEdit::textChanged, [&] { changesWhileLoading += f.record.isLoading() ? 1 : 0; });
    f.record.open();
    QCOMPARE(f.memo->toPlainText(), u"简介"_s);
    QVERIFY(f.flag->isChecked());
    QCOMPARE(f.combo->currentText(), u"其他"_s);
    f.record.moveNext();
    QVERIFY(!f.flag->isChecked());
    QCOMPARE(changesWhileLoading, 2);
    QVERIFY(!f.record.isChanged());
}

void TestBoundRecord::changeIsWrittenOnLeaving()
{
    test::TestDatabase tdb;
    addCases(tdb.db(), {u"1"_s, u"2"_s});
    Form f(tdb.db());
    f.record.open();
    f.flag->setChecked(true);
    f.combo->setEditText(u"公共场所"_s);
    QVERIFY(f.record.isChanged());
    QCOMPARE(stored(tdb.db(), u"bg1"_s, u"1"_s), u"0"_s);
    f.record.moveNext();
    QCOMPARE(stored(tdb.db(), u"bg1"_s, u"1"_s), u"1"_s);
    QCOMPARE(stored(tdb.db(), u"dwlb1"_s, u"1"_s), u"公共场所"_s);
    QVERIFY(!f.flag->isChecked());
    f.record.movePrevious();
    QVERIFY(f.flag->isChecked());
}

void TestBoundRecord::validateCanRefuseTheWrite()
{
    test::TestDatabase tdb;
    addCases(tdb.db(), {u"1"_s, u"2"_s});
    Form f(tdb.db());
    QList<BoundRecord::Action> actions;
    f.record.setValidateHandler([&](BoundRecord::Action a, bool &save) {
        actions << a;
        save = false;
    });
    f.record.open();
    f.name->setText(u"不要存"_s);
    f.record.moveNext();
    f.record.movePrevious();
    QCOMPARE(f.name->text(), u"单位1"_s);
    QCOMPARE(stored(tdb.db(), u"dwmc"_s, u"1"_s), u"单位1"_s);
    QCOMPARE(actions, QList<BoundRecord::Action>({BoundRecord::Action::MoveNext, BoundRecord::Action::MovePrevious}));
}

void TestBoundRecord::addAndUpdate()
{
    test::TestDatabase tdb;
    addCases(tdb.db(), {u"1"_s});
    Form f(tdb.db());
    f.record.setNewRowValue(u"dwmc"_s, u"新单位"_s);
    f.record.open();
    QVERIFY(f.record.addNew());
    QCOMPARE(f.record.editMode(), BoundRecord::EditMode::Adding);
    QCOMPARE(f.key->text(), QString());
    QCOMPARE(f.name->text(), u"新单位"_s);
    f.key->setText(u"2"_s);
    f.memo->setPlainText(u"第一行\n第二行"_s);
    f.record.update();
    QCOMPARE(f.record.editMode(), BoundRecord::EditMode::None);
    QCOMPARE(f.record.recordCount(), 2);
    QCOMPARE(f.record.absolutePosition(), 1);
    QCOMPARE(stored(tdb.db(), u"aqjj"_s, u"2"_s), u"第一行\n第二行"_s);
    QCOMPARE(stored(tdb.db(), u"dwmc"_s, u"2"_s), u"新单位"_s);
    f.record.moveFirst();
    QVERIFY(f.record.moveLastModified());
    QCOMPARE(f.key->text(), u"2"_s);
}

void TestBoundRecord::updateFitsAndReadsBack()
{
    test::TestDatabase tdb;
    addCases(tdb.db(), {u"1"_s});
    Form f(tdb.db());
    f.record.open();
    f.record.edit();
    const QString longName = QString(30, u'卫'); // 60 units into a column of 50
    f.name->setText(longName);
    f.record.update();
    QCOMPARE(stored(tdb.db(), u"dwmc"_s, u"1"_s), QString(25, u'卫'));
    QCOMPARE(f.name->text(), QString(25, u'卫'));
}

void TestBoundRecord::editKeepsWhatFits_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("capacity");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<int>("caret");
    QTest::newRow("typing that fits") << u"ab"_s << u"abc"_s << 5 << u"abc"_s << 3;
    QTest::newRow("paste at the end") << u"ab"_s << u"abcdefg"_s << 4 << u"abcd"_s << 4;
    QTest::newRow("paste in the middle") << u"abyz"_s << u"abXXXXyz"_s << 6 << u"abXXyz"_s << 4;
    QTest::newRow("paste over a selection") << u"abcdef"_s << u"aXXXXXXf"_s << 6 << u"aXXXXf"_s << 5;
    QTest::newRow("full box, typing in it") << u"abcd"_s << u"abXcd"_s << 4 << u"abcd"_s << 2;
    QTest::newRow("wide characters count two") << QString() << u"卫卫卫"_s << 5 << u"卫卫"_s << 2;
    QTest::newRow("a wide one does not fit one unit") << u"abc"_s << u"abc卫"_s << 4 << u"abc"_s << 3;
    QTest::newRow("surrogate pair kept whole") << u"a"_s << u"a\U00020000\U00020000"_s << 4 << u"a\U00020000"_s
                                               << 3;
    QTest::newRow("repeated text around the edit") << u"aa"_s << u"aaaa"_s << 3 << u"aaa"_s << 3;
}

void TestBoundRecord::editKeepsWhatFits()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(int, capacity);
    QFETCH(QString, kept);
    QFETCH(int, caret);
    int at = -1;
    QCOMPARE(ColumnFit::fit(before, after, capacity, &at), kept);
    QCOMPARE(at, caret);
}

// A paste into a bound box keeps what the column holds, so the save stores
// what the box shows; text the program sets is not cut by the box.
void TestBoundRecord::pasteShowsWhatIsStored()
{
    test::TestDatabase tdb;
    addCases(tdb.db(), {u"1"_s});
    Form f(tdb.db());
    f.record.open();
    f.record.edit();
    f.name->setText(u"城关"_s);
    f.name->setCursorPosition(1);
    QApplication::clipboard()->setText(QString(10000, u'卫'));
    f.name->paste();
    const QString shown = u"城"_s + QString(23, u'卫') + u"关"_s; // 50 units
    QCOMPARE(f.name->text(), shown);
    QCOMPARE(f.name->cursorPosition(), 24);
    QVERIFY(f.name->isModified());
    f.record.update();
    QCOMPARE(stored(tdb.db(), u"dwmc"_s, u"1"_s), shown);

    f.combo->lineEdit()->selectAll();
    f.combo->lineEdit()->paste();
    QCOMPARE(f.combo->currentText(), QString(tdb.db().capacity(u"xzcf"_s, u"dwlb1"_s) / 2, u'卫'));

    f.name->setText(QString(30, u'卫'));
    QCOMPARE(f.name->text(), QString(30, u'卫'));
}

void TestBoundRecord::duplicateKeyWritesNothing()
{
    test::TestDatabase tdb;
    addCases(tdb.db(), {u"20020001"_s});
    Form f(tdb.db());
    f.record.open();
    f.record.addNew();
    f.key->setText(u"20020001"_s);
    f.name->setText(u"另一个"_s);
    QVERIFY_THROWS_EXCEPTION(DuplicateKey, f.record.update());
    QCOMPARE(f.record.editMode(), BoundRecord::EditMode::Adding);
    QCOMPARE(f.name->text(), u"另一个"_s);
    QCOMPARE(f.record.recordCount(), 1);
    QCOMPARE(tdb.db().scalar(u"SELECT count(*) FROM xzcf"_s), u"1"_s);
}

void TestBoundRecord::relatedFailureRollsBack()
{
    test::TestDatabase tdb;
    addCases(tdb.db(), {u"1"_s});
    Form f(tdb.db());
    f.record.open();
    f.record.edit();
    f.name->setText(u"改了"_s);
    QVERIFY_THROWS_EXCEPTION(DbError, f.record.update([](Database &db) {
        db.exec(u"UPDATE no_such_table SET x = 1"_s);
    }));
    QCOMPARE(stored(tdb.db(), u"dwmc"_s, u"1"_s), u"单位1"_s);
    QCOMPARE(f.name->text(), u"改了"_s);
    QCOMPARE(f.record.editMode(), BoundRecord::EditMode::Editing);
}

void TestBoundRecord::cancelAfterAddAndAfterEdit()
{
    test::TestDatabase tdb;
    addCases(tdb.db(), {u"1"_s, u"2"_s});
    Form f(tdb.db());
    f.record.open();
    f.record.addNew();
    f.key->setText(u"3"_s);
    f.record.cancelUpdate();
    QCOMPARE(f.key->text(), u"1"_s);
    QCOMPARE(f.record.recordCount(), 2);

    f.record.edit();
    f.name->setText(u"放弃"_s);
    f.record.cancelUpdate();
    QCOMPARE(f.name->text(), u"单位1"_s);
    f.record.moveNext();
    QCOMPARE(stored(tdb.db(), u"dwmc"_s, u"1"_s), u"单位1"_s);
    QCOMPARE(tdb.db().scalar(u"SELECT count(*) FROM xzcf"_s), u"2"_s);
}

void TestBoundRecord::deleteThenMove_data()
{
    QTest::addColumn<int>("deleted");
    QTest::addColumn<bool>("nextExists");
    QTest::addColumn<QString>("shownAfter");
    QTest::newRow("middle: next follows") << 1 << true << u"3"_s;
    QTest::newRow("last: previous") << 2 << false << u"2"_s;
    QTest::newRow("first: next follows") << 0 << true << u"2"_s;
}

void TestBoundRecord::deleteThenMove()
{
    QFETCH(int, deleted);
    QFETCH(bool, nextExists);
    QFETCH(QString, shownAfter);
    test::TestDatabase tdb;
    addCases(tdb.db(), {u"1"_s, u"2"_s, u"3"_s});
    Form f(tdb.db());
    f.record.open();
    for (int i = 0; i < deleted; ++i)
        f.record.moveNext();
    f.record.deleteCurrent();
    QVERIFY(!f.record.hasCurrent());
    QCOMPARE(f.record.moveNext(), nextExists);
    if (!nextExists)
        QVERIFY(f.record.movePrevious());
    QCOMPARE(f.key->text(), shownAfter);
    QCOMPARE(f.record.recordCount(), 2);
}

void TestBoundRecord::sortedSourceFollowsItsOrder()
{
    test::TestDatabase tdb;
    for (const QString &n : {u"B-2"_s, u"a-1"_s, u"C-3"_s})
        tdb.db().exec(u"INSERT INTO wsxkz (xkzh, dwmc) VALUES (?, ?)"_s, {n, n});
    Form f(tdb.db(), true);
    f.record.open();
    QCOMPARE(f.key->text(), u"a-1"_s);
    f.record.moveLast();
    QCOMPARE(f.key->text(), u"C-3"_s);
    f.record.edit();
    f.key->setText(u"0-0"_s);
    f.record.update();
    QCOMPARE(f.record.absolutePosition(), 0);
    f.record.moveNext();
    QCOMPARE(f.key->text(), u"a-1"_s);
    QVERIFY(f.record.findFirst(u"xkzh"_s, u"b-2"_s));
    QCOMPARE(f.record.absolutePosition(), 2);
}

void TestBoundRecord::emptySource()
{
    test::TestDatabase tdb;
    Form f(tdb.db());
    int repositioned = 0;
    connect(&f.record, &BoundRecord::repositioned, [&] { ++repositioned; });
    f.record.open();
    QVERIFY(f.record.isEmpty());
    QCOMPARE(f.record.caption(), u"记录：共0条  第0条"_s);
    QCOMPARE(repositioned, 1);
    QVERIFY(!f.record.moveLast());
    QVERIFY(!f.record.findFirst(u"dabh"_s, u"1"_s));
    QVERIFY(f.record.close());
    QCOMPARE(m_script->shown.size(), 0);
}

QTEST_MAIN(TestBoundRecord)
#include "tst_boundrecord.moc"
