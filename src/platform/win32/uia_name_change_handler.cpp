#include "platform/win32/uia_name_change_handler.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <string>
#include <utility>

#include "platform/win32/wide_text.h"

namespace qrv::win32 {

UiaNameChangeHandler::UiaNameChangeHandler(NameChangeMonitor::Callback onNameChanged)
    : m_callback(std::make_shared<NameChangeMonitor::Callback>(std::move(onNameChanged))),
      m_mutex(std::make_shared<std::mutex>()) {}

void UiaNameChangeHandler::Stop() {
    std::lock_guard lock(*m_mutex);
    *m_callback = nullptr;
}

HRESULT STDMETHODCALLTYPE UiaNameChangeHandler::QueryInterface(REFIID iid, void** object) {
    if (!object) {
        return E_POINTER;
    }
    if (iid == __uuidof(IUnknown) || iid == __uuidof(uia::IPropertyChangedEventHandler)) {
        *object = static_cast<uia::IPropertyChangedEventHandler*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE UiaNameChangeHandler::AddRef() {
    return ++m_references;
}

ULONG STDMETHODCALLTYPE UiaNameChangeHandler::Release() {
    const ULONG left = --m_references;
    if (left == 0) {
        delete this;
    }
    return left;
}

// Called on a UI Automation thread: the name is queued for the GUI thread.
HRESULT STDMETHODCALLTYPE UiaNameChangeHandler::HandlePropertyChangedEvent(uia::IElement*,
                                                                           uia::PropertyId id,
                                                                           VARIANT newValue) {
    QCoreApplication* app = QCoreApplication::instance();
    if (id != uia::kNameProperty || newValue.vt != VT_BSTR || !app) {
        return S_OK;
    }
    const BSTR text = newValue.bstrVal;
    std::string name = text ? Narrow(std::wstring_view(text, SysStringLen(text))) : std::string();
    QMetaObject::invokeMethod(
        app,
        [callback = m_callback, mutex = m_mutex, name = std::move(name)] {
            NameChangeMonitor::Callback deliver;
            {
                std::lock_guard lock(*mutex);
                deliver = *callback;
            }
            if (deliver) {
                deliver(name);
            }
        },
        Qt::QueuedConnection);
    return S_OK;
}

}  // namespace qrv::win32
