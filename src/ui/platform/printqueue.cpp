#include "platform/printqueue.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QPageSize>
#include <QScopeGuard>

#include <cups/cups.h>

#include <array>

using namespace Qt::StringLiterals;

namespace kelm::report {

namespace {

// Saved options that the pages decide: a print comes out on the paper and
// in the orientation it was laid out for.
constexpr std::array pageOptions = {"media", "media-col", "PageSize", "PageRegion", "landscape",
                                    "orientation-requested"};

bool decidedByPages(const char *name)
{
    for (const char *o : pageOptions)
        if (qstrcmp(o, name) == 0)
            return true;
    return false;
}

// Why the print system refused, by its status: its own texts are English.
QString refusal(ipp_status_t status, const QString &printer)
{
    switch (status) {
    case IPP_STATUS_ERROR_NOT_FOUND:
    case IPP_STATUS_ERROR_GONE: return u"打印机 %1 已不存在"_s.arg(printer);
    case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
    case IPP_STATUS_ERROR_PRINTER_IS_DEACTIVATED: return u"打印机 %1 已停用，不接受打印任务"_s.arg(printer);
    case IPP_STATUS_ERROR_FORBIDDEN:
    case IPP_STATUS_ERROR_NOT_AUTHENTICATED:
    case IPP_STATUS_ERROR_NOT_AUTHORIZED:
    case IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED: return u"没有使用打印机 %1 的权限"_s.arg(printer);
    case IPP_STATUS_ERROR_DOCUMENT_FORMAT_NOT_SUPPORTED:
    case IPP_STATUS_ERROR_DOCUMENT_FORMAT_ERROR:
    case IPP_STATUS_ERROR_DOCUMENT_UNPRINTABLE: return u"打印机 %1 不能打印这种文件"_s.arg(printer);
    case IPP_STATUS_ERROR_REQUEST_ENTITY: return u"打印文件太大，打印机 %1 不接受"_s.arg(printer);
    case IPP_STATUS_ERROR_TOO_MANY_JOBS:
    case IPP_STATUS_ERROR_TOO_MANY_DOCUMENTS:
    case IPP_STATUS_ERROR_BUSY:
    case IPP_STATUS_ERROR_TEMPORARY: return u"打印机 %1 正忙，暂时不接受打印任务"_s.arg(printer);
    case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE: return u"无法连接打印服务"_s;
    case IPP_STATUS_ERROR_CUPS_PKI:
    case IPP_STATUS_ERROR_CUPS_UPGRADE_REQUIRED: return u"无法与打印服务建立加密连接"_s;
    default: return u"打印系统拒绝了打印机 %1 的打印任务（代码 %2）"_s.arg(printer).arg(int(status));
    }
}

QString failed(const QString &cause) { return u"打印失败：%1，打印任务没有送出。"_s.arg(cause); }

// How long the requests of one talk with the server wait for it.
class Patience {
public:
    explicit Patience(int limitMs) : m_limitMs(limitMs), m_deadline(limitMs) { }

    // A connection to the print server whose requests give up in time;
    // null when none could be made.
    http_t *connect()
    {
        http_t *http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                    int(std::max<qint64>(m_deadline.remainingTime(), 1)), nullptr);
        if (http)
            httpSetTimeout(http, 0.25, keepWaiting, this);
        return http;
    }
    bool expired() const { return m_deadline.hasExpired(); }
    // Why the talk over http, which failed, had no answer from the server:
    // the server was silent too long or the connection broke; empty when
    // the server answered. Read before http is closed.
    QString unanswered(http_t *http) const
    {
        if (m_gaveUp)
            return serverSilent(m_limitMs);
        if (httpGetStatus(http) == HTTP_STATUS_ERROR)
            return failed(u"无法连接打印服务"_s);
        return {};
    }

private:
    // Asked whenever the server has been silent for a quarter of a second;
    // a transfer that goes on is never cut.
    static int keepWaiting(http_t *, void *data)
    {
        auto *self = static_cast<Patience *>(data);
        self->m_gaveUp = self->m_deadline.hasExpired();
        return !self->m_gaveUp;
    }

    int m_limitMs;
    QDeadlineTimer m_deadline;
    bool m_gaveUp = false;
};

// The destination that the environment or a saved default names, read in
// the print system's order, to say which one has gone when the print
// system finds none; empty when only the server could have named one.
QString namedDefault()
{
    if (qEnvironmentVariableIsSet("LPDEST"))
        return qEnvironmentVariable("LPDEST");
    if (qEnvironmentVariableIsSet("PRINTER") && qEnvironmentVariable("PRINTER") != u"lp"_s)
        return qEnvironmentVariable("PRINTER");
    const QStringList saved = {qEnvironmentVariable("HOME") + u"/.cups/lpoptions"_s,
                               qEnvironmentVariable("CUPS_SERVERROOT", u"/etc/cups"_s) + u"/lpoptions"_s};
    for (const QString &path : saved) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            continue;
        while (!file.atEnd()) {
            const QStringList words = QString::fromUtf8(file.readLine()).simplified().split(u' ');
            if (words.size() > 1 && words[0].compare(u"Default"_s, Qt::CaseInsensitive) == 0)
                return words[1];
        }
    }
    return {};
}

