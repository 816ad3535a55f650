// The register's document boxes and the case deletion: the row a tick
// creates, the untick protocol with a document window, and what a deletion
// removes and shows next. Needs widgets: the protocol lives in the boxes'
// mouse and keyboard events.
#include "cases/engine/registerlink.h"
#include "data/appvalues.h"
#include "data/documentcatalogue.h"
#include "platform/modal.h"
#include "registerfixture.h"
#include "support/testdb.h"
#include "support/ui/scriptedmessages.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::test;

namespace {

const QString authority = u"Quessa区卫生局（盖章）"_s;

void click(QCheckBox *box, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseClick(box, button, {}, QPoint(6, box->height() / 2));
}

// The open window of document table `table`, or nullptr.
FormWindow *documentWindow(const QString &table)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->objectName() == u"frm_"_s + table)
            return qobject_cast<FormWindow *>(w);
    return nullptr;
}

int visibleDocumentWindows()
{
    int n = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        n += w->isVisible() && w->objectName().startsWith(u"frm_"_s) ? 1 : 0;
    return n;
}

int rowCount(Database &db, const QString &table, const QString &caseNo)
{
    return db.scalar(u"SELECT count(*) FROM %1 WHERE dabh = ?"_s.arg(table), {caseNo}).toInt();
}

} // namespace

class TestCaseDocuments : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void tickCreatesTheRow_data();
    void tickCreatesTheRow();
    void clickOnTickedBoxInsertsNothing();
    void tickedBoxWithoutRowGetsIt();
    void spaceBarFollowsTheProtocol();
    void rightClickDoesNothing();
    void failedTickFilesNothing_data();
    void failedTickFilesNothing();
    void showingCasesOpensNothing();
    void boxesRestWhileNotBrowsing_data();
    void boxesRestWhileNotBrowsing();
    void deleteOnClose_data();
    void deleteOnClose();
    void deletion_data();
    void deletion();
    void answeringNoDeletesNothing();
    void failedDeletionDeletesNothing();
    void deletionWritesNothingToTheCasesShownNext();

private:
    test::ScriptedMessages *m_script = nullptr;
};

void TestCaseDocuments::init()
{
    setModalMode(ModalMode::NonBlocking);
    m_script = &test::ScriptedMessages::install();
}

void TestCaseDocuments::cleanup()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName().startsWith(u"frm_"_s))
            delete w;
}

void TestCaseDocuments::tickCreatesTheRow_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("authorityColumn");
    const QList<std::pair<QString, QString>> documents = {
        {u"xzbl"_s, {}},     {u"sljl"_s, u"jgmc"_s}, {u"labg"_s, u"pbjg"_s}, {u"dczj"_s, u"jgmc"_s},
        {u"hyjl"_s, {}},     {u"spb"_s, {}},         {u"tzgz"_s, u"jgmc"_s}, {u"cfgz"_s, u"jgmc"_s},
        {u"cfjd"_s, u"jgmc"_s}, {u"qzzx"_s, u"sqdw"_s}, {u"jabg"_s, u"xzjg"_s}, {u"cssb"_s, {}},
        {u"xwbl"_s, {}},     {u"cyjl"_s, {}},        {u"ajys"_s, u"dw"_s},   {u"tzbl"_s, {}},
        {u"sdhz"_s, {}},     {u"bczj"_s, u"jg"_s},   {u"tztz"_s, u"gz"_s},   {u"dccf"_s, u"dw"_s},
        {u"tzyj"_s, {}},     {u"zlgz"_s, u"jg"_s}};
    for (int k = 0; k < int(documents.size()); ++k) {
        const auto &[table, column] = documents[k];
        QTest::addRow("%d %s", k, qPrintable(table)) << k << table << column;
    }
}

void TestCaseDocuments::tickCreatesTheRow()
{
    QFETCH(int, k);
    QFETCH(QString, table);
    QFETCH(QString, authorityColumn);
    test::TestDatabase tdb;
    Database &db = tdb.db();
    addCase(db, u"20001111"_s);
    addCase(db, u"20001112"_s);
    db.exec(u"INSERT INTO %1 (dabh) VALUES ('00000000')"_s.arg(table)); // a row at its defaults
    Register r;
    r.w->record()->moveFirst();
    click(r.document(k));
    QVERIFY(r.document(k)->isChecked());
    QCOMPARE(app().caseNo, u"20001111"_s);
    // Stored with the row, before the window closes: a reload shows it.
    QCOMPARE(stored(db, u"bg%1"_s.arg(k + 1), u"20001111"_s), u"1"_s);

    const Rows made = db.select(u"SELECT * FROM %1 WHERE dabh = '20001111'"_s.arg(table));
    const Rows defaults = db.select(u"SELECT * FROM %1 WHERE dabh = '00000000'"_s.arg(table));
    QCOMPARE(made.size(), std::size_t(1));
    for (const QString &column : made.columns) {
        const QString expected = column == u"dabh"_s         ? u"20001111"_s
                                 : column == authorityColumn ? authority
                                                             : defaults.value(0, column);
        QCOMPARE(made.value(0, column), expected);
    }

    FormWindow *window = documentWindow(table);
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), documentAt(k).windowCaption);
    window->close();
    QVERIFY(r.document(k)->isChecked());
    QCOMPARE(r.box(0)->text(), u"20001111"_s);
    QCOMPARE(stored(db, u"bg%1"_s.arg(k + 1), u"20001111"_s), u"1"_s);
    QCOMPARE(m_script->shown.size(), 0);
}

