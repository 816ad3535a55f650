#include "platform/filedialogs.h"

#include <QFileDialog>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

class DialogService : public FileDialogService {
public:
    QString saveFileName(QWidget *parent, const QString &title, const QString &proposed) override
    {
        return choose(parent, title, proposed, QFileDialog::AcceptSave);
    }

    QString openFileName(QWidget *parent, const QString &title, const QString &proposed) override
    {
        return choose(parent, title, proposed, QFileDialog::AcceptOpen);
    }

private:
    static QString choose(QWidget *parent, const QString &title, const QString &proposed,
                          QFileDialog::AcceptMode mode)
    {
        QFileDialog dialog(parent, title);
        dialog.setAcceptMode(mode);
        dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        dialog.setNameFilter(u"所有文件 (*)"_s);
        dialog.setLabelText(QFileDialog::LookIn, u"查找范围："_s);
        dialog.setLabelText(QFileDialog::FileName, u"文件名："_s);
        dialog.setLabelText(QFileDialog::FileType, u"文件类型："_s);
        dialog.setLabelText(QFileDialog::Accept, mode == QFileDialog::AcceptSave ? u"保存"_s : u"打开"_s);
        dialog.setLabelText(QFileDialog::Reject, u"取消"_s);
        dialog.selectFile(proposed);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        return dialog.selectedFiles().constFirst();
    }
};

std::unique_ptr<FileDialogService> &current()
{
    static std::unique_ptr<FileDialogService> service = std::make_unique<DialogService>();
    return service;
}

} // namespace

FileDialogService &fileDialogs() { return *current(); }

void setFileDialogService(std::unique_ptr<FileDialogService> service)
{
    current() = service ? std::move(service) : std::make_unique<DialogService>();
}

} // namespace kelm
