// How long a screen reader waits for the program. Each call of a screen
// reader reaches the program as an event posted to the GUI thread (the
// accessibility bridge takes it off the bus on a thread of its own), and
// is answered once the GUI thread has taken that event and read its
// accessible objects. The probe calls the same way, from a thread of its
// own, one call at a time, and times what a screen reader does first with a
// program: list its top-level windows, a call for how many there are, then
// one for each window's name and one for its role. The listing is asked
// for again a little after each answer.
#pragma once

#include <QList>
#include <QObject>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace kelm::test {

class ScreenReaderProbe : public QObject {
public:
    ScreenReaderProbe() = default;
    ~ScreenReaderProbe() override;

    // Both on the GUI thread.
    void start();
    void stop();
    // Milliseconds each listing took, in order.
    QList<double> waits() const;
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
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_mutex;
    std::condition_variable m_answered;
    bool m_pending = false;
    quint64 m_calls = 0;
    QList<double> m_waits;
};

} // namespace kelm::test
