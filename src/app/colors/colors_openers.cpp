#include "app/colors/colors_openers.h"

#include <QFileDialog>
#include <QFileInfo>

#include "app/colors/colors_dialog.h"
#include "app/colors/colors_services.h"
#include "app/services/app_services.h"
#include "app/widgets/message_boxes.h"
#include "app/widgets/wait_cursor.h"
#include "core/colors/color_list.h"
#include "core/colors/color_list_texts.h"
#include "core/colors/color_sources.h"
#include "core/desktop/user_folders.h"
#include "core/settings/setting_keys.h"

namespace qrv {

ColorsOpeners::ColorsOpeners(AppServices& services) : m_services(services) {}

QString ColorsOpeners::ImageFileFilter() {
    return QStringLiteral("Image Files (*.png *.jpg *.jpeg *.bmp *.tiff)");
}

void ColorsOpeners::OpenForImageFile(QWidget* parent, const std::string& picturePath) {
    QString path = QString::fromUtf8(picturePath);
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        path = AskImageFile(parent);
        if (path.isEmpty()) {
            return;
        }
    }
    CollectedColors colors;
    {
        WaitCursor wait;
        colors = CollectImageFileColors(m_services.codec, path.toStdString());
    }
    if (colors.status != kStatusOk) {
        MessageBoxes::Show(
            parent, QString::fromUtf8(ImageLoadFailedText(colors.status, path.toStdString())),
            MessageIcon::Error);
        return;
    }
    Show(parent, colors);
}

void ColorsOpeners::OpenForScreenArea(QWidget* parent, const Rect& area) {
    CollectedColors colors;
    {
        WaitCursor wait;
        colors = CollectScreenAreaColors(m_services.screen, area);
    }
    Show(parent, colors);
}

QString ColorsOpeners::AskImageFile(QWidget* parent) {
    QFileDialog dialog(parent, QString::fromUtf8(ColorsFileDialogTitle(kAppName)),
                       QString::fromUtf8(m_services.folders.DesktopFolder()), ImageFileFilter());
    dialog.setObjectName(QStringLiteral("imageFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

void ColorsOpeners::Show(QWidget* parent, CollectedColors& colors) {
    ColorList list(colors.set, colors.summary);
    ColorsDialog dialog(list, ColorsServices::From(m_services), m_services.hotKeys, parent);
    dialog.setWindowModality(Qt::WindowModal);
    dialog.exec();
}

}  // namespace qrv
