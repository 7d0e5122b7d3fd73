#pragma once

#include "app/widgets/file_prompts.h"

namespace qrv {

// File and folder choosers shown as Qt file dialogs.
class DialogFilePrompts : public FilePrompts {
  public:
    QString OpenFile(QWidget* owner, const QString& startFolder, const QString& filter) override;
    QString Folder(QWidget* owner, const QString& title) override;
};

}  // namespace qrv
