#include "core/automation/element_finder.h"

#include <vector>

namespace qrv {

namespace {

class BoundedWalk {
  public:
    explicit BoundedWalk(const std::function<bool(const ElementPtr&)>& visit) : m_visit(visit) {}

    // False once the walk is over: visit asked to stop or the budget is spent.
    bool Walk(const ElementPtr& element, size_t depth) {
        if (!element) {
            return true;
        }
        if (m_budget == 0) {
            return false;
        }
        --m_budget;
        if (m_visit(element)) {
            return false;
        }
        if (depth >= kMaxWalkDepth || element->ManagesDescendants()) {
            return true;
        }
        for (const ElementPtr& child : element->Children(m_budget)) {
            if (!Walk(child, depth + 1)) {
                return false;
            }
        }
        return true;
    }

  private:
    const std::function<bool(const ElementPtr&)>& m_visit;
    size_t m_budget = kMaxWalkElements;
};

bool Inside(const Rect& inner, const Rect& outer) {
    return outer.left <= inner.left && outer.top <= inner.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// How well the element's extents fit the window: 2 where the window or its
// frame is, 1 when unknown on either side or within the frame (a toolkit may
// leave out its own shadow or title bar), 0 elsewhere.
int PlaceScore(AutomationElement& element, const TopLevelWindow& window) {
    const std::optional<Rect> outer = window.frameRect ? window.frameRect : window.clientRect;
    if (!outer) {
        return 1;
    }
    const std::optional<Rect> bounds = element.ScreenBounds();
    if (!bounds) {
        return 1;
    }
    if (bounds == window.clientRect || bounds == window.frameRect) {
        return 2;
    }
    return Inside(*bounds, *outer) ? 1 : 0;
}

}  // namespace

void WalkTree(const ElementPtr& element, const std::function<bool(const ElementPtr&)>& visit) {
    BoundedWalk(visit).Walk(element, 0);
}

ElementPtr FindTopLevel(const ElementPtr& root, const std::string& name) {
    if (!root) {
        return nullptr;
    }
    for (const ElementPtr& window : root->Children(kMaxWalkElements)) {
        if (window && window->Name() == name) {
            return window;
        }
    }
    return nullptr;
}

ElementPtr FindTopLevel(AutomationTree& tree, const ElementPtr& root, const std::string& name) {
    ElementPtr window = tree.TopLevelNamed(name);
    return window ? window : FindTopLevel(root, name);
}

ElementPtr FindDescendant(const ElementPtr& window, const std::string& name,
                          const std::optional<std::string>& value,
                          const std::atomic<int32_t>* stop) {
    ElementPtr found;
    WalkTree(window, [&](const ElementPtr& element) {
        if (stop && stop->load() != 0) {
            return true;
        }
        if (element != window && element->Name() == name &&
            (!value || element->Value() == *value)) {
            found = element;
        }
        return found != nullptr;
    });
    return found;
}

ElementPtr FindWindowElement(const ElementPtr& root, const TopLevelWindow& window) {
    if (!root) {
        return nullptr;
    }
    std::vector<ElementPtr> matches;
    int best = 1;
    for (const ElementPtr& candidate : root->Children(kMaxWalkElements)) {
        if (!candidate || candidate->ProcessId() != window.processId ||
            candidate->Name() != window.title) {
            continue;
        }
        const int score = PlaceScore(*candidate, window);
        if (score > best) {
            best = score;
            matches.clear();
        }
        if (score == best) {
            matches.push_back(candidate);
        }
    }
    return matches.size() == 1 ? matches.front() : nullptr;
}

}  // namespace qrv
