#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "platform/win32/ui_automation_interfaces.h"

namespace qrv::win32 {

// The COM object UI Automation calls with property changes, on threads of
// its own: it queues each new name and tells the window it was given, which
// belongs to the watching thread, until Stop.
class UiaNameChangeHandler : public uia::IPropertyChangedEventHandler {
  public:
    // Posted to the window when the queue stops being empty.
    static constexpr UINT kNamesMessage = WM_APP + 1;

    explicit UiaNameChangeHandler(HWND notify) : m_notify(notify) {}
    virtual ~UiaNameChangeHandler() = default;

    // After Stop no more names are queued, and those queued are dropped.
    void Stop();
    // The names queued since the last call, oldest first.
    std::vector<std::string> TakeNames();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE HandlePropertyChangedEvent(uia::IElement* sender, uia::PropertyId id,
                                                         VARIANT newValue) override;

  private:
    std::atomic<ULONG> m_references{1};
    std::mutex m_mutex;
    HWND m_notify;  // null after Stop
    std::vector<std::string> m_names;
};

}  // namespace qrv::win32
