// Long work on the real event path: a restore of a large file shows its
// progress window over the main window and, while it copies, answers a
// screen reader as it does when the program is idle; a real click on 取消
// stops the copy, and the main window is active again with nothing else
// shown, its database as it was and no copy left beside it.
#include "data/connection.h"
#include "e2e/support/program.h"
#include "e2e/support/realinput.h"
#include "e2e/support/screen.h"
#include "e2e/support/screenreaderprobe.h"
#include "e2e/support/userscript.h"
#include "platform/progresswindow.h"
#include "support/ui/scripteddialogs.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::test;

namespace {

const QString warning = u"恢复数据将用备份数据替换当前数据，现有数据将丢失，确认恢复数据吗？"_s;

} // namespace

class TestLongWorkRound : public QObject {
    Q_OBJECT
private slots:
    void restoreCancelledWhileCopying();
};

void TestLongWorkRound::restoreCancelledWhileCopying()
{
    Program p;
    p.db().exec(u"UPDATE wslo SET abcd = 'lebend'"_s);
    // A file as large as a big backup, its first bytes those of a
    // database: the copy takes seconds. It is sparse, so making it costs
    // nothing.
    QTemporaryDir dir;
    const QString source = dir.filePath(u"bc_kelm"_s);
    {
        QFile f(source);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("SQLite format 3\0", 16);
        QVERIFY(f.resize(qint64(4) << 30));
    }
    auto &dialogs = ScriptedFileDialogs::install();
    dialogs.choose(source);
    const QString live = databasePath();

    ScreenReaderProbe idle;
    ScreenReaderProbe busy;
    UserScript s;
    listenWhileIdle(s, idle);
    p.chooseMenu(s, u"xt"_s, u"hf"_s);
    s.await(u"the warning"_s, [] { return shownMessage(warning) != nullptr; })
        .act(u"确定"_s, [] { real::click(messageButton(shownMessage(warning), u"确定"_s)); })
        .await(u"the progress window is active, copying"_s,
               [] {
                   return isActive(u"progress"_s) && progressWindow()->windowTitle() == u"数据恢复"_s
                       && progressWindow()->stageLabel()->text().startsWith(u"正在复制"_s);
               },
               15000)
        .act(u"a screen reader asks"_s, [&] { busy.start(); })
        .holds(u"the copy goes on"_s, [] { return progressWindow() != nullptr; }, 1500)
        .act(u"取消"_s, [&] {
            busy.stop();
            real::click(progressWindow()->cancelButton());
        })
        .await(u"the main window is active again"_s, [] { return isActive(u"main"_s) && !progressWindow(); }, 15000)
        .holds(u"no message, nothing else opens"_s, [] { return isActive(u"main"_s) && !anyMessage(); });
    QVERIFY2(s.run(), qPrintable(s.failure()));
    QVERIFY2(answeredAsWhenIdle(idle, busy), qPrintable(idle.summary() + u"\n"_s + busy.summary()));
    QCOMPARE(db().scalar(u"SELECT abcd FROM wslo"_s), u"lebend"_s);
    QCOMPARE(QDir(QFileInfo(live).path()).entryList({u"*.part"_s}, QDir::Files), QStringList());
}

QTEST_MAIN(TestLongWorkRound)
#include "tst_longworkround.moc"
