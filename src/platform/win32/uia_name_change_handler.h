#pragma once

#include <atomic>
#include <memory>
#include <mutex>

#include "core/desktop/name_change_monitor.h"
#include "platform/win32/ui_automation_interfaces.h"

namespace qrv::win32 {

// The COM object UI Automation calls with property changes; it passes each
// new name to the GUI thread until Stop.
class UiaNameChangeHandler : public uia::IPropertyChangedEventHandler {
  public:
    explicit UiaNameChangeHandler(NameChangeMonitor::Callback onNameChanged);
    virtual ~UiaNameChangeHandler() = default;

    // After Stop no more names reach the callback, even those already queued.
    void Stop();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE HandlePropertyChangedEvent(uia::IElement* sender, uia::PropertyId id,
                                                         VARIANT newValue) override;

  private:
    std::atomic<ULONG> m_references{1};
    // Shared with the queued deliveries; cleared by Stop.
    std::shared_ptr<NameChangeMonitor::Callback> m_callback;
    std::shared_ptr<std::mutex> m_mutex;
};

}  // namespace qrv::win32
