#pragma once

#include <QMessageBox>
#include <QString>

#include "core/search/search_view.h"

class QWidget;

namespace qrv {

// Message boxes owned by a window of the program and captioned with its
// name. They are modal to their owner only, so other top-level windows of the
// program (the live preview) stay usable while one is open.
class MessageBoxes {
  public:
    static void Show(QWidget* owner, const QString& text, MessageIcon icon);
    // Yes, No and Cancel; returns the button chosen (Cancel when closed).
    static QMessageBox::StandardButton AskYesNoCancel(QWidget* owner, const QString& text,
                                                      MessageIcon icon);
    static QString Caption();

  private:
    static QMessageBox::StandardButton Run(QWidget* owner, const QString& text, MessageIcon icon,
                                           QMessageBox::StandardButtons buttons);
};

}  // namespace qrv