void TestCaseDocuments::clickOnTickedBoxInsertsNothing()
{
    test::TestDatabase tdb;
    Database &db = tdb.db();
    addCase(db, u"20001111"_s, {{u"bg3"_s, 1}});
    db.exec(u"INSERT INTO labg (dabh, dsr) VALUES ('20001111', '城关饭店')"_s);
    Register r;
    click(r.document(2));
    QVERIFY(r.document(2)->isChecked());
    QVERIFY(documentWindow(u"labg"_s));
    QCOMPARE(rowCount(db, u"labg"_s, u"20001111"_s), 1);
    QCOMPARE(db.scalar(u"SELECT dsr FROM labg WHERE dabh = '20001111'"_s), u"城关饭店"_s);
    QCOMPARE(db.scalar(u"SELECT pbjg FROM labg WHERE dabh = '20001111'"_s), QString());
    QCOMPARE(m_script->shown.size(), 0);
}

void TestCaseDocuments::tickedBoxWithoutRowGetsIt()
{
    test::TestDatabase tdb;
    Database &db = tdb.db();
    addCase(db, u"20001111"_s, {{u"bg10"_s, 1}});
    Register r;
    click(r.document(9));
    QVERIFY(r.document(9)->isChecked());
    QCOMPARE(db.scalar(u"SELECT sqdw FROM qzzx WHERE dabh = '20001111'"_s), authority);
    QVERIFY(documentWindow(u"qzzx"_s));
}

void TestCaseDocuments::spaceBarFollowsTheProtocol()
{
    test::TestDatabase tdb;
    addCase(tdb.db(), u"20001111"_s);
    Register r;
    QTest::keyClick(r.document(0), Qt::Key_Space);
    QVERIFY(r.document(0)->isChecked());
    QCOMPARE(rowCount(tdb.db(), u"xzbl"_s, u"20001111"_s), 1);
    QVERIFY(documentWindow(u"xzbl"_s));
}

void TestCaseDocuments::rightClickDoesNothing()
{
    test::TestDatabase tdb;
    addCase(tdb.db(), u"20001111"_s);
    Register r;
    click(r.document(2), Qt::RightButton);
    QVERIFY(!r.document(2)->isChecked());
    QCOMPARE(rowCount(tdb.db(), u"labg"_s, u"20001111"_s), 0);
    QCOMPARE(visibleDocumentWindows(), 0);
}

void TestCaseDocuments::failedTickFilesNothing_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("document table missing") << u"DROP TABLE labg"_s;
    QTest::newRow("case refuses its flag")
        << u"CREATE TRIGGER refuse BEFORE UPDATE ON xzcf BEGIN SELECT RAISE(ABORT, 'refused'); END"_s;
}

// The row and the flag are filed together or not at all; the box shows
// what it showed before and no window opens.
void TestCaseDocuments::failedTickFilesNothing()
{
    QFETCH(QString, fault);
    test::TestDatabase tdb;
    Database &db = tdb.db();
    addCase(db, u"20001111"_s);
    Register r;
    db.exec(fault);
    click(r.document(2));
    QCOMPARE(m_script->shown.size(), 1);
    QCOMPARE(m_script->shown[0].title, u"错误"_s);
    QVERIFY(!r.document(2)->isChecked());
    QCOMPARE(visibleDocumentWindows(), 0);
    QCOMPARE(stored(db, u"bg3"_s, u"20001111"_s), u"0"_s);
    if (fault.startsWith(u"CREATE"_s))
        QCOMPARE(rowCount(db, u"labg"_s, u"20001111"_s), 0);
}

void TestCaseDocuments::showingCasesOpensNothing()
{
    test::TestDatabase tdb;
    addCase(tdb.db(), u"20001111"_s, {{u"bg1"_s, 1}, {u"bg3"_s, 1}});
    addCase(tdb.db(), u"20001112"_s);
    Register r;
    r.w->record()->moveFirst();
    QVERIFY(r.document(0)->isChecked() && r.document(2)->isChecked());
    r.w->record()->moveLast();
    QVERIFY(!r.document(0)->isChecked());
    QCOMPARE(visibleDocumentWindows(), 0);
    QCOMPARE(rowCount(tdb.db(), u"xzbl"_s, u"20001111"_s) + rowCount(tdb.db(), u"labg"_s, u"20001111"_s), 0);
}

