#pragma once

#include <algorithm>
#include <mutex>
#include <vector>

#include "core/desktop/display_layout.h"

namespace qrv {

// A fixed monitor arrangement; one 1920x1080 primary monitor unless set.
class FakeDisplayLayout : public DisplayLayout {
  public:
    // The bounding box of the monitors.
    Rect VirtualScreen() override {
        std::lock_guard lock(m_mutex);
        Rect box{0, 0, 0, 0};
        for (const Rect& m : m_monitors) {
            box = {std::min(box.left, m.left), std::min(box.top, m.top),
                   std::max(box.right, m.right), std::max(box.bottom, m.bottom)};
        }
        return box;
    }
    std::vector<Rect> Monitors() override {
        std::lock_guard lock(m_mutex);
        return m_monitors;
    }
    void SetMonitors(std::vector<Rect> monitors) {
        std::lock_guard lock(m_mutex);
        m_monitors = std::move(monitors);
    }

  private:
    std::mutex m_mutex;
    std::vector<Rect> m_monitors{{0, 0, 1920, 1080}};
};

}  // namespace qrv
