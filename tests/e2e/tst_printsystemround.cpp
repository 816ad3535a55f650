// Printing to the print system on the real event path, against print
// servers of the test's own: a job goes to the default destination the
// user saved, an instance of a printer included, with the options saved for
// it and the paper and orientation of its pages; every refusal of the print
// system is told in Chinese by its cause, and a server that never answers
// is given up in time while the windows go on answering.
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

#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::report;
using namespace kelm::test;

namespace {

// A list of a few pages on A4.
std::unique_ptr<PageSource> shortList(QPageLayout::Orientation orientation = QPageLayout::Portrait)
{
    ListReportDesign design{u"test"_s, u"单位查询列表"_s, u"单位查询列表"_s,
                            {{u"编号"_s, u"no"_s, 75, 915}, {u"单位名称"_s, u"name"_s, 1080, 4395}},
                            {30, 1035, 5520}, {30, 1035, 5520}, {}};
    Rows r;
    r.columns = {u"no"_s, u"name"_s};
    for (int i = 1; i <= 60; ++i)
        r.values.push_back({QString::number(i), u"城关饭店%1"_s.arg(i)});
    auto source = std::make_shared<RowsInMemory>(std::move(r));
    ReportLayout layout = listReportLayout(design);
    layout.page.orientation = orientation;
    return std::make_unique<PagedReport>(layout, source, *paginate(layout, *source));
}

// Steps: 打印 in the preview.
void clickPrint(UserScript &s, ReportPreview &preview)
{
    s.await(u"the preview is active"_s, [] { return isActive(u"preview"_s); })
        .act(u"打印"_s, [&preview] { real::click(preview.printButton()); });
}

QMessageBox *failureMessage()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible()
            && box->text().startsWith(u"打印失败："_s))
            return box;
    return nullptr;
}

} // namespace

class TestPrintSystemRound : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void jobCarriesTheSavedOptions_data();
    void jobCarriesTheSavedOptions();
    void refusalsToldInChinese_data();
    void refusalsToldInChinese();

private:
    std::unique_ptr<PrintServer> m_server;
};

void TestPrintSystemRound::initTestCase()
{
    m_server = std::make_unique<PrintServer>(
        QList<PrintServer::Printer>{{u"P"_s, true}, {u"Closed"_s, false}});
    QVERIFY2(m_server->failure().isEmpty(), qPrintable(m_server->failure()));
}

// The user's default is an instance of P saved as two-sided, on Letter and
// in the other orientation than the pages'; P itself is saved one-sided.
// The job goes to P two-sided as the instance says, on the A4 and in the
// orientation of its pages.
void TestPrintSystemRound::jobCarriesTheSavedOptions_data()
{
    QTest::addColumn<QPageLayout::Orientation>("pages");
    QTest::addColumn<QString>("saved");
    QTest::addColumn<QString>("sent");
    QTest::newRow("upright pages") << QPageLayout::Portrait << u"4"_s << u"portrait"_s;
    QTest::newRow("pages laid across") << QPageLayout::Landscape << u"3"_s << u"landscape"_s;
}