void TestCaseDocuments::boxesRestWhileNotBrowsing_data()
{
    QTest::addColumn<QString>("state");
    QTest::newRow("editing") << u"editing"_s;
    QTest::newRow("adding") << u"adding"_s;
    QTest::newRow("empty table") << u"empty"_s;
}

void TestCaseDocuments::boxesRestWhileNotBrowsing()
{
    QFETCH(QString, state);
    test::TestDatabase tdb;
    if (state != u"empty"_s)
        addCase(tdb.db(), u"20001111"_s);
    Register r;
    if (state == u"editing"_s)
        r.box(2)->setText(u"改了"_s);
    else if (state == u"adding"_s)
        r.click(1);
    click(r.document(2));
    QVERIFY(!r.document(2)->isChecked());
    QCOMPARE(tdb.db().scalar(u"SELECT count(*) FROM labg"_s), u"0"_s);
    QCOMPARE(visibleDocumentWindows(), 0);
}

void TestCaseDocuments::deleteOnClose_data()
{
    QTest::addColumn<bool>("ticked");  // the window's "销  档"
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("deleted");
    QTest::newRow("ticked, yes") << true << Answer::Yes << true;
    QTest::newRow("ticked, no") << true << Answer::No << false;
    QTest::newRow("clear") << false << Answer::Yes << false;
}

void TestCaseDocuments::deleteOnClose()
{
    QFETCH(bool, ticked);
    QFETCH(Answer, answer);
    QFETCH(bool, deleted);
    test::TestDatabase tdb;
    Database &db = tdb.db();
    addCase(db, u"20001111"_s);
    addCase(db, u"20001112"_s);
    db.exec(u"INSERT INTO cfjd (dabh, jgmc) VALUES ('20001111', '另一案件')"_s);
    Register r;
    click(r.document(8));
    FormWindow *window = documentWindow(u"cfjd"_s);
    QVERIFY(window);
    window->findChild<QCheckBox *>(u"Check1"_s)->setChecked(ticked);
    if (ticked)
        m_script->answer(answer);
    window->close();
    QVERIFY(!window->isVisible());
    if (ticked) {
        QCOMPARE(m_script->shown[0].text, u"确认销除该案件资料吗？"_s);
        QCOMPARE(m_script->shown[0].title, u"提示"_s);
        QCOMPARE(m_script->shown[0].buttons, Buttons::YesNo);
    } else {
        QCOMPARE(m_script->shown.size(), 0);
    }
    QCOMPARE(visibleDocumentWindows(), 0);
    QCOMPARE(rowCount(db, u"cfjd"_s, u"20001112"_s), deleted ? 0 : 1);
    QCOMPARE(rowCount(db, u"cfjd"_s, u"20001111"_s), 1);
    QCOMPARE(r.document(8)->isChecked(), !deleted);
    QCOMPARE(stored(db, u"bg9"_s, u"20001112"_s), deleted ? u"0"_s : u"1"_s);
    if (!deleted)
        return;
    click(r.document(8)); // a fresh row
    QVERIFY(r.document(8)->isChecked());
    QCOMPARE(db.scalar(u"SELECT jgmc FROM cfjd WHERE dabh = '20001112'"_s), authority);
}

void TestCaseDocuments::deletion_data()
{
    QTest::addColumn<int>("cases");
    QTest::addColumn<int>("deleted"); // zero-based place of the deleted case
    QTest::addColumn<QString>("shownAfter");
    QTest::newRow("middle: the next case") << 3 << 1 << u"20020003"_s;
    QTest::newRow("last: the case before") << 3 << 2 << u"20020002"_s;
    QTest::newRow("only case: empty table") << 1 << 0 << QString();
}

