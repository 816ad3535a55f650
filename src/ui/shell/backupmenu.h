// The menu items 数据备份 and 数据恢复: the file dialog, the questions and
// messages around a backup or a restore of kelm.mdb.
#pragma once

#include <QString>

class QWidget;

namespace kelm {

// fileName is the name the dialog proposes ("bc_kelm" at first) and keeps
// the file the user last chose.
void backUpFromMenu(QWidget *parent, QString &fileName);
void restoreFromMenu(QWidget *parent, QString &fileName);

} // namespace kelm
