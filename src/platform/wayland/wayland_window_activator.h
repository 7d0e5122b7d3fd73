#pragma once

#include <memory>

#include "core/desktop/window_activator.h"

namespace qrv {

class WaylandToplevelList;

// Activates windows of a Wayland desktop by the ids its window list gave out.
class WaylandWindowActivator : public WindowActivator {
  public:
    explicit WaylandWindowActivator(std::shared_ptr<WaylandToplevelList> list);
    ~WaylandWindowActivator() override;
    void Activate(WindowId window) override;

  private:
    std::shared_ptr<WaylandToplevelList> m_list;
};

}  // namespace qrv
