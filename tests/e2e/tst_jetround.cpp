// An office's Jet kelm.mdb on the real event path: the program started on
// it asks, 是 converts, the summary window closes with Enter, the log-in
// takes the old password, a case, its filing report and the permits open
// on the converted data, and the file then holds what the expected dump
// says, the original kept beside it byte for byte. 否 ends the start and
// changes nothing; 取消 in the progress window stops a long conversion with
// nothing changed. 数据恢复 of a Jet backup converts it, shows the summary
// after "数据恢复完成。", and leaves the backup as it was.
#include "data/connection.h"
#include "e2e/support/program.h"
#include "e2e/support/realinput.h"
#include "e2e/support/screen.h"
#include "e2e/support/userscript.h"
#include "platform/messages.h"
#include "platform/modal.h"
#include "platform/progresswindow.h"
#include "shell/startup.h"
#include "support/expecteddump.h"
#include "support/jetfiles.h"
#include "support/testdb.h"
#include "support/ui/scripteddialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::test;

namespace {

const QString kept = u"kelm.Jet原文件.mdb"_s;
const QString registerName = u"xzcf_face"_s;

QStringList filesIn(const QString &dir) { return QDir(dir).entryList(QDir::Files, QDir::Name); }

QString shownCase()
{
    auto *number = qobject_cast<QLineEdit *>(childOf(registerName, u"Text1_0"_s));
    return number ? number->text() : QString();
}

// Steps that answer the start's question with a real click.
void answerQuestion(UserScript &s, const QString &answer)
{
    s.await(u"the question is active"_s,
            [] { return shownMessageWith(u"Jet 格式"_s) && QApplication::activeWindow() == shownMessageWith(u"Jet 格式"_s); })
        .act(u"click "_s + answer, [answer] { real::click(messageButton(shownMessageWith(u"Jet 格式"_s), answer)); });
}

} // namespace

class TestJetRound : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void yesConvertsAndTheOfficeWorksOn();
    void noChangesNothing();
    void cancelStopsALongConversion();
    void restoreOfAJetBackup();

private:
    QString live() const { return m_dir->filePath(u"kelm.mdb"_s); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestJetRound::initTestCase()
{
    setModalMode(ModalMode::Blocking);
    setMessageService(nullptr);
    useBuiltJetReader();
}

void TestJetRound::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QFile::copy(jetTestFile(u"kelm-text.mdb"_s), live());
    QFile(live()).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    setDatabasePath(live());
}

void TestJetRound::cleanup()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    setDatabasePath({});
}

