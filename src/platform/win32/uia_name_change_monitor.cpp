#include "platform/win32/uia_name_change_monitor.h"

#include <utility>

#include "platform/win32/uia_element.h"
#include "platform/win32/uia_name_change_handler.h"

namespace qrv::win32 {

UiaNameChangeMonitor::UiaNameChangeMonitor() = default;

UiaNameChangeMonitor::~UiaNameChangeMonitor() {
    Unwatch();
}

bool UiaNameChangeMonitor::Watch(const ElementPtr& window, Callback onNameChanged) {
    Unwatch();
    auto element = std::dynamic_pointer_cast<UiaElement>(window);
    if (!element) {
        return false;
    }
    Microsoft::WRL::ComPtr<UiaNameChangeHandler> handler;
    handler.Attach(new UiaNameChangeHandler(std::move(onNameChanged)));
    uia::PropertyId name = uia::kNameProperty;
    if (FAILED(element->Automation()->AddPropertyChangedEventHandlerNativeArray(
            element->Get(), uia::kTreeScopeDescendants, nullptr, handler.Get(), &name, 1))) {
        return false;
    }
    m_window = std::move(element);
    m_handler = std::move(handler);
    return true;
}

void UiaNameChangeMonitor::Unwatch() {
    if (!m_handler) {
        return;
    }
    m_handler->Stop();
    m_window->Automation()->RemovePropertyChangedEventHandler(m_window->Get(), m_handler.Get());
    m_handler.Reset();
    m_window.reset();
}

}  // namespace qrv::win32
