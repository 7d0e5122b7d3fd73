#pragma once

#include <atomic>

#include "core/automation/element_clicker.h"
#include "fakes/action_log.h"

namespace qrv {

// Logs "click-element <window>|<name>|<value>|<0 or 1>" and returns `result`.
class FakeElementClicker : public ElementClicker {
  public:
    explicit FakeElementClicker(ActionLog& log) : m_log(log) {}
    bool ClickElement(const std::string& windowName, const std::string& elementName,
                      const std::string& elementValue, bool doNotUseValue,
                      const std::atomic<int32_t>* = nullptr) override {
        m_log.Add("click-element " + windowName + "|" + elementName + "|" + elementValue + "|" +
                  (doNotUseValue ? "1" : "0"));
        return result;
    }

    std::atomic<bool> result{true};

  private:
    ActionLog& m_log;
};

}  // namespace qrv
