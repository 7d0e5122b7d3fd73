#pragma once

#include <string>

#include "automation/name_change_monitor.h"

namespace qrv {

// Records what is watched and delivers name changes on request.
class FakeNameChangeMonitor : public NameChangeMonitor {
  public:
    bool Watch(const ElementPtr& window, Callback onNameChanged) override;
    void Unwatch() override;
    // Delivers a change when a window is watched; false otherwise.
    bool Fire(const std::string& newName);

    bool accepts = true;
    ElementPtr watched;
    int watchCalls = 0;
    int unwatchCalls = 0;

  private:
    Callback m_callback;
};

}  // namespace qrv
