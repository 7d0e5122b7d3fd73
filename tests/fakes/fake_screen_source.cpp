#include "fakes/fake_screen_source.h"

#include <cstring>
#include <string>
#include <utility>

namespace qrv {

bool FakeScreenSource::Capture(Rect area, PixelImage& into) {
    if (m_log) {
        m_log->Add("capture " + std::to_string(area.left) + "," + std::to_string(area.top) + " " +
                   std::to_string(area.Width()) + "x" + std::to_string(area.Height()));
    }
    std::function<void()> hook;
    bool ok = false;
    {
        std::lock_guard lock(m_mutex);
        PixelImage shown;
        ok = m_screen.Capture(area, shown) && !m_failing;
        // As from a live screen, the pixels land in the caller's own block.
        into.Resize(shown.m_iWidth, shown.m_iHeight);
        for (int32_t y = 0; y < shown.m_iHeight; ++y) {
            std::memcpy(into.Row(y), shown.Row(y), std::size_t(shown.m_iWidth) * 4);
        }
        if (m_failing) {
            into.Reset(area.Width(), area.Height());
        }
        hook = m_hook;
    }
    if (hook) {
        hook();
    }
    return ok;
}

void FakeScreenSource::SetScreen(const PixelImage& image, Point origin) {
    PixelImage copy(image.m_iWidth, image.m_iHeight);
    if (image.SizeBytes() != 0) {
        std::memcpy(copy.Data(), image.Data(), image.SizeBytes());
    }
    std::lock_guard lock(m_mutex);
    m_screen = ImageScreenSource(std::move(copy), origin);
}

}  // namespace qrv
