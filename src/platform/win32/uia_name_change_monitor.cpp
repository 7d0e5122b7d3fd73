#include "platform/win32/uia_name_change_monitor.h"

#include <string>
#include <utility>
#include <vector>

#include "platform/win32/message_window.h"
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
    if (!m_messages) {
        m_messages = std::make_unique<MessageWindow>([this](UINT message, WPARAM, LPARAM) {
            if (message != UiaNameChangeHandler::kNamesMessage) {
                return false;
            }
            DeliverNames();
            return true;
        });
    }
    if (!m_messages->Handle()) {
        return false;
    }
    Microsoft::WRL::ComPtr<UiaNameChangeHandler> handler;
    handler.Attach(new UiaNameChangeHandler(m_messages->Handle()));
    uia::PropertyId name = uia::kNameProperty;
    if (FAILED(element->Automation()->AddPropertyChangedEventHandlerNativeArray(
            element->Get(), uia::kTreeScopeDescendants, nullptr, handler.Get(), &name, 1))) {
        handler->Stop();
        return false;
    }
    m_window = std::move(element);
    m_handler = std::move(handler);
    m_callback = std::move(onNameChanged);
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
    m_callback = nullptr;
}

// A callback may unwatch, or watch another window, between two names.
void UiaNameChangeMonitor::DeliverNames() {
    if (!m_handler) {
        return;
    }
    const Microsoft::WRL::ComPtr<UiaNameChangeHandler> handler = m_handler;
    for (const std::string& name : handler->TakeNames()) {
        if (m_handler.Get() != handler.Get()) {
            return;
        }
        if (const Callback callback = m_callback) {
            callback(name);
        }
    }
}

}  // namespace qrv::win32
