// A program folder or database file that cannot be written: the program
// starts and shows the data, and every write is refused with the reason in
// the user's words; nothing is written beside the file. A save that a
// crash left unfinished there stops the start with what must be made
// writable, and nothing changes. The test drops root privileges first (as
// root every folder is writable), so it needs widgets for the start-up and
// a document window in an unprivileged process.
#include "cases/documents/filing/labg.h"
#include "data/connection.h"
#include "platform/journalcheck.h"
#include "shell/startup.h"
#include "support/helperprograms.h"
#include "support/saveunderway.h"
#include "support/testdb.h"
#include "support/ui/documenttesting.h"
#include "support/ui/scriptedmessages.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QRegularExpression>
#include <QtTest>

#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace kelm;

namespace {

const QString caseNo = u"20020001"_s;

const QFile::Permissions readOnlyFolder = QFile::ReadOwner | QFile::ExeOwner;
const QFile::Permissions writableFolder = readOnlyFolder | QFile::WriteOwner;

} // namespace

class TestReadOnlyFolder : public test::DocumentWindowTest {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startsAndRefusesWrites_data();
    void startsAndRefusesWrites();
    void typingIntoADocumentIsRefused();
    void unfinishedSaveNeedsAWritableFolder_data();
    void unfinishedSaveNeedsAWritableFolder();

private:
    void makeReadOnly(bool folder, bool file);
};

void TestReadOnlyFolder::init()
{
    setUpWindowTest(caseNo);
    // A case with its filing report filed.
    db().insertRow(u"xzcf"_s, {u"dabh"_s, u"dwmc"_s, u"bg3"_s}, {caseNo, u"城关饭店"_s, 1});
    db().insertRow(u"labg"_s, {u"dabh"_s, u"dsr"_s}, {caseNo, u"甲"_s});
    closeDatabase();
}

void TestReadOnlyFolder::cleanup()
{
    closeDatabase();
    // The temporary folder can be removed again.
    QFile::setPermissions(m_db->dir(), writableFolder);
    tearDownWindowTest();
}

void TestReadOnlyFolder::makeReadOnly(bool folder, bool file)
{
    if (file)
        QVERIFY(QFile::setPermissions(m_db->path(), QFile::ReadOwner));
    if (folder)
        QVERIFY(QFile::setPermissions(m_db->dir(), readOnlyFolder));
}

void TestReadOnlyFolder::startsAndRefusesWrites_data()
{
    QTest::addColumn<bool>("folder");
    QTest::addColumn<bool>("file");
    QTest::newRow("read-only folder") << true << false;
    QTest::newRow("read-only folder and file") << true << true;
    QTest::newRow("read-only file") << false << true;
}

void TestReadOnlyFolder::startsAndRefusesWrites()
{
    QFETCH(bool, folder);
    QFETCH(bool, file);
    makeReadOnly(folder, file);
    QVERIFY(startSession());
    QCOMPARE(m_messages->shown.size(), 0);
    for (QWidget *w : QApplication::topLevelWidgets())
        w->close();
    QCOMPARE(db().scalar(u"SELECT dwmc FROM xzcf WHERE dabh = ?"_s, {caseNo}), u"城关饭店"_s);

    const QString expected = folder ? u"数据库文件所在的文件夹 %1 不能写入"_s.arg(m_db->dir())
                                    : u"数据库文件 %1 是只读的，不能写入。"_s.arg(m_db->path());
    auto refused = [&](const std::function<void()> &write) {
        try {
            write();
        } catch (const DbError &e) {
            QVERIFY2(e.message().startsWith(expected), qPrintable(e.message()));
            QCOMPARE(e.kind(), DbFailure::ReadOnly);
            return;
        }
        QFAIL("the write was not refused");
    };
    refused([] { db().writeColumn(u"xzcf"_s, u"dwmc"_s, u"dabh"_s, caseNo, u"改名"_s); });
    refused([] { db().insertRow(u"xzcf"_s, {u"dabh"_s}, {u"20020002"_s}); });
    refused([] {
        Transaction tx(db());
        db().exec(u"DELETE FROM xzcf"_s);
        tx.commit();
    });
    QCOMPARE(db().scalar(u"SELECT count(*) FROM xzcf"_s), u"1"_s);
    QCOMPARE(QDir(m_db->dir()).entryList(QDir::Files), QStringList{u"kelm.mdb"_s});
}

