#include "platform/win32/message_window.h"

namespace qrv::win32 {
namespace {

constexpr wchar_t kClassName[] = L"QuorvaneMessageWindow";

// Registers the class once per process; later calls find it registered.
void RegisterClassOnce(WNDPROC procedure) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    RegisterClassExW(&wc);
}

}  // namespace

MessageWindow::MessageWindow(Handler handler) : m_handler(std::move(handler)) {
    RegisterClassOnce(&MessageWindow::Procedure);
    m_window = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (m_window) {
        SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
}

MessageWindow::~MessageWindow() {
    if (m_window) {
        SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
        DestroyWindow(m_window);
    }
}

LRESULT CALLBACK MessageWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<MessageWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && self->m_handler && self->m_handler(message, wParam, lParam)) {
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace qrv::win32
