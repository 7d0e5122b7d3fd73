#pragma once

#include <ostream>

#include "core/desktop/automation_tree.h"

namespace qrv {

class AccessibilitySwitch;
class Beeper;
class NameChangeMonitor;
class ProfileStore;
class TopLevelWindows;

// What the control browser reads and drives; everything outlives the dialog.
struct ControlBrowserDeps {
    AutomationTreeFactory openTree;
    TopLevelWindows& windows;
    NameChangeMonitor& nameChanges;
    AccessibilitySwitch* accessibility;  // null where the desktop has no such switch
    Beeper& beeper;
    // Column widths ("ControlList") and the tip's flag.
    ProfileStore& store;
    // One trace line per name-change event.
    std::ostream& trace;
};

}  // namespace qrv
