// Printing a filing document from its window: the print picture prints the
// window's own case on the default printer with no dialog; a printer that
// is missing or fails, a row that has gone and an unreadable table print
// nothing and say so; the PDF written through the printer back end reads
// back (poppler's pdftotext) as the form. Needs widgets and fonts.
#include "cases/documents/descriptions.h"
#include "cases/engine/description.h"
#include "cases/engine/documentwindow.h"
#include "data/appvalues.h"
#include "data/connection.h"
#include "platform/printsink.h"
#include "support/testdb.h"
#include "support/ui/recordingprinter.h"
#include "support/ui/scriptedmessages.h"

#include <QLabel>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;

namespace {

const QString caseNo = u"20020007"_s;
const QString otherCase = u"20020008"_s;

using Values = QList<QPair<QString, QString>>;

void seed(const QString &table, const Values &values, const QString &dabh = caseNo)
{
    db().insertRow(table, {u"dabh"_s}, {dabh});
    for (const auto &[column, value] : values)
        db().writeColumn(table, column, u"dabh"_s, dabh, value);
}

QString run(const QString &tool, const QStringList &args)
{
    QProcess p;
    p.start(QStandardPaths::findExecutable(tool), args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString withoutBlanks(QString s) { return s.remove(QRegularExpression(u"\\s"_s)); }

// A filled-in form: what is typed in the window, and the hand entries.
Values filled(int k)
{
    if (k == 2)
        return {{u"dsr"_s, u"城关饭店"_s},        {u"ajly"_s, u"群众举报"_s},
                {u"slsj"_s, u"2002年5月26日"_s},   {u"fadd"_s, u"5月25日晚"_s},
                {u"fasj"_s, u"城关镇东街"_s},      {u"aqzy1"_s, u"使用过期原料加工菜肴"_s},
                {u"aqzy4"_s, u"经现场检查属实"_s}, {u"wfxw1"_s, u"《食品卫生法》第九条"_s},
                {u"wfxw2"_s, u"第一款"_s},         {u"jbr"_s, u"经办签名"_s},
                {u"spyj"_s, u"同意立案"_s},        {u"lasj_y"_s, u"2002"_s},
                {u"lasj_m"_s, u"05"_s},            {u"lasj_d"_s, u"28"_s},
                {u"cbr1"_s, u"张三李四"_s},        {u"cbr2"_s, u"王五"_s},
                {u"fzr"_s, u"负责签名"_s},         {u"pbsj_y"_s, u"2002"_s},
                {u"pbsj_m"_s, u"06"_s},            {u"pbsj_d"_s, u"01"_s}};
    return {{u"ajly"_s, u"群众举报"_s},        {u"slsj"_s, u"2002年5月26日上午"_s},
            {u"afdw1"_s, u"城关饭店"_s},       {u"afdw2"_s, u"法定代表人赵六"_s},
            {u"nr1"_s, u"使用过期原料加工菜肴"_s}, {u"nr5"_s, u"请予立案调查"_s},
            {u"clyj1"_s, u"建议立案"_s},       {u"clyj3"_s, u"由食品科承办"_s},
            {u"jbr"_s, u"经办签名"_s},         {u"fzryj1"_s, u"同意"_s},
            {u"fzryj2"_s, u"立即调查"_s},      {u"fzrqm"_s, u"负责签名"_s},
            {u"sj_y"_s, u"2002"_s},            {u"sj_m"_s, u"05"_s},
            {u"sj_d"_s, u"27"_s}};
}

} // namespace

class TestDocumentPrinting : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void printsTheWindowsCase_data();
    void printsTheWindowsCase();
    void printsNothingAndSaysSo_data();
    void printsNothingAndSaysSo();
    void pdfReadBack_data();
    void pdfReadBack();

private:
    DocumentWindow *open(int k);
    void print() { QTest::mouseClick(m_window->printPicture(), Qt::LeftButton); }

    std::unique_ptr<test::TestDatabase> m_db;
    std::unique_ptr<DocumentWindow> m_window;
    test::ScriptedMessages *m_messages = nullptr;
    test::RecordingPrinter *m_printer = nullptr;
};

void TestDocumentPrinting::init()
{
    m_db = std::make_unique<test::TestDatabase>();
    m_messages = &test::ScriptedMessages::install();
    m_printer = &test::RecordingPrinter::install();
    app().caseNo = caseNo;
}

void TestDocumentPrinting::cleanup()
{
    m_window.reset();
    report::setPrintSink(nullptr);
    m_db.reset();
}

DocumentWindow *TestDocumentPrinting::open(int k)
{
    m_window = std::make_unique<DocumentWindow>(*documentDescription(k));
    m_window->show();
    m_window->activated();
    return m_window.get();
}

void TestDocumentPrinting::printsTheWindowsCase_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("column");
    QTest::newRow("立案报告") << 2 << u"dsr"_s;
    QTest::newRow("案件受理记录") << 1 << u"ajly"_s;
}

