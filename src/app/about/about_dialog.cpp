#include "app/about/about_dialog.h"

#include <QPushButton>

#include "app/widgets/control_table.h"
#include "app/widgets/dialog_units.h"
#include "app/widgets/find_control.h"
#include "app/widgets/message_boxes.h"

namespace qrv {

namespace {

constexpr int kOk = 1;

constexpr ControlEntry kLayout[] = {
    {0, ControlKind::Icon, "", 14, 14, 0, 0},
    {0, ControlKind::Label, "Quorvane, Version 7.6", 42, 14, 114, 8},
    {kOk, ControlKind::Button, "OK", 165, 54, 63, 22},
};

}  // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("aboutDialog"));
    setFont(DialogUnits::DialogFont());
    const DialogUnits du(font());
    setWindowTitle(tr("About %1").arg(MessageBoxes::Caption()));
    setFixedSize(du.Size(235, 83));
    CreateControls(kLayout, this, du);
    auto* ok = FindControl<QPushButton>(this, kOk);
    ok->setAutoDefault(true);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace qrv
