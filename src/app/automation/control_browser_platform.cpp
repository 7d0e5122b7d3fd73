#include "app/automation/control_browser_platform.h"

#include <iostream>

#include "platform/atspi/accessibility_bus_switch.h"
#include "platform/atspi/atspi_automation_tree.h"
#include "platform/atspi/atspi_name_change_monitor.h"
#include "platform/x11/x_top_level_windows.h"

namespace qrv {

struct ControlBrowserPlatform::Parts {
    Parts(ProfileStore& store, Beeper& beeper)
        : deps{&AtspiAutomationTree::Open,
               windows,
               nameChanges,
               accessibility,
               beeper,
               store,
               std::cout} {}

    XTopLevelWindows windows;
    AtspiNameChangeMonitor nameChanges;
    AccessibilityBusSwitch accessibility;
    ControlBrowserDeps deps;
};

ControlBrowserPlatform::ControlBrowserPlatform(ProfileStore& store, Beeper& beeper)
    : m_parts(std::make_unique<Parts>(store, beeper)) {}

ControlBrowserPlatform::~ControlBrowserPlatform() = default;

ControlBrowserDeps& ControlBrowserPlatform::Deps() {
    return m_parts->deps;
}

}  // namespace qrv
