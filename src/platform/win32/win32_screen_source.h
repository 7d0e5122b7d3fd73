#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "core/desktop/screen_source.h"

namespace qrv::win32 {

class DibSection;

// Copies screen areas with BitBlt into a DIB section that the destination
// image adopts, so the pixels are never copied again; capturing into the same
// image reuses its section. Parts of the area outside every monitor are black.
class Win32ScreenSource : public ScreenSource {
  public:
    // Areas above this many pixels are refused rather than allocated.
    static constexpr int64_t kMaxPixels = int64_t(1) << 28;

    Win32ScreenSource();
    ~Win32ScreenSource() override;

    bool Capture(Rect area, PixelImage& into) override;
    void Prepare(Rect area, PixelImage& into) override;

  private:
    std::shared_ptr<DibSection> SectionFor(PixelImage& image, int32_t width, int32_t height);

    // Sections adopted by images; each image gets its own.
    std::vector<std::weak_ptr<DibSection>> m_sections;
    // The search worker and the window's previews capture through one source.
    std::mutex m_mutex;
};

}  // namespace qrv::win32
