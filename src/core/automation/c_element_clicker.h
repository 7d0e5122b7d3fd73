#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "core/automation/element_clicker.h"
#include "core/desktop/automation_tree.h"
#include "core/desktop/beeper.h"

namespace qrv {

// The process-wide automation context: opens the accessibility tree on first
// need and invokes elements found by window name, element name and value.
// Safe to call from the GUI thread and the search worker at the same time.
class CElementClicker : public ElementClicker {
  public:
    CElementClicker(AutomationTreeFactory openTree, Beeper& beeper);
    ~CElementClicker() override;

    // Opens the tree and its root unless held; beeps with the error sound and
    // returns false when either is unavailable. A failure is retried next call.
    bool EnsureAutomation();
    // Only the first top-level window named windowName is searched; names
    // and values are compared whole and case-sensitively.
    bool ClickElement(const std::string& windowName, const std::string& elementName,
                      const std::string& elementValue, bool doNotUseValue,
                      const std::atomic<int32_t>* stop = nullptr) override;
    // Drops the tree, then the root.
    void ReleaseAutomation();

  private:
    ElementPtr HeldRoot();

    AutomationTreeFactory m_openTree;
    Beeper& m_beeper;
    std::mutex m_mutex;
    std::shared_ptr<AutomationTree> m_tree;
    ElementPtr m_root;
};

}  // namespace qrv