void TestJetRound::yesConvertsAndTheOfficeWorksOn()
{
    const QByteArray original = contents(live());
    bool started = false;
    QTimer::singleShot(0, [&] { started = startSession(); });
    UserScript s;
    answerQuestion(s, u"是"_s);
    s.await(u"the summary window is active"_s, [] { return isActive(u"conversionSummary"_s); }, 30000)
        .act(u"Enter"_s, [] { real::key(Qt::Key_Return); })
        .await(u"the log-in is active"_s, [] { return isActive(u"frm_mmbh"_s) && !shownWindow(u"conversionSummary"_s); })
        .act(u"type the old password"_s, [] {
            real::type(u"jetpass"_s);
            real::key(Qt::Key_Return);
        });
    chooseMenu(s, u"xzxf"_s);
    s.await(u"the register shows a case"_s, [] { return isActive(registerName) && !shownCase().isEmpty(); })
        .act(u"第一条"_s, [] { real::click(childNamed(registerName, u"第一条"_s)); })
        .await(u"the first case"_s, [] { return shownCase() == u"199800000"_s; })
        .act(u"its filing report"_s, [] {
            auto *box = qobject_cast<QCheckBox *>(childOf(registerName, u"Check1_2"_s));
            real::click(box, QPoint(6, box->height() / 2));
        })
        .await(u"the report is active"_s, [] { return isActive(u"frm_labg"_s); })
        .act(u"Esc"_s, [] { real::key(Qt::Key_Escape); })
        .await(u"the register again"_s, [] { return isActive(registerName); })
        .act(u"Esc closes it"_s, [] { real::key(Qt::Key_Escape); })
        .await(u"the main window is active"_s, [] { return isActive(u"main"_s) && !shownWindow(registerName); });
    QVERIFY2(s.run(), qPrintable(s.failure()));
    QVERIFY(started);

    UserScript permits;
    chooseMenu(permits, u"wsxkz"_s, u"xkzff"_s);
    permits.await(u"the permit register is active"_s, [] { return isActive(u"xkz"_s); })
        .act(u"Esc closes it"_s, [] { real::key(Qt::Key_Escape); })
        .await(u"the main window is active"_s, [] { return isActive(u"main"_s) && !shownWindow(u"xkz"_s); })
        .act(u"the close box"_s, [] { real::closeBox(shownWindow(u"main"_s)); })
        .await(u"确认退出吗？"_s, [] { return shownMessage(u"确认退出吗？"_s) != nullptr; })
        .act(u"是"_s, [] { real::click(messageButton(shownMessage(u"确认退出吗？"_s), u"是"_s)); })
        .await(u"the program has ended"_s, [] { return !shownWindow(u"main"_s); });
    QVERIFY2(permits.run(), qPrintable(permits.failure()));
    closeDatabase();

    QCOMPARE(filesIn(m_dir->path()), (QStringList{kept, u"kelm.mdb"_s}));
    QVERIFY(contents(m_dir->filePath(kept)) == original);
    const QString difference = differenceFromExpected(live(), jetTestFile(u"kelm-text.expected.json"_s));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TestJetRound::noChangesNothing()
{
    const QByteArray original = contents(live());
    bool started = true;
    QTimer::singleShot(0, [&] { started = startSession(); });
    UserScript s;
    answerQuestion(s, u"否"_s);
    s.await(u"the start has ended"_s, [&] { return !started && !anyMessage(); })
        .holds(u"no window opens"_s, [] { return !shownWindow(u"frm_mmbh"_s) && !shownWindow(u"conversionSummary"_s); });
    QVERIFY2(s.run(), qPrintable(s.failure()));
    QCOMPARE(filesIn(m_dir->path()), QStringList{u"kelm.mdb"_s});
    QVERIFY(contents(live()) == original);
}

void TestJetRound::cancelStopsALongConversion()
{
    // Long enough for the progress window: 20,000 cases.
    QFile::remove(live());
    QProcess make;
    make.start(QString::fromUtf8(KELM_MAKEJET), {jetTestFile(u"kelm-text.mdb"_s), live(), u"20000"_s});
    QVERIFY(make.waitForFinished(60000) && make.exitCode() == 0);
    const QByteArray original = contents(live());
    bool started = true;
    QTimer::singleShot(0, [&] { started = startSession(); });
    UserScript s;
    answerQuestion(s, u"是"_s);
    s.await(u"the progress window is active, converting"_s,
            [] {
                return isActive(u"progress"_s) && progressWindow()->stageLabel()->text().startsWith(u"正在转换"_s)
                    && progressWindow()->bar()->value() > 0;
            },
            30000)
        .act(u"取消"_s, [] { real::click(progressWindow()->cancelButton()); })
        .await(u"the end is told"_s, [] { return shownMessageWith(u"转换已取消"_s) != nullptr; }, 30000)
        .act(u"确定"_s, [] { real::click(messageButton(shownMessageWith(u"转换已取消"_s), u"确定"_s)); })
        .await(u"the start has ended"_s, [&] { return !started && !anyMessage(); });
    QVERIFY2(s.run(), qPrintable(s.failure()));
    QCOMPARE(filesIn(m_dir->path()), QStringList{u"kelm.mdb"_s});
    QVERIFY(contents(live()) == original);
}

void TestJetRound::restoreOfAJetBackup()
{
    Program p;
    QTemporaryDir elsewhere;
    const QString backup = elsewhere.filePath(u"bc_kelm"_s);
    QFile::copy(jetTestFile(u"kelm-typed.mdb"_s), backup);
    const QByteArray before = contents(backup);
    ScriptedFileDialogs::install().choose(backup);
    const QString warning = u"恢复数据将用备份数据替换当前数据，现有数据将丢失，确认恢复数据吗？"_s;
    UserScript s;
    p.chooseMenu(s, u"xt"_s, u"hf"_s);
    s.await(u"the warning"_s, [warning] { return shownMessage(warning) != nullptr; })
        .act(u"确定"_s, [warning] { real::click(messageButton(shownMessage(warning), u"确定"_s)); })
        .await(u"数据恢复完成。"_s, [] { return shownMessage(u"数据恢复完成。"_s) != nullptr; }, 30000)
        .act(u"确定"_s, [] { real::click(messageButton(shownMessage(u"数据恢复完成。"_s), u"确定"_s)); })
        .await(u"the summary window is active"_s, [] { return isActive(u"conversionSummary"_s); })
        .act(u"Esc"_s, [] { real::key(Qt::Key_Escape); })
        .await(u"the main window is active"_s, [] { return isActive(u"main"_s) && !shownWindow(u"conversionSummary"_s); });
    QVERIFY2(s.run(), qPrintable(s.failure()));
    QVERIFY(contents(backup) == before);
    QCOMPARE(filesIn(elsewhere.path()), QStringList{u"bc_kelm"_s});
    const QString path = databasePath();
    closeDatabase();
    const QString difference = differenceFromExpected(path, jetTestFile(u"kelm-typed.expected.json"_s));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

QTEST_MAIN(TestJetRound)
#include "tst_jetround.moc"
