#pragma once

#include <string>

#include "core/desktop/name_change_monitor.h"

namespace qrv {

// Records what is watched and delivers name changes on request.
class FakeNameChangeMonitor : public NameChangeMonitor {
  public:
    bool Watch(const ElementPtr& window, Callback onNameChanged) override {
        ++watchCalls;
        watched = window;
        m_callback = std::move(onNameChanged);
        return accepts;
    }
    void Unwatch() override {
        ++unwatchCalls;
        watched.reset();
        m_callback = nullptr;
    }
    // Delivers a change when a window is watched; false otherwise.
    bool Fire(const std::string& newName) {
        if (!watched || !accepts) {
            return false;
        }
        m_callback(newName);
        return true;
    }

    bool accepts = true;
    ElementPtr watched;
    int watchCalls = 0;
    int unwatchCalls = 0;

  private:
    Callback m_callback;
};

}  // namespace qrv
