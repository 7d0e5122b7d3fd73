#include "widgets/dialog_file_prompts.h"

#include <QFileDialog>

namespace qrv {

QString DialogFilePrompts::OpenFile(QWidget* owner, const QString& startFolder,
                                    const QString& filter) {
    return QFileDialog::getOpenFileName(owner, QString(), startFolder, filter);
}

QString DialogFilePrompts::Folder(QWidget* owner, const QString& title) {
    return QFileDialog::getExistingDirectory(owner, title);
}

}  // namespace qrv
