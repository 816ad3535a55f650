// An office's Jet kelm.mdb met where the user meets it: at the start (the
// question, 否 changing nothing, 是 converting with the original kept
// beside the new file and the summary shown, the log-in taking the old
// password), a conversion that is cancelled or refused leaving every file
// as it was, one that was killed after keeping the original finished the
// next time, and 数据恢复 of a Jet backup through the same checks as any
// backup, the chosen file unchanged. Needs widgets for the windows.
#include "data/connection.h"
#include "platform/modal.h"
#include "shell/backup.h"
#include "shell/backupmenu.h"
#include "shell/jetdatabase.h"
#include "shell/conversionsummarywindow.h"
#include "shell/loginwindow.h"
#include "shell/password.h"
#include "shell/startup.h"
#include "support/expecteddump.h"
#include "support/jetfiles.h"
#include "support/recordingprogress.h"
#include "support/testdb.h"
#include "support/ui/scripteddialogs.h"
#include "support/ui/scriptedmessages.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/file.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::test;

namespace {

template <typename T> T *shown()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *t = qobject_cast<T *>(w); t && t->isVisible())
            return t;
    return nullptr;
}

void closeEverything()
{
    auto &script = ScriptedMessages::install();
    for (int i = 0; i < 4; ++i)
        script.answer(Answer::Yes);
    for (QWidget *w : QApplication::topLevelWidgets())
        w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QStringList filesIn(const QString &dir) { return QDir(dir).entryList(QDir::Files, QDir::Name); }

const QString kept = u"kelm.Jet原文件.mdb"_s;

} // namespace

class TestJetDatabase : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void startConvertsAfterYes();
    void startEndsAfterNo();
    void startRefusesAnotherJetFile();
    void cancelledConversionChangesNothing();
    void oneConversionAtATime_data();
    void oneConversionAtATime();
    void keptNameNumbered_data();
    void keptNameNumbered();
    void restoreOfJetBackup();
    void restoreOfJetFileWithoutMarker();

private:
    QString live() const { return m_dir->filePath(u"kelm.mdb"_s); }
    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray m_original;
};

void TestJetDatabase::initTestCase()
{
    // The summary window opens without blocking the test.
    setModalMode(ModalMode::NonBlocking);
    useBuiltJetReader();
    m_original = contents(jetTestFile(u"kelm-text.mdb"_s));
}

void TestJetDatabase::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QFile::copy(jetTestFile(u"kelm-text.mdb"_s), live());
    QFile(live()).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    setDatabasePath(live());
}

void TestJetDatabase::cleanup()
{
    closeEverything();
    setDatabasePath({});
}

void TestJetDatabase::startConvertsAfterYes()
{
    auto &script = ScriptedMessages::install();
    script.answer(Answer::Yes);
    QVERIFY(startSession());
    QCOMPARE(script.shown.size(), 1);
    const Message question = script.shown.first();
    QCOMPARE(question.title, u"提示"_s);
    QCOMPARE(question.buttons, Buttons::YesNo);
    QVERIFY2(question.text.contains(u"Jet"_s) && question.text.contains(kept), qPrintable(question.text));

    // The original beside the new file, byte for byte; nothing else. The
    // office's health records stay as private as they were.
    QCOMPARE(filesIn(m_dir->path()), (QStringList{kept, u"kelm.mdb"_s}));
    QCOMPARE(QFile::permissions(live()), QFile::permissions(m_dir->filePath(kept)));
    QCOMPARE(contents(m_dir->filePath(kept)), m_original);
    const QString difference = differenceFromExpected(live(), jetTestFile(u"kelm-text.expected.json"_s));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));

    auto *summary = shown<ConversionSummaryWindow>();
    QVERIFY(summary);
    QVERIFY(summary->heading()->text().contains(kept));
    QVERIFY(summary->summary()->toPlainText().contains(u"xzcf：120 行"_s));
    QVERIFY(summary->summary()->isReadOnly());
    QCOMPARE(summary->summary()->accessibleName(), u"转换结果"_s);
    // The log-in takes the old file's password.
    QVERIFY(shown<LoginWindow>());
    QCOMPARE(storedPassword(db()), u"jetpass"_s);
}

void TestJetDatabase::startEndsAfterNo()
{
    auto &script = ScriptedMessages::install();
    script.answer(Answer::No);
    QVERIFY(!startSession());
    QCOMPARE(script.shown.size(), 1);
    QCOMPARE(filesIn(m_dir->path()), QStringList{u"kelm.mdb"_s});
    QCOMPARE(contents(live()), m_original);
    QVERIFY(!shown<LoginWindow>());
}

void TestJetDatabase::startRefusesAnotherJetFile()
{
    QFile::remove(live());
    QFile::copy(jetTestFile(u"testV2000.mdb"_s), live());
    const QByteArray before = contents(live());
    auto &script = ScriptedMessages::install();
    script.answer(Answer::Yes);
    QVERIFY(!startSession());
    QCOMPARE(script.shown.size(), 2);
    QVERIFY2(script.lastText().contains(u"该文件不是正确的备份文件或文件已损坏！"_s)
                 && script.lastText().contains(u"程序将退出"_s),
             qPrintable(script.lastText()));
    QCOMPARE(filesIn(m_dir->path()), QStringList{u"kelm.mdb"_s});
    QCOMPARE(contents(live()), before);
}

