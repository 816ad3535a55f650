#include "platform/integritycheck.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace kelm {

namespace {

struct Part {
    enum Kind { WholeFile, Table, Everything } kind = WholeFile;
    std::string table; // of a Table part
};

class ParallelCheck {
public:
    ParallelCheck(std::string path, std::vector<Part> parts) : m_path(std::move(path)), m_parts(std::move(parts)) { }

    IntegrityResult run(Progress &progress, const QString &stage, int connections)
    {
        progress.stage(stage, qint64(m_parts.size()), true);
        const std::size_t count = std::min(m_parts.size(), std::size_t(std::max(1, connections)));
        m_running = count;
        std::vector<std::thread> workers;
        for (std::size_t i = 0; i < count; ++i)
            workers.emplace_back([this] { work(); });
        // The progress is told and asked on the caller's thread alone.
        for (bool running = true; running;) {
            std::size_t done = 0;
            {
                std::unique_lock lock(m_mutex);
                m_changed.wait_for(lock, std::chrono::milliseconds(25));
                done = m_done;
                running = m_running > 0;
            }
            progress.advance(qint64(done));
            if (running && !m_stop && progress.cancelled()) {
                m_cancelled = true;
                m_stop = true;
            }
            // Again until every part has ended: a statement that began just
            // before the stop forgets an earlier interrupt.
            if (m_stop)
                interruptAll();
        }
        for (std::thread &w : workers)
            w.join();
        if (m_cancelled)
            return {Integrity::Cancelled};
        if (m_damaged)
            return {Integrity::Damaged};
        if (m_failure.errorCode != 0)
            return m_failure;
        return {Integrity::Whole};
    }

private:
    void work()
    {
        try {
            SQLite::Database file(m_path, SQLite::OPEN_READONLY);
            sqlite3 *db = file.getHandle();
            setOpen(db, true);
            try {
                SQLite::Statement whole(file, "PRAGMA quick_check");
                SQLite::Statement table(file, "SELECT * FROM pragma_integrity_check(?)");
                SQLite::Statement everything(file, "PRAGMA integrity_check");
                for (std::size_t i = m_next++; i < m_parts.size() && !m_stop; i = m_next++) {
                    const Part &part = m_parts[i];
                    SQLite::Statement &check = part.kind == Part::WholeFile ? whole
                        : part.kind == Part::Table                          ? table
                                                                            : everything;
                    if (part.kind == Part::Table)
                        table.bind(1, part.table);
                    // One row "ok", or a row for each fault found.
                    const bool ok = check.executeStep() && check.getColumn(0).getString() == "ok" && !check.executeStep();
                    check.reset();
                    const std::lock_guard lock(m_mutex);
                    if (!ok) {
                        m_damaged = true;
                        m_stop = true;
                        break;
                    }
                    ++m_done;
                    m_changed.notify_all();
                }
            } catch (const SQLite::Exception &e) {
                failed(e.getErrorCode(), sqlite3_system_errno(db));
            }
            setOpen(db, false);
        } catch (const SQLite::Exception &e) {
            failed(e.getErrorCode(), 0);
        }
        const std::lock_guard lock(m_mutex);
        --m_running;
        m_changed.notify_all();
    }

    void interruptAll()
    {
        const std::lock_guard lock(m_mutex);
        for (sqlite3 *db : m_open)
            sqlite3_interrupt(db);
    }

    // A connection is interrupted only while it is open.
    void setOpen(sqlite3 *db, bool open)
    {
        const std::lock_guard lock(m_mutex);
        if (open)
            m_open.insert(db);
        else
            m_open.erase(db);
    }

    // The first failure is told, unless the check was cancelled or found
    // damage (and then interrupted the other parts).
    void failed(int code, int systemError)
    {
        const std::lock_guard lock(m_mutex);
        if (m_failure.errorCode == 0)
            m_failure = {Integrity::Failed, code, systemError};
        m_stop = true;
    }

    const std::string m_path;
    const std::vector<Part> m_parts;
    std::atomic<std::size_t> m_next{0};
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::set<sqlite3 *> m_open;
    std::size_t m_running = 0;
    std::size_t m_done = 0;
    bool m_cancelled = false;
    bool m_damaged = false;
    IntegrityResult m_failure;
};

} // namespace

int defaultCheckConnections() { return std::clamp(int(std::thread::hardware_concurrency()), 1, 4); }

IntegrityResult checkIntegrity(const QString &path, Progress &progress, const QString &stage, int connections)
{
    const std::string file = path.toStdString();
    // On one connection the parts in turn read the file more than the full
    // check does: the full check it is.
    if (connections <= 1)
        return ParallelCheck(file, {{Part::Everything, {}}}).run(progress, stage, 1);
    // The whole-file part first: it takes longest.
    std::vector<Part> parts{{Part::WholeFile, {}}};
    try {
        SQLite::Database schema(file, SQLite::OPEN_READONLY);
        SQLite::Statement tables(schema, "SELECT name FROM sqlite_schema WHERE type = 'table'");
        while (tables.executeStep())
            parts.push_back({Part::Table, tables.getColumn(0).getString()});
    } catch (const SQLite::Exception &e) {
        return {Integrity::Failed, e.getErrorCode(), 0};
    }
    return ParallelCheck(file, std::move(parts)).run(progress, stage, connections);
}

} // namespace kelm
