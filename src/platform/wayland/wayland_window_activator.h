#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "core/desktop/window_activator.h"

namespace qrv {

class WaylandToplevelList;

// Activates windows of a Wayland desktop by the ids its window list gave out.
// The program's own window has an id of the toolkit's, which the list does
// not know: it is found by its application id and title instead. Safe to use
// from several threads.
class WaylandWindowActivator : public WindowActivator {
  public:
    explicit WaylandWindowActivator(std::shared_ptr<WaylandToplevelList> list);
    ~WaylandWindowActivator() override;
    void Activate(WindowId window) override;
    void DescribeOwnWindow(WindowId window, const std::string& appId,
                           const std::string& title) override;

  private:
    struct OwnWindow {
        WindowId id = 0;
        std::string appId;
        std::string title;
    };

    std::shared_ptr<WaylandToplevelList> m_list;
    std::mutex m_mutex;
    std::optional<OwnWindow> m_own;
};

}  // namespace qrv
