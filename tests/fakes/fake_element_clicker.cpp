#include "fakes/fake_element_clicker.h"

namespace qrv {

FakeElementClicker::FakeElementClicker(ActionLog& log) : m_log(log) {}

bool FakeElementClicker::ClickElement(const std::string& windowName, const std::string& elementName,
                                      const std::string& elementValue, bool doNotUseValue) {
    m_log.Add("click-element " + windowName + "|" + elementName + "|" + elementValue + "|" +
              (doNotUseValue ? "1" : "0"));
    return m_bResult;
}

void FakeElementClicker::SetResult(bool result) {
    m_bResult = result;
}

}  // namespace qrv
