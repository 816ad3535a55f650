#include "shell/conversionatstart.h"

#include "platform/longwork.h"
#include "platform/messages.h"
#include "platform/modal.h"
#include "shell/conversionsummarywindow.h"
#include "shell/jetdatabase.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {
const QString title = u"数据库转换"_s;
QString shown(const QString &path) { return QDir::toNativeSeparators(path); }
} // namespace

bool convertAtStart(const QString &live)
{
    const QString kept = keptJetOriginal(live);
    if (ask(nullptr,
            u"数据库文件 %1 是早期的 Jet 格式的数据库。本程序要把它转换为本程序的格式才能使用，"
            "原来的文件将保留为 %2。\n\n现在转换吗？选择“否”将退出程序，不改变任何文件。"_s.arg(shown(live), shown(kept)),
            u"提示"_s, Buttons::YesNo, Answer::Yes, Icon::Question)
        != Answer::Yes)
        return false;
    jet::Conversion result;
    runLongWork(nullptr, title, [&](Progress &progress) { result = convertDatabaseInPlace(live, kept, progress); });
    switch (result.failure) {
    case jet::ConversionFailure::None: break;
    case jet::ConversionFailure::Cancelled:
        inform(nullptr, u"转换已取消，没有改变任何文件。程序将退出。"_s, u"提示"_s);
        return false;
    case jet::ConversionFailure::NotABackup:
    case jet::ConversionFailure::Refused:
        showError(nullptr, u"没有转换数据库文件 %1，没有改变任何文件。\n%2\n程序将退出。"_s.arg(shown(live), result.reason));
        return false;
    }
    openModal(nullptr,
              new ConversionSummaryWindow(title,
                                          u"数据库文件 %1 已转换为本程序的格式，原来的文件保留为 %2。"_s.arg(
                                              shown(live), shown(kept)),
                                          result.summary.text()));
    return true;
}

} // namespace kelm