// Twice the same case, then another case through the same report: each
// print is the row its window shows, one page, no message.
void TestDocumentPrinting::printsTheWindowsCase()
{
    QFETCH(int, k);
    QFETCH(QString, column);
    const QString table = documentAt(k).table;
    seed(table, {{column, u"甲饭店"_s}});
    seed(table, {{column, u"乙饭店"_s}}, otherCase);

    open(k);
    app().caseNo = otherCase; // changed behind the window's back
    print();
    QCOMPARE(app().caseNo, caseNo);
    print();
    m_window.reset();
    app().caseNo = otherCase;
    open(k);
    print();

    QCOMPARE(m_printer->printed.size(), 3);
    const QString values[] = {u"甲饭店"_s, u"甲饭店"_s, u"乙饭店"_s};
    for (int i = 0; i < 3; ++i) {
        const report::PageModel &m = m_printer->printed[i];
        QCOMPARE(m.pageCount(), 1);
        QCOMPARE(m.caption, documentAt(k).windowCaption);
        QVERIFY2(m.texts(0).contains(values[i]), qPrintable(m.texts(0).join(u'|')));
    }
    QCOMPARE(m_printer->printed[0].texts(0), m_printer->printed[1].texts(0));
    QVERIFY(m_messages->shown.isEmpty());
}

void TestDocumentPrinting::printsNothingAndSaysSo_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("message");
    QTest::newRow("立案报告, no print server")
        << 2 << u"no server"_s << u"打印失败：无法连接打印服务，打印任务没有送出。"_s;
    QTest::newRow("案件受理记录, printer refuses")
        << 1 << u"refused"_s << u"打印失败：打印机 P 没有接受打印任务。"_s;
    QTest::newRow("立案报告, row gone") << 2 << u"row gone"_s << u"案件 20020007 没有立案报告的资料，没有打印。"_s;
    QTest::newRow("案件受理记录, row gone")
        << 1 << u"row gone"_s << u"案件 20020007 没有案件受理记录的资料，没有打印。"_s;
    QTest::newRow("案件受理记录, table unreadable") << 1 << u"no table"_s << QString();
}

void TestDocumentPrinting::printsNothingAndSaysSo()
{
    QFETCH(int, k);
    QFETCH(QString, fault);
    QFETCH(QString, message);
    const QString table = documentAt(k).table;
    seed(table, filled(k));
    open(k);
    const QByteArray server = qgetenv("CUPS_SERVER");
    const auto restore = qScopeGuard([&] { qputenv("CUPS_SERVER", server); });
    if (fault == u"no server"_s) {
        // The print server's socket is not there.
        qputenv("CUPS_SERVER", "/nonexistent/cups.sock");
        report::setPrintSink(std::make_unique<report::PrinterSink>());
    } else if (fault == u"refused"_s)
        m_printer->failure = u"打印失败：打印机 P 没有接受打印任务。"_s;
    else if (fault == u"row gone"_s)
        db().exec(u"DELETE FROM %1 WHERE dabh = ?"_s.arg(table), {caseNo});
    else
        db().exec(u"ALTER TABLE %1 RENAME TO gone"_s.arg(table));
    print();
    if (fault != u"no server"_s)
        QVERIFY(m_printer->printed.isEmpty());
    QCOMPARE(m_messages->shown.size(), 1);
    QCOMPARE(m_messages->shown[0].title, u"错误"_s);
    if (!message.isEmpty())
        QCOMPARE(m_messages->shown[0].text, message);
    QVERIFY(m_window->isVisible());
}

