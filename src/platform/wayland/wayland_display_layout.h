#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "core/desktop/display_layout.h"

namespace qrv {

class WaylandDisplay;

// The compositor's outputs in screen coordinates (see OutputLayout).
class WaylandDisplayLayout : public DisplayLayout {
  public:
    explicit WaylandDisplayLayout(const std::string& displayName = {});
    ~WaylandDisplayLayout() override;

    bool Connected() const { return m_display != nullptr; }
    Rect VirtualScreen() override;
    std::vector<Rect> Monitors() override;

  private:
    std::shared_ptr<WaylandDisplay> m_display;
    std::mutex m_mutex;
};

}  // namespace qrv
