#pragma once

#include <QDialog>

namespace qrv {

// The about box: icon, program name and version, support contact, OK.
class AboutDialog : public QDialog {
    Q_OBJECT

  public:
    explicit AboutDialog(QWidget* parent);
};

}  // namespace qrv
