#pragma once

#include <memory>
#include <string>

#include "core/desktop/window_activator.h"

namespace qrv {

class XDisplay;

// Brings a window to the front: through the window manager's active-window
// request when one runs, else by raising it and giving it the input focus.
class XWindowActivator : public WindowActivator {
  public:
    explicit XWindowActivator(const std::string& displayName = {});
    ~XWindowActivator() override;

    bool Connected() const { return m_display != nullptr; }
    void Activate(WindowId window) override;

  private:
    bool ManagerActivates() const;

    std::unique_ptr<XDisplay> m_display;
};

}  // namespace qrv
