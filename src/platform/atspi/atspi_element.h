#pragma once

#include "core/desktop/automation_element.h"
#include "platform/atspi/atspi_handles.h"

using AtspiAccessible = struct _AtspiAccessible;

namespace qrv {

// An element of the desktop's accessibility tree.
class AtspiElement : public AutomationElement {
  public:
    // Takes over one reference to the accessible.
    explicit AtspiElement(AtspiAccessible* accessible);
    ~AtspiElement() override;
    AtspiElement(const AtspiElement&) = delete;
    AtspiElement& operator=(const AtspiElement&) = delete;

    AtspiAccessible* Accessible() const { return m_accessible.get(); }

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

  private:
    GRef<AtspiAccessible> m_accessible;
};

}  // namespace qrv
