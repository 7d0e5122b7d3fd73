#pragma once

#include <atomic>

#include "automation/element_clicker.h"
#include "fakes/action_log.h"

namespace qrv {

// Logs "click-element <window>|<name>|<value>|<0 or 1>" and returns the
// configured result (true unless set).
class FakeElementClicker : public ElementClicker {
  public:
    explicit FakeElementClicker(ActionLog& log);
    bool ClickElement(const std::string& windowName, const std::string& elementName,
                      const std::string& elementValue, bool doNotUseValue) override;
    void SetResult(bool result);

  private:
    ActionLog& m_log;
    std::atomic<bool> m_bResult{true};
};

}  // namespace qrv
