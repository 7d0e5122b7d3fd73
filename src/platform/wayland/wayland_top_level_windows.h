#pragma once

#include <memory>

#include "core/desktop/top_level_windows.h"

namespace qrv {

class WaylandToplevelList;

// The window list of a Wayland desktop (see WaylandToplevelList).
class WaylandTopLevelWindows : public TopLevelWindows {
  public:
    explicit WaylandTopLevelWindows(std::shared_ptr<WaylandToplevelList> list);
    ~WaylandTopLevelWindows() override;
    std::vector<TopLevelWindow> Enumerate() override;

  private:
    std::shared_ptr<WaylandToplevelList> m_list;
};

}  // namespace qrv
