#include "e2e/support/printserver.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTcpSocket>
#include <QThread>

#include <cups/cups.h>
#include <sys/prctl.h>

#include <csignal>

using namespace Qt::StringLiterals;

namespace kelm::test {

namespace {

const QString daemon = u"/usr/sbin/cupsd"_s;

bool write(const QString &path, const QString &text)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(text.toUtf8()) >= 0;
}

} // namespace

void useServer(const QString &address) { qputenv("CUPS_SERVER", address.toUtf8()); }

quint16 closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

PrintServer::PrintServer(const QList<Printer> &printers)
{
    if (!QFile::exists(daemon)) {
        m_failure = u"%1 is needed: scripts/deps.sh installs cups-daemon"_s.arg(daemon);
        return;
    }
    const QDir dir(m_dir.path());
    // The daemon runs as the user who starts it, root in CI; it refuses
    // folders that others cannot read when it serves root.
    QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                            | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    for (const QString &sub : {u"root"_s, u"spool"_s, u"cache"_s, u"state"_s, u"tmp"_s, u"log"_s, u"home/.cups"_s})
        dir.mkpath(sub);
    m_port = closedPort();
    QString files;
    const QList<std::pair<QString, QString>> places = {{u"ServerRoot"_s, u"root"_s},  {u"RequestRoot"_s, u"spool"_s},
                                                       {u"CacheDir"_s, u"cache"_s},    {u"StateDir"_s, u"state"_s},
                                                       {u"TempDir"_s, u"tmp"_s},       {u"ErrorLog"_s, u"log/error_log"_s},
                                                       {u"AccessLog"_s, u"log/access_log"_s},
                                                       {u"PageLog"_s, u"log/page_log"_s}};
    for (const auto &[key, place] : places)
        files += u"%1 %2\n"_s.arg(key, dir.filePath(place));
    files += u"FileDevice Yes\nSandboxing Relaxed\n"_s;
    const QString conf = u"Listen 127.0.0.1:%1\nLogLevel warn\nWebInterface No\nBrowsing Off\n"
                         "DefaultAuthType None\n<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                         "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n"_s.arg(m_port);
    // Stopped printers hold their jobs, so nothing is converted or sent on.
    QString list;
    for (const Printer &p : printers) {
        const QString kind = p.isDefault ? u"DefaultPrinter"_s : u"Printer"_s;
        list += u"<%1 %2>\nDeviceURI file:///dev/null\nState Stopped\nAccepting %3\nShared No\n</%1>\n"_s.arg(
            kind, p.name, p.accepting ? u"Yes"_s : u"No"_s);
    }
    if (!write(dir.filePath(u"root/cups-files.conf"_s), files) || !write(dir.filePath(u"root/cupsd.conf"_s), conf)
        || !write(dir.filePath(u"root/printers.conf"_s), list)) {
        m_failure = u"cannot write the print server's settings in "_s + m_dir.path();
        return;
    }
    m_daemon.setProcessChannelMode(QProcess::MergedChannels);
    // A test that dies takes its server with it.
    m_daemon.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_daemon.start(daemon, {u"-f"_s, u"-c"_s, dir.filePath(u"root/cupsd.conf"_s), u"-s"_s,
                            dir.filePath(u"root/cups-files.conf"_s)});
    const QDeadlineTimer ready(15000);
    for (;;) {
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, m_port);
        if (probe.waitForConnected(500))
            break;
        if (ready.hasExpired() || m_daemon.state() == QProcess::NotRunning) {
            QFile log(dir.filePath(u"log/error_log"_s));
            log.open(QIODevice::ReadOnly);
            m_failure = u"the print server did not start: "_s + QString::fromUtf8(m_daemon.readAll())
                + QString::fromUtf8(log.readAll());
            return;
        }
        QThread::msleep(50);
    }
    use();
}

PrintServer::~PrintServer()
{
    if (m_daemon.state() != QProcess::NotRunning) {
        resume();
        m_daemon.terminate();
        if (!m_daemon.waitForFinished(5000))
            m_daemon.kill();
        m_daemon.waitForFinished(5000);
    }
}

QString PrintServer::address() const { return u"127.0.0.1:%1"_s.arg(m_port); }

void PrintServer::use() const
{
    useServer(address());
    qputenv("HOME", QFile::encodeName(QDir(m_dir.path()).filePath(u"home"_s)));
}

void PrintServer::stop()
{
    if (m_daemon.state() != QProcess::NotRunning)
        ::kill(pid_t(m_daemon.processId()), SIGSTOP);
}

void PrintServer::resume()
{
    if (m_daemon.state() != QProcess::NotRunning)
        ::kill(pid_t(m_daemon.processId()), SIGCONT);
}

void PrintServer::end()
{
    m_daemon.kill();
    m_daemon.waitForFinished(5000);
}

void PrintServer::saveUserOptions(const QString &lines) const
{
    write(QDir(m_dir.path()).filePath(u"home/.cups/lpoptions"_s), lines);
}

QList<PrintServer::Job> PrintServer::jobs() const
{
    QList<Job> found;
    http_t *http = httpConnect2("127.0.0.1", m_port, nullptr, AF_INET, HTTP_ENCRYPTION_IF_REQUESTED, 1, 5000, nullptr);
    if (!http)
        return found;
    ipp_t *request = ippNewRequest(IPP_OP_GET_JOBS);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, "ipp://localhost/");
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "which-jobs", nullptr, "all");
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "all");
    ipp_t *response = cupsDoRequest(http, request, "/");
    Job job;
    for (ipp_attribute_t *a = ippFirstAttribute(response); a; a = ippNextAttribute(response)) {
        if (!ippGetName(a)) {
            if (!job.isEmpty())
                found.append(job);
            job.clear();
            continue;
        }
        if (ippGetGroupTag(a) != IPP_TAG_JOB)
            continue;
        char value[1024];
        ippAttributeString(a, value, sizeof value);
        job.insert(QString::fromUtf8(ippGetName(a)), QString::fromUtf8(value));
    }
    if (!job.isEmpty())
        found.append(job);
    ippDelete(response);
    httpClose(http);
    std::sort(found.begin(), found.end(),
              [](const Job &a, const Job &b) { return a.value(u"job-id"_s).toInt() < b.value(u"job-id"_s).toInt(); });
    return found;
}

SilentServer::SilentServer() { m_server.listen(QHostAddress::LocalHost); }

QString SilentServer::address() const { return u"127.0.0.1:%1"_s.arg(m_server.serverPort()); }

} // namespace kelm::test
