#include "shell/backupmenu.h"

#include "data/connection.h"
#include "platform/busypointer.h"
#include "platform/filedialogs.h"
#include "platform/messages.h"
#include "shell/backup.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {
const QString dialogTitle = u"选择备份文件"_s;
}

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
    // A failed backup shows nothing; the target is whole or as it was.
    bool done = false;
    showHourglass();
    try {
        done = backupDatabase(db(), target);
    } catch (const DbError &) {
        // The database could not be opened: nothing was copied.
    }
    showDefaultPointer();
    if (done)
        inform(parent, u"数据备份完成。"_s, u"提示"_s);
}

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
    // Checking and copying a large file takes a while.
    showHourglass();
    const RestoreOutcome outcome = restoreDatabase(source);
    showDefaultPointer();
    switch (outcome) {
    case RestoreOutcome::Restored: inform(parent, u"数据恢复完成。"_s, u"提示"_s); break;
    case RestoreOutcome::NotABackup: showError(parent, u"该文件不是正确的备份文件或文件已损坏！"_s); break;
    case RestoreOutcome::Failed: showError(parent, u"未知错误，不能进行数据恢复！"_s); break;
    }
}

} // namespace kelm
