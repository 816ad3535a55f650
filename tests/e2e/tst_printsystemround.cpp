// Printing to the print system on the real event path, against print
// servers of the test's own: a job goes to the destination that the print
// system's own commands would choose (LPDEST, PRINTER, the saved default,
// an instance of a printer included), with the options saved for it and
// the paper and orientation of its pages; every failure is told in Chinese
// by its true cause; and a server that hangs (stopped with SIGSTOP) leaves
// the windows answering, 取消 working while the printer is looked up, and
// the user told what became of the job that was being handed over.
#include "e2e/support/printserver.h"
#include "e2e/support/realinput.h"
#include "e2e/support/screen.h"
#include "e2e/support/screenreaderprobe.h"
#include "e2e/support/userscript.h"
#include "platform/pagedreport.h"
#include "platform/printsink.h"
#include "platform/progresswindow.h"
#include "platform/reportpreview.h"
#include "platform/rowsinmemory.h"
#include "registers/listreport.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::report;
using namespace kelm::test;

namespace {

// A server that does not answer is given up after this long here; a
// hand-off, which the test lets go on within it, after longer.
constexpr int limitMs = 3000;
constexpr int handOffMs = 8000;

// A list on A4: of a few pages, or long enough that drawing it takes a
// while.
std::unique_ptr<PageSource> list(QPageLayout::Orientation orientation = QPageLayout::Portrait, int rows = 60)
{
    ListReportDesign design{u"test"_s, u"单位查询列表"_s, u"单位查询列表"_s,
                            {{u"编号"_s, u"no"_s, 75, 915}, {u"单位名称"_s, u"name"_s, 1080, 4395}},
                            {30, 1035, 5520}, {30, 1035, 5520}, {}};
    Rows r;
    r.columns = {u"no"_s, u"name"_s};
    for (int i = 1; i <= rows; ++i)
        r.values.push_back({QString::number(i), u"城关饭店%1"_s.arg(i)});
    auto source = std::make_shared<RowsInMemory>(std::move(r));
    ReportLayout layout = listReportLayout(design);
    layout.page.orientation = orientation;
    return std::make_unique<PagedReport>(layout, source, *paginate(layout, *source));
}

// Pages that note whether the last one was asked for: the preview shows
// the first ones only, so only a print asks for it.
class LastPageWatched : public PageSource {
public:
    explicit LastPageWatched(std::unique_ptr<PageSource> pages) : m_pages(std::move(pages)) { }
    QString caption() const override { return m_pages->caption(); }
    PageSetup paper() const override { return m_pages->paper(); }
    int pageCount() const override { return m_pages->pageCount(); }
    Page page(int n) override
    {
        if (n == pageCount() - 1)
            lastAskedFor = true;
        return m_pages->page(n);
    }
    bool lastAskedFor = false;

private:
    std::unique_ptr<PageSource> m_pages;
};

// The preview of the pages, shown as the active window.
void showActive(ReportPreview &preview)
{
    preview.setObjectName(u"preview"_s);
    preview.show();
    preview.activateWindow();
}

// Steps: 打印 in the preview.
void clickPrint(UserScript &s, ReportPreview &preview)
{
    s.await(u"the preview is active"_s, [] { return isActive(u"preview"_s); })
        .act(u"打印"_s, [&preview] { real::click(preview.printButton()); });
}

// Prints go to the print system's queue, given up after limit ms.
void printToTheSystem(int limit)
{
    setPrintSink(std::make_unique<PrinterSink>(std::shared_ptr<PrintQueue>(systemQueue(limit))));
}

// Steps: a screen reader listens to the idle program, then 打印 in the
// preview.
void listenThenPrint(UserScript &s, ReportPreview &preview, ScreenReaderProbe &idle)
{
    listenWhileIdle(s, idle);
    clickPrint(s, preview);
}

// The progress window shows this stage, 取消 on.
bool showsStage(const QString &text)
{
    return progressWindow() && progressWindow()->stageLabel()->text() == text
        && progressWindow()->cancelButton()->isEnabled();
}

QMessageBox *failureMessage()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible()
            && box->text().startsWith(u"打印失败："_s))
            return box;
    return nullptr;
}

// Names the destination in the environment as "LPDEST=…" or "PRINTER=…";
// empty: neither is set.
void nameInEnvironment(const QString &assignment)
{
    qunsetenv("LPDEST");
    qunsetenv("PRINTER");
    if (!assignment.isEmpty())
        qputenv(assignment.section(u'=', 0, 0).toUtf8().constData(), assignment.section(u'=', 1).toUtf8());
}

