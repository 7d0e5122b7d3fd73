#pragma once

#include <mutex>
#include <vector>

#include "search/display_layout.h"

namespace qrv {

// A fixed monitor arrangement; one 1920x1080 primary monitor unless set.
class FakeDisplayLayout : public DisplayLayout {
  public:
    Rect VirtualScreen() override;
    std::vector<Rect> Monitors() override;
    // The virtual screen becomes the bounding box of the monitors.
    void SetMonitors(std::vector<Rect> monitors);

  private:
    std::mutex m_mutex;
    std::vector<Rect> m_monitors{{0, 0, 1920, 1080}};
};

}  // namespace qrv