void TestReadOnlyFolder::typingIntoADocumentIsRefused()
{
    makeReadOnly(true, false);
    openOn(labgDescription());
    line(0)->end(false);
    test::commit(line(0), u"乙"_s);
    QCOMPARE(m_messages->shown.size(), 1);
    QCOMPARE(m_messages->shown[0].title, u"错误"_s);
    QVERIFY2(m_messages->shown[0].text.contains(u"文件夹"_s), qPrintable(m_messages->shown[0].text));
    QCOMPARE(line(0)->text(), u"甲"_s);
}

void TestReadOnlyFolder::unfinishedSaveNeedsAWritableFolder_data()
{
    QTest::addColumn<bool>("folder");
    QTest::addColumn<bool>("file");
    QTest::addColumn<bool>("fileCopiedOver");
    QTest::addColumn<QString>("expected"); // %1 the file, %2 its folder
    QTest::newRow("its own save, read-only folder")
        << true << false << false
        << u"数据库文件 %1 有一次保存没有完成（程序在保存时中断）。要先撤销这次保存才能打开数据库，"
           "但数据库文件所在的文件夹 %2 不能写入：请让它可以写入后再启动程序。"_s;
    QTest::newRow("its own save, read-only file")
        << false << true << false
        << u"数据库文件 %1 有一次保存没有完成（程序在保存时中断）。要先撤销这次保存才能打开数据库，"
           "但数据库文件不能写入：请让它可以写入后再启动程序。"_s;
    QTest::newRow("another file's save, read-only folder")
        << true << false << true
        << u"数据库文件 %1 旁的日志文件属于另一个数据库文件未完成的保存，要把它移开才能打开数据库，"
           "但数据库文件所在的文件夹 %2 不能写入：请让它可以写入后再启动程序。"_s;
}

// A crash inside a save left its journal, and the folder or the file can
// no longer be written: the start says what must be written and why, in
// the user's words, and changes nothing.
void TestReadOnlyFolder::unfinishedSaveNeedsAWritableFolder()
{
    QFETCH(bool, folder);
    QFETCH(bool, file);
    QFETCH(bool, fileCopiedOver);
    QFETCH(QString, expected);
    test::crashInsideSave(m_db->path(), test::SaveUnderWay::Kind::Spilled);
    if (fileCopiedOver) {
        QVERIFY(QFile::remove(m_db->path()));
        QVERIFY(QFile::copy(test::preparedTemplate(), m_db->path()));
    }
    const QString journal = journalPath(m_db->path());
    const QByteArray journalBytes = test::contents(journal);
    const QByteArray fileBytes = test::contents(m_db->path());
    makeReadOnly(folder, file);

    QVERIFY(!startSession());
    QCOMPARE(m_messages->shown.size(), 1);
    const QString text = m_messages->shown[0].text;
    QCOMPARE(text, expected.replace(u"%1"_s, m_db->path()).replace(u"%2"_s, m_db->dir()) + u"\n程序将退出。"_s);
    QVERIFY2(!QString(text).remove(m_db->path()).remove(m_db->dir()).contains(QRegularExpression(u"[A-Za-z]"_s)),
             qPrintable(text));
    QCOMPARE(test::contents(journal), journalBytes);
    QCOMPARE(test::contents(m_db->path()), fileBytes);
}

int main(int argc, char *argv[])
{
    // Root writes into any folder; the test runs as an ordinary user.
    if (::geteuid() == 0)
        test::becomeUser(65534, 65534);
    QApplication app(argc, argv);
    TestReadOnlyFolder test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_readonlyfolder.moc"
