#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/desktop/screen_source.h"
#include "core/search/geometry.h"

struct zwlr_screencopy_manager_v1;

namespace qrv {

class OutputLayout;
class WaylandDisplay;
class WaylandShmBuffer;

// Reads the screen of a wlroots compositor through wlr-screencopy. An area
// inside one output is copied by the compositor straight into a shared-memory
// buffer that the destination image adopts and keeps, so capturing into the
// same image again reuses it; other areas are pieced together from one buffer
// per output kept between captures. Safe to use from several threads.
class WaylandScreenSource : public ScreenSource {
  public:
    explicit WaylandScreenSource(const std::string& displayName = {});
    ~WaylandScreenSource() override;

    // False without a compositor or without screencopy.
    bool Connected() const { return m_pManager != nullptr; }
    bool Capture(int32_t left, int32_t top, int32_t width, int32_t height,
                 PixelImage& into) override;
    // A capture whose pixels are dropped: it sets up the buffer the image keeps.
    void Prepare(int32_t left, int32_t top, int32_t width, int32_t height,
                 PixelImage& into) override;

  private:
    bool CaptureStraight(const OutputLayout& layout, std::size_t output, const Rect& area,
                         PixelImage& into);
    bool CapturePart(const OutputLayout& layout, std::size_t output, const Rect& area,
                     PixelImage& into);
    std::shared_ptr<WaylandShmBuffer> BufferOf(const PixelImage& image);

    std::shared_ptr<WaylandDisplay> m_pDisplay;
    zwlr_screencopy_manager_v1* m_pManager = nullptr;
    // Buffers of pieced-together captures, by output name.
    std::map<std::string, std::shared_ptr<WaylandShmBuffer>> m_parts;
    // Buffers adopted by images; each image gets its own.
    std::vector<std::weak_ptr<WaylandShmBuffer>> m_adopted;
    // Cleared once the compositor's pixels turn out to need converting.
    bool m_bStraight = true;
    std::mutex m_mutex;
};

}  // namespace qrv