void TestPrintSystemRound::jobCarriesTheSavedOptions()
{
    QFETCH(QPageLayout::Orientation, pages);
    QFETCH(QString, saved);
    QFETCH(QString, sent);
    m_server->saveUserOptions(u"Dest P sides=one-sided\n"
                              "Default P/duplex sides=two-sided-long-edge media=Letter orientation-requested=%1\n"_s
                                  .arg(saved));
    QCOMPARE(QPrinterInfo::defaultPrinter().printerName(), u"P/duplex"_s);
    const int before = int(m_server->jobs().size());
    setPrintSink(nullptr);
    ReportPreview preview(shortList(pages));
    preview.setObjectName(u"preview"_s);
    preview.show();
    preview.activateWindow();
    UserScript s;
    clickPrint(s, preview);
    s.await(u"the server holds the job"_s, [&] { return m_server->jobs().size() == before + 1; }, 30000)
        .holds(u"no message"_s, [] { return !anyMessage(); }, 300);
    QVERIFY2(s.run(), qPrintable(s.failure()));
    const PrintServer::Job job = m_server->jobs().value(before);
    QStringList all;
    for (auto a = job.cbegin(); a != job.cend(); ++a)
        all << a.key() + u'=' + a.value();
    const QByteArray described = all.join(u' ').toUtf8();
    QVERIFY2(job.value(u"job-printer-uri"_s).endsWith(u"/printers/P"_s), described.constData());
    QVERIFY2(job.value(u"sides"_s) == u"two-sided-long-edge"_s, described.constData());
    QVERIFY2(job.value(u"media"_s).contains(u"a4"_s, Qt::CaseInsensitive), described.constData());
    QVERIFY2(job.value(u"orientation-requested"_s) == sent, described.constData());
    QVERIFY2(!job.contains(u"landscape"_s), described.constData());
    QCOMPARE(job.value(u"job-name"_s), u"单位查询列表"_s);
}

// Each refusal names its cause in Chinese: no Latin letter but in the
// printer's name.
void TestPrintSystemRound::refusalsToldInChinese_data()
{
    QTest::addColumn<QString>("destination");
    QTest::addColumn<QString>("server"); // empty: the test's print server
    QTest::addColumn<QString>("cause");
    QTest::newRow("printer gone") << u"Gone"_s << QString() << u"打印机 Gone 已不存在"_s;
    QTest::newRow("printer takes no jobs") << u"Closed"_s << QString() << u"打印机 Closed 已停用，不接受打印任务"_s;
    QTest::newRow("no print server runs") << u"P"_s << u"closed"_s << u"无法连接打印服务"_s;
    QTest::newRow("print server never answers") << u"P"_s << u"silent"_s << u"打印服务在 3 秒内没有回答"_s;
}

void TestPrintSystemRound::refusalsToldInChinese()
{
    QFETCH(QString, destination);
    QFETCH(QString, server);
    QFETCH(QString, cause);
    constexpr int limitMs = 3000;
    SilentServer silent;
    if (server == u"closed"_s)
        useServer(u"127.0.0.1:%1"_s.arg(closedPort()));
    else if (server == u"silent"_s)
        useServer(silent.address());
    const int jobsBefore = int(m_server->jobs().size());
    setPrintSink(std::make_unique<PrinterSink>(std::shared_ptr<PrintQueue>(systemQueue(destination, limitMs))));
    ReportPreview preview(shortList());
    preview.setObjectName(u"preview"_s);
    preview.show();
    preview.activateWindow();
    ScreenReaderProbe probe;
    QElapsedTimer clock;
    QString told;
    UserScript s;
    clickPrint(s, preview);
    s.act(u"a screen reader asks meanwhile"_s, [&] {
         clock.start();
         probe.start();
     })
        .await(u"the refusal"_s, [] { return failureMessage() != nullptr; }, limitMs + 10000)
        .act(u"确定"_s, [&] {
            probe.stop();
            told = failureMessage()->text();
            real::click(messageButton(failureMessage(), u"确定"_s));
        })
        .await(u"the preview is active again"_s, [] { return isActive(u"preview"_s) && !anyMessage(); });
    const bool ran = s.run();
    useServer(m_server->address());
    setPrintSink(nullptr);
    QVERIFY2(ran, qPrintable(s.failure()));
    QCOMPARE(told, u"打印失败：%1，打印任务没有送出。"_s.arg(cause));
    QVERIFY2(!QString(told).remove(destination).contains(QRegularExpression(u"[A-Za-z]"_s)), qPrintable(told));
    QVERIFY2(clock.elapsed() < limitMs + 5000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY2(probe.within(0.9) < 50, qPrintable(probe.summary()));
    QCOMPARE(int(m_server->jobs().size()), jobsBefore);
}

QTEST_MAIN(TestPrintSystemRound)
#include "tst_printsystemround.moc"
