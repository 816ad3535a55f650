#include "cases/statistics/statisticsrun.h"

#include "data/connection.h"
#include "platform/database.h"

#include <QPointer>
#include <QThreadPool>

#include <atomic>
#include <new>
#include <optional>

using namespace Qt::StringLiterals;

namespace kelm::statistics {

namespace {
QPointer<StatisticsRun> g_current;
}

struct StatisticsRun::Shared {
    std::atomic<bool> cancelled = false;
};

StatisticsRun::StatisticsRun() : m_shared(std::make_shared<Shared>()) { }

StatisticsRun *StatisticsRun::current() { return g_current; }

StatisticsRun *StatisticsRun::start(const QString &path, const QDate &start, const QDate &end)
{
    auto *run = new StatisticsRun;
    g_current = run;
    // The global pool is waited for when the application ends, so a run
    // that is still winding down then finishes before the program does.
    // The run object lives until the task's last message has arrived.
    QThreadPool::globalInstance()->start([run, shared = run->m_shared, path, start, end] {
        const auto post = [run](auto step) { QMetaObject::invokeMethod(run, step, Qt::QueuedConnection); };
        try {
            std::optional<PenaltyStatistics> result;
            {
                Database db(path, storedSchema());
                const Progress progress = [&post, run, &shared](int percent) {
                    post([run, percent] { emit run->progressed(percent); });
                    return !shared->cancelled;
                };
                result = computeStatistics(db, start, end, progress);
            }
            post([run, s = *result] { emit run->finished(s); });
        } catch (const Cancelled &) {
            // Nothing to tell: the window asked for it.
        } catch (const DbError &e) {
            post([run, message = e.message()] { emit run->failed(message); });
        } catch (const std::bad_alloc &) {
            post([run] { emit run->failed(failureText(DbFailure::OutOfMemory)); });
        } catch (const std::exception &) {
            // Its text is the library's, in English, and tells the user nothing.
            post([run] { emit run->failed(u"统计未能完成：程序内部出错。"_s); });
        }
        post([run] { run->end(); });
    });
    return run;
}

void StatisticsRun::cancel() { m_shared->cancelled = true; }

void StatisticsRun::end()
{
    if (g_current == this)
        g_current = nullptr;
    emit ended();
    deleteLater();
}

} // namespace kelm::statistics
