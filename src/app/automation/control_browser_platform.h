#pragma once

#include <memory>

#include "app/automation/control_browser_deps.h"

namespace qrv {

// The desktop behind the control browser: the X11 window list, the
// accessibility bus (tree, name changes, switch) and standard output.
class ControlBrowserPlatform {
  public:
    ControlBrowserPlatform(ProfileStore& store, Beeper& beeper);
    ~ControlBrowserPlatform();
    ControlBrowserPlatform(const ControlBrowserPlatform&) = delete;
    ControlBrowserPlatform& operator=(const ControlBrowserPlatform&) = delete;

    ControlBrowserDeps& Deps();

  private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};

}  // namespace qrv
