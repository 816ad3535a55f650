// Answers the program's file dialogs from a script and records each one.
#pragma once

#include "platform/filedialogs.h"

#include <QList>
#include <QStringList>

namespace kelm::test {

class ScriptedFileDialogs : public FileDialogService {
public:
    struct Shown {
        bool save = false;
        QString title;
        QString proposed;
    };

    // Installs a fresh script as the program's file dialog service.
    static ScriptedFileDialogs &install();

    // Paths the next dialogs return, in order; empty text cancels. A dialog
    // shown with no answer left is cancelled and counted as unexpected.
    void choose(const QString &path) { m_answers.append(path); }
    QList<Shown> shown;
    int unexpected = 0;

    QString saveFileName(QWidget *parent, const QString &title, const QString &proposed) override;
    QString openFileName(QWidget *parent, const QString &title, const QString &proposed) override;

private:
    QString next(bool save, const QString &title, const QString &proposed);
    QStringList m_answers;
};

} // namespace kelm::test
