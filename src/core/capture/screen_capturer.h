#pragma once

#include <cstdint>
#include <string_view>

#include "core/base/pixel_image.h"
#include "core/capture/capture_request.h"
#include "core/desktop/display_layout.h"
#include "core/desktop/image_file_writer.h"
#include "core/desktop/screen_source.h"

namespace qrv {

// Copies a screen rectangle into an image file named after the moment of the
// capture.
class ScreenCapturer {
  public:
    ScreenCapturer(ScreenSource& screen, DisplayLayout& layout, ImageFileWriter& writer);

    // Captures the request's rectangle and saves it into `folder`; `dateText`
    // is the current local date and time as text. Stores the status in result
    // and the file's path in fullPath. Does nothing and returns false when the
    // base name is empty; otherwise returns whether the save succeeded.
    bool CaptureRectToFile(CaptureRequest& request, std::string_view folder,
                           std::string_view dateText);

    // Names the file from the request and writes `pixels` there. A format
    // index outside the table leaves the extension as it was and writes
    // nothing. Returns the status.
    uint32_t SaveCaptureRequest(CaptureRequest& request, const PixelImage& pixels,
                                std::string_view folder, std::string_view dateText);

  private:
    ScreenSource& m_screen;
    DisplayLayout& m_layout;
    ImageFileWriter& m_writer;
};

}  // namespace qrv