// The jobs of the server that carry a document, which a printer could
// print; a job whose document never came cannot.
qsizetype printable(const QList<PrintServer::Job> &jobs)
{
    return std::count_if(jobs.cbegin(), jobs.cend(), [](const PrintServer::Job &job) {
        return job.value(u"number-of-documents"_s).toInt() > 0;
    });
}

QByteArray described(const PrintServer::Job &job)
{
    QStringList all;
    for (auto a = job.cbegin(); a != job.cend(); ++a)
        all << a.key() + u'=' + a.value();
    return all.join(u' ').toUtf8();
}

} // namespace

class TestPrintSystemRound : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void jobGoesWhereThePrintSystemSays_data();
    void jobGoesWhereThePrintSystemSays();
    void failuresToldByTheirCause_data();
    void failuresToldByTheirCause();
    void cancelWhileAStoppedServerIsAsked();
    void stoppedServerDuringTheHandOff_data();
    void stoppedServerDuringTheHandOff();
    void jobWithoutItsDocumentIsCancelled();

private:
    std::unique_ptr<PrintServer> m_server;
};

void TestPrintSystemRound::initTestCase()
{
    m_server = std::make_unique<PrintServer>(
        QList<PrintServer::Printer>{{u"P"_s, true, true}, {u"Q"_s}, {u"Closed"_s, false}});
    QVERIFY2(m_server->failure().isEmpty(), qPrintable(m_server->failure()));
}

void TestPrintSystemRound::init()
{
    m_server->use();
    m_server->saveUserOptions({});
    nameInEnvironment({});
}

void TestPrintSystemRound::cleanup()
{
    m_server->resume();
    m_server->use();
    nameInEnvironment({});
    qunsetenv("CUPS_SERVERROOT");
    setPrintSink(nullptr);
}

// P is saved one-sided, its instance P/duplex two-sided on Letter and in
// the other orientation than the pages' (each in both of the print
// system's words for it), and it is the user's default; Q's
// instance Q/short is saved two-sided on the short edge. A job goes to the
// queue that the environment or the saved default names, with the options
// of the instance named, on the A4 and in the orientation of its pages.
void TestPrintSystemRound::jobGoesWhereThePrintSystemSays_data()
{
    QTest::addColumn<QString>("environment");
    QTest::addColumn<QPageLayout::Orientation>("pages");
    QTest::addColumn<QString>("printer");
    QTest::addColumn<QString>("sides");
    QTest::addColumn<QString>("sent");
    QTest::newRow("saved default instance, upright pages")
        << QString() << QPageLayout::Portrait << u"P"_s << u"two-sided-long-edge"_s << u"portrait"_s;
    QTest::newRow("saved default instance, pages laid across")
        << QString() << QPageLayout::Landscape << u"P"_s << u"two-sided-long-edge"_s << u"landscape"_s;
    QTest::newRow("LPDEST names a queue") << u"LPDEST=Q"_s << QPageLayout::Portrait << u"Q"_s << u"one-sided"_s
                                          << u"portrait"_s;
    QTest::newRow("LPDEST names a queue/instance")
        << u"LPDEST=Q/short"_s << QPageLayout::Portrait << u"Q"_s << u"two-sided-short-edge"_s << u"portrait"_s;
    QTest::newRow("PRINTER names a queue") << u"PRINTER=Q"_s << QPageLayout::Landscape << u"Q"_s << u"one-sided"_s
                                           << u"landscape"_s;
    QTest::newRow("PRINTER names a queue/instance")
        << u"PRINTER=Q/short"_s << QPageLayout::Portrait << u"Q"_s << u"two-sided-short-edge"_s << u"portrait"_s;
}

void TestPrintSystemRound::jobGoesWhereThePrintSystemSays()
{
    QFETCH(QString, environment);
    QFETCH(QPageLayout::Orientation, pages);
    QFETCH(QString, printer);
    QFETCH(QString, sides);
    QFETCH(QString, sent);
    const QString saved = pages == QPageLayout::Landscape ? u"3"_s : u"4"_s;
    m_server->saveUserOptions(
        u"Dest P sides=one-sided\n"
        "Default P/duplex sides=two-sided-long-edge media=Letter PageSize=Letter landscape "
        "orientation-requested=%1\n"
        "Dest Q/short sides=two-sided-short-edge orientation-requested=%1\n"_s.arg(saved));
    nameInEnvironment(environment);
    const int before = int(m_server->jobs().size());
    ReportPreview preview(list(pages));
    showActive(preview);
    UserScript s;
    clickPrint(s, preview);
    s.await(u"the server holds the job"_s, [&] { return m_server->jobs().size() == before + 1; }, 30000)
        .holds(u"no message"_s, [] { return !anyMessage(); }, 300);
    QVERIFY2(s.run(), qPrintable(s.failure()));
    const PrintServer::Job job = m_server->jobs().value(before);
    QVERIFY2(job.value(u"job-printer-uri"_s).endsWith(u"/printers/"_s + printer), described(job).constData());
    QVERIFY2(job.value(u"sides"_s, u"one-sided"_s) == sides, described(job).constData());
    QVERIFY2(job.value(u"media"_s).contains(u"a4"_s, Qt::CaseInsensitive), described(job).constData());
    QVERIFY2(job.value(u"orientation-requested"_s) == sent, described(job).constData());
    QVERIFY2(!job.contains(u"landscape"_s), described(job).constData());
    QVERIFY2(!job.contains(u"PageSize"_s), described(job).constData());
    QCOMPARE(job.value(u"job-name"_s), u"单位查询列表"_s);
}