void TestJetDatabase::cancelledConversionChangesNothing()
{
    RecordingProgress progress;
    progress.cancelInStage = u"正在转换"_s;
    const jet::Conversion result = convertDatabaseInPlace(live(), m_dir->filePath(kept), progress);
    QCOMPARE(result.failure, jet::ConversionFailure::Cancelled);
    QCOMPARE(filesIn(m_dir->path()), QStringList{u"kelm.mdb"_s});
    QCOMPARE(contents(live()), m_original);
}

void TestJetDatabase::oneConversionAtATime_data()
{
    QTest::addColumn<bool>("converted"); // by the other window, else under way
    QTest::addColumn<QString>("words");
    QTest::newRow("under way") << false << u"另一个窗口正在转换"_s;
    QTest::newRow("done") << true << u"已经由本程序的另一个窗口转换了"_s;
}

void TestJetDatabase::oneConversionAtATime()
{
    QFETCH(bool, converted);
    QFETCH(QString, words);
    // Another window of the program converting the file holds it locked
    // until its new file is in place.
    QFile other(live());
    QVERIFY(other.open(QIODevice::ReadOnly));
    if (converted) {
        const QString renamed = live() + u".new"_s;
        QVERIFY(QFile::copy(preparedTemplate(), renamed));
        QCOMPARE(::rename(QFile::encodeName(renamed).constData(), QFile::encodeName(live()).constData()), 0);
    } else {
        QCOMPARE(::flock(other.handle(), LOCK_EX | LOCK_NB), 0);
    }
    const QByteArray before = contents(live());
    const jet::Conversion result = convertDatabaseInPlace(live(), m_dir->filePath(kept));
    QCOMPARE(result.failure, jet::ConversionFailure::Refused);
    QVERIFY2(result.reason.contains(words), qPrintable(result.reason));
    QCOMPARE(filesIn(m_dir->path()), QStringList{u"kelm.mdb"_s});
    QCOMPARE(contents(live()), before);
}

void TestJetDatabase::keptNameNumbered_data()
{
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<bool>("linked");
    QTest::addColumn<QString>("name");
    QTest::newRow("free") << QStringList() << false << kept;
    QTest::newRow("taken by another file") << QStringList{kept} << false << u"kelm.Jet原文件.2.mdb"_s;
    QTest::newRow("taken twice") << QStringList{kept, u"kelm.Jet原文件.2.mdb"_s} << false << u"kelm.Jet原文件.3.mdb"_s;
    // A conversion killed after it kept the original left the second name
    // of the very file: it is used again, not numbered.
    QTest::newRow("left by a killed conversion") << QStringList() << true << kept;
}

void TestJetDatabase::keptNameNumbered()
{
    QFETCH(QStringList, present);
    QFETCH(bool, linked);
    QFETCH(QString, name);
    for (const QString &p : std::as_const(present))
        patchFile(m_dir->filePath(p), 0, "an office's own file");
    if (linked)
        QCOMPARE(::link(QFile::encodeName(live()).constData(), QFile::encodeName(m_dir->filePath(kept)).constData()),
                 0);
    QCOMPARE(keptJetOriginal(live()), m_dir->filePath(name));
    const jet::Conversion result = convertDatabaseInPlace(live(), keptJetOriginal(live()));
    QVERIFY2(result.ok(), qPrintable(result.reason));
    QCOMPARE(contents(m_dir->filePath(name)), m_original);
    for (const QString &p : std::as_const(present))
        QCOMPARE(contents(m_dir->filePath(p)), QByteArray("an office's own file"));
    QCOMPARE(filesIn(m_dir->path()).size(), present.size() + 2);
}

void TestJetDatabase::restoreOfJetBackup()
{
    // The program's own database in use, a Jet backup chosen elsewhere.
    QFile::remove(live());
    QFile::copy(preparedTemplate(), live());
    QFile(live()).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    QTemporaryDir elsewhere;
    const QString backup = elsewhere.filePath(u"bc_kelm"_s);
    QFile::copy(jetTestFile(u"kelm-typed.mdb"_s), backup);
    const QByteArray before = contents(backup);

    auto &script = ScriptedMessages::install();
    script.answer(Answer::Ok);
    ScriptedFileDialogs::install().choose(backup);
    QString fileName = u"bc_kelm"_s;
    QWidget parent;
    restoreFromMenu(&parent, fileName);
    QCOMPARE(script.lastText(), u"数据恢复完成。"_s);
    auto *summary = shown<ConversionSummaryWindow>();
    QVERIFY(summary);
    QVERIFY(summary->summary()->toPlainText().contains(u"beizhu（5 行）"_s));
    QCOMPARE(contents(backup), before);
    QCOMPARE(filesIn(elsewhere.path()), QStringList{u"bc_kelm"_s});
    QCOMPARE(filesIn(m_dir->path()), QStringList{u"kelm.mdb"_s});
    closeDatabase();
    const QString difference = differenceFromExpected(live(), jetTestFile(u"kelm-typed.expected.json"_s));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TestJetDatabase::restoreOfJetFileWithoutMarker()
{
    QFile::remove(live());
    QFile::copy(preparedTemplate(), live());
    QFile(live()).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    const QByteArray database = contents(live());
    const RestoreResult result = restoreDatabase(jetTestFile(u"testV1997.mdb"_s), live());
    QCOMPARE(result.outcome, RestoreOutcome::NotABackup);
    QCOMPARE(result.converted, QString());
    QCOMPARE(contents(live()), database);
    QCOMPARE(filesIn(m_dir->path()), QStringList{u"kelm.mdb"_s});
}

QTEST_MAIN(TestJetDatabase)
#include "tst_jetdatabase.moc"
