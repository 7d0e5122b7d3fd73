#pragma once

#include <wrl/client.h>

#include "core/desktop/automation_element.h"
#include "platform/win32/ui_automation_interfaces.h"

namespace qrv::win32 {

// One element of the UI Automation tree, read through the control view.
class UiaElement : public AutomationElement {
  public:
    UiaElement(Microsoft::WRL::ComPtr<uia::IAutomation> automation,
               Microsoft::WRL::ComPtr<uia::IElement> element);

    std::string Name() override;
    std::string Value() override;
    bool CanSetValue() override;
    ElementKind Kind() override;
    bool IsInvokable() override;
    int64_t ProcessId() override;
    std::vector<ElementPtr> Children(size_t limit) override;
    bool ManagesDescendants() override;
    std::optional<Rect> ScreenBounds() override;
    bool Invoke() override;
    bool Focus() override;

    uia::IElement* Get() const { return m_element.Get(); }
    uia::IAutomation* Automation() const { return m_automation.Get(); }

  private:
    bool Flag(uia::PropertyId id);

    Microsoft::WRL::ComPtr<uia::IAutomation> m_automation;
    Microsoft::WRL::ComPtr<uia::IElement> m_element;
};

}  // namespace qrv::win32
