#include "core/automation/c_element_clicker.h"

#include <optional>
#include <utility>

#include "core/automation/element_finder.h"

namespace qrv {

CElementClicker::CElementClicker(AutomationTreeFactory openTree, Beeper& beeper)
    : m_openTree(std::move(openTree)), m_beeper(beeper) {}

CElementClicker::~CElementClicker() {
    ReleaseAutomation();
}

bool CElementClicker::EnsureAutomation() {
    return HeldRoot() != nullptr;
}

ElementPtr CElementClicker::HeldRoot() {
    std::lock_guard lock(m_mutex);
    if (!m_tree && m_openTree) {  // no opener: the desktop has no tree
        m_tree = m_openTree();
    }
    if (m_tree && !m_root) {
        m_root = m_tree->Root();
    }
    if (!m_root) {
        m_beeper.Beep(BeepKind::Error);
    }
    return m_root;
}

bool CElementClicker::ClickElement(const std::string& windowName, const std::string& elementName,
                                   const std::string& elementValue, bool doNotUseValue,
                                   const std::atomic<int32_t>* stop) {
    const ElementPtr root = HeldRoot();
    if (!root) {
        return false;
    }
    std::shared_ptr<AutomationTree> tree;
    {
        std::lock_guard lock(m_mutex);
        tree = m_tree;
    }
    const ElementPtr window = tree ? FindTopLevel(*tree, root, windowName) : nullptr;
    const std::optional<std::string> value =
        doNotUseValue ? std::nullopt : std::optional<std::string>(elementValue);
    const ElementPtr element = FindDescendant(window, elementName, value, stop);
    return element && element->IsInvokable() && element->Invoke();
}

void CElementClicker::ReleaseAutomation() {
    std::lock_guard lock(m_mutex);
    m_tree.reset();
    m_root.reset();
}

}  // namespace qrv
