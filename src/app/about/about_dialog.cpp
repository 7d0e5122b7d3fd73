#include "app/about/about_dialog.h"

#include <QLabel>
#include <QPushButton>

#include "app/widgets/app_icons.h"
#include "app/widgets/dialog_units.h"
#include "app/widgets/message_boxes.h"

namespace qrv {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("aboutDialog"));
    setFont(DialogUnits::DialogFont());
    const DialogUnits du(font());
    setWindowTitle(tr("About %1").arg(MessageBoxes::Caption()));
    setFixedSize(du.Size(235, 83));

    auto* icon = new QLabel(this);
    icon->setPixmap(AppIcons::NormalPixmap(32));
    icon->setGeometry(QRect(du.Rect(14, 14, 0, 0).topLeft(), QSize(32, 32)));

    auto* name = new QLabel(QStringLiteral("Quorvane, Version 7.6"), this);
    name->setTextFormat(Qt::PlainText);
    name->setGeometry(du.Rect(42, 14, 114, 8));

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setDefault(true);
    ok->setGeometry(du.Rect(165, 54, 63, 22));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace qrv
