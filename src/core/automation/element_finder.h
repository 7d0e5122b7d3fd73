#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "automation/automation_element.h"
#include "settings/top_level_windows.h"

namespace qrv {

// Visits the element, then each child's subtree in order (depth first).
void WalkTree(const ElementPtr& element, const std::function<void(AutomationElement&)>& visit);

// The first top-level window (child of the root) whose name equals name.
ElementPtr FindTopLevel(const ElementPtr& root, const std::string& name);

// The first descendant, in walk order and excluding the window itself, whose
// name equals name and, when a value is given, whose value equals it. Gives
// up with null once *stop turns non-zero.
ElementPtr FindDescendant(const ElementPtr& window, const std::string& name,
                          const std::optional<std::string>& value,
                          const std::atomic<int32_t>* stop = nullptr);

// The top-level element of the window's process named like its title, else
// that process's first top-level element; null when the process has none.
ElementPtr FindWindowElement(const ElementPtr& root, const TopLevelWindow& window);

}  // namespace qrv
