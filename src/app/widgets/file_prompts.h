#pragma once

#include <QString>

class QWidget;

namespace qrv {

// The file and folder choosers of the program's commands. Empty results mean
// the user cancelled.
class FilePrompts {
  public:
    virtual ~FilePrompts() = default;
    // An existing file; `filter` in the "Name (*.a *.b);;Other (*)" form.
    virtual QString OpenFile(QWidget* owner, const QString& startFolder, const QString& filter) = 0;
    virtual QString Folder(QWidget* owner, const QString& title) = 0;
};

}  // namespace qrv