bool taken(ipp_status_t status) { return status <= IPP_STATUS_OK_CONFLICTING; }

// Why the last request failed; a failure on the way (a write that broke
// off) leaves no status of its own.
ipp_status_t lastFailure() { return taken(cupsLastError()) ? IPP_STATUS_ERROR_INTERNAL : cupsLastError(); }

// Creates the job and sends its document as one PDF over this connection
// alone (the print system's one-call print asks its own default connection
// about the destination, which waits a minute for a server that hangs). A
// job whose document does not arrive whole is cancelled. Returns the print
// system's answer.
ipp_status_t sendJob(http_t *http, cups_dest_t *dest, const QString &path, const QByteArray &title, int count,
                     cups_option_t *options)
{
    cups_dinfo_t *info = cupsCopyDestInfo(http, dest);
    if (!info)
        return lastFailure();
    const auto freeInfo = qScopeGuard([&] { cupsFreeDestInfo(info); });
    int job = 0;
    if (!taken(cupsCreateDestJob(http, dest, info, &job, title.constData(), count, options)) || job <= 0)
        return lastFailure();
    QFile file(path);
    http_status_t status = file.open(QIODevice::ReadOnly)
        ? cupsStartDestDocument(http, dest, info, job, title.constData(), CUPS_FORMAT_PDF, 0, nullptr, 1)
        : HTTP_STATUS_ERROR;
    while (status == HTTP_STATUS_CONTINUE && !file.atEnd()) {
        const QByteArray chunk = file.read(64 * 1024);
        status = chunk.isEmpty() ? HTTP_STATUS_ERROR
                                 : cupsWriteRequestData(http, chunk.constData(), size_t(chunk.size()));
    }
    if (status == HTTP_STATUS_CONTINUE && taken(cupsFinishDestDocument(http, dest, info)))
        return IPP_STATUS_OK;
    const ipp_status_t failure = lastFailure();
    cupsCancelDestJob(http, dest, job);
    return failure;
}

class CupsQueue : public PrintQueue {
public:
    explicit CupsQueue(int limitMs) : m_limitMs(limitMs) { }
    ~CupsQueue() override { cupsFreeDests(m_destCount, m_dest); }
    CupsQueue(const CupsQueue &) = delete;
    CupsQueue &operator=(const CupsQueue &) = delete;

    QString find() override
    {
        Patience patience(m_limitMs);
        http_t *http = patience.connect();
        if (!http)
            return patience.expired() ? serverSilent(m_limitMs) : failed(u"无法连接打印服务"_s);
        // The print system's own rule for the user's default, over this
        // connection, so that a server that does not answer is given up in
        // time.
        cups_dest_t *dest = cupsGetNamedDest(http, nullptr, nullptr);
        const QString unanswered = patience.unanswered(http);
        httpClose(http);
        if (!dest) {
            if (!unanswered.isEmpty())
                return unanswered;
            const QString named = namedDefault();
            return failed(named.isEmpty() ? u"没有设置默认打印机"_s
                                          : refusal(IPP_STATUS_ERROR_NOT_FOUND, named));
        }
        cupsFreeDests(m_destCount, m_dest);
        m_dest = dest;
        m_destCount = 1;
        m_name = QString::fromUtf8(dest->name);
        if (dest->instance)
            m_name += u'/' + QString::fromUtf8(dest->instance);
        // Told now, so that no page is drawn for a print it would refuse.
        if (qstrcmp(cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options), "false") == 0)
            return failed(refusal(IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS, m_name));
        return {};
    }

    QString submit(const QString &path, const QString &title, const PageSetup &paper) override
    {
        Patience patience(m_limitMs);
        http_t *http = patience.connect();
        if (!http)
            return patience.expired() ? serverSilent(m_limitMs) : failed(u"无法连接打印服务"_s);
        cups_option_t *options = nullptr;
        int count = 0;
        for (int i = 0; i < m_dest->num_options; ++i)
            if (!decidedByPages(m_dest->options[i].name))
                count = cupsAddOption(m_dest->options[i].name, m_dest->options[i].value, count, &options);
        count = cupsAddOption("media", QPageSize(paper.paper).key().toUtf8().constData(), count, &options);
        // The print system's own word for it: "landscape" without a
        // value would be read as false.
        count = cupsAddOption("orientation-requested", paper.orientation == QPageLayout::Landscape ? "4" : "3",
                              count, &options);
        const ipp_status_t status = sendJob(http, m_dest, path, title.toUtf8(), count, options);
        cupsFreeOptions(count, options);
        const QString unanswered = patience.unanswered(http);
        httpClose(http);
        if (taken(status))
            return {};
        return !unanswered.isEmpty() ? unanswered : failed(refusal(status, m_name));
    }

private:
    int m_limitMs;
    // The destination found, with the options saved for it, and its name
    // as the user knows it (with the instance).
    cups_dest_t *m_dest = nullptr;
    int m_destCount = 0;
    QString m_name;
};

} // namespace

QString serverSilent(int limitMs) { return failed(u"打印服务在 %1 秒内没有回答"_s.arg(limitMs / 1000)); }

std::unique_ptr<PrintQueue> systemQueue(int limitMs) { return std::make_unique<CupsQueue>(limitMs); }

} // namespace kelm::report
