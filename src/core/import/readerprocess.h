// The reader program running as a child process, its standard output a pipe
// to this one. Whatever happens to the reading, the child is killed and
// reaped when this object goes (a receiver that throws, a cancel, a hang).
#pragma once

#include <QString>

#include <chrono>
#include <sys/types.h>

namespace kelm::jet {

class ReaderProcess {
public:
    ReaderProcess() = default;
    ~ReaderProcess();
    ReaderProcess(const ReaderProcess &) = delete;
    ReaderProcess &operator=(const ReaderProcess &) = delete;

    // Starts program FILE; returns 0, or the errno that kept it from
    // starting (a missing program: ENOENT).
    int start(const QString &program, const QString &file);

    enum class Output { Data, Quiet, Closed };
    // Waits at most wait for output and reads what there is, up to size
    // bytes, into buffer; got tells how much.
    Output read(char *buffer, qsizetype size, std::chrono::milliseconds wait, qsizetype &got);

    struct Ending {
        bool exited = false; // on its own, with code
        int code = 0;
    };
    // After the output closed: waits at most wait for the child to end, and
    // kills it if it has not.
    Ending finish(std::chrono::milliseconds wait);
    void kill();

private:
    void reap(std::chrono::milliseconds wait, Ending *ending);

    pid_t m_pid = -1;
    int m_output = -1;
};

} // namespace kelm::jet
