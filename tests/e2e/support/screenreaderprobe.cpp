#include "e2e/support/screenreaderprobe.h"

#include "e2e/support/userscript.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>

#include <algorithm>
#include <chrono>

using namespace Qt::StringLiterals;

namespace kelm::test {

namespace {
// A screen reader asks again soon after an answer while it reads a window.
constexpr auto pause = std::chrono::milliseconds(20);
} // namespace

ScreenReaderProbe::~ScreenReaderProbe() { stop(); }

void ScreenReaderProbe::start(std::function<quint64()> steps)
{
    m_stop = false;
    m_steps = std::move(steps);
    {
        const std::lock_guard lock(m_mutex);
        m_waits.clear();
        m_stepsWaited.clear();
    }
    m_clock.start();
    m_thread = std::thread([this] {
        while (!m_stop) {
            list();
            std::this_thread::sleep_for(pause);
        }
    });
}

void ScreenReaderProbe::stop()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
        ++m_calls;
        m_answered.notify_all();
    }
    if (m_thread.joinable()) {
        m_thread.join();
        m_ranMs = m_clock.elapsed();
    }
}

void ScreenReaderProbe::call(const std::function<void()> &read)
{
    std::unique_lock lock(m_mutex);
    const quint64 id = ++m_calls;
    m_pending = true;
    const quint64 stepAsked = m_steps ? m_steps() : 0;
    // A call that stop() gave up on finds another number when its event
    // comes, and reads nothing: its reader has gone.
    QMetaObject::invokeMethod(
        this,
        [this, read, id, stepAsked] {
            {
                const std::lock_guard current(m_mutex);
                if (m_stop || id != m_calls)
                    return;
            }
            read();
            const std::lock_guard answered(m_mutex);
            if (m_steps)
                m_stepsWaited.append(m_steps() - stepAsked);
            m_pending = false;
            m_answered.notify_all();
        },
        Qt::QueuedConnection);
    m_answered.wait(lock, [this] { return !m_pending || m_stop; });
}

void ScreenReaderProbe::list()
{
    QElapsedTimer clock;
    clock.start();
    const auto application = [] { return QAccessible::queryAccessibleInterface(qApp); };
    int windows = 0;
    call([&] { windows = application() ? application()->childCount() : 0; });
    QStringList read;
    for (int i = 0; i < windows && !m_stop; ++i) {
        const auto window = [&] { return application() ? application()->child(i) : nullptr; };
        call([&] { read << (window() ? window()->text(QAccessible::Name) : QString()); });
        call([&] { read << QString::number(window() ? int(window()->role()) : 0); });
    }
    if (m_stop)
        return;
    const std::lock_guard lock(m_mutex);
    m_waits.append(double(clock.nsecsElapsed()) / 1e6);
}

QList<double> ScreenReaderProbe::waits() const
{
    const std::lock_guard lock(m_mutex);
    return m_waits;
}

double ScreenReaderProbe::rate() const
{
    return m_ranMs > 0 ? double(waits().size()) * 1000.0 / double(m_ranMs) : 0.0;
}

QList<quint64> ScreenReaderProbe::stepsWaited() const
{
    const std::lock_guard lock(m_mutex);
    return m_stepsWaited;
}

double ScreenReaderProbe::within(double share) const
{
    QList<double> sorted = waits();
    if (sorted.isEmpty())
        return 0;
    std::sort(sorted.begin(), sorted.end());
    return sorted[std::min(sorted.size() - 1, qsizetype(share * double(sorted.size())))];
}

QString ScreenReaderProbe::summary() const
{
    const QList<double> all = waits();
    QStringList parts;
    for (double w : all)
        parts << QString::number(w, 'f', 1);
    QStringList steps;
    for (quint64 n : stepsWaited())
        steps << QString::number(n);
    return u"%1 listings, %2 a second, nine in ten answered within %3 ms, the slowest %4 ms: %5%6"_s
        .arg(all.size())
        .arg(rate(), 0, 'f', 1)
        .arg(within(0.9), 0, 'f', 1)
        .arg(within(1.0), 0, 'f', 1)
        .arg(parts.join(u' '), steps.isEmpty() ? QString() : u"; steps waited by each call: "_s + steps.join(u' '));
}

void listenWhileIdle(UserScript &script, ScreenReaderProbe &probe)
{
    script.act(u"a screen reader asks an idle program"_s, [&probe] { probe.start(); })
        .holds(u"nothing happens meanwhile"_s, [] { return true; }, 600)
        .act(u"the screen reader stops"_s, [&probe] { probe.stop(); });
}

bool answeredAsWhenIdle(const ScreenReaderProbe &idle, const ScreenReaderProbe &busy)
{
    return idle.rate() > 0 && busy.rate() >= idle.rate() / 4;
}

} // namespace kelm::test
