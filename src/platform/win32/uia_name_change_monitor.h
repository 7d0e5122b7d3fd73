#pragma once

#include <wrl/client.h>

#include <memory>

#include "core/desktop/name_change_monitor.h"
#include "platform/win32/ui_automation_interfaces.h"

namespace qrv::win32 {

class MessageWindow;
class UiaElement;
class UiaNameChangeHandler;

// Reports the Name property changes of the elements below a window, which
// UI Automation sends on its own threads, on the thread that watches: a
// message-only window of that thread takes them in from its message loop
// (which Qt's event loop runs on the GUI thread).
class UiaNameChangeMonitor : public NameChangeMonitor {
  public:
    UiaNameChangeMonitor();
    ~UiaNameChangeMonitor() override;
    UiaNameChangeMonitor(const UiaNameChangeMonitor&) = delete;
    UiaNameChangeMonitor& operator=(const UiaNameChangeMonitor&) = delete;

    // Refused for elements that do not come from UI Automation.
    bool Watch(const ElementPtr& window, Callback onNameChanged) override;
    void Unwatch() override;

  private:
    void DeliverNames();

    // Made at the first Watch, on its thread, and kept: a callback may
    // unwatch while the window delivers.
    std::unique_ptr<MessageWindow> m_messages;
    std::shared_ptr<UiaElement> m_window;
    Microsoft::WRL::ComPtr<UiaNameChangeHandler> m_handler;
    Callback m_callback;
};

}  // namespace qrv::win32
