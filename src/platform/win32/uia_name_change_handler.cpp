#include "platform/win32/uia_name_change_handler.h"

#include <utility>

#include "platform/win32/wide_text.h"

namespace qrv::win32 {
namespace {

// A window flooding names faster than they are shown loses the excess.
constexpr std::size_t kMaxQueued = 4096;

}  // namespace

void UiaNameChangeHandler::Stop() {
    std::lock_guard lock(m_mutex);
    m_notify = nullptr;
    m_names.clear();
}

std::vector<std::string> UiaNameChangeHandler::TakeNames() {
    std::lock_guard lock(m_mutex);
    return std::exchange(m_names, {});
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

// Called on a UI Automation thread: the name waits for the watching thread.
HRESULT STDMETHODCALLTYPE UiaNameChangeHandler::HandlePropertyChangedEvent(uia::IElement*,
                                                                           uia::PropertyId id,
                                                                           VARIANT newValue) {
    if (id != uia::kNameProperty || newValue.vt != VT_BSTR) {
        return S_OK;
    }
    const BSTR text = newValue.bstrVal;
    std::string name = text ? Narrow(std::wstring_view(text, SysStringLen(text))) : std::string();
    std::lock_guard lock(m_mutex);
    if (!m_notify || m_names.size() >= kMaxQueued) {
        return S_OK;
    }
    m_names.push_back(std::move(name));
    if (m_names.size() == 1) {
        PostMessageW(m_notify, kNamesMessage, 0, 0);
    }
    return S_OK;
}

}  // namespace qrv::win32