// Each failure names its true cause in Chinese, no Latin letter but in the
// printer's name, before any page is drawn, and nothing reaches a printer;
// where the print server is waited for, the windows answer meanwhile. A setup names the destination
// in the environment ("LPDEST=…", "PRINTER=…"), saves a line of the user's
// or the system's lpoptions ("user: …", "system: …"), or puts another print
// server in the test's place ("server: …").
void TestPrintSystemRound::failuresToldByTheirCause_data()
{
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<QString>("cause");
    QTest::addColumn<QString>("printer");
    QTest::addColumn<bool>("waited");
    QTest::newRow("saved default queue deleted")
        << QStringList{u"user: Default Gone"_s} << u"打印机 Gone 已不存在"_s << u"Gone"_s << false;
    QTest::newRow("system's saved default deleted")
        << QStringList{u"system: Default Gone/a"_s} << u"打印机 Gone/a 已不存在"_s << u"Gone/a"_s << false;
    QTest::newRow("LPDEST names a deleted queue")
        << QStringList{u"LPDEST=Gone"_s} << u"打印机 Gone 已不存在"_s << u"Gone"_s << false;
    QTest::newRow("PRINTER names a deleted queue/instance")
        << QStringList{u"PRINTER=Gone/a"_s} << u"打印机 Gone/a 已不存在"_s << u"Gone/a"_s << false;
    QTest::newRow("no default set")
        << QStringList{u"server: no default"_s} << u"没有设置默认打印机"_s << QString() << false;
    // The print system's commands take PRINTER=lp for no name at all.
    QTest::newRow("PRINTER=lp, no default set")
        << QStringList{u"PRINTER=lp"_s, u"server: no default"_s} << u"没有设置默认打印机"_s << QString() << false;
    QTest::newRow("printer takes no jobs")
        << QStringList{u"LPDEST=Closed"_s} << u"打印机 Closed 已停用，不接受打印任务"_s << u"Closed"_s << false;
    QTest::newRow("instance of a printer that takes no jobs")
        << QStringList{u"LPDEST=Closed/a"_s} << u"打印机 Closed/a 已停用，不接受打印任务"_s << u"Closed/a"_s << false;
    QTest::newRow("no print server on its port")
        << QStringList{u"server: closed port"_s} << u"无法连接打印服务"_s << QString() << false;
    QTest::newRow("no print server's socket")
        << QStringList{u"server: no socket"_s} << u"无法连接打印服务"_s << QString() << false;
    QTest::newRow("print server ends while asked")
        << QStringList{u"server: ends"_s} << u"无法连接打印服务"_s << QString() << true;
    QTest::newRow("print server never answers")
        << QStringList{u"server: silent"_s} << u"打印服务在 3 秒内没有回答"_s << QString() << true;
    QTest::newRow("print server stopped")
        << QStringList{u"server: stopped"_s} << u"打印服务在 3 秒内没有回答"_s << QString() << true;
}

