#pragma once

#include <wrl/client.h>

#include <memory>
#include <string>

#include "core/desktop/automation_tree.h"
#include "platform/win32/mta_usage.h"
#include "platform/win32/ui_automation_interfaces.h"

namespace qrv::win32 {

// The desktop's UI Automation tree; its root's children are the top-level
// windows.
class UiaAutomationTree : public AutomationTree {
  public:
    // Null when the system offers no UI Automation client.
    static std::shared_ptr<AutomationTree> Open();

    explicit UiaAutomationTree(Microsoft::WRL::ComPtr<uia::IAutomation> automation);
    ElementPtr Root() override;
    // Through the window system: the first top-level window with exactly
    // that title, as an element.
    ElementPtr TopLevelNamed(const std::string& name) override;

  private:
    // The automation object lives in the multithreaded apartment.
    MtaUsage m_mta;
    Microsoft::WRL::ComPtr<uia::IAutomation> m_automation;
};

}  // namespace qrv::win32
