#include "app/capture/picture_file_commands.h"

#include <QFileInfo>

#include "app/services/app_services.h"
#include "app/widgets/field_exchange.h"
#include "app/widgets/file_prompts.h"
#include "app/widgets/message_boxes.h"
#include "app/widgets/wait_cursor.h"
#include "core/desktop/image_codec.h"
#include "core/desktop/shell.h"
#include "core/imaging/picture_admission.h"
#include "core/settings/main_window_fields.h"

namespace qrv {

const QString PictureFileCommands::kImageFilter =
    QStringLiteral("Image Files (*.png *.jpg *.jpeg *.bmp *.tiff)");

PictureFileCommands::PictureFileCommands(QWidget* owner, MainWindowFields& fields,
                                         FieldExchange& exchange, AppServices& services)
    : m_owner(owner), m_fields(fields), m_exchange(exchange), m_services(services) {}

void PictureFileCommands::SelectPictureFile() {
    m_exchange.ToFields();
    const QString path = m_services.prompts.OpenFile(m_owner, QString(), kImageFilter);
    if (!path.isEmpty()) {
        AdmitPictureFile(path);
    }
}

void PictureFileCommands::AdmitPictureFile(const QString& path) {
    DecodedImage decoded;
    uint32_t status = kStatusFail;
    {
        WaitCursor wait;
        status = m_services.codec.LoadImageFile(path.toStdString(), decoded);
    }
    switch (AdmitPicture(status, decoded.bitsPerPixel)) {
        case PictureAdmission::Admitted:
            m_fields.m_strPictureToFindFilePath = path.toStdString();
            m_exchange.ToControls();
            return;
        case PictureAdmission::LoadFailed:
            MessageBoxes::Show(m_owner, LoadFailedText(status, path), MessageIcon::Error);
            return;
        case PictureAdmission::WrongDepth:
            break;
    }
    if (MessageBoxes::AskYesNoCancel(m_owner, WrongDepthText(decoded.bitsPerPixel),
                                     MessageIcon::Error) == QMessageBox::Yes) {
        ShowFile(path);
    }
}

void PictureFileCommands::ShowFile(const QString& path) {
    const std::string file = path.toStdString();
    // Without a file manager that shows properties, the file is shown in its folder.
    if (!m_services.shell.ShowProperties(file) && !m_services.shell.Reveal(file)) {
        MessageBoxes::Show(m_owner,
                           QStringLiteral("No file manager could show the file.\n\n%1").arg(path),
                           MessageIcon::Error);
    }
}

void PictureFileCommands::Locate() {
    m_exchange.ToFields();
    const QString path = QString::fromStdString(m_fields.m_strPictureToFindFilePath);
    if (!path.isEmpty() && QFileInfo::exists(path)) {
        m_services.shell.Reveal(m_fields.m_strPictureToFindFilePath);
        return;
    }
    MessageBoxes::Show(m_owner, NotFoundText(path), MessageIcon::Error);
}

QString PictureFileCommands::LoadFailedText(uint32_t status, const QString& path) {
    return QStringLiteral("Failed to Load Image, Error %1.\n\n%2\n\n%3")
        .arg(QString::number(status, 16), path, FailureReason(status, path));
}

QString PictureFileCommands::FailureReason(uint32_t status, const QString& path) {
    const QFileInfo file(path);
    if (!file.exists()) {
        return QStringLiteral("The file does not exist.");
    }
    if (!file.isFile()) {
        return QStringLiteral("It is not a regular file.");
    }
    if (!file.isReadable()) {
        return QStringLiteral("You have no permission to read the file.");
    }
    if (status == kStatusOutOfMemory) {
        return QStringLiteral("The picture is too large to load.");
    }
    return QStringLiteral("The file is not an image in a format this program reads.");
}

QString PictureFileCommands::WrongDepthText(int32_t bitsPerPixel) {
    return QStringLiteral(
               "Bit Depth of Selected Image is %1, Bit Depth can be found by viewing Bit Depth "
               "in Details Tab of Image Properties.\n\nCurrently this Software Needs Picture "
               "File of 32 Bit Depth, such as a PNG file with an alpha channel.\n\nSelect another "
               "Picture (Captured by a Screen Snipping "
               "Tool or another related Software) or Capture Picture from Main "
               "Screen of this Software.\n\nOperation Aborted.\n\nYou Want to View Properties "
               "Screen of Image Now ?")
        .arg(bitsPerPixel);
}

QString PictureFileCommands::NotFoundText(const QString& path) {
    return QStringLiteral(
               "Could not Find the Picture File Specified.\n\nYou can use Capture Pictture or "
               "Select Picture Search Button to Assign Picture to Search on Screen.\n\n%1")
        .arg(path);
}

}  // namespace qrv
