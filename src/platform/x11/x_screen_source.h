#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/desktop/screen_source.h"

namespace qrv {

class XDesktopGeometryWatch;
class XDisplay;
class XShmImage;

// Reads the root window of an X screen. With shared memory, an area inside
// one monitor goes straight into a segment that the destination image adopts
// and keeps, so capturing the same image again copies nothing; other areas
// are read through a segment kept between captures. Without shared memory it
// uses plain image requests.
class XScreenSource : public ScreenSource {
  public:
    enum class Method { SharedMemory, GetImage };

    explicit XScreenSource(const std::string& displayName = {},
                           Method method = Method::SharedMemory);
    ~XScreenSource() override;

    bool Connected() const { return m_display != nullptr; }
    // The method in use: SharedMemory falls back to GetImage when unavailable.
    Method ActiveMethod() const { return m_shm ? Method::SharedMemory : Method::GetImage; }

    bool Capture(Rect area, PixelImage& into) override;
    // A capture whose pixels are dropped: it sets up the segment the image keeps.
    void Prepare(Rect area, PixelImage& into) override;

  private:
    bool ReadStraightInto(int32_t rootX, int32_t rootY, int32_t width, int32_t height,
                          PixelImage& into);
    std::shared_ptr<XShmImage> SegmentOf(const PixelImage& image);
    bool ReadInto(int32_t rootX, int32_t rootY, int32_t width, int32_t height, PixelImage& into,
                  int32_t intoX, int32_t intoY);

    std::shared_ptr<XDisplay> m_display;
    std::unique_ptr<XDesktopGeometryWatch> m_geometry;
    std::unique_ptr<XShmImage> m_shm;
    // Segments adopted by images; each image gets its own.
    std::vector<std::weak_ptr<XShmImage>> m_segments;
    bool m_straight = false;
    // The search worker and the window's previews capture through one source.
    std::mutex m_mutex;
};

}  // namespace qrv
