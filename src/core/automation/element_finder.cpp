#include "automation/element_finder.h"

namespace qrv {

namespace {

// Depth-first search below element; the element itself is not a candidate.
ElementPtr FindBelow(AutomationElement& element,
                     const std::function<bool(AutomationElement&)>& matches,
                     const std::atomic<int32_t>* stop) {
    for (const ElementPtr& child : element.Children()) {
        if (stop && stop->load() != 0) {
            return nullptr;
        }
        if (!child) {
            continue;
        }
        if (matches(*child)) {
            return child;
        }
        if (ElementPtr found = FindBelow(*child, matches, stop)) {
            return found;
        }
    }
    return nullptr;
}

}  // namespace

void WalkTree(const ElementPtr& element, const std::function<void(AutomationElement&)>& visit) {
    if (!element) {
        return;
    }
    visit(*element);
    for (const ElementPtr& child : element->Children()) {
        WalkTree(child, visit);
    }
}

ElementPtr FindTopLevel(const ElementPtr& root, const std::string& name) {
    if (!root) {
        return nullptr;
    }
    for (const ElementPtr& window : root->Children()) {
        if (window && window->Name() == name) {
            return window;
        }
    }
    return nullptr;
}

ElementPtr FindDescendant(const ElementPtr& window, const std::string& name,
                          const std::optional<std::string>& value,
                          const std::atomic<int32_t>* stop) {
    if (!window) {
        return nullptr;
    }
    return FindBelow(
        *window,
        [&](AutomationElement& element) {
            return element.Name() == name && (!value || element.Value() == *value);
        },
        stop);
}

ElementPtr FindWindowElement(const ElementPtr& root, const TopLevelWindow& window) {
    if (!root) {
        return nullptr;
    }
    ElementPtr first;
    for (const ElementPtr& candidate : root->Children()) {
        if (!candidate || candidate->ProcessId() != window.processId) {
            continue;
        }
        if (candidate->Name() == window.title) {
            return candidate;
        }
        if (!first) {
            first = candidate;
        }
    }
    return first;
}

}  // namespace qrv
