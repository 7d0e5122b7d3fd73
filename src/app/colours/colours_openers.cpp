#include "app/colours/colours_openers.h"

#include <QFileDialog>
#include <QFileInfo>

#include "app/colours/colours_dialog.h"
#include "app/colours/colours_services.h"
#include "app/services/app_services.h"
#include "app/widgets/message_boxes.h"
#include "app/widgets/wait_cursor.h"
#include "core/colours/color_list.h"
#include "core/colours/color_list_texts.h"
#include "core/colours/color_sources.h"
#include "core/desktop/user_folders.h"
#include "core/settings/setting_keys.h"

namespace qrv {

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

}  // namespace

ColoursOpeners::ColoursOpeners(AppServices& services) : m_services(services) {}

QString ColoursOpeners::ImageFileFilter() {
    return QStringLiteral("Image Files (*.png *.jpg *.jpeg *.bmp *.tiff)");
}

void ColoursOpeners::OpenForImageFile(QWidget* parent, const std::string& picturePath) {
    QString path = FromUtf8(picturePath);
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        path = AskImageFile(parent);
        if (path.isEmpty()) {
            return;
        }
    }
    CollectedColors colours;
    {
        WaitCursor wait;
        colours = CollectImageFileColors(m_services.codec, path.toStdString());
    }
    if (colours.status != kStatusOk) {
        MessageBoxes::Show(parent,
                           FromUtf8(ImageLoadFailedText(colours.status, path.toStdString())),
                           MessageIcon::Error);
        return;
    }
    Show(parent, colours);
}

void ColoursOpeners::OpenForScreenArea(QWidget* parent, const Rect& area) {
    CollectedColors colours;
    {
        WaitCursor wait;
        colours = CollectScreenAreaColors(m_services.screen, area);
    }
    Show(parent, colours);
}

QString ColoursOpeners::AskImageFile(QWidget* parent) {
    QFileDialog dialog(parent, FromUtf8(ColorsFileDialogTitle(kAppName)),
                       FromUtf8(m_services.folders.DesktopFolder()), ImageFileFilter());
    dialog.setObjectName(QStringLiteral("imageFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

void ColoursOpeners::Show(QWidget* parent, CollectedColors& colours) {
    ColorList list(colours.set, colours.summary);
    ColoursDialog dialog(list, ColoursServices::From(m_services), m_services.hotKeys, parent);
    dialog.setWindowModality(Qt::WindowModal);
    dialog.exec();
}

}  // namespace qrv
