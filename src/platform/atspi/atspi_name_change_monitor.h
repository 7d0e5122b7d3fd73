#pragma once

#include <memory>

#include "core/desktop/name_change_monitor.h"
#include "platform/atspi/atspi_handles.h"

using AtspiAccessible = struct _AtspiAccessible;
using AtspiEvent = struct _AtspiEvent;
using AtspiEventListener = struct _AtspiEventListener;

namespace qrv {

class AtspiElement;

// Listens for accessible-name changes on the accessibility bus and reports
// those of elements inside the watched window. Events are dispatched by the
// default GLib main context, which Qt's event loop runs on the GUI thread.
class AtspiNameChangeMonitor : public NameChangeMonitor {
  public:
    AtspiNameChangeMonitor() = default;
    ~AtspiNameChangeMonitor() override;
    AtspiNameChangeMonitor(const AtspiNameChangeMonitor&) = delete;
    AtspiNameChangeMonitor& operator=(const AtspiNameChangeMonitor&) = delete;

    // Refused for elements that do not come from the accessibility bus.
    bool Watch(const ElementPtr& window, Callback onNameChanged) override;
    void Unwatch() override;

  private:
    static void OnEvent(AtspiEvent* event, void* self);
    bool IsInsideWindow(AtspiAccessible* source) const;

    GRef<AtspiEventListener> m_listener;
    std::shared_ptr<AtspiElement> m_window;
    Callback m_callback;
};

}  // namespace qrv
