#include "platform/printqueue.h"

#include <QFile>
#include <QPageSize>

#include <cups/cups.h>

using namespace Qt::StringLiterals;

namespace kelm::report {

namespace {

class CupsQueue : public PrintQueue {
public:
    explicit CupsQueue(const QPrinterInfo &printer) : m_name(printer.printerName()) { }

    QString printerName() const override { return m_name; }

    // The options the platform's own printer engine gives a job: the
    // paper by its name, and landscape when the pages lie across.
    QString submit(const QString &path, const QString &title, const PageSetup &paper) override
    {
        cups_option_t *options = nullptr;
        int count = cupsAddOption("media", QPageSize(paper.paper).key().toUtf8().constData(), 0, &options);
        if (paper.orientation == QPageLayout::Landscape)
            count = cupsAddOption("landscape", "", count, &options);
        // A printer instance ("name/instance") prints through its printer.
        const QByteArray printer = m_name.section(u'/', 0, 0).toLocal8Bit();
        const int job = cupsPrintFile(printer.constData(), QFile::encodeName(path).constData(),
                                      title.toUtf8().constData(), count, options);
        cupsFreeOptions(count, options);
        if (job > 0)
            return {};
        return u"打印失败：打印机 %1 没有接受打印任务（%2）。"_s.arg(m_name, QString::fromUtf8(cupsLastErrorString()));
    }

private:
    QString m_name;
};

} // namespace

std::unique_ptr<PrintQueue> systemQueue(const QPrinterInfo &printer) { return std::make_unique<CupsQueue>(printer); }

} // namespace kelm::report
