#include "platform/printsink.h"

#include "platform/database.h"
#include "platform/messages.h"
#include "platform/modelpages.h"
#include "platform/pagepainter.h"
#include "platform/progressonscreen.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryFile>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

using namespace Qt::StringLiterals;

namespace kelm::report {

namespace {

std::unique_ptr<PrintSink> g_sink;

QPageLayout paperLayout(const PageSource &pages)
{
    return QPageLayout(QPageSize(pages.paper().paper), pages.paper().orientation, QMarginsF(0, 0, 0, 0));
}

// Draws every page, one laid out at a time, as a PDF at the printer's
// resolution into an open device. 取消 is heeded after each page, the last
// one included, so a cancel at any moment leaves no finished document.
PrintResult drawPdf(QFileDevice &out, PageSource &pages, Progress &progress, const QString &failure)
{
    QPdfWriter writer(&out);
    writer.setResolution(1200);
    writer.setTitle(pages.caption());
    writer.setCreator(u"Kelm"_s);
    writer.setPageLayout(paperLayout(pages));
    const int count = pages.pageCount();
    progress.stage(u"正在打印……"_s, count, true);
    QPainter painter;
    if (!painter.begin(&writer))
        return {failure};
    try {
        for (int i = 0; i < count; ++i) {
            if (i > 0 && !writer.newPage())
                return {failure};
            paintPage(painter, pages.page(i), writer.logicalDpiY());
            progress.advance(i + 1);
            if (progress.cancelled())
                return {{}, true};
        }
    } catch (const DbError &e) {
        return {e.message()};
    }
    if (!painter.end() || out.error() != QFileDevice::NoError)
        return {failure};
    return {};
}

// Runs work on a thread of its own and reports progress every few
// milliseconds meanwhile, each report taking the events that wait, so that
// the windows and a screen reader are answered while the print system takes
// its time. Returns the work's answer; nothing when giveUp() says that
// nobody waits for it any more, and then the work goes on to its own end
// unwatched, owning what it uses.
std::optional<QString> aside(std::function<QString()> work, Progress &progress, const std::function<bool()> &giveUp)
{
    struct Answer {
        std::mutex mutex;
        std::condition_variable ended;
        bool done = false;
        QString text;
    };
    const auto answer = std::make_shared<Answer>();
    std::thread worker([answer, work = std::move(work)] {
        QString text = work();
        const std::lock_guard lock(answer->mutex);
        answer->text = std::move(text);
        answer->done = true;
        answer->ended.notify_all();
    });
    std::unique_lock lock(answer->mutex);
    while (!answer->ended.wait_for(lock, std::chrono::milliseconds(2), [&] { return answer->done; })) {
        lock.unlock();
        progress.advance(0);
        if (giveUp()) {
            worker.detach();
            return std::nullopt;
        }
        lock.lock();
    }
    lock.unlock();
    worker.join();
    return answer->text;
}

// The queue's own limit ends a lookup first, saying why; this one holds
// where the print system blocks beyond it (a name server that does not
// answer).
constexpr int lookUpGraceMs = 1000;

} // namespace

PrintResult PrinterSink::print(PageSource &pages, Progress &progress)
{
    const std::shared_ptr<PrintQueue> queue = m_queue ? m_queue : std::shared_ptr<PrintQueue>(systemQueue());
    // Nothing is drawn or sent yet: 取消 stops the print at once.
    progress.stage(u"正在查找打印机……"_s, 0, true);
    const QDeadlineTimer limit(m_lookUpLimitMs + lookUpGraceMs);
    const std::optional<QString> found =
        aside([queue] { return queue->find(); }, progress,
              [&] { return progress.cancelled() || limit.hasExpired(); });
    if (progress.cancelled())
        return {{}, true};
    if (!found)
        return {serverSilent(m_lookUpLimitMs)};
    if (!found->isEmpty())
        return {*found};
    QTemporaryFile spool(QDir::tempPath() + u"/kelm-XXXXXX.pdf"_s);
    const QString failure = u"打印失败：无法写入临时文件 %1。"_s.arg(spool.fileTemplate());
    if (!spool.open())
        return {failure};
    const PrintResult drawn = drawPdf(spool, pages, progress, failure);
    if (!drawn.ok())
        return drawn;
    if (!spool.flush())
        return {failure};
    // From here on the print goes out: a cancel made before it still
    // counts, one after it is refused, and the hand-off is waited for to
    // its end, so that the user is told what became of the job.
    progress.stage(u"正在送往打印机……"_s, 0, false);
    if (progress.cancelled())
        return {{}, true};
    const QString path = spool.fileName();
    const QString title = pages.caption();
    const PageSetup paper = pages.paper();
    return {*aside([&] { return queue->submit(path, title, paper); }, progress, [] { return false; })};
}

PrintResult PdfSink::print(PageSource &pages, Progress &progress) { return writePdf(pages, m_path, progress); }

PrintResult writePdf(PageSource &pages, const QString &path, Progress &progress)
{
    const QString failure = u"无法写入文件 %1。"_s.arg(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {failure};
    const PrintResult result = drawPdf(file, pages, progress, failure);
    file.close();
    // An unfinished file is no print.
    if (!result.ok())
        file.remove();
    return result;
}

PrintResult writePdf(const PageModel &model, const QString &path)
{
    ModelPages pages(model);
    return writePdf(pages, path);
}

PrintSink &printSink()
{
    if (!g_sink)
        g_sink = std::make_unique<PrinterSink>();
    return *g_sink;
}

void setPrintSink(std::unique_ptr<PrintSink> sink) { g_sink = std::move(sink); }

bool printPages(QWidget *parent, PageSource &pages)
{
    const QString refusal = u"正在送往打印机，不能取消"_s;
    PrintResult result;
    bool refused = false;
    {
        ProgressOnScreen progress(parent, pages.caption() + u"打印"_s, refusal);
        result = printSink().print(pages, progress);
        refused = progress.cancelRefused();
    }
    if (!result.error.isEmpty())
        showError(parent, result.error);
    else if (refused)
        inform(parent, u"打印任务已送往打印机，不能再取消。"_s, {}, Icon::Information);
    return result.ok();
}

bool printPages(QWidget *parent, const PageModel &model)
{
    ModelPages pages(model);
    return printPages(parent, pages);
}

} // namespace kelm::report
