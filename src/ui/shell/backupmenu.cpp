#include "shell/backupmenu.h"

#include "data/connection.h"
#include "platform/filedialogs.h"
#include "platform/longwork.h"
#include "platform/messages.h"
#include "platform/modal.h"
#include "shell/backup.h"
#include "shell/conversionsummarywindow.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {
const QString dialogTitle = u"选择备份文件"_s;
} // namespace

void backUpFromMenu(QWidget *parent, QString &fileName)
{
    QString target = fileName;
    for (;;) {
        target = fileDialogs().saveFileName(parent, dialogTitle, target);
        if (target.isEmpty())
            return;
        if (!QFileInfo::exists(target))
            break;
        // Declining returns to the dialog.
        if (ask(parent, u"%1 已存在。\n要替换它吗？"_s.arg(QDir::toNativeSeparators(target)), u"确认另存为"_s,
                Buttons::YesNo, Answer::No, Icon::Warning)
            == Answer::Yes)
            break;
    }
    fileName = target;
    BackupResult result;
    const QString database = databasePath();
    runLongWork(parent, u"数据备份"_s, [&](Progress &progress) { result = backupDatabase(database, target, progress); });
    switch (result.outcome) {
    case BackupOutcome::Done: inform(parent, u"数据备份完成。"_s, u"提示"_s); break;
    case BackupOutcome::Cancelled: break;
    case BackupOutcome::Failed: showError(parent, u"数据备份失败：%1"_s.arg(result.error)); break;
    }
}

namespace {

// The restore after a look at what stands in the way: what surely does is
// told before the long work begins, and processes that could not be looked
// at are put to the user.
RestoreResult restoreAsked(QWidget *parent, const QString &source, const QString &live)
{
    const LiveFileCheck check = checkLiveFile(live);
    if (!check.refusal.isEmpty())
        return {RestoreOutcome::Refused, check.refusal};
    if (!check.unseen.isEmpty()
        && ask(parent, check.unseen + u"\n如果有程序正在写入它，恢复以后那个程序所做的修改将会丢失。仍要恢复数据吗？"_s,
               u"警告"_s, Buttons::YesNo, Answer::No, Icon::Warning)
            != Answer::Yes)
        return {RestoreOutcome::Cancelled, {}};
    const UnseenProcesses unseen = check.unseen.isEmpty() ? UnseenProcesses::Refuse : UnseenProcesses::Accept;
    RestoreResult result;
    runLongWork(parent, u"数据恢复"_s,
                [&](Progress &progress) { result = restoreDatabase(source, live, progress, unseen); });
    return result;
}

} // namespace

void restoreFromMenu(QWidget *parent, QString &fileName)
{
    if (ask(parent, u"恢复数据将用备份数据替换当前数据，现有数据将丢失，确认恢复数据吗？"_s, u"警告"_s,
            Buttons::OkCancel, Answer::Ok, Icon::Question)
        != Answer::Ok)
        return;
    const QString source = fileDialogs().openFileName(parent, dialogTitle, fileName);
    if (source.isEmpty())
        return;
    fileName = source;
    // The program's connection stays closed while its file may be replaced;
    // no window of the program is open meanwhile.
    closeDatabase();
    RestoreResult result = restoreAsked(parent, source, databasePath());
    QString notice;
    try {
        notice = db().journalNotice();
    } catch (const DbError &e) {
        result = {RestoreOutcome::Refused, e.message()};
    }
    switch (result.outcome) {
    case RestoreOutcome::Restored:
        inform(parent, u"数据恢复完成。"_s, u"提示"_s);
        // A backup of the earlier Jet format: what its conversion brought
        // over.
        if (!result.converted.isEmpty())
            openModal(parent, new ConversionSummaryWindow(u"数据恢复"_s,
                                                          u"备份文件 %1 是早期的 Jet 格式，已转换后恢复；备份文件本身没有改变。"_s.arg(
                                                              QDir::toNativeSeparators(source)),
                                                          result.converted, parent));
        break;
    case RestoreOutcome::Cancelled: break;
    case RestoreOutcome::NotABackup: showError(parent, u"该文件不是正确的备份文件或文件已损坏！"_s); break;
    case RestoreOutcome::Unknown: showError(parent, u"未知错误，不能进行数据恢复！"_s); break;
    case RestoreOutcome::Refused: showError(parent, u"不能进行数据恢复！\n"_s + result.detail); break;
    }
    // Where a journal that another file's crash left beside the database
    // went, when opening it again set one aside.
    if (!notice.isEmpty())
        inform(parent, notice, u"提示"_s);
}

} // namespace kelm
