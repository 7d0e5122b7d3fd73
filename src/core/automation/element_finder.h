#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/desktop/automation_element.h"
#include "core/desktop/automation_tree.h"
#include "core/desktop/top_level_windows.h"

namespace qrv {

// Bounds of one walk, so that a huge or endless tree cannot freeze the caller.
inline constexpr size_t kMaxWalkDepth = 40;
inline constexpr size_t kMaxWalkElements = 5000;

// Visits the element, then each child's subtree in order (depth first), until
// visit returns true. Visits at most kMaxWalkElements elements down to
// kMaxWalkDepth levels below element, and never fetches the children of an
// element that manages its descendants.
void WalkTree(const ElementPtr& element, const std::function<bool(const ElementPtr&)>& visit);

// The first top-level window (child of the root) whose name equals name.
ElementPtr FindTopLevel(const ElementPtr& root, const std::string& name);
// The same, asking the tree's own lookup first.
ElementPtr FindTopLevel(AutomationTree& tree, const ElementPtr& root, const std::string& name);

// The first descendant, in walk order and excluding the window itself, whose
// name equals name and, when a value is given, whose value equals it. Gives
// up with null once *stop turns non-zero.
ElementPtr FindDescendant(const ElementPtr& window, const std::string& name,
                          const std::optional<std::string>& value,
                          const std::atomic<int32_t>* stop = nullptr);

// The one top-level element of the window's process named exactly like its
// title and, where both sides tell their extents, placed where the window or
// its frame is, else within its frame. Null when there is none or no single
// one.
ElementPtr FindWindowElement(const ElementPtr& root, const TopLevelWindow& window);

}  // namespace qrv
