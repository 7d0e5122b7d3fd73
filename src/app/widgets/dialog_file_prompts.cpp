#include "app/widgets/dialog_file_prompts.h"

#include <QFileDialog>

namespace qrv {

namespace {

// Modal to the owner only, so that other windows (the live preview) stay usable.
QString Run(QFileDialog& dialog) {
    dialog.setWindowModality(dialog.parentWidget() ? Qt::WindowModal : Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

}  // namespace

QString DialogFilePrompts::OpenFile(QWidget* owner, const QString& startFolder,
                                    const QString& filter) {
    QFileDialog dialog(owner, QString(), startFolder, filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    return Run(dialog);
}

QString DialogFilePrompts::Folder(QWidget* owner, const QString& title) {
    QFileDialog dialog(owner, title);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    return Run(dialog);
}

}  // namespace qrv
