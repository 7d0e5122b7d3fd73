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
        ok = m_screen.Capture(area, into) && !m_failing;
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
