// Every file dialog of the program goes through one service, so tests can
// choose the files a window asks for.
#pragma once

#include <QString>
#include <memory>

class QWidget;

namespace kelm {

class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    // The chosen path, or empty text when the user cancelled. proposed is
    // the file name (or path) the dialog starts with. The save dialog does
    // not ask about an existing file; the caller does.
    virtual QString saveFileName(QWidget *parent, const QString &title, const QString &proposed) = 0;
    virtual QString openFileName(QWidget *parent, const QString &title, const QString &proposed) = 0;
};

// The service in use; by default the real dialogs with Chinese labels.
FileDialogService &fileDialogs();
// Replaces the service (tests); nullptr returns to the real one.
void setFileDialogService(std::unique_ptr<FileDialogService> service);

} // namespace kelm
