// Printing a long list from its preview on the real event path: a real
// click on 取消 in the print's progress window closes it and hands nothing
// to the printer's queue, while a print left alone reaches it whole; a
// page number typed into the page box and entered with the keyboard goes
// to that page, past the last to the last, 0 to the first.
#include "e2e/support/realinput.h"
#include "e2e/support/screen.h"
#include "e2e/support/userscript.h"
#include "platform/pagedreport.h"
#include "platform/pageview.h"
#include "platform/printsink.h"
#include "platform/progresswindow.h"
#include "platform/reportpreview.h"
#include "platform/rowsinmemory.h"
#include "registers/listreport.h"

#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::report;
using namespace kelm::test;

namespace {

// Keeps how many pages each print handed to it had: the spool file's
// pages, as a real queue would take them.
class CountingQueue : public PrintQueue {
public:
    QString printerName() const override { return u"P"_s; }
    QString submit(const QString &, const QString &, const PageSetup &) override
    {
        ++handed;
        return {};
    }
    int handed = 0;
};

// A list long enough that its print shows its progress for seconds.
std::unique_ptr<PageSource> longList(int rows)
{
    ListReportDesign design{u"test"_s, u"单位查询列表"_s, u"单位查询列表"_s,
                            {{u"编号"_s, u"no"_s, 75, 915}, {u"单位名称"_s, u"name"_s, 1080, 4395}},
                            {30, 1035, 5520}, {30, 1035, 5520}, {}};
    Rows r;
    r.columns = {u"no"_s, u"name"_s};
    for (int i = 1; i <= rows; ++i)
        r.values.push_back({QString::number(i), u"城关饭店%1"_s.arg(i)});
    auto source = std::make_shared<RowsInMemory>(std::move(r));
    const ReportLayout layout = listReportLayout(design);
    return std::make_unique<PagedReport>(layout, source, *paginate(layout, *source));
}

} // namespace

class TestPrintRound : public QObject {
    Q_OBJECT
private slots:
    void cancelledPrintReachesNoPrinter();
    void pageBoxTakesAnyNumber();
};

void TestPrintRound::cancelledPrintReachesNoPrinter()
{
    auto queue = std::make_shared<CountingQueue>();
    setPrintSink(std::make_unique<PrinterSink>(queue));
    ReportPreview preview(longList(30000));
    preview.setObjectName(u"preview"_s);
    preview.show();
    preview.activateWindow();
    UserScript s;
    s.await(u"the preview is active"_s, [] { return isActive(u"preview"_s); })
        .act(u"打印"_s, [&] { real::click(preview.printButton()); })
        .await(u"the progress window is printing"_s,
               [] { return progressWindow() && progressWindow()->stageLabel()->text().startsWith(u"正在打印"_s); },
               15000)
        .act(u"取消"_s, [] { real::click(progressWindow()->cancelButton()); })
        .await(u"the progress window has closed"_s, [] { return !progressWindow(); }, 15000)
        .holds(u"no message, nothing printed"_s, [&] { return !anyMessage() && queue->handed == 0; });
    QVERIFY2(s.run(), qPrintable(s.failure()));
    QCOMPARE(queue->handed, 0);
    setPrintSink(nullptr);
}

void TestPrintRound::pageBoxTakesAnyNumber()
{
    ReportPreview preview(longList(3000));
    preview.setObjectName(u"preview"_s);
    preview.resize(900, 700);
    preview.show();
    preview.activateWindow();
    const int last = preview.pages().pageCount() - 1;
    QVERIFY(last > 5 && last < 235);
    QSpinBox *box = preview.pageBox();
    auto enter = [box](const QString &typed) {
        real::click(box);
        real::key(Qt::Key_A, Qt::ControlModifier);
        real::type(typed);
        real::key(Qt::Key_Return);
    };
    auto at = [&preview](int page) { return preview.view()->currentPage() == page; };
    UserScript s;
    s.await(u"the preview is active"_s, [] { return isActive(u"preview"_s); })
        .act(u"4 and Enter"_s, [&] { enter(u"4"_s); })
        .await(u"page 4"_s, [&] { return at(3); })
        .act(u"236 and Enter"_s, [&] { enter(u"236"_s); })
        .await(u"the last page"_s, [&] { return at(last) && box->text() == QString::number(last + 1); })
        .act(u"0 and Enter"_s, [&] { enter(u"0"_s); })
        .await(u"the first page"_s, [&] { return at(0) && box->text() == u"1"_s; });
    QVERIFY2(s.run(), qPrintable(s.failure()));
}

QTEST_MAIN(TestPrintRound)
#include "tst_printround.moc"
