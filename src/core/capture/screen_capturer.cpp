#include "core/capture/screen_capturer.h"

#include <string>

#include "core/base/capture_format.h"
#include "core/capture/capture_file_path.h"

namespace qrv {

ScreenCapturer::ScreenCapturer(ScreenSource& screen, DisplayLayout& layout, ImageFileWriter& writer)
    : m_screen(screen), m_layout(layout), m_writer(writer) {}

bool ScreenCapturer::CaptureRectToFile(CaptureRequest& request, std::string_view folder,
                                       std::string_view dateText) {
    if (request.baseName.empty()) {
        return false;
    }
    if (request.wholeScreen) {
        const Rect screen = m_layout.VirtualScreen();
        request.rect = Rect{0, 0, screen.Width(), screen.Height()};
    }
    const Rect& r = request.rect;
    PixelImage pixels;
    if (r.Width() <= 0 || r.Height() <= 0 || !m_screen.Capture(r, pixels)) {
        pixels.Clear();  // still named, so that a failure can show the path
    }
    request.result = SaveCaptureRequest(request, pixels, folder, dateText);
    return request.Succeeded();
}

uint32_t ScreenCapturer::SaveCaptureRequest(CaptureRequest& request, const PixelImage& pixels,
                                            std::string_view folder, std::string_view dateText) {
    const auto format = LookUpCaptureFormat(request.format);
    if (format) {
        request.extension = std::string(format->extension);
    }
    request.fullPath = BuildCaptureFilePath(folder, request.baseName, dateText, request.extension);
    if (!format || pixels.Empty()) {
        return kStatusFail;
    }
    return m_writer.WriteImageFile(request.fullPath, pixels, format->format);
}

}  // namespace qrv
