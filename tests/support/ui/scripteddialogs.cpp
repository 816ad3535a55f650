#include "support/ui/scripteddialogs.h"

namespace kelm::test {

ScriptedFileDialogs &ScriptedFileDialogs::install()
{
    auto service = std::make_unique<ScriptedFileDialogs>();
    ScriptedFileDialogs &ref = *service;
    setFileDialogService(std::move(service));
    return ref;
}

QString ScriptedFileDialogs::saveFileName(QWidget *, const QString &title, const QString &proposed)
{
    return next(true, title, proposed);
}

QString ScriptedFileDialogs::openFileName(QWidget *, const QString &title, const QString &proposed)
{
    return next(false, title, proposed);
}

QString ScriptedFileDialogs::next(bool save, const QString &title, const QString &proposed)
{
    shown.append({save, title, proposed});
    if (m_answers.isEmpty()) {
        ++unexpected;
        return {};
    }
    return m_answers.takeFirst();
}

} // namespace kelm::test
