#include "platform/win32/win32_top_level_windows.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace qrv::win32 {
namespace {

std::string TitleOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) {
        return {};
    }
    std::wstring title(std::size_t(length) + 1, L'\0');
    title.resize(std::size_t(GetWindowTextW(window, title.data(), length + 1)));
    return Narrow(title);
}

Rect ToRect(const RECT& rc) {
    return Rect{rc.left, rc.top, rc.right, rc.bottom};
}

BOOL CALLBACK AddWindow(HWND window, LPARAM list) {
    TopLevelWindow w;
    w.id = WindowId(reinterpret_cast<uintptr_t>(window));
    w.title = TitleOf(window);
    w.enabled = IsWindowEnabled(window);
    w.visible = IsWindowVisible(window);
    w.maximized = IsZoomed(window);
    w.minimized = IsIconic(window);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    w.processId = pid;
    RECT rc{};
    if (GetWindowRect(window, &rc)) {
        w.frameRect = ToRect(rc);
    }
    POINT origin{};
    if (GetClientRect(window, &rc) && ClientToScreen(window, &origin)) {
        w.clientRect = Rect{origin.x, origin.y, origin.x + rc.right, origin.y + rc.bottom};
    }
    reinterpret_cast<std::vector<TopLevelWindow>*>(list)->push_back(std::move(w));
    return TRUE;
}

}  // namespace

std::vector<TopLevelWindow> Win32TopLevelWindows::Enumerate() {
    std::vector<TopLevelWindow> windows;
    EnumWindows(&AddWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

}  // namespace qrv::win32
