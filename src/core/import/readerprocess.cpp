#include "import/readerprocess.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char **environ;

namespace kelm::jet {

ReaderProcess::~ReaderProcess() { kill(); }

int ReaderProcess::start(const QString &program, const QString &file)
{
    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0)
        return errno;
    const QByteArray programName = QFile::encodeName(program);
    const QByteArray fileName = QFile::encodeName(file);
    char *argv[] = {const_cast<char *>(programName.constData()), const_cast<char *>(fileName.constData()), nullptr};

    // Only the pipe goes to the child: nothing to read, its messages
    // nowhere, no other descriptor of this program (the database among them).
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipe[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    // Signals as a new program has them, whatever this one ignores or blocks.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t mask;
    sigemptyset(&mask);
    posix_spawnattr_setsigmask(&attributes, &mask);
    sigfillset(&mask);
    posix_spawnattr_setsigdefault(&attributes, &mask);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    const int error = posix_spawn(&m_pid, programName.constData(), &actions, &attributes, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    ::close(pipe[1]);
    if (error != 0) {
        ::close(pipe[0]);
        m_pid = -1;
        return error;
    }
    m_output = pipe[0];
    return 0;
}

ReaderProcess::Output ReaderProcess::read(char *buffer, qsizetype size, std::chrono::milliseconds wait, qsizetype &got)
{
    got = 0;
    pollfd output{m_output, POLLIN, 0};
    const int ready = ::poll(&output, 1, int(wait.count()));
    if (ready == 0 || (ready < 0 && errno == EINTR))
        return Output::Quiet;
    if (ready < 0)
        return Output::Closed;
    ssize_t n;
    do
        n = ::read(m_output, buffer, size_t(size));
    while (n < 0 && errno == EINTR);
    if (n <= 0)
        return Output::Closed;
    got = n;
    return Output::Data;
}

ReaderProcess::Ending ReaderProcess::finish(std::chrono::milliseconds wait)
{
    Ending ending;
    reap(wait, &ending);
    return ending;
}

void ReaderProcess::kill() { reap(std::chrono::milliseconds(0), nullptr); }

void ReaderProcess::reap(std::chrono::milliseconds wait, Ending *ending)
{
    if (m_output >= 0) {
        ::close(m_output);
        m_output = -1;
    }
    if (m_pid <= 0)
        return;
    const auto deadline = std::chrono::steady_clock::now() + wait;
    bool killed = false;
    for (int pause = 1;; pause = std::min(pause * 2, 50)) {
        int status = 0;
        const pid_t done = ::waitpid(m_pid, &status, WNOHANG);
        if (done == m_pid || (done < 0 && errno != EINTR)) {
            if (ending && done == m_pid && !killed && WIFEXITED(status)) {
                ending->exited = true;
                ending->code = WEXITSTATUS(status);
            }
            m_pid = -1;
            return;
        }
        if (!killed && std::chrono::steady_clock::now() >= deadline) {
            ::kill(m_pid, SIGKILL);
            killed = true;
        } else if (killed && std::chrono::steady_clock::now() >= deadline + std::chrono::seconds(5)) {
            // Stuck in the kernel (a dead network folder): left to the system
            // rather than holding up the program.
            m_pid = -1;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(pause));
    }
}

} // namespace kelm::jet
