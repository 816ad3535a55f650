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

// A connection that has waited a second for the server waits on until the
// hand-off's time is up; a transfer that goes on is never cut.
int keepWaiting(http_t *, void *deadline) { return !static_cast<const QDeadlineTimer *>(deadline)->hasExpired(); }

class CupsQueue : public PrintQueue {
public:
    CupsQueue(const QString &destination, int limitMs) : m_name(destination), m_limitMs(limitMs) { }

    QString printerName() const override { return m_name; }

    QString submit(const QString &path, const QString &title, const PageSetup &paper) override
    {
        const QDeadlineTimer deadline(m_limitMs);
        const QString timedOut = failed(u"打印服务在 %1 秒内没有回答"_s.arg(m_limitMs / 1000));
        // The queue is the printer's; an instance is a set of options
        // saved for it.
        const QByteArray printer = m_name.section(u'/', 0, 0).toUtf8();
        const QByteArray instance = m_name.section(u'/', 1).toUtf8();
        http_t *http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                    int(std::max<qint64>(deadline.remainingTime(), 1)), nullptr);
        if (!http)
            return deadline.hasExpired() ? timedOut : failed(u"无法连接打印服务"_s);
        httpSetTimeout(http, 1.0, keepWaiting, const_cast<QDeadlineTimer *>(&deadline));
        const QString result = [&]() -> QString {
            // The saved destinations as the print system's own commands
            // read them (the server's printers with their defaults, then the
            // user's lpoptions), over this connection, so that a server that
            // does not answer is given up in time.
            cups_dest_t *dests = nullptr;
            const int destCount = cupsGetDests2(http, &dests);
            const auto freeDests = qScopeGuard([&] { cupsFreeDests(destCount, dests); });
            if (deadline.hasExpired())
                return timedOut;
            cups_dest_t *dest = cupsGetDest(printer.constData(), instance.isEmpty() ? nullptr : instance.constData(),
                                            destCount, dests);
            if (!dest && !instance.isEmpty())
                dest = cupsGetDest(printer.constData(), nullptr, destCount, dests);
            if (!dest) {
                const ipp_status_t status = cupsLastError();
                return failed(refusal(status >= IPP_STATUS_ERROR_BAD_REQUEST ? status : IPP_STATUS_ERROR_NOT_FOUND,
                                      m_name));
            }
            cups_option_t *options = nullptr;
            int count = 0;
            for (int i = 0; i < dest->num_options; ++i)
                if (!decidedByPages(dest->options[i].name))
                    count = cupsAddOption(dest->options[i].name, dest->options[i].value, count, &options);
            count = cupsAddOption("media", QPageSize(paper.paper).key().toUtf8().constData(), count, &options);
            // The print system's own word for it: "landscape" without a
            // value would be read as false.
            count = cupsAddOption("orientation-requested", paper.orientation == QPageLayout::Landscape ? "4" : "3",
                                  count, &options);
            const int job = cupsPrintFile2(http, printer.constData(), QFile::encodeName(path).constData(),
                                           title.toUtf8().constData(), count, options);
            cupsFreeOptions(count, options);
            if (job > 0)
                return {};
            return deadline.hasExpired() ? timedOut : failed(refusal(cupsLastError(), m_name));
        }();
        httpClose(http);
        return result;
    }

private:
    QString m_name;
    int m_limitMs;
};

} // namespace

std::unique_ptr<PrintQueue> systemQueue(const QString &destination, int limitMs)
{
    return std::make_unique<CupsQueue>(destination, limitMs);
}

} // namespace kelm::report