void TestPrintSystemRound::failuresToldByTheirCause()
{
    QFETCH(QStringList, setup);
    QFETCH(QString, cause);
    QFETCH(QString, printer);
    QFETCH(bool, waited);
    SilentServer silent;
    QTemporaryDir noSocket;
    QTemporaryDir systemRoot;
    std::unique_ptr<PrintServer> other;
    const int jobsBefore = int(m_server->jobs().size());
    QString server;
    for (const QString &step : setup) {
        const QString value = step.section(u": "_s, 1);
        if (step.startsWith(u"user: "_s)) {
            m_server->saveUserOptions(value + u'\n');
        } else if (step.startsWith(u"system: "_s)) {
            QFile file(systemRoot.filePath(u"lpoptions"_s));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(value.toUtf8() + '\n') > 0);
            qputenv("CUPS_SERVERROOT", QFile::encodeName(systemRoot.path()));
        } else if (step.startsWith(u"server: "_s)) {
            server = value;
        } else {
            nameInEnvironment(step);
        }
    }
    if (server == u"closed port"_s) {
        useServer(u"127.0.0.1:%1"_s.arg(closedPort()));
    } else if (server == u"no socket"_s) {
        useServer(noSocket.filePath(u"cups.sock"_s));
    } else if (server == u"silent"_s) {
        useServer(silent.address());
    } else if (server == u"stopped"_s) {
        m_server->stop();
    } else if (server == u"no default"_s || server == u"ends"_s) {
        other = std::make_unique<PrintServer>(QList<PrintServer::Printer>{{u"P"_s}});
        QVERIFY2(other->failure().isEmpty(), qPrintable(other->failure()));
        if (server == u"ends"_s)
            other->stop();
    }
    printToTheSystem(limitMs);
    auto owned = std::make_unique<LastPageWatched>(list(QPageLayout::Portrait, 300));
    LastPageWatched &pages = *owned;
    ReportPreview preview(std::move(owned));
    showActive(preview);
    ScreenReaderProbe idle;
    ScreenReaderProbe busy;
    QString told;
    UserScript s;
    listenThenPrint(s, preview, idle);
    s.act(u"a screen reader asks meanwhile"_s, [&] { busy.start(); });
    if (server == u"ends"_s)
        s.await(u"the printer is being looked up"_s, [] { return showsStage(u"正在查找打印机……"_s); })
            .act(u"the print server ends"_s, [&] { other->end(); });
    // Well before the print system's own waits would end.
    s.await(u"the failure is told"_s, [] { return failureMessage() != nullptr; }, handOffLimitMs)
        .act(u"确定"_s, [&] {
            busy.stop();
            told = failureMessage()->text();
            real::click(messageButton(failureMessage(), u"确定"_s));
        })
        .await(u"the preview is active again"_s, [] { return isActive(u"preview"_s) && !anyMessage(); });
    const bool ran = s.run();
    m_server->resume();
    QVERIFY2(ran, qPrintable(s.failure()));
    QCOMPARE(told, u"打印失败：%1，打印任务没有送出。"_s.arg(cause));
    QVERIFY2(!QString(told).remove(printer).contains(QRegularExpression(u"[A-Za-z]"_s)), qPrintable(told));
    if (waited)
        QVERIFY2(answeredAsWhenIdle(idle, busy), qPrintable(idle.summary() + u"\n"_s + busy.summary()));
    QVERIFY2(!pages.lastAskedFor, "pages were drawn");
    QCOMPARE(int(m_server->jobs().size()), jobsBefore);
}

// With the print server stopped, the print waits for the printer to be
// looked up: the window says so with 取消 on from the first moment, goes on
// answering, and 取消 ends the print at once without a word; nothing
// reaches the server once it goes on.
void TestPrintSystemRound::cancelWhileAStoppedServerIsAsked()
{
    const int jobsBefore = int(m_server->jobs().size());
    m_server->stop();
    printToTheSystem(handOffLimitMs);
    ReportPreview preview(list());
    showActive(preview);
    ScreenReaderProbe idle;
    ScreenReaderProbe busy;
    UserScript s;
    listenThenPrint(s, preview, idle);
    s.act(u"a screen reader asks meanwhile"_s, [&] { busy.start(); })
        .await(u"the window looks for the printer, 取消 on"_s,
               [] { return showsStage(u"正在查找打印机……"_s); })
        .holds(u"it goes on looking"_s, [] { return showsStage(u"正在查找打印机……"_s); }, 1500)
        .act(u"取消"_s, [&] {
            busy.stop();
            real::click(progressWindow()->cancelButton());
        })
        // Long before the lookup's own limit.
        .await(u"the progress window has closed"_s, [] { return !progressWindow(); }, handOffLimitMs / 3)
        .holds(u"no message"_s, [] { return !anyMessage(); }, 300)
        .await(u"the preview is active again"_s, [] { return isActive(u"preview"_s); });
    const bool ran = s.run();
    m_server->resume();
    QVERIFY2(ran, qPrintable(s.failure()));
    QVERIFY2(answeredAsWhenIdle(idle, busy), qPrintable(idle.summary() + u"\n"_s + busy.summary()));
    QCOMPARE(int(m_server->jobs().size()), jobsBefore);
}

