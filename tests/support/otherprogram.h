// Another program on a database file, such as a database tool: a process
// of its own, on the engine alone, that holds the file open, or holds its
// write lock in a save under way, until it is stopped or killed. What this
// program does meanwhile is told by that process's name. (A save of this
// program's own, killed inside, is support/saveunderway.h.)
#pragma once

#include <QProcess>
#include <QString>

namespace kelm::test {

class OtherProgram {
public:
    enum class Hold {
        Open,      // the file open, nothing more
        Write,     // a save under way, its pages still in memory
        Exclusive, // the same, readers kept out too
    };

    // Returns once the program holds the file; holding() tells whether it
    // does.
    OtherProgram(const QString &path, Hold hold);
    ~OtherProgram();
    OtherProgram(const OtherProgram &) = delete;
    OtherProgram &operator=(const OtherProgram &) = delete;

    bool holding() const { return m_holding; }
    qint64 pid() const { return m_process.processId(); }
    // The program's name as the system knows it.
    static QString name();

    // Ends its save and lets go of the file.
    void stop();
    // Kills it where it stands, as a crash would.
    void kill();

private:
    QProcess m_process;
    bool m_holding = false;
};

} // namespace kelm::test
