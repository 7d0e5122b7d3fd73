#include "app/capture/capture_commands.h"

#include <exception>
#include <memory>

#include <QFileInfo>

#include "app/selector/screen_area_selector.h"
#include "app/services/app_services.h"
#include "app/widgets/date_time_text.h"
#include "app/widgets/field_exchange.h"
#include "app/widgets/message_boxes.h"
#include "app/widgets/wait_cursor.h"
#include "core/capture/capture_request.h"
#include "core/capture/replace_invalid_file_name_chars.h"
#include "core/capture/screen_capturer.h"
#include "core/desktop/input_injector.h"
#include "core/desktop/shell.h"
#include "core/settings/main_window_fields.h"
#include "core/settings/profile.h"
#include "core/settings/temp_images_folder.h"

namespace qrv {

namespace {

constexpr uint32_t kPngFormat = 0;

}  // namespace

CaptureCommands::CaptureCommands(QWidget* owner, MainWindowFields& fields, FieldExchange& exchange,
                                 AppServices& services)
    : m_owner(owner), m_fields(fields), m_exchange(exchange), m_services(services) {}

bool CaptureCommands::CaptureScreenArea() {
    m_exchange.ToFields();
    if (!RunSelector()) {
        return false;
    }
    const Rect area = StoredSelection();
    if (area.Width() == 0 || area.Height() == 0) {
        return false;
    }
    m_fields.m_iScreenAreaLeft = area.left;
    m_fields.m_iScreenAreaTop = area.top;
    m_fields.m_iScreenAreaWidth = area.Width();
    m_fields.m_iScreenAreaHeight = area.Height();
    m_exchange.ToControls();
    Profile& profile = m_services.profile;
    profile.Write(keys::kScreenAreaLeft, area.left);
    profile.Write(keys::kScreenAreaTop, area.top);
    profile.Write(keys::kScreenAreaWidth, area.Width());
    profile.Write(keys::kScreenAreaHeight, area.Height());
    return true;
}

void CaptureCommands::CapturePicture() {
    InputInjector& input = m_services.input;
    // The cursor is put back where it was only where that is known.
    const std::optional<Point> before = input.CursorPos();
    std::unique_ptr<ScreenSource> still;
    if (!RunSelector(&still)) {
        return;
    }
    const std::optional<Point> after = input.CursorPos();
    if (before) {
        input.SetCursorPos(*before);
    }

    const Rect rect = StoredSelection();
    if (rect.Width() == 0 || rect.Height() == 0) {
        return;
    }
    CaptureRequest request;
    request.format = kPngFormat;
    request.baseName = "Picture to Find ";
    ReplaceInvalidFileNameChars(request.baseName);
    request.rect = rect;
    request.wholeScreen = false;
    if (!CutFromStill(still.get(), request)) {
        MessageBoxes::Show(m_owner, QStringLiteral("Unknown Error when Capturing Screenshot."),
                           MessageIcon::Error);
        return;
    }
    const QString path = QString::fromStdString(request.fullPath);
    if (!QFileInfo::exists(path)) {
        MessageBoxes::Show(m_owner,
                           QStringLiteral("Failed to Store Picture at given below path.\n\n%1\n\n"
                                          "Open Settings of this Software and Select another "
                                          "Folder for Storing Picture Files. ")
                               .arg(path),
                           MessageIcon::Error);
        return;
    }
    m_exchange.ToFields();
    m_fields.m_strPictureToFindFilePath = request.fullPath;
    m_exchange.ToControls();
    m_services.profile.Write(keys::kPictureToFindFilePath, request.fullPath);
    if (after) {
        input.SetCursorPos(*after);
    }
    if (m_services.profile.Get(keys::kAutoDisplayPictureToFindPreview) != 0) {
        m_services.shell.Open(request.fullPath);
    }
}

Rect CaptureCommands::StoredSelection() const {
    Profile& profile = m_services.profile;
    return Rect{profile.Get(keys::kStartingPointX), profile.Get(keys::kStartingPointY),
                profile.Get(keys::kClosingPointX), profile.Get(keys::kClosingPointY)};
}

std::string CaptureCommands::PictureFolder() const {
    return m_services.profile.Get(keys::kTempImagesFolder,
                                  GetTempImagesFolder(m_services.localDataFolder));
}

bool CaptureCommands::RunSelector(std::unique_ptr<ScreenSource>* still) {
    ScreenAreaSelector selector(m_services.layout, m_services.screen, m_services.input,
                                m_services.profile, m_owner);
    const bool accepted = selector.exec() == QDialog::Accepted;
    if (still) {
        *still = selector.TakeStill();
    }
    return accepted;
}

bool CaptureCommands::CutFromStill(ScreenSource* still, CaptureRequest& request) const {
    if (!still) {
        return false;
    }
    try {
        WaitCursor wait;
        ScreenCapturer capturer(*still, m_services.layout, m_services.imageWriter);
        capturer.CaptureRectToFile(request, PictureFolder(), GetCurrentDateTimeText());
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace qrv