void TestDocumentPrinting::pdfReadBack_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QStringList>("inOrder");
    QTest::addColumn<QStringList>("absent");
    QTest::newRow("立案报告") << 2
                          << QStringList{u"卫  生  行  政  执  法  处  罚  文  书"_s,
                                         u"立  案  报  告"_s,
                                         u"当 事 人：城关饭店"_s,
                                         u"案件来源：群众举报"_s,
                                         u"受理时间：2002年5月26日"_s,
                                         u"发案时间：5月25日晚"_s,
                                         u"发案地点：城关镇东街"_s,
                                         u"案情摘要："_s,
                                         u"使用过期原料加工菜肴"_s,
                                         u"经现场检查属实"_s,
                                         u"经初步审查，当事人的行为违反了《食品卫生法》第九条"_s,
                                         u"第一款"_s,
                                         u"的规定，"_s,
                                         u"依法应当给予行政处罚，建议予以立案。"_s,
                                         u"经办人签名："_s,
                                         u"负责人审批意见："_s,
                                         u"本案自2002年05月28日起立案，由张三李四"_s,
                                         u"王五承办。"_s,
                                         u"Quessa区卫生局（盖章）"_s,
                                         u"负责人签名："_s,
                                         u"2002年06月01日"_s,
                                         u"中华人民共和国卫生部制定"_s}
                          << QStringList{u"经办签名"_s, u"同意立案"_s, u"负责签名"_s, caseNo};
    QTest::newRow("案件受理记录") << 1
                            << QStringList{u"卫  生  行  政  执  法  处  罚  文  书"_s,
                                           u"案 件 受 理 记 录"_s,
                                           u"案件来源：群众举报"_s,
                                           u"受理时间：2002年5月26日上午"_s,
                                           u"案发单位(人)：城关饭店"_s,
                                           u"法定代表人赵六"_s,
                                           u"内容："_s,
                                           u"使用过期原料加工菜肴"_s,
                                           u"请予立案调查"_s,
                                           u"处理意见："_s,
                                           u"建议立案"_s,
                                           u"由食品科承办"_s,
                                           u"经办人签名："_s,
                                           u"负责人意见："_s,
                                           u"同意"_s,
                                           u"立即调查"_s,
                                           u"Quessa区卫生局（盖章）"_s,
                                           u"负责人签名："_s,
                                           u"2002年05月27日"_s,
                                           u"中华人民共和国卫生部制定"_s}
                            << QStringList{u"经办签名"_s, u"负责签名"_s, caseNo};
}

// The window's print through the printer back end into a PDF file, read
// back by an independent tool: one A4 page with the form in reading order.
void TestDocumentPrinting::pdfReadBack()
{
    QFETCH(int, k);
    QFETCH(QStringList, inOrder);
    QFETCH(QStringList, absent);
    if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
        QFAIL("pdftotext (poppler-utils) is needed: scripts/deps.sh installs it");
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"form.pdf"_s);
    report::setPrintSink(std::make_unique<report::PdfSink>(pdf));
    db().insertRow(documentAt(k).table, {u"dabh"_s, documentAt(k).authorityColumn}, {caseNo, authorityText()});
    seed(documentAt(k).table, filled(k));
    open(k);
    print();
    QVERIFY(m_messages->shown.isEmpty());

    const QString info = run(u"pdfinfo"_s, {pdf});
    QVERIFY2(info.contains(QRegularExpression(u"Pages:\\s+1\\n"_s)), qPrintable(info));
    QVERIFY2(info.contains(QRegularExpression(u"Page size:\\s+595(\\.\\d+)? x 84[12](\\.\\d+)? pts \\(A4\\)"_s)),
             qPrintable(info));
    const QString text = withoutBlanks(run(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s}));
    qsizetype at = 0;
    for (const QString &t : inOrder) {
        const qsizetype found = text.indexOf(withoutBlanks(t), at);
        QVERIFY2(found >= 0, qPrintable(t + u" after "_s + text.mid(at, 40)));
        at = found + withoutBlanks(t).size();
    }
    for (const QString &t : absent)
        QVERIFY2(!text.contains(t), qPrintable(t));
}

QTEST_MAIN(TestDocumentPrinting)
#include "tst_documentprinting.moc"
