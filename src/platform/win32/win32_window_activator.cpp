#include "platform/win32/win32_window_activator.h"

#include <windows.h>

namespace qrv::win32 {

void Win32WindowActivator::Activate(WindowId window) {
    HWND hwnd = reinterpret_cast<HWND>(uintptr_t(window));
    if (!IsWindow(hwnd)) {
        return;
    }
    SetForegroundWindow(hwnd);
    BringWindowToTop(hwnd);
    // Focus can only be set from the window's own thread.
    if (GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId()) {
        SetFocus(hwnd);
    }
}

}  // namespace qrv::win32
