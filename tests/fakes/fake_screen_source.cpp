#include "fakes/fake_screen_source.h"

#include <cstring>
#include <string>
#include <utility>

namespace qrv {

bool FakeScreenSource::Capture(int32_t left, int32_t top, int32_t width, int32_t height,
                               PixelImage& into) {
    if (m_log) {
        m_log->Add("capture " + std::to_string(left) + "," + std::to_string(top) + " " +
                   std::to_string(width) + "x" + std::to_string(height));
    }
    std::function<void()> hook;
    bool ok = false;
    {
        std::lock_guard lock(m_mutex);
        into.Reset(width, height);
        ok = !m_bFailing;
        for (int32_t y = 0; ok && y < height; ++y) {
            for (int32_t x = 0; x < width; ++x) {
                const int32_t sx = left + x - m_origin.x;
                const int32_t sy = top + y - m_origin.y;
                if (sx >= 0 && sy >= 0 && sx < m_screen.m_iWidth && sy < m_screen.m_iHeight) {
                    std::memcpy(into.Row(y) + std::size_t(x) * 4,
                                m_screen.Row(sy) + std::size_t(sx) * 4, 4);
                }
            }
        }
        hook = m_hook;
    }
    if (hook) {
        hook();
    }
    return ok;
}

void FakeScreenSource::SetScreen(const PixelImage& image, Point origin) {
    std::lock_guard lock(m_mutex);
    m_screen.Reset(image.m_iWidth, image.m_iHeight);
    if (image.SizeBytes() != 0) {
        std::memcpy(m_screen.Data(), image.Data(), image.SizeBytes());
    }
    m_origin = origin;
}

}  // namespace qrv