// The print server stops while the pages are drawn, so the hand-off waits;
// 取消 then is answered in the window ("正在送往打印机，不能取消"), which
// goes on answering. When the server goes on, the job is taken and the user
// is told that it went out; when it never answers, that it was not sent,
// and nothing a printer could print reaches the server when it goes on
// after all; when it ends, that the print server could not be reached.
void TestPrintSystemRound::stoppedServerDuringTheHandOff_data()
{
    QTest::addColumn<QString>("then");
    QTest::addColumn<QString>("told");
    QTest::addColumn<int>("printed");
    QTest::newRow("the server goes on") << u"goes on"_s << u"打印任务已送往打印机，不能再取消。"_s << 1;
    QTest::newRow("the server never answers") << u"stays"_s << serverSilent(handOffMs) << 0;
    QTest::newRow("the server ends during the hand-off")
        << u"ends"_s << u"打印失败：无法连接打印服务，打印任务没有送出。"_s << 0;
}

void TestPrintSystemRound::stoppedServerDuringTheHandOff()
{
    QFETCH(QString, then);
    QFETCH(QString, told);
    QFETCH(int, printed);
    const QString refused = u"正在送往打印机，不能取消"_s;
    const qsizetype printedBefore = printable(m_server->jobs());
    // A server that ends is one of the row's own, so the others go on.
    PrintServer *server = m_server.get();
    std::unique_ptr<PrintServer> own;
    if (then == u"ends"_s) {
        own = std::make_unique<PrintServer>(QList<PrintServer::Printer>{{u"P"_s, true, true}});
        QVERIFY2(own->failure().isEmpty(), qPrintable(own->failure()));
        server = own.get();
    }
    printToTheSystem(handOffMs);
    ReportPreview preview(list(QPageLayout::Portrait, 30000));
    showActive(preview);
    ScreenReaderProbe idle;
    ScreenReaderProbe busy;
    UserScript s;
    listenThenPrint(s, preview, idle);
    s.await(u"the pages are drawn"_s,
            [] { return progressWindow() && progressWindow()->stageLabel()->text().startsWith(u"正在打印"_s); },
            15000)
        .act(u"the print server stops"_s, [&] { server->stop(); })
        .await(u"the window shows the hand-off, 取消 on"_s, [] { return showsStage(u"正在送往打印机……"_s); },
               30000)
        .act(u"取消, and a screen reader asks"_s, [&] {
            busy.start();
            real::click(progressWindow()->cancelButton());
        })
        .await(u"the window says it cannot be cancelled"_s,
               [&] { return progressWindow() && progressWindow()->stageLabel()->text() == refused; })
        .holds(u"the hand-off goes on waiting"_s, [] { return progressWindow() != nullptr; }, 300);
    if (then == u"goes on"_s)
        s.act(u"the print server goes on"_s, [&] { server->resume(); });
    else if (then == u"ends"_s)
        s.act(u"the print server ends"_s, [&] { server->end(); });
    s.await(u"one message tells what became of the job"_s, [&] { return !progressWindow() && shownMessage(told); },
            handOffLimitMs)
        .act(u"确定"_s, [&] {
            busy.stop();
            real::click(messageButton(shownMessage(told), u"确定"_s));
        })
        .await(u"no other message; the preview is active again"_s,
               [] { return isActive(u"preview"_s) && !anyMessage(); });
    const bool ran = s.run();
    m_server->resume();
    QVERIFY2(ran, qPrintable(s.failure()));
    QVERIFY2(answeredAsWhenIdle(idle, busy), qPrintable(idle.summary() + u"\n"_s + busy.summary()));
    // A stopped server takes up what waited for it when it goes on, before
    // it answers anything asked later.
    QCOMPARE(printable(m_server->jobs()), printedBefore + printed);
}

// A job created whose document then cannot be sent (here its file has
// gone) is cancelled, not left waiting on the server, and the print is not
// taken for done.
void TestPrintSystemRound::jobWithoutItsDocumentIsCancelled()
{
    const int before = int(m_server->jobs().size());
    const std::unique_ptr<PrintQueue> queue = systemQueue(limitMs);
    QCOMPARE(queue->find(), QString());
    QTemporaryDir dir;
    const QString told = queue->submit(dir.filePath(u"gone.pdf"_s), u"单位查询列表"_s, list()->paper());
    QVERIFY2(told.startsWith(u"打印失败："_s), qPrintable(told));
    const QList<PrintServer::Job> jobs = m_server->jobs();
    QCOMPARE(int(jobs.size()), before + 1);
    QVERIFY2(jobs.last().value(u"job-state"_s) == u"canceled"_s, described(jobs.last()).constData());
}

QTEST_MAIN(TestPrintSystemRound)
#include "tst_printsystemround.moc"
