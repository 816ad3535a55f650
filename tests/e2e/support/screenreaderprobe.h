// How long a screen reader waits for the program. Each call of a screen
// reader reaches the program as an event posted to the GUI thread (the
// accessibility bridge takes it off the bus on a thread of its own), and
// is answered once the GUI thread has taken that event and read its
// accessible objects. The probe calls the same way, from a thread of its
// own, one call at a time, and times what a screen reader does first with a
// program: list its top-level windows, a call for how many there are, then
// one for each window's name and one for its role. The listing is asked
// for again a little after each answer.
//
// How well the program answers is told against the program itself: the
// rate of listings answered compared with that of the same probe while the
// program is idle, and for work in steps (pages) how many steps went by
// while a call waited; never against a fixed time, which a loaded machine
// exceeds.
#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace kelm::test {

class UserScript;

class ScreenReaderProbe : public QObject {
public:
    ScreenReaderProbe() = default;
    ~ScreenReaderProbe() override;

    // Both on the GUI thread. A start begins a new measurement; steps, when
    // given, counts the steps of the work watched (read from the probe's
    // thread).
    void start(std::function<quint64()> steps = {});
    void stop();
    // Milliseconds each listing took, in order.
    QList<double> waits() const;
    // Listings answered a second between start and stop.
    double rate() const;
    // For each call, how many steps of the work went by before it was
    // answered.
    QList<quint64> stepsWaited() const;
    // The longest wait of the fastest share of listings (0.9: nine in ten
    // were answered within it).
    double within(double share) const;
    // The waits, for a test's failure text.
    QString summary() const;

private:
    void list();
    // Posts the call to the GUI thread and waits for its answer.
    void call(const std::function<void()> &read);

    std::thread m_thread;
    std::function<quint64()> m_steps;
    QElapsedTimer m_clock;
    qint64 m_ranMs = 0;
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_mutex;
    std::condition_variable m_answered;
    bool m_pending = false;
    quint64 m_calls = 0;
    QList<double> m_waits;
    QList<quint64> m_stepsWaited;
};

// Steps: the probe listens for a while to a program that has nothing to do.
void listenWhileIdle(UserScript &script, ScreenReaderProbe &probe);
// Busy, the program answered at least a quarter as many listings a second
// as when idle (a window that does not take its events answers none).
bool answeredAsWhenIdle(const ScreenReaderProbe &idle, const ScreenReaderProbe &busy);

} // namespace kelm::test
