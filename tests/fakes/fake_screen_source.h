#pragma once

#include <functional>
#include <mutex>

#include "core/base/geometry.h"
#include "core/search/image_screen_source.h"
#include "fakes/action_log.h"

namespace qrv {

// A screen whose pixels come from an image placed with its top-left pixel at
// `origin` in screen coordinates; everything outside reads as black.
class FakeScreenSource : public ScreenSource {
  public:
    explicit FakeScreenSource(ActionLog* log = nullptr) : m_log(log) {}

    // Logs "capture <left>,<top> <width>x<height>", copies the pixels into
    // `into` (as a live screen does), then calls the capture hook.
    bool Capture(Rect area, PixelImage& into) override;

    // Copies the image's pixels.
    void SetScreen(const PixelImage& image, Point origin);
    // Makes every capture fail (zeroed image).
    void SetFailing(bool failing) {
        std::lock_guard lock(m_mutex);
        m_failing = failing;
    }
    // Called on the capturing thread after each capture.
    void SetCaptureHook(std::function<void()> hook) {
        std::lock_guard lock(m_mutex);
        m_hook = std::move(hook);
    }

  private:
    ActionLog* m_log;
    std::mutex m_mutex;
    ImageScreenSource m_screen{PixelImage(), Point{}};
    bool m_failing = false;
    std::function<void()> m_hook;
};

}  // namespace qrv
