#include "app/widgets/message_boxes.h"

#include "core/settings/setting_keys.h"

namespace qrv {

namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Information:
            break;
    }
    return QMessageBox::Information;
}

}  // namespace

void MessageBoxes::Show(QWidget* owner, const QString& text, MessageIcon icon) {
    Run(owner, text, icon, QMessageBox::Ok);
}

QMessageBox::StandardButton MessageBoxes::AskYesNoCancel(QWidget* owner, const QString& text,
                                                         MessageIcon icon) {
    return Run(owner, text, icon, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
}

QString MessageBoxes::Caption() {
    return QString::fromUtf8(kAppName.data(), qsizetype(kAppName.size()));
}

QMessageBox::StandardButton MessageBoxes::Run(QWidget* owner, const QString& text, MessageIcon icon,
                                              QMessageBox::StandardButtons buttons) {
    QMessageBox box(ToQtIcon(icon), Caption(), text, buttons, owner);
    box.setObjectName(QStringLiteral("messageBox"));
    box.setTextFormat(Qt::PlainText);  // texts carry names and titles of other programs
    if (owner) {
        box.setWindowModality(Qt::WindowModal);
    }
    return QMessageBox::StandardButton(box.exec());
}

}  // namespace qrv