void TestCaseDocuments::deletion()
{
    QFETCH(int, cases);
    QFETCH(int, deleted);
    QFETCH(QString, shownAfter);
    test::TestDatabase tdb;
    Database &db = tdb.db();
    for (int i = 1; i <= cases; ++i) {
        addCase(db, u"2002000%1"_s.arg(i), {{u"bg1"_s, 1}});
        fileEveryRow(db, u"2002000%1"_s.arg(i));
    }
    const QString victim = u"2002000%1"_s.arg(deleted + 1);
    db.exec(u"INSERT INTO qtzl (dabh) VALUES (?)"_s, {victim});
    Register r;
    r.w->record()->findFirst(u"dabh"_s, victim);
    m_script->answer(Answer::Yes);
    r.click(2);
    QCOMPARE(m_script->shown[0].text, u"该案件相关资料都将被删除，确认删除该项记录吗？"_s);
    QCOMPARE(m_script->shown[0].title, u"提示"_s);
    QCOMPARE(m_script->shown[0].buttons, Buttons::YesNo);
    QCOMPARE(m_script->shown[0].defaultButton, Answer::Yes);
    QCOMPARE(m_script->shown[0].icon, Icon::None);
    QCOMPARE(m_script->shown.size(), 1);

    QCOMPARE(filedRows(db, victim), 0);
    QCOMPARE(db.scalar(u"SELECT count(*) FROM xzcf WHERE dabh = ?"_s, {victim}), u"0"_s);
    for (int i = 1; i <= cases; ++i)
        if (i != deleted + 1)
            QCOMPARE(filedRows(db, u"2002000%1"_s.arg(i)), 23);
    QCOMPARE(r.box(0)->text(), shownAfter);
    QCOMPARE(visibleDocumentWindows(), 0);
    if (!shownAfter.isEmpty()) {
        QCOMPARE(r.w->state(), CaseRegisterWindow::State::Browsing);
        QVERIFY(r.document(0)->isChecked());
        return;
    }
    QCOMPARE(r.w->state(), CaseRegisterWindow::State::Empty);
    QCOMPARE(r.buttons(), u"100000"_s);
    for (const QString &name : {u"Frame2"_s, u"Frame4"_s, u"Combo1"_s, u"Combo2"_s, u"Text1_2"_s, u"Text1_9"_s})
        QVERIFY2(!r.named(name)->isEnabled(), qPrintable(name));
    QCOMPARE(r.box(2)->text(), QString());
}

void TestCaseDocuments::answeringNoDeletesNothing()
{
    test::TestDatabase tdb;
    addCase(tdb.db(), u"20020001"_s);
    fileEveryRow(tdb.db(), u"20020001"_s);
    Register r;
    m_script->answer(Answer::No);
    r.click(2);
    QCOMPARE(filedRows(tdb.db(), u"20020001"_s), 23);
    QCOMPARE(r.box(0)->text(), u"20020001"_s);
    QCOMPARE(r.w->state(), CaseRegisterWindow::State::Browsing);
}

void TestCaseDocuments::failedDeletionDeletesNothing()
{
    test::TestDatabase tdb;
    Database &db = tdb.db();
    addCase(db, u"20020001"_s);
    addCase(db, u"20020002"_s);
    fileEveryRow(db, u"20020002"_s);
    Register r;
    db.exec(u"DROP TABLE zlgz"_s);
    m_script->answer(Answer::Yes);
    r.click(2);
    QCOMPARE(m_script->shown.size(), 2);
    QCOMPARE(m_script->shown[1].title, u"错误"_s);
    for (const QString &table : filedTables())
        if (table != u"zlgz"_s)
            QCOMPARE(rowCount(db, table, u"20020002"_s), 1);
    QCOMPARE(db.scalar(u"SELECT count(*) FROM xzcf"_s), u"2"_s);
    QCOMPARE(r.box(0)->text(), u"20020002"_s);
    QCOMPARE(r.w->record()->recordCount(), 2);
}

// The case shown after a deletion keeps its own fields, and a later untick
// by the user clears as usual.
void TestCaseDocuments::deletionWritesNothingToTheCasesShownNext()
{
    test::TestDatabase tdb;
    Database &db = tdb.db();
    addCase(db, u"20020001"_s, {{u"sfja"_s, 1}, {u"cf7"_s, 1}, {u"fkje"_s, u"500"_s}});
    addCase(db, u"20020002"_s, {{u"fkje"_s, u"300"_s}, {u"jasj"_s, u"2002-05-01"_s}});
    addCase(db, u"20020003"_s, {{u"sfja"_s, 1}, {u"cf6"_s, 1}, {u"msje"_s, u"200"_s}});
    Register r;
    r.w->record()->moveFirst();
    m_script->answer(Answer::Yes);
    r.click(2);
    QCOMPARE(r.box(0)->text(), u"20020002"_s);
    QCOMPARE(r.box(12)->text(), u"300"_s);
    QCOMPARE(r.box(10)->text(), u"2002-05-01"_s);
    r.w->record()->moveNext();
    QCOMPARE(stored(db, u"fkje"_s, u"20020002"_s), u"300"_s);
    QCOMPARE(stored(db, u"jasj"_s, u"20020002"_s), u"2002-05-01"_s);
    click(r.penalty(5));
    QCOMPARE(r.box(11)->text(), u"0"_s);
}

QTEST_MAIN(TestCaseDocuments)
#include "tst_casedocuments.moc"
