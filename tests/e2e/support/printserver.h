// Print servers of a test's own, on loopback addresses: the print system's
// daemon (cupsd, Debian's cups-daemon) in a temporary folder with printers
// that keep every job waiting, so a test reads what a job carries; and a
// server that takes connections and never answers.
//
// The print system reads where its server is (CUPS_SERVER) and the user's
// saved options (HOME/.cups/lpoptions) from the environment, once for each
// thread that uses it (a print uses threads of its own): use() and
// useServer() set them before a print.
#pragma once

#include <QHash>
#include <QList>
#include <QProcess>
#include <QString>
#include <QTcpServer>
#include <QTemporaryDir>

namespace kelm::test {

class PrintServer {
public:
    struct Printer {
        QString name;
        bool accepting = true;
        // The server's default destination.
        bool isDefault = false;
    };
    using Job = QHash<QString, QString>; // attribute name: value as text

    // Starts the daemon with these printers and use()s it.
    explicit PrintServer(const QList<Printer> &printers);
    ~PrintServer();
    PrintServer(const PrintServer &) = delete;
    PrintServer &operator=(const PrintServer &) = delete;

    // Why the server does not run; empty when it does.
    QString failure() const { return m_failure; }
    QString address() const;
    // Points the print system at this server and HOME at a home of its own.
    void use() const;
    // Stops the daemon where it is (SIGSTOP), as a server that hangs: it
    // still takes connections but answers nothing; resume() lets it go on.
    void stop();
    void resume();
    // Ends the daemon at once, a stopped one too.
    void end();
    // Writes the user's saved destinations and options (lines of lpoptions).
    void saveUserOptions(const QString &lines) const;
    // Every job the server holds, oldest first.
    QList<Job> jobs() const;

private:
    QTemporaryDir m_dir;
    QProcess m_daemon;
    quint16 m_port = 0;
    QString m_failure;
};

// Where the print system looks for its server from now on ("host:port").
void useServer(const QString &address);

// A free loopback port on which nothing listens.
quint16 closedPort();

// Takes connections and never answers, like a print server that hangs.
class SilentServer {
public:
    SilentServer();
    QString address() const;

private:
    QTcpServer m_server;
};

} // namespace kelm::test
